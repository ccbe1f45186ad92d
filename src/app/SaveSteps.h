#pragma once

#include "app/Editor.h"
#include "core/Prompter.h"

namespace quendar::app {

// The two steps of Save that belong to other parts of the editor, called by
// saveMission (FileCommands.cpp) in this order:
//
//   1. the temporary file is created beside the target and an existing target
//      is checked for writing (a failure ends the Save before any of these);
//   2. checkBeforeSave, when settings.runEccBeforeSave is on;
//   3. the length-mark question, packing briefing 1, writing, flush, fsync and
//      the rename;
//   4. briefing 1 unpacked again from the block just packed;
//   5. afterBriefingReloaded, whether or not the file was written.

// The mission checks run before saving. Their corrections are made in the
// store and so are part of the saved file; they never stop the Save.
void checkBeforeSave(Editor& editor, core::Prompter& prompter);

// Briefing 1 was just unpacked again after a save: playback goes back to its
// start, as after an Open.
void afterBriefingReloaded(Editor& editor);

}  // namespace quendar::app
