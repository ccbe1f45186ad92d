#include "app/frame/FormWiring.h"

#include "app/frame/SettingsWiring.h"
#include "shipgroup/FormFactory.h"
#include "shipgroup/OrdersWizard.h"

namespace quendar::app {

using shipgroup::FormKind;

namespace {
constexpr FormKind kShipgroupForms[] = {FormKind::Shipgroups, FormKind::ShipgroupsViewcontrol,
                                        FormKind::Basic,      FormKind::Advanced,
                                        FormKind::Arrival,    FormKind::Departure,
                                        FormKind::Orders,     FormKind::Waypoints,
                                        FormKind::Goals,      FormKind::Options};
constexpr int kOrdersWizardCommand = 32925;
}  // namespace

const std::string& FormWiring::keyOf(FormKind kind) {
    switch (kind) {
        case FormKind::Shipgroups:
            return form::Shipgroups;
        case FormKind::ShipgroupsViewcontrol:
            return form::ShipgroupsView;
        case FormKind::Basic:
            return form::Basic;
        case FormKind::Advanced:
            return form::Advanced;
        case FormKind::Arrival:
            return form::Arrival;
        case FormKind::Departure:
            return form::Departure;
        case FormKind::Orders:
            return form::Orders;
        case FormKind::Waypoints:
            return form::Waypoints;
        case FormKind::Goals:
            return form::Goals;
        case FormKind::Options:
            return form::Options;
    }
    return form::Basic;
}

int FormWiring::commandOf(FormKind kind) {
    switch (kind) {
        case FormKind::Shipgroups:
            return cmd::Shipgroups;
        case FormKind::ShipgroupsViewcontrol:
            return cmd::ShipgroupsView;
        case FormKind::Basic:
            return cmd::Basic;
        case FormKind::Advanced:
            return cmd::Advanced;
        case FormKind::Arrival:
            return cmd::Arrival;
        case FormKind::Departure:
            return cmd::Departure;
        case FormKind::Orders:
            return cmd::Orders;
        case FormKind::Waypoints:
            return cmd::Waypoints;
        case FormKind::Goals:
            return cmd::Goals;
        case FormKind::Options:
            return cmd::Options;
    }
    return 0;
}

FormWiring::FormWiring(FrameLogic& logic, Editor& editor, core::Prompter& prompter,
                       FormServices services)
    : m_editor(editor) {
    auto ctx = std::make_unique<shipgroup::ShipgroupContext>(editor.store, editor.shipgroupEvents,
                                                             prompter, &editor.craftList);
    map::ViewSwitches& sw = services.switches;
    for (size_t k = 0; k < sw.showOrderWaypoints.size(); ++k)
        ctx->view.orderWaypoints[k] = &sw.showOrderWaypoints[k];
    for (size_t k = 0; k < sw.showIffWaypoints.size(); ++k)
        ctx->view.iffWaypoints[k] = &sw.showIffWaypoints[k];
    ctx->view.backdrops = &sw.showBackdrops;
    ctx->repaintMap = [&editor] { editor.mapChanged.notify(); };
    ctx->openForm = [&editor](FormKind kind) { editor.openFormRequested.notify(keyOf(kind)); };
    ctx->craftIcon = std::move(services.craftIcon);
    ctx->currentRegion = std::move(services.currentRegion);
    m_shipgroups = std::move(ctx);

    for (FormKind kind : kShipgroupForms) {
        logic.registerForm(keyOf(kind), commandOf(kind),
                           [this, kind](Editor&) -> std::shared_ptr<core::FormModel> {
                               return shipgroup::createForm(kind, *m_shipgroups);
                           });
    }
    // The Orders wizard writes into the order slot and region the map uses.
    logic.registerForm(form::OrdersWizard, kOrdersWizardCommand,
                       [this](Editor& e) -> std::shared_ptr<core::FormModel> {
                           return std::make_shared<shipgroup::OrdersWizard>(
                               *m_shipgroups, e.mapView.currentRegion(),
                               e.viewSwitches.currentOrder);
                       });
    wireSettingsForms(logic, editor, prompter, *m_shipgroups);
}

// The check box of the Save path goes with the window that shows it.
FormWiring::~FormWiring() { m_editor.validationBox = nullptr; }

}  // namespace quendar::app
