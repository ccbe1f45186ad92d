#include "shipgroup/ArrivalDepartureForm.h"

#include "shipgroup/CraftCatalogue.h"
#include "shipgroup/MissionNames.h"

namespace quendar::shipgroup {

namespace sg = mission::sg;

namespace {
// The join and the plain numbers that sit between the two condition boxes
// have an untitled box of their own, so they stay in their place.
const std::string kBetween = " ";
}  // namespace

std::vector<std::string> subjectItems(const ShipgroupContext& ctx, int type) {
    switch (type) {
        case kSubjectNone: return {};
        case kSubjectFlightgroup: return shipgroupNames(ctx.store);
        case kSubjectShipType: return allCraftNames(ctx.crafts);
        case kSubjectIff: return iffSubjectLabels(ctx.store);
        default: return numberLabels(0, 255);
    }
}

ArrivalDepartureForm::ArrivalDepartureForm(const ShipgroupContext& ctx, Which which)
    : ShipgroupForm(ctx, which == Which::Arrival ? FormKind::Arrival : FormKind::Departure,
                    which == Which::Arrival ? "Shipgroup - Arrival properties"
                                            : "Shipgroup - Departure properties"),
      m_labels(which == Which::Arrival ? LabelSet::Arrival : LabelSet::Departure) {
    // The box under the conditions: two methods with their motherships, then the delay.
    const auto methodsAndDelay = [this](const std::string& box, std::array<int, 6> at) {
        addMethod(1, at[0], at[1], box);
        addMethod(2, at[2], at[3], box);
        numberEdit("minutes", "Minutes", box, byteAt(at[4]), true).at(2, 0);
        numberEdit("seconds", "Seconds", box, byteAt(at[5]), true).at(2, 2);
    };
    if (which == Which::Arrival) {
        addTrigger(0, sg::arrivalTrigger1, "Condition 1", 0);
        joinRadio("or12", "", "Condition 1", byteAt(sg::arrivalOr12)).at(2);
        addTrigger(1, sg::arrivalTrigger2, "Condition 1", 3);
        numberEdit("valueA", "", kBetween, byteAt(sg::arrivalValueA)).at(0, 0);
        numberEdit("valueB", "", kBetween, byteAt(sg::arrivalValueB)).at(0, 1);
        joinRadio("orConditions", "", kBetween, byteAt(sg::arrivalOrConditions)).at(0, 2);
        numberEdit("valueC", "", kBetween, byteAt(sg::arrivalValueC)).at(0, 3);
        numberEdit("valueD", "", kBetween, byteAt(sg::arrivalValueD)).at(0, 4);
        addTrigger(2, sg::arrivalTrigger3, "Condition 2", 0);
        joinRadio("or34", "", "Condition 2", byteAt(sg::arrivalOr34)).at(2);
        addTrigger(3, sg::arrivalTrigger4, "Condition 2", 3);
        methodsAndDelay("Arrival Method && Delay",
                        {sg::arrivalMethod1, sg::arrivalMothership1, sg::arrivalMethod2,
                         sg::arrivalMothership2, sg::arrivalDelayMinutes, sg::arrivalDelaySeconds});
    } else {
        addTrigger(0, sg::departureTrigger1, "Condition 1", 0);
        numberEdit("valueA", "", kBetween, byteAt(sg::departureValueA)).at(0, 0);
        joinRadio("or", "", kBetween, byteAt(sg::departureOr)).at(0, 1);
        numberEdit("valueB", "", kBetween, byteAt(sg::departureValueB)).at(0, 2);
        addTrigger(1, sg::departureTrigger2, "Condition 2", 0);
        methodsAndDelay(
            "Departure Method && Delay",
            {sg::departureMethod1, sg::departureMothership1, sg::departureMethod2,
             sg::departureMothership2, sg::departureDelayMinutes, sg::departureDelaySeconds});
    }
}

void addTriggerLists(core::FormModel& form, const ShipgroupContext& ctx, const TriggerLists& t,
                     bool& cleared) {
    const auto& field = t.field;
    const std::string& p = t.prefix;
    const LabelSet labels = t.labels;
    form.byteList(p + "amount", "", t.group, core::FormModel::fixed(amountLabels()), field(3))
        .at(t.row);
    form.label(p + "of", "of", t.group).at(t.row, 1);
    form.byteList(p + "subjectType", "", t.group, t.subjectTypes, field(1),
                  [&form, &cleared](int) {
                      cleared = true;
                      form.refreshed.notify();
                  })
        .at(t.row, 2);
    const auto subjects = [&ctx, type = field(1).get] { return subjectItems(ctx, type()); };
    form.byteList(p + "subject", "", t.group, subjects, field(2),
                  [&cleared](int) { cleared = false; })
        .at(t.row, 3)
        .value = [&cleared, subjects, subject = field(2).get] {
        return cleared ? -1 : core::FormModel::shown(subject(), subjects().size());
    };
    form.byteList(p + "condition", "", t.group, core::FormModel::fixed(conditionLabels()), field(0))
        .at(t.row, 4);
    form.byteList(
            p + "param1", "", t.group,
            [&ctx, labels] { return param1Labels(regionNames(ctx.store), labels); }, field(4))
        .at(t.row + 1, 3);
    form.byteList(p + "param2", "", t.group, core::FormModel::fixed(param2Labels(labels)), field(5))
        .at(t.row + 1, 4);
}

void ArrivalDepartureForm::addTrigger(int k, int offset, const std::string& group, int row) {
    // Built piece by piece: GCC 12 misreports "literal + string" here (-Wrestrict).
    std::string p = "t";
    p += std::to_string(k + 1);
    p += '.';
    addTriggerLists(*this, m_ctx,
                    {p, group, row, m_labels, fixed(subjectTypeLabels(m_labels)),
                     [this, offset](int f) { return byteAt(offset + f); }},
                    m_subjectCleared[k]);
}

void ArrivalDepartureForm::addMethod(int k, int methodOffset, int mothershipOffset,
                                     const std::string& group) {
    const std::string n = std::to_string(k);
    byteList("method" + n, "Method " + n, group, fixed(methodLabels()), byteAt(methodOffset),
             [this](int) { refreshed.notify(); })
        .at(k - 1);
    // The stored mothership stays when the method goes back to Hyperspace.
    byteList(
        "mothership" + n, "", group, [this] { return shipgroupNames(m_ctx.store); },
        byteAt(mothershipOffset))
        .at(k - 1, 2)
        .enabledWhen([this, methodOffset] { return get(methodOffset) != kMethodHyperspace; });
}

void ArrivalDepartureForm::reload() {
    m_subjectCleared = {};
    refreshed.notify();
}

}  // namespace quendar::shipgroup
