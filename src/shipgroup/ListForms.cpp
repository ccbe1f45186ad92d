#include "shipgroup/ListForms.h"

#include "shipgroup/MissionNames.h"

namespace quendar::shipgroup {

using core::Control;
using core::ControlKind;

namespace {

// The list box both list forms share: a row per shipgroup, the current one
// selected; choosing a row selects that shipgroup.
Control shipgroupListBox(const ShipgroupContext& ctx, ShipgroupList& list) {
    Control c;
    c.id = "list";
    c.kind = ControlKind::ListBox;
    c.items = [&ctx] { return shipgroupNames(ctx.store); };
    c.value = [&ctx] {
        const int i = ctx.store.currentShipgroup;
        return i >= 0 && i < ctx.store.shipgroupCount ? i : -1;
    };
    c.setValue = [&list](int row) { list.select(row); };
    return c;
}

Control checkBox(std::string id, std::string label, std::string group, bool* flag,
                 const ShipgroupContext& ctx) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::CheckBox;
    c.label = std::move(label);
    c.group = std::move(group);
    c.value = [flag] { return flag && *flag ? 1 : 0; };
    c.setValue = [flag, &ctx](int v) {
        if (!flag) return;
        *flag = v != 0;
        ctx.repaint();
    };
    return c;
}

bool isListCode(int code) {
    return code == event::added || code == event::currentChanged || code == event::renamed ||
           code == event::listCleared || code == event::listRefilled;
}

}  // namespace

ShipgroupsForm::ShipgroupsForm(const ShipgroupContext& ctx)
    : ShipgroupForm(ctx, FormKind::Shipgroups, "Shipgroups"), m_list(ctx) {
    add(shipgroupListBox(ctx, m_list));
    Control name;
    name.id = "name";
    name.kind = ControlKind::Edit;
    name.maxLength = 19;
    name.text = [this] { return m_name; };
    name.setText = [this](const std::string& t) { m_name = t.substr(0, 19); };
    add(std::move(name));
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
        button("open" + std::to_string(k++), label, "", [this, kind = kind] {
            if (m_ctx.openForm) m_ctx.openForm(kind);
        });
    }
}

void ShipgroupsForm::receive(int code) {
    if (isListCode(code)) refreshed.notify();
}

ViewcontrolForm::ViewcontrolForm(const ShipgroupContext& ctx)
    : ShipgroupForm(ctx, FormKind::ShipgroupsViewcontrol, "Shipgroups&Viewcontrol"), m_list(ctx) {
    add(shipgroupListBox(ctx, m_list));
    for (int k = 0; k < 4; ++k)
        add(checkBox("order" + std::to_string(k + 1),
                     "Order " + std::to_string(k + 1) + " waypoints", "Waypoints",
                     ctx.view.orderWaypoints[k], ctx));
    for (int k = 0; k < 6; ++k)
        add(checkBox("iff" + std::to_string(k), "IFF " + std::to_string(k + 1) + " waypoints",
                     "Waypoints", ctx.view.iffWaypoints[k], ctx));
    add(checkBox("backdrop", "Backdrop", "Icons", ctx.view.backdrops, ctx));
    Control ships = checkBox("ships", "Ships", "Icons", nullptr, ctx);
    ships.enabled = [] { return false; };
    add(std::move(ships));
    labelIffBoxes();
}

void ViewcontrolForm::labelIffBoxes() {
    const auto names = iffLabels(m_ctx.store);
    for (int k = 0; k < 6; ++k)
        if (Control* c = find("iff" + std::to_string(k))) c->label = names[k];
}

void ViewcontrolForm::receive(int code) {
    if (code == event::iffNames) {
        labelIffBoxes();
        refreshed.notify();
    } else if (isListCode(code)) {
        refreshed.notify();
    }
}

}  // namespace quendar::shipgroup
