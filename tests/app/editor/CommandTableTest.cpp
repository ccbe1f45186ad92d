#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <utility>

#include "app/editor/CommandTable.h"

using namespace quendar::app;

// Every menu item and toolbar button names a command of the table, once in
// the menus, and every command can be reached.
TEST(CommandTable, IdsAreUniqueAndEveryPlacedIdExists) {
    CommandTable t;
    std::set<CommandId> ids;
    for (const Command& c : t.commands()) {
        EXPECT_TRUE(ids.insert(c.id).second) << "duplicate id " << idNumber(c.id);
        EXPECT_FALSE(c.tooltip.empty()) << idNumber(c.id);
    }
    std::set<CommandId> placed;
    for (CommandId id : t.menuIds()) {
        EXPECT_TRUE(ids.count(id)) << "menu names unknown id " << idNumber(id);
        EXPECT_TRUE(placed.insert(id).second) << "menu lists " << idNumber(id) << " twice";
    }
    for (const ToolbarDef& bar : t.toolbars()) {
        for (const ToolbarItem& item : bar.items) {
            if (item.slot != Slot::Command) continue;
            EXPECT_TRUE(ids.count(item.command))
                << "toolbar " << bar.id << " names unknown id " << idNumber(item.command);
            placed.insert(item.command);
        }
    }
    // Nothing in the table is out of the user's reach.
    for (CommandId id : ids)
        EXPECT_TRUE(placed.count(id)) << "command " << idNumber(id) << " is nowhere";
}

