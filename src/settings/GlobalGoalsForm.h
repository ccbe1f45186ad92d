#pragma once

#include "mission/GlobalGoalRecord.h"
#include "settings/SettingsForm.h"

namespace quendar::settings {

// The global goal record's fields, by name.
namespace goal = mission::goal;

// "Global Goals": per team and goal kind, four goal triggers with their joins,
// a points value and three texts per goal. Everything is stored as it
// changes; the points slider only when its thumb is dragged or released.
class GlobalGoalsForm : public SettingsForm {
  public:
    explicit GlobalGoalsForm(const shipgroup::ShipgroupContext& ctx);

    int team() const { return m_team; }
    int kind() const { return m_kind; }
    int goal() const { return m_goal; }

  private:
    ByteRef blockByte(int offset) const;
    ByteRef triggerByte(int field) const;
    core::Binding block(int offset);   // a byte of the shown goal block
    core::Binding trigger(int field);  // a byte of the shown goal's trigger
    int textEntry(int s) const;
    void show();

    int m_team = 0;
    int m_kind = 0;
    int m_goal = 0;
    int m_sliderPos = 0;  // where the slider stands; stored only from the thumb
};

}  // namespace quendar::settings
