#include "app/frame/FormWiring.h"

#include "app/frame/SettingsWiring.h"
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

// The window as the shipgroup forms see it: the map repaints and forms open
// through the editor's notifiers; icons and the shown region come from the window.
class WindowForShipgroups final : public shipgroup::ShipgroupPort {
  public:
    WindowForShipgroups(Editor& editor, FormServices services)
        : m_editor(editor), m_services(std::move(services)) {}
    void repaintMap() override { m_editor.mapChanged.notify(); }
    void openForm(FormKind kind) override {
        m_editor.openFormRequested.notify(FormWiring::keyOf(kind));
    }
    core::RgbaImage craftIcon(int craftType) const override {
        return m_services.craftIcon ? m_services.craftIcon(craftType) : core::RgbaImage();
    }
    int currentRegion() const override {
        return m_services.currentRegion ? m_services.currentRegion() : 0;
    }

  private:
    Editor& m_editor;
    FormServices m_services;
};
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

FormWiring::FormWiring(FrameLogic& logic, Editor& editor, core::Prompter& prompter,
                       FormServices services)
    : m_editor(editor) {
    map::ViewSwitches& sw = services.switches;
    m_port = std::make_unique<WindowForShipgroups>(editor, std::move(services));
    auto ctx = std::make_unique<shipgroup::ShipgroupContext>(editor.store, editor.shipgroupEvents,
                                                             prompter, *m_port, &editor.craftList);
    for (size_t k = 0; k < sw.showOrderWaypoints.size(); ++k)
        ctx->view.orderWaypoints[k] = &sw.showOrderWaypoints[k];
    for (size_t k = 0; k < sw.showIffWaypoints.size(); ++k)
        ctx->view.iffWaypoints[k] = &sw.showIffWaypoints[k];
    ctx->view.backdrops = &sw.showBackdrops;
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
    wireSettingsForms(logic, editor, prompter, *m_shipgroups);
}

// The check box of the Save path goes with the window that shows it.
FormWiring::~FormWiring() { m_editor.validationBox = nullptr; }

}  // namespace quendar::app
