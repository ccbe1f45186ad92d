#include <gtest/gtest.h>

#include <set>

#include "app/editor/CommandTable.h"

using namespace quendar::app;

TEST(CommandTable, IdsAreUniqueAndEveryPlacedIdExists) {
    CommandTable t;
    std::set<int> ids;
    for (const Command& c : t.commands()) {
        EXPECT_TRUE(ids.insert(c.id).second) << "duplicate id " << c.id;
        EXPECT_FALSE(c.tooltip.empty()) << c.id;
    }
    std::set<int> placed;
    for (int id : t.menuIds()) {
        EXPECT_TRUE(ids.count(id)) << "menu names unknown id " << id;
        EXPECT_TRUE(placed.insert(id).second) << "menu lists " << id << " twice";
    }
    for (const ToolbarDef& bar : t.toolbars()) {
        for (int id : bar.items) {
            if (id == kSeparator || id == kShipgroupSelector || id == kTimeSlider) continue;
            EXPECT_TRUE(ids.count(id)) << "toolbar " << bar.id << " names unknown id " << id;
            placed.insert(id);
        }
    }
    // Nothing in the table is out of the user's reach.
    for (int id : ids) EXPECT_TRUE(placed.count(id)) << "command " << id << " is nowhere";
}

TEST(CommandTable, ToolbarsInCreationOrderWithTheirPlaces) {
    CommandTable t;
    std::vector<int> order;
    for (const auto& b : t.toolbars()) order.push_back(b.id);
    EXPECT_EQ(order, (std::vector<int>{128, 147, 145, 153, 151, 135}));
    EXPECT_EQ(t.toolbar(kSelectorBar)->items.front(), kShipgroupSelector);
    EXPECT_EQ(t.toolbar(kSelectorBar)->leftOf, kMapToolbar);
    EXPECT_EQ(t.toolbar(kBriefingEditBar)->leftOf, kBriefingToolsBar);
    EXPECT_EQ(t.toolbar(kBriefingCommandsBar)->items.back(), kTimeSlider);
    for (int hidden : {147, 153, 151}) EXPECT_FALSE(t.toolbar(hidden)->visible) << hidden;
    for (int shown : {128, 145, 135}) EXPECT_TRUE(t.toolbar(shown)->visible) << shown;
    EXPECT_EQ(t.toolbar(kControlBar)->buttonWidth, 64);
    EXPECT_EQ(t.toolbar(kControlBar)->items.size(), 12u);
}

TEST(CommandTable, HandlersDecideEnabledCheckedAndExecution) {
    CommandTable t;
    const Command* zoom = t.find(cmd::ZoomIn);
    ASSERT_NE(zoom, nullptr);
    EXPECT_FALSE(zoom->isEnabled()) << "no handler: disabled";
    EXPECT_FALSE(t.execute(cmd::ZoomIn));

    int runs = 0;
    bool allowed = true, on = false;
    t.bind(
        cmd::ZoomIn, [&] { ++runs; }, [&] { return allowed; }, [&] { return on; });
    EXPECT_TRUE(t.execute(cmd::ZoomIn));
    allowed = false;
    EXPECT_FALSE(t.execute(cmd::ZoomIn)) << "a disabled command does not run";
    EXPECT_EQ(runs, 1);
    on = true;
    EXPECT_TRUE(t.find(cmd::ZoomIn)->isChecked());
    EXPECT_TRUE(t.find(cmd::ZoomIn)->checkable());

    // The File shortcuts desktop users expect.
    EXPECT_EQ(t.find(cmd::New)->shortcut, "Ctrl+N");
    EXPECT_EQ(t.find(cmd::Open)->shortcut, "Ctrl+O");
    EXPECT_EQ(t.find(cmd::Save)->shortcut, "Ctrl+S");
    EXPECT_EQ(t.find(cmd::SaveAs)->shortcut, "Ctrl+Shift+S");
    EXPECT_EQ(t.find(cmd::Open)->menuText, "&Open...");
    EXPECT_EQ(t.find(32923)->tooltip, "Briefing lenght");
}
