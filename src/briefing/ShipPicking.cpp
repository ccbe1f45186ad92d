#include "briefing/ShipPicking.h"

#include <array>
#include <limits>

#include "briefing/BriefingView.h"

namespace quendar::briefing {

namespace {

// Per slot, the latest record of `kind` with 0 <= time <= `time` (among equal
// times the one stored later), as the view counts them.
std::array<const Record*, kShipSlots> latestBySlot(const BriefingModel& model, Kind kind,
                                                   int32_t time) {
    std::array<const Record*, kShipSlots> out{};
    for (const Record& r : model.records(kind)) {
        if (r.time < 0 || r.time > time) continue;
        const int slot = r.param(0);
        if (slot < 0 || slot >= kShipSlots) continue;
        const Record*& best = out[static_cast<size_t>(slot)];
        if (!best || r.time >= best->time) best = &r;
    }
    return out;
}

}  // namespace

std::optional<PickedShip> hitTest(const BriefingModel& model, int32_t time, int x, int y) {
    const auto shows = latestBySlot(model, BRC_SHOW, time);
    const auto coords = latestBySlot(model, BRC_COORD, time);
    std::optional<PickedShip> picked;
    for (int slot = 0; slot < kShipSlots; ++slot) {
        const Record* show = shows[static_cast<size_t>(slot)];
        if (!show) continue;
        const Record* at = coords[static_cast<size_t>(slot)];
        const int sx = at ? at->param(1) : 0;
        const int sy = at ? at->param(2) : 0;
        if (sx - x < kHitDistance && x - sx < kHitDistance && sy - y < kHitDistance &&
            y - sy < kHitDistance)
            picked = PickedShip{slot, show->param(1), show->param(2)};
    }
    return picked;
}

std::optional<int> lowestFreeSlot(const BriefingModel& model, int32_t time) {
    constexpr int64_t kNone = std::numeric_limits<int64_t>::min();
    std::array<bool, kShipSlots> named{};
    std::array<bool, kShipSlots> free{};
    std::array<int64_t, kShipSlots> latestSeen{};
    free.fill(true);
    latestSeen.fill(kNone);
    for (const Record& r : model.records(BRC_SHOW)) {
        const int slot = r.param(0);
        if (slot < 0 || slot >= kShipSlots) continue;
        const size_t s = static_cast<size_t>(slot);
        named[s] = true;
        const int type = r.param(1);
        // A ship shown now or later keeps the slot.
        if (r.time >= time && type != 0) free[s] = false;
        // The latest show up to now decides otherwise.
        if (r.time <= time && r.time >= latestSeen[s]) {
            latestSeen[s] = r.time;
            free[s] = type == 0;
        }
    }
    for (int slot = 0; slot < kShipSlots; ++slot)
        if (!named[static_cast<size_t>(slot)] || free[static_cast<size_t>(slot)]) return slot;
    return std::nullopt;
}

ShipPosition shipPositionAt(const BriefingModel& model, int slot, int32_t time) {
    if (slot < 0 || slot >= kShipSlots) return {};
    if (!latestBySlot(model, BRC_SHOW, time)[static_cast<size_t>(slot)]) return {};
    const Record* at = latestBySlot(model, BRC_COORD, time)[static_cast<size_t>(slot)];
    return at ? ShipPosition{at->param(1), at->param(2)} : ShipPosition{};
}

int appendSimpleMove(BriefingModel& model, int slot, int32_t start, int32_t stop, int x, int y) {
    const int64_t d = static_cast<int64_t>(stop) - start;
    if (d < 1) return 0;
    const ShipPosition from = shipPositionAt(model, slot, start);
    const int64_t dx = (static_cast<int64_t>(x) - from.x) / d;
    const int64_t dy = (static_cast<int64_t>(y) - from.y) / d;
    int appended = 0;
    for (int64_t k = 0; k < d; ++k) {
        if (!model.appendCommand(
                BRC_COORD, static_cast<int32_t>(start + k),
                {slot, static_cast<int>(from.x + k * dx), static_cast<int>(from.y + k * dy)}))
            break;
        ++appended;
    }
    return appended;
}

}  // namespace quendar::briefing
