#include <algorithm>
#include <span>

#include "map/MapRenderer.h"
#include "mission/ShipgroupRecord.h"

namespace quendar::map {

using core::rgb;
using mission::Table;
namespace sg = mission::sg;

namespace {

// A shipgroup record read in place (the map reads a few hundred fields of
// every record on each paint); a field beyond the record reads as zeros.
struct RecordView {
    std::span<const uint8_t> bytes;
    uint8_t byte(int offset) const {
        return offset >= 0 && static_cast<size_t>(offset) < bytes.size() ? bytes[offset] : 0;
    }
    int16_t word(int offset) const {
        return static_cast<int16_t>(byte(offset) | (byte(offset + 1) << 8));
    }
    mission::Point3 point(int offset) const {
        return {word(offset), word(offset + 2), word(offset + 4), byte(offset + 6)};
    }
};

RecordView record(const mission::MissionStore& store, int shipgroup) {
    return {store.slot(Table::Shipgroups, shipgroup)};
}

int shipgroupCount(const mission::MissionStore& store) {
    return std::clamp(store.shipgroupCount, 0, mission::kMaxShipgroups);
}

}  // namespace

void MapRenderer::paintMissionLayer(Canvas& c, const PaintInput& in) {
    const auto& store = in.store;
    const MapView& v = in.view;
    const int projection = in.settings.projection;
    const int hAxis = MapView::horizontalAxis(projection);
    const int vAxis = MapView::verticalAxis(projection);
    const int W = v.width(), H = v.height();
    const int count = shipgroupCount(store);
    const int region = v.currentRegion();

    // Icons, in index order.
    for (int i = 0; i < count; ++i) {
        const RecordView r = record(store, i);
        if (r.byte(sg::startPointRegion) != region) continue;
        const int type = r.byte(sg::craftType);
        if (type == kBackdropCraftType && !in.switches.showBackdrops) continue;
        const mission::Point3 p = r.point(sg::startPointOffset(0));
        const auto hv = static_cast<int16_t>(MapView::component(p, hAxis));
        const auto vv = static_cast<int16_t>(MapView::component(p, vAxis));
        const double mx = v.mapPixel(hv), my = v.mapPixel(vv);
        if (mx < v.scrollX() - W / 2 || mx > v.scrollX() + W) continue;
        if (my < v.scrollY() - H / 2 || my > v.scrollY() + 2 * H) continue;
        drawIcon(c, type, r.byte(sg::iff), v.zoom(), v.windowX(hv), v.windowY(vv));
    }

    // The current shipgroup's path is drawn with the solid pen, the paths shown
    // through the view-control switches with the dashed one, so the path being
    // edited stands out.
    const int current = store.currentShipgroup;
    const int order = in.switches.currentOrder;
    if (current >= 0 && current < count && order >= 1 && order <= 4)
        paintPath(c, in, current, order, PenStyle::Solid);
    for (int i = 0; i < count; ++i) {
        if (i == current) continue;
        const int iff = record(store, i).byte(sg::iff);
        if (iff > 5 || !in.switches.showIffWaypoints[iff]) continue;
        for (int o = 1; o <= 4; ++o)
            if (in.switches.showOrderWaypoints[o - 1]) paintPath(c, in, i, o, PenStyle::Dashed);
    }
}

// Start point 1 (when it lies in the shown region), then every enabled
// waypoint of the order in the shown region, each joined to the point drawn
// before it. Segments go first so that the circles sit on top of them.
void MapRenderer::paintPath(Canvas& c, const PaintInput& in, int shipgroup, int order,
                            PenStyle style) {
    const RecordView rec = record(in.store, shipgroup);
    const MapView& v = in.view;
    const int region = v.currentRegion();
    const int projection = in.settings.projection;
    const Colour colour = iffColour(rec.byte(sg::iff));

    PixelPoint points[9];
    int n = 0;
    bool fromStart = false;
    if (rec.byte(sg::startPointRegion) == region) {
        points[n++] = v.project(rec.point(sg::startPointOffset(0)), projection);
        fromStart = true;
    }
    for (int k = 0; k < 8; ++k) {
        const mission::Point3 w = rec.point(sg::waypointOffset(region, order - 1, k));
        if (w.enabled == 1) points[n++] = v.project(w, projection);
    }
    const int first = fromStart ? 1 : 0;
    if (n == first) return;

    c.setPen(Pen{colour, 1, style});
    for (int k = 1; k < n; ++k) c.line(points[k - 1].x, points[k - 1].y, points[k].x, points[k].y);
    const int r = v.zoom() > 100 ? 8 : 4;
    c.setPen(Pen{colour, 1, PenStyle::Solid});
    c.setBrush(Brush::of(colour));
    for (int k = first; k < n; ++k)
        c.ellipse(points[k].x - r, points[k].y - r, points[k].x + r, points[k].y + r);
    c.setBrush(Brush::none());
}

// The frame of the briefing: the caption strip, the technical-data and
// region-change screens (pictures, or their texts when pictures are off or
// missing), the bottom text, then whatever the briefing draws on top.
// Briefing texts are white: they sit on the dark blue strip and background.
void MapRenderer::paintBriefingFrame(Canvas& c, const PaintInput& in) {
    const int W = in.view.width(), H = in.view.height();
    c.setPen(Pen{rgb(0, 0, 255), 2});
    c.setBrush(Brush::of(rgb(0, 0, 180)));
    c.rectangle(0, H - 45, W, H);
    c.setBrush(Brush::none());
    if (!in.briefing) return;
    const BriefingFrame& b = *in.briefing;
    const Colour white = rgb(255, 255, 255);
    const int px = W / 2 - 256, py = H / 2 - 144;
    auto screen = [&](const core::RgbaImage& picture, const char* text) {
        if (in.settings.briefingImages && !picture.empty())
            c.drawImage(px, py, picture);
        else
            c.text(px, py, text, white);
    };
    if (b.technicalData) screen(m_technicalData, kTechnicalDataText);
    if (b.regionChange) screen(m_regionChange, kChangingRegionText);
    if (b.hasCaption) c.text(10, H - 36, b.caption, white);
    if (b.drawContent) b.drawContent(c);
}

}  // namespace quendar::map
