#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "app/editor/Editor.h"

namespace quendar::app {

// The shipgroup changes made with the mouse on the map. Each acts on the
// store at once and sends the shipgroup events the frame relays; positions are
// a click already turned into mission units for the shown projection.

// The map may fill every shipgroup slot the mission file counts.
constexpr int kMaxMapShipgroups = 200;

struct MapClick {
    int16_t horizontal = 0;
    int16_t vertical = 0;
};

// The click in mission units at client pixel (x, y) of the map.
MapClick clickAt(const Editor& editor, int x, int y);

// Appends a shipgroup (the record its free slot holds) at the click in the
// shown region and makes it current; Added and CurrentChanged, and the header count.
// False (nothing done) at the limit. `fill` writes further fields of the new
// shipgroup (by index) before the events go out.
using FillShipgroup = std::function<void(int index)>;
bool addShipgroupAt(Editor& editor, MapClick click, const FillShipgroup& fill = {});
// The same with a copy of the current shipgroup's record (not its goal and
// order texts).
bool copyShipgroupAt(Editor& editor, MapClick click);
// Start point 1 of the current shipgroup to the click, in the shown region;
// only the two coordinates of the projection change. Sends Waypoints.
void moveStartPoint(Editor& editor, MapClick click);
// Waypoint k (1..8) of the current order in the shown region to the click and
// in use; sends Waypoints. False (nothing written) while no order is chosen.
bool placeWaypoint(Editor& editor, int k, MapClick click);
// A click reaches a start point less than this many units away on both axes.
constexpr int kSelectReach = 10;
// Every shipgroup of the shown region whose start point 1 lies within 10
// units of the click on both axes becomes current in turn (CurrentChanged each), so
// the highest index wins. Returns the number of matches.
int selectAt(Editor& editor, MapClick click);

// Start point 1 of a shipgroup as it was before a move, to move from and to
// put back.
struct StartPoint {
    int shipgroup = 0;
    mission::Point3 point;
    int region = 0;
};
std::vector<StartPoint> startPointsOf(const Editor& editor, std::span<const int> shipgroups);
// Each shipgroup's start point 1 to where it was plus (dh, dv) position units
// on the projected axes, held inside the 16-bit range, in the shown region;
// the third coordinate keeps its value. No events.
void moveStartPoints(Editor& editor, std::span<const StartPoint> from, int dh, int dv);
// The other positions of a shipgroup in the shown region, those the map
// draws (start points 2..4 there and the waypoints in use of its orders
// there), plus (dh, dv) position units on the projected axes, held inside
// the 16-bit range; the third coordinate keeps its value. No events.
void moveRoutePoints(Editor& editor, int shipgroup, int dh, int dv);
// Puts the start points (and regions) back as they were.
void restoreStartPoints(Editor& editor, std::span<const StartPoint> from);
// The shipgroups of the shown region whose start point 1 lies in the box
// spanned by two clicks (edges included), ascending.
std::vector<int> shipgroupsInside(const Editor& editor, MapClick a, MapClick b);
// After shipgroups were taken out of or put into the list: the current
// shipgroup stays inside it, the header counts them, the list forms rebuild
// (ListCleared, ListRefilled, CurrentChanged) and the map repaints.
void listRebuilt(Editor& editor);

// Writes the header's shipgroup count from the store's counter.
void writeHeaderShipgroupCount(Editor& editor);

}  // namespace quendar::app
