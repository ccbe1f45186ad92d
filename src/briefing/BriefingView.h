#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "briefing/BriefingModel.h"

namespace quendar::briefing {

constexpr int kShipSlots = 255;  // briefing ship slots 0..254
constexpr int kMarkSlots = 8;    // selection and tag slots 1..8
constexpr int kDefaultBriefingZoom = 32;

// A briefing ship as the view shows it: craft type and IFF of its latest
// show command, position of its latest move, direction 0..3.
struct ShipState {
    int slot = 0, craftType = 0, iff = 0;
    int x = 0, y = 0, direction = 0;
    bool operator==(const ShipState&) const = default;
};

// A selection box: slot 1..8 and the ship it marks, drawn with that ship's
// type, IFF, position and direction (`ship`).
struct SelectionState {
    int slot = 1;
    ShipState ship;
    bool operator==(const SelectionState&) const = default;
};

// A tag on the map: slot 1..8, index into the tag strings, position, colour
// (an IFF index).
struct TagState {
    int slot = 1, tag = 0;
    int x = 0, y = 0, colour = 0;
    bool operator==(const TagState&) const = default;
};

// Where the locked view puts the map: zoom (the low byte of the latest zoom
// command), the point in the window's middle and the region.
struct LockedView {
    int zoom = kDefaultBriefingZoom;
    int x = 0, y = 0, region = 0;
    bool operator==(const LockedView&) const = default;
};

// What the briefing shows at one time. Nothing of it is stored: it is worked
// out from the command lists whenever it is needed.
struct BriefingView {
    int32_t time = 0;
    int32_t regionTime = 0;                  // time of the latest region change, 0 without one
    std::optional<int> bottomText;           // text-string index of the latest bottom text
    bool techData = false;                   // the technical-data screen is up
    bool regionScreen = false;               // a region change lies exactly at this time
    std::vector<ShipState> ships;            // in slot order
    std::vector<SelectionState> selections;  // in slot order
    std::vector<TagState> tags;              // in slot order
    LockedView lockedView;
};

// The view at time T. A command counts when 0 <= its time <= T; the latest
// command of a list is the counting one with the greatest time, and among
// equal times the one stored later in the list.
BriefingView briefingViewAt(const BriefingModel& model, int32_t time);

// Only the locked view at T (what the map follows while the lock is on).
LockedView lockedViewAt(const BriefingModel& model, int32_t time);

}  // namespace quendar::briefing
