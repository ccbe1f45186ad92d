// Editing by hand on the fullest map: one step of dragging a shipgroup (its
// start point follows the mouse, then the whole map is painted with the
// selection on top), against BM_Paint_Worst_Zoom240; and the rubber band
// over 200 shipgroups (press on empty map, move, release: the selection is
// worked out), logic only, against BM_FrameFill_1080p.
#include <benchmark/benchmark.h>

#include "WorstMap.h"
#include "app/mapedit/MapSelection.h"

namespace {

using namespace quendar;
using namespace quendar::bench;

// The worst scene inside an editor, whose map edits the benchmarks drive.
struct WorstEditor {
    WorstCase scene{240};
    app::Editor editor;
    struct Silent : core::Prompter {
        core::Answer ask(std::string_view, std::string_view, core::Buttons, core::Icon) override {
            return core::Answer::Ok;
        }
    } prompter;
    app::MapSelection selection{editor, prompter};

    WorstEditor() {
        editor.store = scene.store;
        editor.settings = scene.settings;
        editor.mapView = scene.view;
        editor.viewSwitches = scene.switches;
    }
    map::PaintInput input(const map::SelectionMarks& marks) const {
        map::PaintInput in{editor.store, editor.settings, editor.mapView, editor.viewSwitches};
        in.selection = &marks;
        return in;
    }
    map::PixelPoint pixelOf(int shipgroup) const {
        return editor.mapView.project(mission::ShipgroupView(editor.store, shipgroup).startPoint(0),
                                      editor.settings.projection);
    }
};

void BM_DragStep_Worst(benchmark::State& state) {
    WorstEditor w;
    WorstTarget target;
    target.paint(w.scene.renderer, w.input({}));  // fills the icon cache
    const map::PixelPoint p = w.pixelOf(100);
    w.selection.press(p.x, p.y);
    int dx = 0;
    for (auto _ : state) {
        dx = dx == 40 ? 5 : dx + 5;
        w.selection.move(p.x + dx, p.y + dx / 2);
        target.paint(w.scene.renderer, w.input(w.selection.marks()));
        benchmark::ClobberMemory();
    }
    w.selection.release(p.x + dx, p.y + dx / 2);
}
BENCHMARK(BM_DragStep_Worst)->Unit(benchmark::kMillisecond);

void BM_RubberBand_200(benchmark::State& state) {
    WorstEditor w;
    w.editor.store.shipgroupCount = 200;
    mission::ShipgroupRecord(w.editor.store, 199).setStartPoint(0, {0, 0, 0, 1});
    const int W = w.editor.mapView.width(), H = w.editor.mapView.height();
    size_t selected = 0;
    for (auto _ : state) {
        w.selection.press(1, 1);  // the corner: no shipgroup there
        w.selection.move(W / 2, H / 2);
        w.selection.move(W - 2, H - 2);
        w.selection.release(W - 2, H - 2);
        selected = w.selection.selected().size();
        benchmark::DoNotOptimize(selected);
    }
    state.counters["selected"] = static_cast<double>(selected);
}
BENCHMARK(BM_RubberBand_200)->Unit(benchmark::kMicrosecond);

}  // namespace
