#pragma once

#include <array>

#include "shipgroup/CodeTables.h"
#include "shipgroup/ShipgroupForm.h"

namespace quendar::shipgroup {

// The items of a trigger's subject list for a subject type: nothing for
// "None", the shipgroups, the craft types, the IFFs, otherwise "0" .. "255".
std::vector<std::string> subjectItems(const ShipgroupContext& ctx, int subjectType);

// One trigger's lists, ids starting with `prefix`: "amount of subject-type
// subject condition" in `row`, the two parameters under the last two in the
// next row. `field(k)` is byte k of the six-byte trigger. Choosing a subject
// type sets `cleared`: the subject then shows no selection until the user
// picks one or the form clears the flag as it shows a new record.
struct TriggerLists {
    std::string prefix;
    std::string group;
    int row = 0;
    LabelSet labels = LabelSet::Arrival;
    core::ItemsFn subjectTypes;
    std::function<core::Binding(int)> field;
};
void addTriggerLists(core::FormModel& form, const ShipgroupContext& ctx, const TriggerLists& t,
                     bool& cleared);

// "Shipgroup - Arrival properties" and "Shipgroup - Departure properties": the
// triggers with their And/Or joins, the two plain numbers beside each join,
// the delay and the two methods with their motherships.
class ArrivalDepartureForm : public ShipgroupForm {
  public:
    enum class Which { Arrival, Departure };
    ArrivalDepartureForm(const ShipgroupContext& ctx, Which which);

  protected:
    void reload() override;

  private:
    void addTrigger(int k, int offset, const std::string& group, int row);
    void addMethod(int k, int methodOffset, int mothershipOffset, const std::string& group);

    LabelSet m_labels;
    // After a subject type change the subject list shows no selection until
    // the user picks a subject or the form shows the shipgroup again.
    std::array<bool, 4> m_subjectCleared{};
};

}  // namespace quendar::shipgroup
