#pragma once

#include "app/frame/FrameLogic.h"
#include "shipgroup/ShipgroupContext.h"

namespace quendar::app {

// Binds the Mission, Globals, Teams, Messages and Briefing text menu items to
// the mission-wide forms, with the shipgroup event each sends after closing,
// and "&Validate" to the check box. The box also serves the check before a
// save (Editor::validationBox).
void wireSettingsForms(FrameLogic& logic, Editor& editor, core::Prompter& prompter,
                       const shipgroup::ShipgroupContext& ctx);

}  // namespace quendar::app
