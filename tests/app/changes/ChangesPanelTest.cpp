// The Changes panel without its window: what it lists against the file on
// disk, where a double-click goes, and reverting one change as one action.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <utility>

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

// The panel's ports: files read as Open reads them, the places it goes to,
// the rereads after a revert and a clock turned by hand.
struct ChangesFixture : ::testing::Test, MissionLoader, PlaceNavigator, MissionViews, SettleClock {
    quendar::testing::TempDir temp{"quendar-changes"};
    const std::string saved = (temp.path() / "lantern.tie").string();
    Editor editor;
    quendar::testing::ScriptedPrompter prompter;
    int64_t clock = 1000;
    std::vector<lint::Location> visited;
    int rereads = 0;
    std::unique_ptr<ChangesPanel> panel;

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
        std::filesystem::copy_file(QUENDAR_DATA_DIR "/samples/lantern-run.tie", saved);
        editor.craftListPath = QUENDAR_DATA_DIR "/SHIPLIST.TXT";
        editor.settings.runEccBeforeSave = 0;
        panel = std::make_unique<ChangesPanel>(editor, *this, *this, *this, *this);
        ASSERT_TRUE(openMissionPath(editor, prompter, saved));
        panel->refresh();
    }
    void edit(const std::function<void(Editor&)>& f) {
        core::ActionScope scope(editor.journal, "Edit");
        f(editor);
    }
};

// Each kind of change: its row once the edits settle, the place a double-click goes to, and
// its rows reverted one by one, each one action Undo takes back.
TEST_F(ChangesFixture, ListsGoesToAndRevertsEachKindOfChange) {
    const auto opened = buildMissionImage(editor);
    const int target = mission::sg::orderOffset(1, 2) + 13;
    using A = lint::Area;
    // The edit, its row and its place: area, index, offset, command, region, slot.
    // clang-format off
    const std::tuple<std::function<void(Editor&)>, std::string, lint::Location> rows[] = {
        {[](Editor& e) { e.store.setText(Table::Shipgroups, 3, 0, 20, "Korvane Wall"); },
         R"(shipgroups[3] "Korvane Wall" .name: "Korvane Guard" → "Korvane Wall")", {A::Shipgroup, 3, 0, -1, -1, -1, {}}},
        {[&](Editor& e) { e.store.setByte(Table::Shipgroups, 4, target - 1, 1); e.store.setByte(Table::Shipgroups, 4, target, 6); },
         R"(shipgroups[4] "Blade Ring" .orders[1][2].target1Type: 0 "None" → 1 "Flightgroup")",
         {A::Shipgroup, 4, target - 1, -1, 1, 2, {}}},
        {[](Editor& e) { e.store.setText(Table::Messages, 2, 2, 64, "Go."); },
         R"(messages[2].text: "The depot is clear. Jump when ready." → "Go.")", {A::Message, 2, 2, -1, -1, -1, {}}},
        {[](Editor& e) { e.briefing.appendCommand(briefing::BRC_ORIENT, 33, {2, 1}); },
         "briefing.commands.BRC_ORIENT[1]: added time 33, ship 2, direction 1", {A::Briefing, 33, -1, -1, -1, -1, {}}},
    };
    // clang-format on
    for (const auto& [change, line, place] : rows) {
        SCOPED_TRACE(line);
        edit(change);
        clock += ChangesPanel::kSettleMs - 1;
        EXPECT_FALSE(panel->tick());
        clock += 1;
        EXPECT_TRUE(panel->tick());
        EXPECT_EQ(panel->row(0), line);
        panel->goTo(0);
        EXPECT_EQ(std::exchange(visited, {}), std::vector{place});
        for (size_t k = panel->changes().size(); k > 0; --k) EXPECT_TRUE(panel->revert(0));
        EXPECT_TRUE(panel->changes().empty());
        EXPECT_TRUE(buildMissionImage(editor) == opened);
        EXPECT_EQ(editor.journal.undoName(), "Revert change");
        ASSERT_TRUE(editor.journal.undo());
        panel->refresh();
        EXPECT_EQ(panel->changes().size(), 1u);
        while (editor.journal.canUndo()) editor.journal.undo();
    }
    EXPECT_GT(rereads, 0);
}

// Saved: "Korvane Guard" (#3) attacks "Amber Wing" (#1) and "Depot Vesh" (#6). Then shipgroup 0
// goes and both targets become "Echo Picket": the reverts name them by their new numbers, 0 and 5.
TEST_F(ChangesFixture, RenumberedReferencesRevertToTheSameShipgroup) {
    const int at = mission::sg::orderOffset(0, 0) + 12;  // target1's type and number, target2's
    edit([&](Editor& e) {
        e.store.setBytes(Table::Shipgroups, 3, at, std::vector<uint8_t>{1, 1, 1, 6});
    });
    ASSERT_TRUE(saveMission(editor, prompter));
    edit([&](Editor& e) {
        shipgroup::removeShipgroup(e.store, 0);
        for (int k : {1, 3}) e.store.setByte(Table::Shipgroups, 2, at + k, 7);
    });
    panel->refresh();
    ASSERT_EQ(panel->changes().size(), 3u);  // the removed one first, then target1 and target2
    EXPECT_FALSE(panel->canRevert(0));
    ASSERT_TRUE(panel->revert(1) && panel->revert(1));
    EXPECT_EQ(editor.store.byte(Table::Shipgroups, 2, at + 1), 0);
    EXPECT_EQ(editor.store.byte(Table::Shipgroups, 2, at + 3), 5);
    EXPECT_EQ(panel->changes().size(), 1u);
}

// Against the file named (the sample: "Amber Wing") until back to the saved one ("Amber Lance").
TEST_F(ChangesFixture, ComparesWithAnotherFileUntilBackToTheSavedOne) {
    const std::string other = QUENDAR_DATA_DIR "/samples/lantern-run.tie";
    edit([](Editor& e) { e.store.setText(Table::Shipgroups, 1, 0, 20, "Amber Lance"); });
    ASSERT_TRUE(saveMission(editor, prompter));
    EXPECT_FALSE(panel->compareWith(saved + ".missing"));
    ASSERT_TRUE(panel->compareWith(other));
    EXPECT_EQ(panel->referenceText(), "Compared with " + other);
    ASSERT_EQ(panel->changes().size(), 1u);
    EXPECT_EQ(panel->row(0), R"(shipgroups[1] "Amber Lance" .name: "Amber Wing" → "Amber Lance")");
    panel->compareWithSaved();
    EXPECT_EQ(panel->referenceText(), "Changes since lantern.tie was saved");
    EXPECT_TRUE(panel->changes().empty());
}

}  // namespace
}  // namespace quendar::app
