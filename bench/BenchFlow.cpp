// The mission's logic of the largest mission the editor makes: the graph, the
// verdicts and the timeline, as the Problems panel and the Flow view work them
// out after the edits settle.
#include <benchmark/benchmark.h>

#include "flow/Flow.h"
#include "mission/MissionFile.h"
#include "support/LargestMission.h"

namespace {

using namespace quendar;

void BM_Flow_Largest(benchmark::State& state) {
    mission::MissionStore store;
    testing::fillLargestMission(store);
    flow::Analysis a;
    for (auto _ : state) {
        flow::analyse(store, a);
        benchmark::DoNotOptimize(a.nodes.data());
    }
    state.counters["nodes"] = static_cast<double>(a.nodes.size());
    state.counters["edges"] = static_cast<double>(a.edges.size());
    state.counters["never"] = static_cast<double>(a.neverCount());
}
BENCHMARK(BM_Flow_Largest)->Unit(benchmark::kMicrosecond);

}  // namespace
