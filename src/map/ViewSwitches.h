#pragma once

#include <array>

namespace quendar::map {

// What the map shows beside the view itself: the switches of the shipgroup
// view-control dialog, the order whose waypoints are edited and drawn, and the
// mode of the map. The editor object holds one of these; the renderer reads it.
struct ViewSwitches {
    // "Order 1 waypoints".."Order 4 waypoints": paths of other shipgroups for that order.
    std::array<bool, 4> showOrderWaypoints{true, false, false, false};
    // "IFF 1 waypoints".."IFF 6 waypoints": paths of shipgroups of IFF 0..5.
    std::array<bool, 6> showIffWaypoints{true, true, false, false, false, false};
    // "Backdrop" under "Icons": shipgroups of the backdrop craft type are drawn.
    bool showBackdrops = true;
    // The order (1..4) whose waypoints the tools place and the map draws for the
    // current shipgroup; 0 until an order button has been pressed (no path then).
    int currentOrder = 0;
    // The map shows the briefing instead of the mission layer.
    bool briefingMode = false;

    // The start values, which a new mission restores (the mode and the order stay).
    void resetViewControl() {
        showOrderWaypoints = {true, false, false, false};
        showIffWaypoints = {true, true, false, false, false, false};
    }
};

}  // namespace quendar::map
