#include "app/briefedit/MotionWizardForm.h"

#include "app/briefedit/BriefingTools.h"

namespace quendar::app {

MotionWizardForm::MotionWizardForm(BriefingTools& tools)
    : core::FormModel("Briefing Editor - Motion Wizard", false), m_tools(tools) {
    const auto choosable = [this] {
        const int s = m_tools.motionStep();
        return s == kShipPicked || s == kRepositioning || s == kSimpleMoving;
    };
    radioGroup("motion", "", "Motion type",
               fixed({"Repositioning", "Simple moving", "Acceleration", "Deceleration"}),
               {[this] {
                    const int s = m_tools.motionStep();
                    if (s == kRepositioning || s == kRepositioned) return 0;
                    if (s == kSimpleMoving || s == kMoved) return 1;
                    return -1;
                },
                [this, choosable](int i) {
                    if (!choosable()) return;
                    if (i == 0) m_tools.setMotionStep(kRepositioning);
                    if (i == 1) m_tools.setMotionStep(kSimpleMoving);
                    tick();
                }})
        .itemEnabled = [choosable](int i) { return i < 2 && choosable(); };
    label("comments", "Comments", "", [this] { return instruction(m_tools.motionStep()); });
    m_shownStep = m_tools.motionStep();
}

std::string MotionWizardForm::instruction(int step) {
    switch (step) {
        case kPickShip: return "Select a ship on the map.";
        case kShipPicked: return "Select one of the four motion type.";
        case kRepositioning:
            return "Simple reposition of the selected ship.\nJust click on the map.";
        case kSimpleMoving:
            return "Move the ship automaticly. Change briefing time to where you want the ship "
                   "to stop. After this just click on the map.";
        default: return {};
    }
}

void MotionWizardForm::tick() {
    if (m_closed) return;
    const int step = m_tools.motionStep();
    if (step == m_shownStep) return;
    m_shownStep = step;
    if (step == kRepositioned || step == kMoved) {
        m_closed = true;
        m_tools.setMotionStep(kPickShip);
        m_tools.redraw();
        requestClose(true);
        return;
    }
    refreshed.notify();
}

}  // namespace quendar::app
