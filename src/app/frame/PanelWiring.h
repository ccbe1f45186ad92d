#pragma once

#include <string>

#include "app/changes/ChangesPanel.h"
#include "app/frame/FrameLogic.h"
#include "app/problems/ProblemsPanel.h"

namespace quendar::app {

// The Problems and Changes panels wired to the frame and to each other: a
// double-click on a problem goes where the frame logic takes it, a change
// goes to its place the same way, and the Changes panel reads mission files
// as Open does. The window supplies only the two panels' timers.
class PanelWiring final : ProblemNavigator, PlaceNavigator, MissionLoader {
  public:
    PanelWiring(Editor& editor, FrameLogic& logic, MapPort& map, FrameView& view,
                SettleClock& problemsClock, SettleClock& changesClock);
    PanelWiring(const PanelWiring&) = delete;
    PanelWiring& operator=(const PanelWiring&) = delete;

    ProblemsPanel& problems() { return m_problems; }
    ChangesPanel& changes() { return m_changes; }
    // Makes the shipgroup current and shows the region it starts in, leaving
    // the briefing first: a problem's way there, without opening a form (a
    // click in the Flow view or the references list).
    void showShipgroup(int index);

  private:
    // ProblemNavigator: the Problems panel's way to a place.
    void selectShipgroup(int index) override;
    void setRegion(int region) override;
    core::FormModel* openForm(FormKey key) override;
    void runCommand(CommandId command,
                    const std::function<void(core::FormModel&)>& prepare) override;
    void showBriefing() override;
    // PlaceNavigator: a change goes where a problem at its place would.
    void goTo(const lint::Location& place) override;
    // MissionLoader
    bool load(const std::string& path, Editor& into) override;

    Editor& m_editor;
    FrameLogic& m_logic;
    MapPort& m_map;
    FrameView& m_view;
    ProblemsPanel m_problems;
    ChangesPanel m_changes;
};

}  // namespace quendar::app
