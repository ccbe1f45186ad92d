// The text form of the largest mission: export, import (from the new-mission
// state, as the tool does) and a field-level diff against a copy in which one
// field of every shipgroup differs.
#include <benchmark/benchmark.h>

#include "app/files/MissionIO.h"
#include "support/LargestMission.h"
#include "text/MissionText.h"

namespace {

using namespace quendar;

std::unique_ptr<app::Editor> largest() {
    auto e = std::make_unique<app::Editor>();
    e->craftListPath = std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT";
    app::loadMissionBytes(*e, testing::largestMissionFile());
    return e;
}

void BM_Export_Largest(benchmark::State& state) {
    auto e = largest();
    for (auto _ : state) {
        std::string doc = text::exportMission(e->store, e->briefing, &e->craftList);
        benchmark::DoNotOptimize(doc.data());
    }
}
BENCHMARK(BM_Export_Largest)->Unit(benchmark::kMillisecond);

void BM_Import_Largest(benchmark::State& state) {
    auto e = largest();
    std::string doc = text::exportMission(e->store, e->briefing, &e->craftList);
    doc.reserve(doc.size() + text::kImportPadding);  // read where it lies
    text::ImportReader reader;
    for (auto _ : state) {
        app::resetEditorToNewMission(*e);
        auto error = text::importMission(doc, e->store, e->briefing, reader);
        if (error) state.SkipWithError(error->text().c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(doc.size()));
}
BENCHMARK(BM_Import_Largest)->Unit(benchmark::kMillisecond);

// As a one-shot tool run does: the reader's buffers are new each time.
void BM_Import_Largest_FreshReader(benchmark::State& state) {
    auto e = largest();
    const std::string doc = text::exportMission(e->store, e->briefing, &e->craftList);
    for (auto _ : state) {
        app::resetEditorToNewMission(*e);
        auto error = text::importMission(doc, e->store, e->briefing);
        if (error) state.SkipWithError(error->text().c_str());
    }
}
BENCHMARK(BM_Import_Largest_FreshReader)->Unit(benchmark::kMillisecond);

void BM_Diff_Largest(benchmark::State& state) {
    auto a = largest(), b = largest();
    for (int i = 0; i < b->store.shipgroupCount; ++i)
        b->store.setByte(
            mission::Table::Shipgroups, i, 119,
            static_cast<uint8_t>(a->store.byte(mission::Table::Shipgroups, i, 119) + 1));
    size_t found = 0;
    for (auto _ : state) {
        auto d = text::diffMissions({a->store, a->briefing, &a->craftList},
                                    {b->store, b->briefing, &b->craftList});
        found = d.size();
        benchmark::DoNotOptimize(d.data());
    }
    state.counters["differences"] = static_cast<double>(found);
}
BENCHMARK(BM_Diff_Largest)->Unit(benchmark::kMillisecond);

}  // namespace
