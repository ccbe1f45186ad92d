#pragma once

#include "app/editor/CommandTable.h"
#include "app/editor/Editor.h"
#include "app/editor/FramePorts.h"
#include "core/Prompter.h"

namespace quendar::app {

// The briefing menu's and toolbar's forms: Briefing length, Delete commands at
// current time-position, Briefing Wizard, Assign teams, Briefing Tags and
// Briefing Texts, bound into the command table. After a form that changes
// times closes, the status panes, the time slider and the locked view follow.
class BriefingDialogs {
  public:
    BriefingDialogs(Editor& editor, CommandTable& commands, FrameView& view, MapPort& map,
                    BriefingTimeListener& logic, core::Prompter& prompter);

  private:
    void afterTimesChanged();

    Editor& m_editor;
    FrameView& m_view;
    MapPort& m_map;
    BriefingTimeListener& m_logic;
    core::Prompter& m_prompter;
};

}  // namespace quendar::app
