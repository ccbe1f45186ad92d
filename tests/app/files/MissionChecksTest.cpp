#include <gtest/gtest.h>

#include "app/files/FileCommands.h"
#include "app/files/MissionChecks.h"
#include "mission/FileIO.h"
#include "mission/MissionFile.h"
#include "mission/ShipgroupRecord.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

namespace quendar::app {
namespace {

using mission::Table;
namespace sg = mission::sg;

TEST(ValidationBox, ChecksRunOnceOnTheFirstTickThenTheBoxCloses) {
    int runs = 0;
    int closes = 0;
    ValidationBox* self = nullptr;
    ValidationBox box([&] {
        ++runs;
        // A message box of the checks lets the timer tick again.
        self->tick();
        EXPECT_EQ(self->state(), ValidationBox::State::Running);
    });
    self = &box;
    auto conn = box.closeRequested.connect([&] { ++closes; });
    EXPECT_EQ(box.title(), "");
    EXPECT_EQ(box.timerInterval(), 1000);
    EXPECT_EQ(box.textOf("text"), "Error checking and correction...");
    EXPECT_EQ(box.controls().size(), 1u) << "no buttons";
    EXPECT_EQ(runs, 0);
    box.tick();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(box.state(), ValidationBox::State::Done);
    box.tick();
    EXPECT_EQ(runs, 1);
}

TEST(CheckBeforeSave, CorrectionsAreSavedAndNoFindingStopsTheSave) {
    quendar::testing::TempDir dir{"quendar-checks"};
    Editor editor;
    editor.craftListPath = std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT";
    quendar::testing::ScriptedPrompter prompter;
    newMission(editor, prompter, false);
    editor.store.setByte(Table::Shipgroups, 0, sg::craftCount, 0);
    editor.store.missionPath = dir / "1b2m3w.tie";
    ASSERT_TRUE(saveMission(editor, prompter));
    std::vector<std::string> captions;
    for (const auto& s : prompter.shown) captions.push_back(s.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Error - number of crafts is 0 - corrected",
                                                  "Fatal error - no player craft"}));
    const auto file = mission::readWholeFile(editor.store.missionPath);
    ASSERT_TRUE(file);
    mission::MissionStore reread;
    mission::readMission(*file, reread);
    EXPECT_EQ(reread.byte(Table::Shipgroups, 0, sg::craftCount), 1);

    // With the preference off nothing is checked.
    prompter.shown.clear();
    editor.settings.runEccBeforeSave = 0;
    editor.store.setByte(Table::Shipgroups, 0, sg::craftCount, 0);
    ASSERT_TRUE(saveMission(editor, prompter));
    EXPECT_TRUE(prompter.shown.empty());

    // The window's box stands in for the direct messages when it is set.
    editor.settings.runEccBeforeSave = 1;
    struct Box : ChecksBeforeSave {
        int boxes = 0;
        void runChecks() override { ++boxes; }
    } box;
    ASSERT_TRUE(saveMission(editor, prompter, box));
    EXPECT_EQ(box.boxes, 1);
    EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
}  // namespace quendar::app
