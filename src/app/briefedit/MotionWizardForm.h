#pragma once

#include <string>

#include "core/FormModel.h"

namespace quendar::app {

class BriefingTools;

// "Briefing Editor - Motion Wizard": the motion type of the move-ship tool and
// the instruction for the current step. The form follows the tool's step by
// polling it in tick(); when the motion is done it puts the step back to 0,
// asks for a repaint and closes itself.
class MotionWizardForm : public core::FormModel {
  public:
    explicit MotionWizardForm(BriefingTools& tools);

    // The window polls the tool's step every 10 ms while the form is shown;
    // the tools also poll it after each of their clicks.
    int timerInterval() const override { return 10; }
    void tick() override;
    static std::string instruction(int step);

  private:
    BriefingTools& m_tools;
    int m_shownStep = -1;
    bool m_closed = false;
};

}  // namespace quendar::app
