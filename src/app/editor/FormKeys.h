#pragma once

#include <array>
#include <iosfwd>

namespace quendar::app {

// The modeless forms the frame owns, as the window and the frame logic both
// name them: one open window per key.
enum class FormKey {
    Shipgroups,
    ShipgroupsView,
    Basic,
    Arrival,
    Departure,
    Orders,
    Waypoints,
    Advanced,
    Options,
    Goals,
    OrdersWizard,
    MotionWizard,
};

inline constexpr std::array<FormKey, 12> kAllForms{
    FormKey::Shipgroups, FormKey::ShipgroupsView, FormKey::Basic,        FormKey::Arrival,
    FormKey::Departure,  FormKey::Orders,         FormKey::Waypoints,    FormKey::Advanced,
    FormKey::Options,    FormKey::Goals,          FormKey::OrdersWizard, FormKey::MotionWizard};

// A short name for the keys: form::Basic.
using form = FormKey;

// The form's name ("Shipgroups&Viewcontrol", "Motion Wizard"), for messages.
const char* formName(FormKey key);
std::ostream& operator<<(std::ostream& out, FormKey key);

}  // namespace quendar::app
