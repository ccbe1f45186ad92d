// The bundled sample's whole briefing (times 0..420, 30 seconds at 14 frames
// per second) exported as an animation at 1920 × 1080, as `quendar-tool render
// --briefing --animate` and the editor's export do it: every frame's view
// worked out, the changed ones drawn through the window's canvas, the still
// ones merged, the rest encoded and the file written. `frames_per_s` is frames
// of the animation per second of wall-clock time, `x_realtime` how many times
// faster than the briefing plays.
#include <benchmark/benchmark.h>

#if QUENDAR_WITH_UI
#include <unistd.h>

#include <filesystem>

#include "WorstMap.h"
#include "app/animation/AnimationExport.h"
#include "app/files/MissionIO.h"
#include "mission/FileIO.h"
#include "ui/BriefingPicture.h"

namespace {

using namespace quendar;

void exportSample(benchmark::State& state, app::AnimationFormat format, const char* name) {
    bench::ensureGuiApplication();
    app::Editor editor;
    editor.craftListPath = std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT";
    const auto file =
        mission::readWholeFile(std::string(QUENDAR_DATA_DIR) + "/samples/lantern-run.tie");
    if (!file) {
        state.SkipWithError("no sample mission");
        return;
    }
    app::loadMissionBytes(editor, *file);
    editor.icons.loadFile(std::string(QUENDAR_DATA_DIR) + "/iconslist.dat");
    const app::AnimationRange range{0, editor.briefing.briefingEndTime(), 14};
    const int frames = app::FrameSchedule(range).frameCount();
    const std::string out = (std::filesystem::temp_directory_path() /
                             ("quendar-bench-" + std::to_string(::getpid()) + name))
                                .string();
    app::AnimationOutcome outcome;
    for (auto _ : state) {
        // A fresh picture each time: the export starts with empty caches.
        ui::BriefingPicture picture(editor.store, editor.settings, editor.viewSwitches,
                                    editor.icons, 1920, 1080);
        app::AnimationProgress progress;
        outcome = app::exportAnimation(editor.briefing, picture, range, format, out, progress);
    }
    std::filesystem::remove(out);
    const double seconds = frames / 14.0;
    state.counters["frames_per_s"] =
        benchmark::Counter(frames, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["x_realtime"] =
        benchmark::Counter(seconds, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pictures"] = outcome.pictures;
    state.counters["bytes"] = static_cast<double>(outcome.bytes);
}

void BM_AnimationExport_Sample_WebP(benchmark::State& state) {
    exportSample(state, app::AnimationFormat::WebP, ".webp");
}
void BM_AnimationExport_Sample_Gif(benchmark::State& state) {
    exportSample(state, app::AnimationFormat::Gif, ".gif");
}
BENCHMARK(BM_AnimationExport_Sample_WebP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AnimationExport_Sample_Gif)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

#endif
