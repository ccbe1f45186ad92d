#include "map/SelectionLayer.h"

#include <algorithm>

#include "map/MapRenderer.h"
#include "mission/ShipgroupRecord.h"

namespace quendar::map {

using mission::Table;
namespace sg = mission::sg;

void paintSelection(Canvas& c, const PaintInput& in, const SelectionMarks& marks) {
    if (in.switches.briefingMode) return;
    const MapView& v = in.view;
    const int projection = MapView::normalProjection(in.settings.projection);
    const int count = std::clamp(in.store.shipgroupCount, 0, mission::kMaxShipgroups);
    // Icons are drawn full size above zoom 100 and shrink below it; the ring
    // sits just outside a typical icon.
    const int r = v.zoom() > 100 ? 18 : std::max(6, 18 * v.zoom() / 100);
    c.setBrush(Brush::none());
    c.setPen(Pen{kSelectionColour, 2});
    for (int i : marks.shipgroups) {
        if (i < 0 || i >= count) continue;
        const mission::ShipgroupView g(in.store, i);
        if (g.startPointRegion(0) != v.currentRegion()) continue;
        const PixelPoint p = v.project(g.startPoint(0), projection);
        c.ellipse(p.x - r, p.y - r, p.x + r, p.y + r);
    }
    if (!marks.band) return;
    c.setPen(Pen{kSelectionColour, 1, PenStyle::Dashed});
    c.rectangle(
        std::min(marks.bandFrom.x, marks.bandTo.x), std::min(marks.bandFrom.y, marks.bandTo.y),
        std::max(marks.bandFrom.x, marks.bandTo.x), std::max(marks.bandFrom.y, marks.bandTo.y));
}

}  // namespace quendar::map
