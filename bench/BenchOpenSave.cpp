// One open and one save of the largest mission, in memory, through the same
// path the editor takes (reset, read, unpack the briefing; pack, write).
#include <benchmark/benchmark.h>

#include "app/files/MissionIO.h"
#include "support/LargestMission.h"

namespace {

using namespace quendar;

void BM_OpenSave_LargestMission(benchmark::State& state) {
    const std::vector<uint8_t> file = testing::largestMissionFile();
    app::Editor editor;
    // Open reads the craft list too, as the editor does.
    editor.craftListPath = std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT";
    for (auto _ : state) {
        app::loadMissionBytes(editor, file);
        auto image = app::buildMissionImage(editor);
        benchmark::DoNotOptimize(image.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 2 *
                            static_cast<int64_t>(file.size()));
}
BENCHMARK(BM_OpenSave_LargestMission)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
