#include "shipgroup/ListForms.h"

#include "shipgroup/MissionNames.h"

namespace quendar::shipgroup {

using core::Control;

namespace {

// The list box both list forms share: a row per shipgroup, the current one
// selected; choosing a row selects that shipgroup.
core::Binding currentRow(const ShipgroupContext& ctx, ShipgroupList& list) {
    return {[&ctx] {
                const int i = ctx.store.currentShipgroup;
                return i >= 0 && i < ctx.store.shipgroupCount ? i : -1;
            },
            [&list](int row) { list.select(row); }};
}

// A map view switch: the map follows it at once.
core::Binding viewFlag(bool* flag, const ShipgroupContext& ctx) {
    return {[flag] { return flag && *flag ? 1 : 0; },
            [flag, &ctx](int v) {
                if (!flag) return;
                *flag = v != 0;
                ctx.repaint();
            }};
}

bool changesTheList(ShipgroupEvent event) {
    using enum ShipgroupEvent;
    return event == Added || event == CurrentChanged || event == Renamed || event == ListCleared ||
           event == ListRefilled;
}

}  // namespace

ShipgroupsForm::ShipgroupsForm(const ShipgroupContext& ctx)
    : ShipgroupForm(ctx, FormKind::Shipgroups, "Shipgroups"), m_list(ctx) {
    listBox(
        "list", "", "", [&ctx] { return shipgroupNames(ctx.store); }, currentRow(ctx, m_list));
    textEdit("name", "", "", core::heldText(m_name, 19));
    button("add", "Add", "", [this] { m_list.add(m_name); });
    button("copy", "Copy", "", [this] { m_list.copy(); });
    button("deleteSelected", "Delete selected", "", [this] { m_list.deleteSelected(); });
    button("deleteLast", "Delete last", "", [this] { m_list.deleteLast(); });
    const std::pair<const char*, FormKind> opens[] = {{"Basics...", FormKind::Basic},
                                                      {"Advanced...", FormKind::Advanced},
                                                      {"Arrival...", FormKind::Arrival},
                                                      {"Departure...", FormKind::Departure},
                                                      {"Shipgroup orders...", FormKind::Orders},
                                                      {"Waypoints...", FormKind::Waypoints},
                                                      {"Goals...", FormKind::Goals},
                                                      {"Options...", FormKind::Options}};
    int k = 0;
    for (const auto& [label, kind] : opens) {
        button("open" + std::to_string(k++), label, "",
               [this, kind = kind] { m_ctx.port.openForm(kind); });
    }
}

void ShipgroupsForm::receive(ShipgroupEvent event) {
    if (changesTheList(event)) refreshed.notify();
}

ViewcontrolForm::ViewcontrolForm(const ShipgroupContext& ctx)
    : ShipgroupForm(ctx, FormKind::ShipgroupsViewcontrol, "Shipgroups&Viewcontrol"), m_list(ctx) {
    listBox(
        "list", "", "", [&ctx] { return shipgroupNames(ctx.store); }, currentRow(ctx, m_list));
    for (int k = 0; k < 4; ++k)
        checkBox("order" + std::to_string(k + 1), "Order " + std::to_string(k + 1) + " waypoints",
                 "Waypoints", viewFlag(ctx.view.orderWaypoints[k], ctx));
    for (int k = 0; k < 6; ++k)
        checkBox("iff" + std::to_string(k), "IFF " + std::to_string(k + 1) + " waypoints",
                 "Waypoints", viewFlag(ctx.view.iffWaypoints[k], ctx));
    checkBox("backdrop", "Backdrop", "Icons", viewFlag(ctx.view.backdrops, ctx));
    checkBox("ships", "Ships", "Icons", viewFlag(nullptr, ctx)).disabled();
    labelIffBoxes();
}

void ViewcontrolForm::labelIffBoxes() {
    const auto names = iffLabels(m_ctx.store);
    for (int k = 0; k < 6; ++k)
        if (Control* c = find("iff" + std::to_string(k))) c->label = names[k];
}

void ViewcontrolForm::receive(ShipgroupEvent event) {
    if (event == ShipgroupEvent::IffNames) {
        labelIffBoxes();
        refreshed.notify();
    } else if (changesTheList(event)) {
        refreshed.notify();
    }
}

}  // namespace quendar::shipgroup
