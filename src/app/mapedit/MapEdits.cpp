#include "app/mapedit/MapEdits.h"

#include <algorithm>
#include <cstdlib>

#include "mission/ShipgroupRecord.h"
#include "mission/ShipgroupTexts.h"

namespace quendar::app {

using mission::Table;
namespace sg = mission::sg;

namespace {
constexpr int kHeaderShipgroupCount = 2;

int projection(const Editor& e) { return map::MapView::normalProjection(e.settings.projection); }

// The projection's two axes take the click; the third keeps its value.
mission::Point3 placed(const Editor& e, mission::Point3 p, MapClick click) {
    const int proj = projection(e);
    int* axes[3] = {&p.x, &p.y, &p.z};
    *axes[map::MapView::horizontalAxis(proj)] = click.horizontal;
    *axes[map::MapView::verticalAxis(proj)] = click.vertical;
    return p;
}

void setStartPoint1(Editor& e, int index, MapClick click) {
    mission::ShipgroupRecord r(e.store, index);
    r.setStartPoint(0, placed(e, r.startPoint(0), click));
    r.set(sg::startPointRegion, static_cast<uint8_t>(e.mapView.currentRegion()));
}

bool appendAt(Editor& e, MapClick click, bool copyCurrent, const FillShipgroup& fill) {
    auto& s = e.store;
    if (s.shipgroupCount >= kMaxMapShipgroups || s.shipgroupCount < 0) return false;
    const int to = s.shipgroupCount;
    if (copyCurrent) {
        const int from = std::clamp(s.currentShipgroup, 0, std::max(0, s.shipgroupCount - 1));
        s.copySlot(Table::Shipgroups, from, to);
    }
    // A slot taken by the map starts without goal and order texts, whatever
    // an earlier use of the slot left there.
    mission::clearShipgroupTexts(s, to);
    s.shipgroupCount = to + 1;
    s.currentShipgroup = to;
    setStartPoint1(e, to, click);
    if (fill) fill(to);
    e.shipgroupEvents.notify(ShipgroupEvent::Added);
    e.shipgroupEvents.notify(ShipgroupEvent::CurrentChanged);
    writeHeaderShipgroupCount(e);
    return true;
}

bool validCurrent(const Editor& e) {
    return e.store.currentShipgroup >= 0 && e.store.currentShipgroup < e.store.shipgroupCount;
}
}  // namespace

MapClick clickAt(const Editor& editor, int x, int y) {
    return {editor.mapView.positionFromX(x), editor.mapView.positionFromY(y)};
}

void writeHeaderShipgroupCount(Editor& editor) {
    editor.store.setByte(Table::Header, 0, kHeaderShipgroupCount,
                         static_cast<uint8_t>(editor.store.shipgroupCount));
}

bool addShipgroupAt(Editor& editor, MapClick click, const FillShipgroup& fill) {
    return appendAt(editor, click, false, fill);
}

bool copyShipgroupAt(Editor& editor, MapClick click) { return appendAt(editor, click, true, {}); }

void moveStartPoint(Editor& editor, MapClick click) {
    if (!validCurrent(editor)) return;
    setStartPoint1(editor, editor.store.currentShipgroup, click);
    editor.mapChanged.notify();
    editor.shipgroupEvents.notify(ShipgroupEvent::Waypoints);
}

bool placeWaypoint(Editor& editor, int k, MapClick click) {
    const int order = editor.viewSwitches.currentOrder;
    if (order < 1 || order > 4 || k < 1 || k > 8 || !validCurrent(editor)) return false;
    const int region = editor.mapView.currentRegion();
    mission::ShipgroupRecord r(editor.store, editor.store.currentShipgroup);
    mission::Point3 p = placed(editor, r.waypoint(region, order - 1, k - 1), click);
    p.enabled = 1;
    r.setWaypoint(region, order - 1, k - 1, p);
    editor.mapChanged.notify();
    editor.shipgroupEvents.notify(ShipgroupEvent::Waypoints);
    return true;
}

int selectAt(Editor& editor, MapClick click) {
    const int proj = projection(editor);
    const int region = editor.mapView.currentRegion();
    const int h = map::MapView::horizontalAxis(proj), v = map::MapView::verticalAxis(proj);
    int matches = 0;
    for (int i = 0; i < editor.store.shipgroupCount; ++i) {
        const mission::ShipgroupView r(editor.store, i);
        if (r.get(sg::startPointRegion) != region) continue;
        const mission::Point3 p = r.startPoint(0);
        if (std::abs(map::MapView::component(p, h) - click.horizontal) >= kSelectReach ||
            std::abs(map::MapView::component(p, v) - click.vertical) >= kSelectReach)
            continue;
        editor.store.currentShipgroup = i;
        editor.shipgroupEvents.notify(ShipgroupEvent::CurrentChanged);
        ++matches;
    }
    return matches;
}

std::vector<StartPoint> startPointsOf(const Editor& editor, std::span<const int> shipgroups) {
    std::vector<StartPoint> out;
    for (int i : shipgroups) {
        if (i < 0 || i >= editor.store.shipgroupCount) continue;
        const mission::ShipgroupView r(editor.store, i);
        out.push_back({i, r.startPoint(0), r.startPointRegion(0)});
    }
    return out;
}

void moveStartPoints(Editor& editor, std::span<const StartPoint> from, int dh, int dv) {
    const int proj = projection(editor);
    const int h = map::MapView::horizontalAxis(proj), v = map::MapView::verticalAxis(proj);
    auto held = [](int value) { return static_cast<int16_t>(std::clamp(value, -32768, 32767)); };
    for (const StartPoint& s : from) {
        const MapClick to{held(map::MapView::component(s.point, h) + dh),
                          held(map::MapView::component(s.point, v) + dv)};
        mission::ShipgroupRecord r(editor.store, s.shipgroup);
        r.setStartPoint(0, placed(editor, s.point, to));
        r.set(sg::startPointRegion, static_cast<uint8_t>(editor.mapView.currentRegion()));
    }
}

void moveRoutePoints(Editor& editor, int shipgroup, int dh, int dv) {
    if (shipgroup < 0 || shipgroup >= editor.store.shipgroupCount) return;
    const int proj = projection(editor);
    const int h = map::MapView::horizontalAxis(proj), v = map::MapView::verticalAxis(proj);
    const int region = editor.mapView.currentRegion();
    auto held = [](int value) { return static_cast<int16_t>(std::clamp(value, -32768, 32767)); };
    auto moved = [&](mission::Point3 p) {
        return placed(
            editor, p,
            {held(map::MapView::component(p, h) + dh), held(map::MapView::component(p, v) + dv)});
    };
    mission::ShipgroupRecord r(editor.store, shipgroup);
    for (int k = 1; k < 4; ++k)
        if (r.startPointRegion(k) == region && r.startPoint(k).enabled == 1)
            r.setStartPoint(k, moved(r.startPoint(k)));
    for (int order = 0; order < 4; ++order)
        for (int k = 0; k < 8; ++k)
            if (const mission::Point3 w = r.waypoint(region, order, k); w.enabled == 1)
                r.setWaypoint(region, order, k, moved(w));
}

void restoreStartPoints(Editor& editor, std::span<const StartPoint> from) {
    for (const StartPoint& s : from) {
        mission::ShipgroupRecord r(editor.store, s.shipgroup);
        r.setStartPoint(0, s.point);
        r.set(sg::startPointRegion, static_cast<uint8_t>(s.region));
    }
}

std::vector<int> shipgroupsInside(const Editor& editor, MapClick a, MapClick b) {
    const int proj = projection(editor);
    const int h = map::MapView::horizontalAxis(proj), v = map::MapView::verticalAxis(proj);
    const int region = editor.mapView.currentRegion();
    const int h0 = std::min(a.horizontal, b.horizontal), h1 = std::max(a.horizontal, b.horizontal);
    const int v0 = std::min(a.vertical, b.vertical), v1 = std::max(a.vertical, b.vertical);
    std::vector<int> out;
    const int count = std::clamp(editor.store.shipgroupCount, 0, mission::kMaxShipgroups);
    for (int i = 0; i < count; ++i) {
        const mission::ShipgroupView r(editor.store, i);
        if (r.get(sg::startPointRegion) != region) continue;
        const mission::Point3 p = r.startPoint(0);
        const int ph = map::MapView::component(p, h), pv = map::MapView::component(p, v);
        if (ph >= h0 && ph <= h1 && pv >= v0 && pv <= v1) out.push_back(i);
    }
    return out;
}

void listRebuilt(Editor& editor) {
    auto& s = editor.store;
    s.currentShipgroup = std::clamp(s.currentShipgroup, 0, std::max(0, s.shipgroupCount - 1));
    writeHeaderShipgroupCount(editor);
    editor.shipgroupEvents.notify(ShipgroupEvent::ListCleared);
    editor.shipgroupEvents.notify(ShipgroupEvent::ListRefilled);
    editor.shipgroupEvents.notify(ShipgroupEvent::CurrentChanged);
    editor.mapChanged.notify();
}

}  // namespace quendar::app
