#include "app/frame/FormWiring.h"

#include "app/frame/SettingsWiring.h"
#include "map/IconImages.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/FormFactory.h"
#include "shipgroup/OrdersWizard.h"

namespace quendar::app {

using shipgroup::FormKind;

namespace {
// Each shipgroup form: its key among the frame's forms and its menu command.
struct ShipgroupFormEntry {
    FormKind kind;
    FormKey key;
    CommandId command;
};
const ShipgroupFormEntry kShipgroupForms[] = {
    {FormKind::Shipgroups, form::Shipgroups, cmd::Shipgroups},
    {FormKind::ShipgroupsViewcontrol, form::ShipgroupsView, cmd::ShipgroupsView},
    {FormKind::Basic, form::Basic, cmd::Basic},
    {FormKind::Advanced, form::Advanced, cmd::Advanced},
    {FormKind::Arrival, form::Arrival, cmd::Arrival},
    {FormKind::Departure, form::Departure, cmd::Departure},
    {FormKind::Orders, form::Orders, cmd::Orders},
    {FormKind::Waypoints, form::Waypoints, cmd::Waypoints},
    {FormKind::Goals, form::Goals, cmd::Goals},
    {FormKind::Options, form::Options, cmd::Options}};
}  // namespace

FormKey FormWiring::keyOf(FormKind kind) {
    for (const auto& e : kShipgroupForms)
        if (e.kind == kind) return e.key;
    return form::Basic;
}

CommandId FormWiring::commandOf(FormKind kind) {
    for (const auto& e : kShipgroupForms)
        if (e.kind == kind) return e.command;
    return CommandId::None;
}

FormWiring::FormWiring(FrameLogic& logic, Editor& editor, core::Prompter& prompter)
    : m_checks(logic, editor, prompter) {
    auto ctx = std::make_unique<shipgroup::ShipgroupContext>(editor.store, editor.shipgroupEvents,
                                                             prompter, &editor.craftList);
    map::ViewSwitches& sw = editor.viewSwitches;
    for (size_t k = 0; k < sw.showOrderWaypoints.size(); ++k)
        ctx->view.orderWaypoints[k] = &sw.showOrderWaypoints[k];
    for (size_t k = 0; k < sw.showIffWaypoints.size(); ++k)
        ctx->view.iffWaypoints[k] = &sw.showIffWaypoints[k];
    ctx->view.backdrops = &sw.showBackdrops;
    ctx->repaintMap = [&editor] { editor.mapChanged.notify(); };
    ctx->openForm = [&editor](FormKind kind) { editor.openFormRequested.notify(keyOf(kind)); };
    // The picture in the current shipgroup's colour.
    ctx->craftIcon = [&editor](int craftType) {
        const int iff = mission::ShipgroupView(editor.store, editor.store.currentShipgroup).iff();
        return map::renderIconImage(editor.icons.icon(craftType), iff, 100).image;
    };
    ctx->currentRegion = [&editor] { return editor.mapView.currentRegion(); };
    m_shipgroups = std::move(ctx);

    for (const auto& [kind, key, command] : kShipgroupForms) {
        logic.registerForm(key, command,
                           [this, kind = kind](Editor&) -> std::shared_ptr<core::FormModel> {
                               return shipgroup::createForm(kind, *m_shipgroups);
                           });
    }
    // The Orders wizard writes into the order slot and region the map uses.
    logic.registerForm(form::OrdersWizard, cmd::OrdersWizard,
                       [this](Editor& e) -> std::shared_ptr<core::FormModel> {
                           return std::make_shared<shipgroup::OrdersWizard>(
                               *m_shipgroups, e.mapView.currentRegion(),
                               e.viewSwitches.currentOrder);
                       });
    wireSettingsForms(logic, prompter, *m_shipgroups);
}

FormWiring::~FormWiring() = default;

}  // namespace quendar::app
