// Opens arbitrary bytes as a mission and runs what reads a whole mission
// beside the editor's own reading: every lint rule and each fix they offer,
// the mission's flow with its words and its graph text, and the comparison
// and three-way merge with a new mission. Nothing may crash, and merging the
// mission with an untouched new mission on both other sides must give the
// mission back, byte for byte.
//
// The input is opened and saved once first, so the mission checked is one the
// editor could have saved.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "FuzzEditors.h"
#include "app/files/MissionIO.h"
#include "flow/Flow.h"
#include "lint/Lint.h"
#include "mission/ChangeJournal.h"
#include "text/Merge.h"
#include "text/MissionText.h"

namespace {

using namespace quendar;
using fuzz::editor;

void open(app::Editor& e, std::span<const uint8_t> file) {
    app::resetEditorToNewMission(e);
    app::loadMissionBytes(e, file);
}

text::MissionRef ref(const app::Editor& e) { return {e.store, e.briefing, &e.craftList}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    app::Editor &mission = editor(0), &empty = editor(1), &merged = editor(2);
    open(mission, {data, size});
    const std::vector<uint8_t> file = app::buildMissionImage(mission);
    open(mission, file);
    app::resetEditorToNewMission(empty);

    const flow::Analysis flow = flow::analyse(mission.store);
    for (int n = 0; n < static_cast<int>(flow.nodes.size()); ++n) {
        flow::nodeName(flow, mission.store, n);
        flow::reason(flow, mission.store, n);
        flow::whenText(flow, mission.store, n);
    }
    flow::dotText(flow, mission.store);
    const auto differences = text::diffMissions(ref(empty), ref(mission));
    for (const auto& d : differences) text::differenceLine(d);
    text::differencesAsJson(differences);

    open(merged, file);
    {
        mission::ChangeJournal::Pause pause(merged.journal);
        const text::MergeOutcome m = text::mergeMissions(ref(empty), ref(mission), ref(empty),
                                                         {merged.store, merged.briefing});
        if (!m.error.empty() || !m.conflicts.empty()) std::abort();
    }
    if (app::buildMissionImage(merged) != file) std::abort();

    // Every fix on offer, one after another, each to the mission the last one left.
    mission::ChangeJournal::Pause pause(mission.journal);
    for (const lint::Problem& p :
         lint::lintMission(mission.store, mission.briefing, mission.craftList))
        if (p.fix) lint::applyFix(mission.store, mission.briefing, *p.fix);
    lint::lintMission(mission.store, mission.briefing, mission.craftList);
    return 0;
}
