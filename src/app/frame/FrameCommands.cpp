#include "app/frame/FrameLogic.h"

namespace quendar::app {

using core::Buttons;
using core::Icon;

namespace {
// " Delete shipgroup" for the Edit menu; a "&" of the name is shown as itself.
std::string menuName(const std::string& action) {
    if (action.empty()) return {};
    std::string out = " ";
    for (char ch : action) {
        if (ch == '&') out += '&';
        out += ch;
    }
    return out;
}
}  // namespace

// The commands the frame handles itself. The map tools, the briefing bar and
// the mission-wide forms are bound by their own parts of the program.
void FrameLogic::bindCommands() {
    auto& c = m_commands;
    auto fileCommand = [this](std::function<bool()> run) {
        return [this, run] {
            if (run()) retitle();
            // New, Open and Save put the briefing time back to 0 (also a save
            // that failed: the lists are read back either way).
            refreshBriefingTime();
            if (m_map.briefingMode()) m_map.applyBriefingView();
            m_view.repaintMap();
        };
    };
    if (has(Service::NewMission)) {
        // The shipgroup forms stay and read the new mission; the Motion
        // Wizard's picked ship and start belong to the briefing that went.
        c.bind(cmd::New, fileCommand([this] {
                   if (!mayLeaveMission(&kDiscardQuestion) || !m_services.newMission(false))
                       return false;
                   m_view.closeModeless(form::MotionWizard);
                   // What the pane said of the mission left behind is not said
                   // of the new one.
                   m_view.setPaneText(Pane::Message, "");
                   return true;
               }));
    }
    if (has(Service::OpenMission)) {
        c.bind(cmd::Open, fileCommand([this] {
                   const bool done = mayLeaveMission(nullptr) && m_services.openMission();
                   if (done) m_view.setPaneText(Pane::Message, "");
                   return done;
               }));
    }
    if (has(Service::SaveMission))
        c.bind(cmd::Save, fileCommand([this] { return m_services.saveMission(); }));
    if (has(Service::SaveMissionAs))
        c.bind(cmd::SaveAs, fileCommand([this] { return m_services.saveMissionAs(); }));
    // Edit: the journal's whole actions, named in the menu.
    c.bind(
        cmd::Undo, [this] { undoOrRedo(true); }, [this] { return m_editor.journal.canUndo(); });
    c.bind(
        cmd::Redo, [this] { undoOrRedo(false); }, [this] { return m_editor.journal.canRedo(); });
    if (Command* undo = c.find(cmd::Undo)) {
        undo->currentText = [this] {
            return "&Undo" + menuName(m_editor.journal.undoName()) + "\tCtrl+Z";
        };
    }
    if (Command* redo = c.find(cmd::Redo)) {
        redo->currentText = [this] {
            return "&Redo" + menuName(m_editor.journal.redoName()) + "\tCtrl+Y";
        };
    }
    // The window's close request asks "Are you sure?".
    c.bind(cmd::Exit, [this] { m_view.closeWindow(); });

    // View menu: toolbars and status bar.
    auto toggleBar = [this](int bar) {
        return [this, bar] { m_view.setToolbarVisible(bar, !m_view.isToolbarVisible(bar)); };
    };
    auto barShown = [this](int bar) {
        return [this, bar] { return m_view.isToolbarVisible(bar); };
    };
    c.bind(cmd::ViewToolbar, toggleBar(kMapToolbar), {}, barShown(kMapToolbar));
    c.bind(
        cmd::ViewStatusBar, [this] { m_view.setStatusBarVisible(!m_view.isStatusBarVisible()); },
        {}, [this] { return m_view.isStatusBarVisible(); });
    c.bind(cmd::ViewControlBar, toggleBar(kControlBar), {}, barShown(kControlBar));
    c.bind(cmd::ViewShipgroups, toggleBar(kSelectorBar), {}, barShown(kSelectorBar));
    c.bind(
        cmd::ViewBriefingBar,
        [this] { setBriefingBars(!m_view.isToolbarVisible(kBriefingToolsBar)); }, {},
        barShown(kBriefingToolsBar));
    c.bind(
        cmd::AutoBriefingBars, [this] { m_editor.autoBriefingBars = !m_editor.autoBriefingBars; },
        {}, [this] { return m_editor.autoBriefingBars; });

    for (CommandId id : {cmd::Coordinates, cmd::MapProperties, cmd::AxisProperties})
        c.bind(id, [this, id] { runDisplayDialog(id); });
    c.bind(cmd::Preferences, [this] { runPreferences(); });

    // Map commands.
    for (int k = 0; k < 4; ++k) {
        c.bind(
            kSystemCommands[k],
            [this, k] {
                if (lockedInBriefing()) {
                    m_view.setPaneText(Pane::Message, kRegionLocked);
                    return;
                }
                m_map.setRegion(k);
                m_view.repaintMap();
            },
            {}, [this, k] { return m_map.region() == k; });
    }
    auto zoomCommand = [this](int step) {
        return [this, step] {
            if (lockedInBriefing()) {
                m_view.setPaneText(Pane::Message, kZoomLocked);
                return;
            }
            m_map.zoomStep(step);  // sends the step's one size notification
            m_view.repaintMap();
            m_view.mapScrollChanged();
        };
    };
    c.bind(cmd::ZoomIn, zoomCommand(20),
           [this] { return !(m_map.zoom() > 254 || lockedInBriefing()); });
    c.bind(cmd::ZoomOut, zoomCommand(-20),
           [this] { return !(m_map.zoom() < 5 || lockedInBriefing()); });
    const std::pair<CommandId, int> projections[] = {
        {cmd::ViewXY, 0}, {cmd::ViewXZ, 1}, {cmd::ViewYZ, 2}};
    for (const auto& entry : projections) {
        const int p = entry.second;  // a plain copy: lambdas capture it on every compiler
        c.bind(
            entry.first,
            [this, p] {
                if (m_map.briefingMode()) return;
                m_map.setProjection(p);
                m_view.repaintMap();
            },
            [this, p] { return p == 0 || !m_map.briefingMode(); },
            [this, p] { return m_map.projection() == p; });
    }
    c.bind(
        cmd::Centre,
        [this] {
            m_map.centre();
            m_view.repaintMap();
        },
        [this] { return !lockedInBriefing(); });

    // Control bar modes.
    c.bind(
        cmd::MapMode, [this] { leaveBriefingMode(); }, {},
        [this] { return !m_map.briefingMode(); });
    c.bind(
        cmd::BriefingMode, [this] { enterBriefingMode(); }, {},
        [this] { return m_map.briefingMode(); });

    c.bind(cmd::ResetBriefing1, [this] {
        if (m_prompter.ask("Do you want to reset the briefing?", "Warning", Buttons::YesNo,
                           Icon::Exclamation) != core::Answer::Yes)
            return;
        {
            core::ActionScope scope(m_editor.journal, "Reset Briefing 1");
            m_editor.briefing.resetBriefing1();
        }
        refreshBriefingTime();
        if (m_map.briefingMode()) m_map.applyBriefingView();
        m_view.repaintMap();
    });
    c.bind(cmd::ResetBriefing2,
           [this] { m_prompter.tell("See next version", "Function not implemented"); });
}

}  // namespace quendar::app
