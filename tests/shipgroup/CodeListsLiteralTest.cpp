// Every code list in full, written out from the lists' documented text. A list
// control stores the index of its entry, so a swap of two neighbours or a
// missing entry changes what the file means.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shipgroup/CodeTables.h"

namespace quendar::shipgroup {
namespace {

using L = std::vector<std::string>;

// "prefix" followed by each number from..to, as the lists write their runs.
void run(L& l, int from, int to, const std::string& prefix = "") {
    for (int n = from; n <= to; ++n) l.push_back(prefix + std::to_string(n));
}
void repeat(L& l, int n, const std::string& label) { l.insert(l.end(), n, label); }

TEST(CodeListsLiteral, OrdersConditionsAmountsAndMethods) {
    L orders{"Hold steady",
             "Fly home",
             "Circle waypoints",
             "Circle and evade",
             "Rendezvous",
             "Disabled",
             "Await boarding",
             "Destroy targets",
             "Attack escort of",
             "Protect",
             "Escort",
             "Disable targets",
             "Board to give/reload",
             "Board to take",
             "Board to exchange",
             "Board to capture",
             "Board to destroy",
             "Pick up",
             "Drop off",
             "Wait",
             "Wait",
             "SS Circle",
             "SS Await return",
             "SS Await launch",
             "SS Patrol and protect",
             "SS Patrol and protect",
             "SS Patrol and destroy",
             "SS Patrol and disable",
             "SS Hold steady",
             "SS Fly home",
             "SS Hold steady",
             "Board to ",
             "Board to repair",
             "SS Hold steady",
             "SS Hold steady",
             "SS Hold steady",
             "Self-destruct",
             "Kamikaze attack",
             "Permanently disabled",
             "Await boarding (disabled)"};
    run(orders, 40, 48);
    orders.push_back("Beacon (used by hyperbouys)");
    orders.push_back("Hyperspace");
    run(orders, 51, 60);
    ASSERT_EQ(orders.size(), 61u);
    EXPECT_EQ(orderLabels(), orders);

    L conditions{"TRUE - No condition",
                 "Arrive",
                 "Be destroyed",
                 "Be attacked",
                 "Be captured",
                 "Be inspected",
                 "Be boarded",
                 "Finished docking",
                 "Be disabled",
                 "Unknown - 9",
                 "FALSE - Impossible condition",
                 "Unknown - 11",
                 "Completed its mission"};
    run(conditions, 13, 18, "Unknown - ");
    for (const char* s : {"Be dropped off", "Be reinforced", "At 0% shields", "At 50% hull",
                          "Unknown - 23", "Unknown - 24", "Be dropped off"})
        conditions.push_back(s);
    run(conditions, 26, 31, "Unknown - ");
    conditions.push_back("Initiated docking");
    run(conditions, 33, 44, "Unknown - ");
    for (const char* s : {"Withdrawn", "Unknown - 46", "Arrived in sector"})
        conditions.push_back(s);
    run(conditions, 48, 50, "Unknown - ");
    ASSERT_EQ(conditions.size(), 51u);
    EXPECT_EQ(conditionLabels(), conditions);

    L amounts{"100 %",
              "75 %",
              "50 %",
              "25 %",
              "At least one",
              "All except one",
              "Special craft",
              "All non-special craft",
              "All non-player craft",
              "All player craft"};
    run(amounts, 10, 16, "Unknown - ");
    amounts.push_back("66 %");
    amounts.push_back("33 %");
    run(amounts, 19, 36, "Unknown - ");
    ASSERT_EQ(amounts.size(), 37u);
    EXPECT_EQ(amountLabels(), amounts);

    L methods{"Hyperspace", "Hangar"};
    run(methods, 2, 5, "Unknown - ");
    EXPECT_EQ(methodLabels(), methods);

    L subjects{"None",     "Flightgroup", "Ship type",   "Ship category", "Object category",
               "IFF code", "Unknown - 6", "Unknown - 7", "Global group"};
    run(subjects, 9, 22, "Unknown - ");
    subjects.push_back("Global unit");
    run(subjects, 24, 26, "Unknown - ");
    ASSERT_EQ(subjects.size(), 27u);
    EXPECT_EQ(subjectTypeLabels(LabelSet::Arrival), subjects);
    subjects[23] = "Global Unit";
    EXPECT_EQ(subjectTypeLabels(LabelSet::Departure), subjects);
    subjects[6] = "Craft with orders";
    subjects[12] = "Team";
    subjects[21] = "All teams, except";
    EXPECT_EQ(subjectTypeLabels(LabelSet::OrderTarget), subjects);
}

TEST(CodeListsLiteral, LoadoutStatusAndThrottleLists) {
    L status{"Default",       "Double warhead",   "Half warhead",  "No shields",
             "50% shields",   "No lasers",        "No hyperdrive", "Shields recharging",
             "Shields added", "Hyperdrive added", "Unused",        "Unused",
             "200% shields"};
    repeat(status, 5, "Unused");
    status.push_back("200% shields");
    status.push_back("Unused");
    status.push_back("Invulnerable");
    status.push_back("Infinite warheads");
    repeat(status, 9, "Unused");
    ASSERT_EQ(status.size(), 31u);
    EXPECT_EQ(statusLabels(), status);

    L warheads{"None",     "Space Bomb",       "Heavy Rocket",     "Missile",
               "Torpedo",  "Advanced Missile", "Advanced Torpedo", "Mag Pulse",
               "Ion Pulse"};
    repeat(warheads, 5, "Unused");
    EXPECT_EQ(warheadLabels(), warheads);

    L beams{"None", "Tractor", "Jamming", "Decoy", "Energy"};
    repeat(beams, 6, "Unused");
    EXPECT_EQ(beamLabels(), beams);

    EXPECT_EQ(countermeasureLabels(),
              (L{"None", "Chaff", "Flare", "(Cluster mine)", "Unused", "Unused"}));
    EXPECT_EQ(markingLabels(), (L{"Red (Darts)   or None (Orbs)", "Gold (Darts)  or Red (Orbs)",
                                  "Blue (Darts)  or Gold (Orbs)", "Green (Darts) or Blue (Orbs)"}));

    L skill{"Novice", "Officer", "Veteran", "Ace", "Top Ace", "Super Ace"};
    repeat(skill, 10, "Unused");
    EXPECT_EQ(aiSkillLabels(), skill);

    L throttle;
    run(throttle, 0, 10);
    for (int i = 0; i <= 10; ++i) throttle[i] = "Throttle at " + std::to_string(i * 10) + "%";
    run(throttle, 11, 30);
    EXPECT_EQ(throttleLabels(), throttle);
}

}  // namespace
}  // namespace quendar::shipgroup