// The numbers of the commands are the ones the editor has always had; each
// name stands for its own.
TEST(CommandTable, EveryCommandKeepsItsNumber) {
    const std::pair<int, CommandId> rows[] = {{32771, cmd::System1},
                                              {32772, cmd::System2},
                                              {32773, cmd::System3},
                                              {32774, cmd::System4},
                                              {32775, cmd::Coordinates},
                                              {32776, cmd::MapProperties},
                                              {32778, cmd::ZoomIn},
                                              {32779, cmd::ZoomOut},
                                              {32780, cmd::ViewXY},
                                              {32781, cmd::ViewYZ},
                                              {32782, cmd::ViewXZ},
                                              {32783, cmd::AxisProperties},
                                              {32784, cmd::Centre},
                                              {32785, cmd::MapMode},
                                              {32786, cmd::Shipgroups},
                                              {32787, cmd::Basic},
                                              {32788, cmd::Arrival},
                                              {32789, cmd::Departure},
                                              {32790, cmd::ShipgroupsView},
                                              {32791, cmd::BriefingMode},
                                              {32792, cmd::Orders},
                                              {32793, cmd::Waypoints},
                                              {32794, cmd::Advanced},
                                              {32795, cmd::ViewControlBar},
                                              {32796, cmd::ViewShipgroups},
                                              {32798, cmd::ShowOnMap},
                                              {32800, cmd::Play},
                                              {32801, cmd::Stop},
                                              {32802, cmd::StepForward},
                                              {32803, cmd::StepBackward},
                                              {32804, cmd::GoToEnd},
                                              {32805, cmd::ViewBriefingBar},
                                              {32818, cmd::BriefingTexts},
                                              {32819, cmd::BriefingTags},
                                              {32820, cmd::Introduction},
                                              {32821, cmd::Debriefing},
                                              {32822, cmd::Team1},
                                              {32823, cmd::Team2},
                                              {32824, cmd::Team3},
                                              {32825, cmd::Team4},
                                              {32826, cmd::Team5},
                                              {32827, cmd::Team6},
                                              {32828, cmd::Team7},
                                              {32829, cmd::Team8},
                                              {32830, cmd::Team9},
                                              {32831, cmd::Team10},
                                              {32833, cmd::MissionProperties},
                                              {32834, cmd::Messages},
                                              {32835, cmd::Validate},
                                              {32838, cmd::Cargoes},
                                              {32839, cmd::ShowShip},
                                              {32840, cmd::AddSelection},
                                              {32841, cmd::AddTexts},
                                              {32842, cmd::MoveBriefing},
                                              {32843, cmd::ZoomBriefing},
                                              {32844, cmd::HideShip},
                                              {32845, cmd::DeleteTexts},
                                              {32846, cmd::SkipTo},
                                              {32847, cmd::ChangeRegion},
                                              {32848, cmd::Systems},
                                              {32849, cmd::SelectMove},
                                              {32850, cmd::SlowSpeed},
                                              {32851, cmd::NormalSpeed},
                                              {32852, cmd::FastSpeed},
                                              {32853, cmd::HideSelections},
                                              {32854, cmd::NextAction},
                                              {32855, cmd::LastAction},
                                              {32856, cmd::Step1},
                                              {32857, cmd::Step2},
                                              {32858, cmd::Step3},
                                              {32859, cmd::Step4},
                                              {32860, cmd::Step5},
                                              {32861, cmd::DeleteCommands},
                                              {32862, cmd::BriefingWizard},
                                              {32864, cmd::ToggleImages},
                                              {32865, cmd::EndMark},
                                              {32870, cmd::AddInstruction},
                                              {32871, cmd::RotateCraft},
                                              {32872, cmd::StartPoint1},
                                              {32873, cmd::StartPoint2},
                                              {32874, cmd::StartPoint3},
                                              {32875, cmd::StartPoint4},
                                              {32876, cmd::Waypoint1},
                                              {32877, cmd::Waypoint2},
                                              {32878, cmd::Waypoint3},
                                              {32879, cmd::Waypoint4},
                                              {32880, cmd::Waypoint5},
                                              {32881, cmd::Waypoint6},
                                              {32882, cmd::Waypoint7},
                                              {32883, cmd::Waypoint8},
                                              {32884, cmd::HyperspacePoint},
                                              {32885, cmd::RendezvousPoint},
                                              {32886, cmd::HyperbuoyWizard},
                                              {32888, cmd::Open},
                                              {32890, cmd::SaveAs},
                                              {32891, cmd::MoveShip},
                                              {32892, cmd::TechData},
                                              {32898, cmd::AutoBriefingBars},
                                              {32899, cmd::Goals},
                                              {32900, cmd::GlobalGroups},
                                              {32902, cmd::Hints},
                                              {32905, cmd::Order2Waypoints},
                                              {32906, cmd::Order3Waypoints},
                                              {32907, cmd::Order4Waypoints},
                                              {32908, cmd::Order1Waypoints},
                                              {32921, cmd::LockBriefing},
                                              {32922, cmd::ToggleHints},
                                              {32923, cmd::BriefingLength},
                                              {32924, cmd::GlobalGoals},
                                              {32925, cmd::OrdersWizard},
                                              {32926, cmd::BriefingUndo},
                                              {32928, cmd::BriefingRedo},
                                              {32930, cmd::Preferences},
                                              {32931, cmd::Options},
                                              {32934, cmd::NextBriefing},
                                              {32935, cmd::AssignTeams},
                                              {32936, cmd::ResetBriefing1},
                                              {32937, cmd::ResetBriefing2},
                                              {33001, cmd::AllTeams},
                                              {33002, cmd::ManualOverride},
                                              {33003, cmd::Plugins},
                                              {33004, cmd::Contents},
                                              {33005, cmd::Tutorials},
                                              {33330, cmd::FindReferences},
                                              {57600, cmd::New},
                                              {57603, cmd::Save},
                                              {57634, cmd::Copy},
                                              {57635, cmd::Cut},
                                              {57637, cmd::Paste},
                                              {57643, cmd::Undo},
                                              {57644, cmd::Redo},
                                              {57664, cmd::Info},
                                              {57665, cmd::Exit},
                                              {59392, cmd::ViewToolbar},
                                              {59393, cmd::ViewStatusBar}};
    CommandTable t;
    EXPECT_EQ(t.commands().size(), std::size(rows));
    for (const auto& [number, id] : rows) {
        EXPECT_EQ(idNumber(id), number);
        EXPECT_NE(t.find(id), nullptr) << number;
    }
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
    EXPECT_EQ(t.find(cmd::BriefingLength)->tooltip, "Briefing lenght");
}
