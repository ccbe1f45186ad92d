#pragma once

#include <cstdint>
#include <optional>

#include "briefing/BriefingModel.h"

namespace quendar::briefing {

// A briefing ship found under a click: its slot and the craft type and IFF of
// its latest show command at the time.
struct PickedShip {
    int slot = 0, craftType = 0, iff = 0;
    bool operator==(const PickedShip&) const = default;
};

// A ship is hit when its position at `time` lies strictly within 20 units of
// the click on both axes; every slot with a show command at `time` counts,
// type 0 included. Of several ships hit, the highest slot wins.
constexpr int kHitDistance = 20;
std::optional<PickedShip> hitTest(const BriefingModel& model, int32_t time, int x, int y);

// The lowest ship slot a new ship may take at `time`; none when every slot is
// taken.
std::optional<int> lowestFreeSlot(const BriefingModel& model, int32_t time);

// Where a ship stands at `time`: its latest move at or before it, but only
// when it has been shown by then; (0, 0) otherwise.
struct ShipPosition {
    int x = 0;
    int y = 0;
    bool operator==(const ShipPosition&) const = default;
};
ShipPosition shipPositionAt(const BriefingModel& model, int slot, int32_t time);

// The Motion Wizard's simple moving: one move per unit from `start` up to
// (not including) `stop`, in equal integer steps (truncated toward zero) from
// the ship's position at `start` towards (x, y). Moves that do not fit the
// list are dropped. Returns the number appended (0 when stop <= start).
int appendSimpleMove(BriefingModel& model, int slot, int32_t start, int32_t stop, int x, int y);

}  // namespace quendar::briefing
