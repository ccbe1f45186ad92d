#pragma once

#include <vector>

#include "map/Canvas.h"
#include "map/MapView.h"

namespace quendar::map {

struct PaintInput;

// The ring around a selected shipgroup and the rubber band: cyan, which no
// IFF is drawn in.
inline constexpr Colour kSelectionColour = core::rgb(0, 255, 255);

// What the map marks on top of the mission: the selected shipgroups and,
// while one is drawn, the rubber band (window pixels of its two corners).
struct SelectionMarks {
    std::vector<int> shipgroups;
    bool band = false;
    PixelPoint bandFrom;
    PixelPoint bandTo;
};

// Draws a ring around start point 1 of every selected shipgroup of the shown
// region, then the rubber band. Nothing in briefing mode.
void paintSelection(Canvas& canvas, const PaintInput& in, const SelectionMarks& marks);

}  // namespace quendar::map
