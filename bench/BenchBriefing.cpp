// The briefing's per-tick work. BM_BriefingViewAt_Full works out the view at
// a time when every command list is at its capacity. BM_PlaybackTick_Full
// runs one playback tick with everything that follows it in the window: the
// locked view applied to the map, the view state worked out again and the
// whole map repainted at 1920 × 1080, with 255 ships on screen (one of each
// of the first 255 craft types, with the bundled icons), 8 selections and 8
// tags.
#include <benchmark/benchmark.h>

#include <memory>

#include "WorstMap.h"
#include "briefing/BriefingModel.h"
#include "briefing/BriefingView.h"
#include "briefing/PlaybackControl.h"
#include "map/BriefingLayer.h"
#include "map/MapRenderer.h"
#include "map/RasterCanvas.h"
#include "map/ViewSwitches.h"
#include "mission/MissionStore.h"

#if QUENDAR_WITH_UI
#include <QGuiApplication>
#include <QImage>

#include "ui/QPainterCanvas.h"
#endif

namespace {

using namespace quendar;
using namespace quendar::briefing;

void fillToCapacity(BriefingModel& m) {
    for (int k = 0; k < kKindCount; ++k) {
        const Kind kind = Kind(k);
        const int cap = m.capacity(kind);
        for (int i = 0; i < cap; ++i) {
            // Times spread over 0..2999; ship slots, positions and values vary.
            const int t = (i * 7919 + k * 131) % 3000;
            const int slot = (i * 37 + k) % 255;
            switch (kind) {
                case BRC_SHOW: m.appendCommand(kind, t, {slot, i % 255, i % 6}); break;
                case BRC_COORD:
                    m.appendCommand(kind, t,
                                    {slot, (i * 13) % 4000 - 2000, (i * 29) % 3000 - 1500});
                    break;
                case BRC_ORIENT: m.appendCommand(kind, t, {slot, i % 4}); break;
                case BRC_REGION: m.appendCommand(kind, t, {i % 4}); break;
                default: m.appendCommand(kind, t, {slot, i % 1000, i % 700, i % 6}); break;
            }
        }
    }
}

void BM_BriefingViewAt_Full(benchmark::State& state) {
    auto store = std::make_unique<mission::MissionStore>();
    auto model = std::make_unique<BriefingModel>(*store);
    fillToCapacity(*model);
    int32_t t = 2999;
    for (auto _ : state) {
        BriefingView v = briefingViewAt(*model, t);
        benchmark::DoNotOptimize(v);
        t = t == 2999 ? 2998 : 2999;
    }
    state.counters["commands"] = model->totalCount();
}
BENCHMARK(BM_BriefingViewAt_Full)->Unit(benchmark::kMicrosecond);

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

#if QUENDAR_WITH_UI
using bench::ensureGuiApplication;
#endif

void BM_PlaybackTick_Full(benchmark::State& state) {
    auto store = std::make_unique<mission::MissionStore>();
    BriefingModel model(*store);
    core::DisplaySettings settings;
    map::ViewSwitches switches;
    switches.briefingMode = true;
    map::MapView view;
    for (int i = 0; i < map::MapView::kCentringNotifications; ++i) view.resize(kWidth, kHeight);
    map::IconTable icons;
    icons.loadFile(std::string(QUENDAR_DATA_DIR) + "/iconslist.dat");
    map::MapRenderer renderer(icons);
    map::BriefingLayer layer(icons);

    // Zoom 40: the window spans 48 × 27 km = 7680 × 4320 units. 255 ships on
    // a 17 × 15 grid inside it, a zoom and a move at every unit so that every
    // tick moves the view.
    model.setBriefingEndTime(3000);
    model.setBriefingLength(3000);
    for (int s = 0; s < 255; ++s) {
        model.appendCommand(BRC_SHOW, 0, {s, s, s % 6});
        model.appendCommand(BRC_COORD, 0, {s, -3600 + (s % 17) * 450, -2000 + (s / 17) * 280});
        model.appendCommand(BRC_ORIENT, 0, {s, s % 4});
    }
    for (int k = 1; k <= 8; ++k) {
        model.appendCommand(selectKind(k), 0, {k * 30});
        model.appendCommand(tagKind(k), 0, {k - 1, -3000 + k * 600, 1800, k % 6});
        store->setText(mission::Table::Briefing1Tags, k - 1, 0, 255,
                       "Tag number " + std::to_string(k));
    }
    for (int t = 1; t < 500; ++t) {
        model.appendCommand(BRC_ZOOM, t, {40, 40});
        model.appendCommand(BRC_MOVEMAP, t, {t % 3, 0});
    }
    PlaybackControl control(model);
    control.play();

#if QUENDAR_WITH_UI
    ensureGuiApplication();
    QImage target(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    auto paint = [&](const map::PaintInput& in) {
        ui::QPainterCanvas canvas(target);
        renderer.paint(canvas, in);
    };
#else
    map::RasterCanvas target(kWidth, kHeight, false);
    auto paint = [&](const map::PaintInput& in) {
        target.clearCalls();
        renderer.paint(target, in);
    };
#endif
    size_t shown = 0;
    auto once = [&] {
        if (model.currentTime() >= 490) model.setCurrentTime(1);
        const PlaybackEffect e = control.tick();
        if (e.recomputeView) {
            const LockedView lv = lockedViewAt(model, model.currentTime());
            view.applyBriefingView(lv.zoom, lv.x, lv.y, lv.region);
        }
        const BriefingView v = briefingViewAt(model, model.currentTime());
        shown = v.ships.size();
        map::BriefingFrame frame = layer.frame(v, *store, view);
        map::PaintInput in{*store, settings, view, switches, &frame};
        paint(in);
    };
    once();  // the first paint fills the icon cache
    for (auto _ : state) {
        once();
        benchmark::ClobberMemory();
    }
    state.counters["ships"] = static_cast<double>(shown);
}
BENCHMARK(BM_PlaybackTick_Full)->Unit(benchmark::kMillisecond);

}  // namespace
