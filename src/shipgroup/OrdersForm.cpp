#include "shipgroup/OrdersForm.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "shipgroup/ArrivalDepartureForm.h"
#include "shipgroup/CodeTables.h"
#include "shipgroup/CraftCatalogue.h"
#include "shipgroup/MissionNames.h"

namespace quendar::shipgroup {

namespace sg = mission::sg;
using core::Control;
using core::ControlKind;
using mission::Table;

namespace {
const std::string kSelect = "Select order";
const std::string kSpecify = "Specify order";
const std::string kProperties = "Order properties";
const std::string kWaypoints =
    "Order waypoints - you don't have to use these, use the graphical map instead";

// Order record fields.
constexpr int kOrder = 0, kThrottle = 1, kParam1 = 2, kParam2 = 3, kParam3 = 4, kParam4 = 5;
constexpr int kTarget3Type = 6, kTarget4Type = 7, kTarget3 = 8, kTarget4 = 9;
constexpr int kTarget34Flag = 10, kParam5 = 11, kTarget1Type = 12, kTarget1 = 13;
constexpr int kTarget2Type = 14, kTarget2 = 15, kTarget12Flag = 16;
constexpr int kParam6 = 17, kParam7 = 18, kParam8 = 19;

std::vector<std::string> paramItems(const ShipgroupContext& ctx, ParamList list) {
    switch (list) {
        case ParamList::Numbers:
            return numberLabels(0, 255);
        case ParamList::Loops: {
            auto t = numberLabels(0, 255);
            t[0] = "Unlimited";
            return t;
        }
        case ParamList::Shipgroups:
            return shipgroupNames(ctx.store);
        case ParamList::Regions: {
            const auto r = regionNames(ctx.store);
            return {r.begin(), r.end()};
        }
    }
    return {};
}

const char* axisName(int axis) { return axis == 0 ? "x" : axis == 1 ? "y" : "z"; }
}  // namespace

// Order targets name the same things as trigger subjects, plus craft categories.
std::vector<std::string> targetItems(const ShipgroupContext& ctx, int type) {
    if (type == kSubjectShipCategory) return targetCategoryLabels();
    return subjectItems(ctx, type);
}

OrdersForm::OrdersForm(const ShipgroupContext& ctx)
    : ShipgroupForm(ctx, FormKind::Orders,
                    "Shipgroup - Orders         You don't have to use this dialog, use "
                    "Order-Wizard instead") {
    if (ctx.currentRegion) m_region = std::clamp(ctx.currentRegion(), 0, 3);

    Control region;
    region.id = "region";
    region.kind = ControlKind::DropDown;
    region.group = kSelect;
    region.row = 0;
    region.items = [this] {
        const auto r = regionNames(m_ctx.store);
        return std::vector<std::string>(r.begin(), r.end());
    };
    region.value = [this] { return m_region; };
    region.setValue = [this](int v) {
        if (v < 0 || v > 3) return;
        m_region = v;
        reload();
    };
    add(std::move(region));
    Control slot;
    slot.id = "slot";
    slot.kind = ControlKind::DropDown;
    slot.group = kSelect;
    slot.row = 0;
    slot.column = 1;
    slot.items = [] {
        return std::vector<std::string>{"Order 1", "Order 2", "Order 3", "Order 4"};
    };
    slot.value = [this] { return m_slot; };
    slot.setValue = [this](int v) {
        if (v < 0 || v > 3) return;
        m_slot = v;
        reload();
    };
    add(std::move(slot));
    Control text;
    text.id = "orderText";
    text.kind = ControlKind::Edit;
    text.group = kSelect;
    text.row = 1;
    text.width = 320;
    text.maxLength = 63;
    text.text = [this] {
        return m_ctx.store.text(Table::OrderStrings,
                                mission::orderStringIndex(currentIndex(), m_region, m_slot), 0,
                                mission::kShortStringSize);
    };
    text.setText = [this](const std::string& t) {
        m_ctx.store.setText(Table::OrderStrings,
                            mission::orderStringIndex(currentIndex(), m_region, m_slot), 0,
                            mission::kShortStringSize, std::string_view(t).substr(0, 63));
    };
    add(std::move(text));

    Control ord;
    ord.id = "order";
    ord.kind = ControlKind::DropDown;
    ord.group = kSpecify;
    ord.row = 0;
    ord.items = [] { return orderLabels(); };
    ord.value = [this] { return shown(order(kOrder), kOrders); };
    ord.setValue = [this](int v) {
        if (v < 0 || v >= kOrders) return;
        setOrder(kOrder, v);  // the stored parameters stay as they are
        relabel();
        refreshed.notify();
    };
    add(std::move(ord));
    for (auto [id, label, field] :
         {std::tuple{"target12Flag", "Enable target 1&&2", kTarget12Flag},
          std::tuple{"target34Flag", "Enable target 3&&4", kTarget34Flag}}) {
        Control c;
        c.id = id;
        c.kind = ControlKind::CheckBox;
        c.label = label;
        c.group = kSpecify;
        c.row = 0;
        c.column = field == kTarget12Flag ? 1 : 2;
        c.value = [this, field = field] { return order(field) == 1 ? 1 : 0; };
        // Any value other than 1 becomes 1; 1 becomes 0.
        c.setValue = [this, field = field](int) { setOrder(field, order(field) == 1 ? 0 : 1); };
        add(std::move(c));
    }
    addTargetPair(1, kTarget1Type, kTarget1);
    addTargetPair(2, kTarget2Type, kTarget2);
    addTargetPair(3, kTarget3Type, kTarget3);
    addTargetPair(4, kTarget4Type, kTarget4);

    // First row: the two parameters, the throttle and two fixed numbers;
    // second row: four more fixed numbers.
    Control& p1 = numberList("param1", "Attempts", kParam1, true, 0, 0);
    p1.items = [this] { return paramItems(m_ctx, orderParams(order(kOrder)).list1); };
    Control& p2 = numberList("param2", "Unknown", kParam2, true, 0, 1);
    p2.items = [this] { return paramItems(m_ctx, orderParams(order(kOrder)).list2); };
    Control& thr = numberList("throttle", "Throttle", kThrottle, true, 0, 2);
    thr.items = [] { return throttleLabels(); };
    numberList("param3", "", kParam3, false, 0, 3);
    numberList("param4", "", kParam4, false, 0, 4);
    numberList("param5", "Unknown", kParam5, false, 1, 0);
    numberList("param6", "Unknown", kParam6, false, 1, 1);
    numberList("param7", "Unknown", kParam7, false, 1, 2);
    numberList("param8", "Unknown", kParam8, false, 1, 3);
    // The second row ends in one more disabled list that stands for no byte of
    // the order; it shows no selection.
    Control spare;
    spare.id = "unknown";
    spare.kind = ControlKind::DropDown;
    spare.label = "Unknown";
    spare.group = kProperties;
    spare.row = 1;
    spare.column = 4;
    spare.items = [] { return numberLabels(0, 255); };
    spare.value = [] { return -1; };
    spare.enabled = [] { return false; };
    add(std::move(spare));

    for (int w = 0; w < 8; ++w) addWaypoint(w);
    relabel();
}

int OrdersForm::order(int field) const { return get(sg::orderOffset(m_region, m_slot) + field); }

void OrdersForm::setOrder(int field, int value) {
    set(sg::orderOffset(m_region, m_slot) + field, value);
}

Control& OrdersForm::numberList(std::string id, std::string label, int field, bool editable,
                                int row, int column) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::DropDown;
    c.label = std::move(label);
    c.group = kProperties;
    c.row = row;
    c.column = column;
    c.items = [] { return numberLabels(0, 255); };
    c.value = [this, field, id = c.id] { return shown(order(field), itemsOf(id).size()); };
    c.setValue = [this, field](int v) {
        if (v >= 0 && v <= 255) setOrder(field, v);
    };
    if (!editable) c.enabled = [] { return false; };
    return add(std::move(c));
}

