// The three-way merge of the largest mission: each side changes a different
// third of the shipgroups (a name on one side, a craft count on the other), so
// every record is aligned and merged field by field, without a conflict.
#include <benchmark/benchmark.h>

#include "app/files/MissionIO.h"
#include "mission/ChangeJournal.h"
#include "support/LargestMission.h"
#include "text/Merge.h"

namespace {

using namespace quendar;
using mission::Table;

std::unique_ptr<app::Editor> largestEditor() {
    auto e = std::make_unique<app::Editor>();
    e->craftListPath = std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT";
    app::loadMissionBytes(*e, testing::largestMissionFile());
    return e;
}

void BM_Merge_Largest(benchmark::State& state) {
    auto base = largestEditor(), ours = largestEditor(), theirs = largestEditor(),
         out = largestEditor();
    const int third = base->store.shipgroupCount / 3;
    for (int i = 0; i < third; ++i) {
        ours->store.setByte(Table::Shipgroups, i, 0, 'O');
        theirs->store.setByte(Table::Shipgroups, third + i, 21, 2);
    }
    const text::MissionRef b{base->store, base->briefing, &base->craftList},
        o{ours->store, ours->briefing, &ours->craftList},
        t{theirs->store, theirs->briefing, &theirs->craftList};
    mission::ChangeJournal::Pause pause(out->journal);
    for (auto _ : state) {
        auto m = text::mergeMissions(b, o, t, {out->store, out->briefing});
        if (!m.conflicts.empty() || !m.error.empty())
            state.SkipWithError("the merge did not run clean");
        benchmark::DoNotOptimize(out->store.shipgroupCount);
    }
}
BENCHMARK(BM_Merge_Largest)->Unit(benchmark::kMillisecond);

}  // namespace
