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

// The editor as the shipgroup forms see it: the map repaints and forms open
// through the editor's notifiers; the craft pictures are drawn from the
// editor's icons in the current shipgroup's colour, and the shown region is
// the map's.
class EditorForShipgroups final : public shipgroup::ShipgroupPort {
  public:
    explicit EditorForShipgroups(Editor& editor) : m_editor(editor) {}
    void repaintMap() override { m_editor.mapChanged.notify(); }
    void openForm(FormKind kind) override {
        m_editor.openFormRequested.notify(FormWiring::keyOf(kind));
    }
    core::RgbaImage craftIcon(int craftType) const override {
        const int iff =
            mission::ShipgroupView(m_editor.store, m_editor.store.currentShipgroup).iff();
        return map::renderIconImage(m_editor.icons.icon(craftType), iff, 100).image;
    }
    int currentRegion() const override { return m_editor.mapView.currentRegion(); }

  private:
    Editor& m_editor;
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

FormWiring::FormWiring(FrameLogic& logic, Editor& editor, core::Prompter& prompter)
    : m_port(std::make_unique<EditorForShipgroups>(editor)), m_checks(logic, editor, prompter) {
    auto ctx = std::make_unique<shipgroup::ShipgroupContext>(editor.store, editor.shipgroupEvents,
                                                             prompter, *m_port, &editor.craftList);
    map::ViewSwitches& sw = editor.viewSwitches;
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
    wireSettingsForms(logic, prompter, *m_shipgroups);
}

FormWiring::~FormWiring() = default;

}  // namespace quendar::app
