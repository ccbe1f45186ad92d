#include "shipgroup/OrdersForm.h"

#include <algorithm>
#include <cstdio>

#include "shipgroup/ArrivalDepartureForm.h"
#include "shipgroup/CodeTables.h"
#include "shipgroup/CraftCatalogue.h"
#include "shipgroup/MissionNames.h"

namespace quendar::shipgroup {

namespace sg = mission::sg;
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
        case ParamList::Numbers: return numberLabels(0, 255);
        case ParamList::Loops: {
            auto t = numberLabels(0, 255);
            t[0] = "Unlimited";
            return t;
        }
        case ParamList::Shipgroups: return shipgroupNames(ctx.store);
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
    m_region = std::clamp(ctx.port.currentRegion(), 0, 3);

    dropDown(
        "region", "", kSelect,
        [this] {
            const auto r = regionNames(m_ctx.store);
            return std::vector<std::string>(r.begin(), r.end());
        },
        m_region, [this](int) { reload(); })
        .at(0);
    dropDown("slot", "", kSelect, fixed({"Order 1", "Order 2", "Order 3", "Order 4"}), m_slot,
             [this](int) { reload(); })
        .at(0, 1);
    textEdit("orderText", "", kSelect,
             storedText(
                 m_ctx.store,
                 [this] {
                     return ByteRef{Table::OrderStrings,
                                    mission::orderStringIndex(currentIndex(), m_region, m_slot), 0};
                 },
                 mission::kShortStringSize, 63))
        .at(1)
        .wide(320);

    dropDown("order", "", kSpecify, [] { return orderLabels(); },
             {[this] { return shown(order(kOrder), kOrders); },
              [this](int v) {
                  if (v < 0 || v >= kOrders) return;
                  setOrder(kOrder, v);  // the stored parameters stay as they are
                  relabel();
                  refreshed.notify();
              }})
        .at(0);
    toggleBox("target12Flag", "Enable target 1&&2", kSpecify, orderByte(kTarget12Flag)).at(0, 1);
    toggleBox("target34Flag", "Enable target 3&&4", kSpecify, orderByte(kTarget34Flag)).at(0, 2);
    addTargetPair(1, kTarget1Type, kTarget1);
    addTargetPair(2, kTarget2Type, kTarget2);
    addTargetPair(3, kTarget3Type, kTarget3);
    addTargetPair(4, kTarget4Type, kTarget4);

    // First row: the two parameters, the throttle and two fixed numbers;
    // second row: four more fixed numbers, greyed.
    const auto numbers = [] { return numberLabels(0, 255); };
    byteList(
        "param1", "Attempts", kProperties,
        [this] { return paramItems(m_ctx, orderParams(order(kOrder)).list1); }, orderByte(kParam1))
        .at(0, 0);
    byteList(
        "param2", "Unknown", kProperties,
        [this] { return paramItems(m_ctx, orderParams(order(kOrder)).list2); }, orderByte(kParam2))
        .at(0, 1);
    byteList(
        "throttle", "Throttle", kProperties, [] { return throttleLabels(); }, orderByte(kThrottle))
        .at(0, 2);
    byteList("param3", "", kProperties, numbers, orderByte(kParam3)).at(0, 3).disabled();
    byteList("param4", "", kProperties, numbers, orderByte(kParam4)).at(0, 4).disabled();
    byteList("param5", "Unknown", kProperties, numbers, orderByte(kParam5)).at(1, 0).disabled();
    byteList("param6", "Unknown", kProperties, numbers, orderByte(kParam6)).at(1, 1).disabled();
    byteList("param7", "Unknown", kProperties, numbers, orderByte(kParam7)).at(1, 2).disabled();
    byteList("param8", "Unknown", kProperties, numbers, orderByte(kParam8)).at(1, 3).disabled();
    // The second row ends in one more disabled list that stands for no byte of
    // the order; it shows no selection.
    dropDown("unknown", "Unknown", kProperties, numbers, {[] { return -1; }, {}})
        .at(1, 4)
        .disabled();

