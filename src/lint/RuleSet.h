#pragma once

// Shared by the rule files: the rules, and what every rule reads.
#include <string>
#include <string_view>
#include <vector>

#include "lint/Lint.h"

namespace quendar::lint {

namespace code {
inline constexpr Rule OrderTarget{
    "Q101", Severity::Error,
    "An order target of type Flightgroup names a shipgroup the mission does not have."};
inline constexpr Rule DeployedGroup{
    "Q102", Severity::Error, "A drop-off order deploys a shipgroup the mission does not have."};
inline constexpr Rule Mothership{
    "Q103", Severity::Error,
    "An arrival or departure by hangar names a mothership the mission does not have."};
inline constexpr Rule OwnMothership{
    "Q104", Severity::Error,
    "A shipgroup arrives or departs by hangar with itself as the mothership."};
inline constexpr Rule TriggerSubject{
    "Q105", Severity::Error,
    "A trigger of type Flightgroup names a shipgroup the mission does not have."};
inline constexpr Rule CraftTypeMissing{"Q110", Severity::Error,
                                       "A craft type has no entry in the craft list."};
inline constexpr Rule CraftTypeUnused{"Q111", Severity::Warning,
                                      "A craft type is an unused entry of the craft list."};
inline constexpr Rule OrderCode{"Q112", Severity::Warning,
                                "An order code lies outside the order list."};
inline constexpr Rule TriggerCode{"Q113", Severity::Warning,
                                  "A trigger's condition, subject type or amount, or an order "
                                  "target's type, lies outside its list."};
inline constexpr Rule ShipgroupCode{"Q114", Severity::Warning,
                                    "A shipgroup field holds a value its list does not have."};
inline constexpr Rule Iff{"Q115", Severity::Error,
                          "A shipgroup's IFF lies outside the mission's six IFFs."};
inline constexpr Rule Team{"Q116", Severity::Error,
                           "A shipgroup's team lies outside the ten teams."};
inline constexpr Rule HyperRegion{"Q117", Severity::Error,
                                  "A hyperspace order goes to a region outside the four regions."};
inline constexpr Rule MessageColour{"Q118", Severity::Warning,
                                    "A message colour lies outside the six IFF colours."};
inline constexpr Rule Method{"Q119", Severity::Warning,
                             "An arrival or departure method lies outside its list."};
inline constexpr Rule StartRegion{
    "Q120", Severity::Error, "An enabled start point lies in a region outside the four regions."};
inline constexpr Rule DuplicateName{
    "Q130", Severity::Warning, "Two shipgroups have the same name, and the lists show only names."};
inline constexpr Rule EmptyMessage{"Q140", Severity::Warning, "An in-flight message has no text."};
inline constexpr Rule MessageNever{
    "Q141", Severity::Warning,
    "An in-flight message can never be shown: its triggers need an impossible condition."};
inline constexpr Rule ArrivalNever{
    "Q142", Severity::Warning,
    "A shipgroup can never arrive: its arrival triggers need an impossible condition."};
// The mission's logic followed along its chains (src/flow); every verdict is
// a warning, read from the triggers as stored.
inline constexpr Rule ChainNever{"Q160", Severity::Warning,
                                 "A shipgroup never arrives: it waits for a shipgroup that never "
                                 "arrives, or for one that waits for it."};
inline constexpr Rule HangarNever{
    "Q161", Severity::Warning,
    "A shipgroup arrives by hangar from a mothership that never arrives."};
inline constexpr Rule MessageChainNever{
    "Q162", Severity::Warning,
    "An in-flight message is never shown: it waits for a shipgroup that never arrives."};
inline constexpr Rule GoalNever{"Q163", Severity::Warning,
                                "A primary or secondary global goal can never be met."};
inline constexpr Rule AfterLength{
    "Q150", Severity::Warning,
    "A briefing command lies after the briefing's length and never plays."};
inline constexpr Rule SlotNeverShown{
    "Q151", Severity::Warning,
    "A briefing command names a ship slot that no command shows at or before its time."};
inline constexpr Rule TagIndex{"Q152", Severity::Error,
                               "A briefing tag names an entry past the tag table."};
inline constexpr Rule TextIndex{"Q153", Severity::Error,
                                "A bottom text names an entry past the text table."};
inline constexpr Rule BriefingRegion{"Q154", Severity::Error,
                                     "The briefing changes to a region outside the four regions."};
inline constexpr Rule ZeroZoom{"Q155", Severity::Warning, "The briefing zooms the map to 0."};
inline constexpr Rule EventAreaFull{"Q156", Severity::Warning,
                                    "The briefing's event area is more than 95 % full."};
inline constexpr Rule BriefingColour{
    "Q157", Severity::Warning,
    "A briefing ship's IFF or a tag's colour lies outside the six IFFs."};
}  // namespace code

struct RuleInput {
    const mission::MissionStore& store;
    const briefing::BriefingModel& briefing;
    const mission::CraftList& craftList;
};

// Adds a problem with the code and severity of its rule.
inline void report(std::vector<Problem>& out, const Rule& rule, const Location& where,
                   const Text& text, const std::optional<Fix>& fix = std::nullopt) {
    out.push_back(Problem{rule.code, rule.severity, where, text, fix});
}

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

// The tail of a sentence about a shipgroup number outside the mission, taking
// the number as %0 and the mission's count as %1.
#define QUENDAR_LINT_SHIPGROUP_REF "shipgroup #%0, but the mission has %1 shipgroup%s1"

void lintShipgroups(const RuleInput& in, std::vector<Problem>& out);
void lintMessagesAndGoals(const RuleInput& in, std::vector<Problem>& out);
void lintBriefing(const RuleInput& in, std::vector<Problem>& out);
void lintFlow(const RuleInput& in, std::vector<Problem>& out);  // FlowRules.cpp

}  // namespace quendar::lint
