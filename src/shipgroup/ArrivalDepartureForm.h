#pragma once

#include <array>

#include "shipgroup/CodeTables.h"
#include "shipgroup/ShipgroupForm.h"

namespace quendar::shipgroup {

// The items of a trigger's subject list for a subject type: nothing for
// "None", the shipgroups, the craft types, the IFFs, otherwise "0" .. "255".
std::vector<std::string> subjectItems(const ShipgroupContext& ctx, int subjectType);

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
    void addRadio(std::string id, std::string group, int offset, int row);
    void addNumber(std::string id, std::string label, std::string group, int offset, bool isSigned,
                   int row, int column);
    void addMethod(int k, int methodOffset, int mothershipOffset, const std::string& group);

    LabelSet m_labels;
    // After a subject type change the subject list shows no selection until
    // the user picks a subject or the form shows the shipgroup again.
    std::array<bool, 4> m_subjectCleared{};
};

}  // namespace quendar::shipgroup
