// Opens arbitrary bytes as a mission and paints it as the map window does,
// on a small canvas without a toolkit: the mission layer in each region and
// projection at the smallest, the first and the largest zoom, with every
// shipgroup's waypoints shown, then the briefing at its start, half-way, its
// end and a time past it. A mission someone else wrote is painted the moment
// it is opened, so nothing here may crash or touch memory outside its tables.
//
// Every craft type has a small icon of its own, so that icons are drawn, turned
// and boxed as in the editor.
#include <cstdint>
#include <span>

#include "FuzzEditors.h"
#include "app/files/MissionIO.h"
#include "briefing/BriefingView.h"
#include "map/BriefingLayer.h"
#include "map/BriefingPictures.h"
#include "map/MapRenderer.h"
#include "map/RasterCanvas.h"

namespace {

using namespace quendar;

constexpr int kWidth = 160, kHeight = 100;

// The editor, with a small icon of its own for every craft type.
app::Editor& editor() {
    app::Editor& e = fuzz::editor(0);
    if (!e.icons.available())
        for (int type = 0; type < 256; ++type) {
            map::CraftIcon icon{3, 2, std::vector<uint8_t>(18)};
            for (size_t k = 0; k < icon.bytes.size(); ++k)
                icon.bytes[k] = static_cast<uint8_t>((type * 7 + k * 40) % 256);
            e.icons.setIcon(type, icon);
        }
    return e;
}

void paint(map::MapRenderer& renderer, const app::Editor& e, const map::MapView& view,
           const map::ViewSwitches& switches, const map::BriefingFrame* frame) {
    map::RasterCanvas canvas(kWidth, kHeight);
    renderer.paint(canvas, {e.store, e.settings, view, switches, frame});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    app::Editor& e = editor();
    app::resetEditorToNewMission(e);
    app::loadMissionBytes(e, std::span<const uint8_t>(data, size));
    static map::MapRenderer* renderer = [&] {
        auto* made = new map::MapRenderer(e.icons);
        made->setBriefingPictures(map::technicalDataPicture(), map::regionChangePicture());
        return made;
    }();

    map::ViewSwitches switches = e.viewSwitches;
    switches.showOrderWaypoints.fill(true);
    switches.showIffWaypoints.fill(true);
    map::MapView view;
    view.resize(kWidth, kHeight);
    for (int projection = 0; projection < 3; ++projection) {
        view.setProjection(e.settings, projection, false);
        for (int region = 0; region < 4; ++region) {
            for (int zoom : {1, 40, 255}) {
                view.applyBriefingView(zoom, 0, 0, region);  // sets the zoom and the region
                paint(*renderer, e, view, switches, nullptr);
            }
        }
    }

    switches.briefingMode = true;
    e.settings.projection = 0;  // briefing mode shows X-Y
    map::BriefingLayer layer(e.icons);
    const int32_t end = e.briefing.briefingEndTime();
    for (int32_t time : {0, end / 2, end, 65535}) {
        const briefing::BriefingView b = briefing::briefingViewAt(e.briefing, time);
        const briefing::LockedView& lv = b.lockedView;
        view.applyBriefingView(lv.zoom, lv.x, lv.y, lv.region);
        const map::BriefingFrame frame = layer.frame(b, e.store, view);
        paint(*renderer, e, view, switches, &frame);
    }
    return 0;
}
