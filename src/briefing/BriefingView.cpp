#include "briefing/BriefingView.h"

namespace quendar::briefing {

namespace {

constexpr int32_t kNone = -1;

// The latest counting record of a list, or nullptr.
const Record* latest(const BriefingModel& m, Kind kind, int32_t time) {
    const Record* best = nullptr;
    for (const Record& r : m.records(kind)) {
        if (r.time < 0 || r.time > time) continue;
        if (!best || r.time >= best->time) best = &r;
    }
    return best;
}

// The latest counting record per ship slot (parameter 0), optionally only
// among records at or after `from`.
void latestPerSlot(const BriefingModel& m, Kind kind, int32_t time, int32_t from,
                   std::array<const Record*, kShipSlots>& out) {
    out.fill(nullptr);
    for (const Record& r : m.records(kind)) {
        if (r.time < 0 || r.time > time || r.time < from) continue;
        const int slot = r.param(0);
        if (slot < 0 || slot >= kShipSlots) continue;
        const Record*& best = out[static_cast<size_t>(slot)];
        if (!best || r.time >= best->time) best = &r;
    }
}

int32_t timeOf(const Record* r) { return r ? r->time : kNone; }

}  // namespace

LockedView lockedViewAt(const BriefingModel& m, int32_t time) {
    LockedView v;
    if (const Record* z = latest(m, BRC_ZOOM, time)) v.zoom = z->params[0].low & 0xFF;
    if (const Record* c = latest(m, BRC_MOVEMAP, time)) {
        v.x = c->param(0);
        v.y = c->param(1);
    }
    if (const Record* r = latest(m, BRC_REGION, time)) v.region = r->param(0);
    return v;
}

BriefingView briefingViewAt(const BriefingModel& m, int32_t time) {
    BriefingView v;
    v.time = time;
    const Record* region = latest(m, BRC_REGION, time);
    v.regionTime = region ? region->time : 0;
    v.regionScreen = region && region->time == time;
    if (const Record* lower = latest(m, BRC_LOWER, time)) {
        if (lower->param(0) >= 0) v.bottomText = lower->param(0);
    }
    if (const Record* tech = latest(m, BRC_TECH, time)) v.techData = tech->param(0) == 1;

    std::array<const Record*, kShipSlots> shows, coords, orients;
    latestPerSlot(m, BRC_SHOW, time, 0, shows);
    latestPerSlot(m, BRC_COORD, time, 0, coords);
    latestPerSlot(m, BRC_ORIENT, time, v.regionTime, orients);
    auto shipState = [&](int slot) {
        ShipState s;
        s.slot = slot;
        const Record* show = shows[static_cast<size_t>(slot)];
        s.craftType = show->param(1);
        s.iff = show->param(2);
        if (const Record* c = coords[static_cast<size_t>(slot)]) {
            s.x = c->param(1);
            s.y = c->param(2);
        }
        if (const Record* o = orients[static_cast<size_t>(slot)]) s.direction = o->param(1);
        return s;
    };
    for (int slot = 0; slot < kShipSlots; ++slot) {
        const Record* show = shows[static_cast<size_t>(slot)];
        if (!show || show->time < v.regionTime) continue;
        v.ships.push_back(shipState(slot));
    }

    // A selection marks a ship that has been shown; the box takes the ship's
    // latest show command even when the region change hid the ship itself.
    const int32_t clearSel = timeOf(latest(m, BRC_CLEARSEL, time));
    for (int k = 1; k <= kMarkSlots; ++k) {
        const Record* sel = latest(m, selectKind(k), time);
        if (!sel || sel->time < v.regionTime || clearSel >= sel->time) continue;
        const int ship = sel->param(0);
        if (ship < 0 || ship >= kShipSlots || !shows[static_cast<size_t>(ship)]) continue;
        v.selections.push_back({k, shipState(ship)});
    }
    const int32_t clearTags = timeOf(latest(m, BRC_CLEARTAGS, time));
    for (int k = 1; k <= kMarkSlots; ++k) {
        const Record* tag = latest(m, tagKind(k), time);
        if (!tag || tag->time < v.regionTime || clearTags >= tag->time) continue;
        v.tags.push_back({k, tag->param(0), tag->param(1), tag->param(2), tag->param(3)});
    }
    v.lockedView = lockedViewAt(m, time);
    return v;
}

}  // namespace quendar::briefing
