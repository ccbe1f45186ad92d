#pragma once

#include "app/files/MissionChecks.h"
#include "app/frame/FrameLogic.h"
#include "shipgroup/ShipgroupContext.h"

namespace quendar::app {

// Binds the Mission, Globals, Teams, Messages and Briefing text menu items to
// the mission-wide forms, with the shipgroup event each sends after closing,
// and "&Validate" to the check box.
void wireSettingsForms(FrameLogic& logic, core::Prompter& prompter,
                       const shipgroup::ShipgroupContext& ctx);

// The check before a save in the same box as "&Validate", shown modally by
// the window.
class BoxedChecks final : public ChecksBeforeSave {
  public:
    BoxedChecks(FrameLogic& logic, Editor& editor, core::Prompter& prompter)
        : m_logic(logic), m_editor(editor), m_prompter(prompter) {}
    void runChecks() override;

  private:
    FrameLogic& m_logic;
    Editor& m_editor;
    core::Prompter& m_prompter;
};

}  // namespace quendar::app
