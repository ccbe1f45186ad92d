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

struct ChangesFixture : ::testing::Test {
    quendar::testing::TempDir temp{"quendar-changes"};
    Editor editor;
    quendar::testing::ScriptedPrompter prompter;
    int64_t clock = 1000;
    std::vector<int64_t> scheduled;
    std::vector<lint::Location> visited;
    int rereads = 0;
    std::unique_ptr<ChangesPanel> panel;
    std::vector<uint8_t> opened;

    void SetUp() override {
        const fs::path mission = temp.path() / "lantern.tie";
        fs::copy_file(QUENDAR_DATA_DIR "/samples/lantern-run.tie", mission);
        editor.craftListPath = QUENDAR_DATA_DIR "/SHIPLIST.TXT";
        editor.settings.runEccBeforeSave = 0;
        ChangeHooks hooks;
        hooks.load = [](const std::string& path, Editor& into) {
            const auto bytes = mission::readWholeFile(path);
            if (!bytes) return false;
            resetEditorToNewMission(into);
            loadMissionBytes(into, *bytes);
            return true;
        };
        hooks.goTo = [this](const lint::Location& at) { visited.push_back(at); };
        hooks.rereadViews = [this] { ++rereads; };
        hooks.now = [this] { return clock; };
        hooks.schedule = [this](int64_t ms) { scheduled.push_back(ms); };
        panel = std::make_unique<ChangesPanel>(editor, std::move(hooks));
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

TEST_F(ChangesFixture, ListsGoesToAndRevertsEachKindOfChange) {
    EXPECT_EQ(panel->referenceText(), "Changes since lantern.tie was saved");
    EXPECT_TRUE(panel->changes().empty());
    const int target = mission::sg::orderOffset(1, 2) + 13;
    struct Row {
        const char* name;
        std::function<void(Editor&)> edit;
        std::string text;
        lint::Area area;
        int index, offset, region, slot;
    };
    const Row rows[] = {
        {"a name", [](Editor& e) { e.store.setText(Table::Shipgroups, 3, 0, 20, "Korvane Wall"); },
         R"(shipgroups[3] "Korvane Wall" .name: "Korvane Guard" → "Korvane Wall")",
         lint::Area::Shipgroup, 3, 0, -1, -1},
        {"an order target",
         [&](Editor& e) {
             e.store.setByte(Table::Shipgroups, 4, target - 1, 1);
             e.store.setByte(Table::Shipgroups, 4, target, 6);
         },
         R"(shipgroups[4] "Blade Ring" .orders[1][2].target1Type: 0 "None" → 1 "Flightgroup")",
         lint::Area::Shipgroup, 4, target - 1, 1, 2},
        {"a message", [](Editor& e) { e.store.setText(Table::Messages, 2, 2, 64, "Go."); },
         R"(messages[2].text: "The depot is clear. Jump when ready." → "Go.")", lint::Area::Message,
         2, 2, -1, -1},
        {"a briefing command",
         [](Editor& e) {
             e.briefing.appendCommand(briefing::BRC_ORIENT, 33, {2, 1});
         },
         "briefing.commands.BRC_ORIENT[1]: added time 33, ship 2, direction 1",
         lint::Area::Briefing, 33, -1, -1, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
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
        EXPECT_EQ(visited.back().area, r.area);
        EXPECT_EQ(visited.back().index, r.index);
        EXPECT_EQ(visited.back().offset, r.offset);
        EXPECT_EQ(visited.back().region, r.region);
        EXPECT_EQ(visited.back().slot, r.slot);
        // Revert the rows one by one, each one action.
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
