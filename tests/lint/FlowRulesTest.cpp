// The rules over the mission's logic: each cause reported once, with its chain.
#include <gtest/gtest.h>

#include "briefing/BriefingModel.h"
#include "lint/Lint.h"
#include "mission/CraftList.h"
#include "mission/NewMission.h"

namespace quendar::lint {
namespace {

using mission::Table;

TEST(FlowRulesTest, ChainsHangarsMessagesAndGoals) {
    mission::MissionStore s;
    briefing::BriefingModel briefing{s};
    mission::CraftList craft;
    mission::resetToNewMission(s);
    briefing.resetForNewMission();
    s.shipgroupCount = 5;
    const char* names[] = {"Ash", "Brine", "Cinder", "Dusk", "Ember"};
    for (int i = 0; i < 5; ++i) {
        mission::setEmptyShipgroup(s, i);
        s.setText(Table::Shipgroups, i, 0, 20, names[i]);
    }
    auto set = [&](Table t, int slot, std::initializer_list<std::pair<int, int>> bytes) {
        for (auto [at, v] : bytes) s.setByte(t, slot, at, static_cast<uint8_t>(v));
    };
    set(Table::Shipgroups, 0, {{136, 10}});                     // FALSE: the older rule alone
    set(Table::Shipgroups, 1, {{136, 2}, {137, 1}, {138, 0}});  // waits for #0 destroyed
    set(Table::Shipgroups, 2,
        {{195, 1}, {194, 0}, {197, 1}, {196, 0}});    // both ways by #0's hangar
    set(Table::Shipgroups, 3, {{195, 1}, {194, 1}});  // hangar of #1; hyperspace else
    set(Table::Shipgroups, 4, {{125, 1}, {113, 0}});  // a player on team 1
    s.messageCount = 3;
    set(Table::Messages, 0, {{2, 'A'}, {92, 3}, {93, 1}, {94, 1}});  // attacked #1
    set(Table::Messages, 1, {{2, 'B'}, {92, 10}});                   // FALSE: the older rule alone
    set(Table::Messages, 2,
        {{2, 'C'}, {92, 10}, {98, 1}, {99, 1}, {100, 0}, {106, 1}});  // FALSE or #0
    set(Table::GlobalGoals, 0, {{2, 2}, {3, 1}, {4, 1}});             // primary: #1 destroyed
    set(Table::GlobalGoals, 1,
        {{2 + 244 + 6, 1}, {2 + 244 + 7, 1}, {2 + 244 + 8, 2}});             // secondary goal 2
    set(Table::GlobalGoals, 2, {{2 + 122, 2}, {2 + 123, 1}, {2 + 124, 1}});  // prevent: no verdict

    const auto problems = lintMission(s, briefing, craft);
    std::vector<std::string> lines;
    for (const Problem& p : problems) lines.push_back(problemLine(p, s));
    const std::string ash =
        "#0 \"Ash\" never arrives (its arrival triggers need \"FALSE - Impossible condition\")";
    const std::string brine =
        "waits for #1 \"Brine\" to be destroyed, which never arrives (waits for #0 \"Ash\" to be "
        "destroyed, "
        "which never arrives (its arrival triggers need \"FALSE - Impossible condition\"))";
    EXPECT_EQ(
        lines,
        (std::vector<std::string>{
            "Q142 warning shipgroup #0 \"Ash\" arrival: \"FALSE - Impossible condition\" keeps the "
            "arrival "
            "triggers from ever holding, so the group never arrives",
            "Q160 warning shipgroup #1 \"Brine\" arrival: never arrives: waits for #0 \"Ash\" to "
            "be "
            "destroyed, which never arrives (its arrival triggers need \"FALSE - Impossible "
            "condition\")",
            "Q161 warning shipgroup #2 \"Cinder\" arrival.mothership1: the mothership " + ash +
                ", so the group never arrives",
            "Q161 warning shipgroup #2 \"Cinder\" arrival.mothership2: the mothership " + ash +
                ", so the group never arrives",
            "Q161 warning shipgroup #3 \"Dusk\" arrival.mothership1: the mothership #1 \"Brine\" "
            "never "
            "arrives (waits for #0 \"Ash\" to be destroyed, which never arrives (its arrival "
            "triggers need "
            "\"FALSE - Impossible condition\")): the group cannot come out of its hangar",
            "Q162 warning message 1 triggers: never shown: waits for #1 \"Brine\" to be attacked, "
            "which "
            "never arrives (waits for #0 \"Ash\" to be destroyed, which never arrives (its arrival "
            "triggers need \"FALSE - Impossible condition\"))",
            "Q141 warning message 2 triggers: \"FALSE - Impossible condition\" keeps the triggers "
            "from ever "
            "holding, so the message is never shown",
            "Q162 warning message 3 triggers: never shown: waits for #0 \"Ash\" to arrive, which "
            "never "
            "arrives (its arrival triggers need \"FALSE - Impossible condition\")",
            "Q163 warning global goal team1.primary.goal1: the primary goals of team 1 can never "
            "be met, so "
            "the mission cannot be won: " +
                brine,
            "Q163 warning global goal team2.secondary.goal2: the secondary goals of team 2 can "
            "never be met: "
            "waits for #2 \"Cinder\" to arrive, which never arrives (arrives by hangar from #0 "
            "\"Ash\", "
            "which never arrives (its arrival triggers need \"FALSE - Impossible condition\"))",
        }));
}

}  // namespace
}  // namespace quendar::lint
