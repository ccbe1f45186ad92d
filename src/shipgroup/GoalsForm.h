#pragma once

#include "shipgroup/ShipgroupForm.h"

namespace quendar::shipgroup {

// "Shipgroup - goals": the eight goals of the current shipgroup, one shown at
// a time, with bonus points and the three custom messages.
class GoalsForm : public ShipgroupForm {
  public:
    explicit GoalsForm(const ShipgroupContext& ctx);
    int shownGoal() const { return m_goal; }

  private:
    int goal(int field) const { return get(mission::sg::goalOffset(m_goal) + field); }
    void setGoal(int field, int v) { set(mission::sg::goalOffset(m_goal) + field, v); }
    bool controlsEnabled() const;
    void addMessage(std::string id, std::string label, int kind);

    int m_goal = 0;
};

// "Shipgroup - Advanced options": formation, special cargo, additional
// information, global group and global unit.
class AdvancedForm : public ShipgroupForm {
  public:
    explicit AdvancedForm(const ShipgroupContext& ctx);

  private:
    void addSpecified(int k, int enableOffset, int infoOffset);
};

}  // namespace quendar::shipgroup
