// The recovery file of the largest mission: the part on the window's thread
// (a copy of the store and the briefing lists packed into it) and, for
// comparison, the worker's part (the file image written to disk with fsync).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "app/files/MissionIO.h"
#include "app/files/RecoveryFile.h"
#include "mission/FileIO.h"
#include "support/LargestMission.h"

namespace {

using namespace quendar;

void openLargest(app::Editor& editor) {
    editor.craftListPath = std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT";
    app::loadMissionBytes(editor, testing::largestMissionFile());
}

void BM_RecoverySnapshot_Largest(benchmark::State& state) {
    app::Editor editor;
    openLargest(editor);
    for (auto _ : state) {
        mission::MissionStore copy(editor.store);
        editor.briefing.packInto(copy);
        benchmark::DoNotOptimize(copy.slot(mission::Table::Briefing1, 0).data());
    }
}
BENCHMARK(BM_RecoverySnapshot_Largest)->Unit(benchmark::kMillisecond);

void BM_RecoveryWrite_Largest(benchmark::State& state) {
    app::Editor editor;
    openLargest(editor);
    mission::MissionStore copy(editor.store);
    editor.briefing.packInto(copy);
    const std::string path = (std::filesystem::temp_directory_path() /
                              (".quendar-bench-" + std::to_string(::getpid()) + ".recovery"))
                                 .string();
    for (auto _ : state) {
        const bool ok = mission::writeFileAtomicStream(
            path, [&](mission::ByteSink& out) { app::writeRecoveryImage(copy, out); });
        if (!ok) state.SkipWithError("the file could not be written");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_RecoveryWrite_Largest)->Unit(benchmark::kMillisecond);

}  // namespace
