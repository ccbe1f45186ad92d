#pragma once

#include <vector>

#include "lint/Problem.h"

namespace quendar::mission {
class CraftList;
}
namespace quendar::briefing {
class BriefingModel;
}

namespace quendar::lint {

// Every rule over the open mission, sorted (sortProblems). The store and the
// briefing lists are only read; the craft list judges craft types (an empty
// list, none read yet, judges nothing).
std::vector<Problem> lintMission(const mission::MissionStore& store,
                                 const briefing::BriefingModel& briefing,
                                 const mission::CraftList& craftList);
// The same into `out`, which is emptied first and keeps its room: a caller
// that lints after every change reuses one list.
void lintMission(const mission::MissionStore& store, const briefing::BriefingModel& briefing,
                 const mission::CraftList& craftList, std::vector<Problem>& out);

// Applies a fix through the store's write API and the briefing model's list
// operations, so that the journal records it. The caller opens the action.
// False (and nothing changed) when the fix no longer fits the mission.
bool applyFix(mission::MissionStore& store, briefing::BriefingModel& briefing, const Fix& fix);

}  // namespace quendar::lint
