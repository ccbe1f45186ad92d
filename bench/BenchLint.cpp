// Linting the largest mission the editor makes, as the Problems panel does
// after the edits settle: 200 shipgroups, 255 messages, a full briefing.
#include <benchmark/benchmark.h>

#include "app/MissionIO.h"
#include "lint/Lint.h"
#include "support/LargestMission.h"

namespace {

using namespace quendar;

void BM_Lint_Largest(benchmark::State& state) {
    app::Editor editor;
    editor.craftListPath = std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT";
    app::loadMissionBytes(editor, testing::largestMissionFile());
    editor.store.shipgroupCount = 200;
    size_t found = 0;
    for (auto _ : state) {
        auto problems = lint::lintMission(editor.store, editor.briefing, editor.craftList);
        found = problems.size();
        benchmark::DoNotOptimize(problems.data());
    }
    state.counters["problems"] = static_cast<double>(found);
}
BENCHMARK(BM_Lint_Largest)->Unit(benchmark::kMicrosecond);

}  // namespace
