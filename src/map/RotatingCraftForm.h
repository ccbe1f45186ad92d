#pragma once

#include "briefing/BriefingForm.h"
#include "map/Canvas.h"
#include "map/IconTable.h"

namespace quendar::map {

// "Rotating craft": the picked ship's icon in its IFF colour on a black frame,
// "Rotate" turning it a further quarter each press (0 → 1 → 2 → 3 → 0) and
// "Ok" handing the direction to the rotate tool. Accepted only by "Ok".
class RotatingCraftForm : public briefing::BriefingForm {
  public:
    static constexpr int kFrameSide = CraftIcon::kMaxSide + 8;

    RotatingCraftForm(const IconTable& icons, int craftType, int iff);

    int direction() const { return m_direction; }
    // The frame as the form shows it, drawn through a canvas.
    void draw(Canvas& canvas) const;

  private:
    const IconTable& m_icons;
    int m_type;
    int m_iff;
    int m_direction = 0;
};

}  // namespace quendar::map