void OrdersForm::addTargetPair(int k, int typeField, int targetField) {
    const std::string n = std::to_string(k);
    Control type;
    type.id = "target" + n + "Type";
    type.kind = ControlKind::DropDown;
    type.label = "Target " + n;
    type.group = kSpecify;
    type.row = 1;
    type.column = k - 1;
    type.items = [] { return subjectTypeLabels(LabelSet::OrderTarget); };
    type.value = [this, typeField] { return shown(order(typeField), kSubjectTypes); };
    type.setValue = [this, typeField](int v) {
        if (v < 0 || v >= kSubjectTypes) return;
        setOrder(typeField, v);
        refreshed.notify();  // the target list follows its type
    };
    add(std::move(type));
    Control target;
    target.id = "target" + n;
    target.kind = ControlKind::DropDown;
    target.group = kSpecify;
    target.row = 2;
    target.column = k - 1;
    target.items = [this, typeField] { return targetItems(m_ctx, order(typeField)); };
    target.value = [this, typeField, targetField] {
        return shown(order(targetField), targetItems(m_ctx, order(typeField)).size());
    };
    target.setValue = [this, targetField](int v) {
        if (v >= 0 && v <= 255) setOrder(targetField, v);
    };
    add(std::move(target));
}

void OrdersForm::addWaypoint(int w) {
    const std::string n = std::to_string(w + 1);
    for (int axis = 0; axis < 3; ++axis) {
        for (int high = 1; high >= 0; --high) {
            // Left field: the coordinate's high byte, right: its low byte,
            // both unsigned (x = -1 shows 255 and 255).
            Control& c = numberField(
                "wp" + n + "." + axisName(axis) + (high ? ".hi" : ".lo"),
                high ? std::string(1, static_cast<char>('X' + axis)) : "", kWaypoints,
                [this, w, axis, high] {
                    return sg::waypointOffset(m_region, m_slot, w) + axis * 2 + high;
                },
                false, [this] { m_ctx.repaint(); });
            c.row = axis;
            c.column = w * 2 + (high ? 0 : 1);
        }
    }
    Control en;
    en.id = "wp" + n + ".enabled";
    en.kind = ControlKind::CheckBox;
    en.label = "Enable " + n;
    en.group = kWaypoints;
    en.row = 3;
    en.column = w * 2;
    const auto at = [this, w] { return sg::waypointOffset(m_region, m_slot, w) + 6; };
    en.value = [this, at] { return get(at()) == 1 ? 1 : 0; };
    // Only the low byte of the enabled word is toggled.
    en.setValue = [this, at](int) {
        set(at(), get(at()) == 1 ? 0 : 1);
        m_ctx.repaint();
    };
    add(std::move(en));
}

