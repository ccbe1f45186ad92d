#pragma once

#include "settings/SettingsForm.h"

namespace quendar::settings {

// Where the fields of a goal block lie: block k of team t's record starts at
// byte 2 + 122 k; inside it the four goal triggers, the three joins and the
// points.
namespace goal {
constexpr int blockStart = 2, blockSize = 122;
constexpr int triggerOffsets[4] = {0, 6, 16, 22};
constexpr int join12 = 14, join34 = 30, joinPairs = 49;
constexpr int points = 51, pointsStep = 25;  // the points shown are the byte times 25
constexpr int textLimit = 63;
}  // namespace goal

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
    core::Binding block(int offset);    // a byte of the shown goal block
    core::Binding trigger(int field);   // a byte of the shown goal's trigger
    int textEntry(int s) const;
    void show();

    int m_team = 0;
    int m_kind = 0;
    int m_goal = 0;
    int m_sliderPos = 0;  // where the slider stands; stored only from the thumb
};

}  // namespace quendar::settings