    for (int w = 0; w < 8; ++w) addWaypoint(w);
    relabel();
}

int OrdersForm::order(int field) const { return get(sg::orderOffset(m_region, m_slot) + field); }

void OrdersForm::setOrder(int field, int value) {
    set(sg::orderOffset(m_region, m_slot) + field, value);
}

core::Binding OrdersForm::orderByte(int field) {
    return byteAt([this, field] { return sg::orderOffset(m_region, m_slot) + field; });
}

void OrdersForm::addTargetPair(int k, int typeField, int targetField) {
    const std::string n = std::to_string(k);
    dropDown("target" + n + "Type", "Target " + n, kSpecify,
             [] { return subjectTypeLabels(LabelSet::OrderTarget); },
             {[this, typeField] { return shown(order(typeField), kSubjectTypes); },
              [this, typeField](int v) {
                  if (v < 0 || v >= kSubjectTypes) return;
                  setOrder(typeField, v);
                  refreshed.notify();  // the target list follows its type
              }})
        .at(1, k - 1);
    byteList(
        "target" + n, "", kSpecify,
        [this, typeField] { return targetItems(m_ctx, order(typeField)); }, orderByte(targetField))
        .at(2, k - 1);
}

void OrdersForm::addWaypoint(int w) {
    const std::string n = std::to_string(w + 1);
    for (int axis = 0; axis < 3; ++axis) {
        for (int high = 1; high >= 0; --high) {
            // Left field: the coordinate's high byte, right: its low byte,
            // both unsigned (x = -1 shows 255 and 255).
            numberEdit("wp" + n + "." + axisName(axis) + (high ? ".hi" : ".lo"),
                       high ? std::string(1, static_cast<char>('X' + axis)) : "", kWaypoints,
                       byteAt([this, w, axis, high] {
                           return sg::waypointOffset(m_region, m_slot, w) + axis * 2 + high;
                       }),
                       false, [this] { m_ctx.repaint(); })
                .at(axis, w * 2 + (high ? 0 : 1));
        }
    }
    // Only the low byte of the enabled word is toggled.
    toggleBox("wp" + n + ".enabled", "Enable " + n, kWaypoints,
              byteAt([this, w] { return sg::waypointOffset(m_region, m_slot, w) + 6; },
                     [this] { m_ctx.repaint(); }))
        .at(3, w * 2);
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
        toggleBox("sp" + n + ".enabled", "Enable", group,
                  byteAt([base] { return base + 6; }, [this] { m_ctx.repaint(); }));
        byteList(
            "sp" + n + ".region", "Region", group,
            [this] {
                const auto r = regionNames(m_ctx.store);
                return std::vector<std::string>(r.begin(), r.end());
            },
            byteAt(sg::startPointRegion + p), [this](int) { m_ctx.repaint(); });
        for (int axis = 0; axis < 3; ++axis) {
            const int at = base + axis * 2;
            const std::string a = axisName(axis);
            // "Map format": the coordinate in km (160 units each), for reading.
            textEdit("sp" + n + "." + a + ".map", std::string(1, static_cast<char>('X' + axis)),
                     group,
                     {[this, at] {
                          char buf[32];
                          std::snprintf(buf, sizeof buf, "%.2f", current().getSigned16(at) / 160.0);
                          return std::string(buf);
                      },
                      {}})
                .at(2 + axis)
                .disabled();
            // "Save format": high and low byte, shown as signed numbers. Every
            // start point writes its fields, not only the first.
            for (int high = 1; high >= 0; --high)
                numberEdit("sp" + n + "." + a + (high ? ".hi" : ".lo"), "", group,
                           byteAt(at + high), true, [this] { m_ctx.repaint(); })
                    .at(2 + axis, high ? 1 : 2);
        }
    }
}

void WaypointsForm::receive(ShipgroupEvent) { reload(); }

}  // namespace quendar::shipgroup