void OrdersForm::relabel() {
    const OrderParams p = orderParams(order(kOrder));
    find("param1")->label = p.caption1;
    find("param2")->label = p.caption2;
}

void OrdersForm::reload() {
    relabel();
    refreshed.notify();
}

// --- Waypoints form

WaypointsForm::WaypointsForm(const ShipgroupContext& ctx)
    : ShipgroupForm(ctx, FormKind::Waypoints,
                    "Shipgroup - Waypoints        Warning: you should not use this dialog, use "
                    "the map instead") {
    for (int p = 0; p < 4; ++p) {
        const std::string n = std::to_string(p + 1);
        const std::string group = "Start point " + n;
        const int base = sg::startPointOffset(p);
        Control en;
        en.id = "sp" + n + ".enabled";
        en.kind = ControlKind::CheckBox;
        en.label = "Enable";
        en.group = group;
        en.value = [this, base] { return get(base + 6) == 1 ? 1 : 0; };
        en.setValue = [this, base](int) {
            set(base + 6, get(base + 6) == 1 ? 0 : 1);
            m_ctx.repaint();
        };
        add(std::move(en));
        byteList(
            "sp" + n + ".region", "Region", group,
            [this] {
                const auto r = regionNames(m_ctx.store);
                return std::vector<std::string>(r.begin(), r.end());
            },
            sg::startPointRegion + p, [this](int) { m_ctx.repaint(); });
        for (int axis = 0; axis < 3; ++axis) {
            const int at = base + axis * 2;
            const std::string a = axisName(axis);
            // "Map format": the coordinate in km (160 units each), for reading.
            Control map;
            map.id = "sp" + n + "." + a + ".map";
            map.kind = ControlKind::Edit;
            map.label = std::string(1, static_cast<char>('X' + axis));
            map.group = group;
            map.row = 2 + axis;
            map.enabled = [] { return false; };
            map.text = [this, at] {
                char buf[32];
                std::snprintf(buf, sizeof buf, "%.2f", current().getSigned16(at) / 160.0);
                return std::string(buf);
            };
            add(std::move(map));
            // "Save format": high and low byte, shown as signed numbers. Every
            // start point writes its fields, not only the first.
            for (int high = 1; high >= 0; --high) {
                Control& c = numberField(
                    "sp" + n + "." + a + (high ? ".hi" : ".lo"), "", group,
                    [off = at + high] { return off; }, true, [this] { m_ctx.repaint(); });
                c.row = 2 + axis;
                c.column = high ? 1 : 2;
            }
        }
    }
}

void WaypointsForm::receive(int) { reload(); }

}  // namespace quendar::shipgroup
