#include <gtest/gtest.h>

#include <vector>

#include "MapToolsFixture.h"
#include "mission/NewMission.h"
#include "mission/ShipgroupRecord.h"
#include "support/ScriptedUi.h"

using namespace quendar;
using app::cmd;
using map::PointerAction;
using map::PointerButton;
using mission::Table;
using Events = std::vector<core::ShipgroupEvent>;
using enum core::ShipgroupEvent;

namespace {

struct HyperbuoyTest : quendar::testing::MapToolsFixture {
    void SetUp() override {
        MapToolsFixture::SetUp();
        const char* names[4] = {"Alder Reach", "Brine Gap", "Cinder Shoal", "Dusk Verge"};
        for (int r = 0; r < 4; ++r) editor.store.setText(Table::RegionNames, r, 0, 16, names[r]);
    }
    void click(int x, int y) {
        tools.pointer({PointerAction::Press, PointerButton::Left, false, false, x, y});
        tools.pointer({PointerAction::Release, PointerButton::Left, false, false, x, y});
    }
    int cell(int shipgroup, int offset) const {
        return editor.store.byte(Table::Shipgroups, shipgroup, offset);
    }
    int word(int shipgroup, int offset) const {
        return editor.store.signedWord(Table::Shipgroups, shipgroup, offset);
    }
};

}  // namespace

TEST_F(HyperbuoyTest, TwoClicksInTwoRegionsBuildBeaconAndEntryPoint) {
    // IFF and team come from shipgroup 0, not from the current one.
    editor.store.shipgroupCount = 3;
    mission::ShipgroupRecord(editor.store, 0).set(112, 3);
    mission::ShipgroupRecord(editor.store, 0).set(113, 5);
    mission::ShipgroupRecord(editor.store, 2).set(112, 1);
    editor.store.currentShipgroup = 2;

    ASSERT_TRUE(commands.execute(cmd::HyperbuoyWizard));
    EXPECT_EQ(editor.mapTool, app::MapTool::BeaconStep);
    EXPECT_TRUE(commands.find(cmd::HyperbuoyWizard)->isChecked());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Hyperbouy Wizard");
    EXPECT_EQ(prompter.shown[0].text,
              "Welcome to the Hyperbouy Wizard. This Wizard will create you automaticly a "
              "one-directional hyperbouy which is usable by the player. Specify the location of "
              "the Hyperbouy where you want to go to hyperspace. Simply click somewhere in the "
              "map.");
    EXPECT_EQ(prompter.shown[0].icon, core::Icon::Information);

    // Step 1 in region 1.
    click(410, 300);
    ASSERT_EQ(editor.store.shipgroupCount, 4);
    EXPECT_EQ(editor.mapTool, app::MapTool::EntryStep);
    EXPECT_TRUE(commands.find(cmd::HyperbuoyWizard)->isChecked());
    EXPECT_EQ(events, (Events{Added, CurrentChanged}));
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].caption, "Hyperbouy Wizard #2");
    EXPECT_EQ(prompter.shown[1].text,
              "Now select another region by pushing one of the four red buttons (I , II , III , "
              "IV). Then specify the place of the hyperbouy by left mouse button where you exit "
              "from hyperspace.");
    EXPECT_EQ(editor.store.text(Table::Shipgroups, 3, 0, 20), "Noname");

    // Step 2 in region 3.
    editor.mapView.setRegion(2, false);
    events.clear();
    click(390, 310);
    ASSERT_EQ(editor.store.shipgroupCount, 5);
    EXPECT_EQ(editor.mapTool, app::CurrentTool{});
    EXPECT_EQ(editor.store.currentShipgroup, 3) << "the beacon ends as current";
    EXPECT_EQ(events, (Events{Added, CurrentChanged, Renamed, CurrentChanged}));
    EXPECT_EQ(editor.store.byte(Table::Header, 0, 2), 5);
    ASSERT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(prompter.shown[2].text, "Task completed.");
    EXPECT_EQ(prompter.shown[2].caption, "Hyperbouy Wizard");

    // The beacon (3) and the entry point (4), cell by cell.
    EXPECT_EQ(editor.store.text(Table::Shipgroups, 3, 0, 20), "To Cinder Shoal");
    EXPECT_EQ(editor.store.text(Table::Shipgroups, 4, 0, 20), "Entry point");
    const int common[][3] = {{20, 0, 0},    {21, 255, 255}, {107, 85, 85}, {108, 1, 1},
                             {109, 20, 20}, {112, 3, 3},    {113, 5, 5},   {3530, 0, 0}};
    for (const auto& c : common) {
        EXPECT_EQ(cell(3, c[0]), c[1]) << c[0];
        EXPECT_EQ(cell(4, c[0]), c[2]) << c[0];
    }
    EXPECT_EQ(cell(3, 22), 18);
    EXPECT_EQ(cell(3, 23), 0);
    EXPECT_EQ(cell(4, 22), 12);
    EXPECT_EQ(cell(4, 23), 12);
    EXPECT_EQ(cell(3, 202), 49) << "order 1 of region 1";
    EXPECT_EQ(cell(4, 202), 0);
    EXPECT_EQ(cell(4, 202 + 592 * 2), 0);
    EXPECT_EQ(word(3, 3466), 16);
    EXPECT_EQ(cell(3, 3498), 0);
    EXPECT_EQ(word(4, 3466), -16);
    EXPECT_EQ(word(4, 3468), 16);
    EXPECT_EQ(cell(4, 3498), 2);
}

