// Reads arbitrary bytes as a mission's text form, as `quendar-tool import`
// does. A document the importer refuses is fine. One it takes gives a mission
// file; that file, opened, exported and imported again, must save as the same
// bytes, so the text form loses nothing of a mission it made.
//
// Two editors serve every input; each import starts from the new mission.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "FuzzEditors.h"
#include "app/files/MissionIO.h"
#include "mission/ChangeJournal.h"
#include "text/MissionText.h"

namespace {

using namespace quendar;
using fuzz::editor;

// The editor in the new-mission state with the document imported into it.
bool imported(app::Editor& e, std::string_view doc, text::ImportReader& reader) {
    app::resetEditorToNewMission(e);
    mission::ChangeJournal::Pause pause(e.journal);
    return !text::importMission(doc, e.store, e.briefing, reader);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static text::ImportReader reader;
    app::Editor& first = editor(0);
    if (!imported(first, {reinterpret_cast<const char*>(data), size}, reader)) return 0;
    const std::vector<uint8_t> file = app::buildMissionImage(first);

    app::resetEditorToNewMission(first);
    app::loadMissionBytes(first, file);
    const std::vector<uint8_t> saved = app::buildMissionImage(first);
    app::Editor& second = editor(1);
    if (!imported(second, text::exportMission(first.store, first.briefing, nullptr), reader))
        std::abort();
    if (app::buildMissionImage(second) != saved) std::abort();
    return 0;
}
