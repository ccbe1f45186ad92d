// One paint of the fullest map: 199 shipgroups, each with its own 128 × 128
// icon, every IFF and every order's path switched on, all eight waypoints of
// all four orders in use and scattered over the whole area, in a 1920 × 1080
// window. The mission fills the window at zoom 240 (about 8 × 4.5 km); the
// same mission is painted at zoom 240 and at zoom 60, where it covers the
// middle of the window. With the Qt canvas the paint goes into a QImage;
// without the UI library into the raster canvas.
#include <benchmark/benchmark.h>

#include <memory>

#include "map/MapRenderer.h"
#include "map/Panning.h"
#include "map/RasterCanvas.h"
#include "mission/ShipgroupRecord.h"

#if QUENDAR_WITH_UI
#include <QGuiApplication>
#include <QImage>

#include "ui/QPainterCanvas.h"
#endif

namespace {

using namespace quendar;
namespace sg = mission::sg;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kShipgroups = 199;

// A top-down wedge with a dark core and a lighter rim; about half the pixels opaque.
map::CraftIcon benchIcon(int seed) {
    map::CraftIcon icon;
    icon.width = icon.height = 128;
    icon.bytes.assign(128 * 128 * 3, 0);
    for (int col = 0; col < 128; ++col)
        for (int row = 0; row < 128; ++row) {
            const int half = row / 2 + (seed % 7);
            if (std::abs(col - 64) > half) continue;
            uint8_t* p = &icon.bytes[(static_cast<size_t>(col) * 128 + row) * 3];
            p[0] = static_cast<uint8_t>((col * 3 + seed) & 0x7F);
            p[1] = static_cast<uint8_t>((row * 2 + seed) & 0x7F);
            p[2] = static_cast<uint8_t>(((col ^ row) + seed) & 0x7F);
        }
    return icon;
}

struct WorstCase {
    mission::MissionStore store;
    core::DisplaySettings settings;
    map::MapView view;
    map::ViewSwitches switches;
    map::IconTable icons;
    map::MapRenderer renderer{icons};

    explicit WorstCase(int zoom) {
        for (int i = 0; i < map::MapView::kCentringNotifications; ++i) view.resize(kWidth, kHeight);
        while (view.zoom() < zoom) view.wheel(1, false);
        while (view.zoom() > zoom) view.wheel(-1, false);
        view.centre(false);
        settings.showHorizontalLabels = settings.showVerticalLabels = 1;
        switches.showOrderWaypoints = {true, true, true, true};
        switches.showIffWaypoints = {true, true, true, true, true, true};
        switches.currentOrder = 1;

        // Positions in units inside the half-spans of the window at zoom 240.
        const int spanX = (kWidth / 2 - 80) * 160 / 240;
        const int spanY = (kHeight / 2 - 80) * 160 / 240;
        store.shipgroupCount = kShipgroups;
        for (int i = 0; i < kShipgroups; ++i) {
            icons.setIcon(i, benchIcon(i));
            mission::ShipgroupRecord r(store, i);
            r.set(sg::craftType, static_cast<uint8_t>(i));
            r.set(sg::iff, static_cast<uint8_t>(i % 6));
            const int gx = i % 20, gy = i / 20;
            r.setStartPoint(0, {-spanX + gx * 2 * spanX / 19, -spanY + gy * 2 * spanY / 9, 0, 1});
            r.set(sg::startPointRegion, 0);
            for (int o = 0; o < 4; ++o)
                for (int k = 0; k < 8; ++k) {
                    const int wx = -spanX + ((i * 37 + o * 11 + k * 53) % 100) * 2 * spanX / 99;
                    const int wy = -spanY + ((i * 17 + o * 29 + k * 71) % 100) * 2 * spanY / 99;
                    r.setWaypoint(0, o, k, {wx, wy, 0, 1});
                }
        }
    }
    map::PaintInput input() const { return {store, settings, view, switches, nullptr}; }
};

#if QUENDAR_WITH_UI
void ensureGuiApplication() {
    static int argc = 1;
    static char name[] = "quendar_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
    }
}
#endif

void paintWorst(benchmark::State& state, int zoom) {
    WorstCase w(zoom);
#if QUENDAR_WITH_UI
    ensureGuiApplication();
    QImage target(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    auto once = [&] {
        ui::QPainterCanvas canvas(target);
        w.renderer.paint(canvas, w.input());
    };
#else
    map::RasterCanvas target(kWidth, kHeight, false);
    auto once = [&] {
        target.clearCalls();
        w.renderer.paint(target, w.input());
    };
#endif
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

// One step of the right-button drag timer while the mouse rests at an edge:
// the scroll moves by 10 pixels and the whole map is painted again. The edge
// alternates between left and right so that the view stays over the mission.
void BM_PanStep_Worst(benchmark::State& state) {
    WorstCase w(240);
    map::Panning pan;
#if QUENDAR_WITH_UI
    ensureGuiApplication();
    QImage target(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    auto paint = [&] {
        ui::QPainterCanvas canvas(target);
        w.renderer.paint(canvas, w.input());
    };
#else
    map::RasterCanvas target(kWidth, kHeight, false);
    auto paint = [&] {
        target.clearCalls();
        w.renderer.paint(target, w.input());
    };
#endif
    paint();
    bool left = true;
    for (auto _ : state) {
        state.PauseTiming();
        pan.press(left ? 5 : kWidth - 5, kHeight / 2, true);
        left = !left;
        state.ResumeTiming();
        if (pan.tick(w.view)) paint();
        benchmark::ClobberMemory();
    }
    state.counters["scrollX"] = w.view.scrollX();
}
BENCHMARK(BM_PanStep_Worst)->Unit(benchmark::kMillisecond);

}  // namespace
