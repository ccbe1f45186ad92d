#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/editor/Editor.h"
#include "app/editor/FileChooser.h"
#include "app/files/MissionChecks.h"
#include "core/Prompter.h"
#include "mission/FileIO.h"

namespace quendar::app {

// The File menu's New, Open..., Save and Save as... The window supplies the
// message boxes and file dialogs; everything else happens here. Each command
// returns true when it changed the mission or wrote the file.
//
// The title the window shows is `windowTitle(editor)` after every command.
bool newMission(Editor& editor, core::Prompter& prompter, bool ask = true);

// A question asked before the open mission is given up.
struct LeaveQuestion {
    std::string_view text;
    std::string_view caption;
    core::Icon icon;
};
// New, a recent or a dropped mission; and Exit or closing the window.
inline constexpr LeaveQuestion kDiscardQuestion{"Are you sure?", "Discard last mission",
                                                core::Icon::Exclamation};
inline constexpr LeaveQuestion kExitQuestion{"Are you sure?", "Exit", core::Icon::Question};
// Before the mission is given up (New, Open, a recent or dropped mission,
// Exit, closing the window). With unsaved changes (the "*" of the title):
// "Save changes to NAME before closing?" with Save, Discard and Cancel, in
// the caption and icon of `plain`; Save runs `save` and goes on only when it
// wrote the file. Without them: `plain` with OK and Cancel, or no question
// when there is none. True when the mission may go.
bool confirmLeaving(Editor& editor, core::Prompter& prompter, const LeaveQuestion* plain,
                    const std::function<bool()>& save);
std::string saveChangesQuestion(const std::string& missionPath);
// The mission's file is not what this editor last opened or saved.
bool fileChangedOnDisk(const Editor& editor);
// "NAME was changed by another program since you opened it. Overwrite it?"
std::string changedOnDiskQuestion(const std::string& missionPath);
// The name of a path without its folders.
std::string fileNameOf(const std::string& path);
bool openMission(Editor& editor, core::Prompter& prompter, FileChooser& chooser);
bool openMissionPath(Editor& editor, core::Prompter& prompter, const std::string& path);
// Save, in this order: the temporary file is created beside the target (a
// link is followed) and an existing target is checked for writing, and a
// failure there ends the Save before anything else; the mission checks when
// the preference asks for them; the length-mark question; packing briefing 1;
// writing, flush, fsync and the rename; briefing 1 unpacked again from the
// block just packed, which puts playback back to its start (only when the file
// was written); then the boxes. `checks` shows the mission checks (the
// window's box); without it they go straight through the prompter. `hooks`
// let tests make the writing fail.
bool saveMission(Editor& editor, core::Prompter& prompter, ChecksBeforeSave& checks,
                 const mission::WriteHooks& hooks = {});
bool saveMission(Editor& editor, core::Prompter& prompter, const mission::WriteHooks& hooks = {});
bool saveMissionAs(Editor& editor, core::Prompter& prompter, FileChooser& chooser,
                   ChecksBeforeSave& checks);
bool saveMissionAs(Editor& editor, core::Prompter& prompter, FileChooser& chooser);

std::string windowTitle(const Editor& editor);
FileDialogRequest missionDialogRequest(const Editor& editor, bool save);

}  // namespace quendar::app
