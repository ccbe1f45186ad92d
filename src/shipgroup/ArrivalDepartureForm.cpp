#include "shipgroup/ArrivalDepartureForm.h"

#include "shipgroup/CraftCatalogue.h"
#include "shipgroup/MissionNames.h"

namespace quendar::shipgroup {

namespace sg = mission::sg;
using core::Control;
using core::ControlKind;

namespace {
// The join and the plain numbers that sit between the two condition boxes
// have an untitled box of their own, so they stay in their place.
const std::string kBetween = " ";
}  // namespace

std::vector<std::string> subjectItems(const ShipgroupContext& ctx, int type) {
    switch (type) {
        case kSubjectNone:
            return {};
        case kSubjectFlightgroup:
            return shipgroupNames(ctx.store);
        case kSubjectShipType:
            return allCraftNames(ctx.crafts);
        case kSubjectIff:
            return iffSubjectLabels(ctx.store);
        default:
            return numberLabels(0, 255);
    }
}

ArrivalDepartureForm::ArrivalDepartureForm(const ShipgroupContext& ctx, Which which)
    : ShipgroupForm(ctx, which == Which::Arrival ? FormKind::Arrival : FormKind::Departure,
                    which == Which::Arrival ? "Shipgroup - Arrival properties"
                                            : "Shipgroup - Departure properties"),
      m_labels(which == Which::Arrival ? LabelSet::Arrival : LabelSet::Departure) {
    if (which == Which::Arrival) {
        addTrigger(0, sg::arrivalTrigger1, "Condition 1", 0);
        addRadio("or12", "Condition 1", sg::arrivalOr12, 2);
        addTrigger(1, sg::arrivalTrigger2, "Condition 1", 3);
        addNumber("valueA", "", kBetween, sg::arrivalValueA, false, 0, 0);
        addNumber("valueB", "", kBetween, sg::arrivalValueB, false, 0, 1);
        addRadio("orConditions", kBetween, sg::arrivalOrConditions, 0);
        find("orConditions")->column = 2;
        addNumber("valueC", "", kBetween, sg::arrivalValueC, false, 0, 3);
        addNumber("valueD", "", kBetween, sg::arrivalValueD, false, 0, 4);
        addTrigger(2, sg::arrivalTrigger3, "Condition 2", 0);
        addRadio("or34", "Condition 2", sg::arrivalOr34, 2);
        addTrigger(3, sg::arrivalTrigger4, "Condition 2", 3);
        const std::string box = "Arrival Method && Delay";
        addMethod(1, sg::arrivalMethod1, sg::arrivalMothership1, box);
        addMethod(2, sg::arrivalMethod2, sg::arrivalMothership2, box);
        addNumber("minutes", "Minutes", box, sg::arrivalDelayMinutes, true, 2, 0);
        addNumber("seconds", "Seconds", box, sg::arrivalDelaySeconds, true, 2, 2);
    } else {
        addTrigger(0, sg::departureTrigger1, "Condition 1", 0);
        addNumber("valueA", "", kBetween, sg::departureValueA, false, 0, 0);
        addRadio("or", kBetween, sg::departureOr, 0);
        find("or")->column = 1;
        addNumber("valueB", "", kBetween, sg::departureValueB, false, 0, 2);
        addTrigger(1, sg::departureTrigger2, "Condition 2", 0);
        const std::string box = "Departure Method && Delay";
        addMethod(1, sg::departureMethod1, sg::departureMothership1, box);
        addMethod(2, sg::departureMethod2, sg::departureMothership2, box);
        addNumber("minutes", "Minutes", box, sg::departureDelayMinutes, true, 2, 0);
        addNumber("seconds", "Seconds", box, sg::departureDelaySeconds, true, 2, 2);
    }
}

void ArrivalDepartureForm::addTrigger(int k, int t, const std::string& group, int row) {
    // Built piece by piece: GCC 12 misreports "literal + string" here (-Wrestrict).
    std::string p = "t";
    p += std::to_string(k + 1);
    p += '.';
    byteList(p + "amount", "", group, fixed(amountLabels()), t + 3).row = row;
    Control of;
    of.id = p + "of";
    of.label = "of";
    of.group = group;
    of.row = row;
    of.column = 1;
    add(std::move(of));
    byteList(p + "subjectType", "", group, fixed(subjectTypeLabels(m_labels)), t + 1,
             [this, k](int) {
                 m_subjectCleared[k] = true;
                 refreshed.notify();
             });
    find(p + "subjectType")->row = row;
    find(p + "subjectType")->column = 2;
    {
        Control& c = byteList(
            p + "subject", "", group, [this, t] { return subjectItems(m_ctx, get(t + 1)); }, t + 2,
            [this, k](int) { m_subjectCleared[k] = false; });
        c.value = [this, t, k] {
            if (m_subjectCleared[k]) return -1;
            return shown(get(t + 2), subjectItems(m_ctx, get(t + 1)).size());
        };
        c.row = row;
        c.column = 3;
    }
    Control& cond = byteList(p + "condition", "", group, fixed(conditionLabels()), t + 0);
    cond.row = row;
    cond.column = 4;
    Control& p1 = byteList(
        p + "param1", "", group,
        [this] { return param1Labels(regionNames(m_ctx.store), m_labels); }, t + 4);
    p1.row = row + 1;
    p1.column = 3;
    Control& p2 = byteList(p + "param2", "", group, fixed(param2Labels(m_labels)), t + 5);
    p2.row = row + 1;
    p2.column = 4;
}

void ArrivalDepartureForm::addRadio(std::string id, std::string group, int offset, int row) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::RadioGroup;
    c.group = std::move(group);
    c.row = row;
    c.items = [] { return std::vector<std::string>{"And", "Or"}; };
    c.value = [this, offset] { return get(offset) == 1 ? 1 : 0; };
    c.setValue = [this, offset](int v) { set(offset, v == 1 ? 1 : 0); };
    add(std::move(c));
}

void ArrivalDepartureForm::addNumber(std::string id, std::string label, std::string group,
                                     int offset, bool isSigned, int row, int column) {
    Control& c = numberField(
        std::move(id), std::move(label), std::move(group), [offset] { return offset; }, isSigned);
    c.row = row;
    c.column = column;
}

void ArrivalDepartureForm::addMethod(int k, int methodOffset, int mothershipOffset,
                                     const std::string& group) {
    const std::string n = std::to_string(k);
    Control& m = byteList("method" + n, "Method " + n, group, fixed(methodLabels()), methodOffset,
                          [this](int) { refreshed.notify(); });
    m.row = k - 1;
    Control& ship = byteList(
        "mothership" + n, "", group, [this] { return shipgroupNames(m_ctx.store); },
        mothershipOffset);
    ship.row = k - 1;
    ship.column = 2;
    // The stored mothership stays when the method goes back to Hyperspace.
    ship.enabled = [this, methodOffset] { return get(methodOffset) != kMethodHyperspace; };
}

void ArrivalDepartureForm::reload() {
    m_subjectCleared = {};
    refreshed.notify();
}

}  // namespace quendar::shipgroup
