#pragma once

namespace quendar::core {

// What changed in the shipgroup list or the current shipgroup. Whoever makes
// the change sends one; the frame relays them to the open forms, which hear
// them through FormModel::receive. The numbers are the editor's own codes.
enum class ShipgroupEvent {
    Added = 1,
    CurrentChanged = 2,
    Renamed = 3,
    TeamNames = 4,
    IffNames = 5,
    Reload = 6,  // the relay's word for "show the current shipgroup again"
    Advanced = 10,
    Waypoints = 19,
    ListCleared = 20,
    ListRefilled = 50,
};

}  // namespace quendar::core