TEST_F(HyperbuoyTest, LimitsAndAbandonment) {
    // 198 shipgroups: the wizard completes with 200.
    editor.store.shipgroupCount = 198;
    ASSERT_TRUE(commands.execute(cmd::HyperbuoyWizard));
    click(400, 300);
    editor.mapView.setRegion(1, false);
    click(400, 300);
    EXPECT_EQ(editor.store.shipgroupCount, 200);
    EXPECT_EQ(editor.mapTool, app::CurrentTool{});
    EXPECT_EQ(cell(198, 22), 17);
    EXPECT_EQ(cell(199, 22), 12);

    // 199: only the beacon, the second click does nothing and the tool stays.
    mission::resetToNewMission(editor.store);
    editor.store.shipgroupCount = 199;
    editor.mapView.setRegion(3, false);
    ASSERT_TRUE(commands.execute(cmd::HyperbuoyWizard));
    click(400, 300);
    EXPECT_EQ(editor.store.shipgroupCount, 200);
    EXPECT_EQ(cell(199, 202 + 592 * 3), 49);
    events.clear();
    prompter.shown.clear();
    click(400, 300);
    EXPECT_EQ(editor.store.shipgroupCount, 200);
    EXPECT_EQ(editor.mapTool, app::MapTool::EntryStep);
    EXPECT_TRUE(events.empty());
    // It says why.
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "No room for the hyperbuoy pair: 200 shipgroups.");
    EXPECT_EQ(prompter.shown[0].caption, "Hyperbouy Wizard");
    EXPECT_EQ(editor.store.text(Table::Shipgroups, 199, 0, 20), "Noname");

    // At 200 the first click does nothing either, and the tool stays.
    ASSERT_TRUE(commands.execute(cmd::HyperbuoyWizard));
    prompter.shown.clear();
    click(400, 300);
    EXPECT_EQ(editor.mapTool, app::MapTool::BeaconStep);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "No room for the hyperbuoy pair: 200 shipgroups.");

    // Choosing another tool abandons the wizard: the beacon keeps its old
    // name and no arrival, and the next click is the other tool's.
    mission::resetToNewMission(editor.store);
    ASSERT_TRUE(commands.execute(cmd::HyperbuoyWizard));
    click(400, 300);
    ASSERT_EQ(editor.store.shipgroupCount, 2);
    ASSERT_TRUE(commands.execute(cmd::StartPoint1));
    EXPECT_FALSE(commands.find(cmd::HyperbuoyWizard)->isChecked());
    click(420, 300);
    EXPECT_EQ(editor.store.shipgroupCount, 2);
    EXPECT_EQ(word(1, 3466), 32) << "the start point tool moved the beacon";
    EXPECT_EQ(cell(1, 22), 0);
    EXPECT_EQ(editor.store.text(Table::Shipgroups, 1, 0, 20), "Noname");

    // A long region name is cut to the name field.
    editor.store.setText(Table::RegionNames, 0, 0, 132, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    ASSERT_TRUE(commands.execute(cmd::HyperbuoyWizard));
    click(400, 300);
    editor.mapView.setRegion(0, false);
    click(400, 300);
    EXPECT_EQ(editor.store.text(Table::Shipgroups, 2, 0, 20), "To ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(cell(2, 22), 16);
    EXPECT_EQ(cell(3, 22), 15) << "entry point from region 4";
}
