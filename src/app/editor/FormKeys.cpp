#include "app/editor/FormKeys.h"

#include <ostream>

namespace quendar::app {

const char* formName(FormKey key) {
    switch (key) {
        case FormKey::Shipgroups: return "Shipgroups";
        case FormKey::ShipgroupsView: return "Shipgroups&Viewcontrol";
        case FormKey::Basic: return "Basic";
        case FormKey::Arrival: return "Arrival";
        case FormKey::Departure: return "Departure";
        case FormKey::Orders: return "Orders";
        case FormKey::Waypoints: return "Waypoints";
        case FormKey::Advanced: return "Advanced options";
        case FormKey::Options: return "Options";
        case FormKey::Goals: return "Goals";
        case FormKey::OrdersWizard: return "Orders Wizard";
        case FormKey::MotionWizard: return "Motion Wizard";
    }
    return "?";
}

std::ostream& operator<<(std::ostream& out, FormKey key) { return out << formName(key); }

}  // namespace quendar::app
