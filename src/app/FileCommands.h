#pragma once

#include <string>

#include "app/Editor.h"
#include "app/FileChooser.h"
#include "core/Prompter.h"
#include "mission/FileIO.h"

namespace quendar::app {

// The File menu's New, Open..., Save and Save as... The window supplies the
// message boxes and file dialogs; everything else happens here. Each command
// returns true when it changed the mission or wrote the file.
//
// The title the window shows is `windowTitle(editor)` after every command.
bool newMission(Editor& editor, core::Prompter& prompter, bool ask = true);
bool openMission(Editor& editor, core::Prompter& prompter, FileChooser& chooser);
bool openMissionPath(Editor& editor, core::Prompter& prompter, const std::string& path);
// Save's order of steps is described in SaveSteps.h; `hooks` let tests make
// the writing fail.
bool saveMission(Editor& editor, core::Prompter& prompter, const mission::WriteHooks& hooks = {});
bool saveMissionAs(Editor& editor, core::Prompter& prompter, FileChooser& chooser);

std::string windowTitle(const Editor& editor);
FileDialogRequest missionDialogRequest(const Editor& editor, bool save);

}  // namespace quendar::app
