// Linting the largest mission the editor makes, as the Problems panel does
// after the edits settle: 200 shipgroups, 255 messages, a full briefing.
#include <benchmark/benchmark.h>

#include "app/files/MissionIO.h"
#include "lint/Lint.h"
#include "mission/NewMission.h"
#include "mission/ShipgroupRecord.h"
#include "support/LargestMission.h"

namespace {

using namespace quendar;

void lintRepeatedly(benchmark::State& state, const app::Editor& editor) {
    // As the Problems panel does: one list, refilled.
    std::vector<lint::Problem> problems;
    for (auto _ : state) {
        lint::lintMission(editor.store, editor.briefing, editor.craftList, problems);
        benchmark::DoNotOptimize(problems.data());
    }
    state.counters["problems"] = static_cast<double>(problems.size());
}

void BM_Lint_Largest(benchmark::State& state) {
    app::Editor editor;
    editor.craftListPath = std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT";
    app::loadMissionBytes(editor, testing::largestMissionFile());
    editor.store.shipgroupCount = 200;
    lintRepeatedly(state, editor);
}
BENCHMARK(BM_Lint_Largest)->Unit(benchmark::kMicrosecond);

// The same size without damage: 200 shipgroups whose orders, triggers and
// motherships name each other, 255 messages, a briefing as full as the lists
// allow. What every keystroke costs in a mission a designer works on.
void BM_Lint_LargestClean(benchmark::State& state) {
    app::Editor editor;
    editor.craftListPath = std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT";
    editor.craftList.load(editor.craftListPath);
    mission::resetToNewMission(editor.store);
    editor.store.shipgroupCount = 200;
    for (int i = 0; i < 200; ++i) {
        mission::setEmptyShipgroup(editor.store, i);
        mission::ShipgroupRecord g(editor.store, i);
        g.setName("Group " + std::to_string(i));
        g.set(mission::sg::orderOffset(0, 0) + 12, 1);  // target 1: the next group
        g.set(mission::sg::orderOffset(0, 0) + 13, static_cast<uint8_t>((i + 1) % 200));
        g.set(mission::sg::arrivalTrigger1 + 1, 1);
        g.set(mission::sg::arrivalTrigger1 + 2, static_cast<uint8_t>((i + 7) % 200));
    }
    editor.store.messageCount = 255;
    for (int m = 0; m < 255; ++m)
        editor.store.setText(mission::Table::Messages, m, 2, 64, "Hold the line");
    auto& b = editor.briefing;
    for (int i = 0; i < 500; ++i) b.appendCommand(briefing::BRC_SHOW, i, {i % 255, 4, i % 6});
    for (int i = 0; i < 1000; ++i) b.appendCommand(briefing::BRC_COORD, 500 + i, {i % 255, i, -i});
    for (int i = 0; i < 200; ++i)
        b.appendCommand(briefing::BRC_TAG1, 1500 + i, {i % 128, i, i, i % 6});
    b.setBriefingEndTime(2000);
    b.setBriefingLength(2000);
    lintRepeatedly(state, editor);
}
BENCHMARK(BM_Lint_LargestClean)->Unit(benchmark::kMicrosecond);

}  // namespace
