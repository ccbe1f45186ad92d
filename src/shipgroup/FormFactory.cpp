#include "shipgroup/FormFactory.h"

#include "shipgroup/ArrivalDepartureForm.h"
#include "shipgroup/BasicForm.h"
#include "shipgroup/GoalsForm.h"
#include "shipgroup/ListForms.h"
#include "shipgroup/OptionsForm.h"
#include "shipgroup/OrdersForm.h"

namespace quendar::shipgroup {

std::unique_ptr<ShipgroupForm> createForm(FormKind kind, const ShipgroupContext& ctx) {
    using W = ArrivalDepartureForm::Which;
    switch (kind) {
        case FormKind::Shipgroups: return std::make_unique<ShipgroupsForm>(ctx);
        case FormKind::ShipgroupsViewcontrol: return std::make_unique<ViewcontrolForm>(ctx);
        case FormKind::Basic: return std::make_unique<BasicForm>(ctx);
        case FormKind::Advanced: return std::make_unique<AdvancedForm>(ctx);
        case FormKind::Arrival: return std::make_unique<ArrivalDepartureForm>(ctx, W::Arrival);
        case FormKind::Departure: return std::make_unique<ArrivalDepartureForm>(ctx, W::Departure);
        case FormKind::Orders: return std::make_unique<OrdersForm>(ctx);
        case FormKind::Waypoints: return std::make_unique<WaypointsForm>(ctx);
        case FormKind::Goals: return std::make_unique<GoalsForm>(ctx);
        case FormKind::Options: return std::make_unique<OptionsForm>(ctx);
    }
    return nullptr;
}

}  // namespace quendar::shipgroup
