// One paint of the fullest map: 199 shipgroups, each with its own 128 × 128
// icon, every IFF and every order's path switched on, all eight waypoints of
// all four orders in use and scattered over the whole area, in a 1920 × 1080
// window. The mission fills the window at zoom 240 (about 8 × 4.5 km); the
// same mission is painted at zoom 240 and at zoom 60, where it covers the
// middle of the window. With the UI library it is a whole paint of the map
// window's kept frame; without it a paint into the raster canvas.
#include <benchmark/benchmark.h>

#include "WorstMap.h"

namespace {

using namespace quendar;
using namespace quendar::bench;

void paintWorst(benchmark::State& state, int zoom, double scale = 1.0) {
    WorstCase w(zoom);
    WorstTarget target(scale);
    auto once = [&] { target.paint(w.renderer, w.input()); };
    once();  // the first paint fills the icon cache
    for (auto _ : state) {
        once();
        benchmark::ClobberMemory();
    }
    state.counters["icons"] = static_cast<double>(w.renderer.cache().size());
}

void BM_Paint_Worst_Zoom240(benchmark::State& state) { paintWorst(state, 240); }
void BM_Paint_Worst_Zoom60(benchmark::State& state) { paintWorst(state, 60); }
BENCHMARK(BM_Paint_Worst_Zoom240)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paint_Worst_Zoom60)->Unit(benchmark::kMillisecond);

#if QUENDAR_WITH_UI
// The same window on a screen scaled 200 %: the 1920 × 1080 logical frame
// enlarged to 3840 × 2160 screen pixels, its texts drawn at that resolution.
void BM_Paint_Worst_Zoom240_Scale2(benchmark::State& state) { paintWorst(state, 240, 2.0); }
BENCHMARK(BM_Paint_Worst_Zoom240_Scale2)->Unit(benchmark::kMillisecond);
#endif

// One step of the right-button drag timer while the mouse rests at an edge:
// the scroll moves by 10 pixels and the map is painted again as the window
// does it, into its kept frame (moved, and drawn where something came into
// view or changed). The mouse rests 24 steps at the right edge, then 24 at
// the left one, so that the view stays over the mission and the frame also
// reaches the edge of its image now and then, as in a long drag.
void BM_PanStep_Worst(benchmark::State& state) {
    WorstCase w(240);
    map::Panning pan;
#if QUENDAR_WITH_UI
    ensureGuiApplication();
    ui::MapFrame frame;
    auto paint = [&] { frame.paint(w.renderer, w.input(), QSize(kWidth, kHeight)); };
#else
    struct NoTexts : map::TextPainter {
        void text(int, int, std::string_view, map::Colour, const map::Font&,
                  const map::Rect&) override {}
        map::Rect textBounds(int x, int y, std::string_view, const map::Font&) override {
            return {x, y, x, y};
        }
    } texts;
    core::RgbaImage target(kWidth, kHeight, 0);
    map::KeptFrame frame;
    auto paint = [&] {
        frame.paint(w.renderer, w.input(), {target.pixels.data(), kWidth, kHeight, kWidth}, texts);
    };
#endif
    paint();
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const bool left = (step++ / 24) % 2 == 1;
        pan.press(left ? 5 : kWidth - 5, kHeight / 2, true);
        state.ResumeTiming();
        if (pan.tick(w.view)) paint();
        benchmark::ClobberMemory();
    }
    state.counters["scrollX"] = w.view.scrollX();
}
BENCHMARK(BM_PanStep_Worst)->Unit(benchmark::kMillisecond);

}  // namespace
