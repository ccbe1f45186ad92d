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
// Save, in this order: the temporary file is created beside the target (a
// link is followed) and an existing target is checked for writing, and a
// failure there ends the Save before anything else; the mission checks when
// the preference asks for them; the length-mark question; packing briefing 1;
// writing, flush, fsync and the rename; briefing 1 unpacked again from the
// block just packed, which puts playback back to its start. `hooks` let tests
// make the writing fail.
bool saveMission(Editor& editor, core::Prompter& prompter, const mission::WriteHooks& hooks = {});
bool saveMissionAs(Editor& editor, core::Prompter& prompter, FileChooser& chooser);

std::string windowTitle(const Editor& editor);
FileDialogRequest missionDialogRequest(const Editor& editor, bool save);

}  // namespace quendar::app
