// The Changes panel without its window: what it lists against the file on
// disk, where a double-click goes, and reverting one change as one action.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/changes/ChangesPanel.h"
#include "app/files/FileCommands.h"
#include "app/files/MissionIO.h"
#include "mission/FileIO.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/ShipgroupList.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

namespace quendar::app {
namespace {

using mission::Table;
namespace fs = std::filesystem;

// The panel's ports: files read as Open reads them, the places it goes to,
// the rereads after a revert and a clock turned by hand.
struct ChangesFixture : ::testing::Test, MissionLoader, PlaceNavigator, MissionViews, SettleClock {
    quendar::testing::TempDir temp{"quendar-changes"};
    Editor editor;
    quendar::testing::ScriptedPrompter prompter;
    int64_t clock = 1000;
    std::vector<lint::Location> visited;
    int rereads = 0;
    std::unique_ptr<ChangesPanel> panel;
    std::vector<uint8_t> opened;

    bool load(const std::string& path, Editor& into) override {
        const auto bytes = mission::readWholeFile(path);
        if (!bytes) return false;
        resetEditorToNewMission(into);
        loadMissionBytes(into, *bytes);
        return true;
    }
    void goTo(const lint::Location& at) override { visited.push_back(at); }
    void rereadViews() override { ++rereads; }
    int64_t nowMs() const override { return clock; }
    void schedule(int64_t) override {}

