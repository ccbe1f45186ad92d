#pragma once

#include <nlohmann/json.hpp>

#include "briefing/BriefingView.h"

namespace quendar::tool {

// The view state at one time as `dump --time` prints it.
nlohmann::json briefingViewJson(const briefing::BriefingView& view);

}  // namespace quendar::tool
