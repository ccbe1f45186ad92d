#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/editor/Editor.h"
#include "core/Prompter.h"
#include "mission/MissionFile.h"

namespace quendar::app {

// A message box the caller shows after an operation.
struct Message {
    std::string text;
    std::string caption;
    core::Icon icon = core::Icon::None;
};

// Puts the whole editor into the new-mission state: the store, the briefing
// lists, the view-control flags and the map tool; then reads the craft list
// from `editor.craftListPath` (a missing file keeps the previous list).
void resetEditorToNewMission(Editor& editor);

struct LoadOutcome {
    mission::ReadReport report;
    std::vector<Message> messages;  // in the order they are shown
};

// Open without the dialogs: reset to the new-mission state, read every section
// from the file held in memory and unpack briefing 1. The mission path is not
// touched. `shrankWhileRead` (the file became shorter while it was read) adds
// the damaged-file warning when the short-file one does not already say it.
// `changedWhileRead` (rewritten while it was read) adds it too.
LoadOutcome loadMissionBytes(Editor& editor, std::span<const uint8_t> file,
                             bool shrankWhileRead = false, bool changedWhileRead = false);

// Packs briefing 1 into the store's block and builds the file image. The
// length-mark question must have been settled before.
struct BuildOutcome {
    std::vector<Message> messages;  // warnings about commands that did not fit
};
std::vector<uint8_t> buildMissionImage(Editor& editor, BuildOutcome* outcome = nullptr);
// The first half of that: pack briefing 1 into the store's block; the store
// is then ready for mission::writeMission. The lists are left as they are.
BuildOutcome packBriefing(Editor& editor);

// After a save the briefing is unpacked again from the block just packed, so
// the lists equal what was saved (the records undo took back stay behind).
std::vector<Message> reloadBriefingAfterSave(Editor& editor);

void show(core::Prompter& prompter, const std::vector<Message>& messages);

}  // namespace quendar::app
