#pragma once

#include <string>

#include "briefing/BriefingModel.h"

namespace quendar::app {

// The "Br Time" pane: minutes, seconds and hundredths of the briefing time T
// joined by ":" without leading zeros (3000 units show 3:33:0).
std::string briefingTimeText(int time);

// The "Current Briefing Command" pane at time T: the status text of the
// command at T, "END BRIEFING" at the length mark, or "Multiple commands".
std::string currentCommandText(const briefing::BriefingModel& briefing, int time);

// What the time slider asks for.
enum class SliderRequest { LineLeft, LineRight, PageLeft, PageRight, Thumb };

// Moves the briefing's current time as the slider asks, within the briefing;
// false when the request is refused (the time stays).
bool sliderInput(briefing::BriefingModel& briefing, SliderRequest request, int position);

}  // namespace quendar::app