    void SetUp() override {
        const fs::path mission = temp.path() / "lantern.tie";
        fs::copy_file(QUENDAR_DATA_DIR "/samples/lantern-run.tie", mission);
        editor.craftListPath = QUENDAR_DATA_DIR "/SHIPLIST.TXT";
        editor.settings.runEccBeforeSave = 0;
        panel = std::make_unique<ChangesPanel>(editor, *this, *this, *this, *this);
        ASSERT_TRUE(openMissionPath(editor, prompter, mission.string()));
        opened = buildMissionImage(editor);
        panel->refresh();
    }
    template <typename F>
    void edit(F f) {
        core::ActionScope scope(editor.journal, "Edit");
        f(editor.store);
    }
};

// Each kind of change: its row once the edits settle, the place a
// double-click goes to, and its revert as one action Undo takes back.
TEST_F(ChangesFixture, ListsGoesToAndRevertsEachKindOfChange) {
    EXPECT_EQ(panel->referenceText(), "Changes since lantern.tie was saved");
    EXPECT_TRUE(panel->changes().empty());
    const int target = mission::sg::orderOffset(1, 2) + 13;
    using A = lint::Area;
    struct Row {
        std::function<void(Editor&)> edit;
        std::string text;
        lint::Location place;  // area, index, offset, command, region, slot
    };
    const Row rows[] = {
        {[](Editor& e) { e.store.setText(Table::Shipgroups, 3, 0, 20, "Korvane Wall"); },
         R"(shipgroups[3] "Korvane Wall" .name: "Korvane Guard" → "Korvane Wall")",
         {A::Shipgroup, 3, 0, -1, -1, -1, {}}},
        {[&](Editor& e) {
             e.store.setByte(Table::Shipgroups, 4, target - 1, 1);
             e.store.setByte(Table::Shipgroups, 4, target, 6);
         },
         R"(shipgroups[4] "Blade Ring" .orders[1][2].target1Type: 0 "None" → 1 "Flightgroup")",
         {A::Shipgroup, 4, target - 1, -1, 1, 2, {}}},
        {[](Editor& e) { e.store.setText(Table::Messages, 2, 2, 64, "Go."); },
         R"(messages[2].text: "The depot is clear. Jump when ready." → "Go.")",
         {A::Message, 2, 2, -1, -1, -1, {}}},
        {[](Editor& e) {
             e.briefing.appendCommand(briefing::BRC_ORIENT, 33, {2, 1});
         },
         "briefing.commands.BRC_ORIENT[1]: added time 33, ship 2, direction 1",
         {A::Briefing, 33, -1, -1, -1, -1, {}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        {
            core::ActionScope scope(editor.journal, "Edit");
            r.edit(editor);
        }
        EXPECT_TRUE(panel->stale());
        clock += ChangesPanel::kSettleMs - 1;
        EXPECT_FALSE(panel->tick());
        clock += 1;
        EXPECT_TRUE(panel->tick());
        ASSERT_GE(panel->changes().size(), 1u);
        EXPECT_EQ(panel->row(0), r.text);
        panel->goTo(0);
        ASSERT_FALSE(visited.empty());
        EXPECT_EQ(visited.back(), r.place);
        // The rows one by one, each one action.
        const size_t listed = panel->changes().size();
        for (size_t k = 0; k < listed; ++k) EXPECT_TRUE(panel->revert(0));
        EXPECT_TRUE(panel->changes().empty());
        EXPECT_TRUE(buildMissionImage(editor) == opened);
        EXPECT_EQ(editor.journal.undoName(), "Revert change");
        ASSERT_TRUE(editor.journal.undo());
        panel->refresh();
        EXPECT_EQ(panel->changes().size(), 1u);
        while (editor.journal.canUndo()) editor.journal.undo();
        panel->refresh();
        EXPECT_TRUE(panel->changes().empty());
    }
    EXPECT_GT(rereads, 0);
}

TEST_F(ChangesFixture, RenumberedReferencesRevertToTheSameShipgroup) {
    // Saved: "Korvane Guard" (#3) attacks "Depot Vesh" (#6). Then the first
    // shipgroup goes and the target becomes "Echo Picket": the revert names
    // "Depot Vesh" by its new number, 5.
    const int at = mission::sg::orderOffset(0, 0) + 13;
    edit([&](mission::MissionStore& s) {
        s.setByte(Table::Shipgroups, 3, at - 1, 1);
        s.setByte(Table::Shipgroups, 3, at, 6);
    });
    ASSERT_TRUE(saveMission(editor, prompter));
    edit([&](mission::MissionStore& s) {
        shipgroup::removeShipgroup(s, 0);
        s.setByte(Table::Shipgroups, 2, at, 7);
    });
    panel->refresh();
    ASSERT_EQ(panel->changes().size(), 2u);
    EXPECT_EQ(panel->row(0), R"(shipgroups[0] "Red Lantern": removed)");
    EXPECT_FALSE(panel->canRevert(0));
    EXPECT_EQ(
        panel->row(1),
        R"(shipgroups[2] "Korvane Guard" .orders[0][0].target1: 6 "Depot Vesh" → 7 "Echo Picket")");
    ASSERT_TRUE(panel->revert(1));
    EXPECT_EQ(editor.store.byte(Table::Shipgroups, 2, at), 5);
    EXPECT_EQ(panel->changes().size(), 1u);
}

TEST_F(ChangesFixture, ComparesWithAnotherFileUntilBackToTheSavedOne) {
    const fs::path other = temp.path() / "other.tie";
    edit([](mission::MissionStore& s) { s.setText(Table::Shipgroups, 1, 0, 20, "Amber Lance"); });
    editor.store.missionPath = other.string();
    ASSERT_TRUE(saveMission(editor, prompter));
    editor.store.missionPath = (temp.path() / "lantern.tie").string();
    edit([](mission::MissionStore& s) { s.setText(Table::Shipgroups, 1, 0, 20, "Amber Wing"); });

    EXPECT_FALSE(panel->compareWith((temp.path() / "missing.tie").string()));
    ASSERT_TRUE(panel->compareWith(other.string()));
    EXPECT_EQ(panel->referenceText(), "Compared with " + other.string());
    ASSERT_EQ(panel->changes().size(), 1u);
    EXPECT_EQ(panel->row(0), R"(shipgroups[1] "Amber Wing" .name: "Amber Lance" → "Amber Wing")");
    panel->compareWithSaved();
    EXPECT_EQ(panel->referenceText(), "Changes since other.tie was saved");
    EXPECT_TRUE(panel->changes().size() == 1u);
}

}  // namespace
}  // namespace quendar::app
