#include "app/FormWiring.h"

namespace quendar::app {

void wireForms(FrameLogic& logic) {
    // The shipgroup forms (Shipgroups, Shipgroups&Viewcontrol, Basic, Arrival,
    // Departure, Orders, Waypoints, Advanced options, Options, Goals) and the
    // mission-wide forms register here as their models arrive.
    (void)logic;
}

}  // namespace quendar::app
