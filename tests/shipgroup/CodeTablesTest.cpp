#include <gtest/gtest.h>

#include "shipgroup/CodeTables.h"

namespace quendar::shipgroup {
namespace {

TEST(CodeTables, SizesAndNamedEntriesSitAtTheirCodes) {
    struct Row {
        const Labels& t;
        size_t size;
        int code;
        const char* label;
    };
    const Row rows[] = {
        {conditionLabels(), 51, 0, "TRUE - No condition"},
        {conditionLabels(), 51, 10, "FALSE - Impossible condition"},
        {conditionLabels(), 51, 47, "Arrived in sector"},
        {conditionLabels(), 51, 50, "Unknown - 50"},
        {goalConditionLabels(), 51, 7, "finish boarding"},
        {goalConditionLabels(), 51, 10, "-Never completed-"},
        {goalConditionLabels(), 51, 12, "Completed its mission"},
        {amountLabels(), 37, 9, "All player craft"},
        {amountLabels(), 37, 16, "Unknown - 16"},
        {amountLabels(), 37, 18, "33 %"},
        {methodLabels(), 6, 5, "Unknown - 5"},
        {orderLabels(), 61, 31, "Board to "},
        {orderLabels(), 61, 40, "40"},
        {orderLabels(), 61, 49, "Beacon (used by hyperbouys)"},
        {orderLabels(), 61, 50, "Hyperspace"},
        {orderLabels(), 61, 60, "60"},
        {throttleLabels(), 31, 10, "Throttle at 100%"},
        {throttleLabels(), 31, 11, "11"},
        {targetCategoryLabels(), 31, 6, "Mines"},
        {targetCategoryLabels(), 31, 7, "7"},
        {statusLabels(), 31, 12, "200% shields"},
        {statusLabels(), 31, 18, "200% shields"},
        {statusLabels(), 31, 21, "Infinite warheads"},
        {statusLabels(), 31, 30, "Unused"},
        {warheadLabels(), 14, 8, "Ion Pulse"},
        {beamLabels(), 11, 4, "Energy"},
        {countermeasureLabels(), 6, 3, "(Cluster mine)"},
        {markingLabels(), 4, 0, "Red (Darts)   or None (Orbs)"},
        {aiSkillLabels(), 16, 2, "Veteran"},
        {aiSkillLabels(), 16, 15, "Unused"},
        {craftCountLabels(), 13, 12, "Twelve"},
        {wavesLabels(), 29, 0, "1"},
        {wavesLabels(), 29, 28, "29"},
        {pilotLabels(), 13, 12, "Player in craft 12"},
        {optionalBeamLabels(), 4, 3, "(Energy)"},
        {optionalShipModeLabels(), 5, 4, "USER DEFINED"},
    };
    for (const auto& r : rows) {
        ASSERT_EQ(r.t.size(), r.size) << r.label;
        EXPECT_EQ(r.t[r.code], r.label) << "code " << r.code;
    }
    // Equal labels stay distinct codes.
    EXPECT_EQ(conditionLabels()[19], conditionLabels()[25]);
    EXPECT_EQ(orderLabels()[28], orderLabels()[35]);
}

TEST(CodeTables, PerFormLabels) {
    EXPECT_EQ(subjectTypeLabels(LabelSet::Arrival)[23], "Global unit");
    EXPECT_EQ(subjectTypeLabels(LabelSet::Departure)[23], "Global Unit");
    EXPECT_EQ(subjectTypeLabels(LabelSet::Arrival)[6], "Unknown - 6");
    const Labels& target = subjectTypeLabels(LabelSet::OrderTarget);
    EXPECT_EQ(target[6], "Craft with orders");
    EXPECT_EQ(target[12], "Team");
    EXPECT_EQ(target[21], "All teams, except");
    EXPECT_EQ(target[23], "Global Unit");
    EXPECT_EQ(target.size(), 27u);

    const std::array<std::string, 4> regions{"North", "East", "South", "West"};
    const Labels a = param1Labels(regions, LabelSet::Arrival);
    ASSERT_EQ(a.size(), 21u);
    EXPECT_EQ(a[0], "Parameter  - None");
    EXPECT_EQ(a[4], "West");
    EXPECT_EQ(a[5], "5");
    EXPECT_EQ(param1Labels(regions, LabelSet::Departure)[0], "Parameter - None");
    EXPECT_EQ(param2Labels(LabelSet::Arrival)[0], "Parameter  - None");
    EXPECT_EQ(param2Labels(LabelSet::Departure)[0], "Parameter - None");
    EXPECT_EQ(param2Labels(LabelSet::Departure)[20], "20");

    const Labels info = additionalInfoLabels(regions);
    ASSERT_EQ(info.size(), 61u);
    EXPECT_EQ(info[11], "Facility");
    EXPECT_EQ(info[12], "Entry point from North");
    EXPECT_EQ(info[19], "Hyper to West");
    EXPECT_EQ(info[20], "20");
}

TEST(CodeTables, OrderParameterCaptionsByOrderCode) {
    EXPECT_EQ(orderParams(2).caption1, "Number of loops:");
    EXPECT_EQ(orderParams(21).list1, ParamList::Loops);
    EXPECT_EQ(orderParams(6).caption1, "Number of dockings:");
    EXPECT_EQ(orderParams(32).caption2, "Number of dockings:");
    EXPECT_EQ(orderParams(17).caption2, "Unused");
    EXPECT_EQ(orderParams(18).caption2, "Shipgroup to be deployed");
    EXPECT_EQ(orderParams(18).list2, ParamList::Shipgroups);
    EXPECT_EQ(orderParams(20).caption1, "Wait time (5 secs):");
    EXPECT_EQ(orderParams(51).list1, ParamList::Regions);
    EXPECT_EQ(orderParams(51).caption1, "Hyperspace to");
    EXPECT_EQ(orderParams(7).caption1, "Unused");
    EXPECT_EQ(orderParams(255).list2, ParamList::Numbers);
}

}  // namespace
}  // namespace quendar::shipgroup
