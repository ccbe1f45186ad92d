#pragma once

// Shared by the rule files: the codes, and what every rule reads.
#include <string>
#include <string_view>
#include <vector>

#include "lint/Problem.h"

namespace quendar::mission {
class CraftList;
}
namespace quendar::briefing {
class BriefingModel;
}

namespace quendar::lint {

namespace code {
inline constexpr std::string_view OrderTarget = "Q101";
inline constexpr std::string_view DeployedGroup = "Q102";
inline constexpr std::string_view Mothership = "Q103";
inline constexpr std::string_view OwnMothership = "Q104";
inline constexpr std::string_view TriggerSubject = "Q105";
inline constexpr std::string_view CraftTypeMissing = "Q110";
inline constexpr std::string_view CraftTypeUnused = "Q111";
inline constexpr std::string_view OrderCode = "Q112";
inline constexpr std::string_view TriggerCode = "Q113";
inline constexpr std::string_view ShipgroupCode = "Q114";
inline constexpr std::string_view Iff = "Q115";
inline constexpr std::string_view Team = "Q116";
inline constexpr std::string_view HyperRegion = "Q117";
inline constexpr std::string_view MessageColour = "Q118";
inline constexpr std::string_view Method = "Q119";
inline constexpr std::string_view StartRegion = "Q120";
inline constexpr std::string_view DuplicateName = "Q130";
inline constexpr std::string_view EmptyMessage = "Q140";
inline constexpr std::string_view MessageNever = "Q141";
inline constexpr std::string_view ArrivalNever = "Q142";
inline constexpr std::string_view AfterLength = "Q150";
inline constexpr std::string_view SlotNeverShown = "Q151";
inline constexpr std::string_view TagIndex = "Q152";
inline constexpr std::string_view TextIndex = "Q153";
inline constexpr std::string_view BriefingRegion = "Q154";
inline constexpr std::string_view ZeroZoom = "Q155";
inline constexpr std::string_view EventAreaFull = "Q156";
inline constexpr std::string_view BriefingColour = "Q157";
}  // namespace code

struct RuleInput {
    const mission::MissionStore& store;
    const briefing::BriefingModel& briefing;
    const mission::CraftList& craftList;
};

// Adds a problem with the severity its rule has.
void report(std::vector<Problem>& out, std::string_view code, Location where, std::string text,
            std::optional<Fix> fix = std::nullopt);

// The trigger codes the lists know: 51 conditions, 27 subject types, and
// amounts up to `amounts` (37 for shipgroups and messages, 51 for goals).
// `subjectNone`, when set, is the fix that clears a dangling shipgroup subject.
struct TriggerPlace {
    Location where;  // area, index; field gets ".condition" etc. appended
    mission::Table table;
    int slot;
    int offset;  // of the trigger in its record
    int amounts;
};
void checkTrigger(const RuleInput& in, const TriggerPlace& place, std::vector<Problem>& out);
// Whether a trigger's condition is "FALSE - Impossible condition".
bool impossible(const mission::MissionStore& s, mission::Table t, int slot, int offset);
// Two pairs of triggers joined (And/Or, 1 = Or) that can never all hold.
bool neverHolds(bool t1, bool t2, int join12, bool t3, bool t4, int join34, int joinConditions);

std::string shipgroupRef(int number, int count);  // "shipgroup #57, but the mission has 40 (#0..#39)"

void lintShipgroups(const RuleInput& in, std::vector<Problem>& out);
void lintMessagesAndGoals(const RuleInput& in, std::vector<Problem>& out);
void lintBriefing(const RuleInput& in, std::vector<Problem>& out);

}  // namespace quendar::lint
