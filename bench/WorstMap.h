#pragma once

// The fullest map the editor draws: 199 shipgroups, each with its own
// 128 x 128 icon, every IFF and every order's path switched on, all eight
// waypoints of all four orders in use and scattered over the whole area, in a
// 1920 x 1080 window. The paint and map-editing benchmarks share it.
#include <benchmark/benchmark.h>

#include <memory>

#include "map/KeptFrame.h"
#include "map/MapRenderer.h"
#include "map/Panning.h"
#include "map/RasterCanvas.h"
#include "mission/ShipgroupRecord.h"
#include "support/MapScene.h"

#if QUENDAR_WITH_UI
#include <QGuiApplication>

#include "ui/MapFrame.h"
#endif

namespace quendar::bench {

namespace sg = mission::sg;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kShipgroups = 199;

// A top-down wedge with a dark core and a lighter rim; about half the pixels opaque.
inline map::CraftIcon benchIcon(int seed) {
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

struct WorstCase : testing::MapScene {
    explicit WorstCase(int zoom) {
        sizeView(kWidth, kHeight);
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
inline void ensureGuiApplication() {
    static int argc = 1;
    static char name[] = "quendar_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
    }
}
#endif

// Where a benchmark paints: a whole paint of the map window's 1080p frame
// when the UI library is built (recorded, then drawn into the window's kept
// image, by two threads where the machine has two processors), else the
// raster canvas.
struct WorstTarget {
#if QUENDAR_WITH_UI
    // `scale`: screen pixels per logical pixel (200 %: 2).
    explicit WorstTarget(double scale = 1.0) {
        ensureGuiApplication();
        frame.setScale(scale);
    }
    ui::MapFrame frame;
    void paint(map::MapRenderer& renderer, const map::PaintInput& in) {
        frame.invalidate();
        frame.paint(renderer, in, QSize(kWidth, kHeight));
    }
#else
    explicit WorstTarget(double = 1.0) {}
    map::RasterCanvas canvas{kWidth, kHeight, false};
    void paint(map::MapRenderer& renderer, const map::PaintInput& in) {
        canvas.clearCalls();
        renderer.paint(canvas, in);
    }
#endif
};

}  // namespace quendar::bench
