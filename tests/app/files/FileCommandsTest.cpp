#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "app/files/FileCommands.h"
#include "app/files/MissionIO.h"
#include "mission/FileIO.h"
#include "mission/ShipgroupRecord.h"
#include "support/RandomMission.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

namespace quendar::app {
namespace {

namespace fs = std::filesystem;
using mission::Table;
using testing::ScriptedChooser;
using testing::ScriptedPrompter;

class FileCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_editor.craftListPath = std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT";
        // These tests are about the bytes a save writes; the checks before a
        // save have tests of their own.
        m_editor.settings.runEccBeforeSave = 0;
        newMission(m_editor, m_prompter, false);
    }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    std::vector<uint8_t> bytes(const std::string& p) const { return *mission::readWholeFile(p); }

    // A mission with random content in every byte the editor does not
    // interpret and a random, canonically ordered briefing; written to disk.
    std::string writeRandomMission(uint32_t seed, const std::string& name) {
        Editor e;
        mission::MissionStore& s = e.store;
        testing::fillRandomMission(s, seed, static_cast<int>(seed * 53 % 200),
                                   static_cast<int>(seed * 29 % 256));
        auto block = s.mutableSlot(Table::Briefing1, 0);
        std::mt19937 rng(seed);
        std::fill(block.begin() + 10, block.begin() + 17418, uint8_t{0});
        e.briefing.resetForNewMission();
        for (int i = 0; i < 300; ++i) {
            const auto kind = static_cast<briefing::Kind>(rng() % briefing::kKindCount);
            std::array<int, 4> p{};
            for (auto& v : p) v = static_cast<int>(rng() % 256);
            e.briefing.appendCommand(kind, static_cast<int>(rng() % 2000), p);
        }
        e.briefing.setBriefingEndTime(2500);
        e.briefing.setBriefingLength(2400);
        const auto packed = e.briefing.serializeBriefing();
        EXPECT_EQ(packed.unwritten, 0);
        std::vector<uint8_t> image = mission::writeMission(s);
        // Bytes after the end command are the file's own and must survive.
        const size_t eventsEnd = static_cast<size_t>(packed.bytesUsed);
        auto& b = image;  // briefing 1 block position in the file
        const size_t blockAt = mission::kHeaderEnd +
                               static_cast<size_t>(s.shipgroupCount) * mission::kShipgroupSize +
                               static_cast<size_t>(s.messageCount) * mission::kMessageSize +
                               10 * mission::kGlobalGoalSize + 10 * mission::kTeamSize;
        for (size_t k = 10 + eventsEnd; k < 17418; ++k)
            b[blockAt + k] = static_cast<uint8_t>(rng());
        const std::string p = path(name);
        EXPECT_TRUE(mission::writeFileAtomic(p, image));
        return p;
    }

    testing::TempDir m_temp{"quendar-files"};
    const fs::path& m_dir = m_temp.path();
    Editor m_editor;
    ScriptedPrompter m_prompter;
    ScriptedChooser m_chooser;
};

TEST_F(FileCommandsTest, NewMissionSavesTheDefaultBriefing) {
    m_editor.store.missionPath = path("noname.tie");
    ASSERT_TRUE(saveMission(m_editor, m_prompter));
    const auto file = bytes(path("noname.tie"));
    const size_t blockAt = mission::kHeaderEnd + mission::kShipgroupSize + 10 * 368 + 10 * 487;
    const std::vector<uint8_t> start(file.begin() + blockAt, file.begin() + blockAt + 4);
    EXPECT_EQ(start, (std::vector<uint8_t>{0xB8, 0x0B, 0xB8, 0x0B}));
    const std::vector<uint8_t> end(file.begin() + blockAt + 10, file.begin() + blockAt + 14);
    EXPECT_EQ(end, (std::vector<uint8_t>{0xB8, 0x0B, 0x22, 0x00}));
    EXPECT_TRUE(m_prompter.shown.empty());
    EXPECT_EQ(windowTitle(m_editor), "Quendar - " + path("noname.tie"));
}

TEST_F(FileCommandsTest, OpenThenSaveReproducesRandomMissionsByteForByte) {
    for (uint32_t seed = 11; seed < 17; ++seed) {
        SCOPED_TRACE(seed);
        const std::string in = writeRandomMission(seed, "in.tie");
        ASSERT_TRUE(openMissionPath(m_editor, m_prompter, in));
        m_chooser.saves.push_back(path("out.tie"));
        ASSERT_TRUE(saveMissionAs(m_editor, m_prompter, m_chooser));
        const auto a = bytes(in), b = bytes(path("out.tie"));
        ASSERT_EQ(a.size(), b.size());
        const auto diff = std::mismatch(a.begin(), a.end(), b.begin());
        EXPECT_TRUE(diff.first == a.end())
            << "first difference at byte " << (diff.first - a.begin());
        EXPECT_TRUE(m_prompter.shown.empty()) << m_prompter.shown.front().caption;
    }
}

TEST_F(FileCommandsTest, FailedOpenKeepsMissionPathAndTitle) {
    const std::string good = writeRandomMission(3, "good.tie");
    ASSERT_TRUE(openMissionPath(m_editor, m_prompter, good));
    const std::string name = m_editor.store.text(Table::Shipgroups, 0, 0, 20);

    m_chooser.opens.push_back(path("missing.tie"));
    EXPECT_FALSE(openMission(m_editor, m_prompter, m_chooser));
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].caption, "Cannot open file");
    EXPECT_EQ(m_prompter.shown[0].text.rfind(path("missing.tie"), 0), 0u);
    EXPECT_EQ(m_editor.store.missionPath, good);
    EXPECT_EQ(windowTitle(m_editor), "Quendar - " + good);
    EXPECT_EQ(m_editor.store.text(Table::Shipgroups, 0, 0, 20), name);

    // Cancelling the dialog changes nothing and shows nothing.
    m_prompter.shown.clear();
    EXPECT_FALSE(openMission(m_editor, m_prompter, m_chooser));
    EXPECT_TRUE(m_prompter.shown.empty());
}

TEST_F(FileCommandsTest, SaveThatCannotWriteLeavesTheOldFileAndSaysWhy) {
    const std::string target = path("kept.tie");
    ASSERT_TRUE(mission::writeFileAtomic(target, std::vector<uint8_t>{1, 2, 3}));
    m_editor.store.missionPath = (m_dir / "no-such-folder" / "x.tie").string();
    EXPECT_FALSE(saveMission(m_editor, m_prompter));
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].caption, "Cannot open file");
    EXPECT_NE(m_prompter.shown[0].text.find("No such file"), std::string::npos);

    // Save as to an unwritable place keeps the previous name.
    m_editor.store.missionPath = target;
    m_chooser.saves.push_back("/proc/self/x.tie");
    EXPECT_FALSE(saveMissionAs(m_editor, m_prompter, m_chooser));
    EXPECT_EQ(m_editor.store.missionPath, target);
    EXPECT_EQ(bytes(target), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(FileCommandsTest, LengthMarkAfterTheEndAsksAndOkCorrectsIt) {
    m_editor.store.missionPath = path("len.tie");
    m_editor.briefing.setBriefingLength(3500);  // the end command stays at 3000
    m_prompter.answers.push_back(core::Answer::Cancel);
    ASSERT_TRUE(saveMission(m_editor, m_prompter));
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].caption, "Saving problem occured");
    EXPECT_EQ(m_editor.briefing.briefingLength(), 3500);

    m_prompter.shown.clear();
    m_prompter.answers.push_back(core::Answer::Ok);
    ASSERT_TRUE(saveMission(m_editor, m_prompter));
    EXPECT_EQ(m_editor.briefing.briefingLength(), 3000);
    const auto file = bytes(path("len.tie"));
    const size_t blockAt = mission::kHeaderEnd + mission::kShipgroupSize + 10 * 368 + 10 * 487;
    EXPECT_EQ(file[blockAt] + 256 * file[blockAt + 1], 3000);
}

TEST_F(FileCommandsTest, UnknownBriefingCommandIsReportedAndTheRestLoads) {
    Editor e;
    e.store.shipgroupCount = 1;
    e.store.setText(Table::Shipgroups, 0, 0, 20, "Lantern 1");
    auto block = e.store.mutableSlot(Table::Briefing1, 0);
    // time 5, code 4: not a command of this editor
    block[10] = 5;
    block[12] = 4;
    std::vector<uint8_t> image = mission::writeMission(e.store);
    const std::string p = path("odd.tie");
    ASSERT_TRUE(mission::writeFileAtomic(p, image));
    ASSERT_TRUE(openMissionPath(m_editor, m_prompter, p));
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].caption, "Fatal error");
    EXPECT_EQ(
        m_prompter.shown[0].text,
        "Unknown briefing command.\nPlease send this mission to the creator of Quendar.\nThanks.");
    EXPECT_EQ(m_editor.store.text(Table::Shipgroups, 0, 0, 20), "Lantern 1");
}

TEST_F(FileCommandsTest, NewAsksFirstAndResetsEverything) {
    const std::string p = writeRandomMission(5, "m.tie");
    ASSERT_TRUE(openMissionPath(m_editor, m_prompter, p));
    m_prompter.answers.push_back(core::Answer::Cancel);
    EXPECT_FALSE(newMission(m_editor, m_prompter));
    EXPECT_EQ(m_editor.store.missionPath, p);

    m_editor.viewSwitches.showOrderWaypoints[2] = true;
    m_editor.viewSwitches.showIffWaypoints[0] = false;
    m_editor.mapTool = MapTool::Waypoint3;
    std::vector<ShipgroupEvent> events;
    auto c = m_editor.shipgroupEvents.connect([&](ShipgroupEvent e) { events.push_back(e); });
    m_prompter.answers.push_back(core::Answer::Ok);
    EXPECT_TRUE(newMission(m_editor, m_prompter));
    EXPECT_EQ(m_prompter.shown.back().caption, "Discard last mission");
    EXPECT_EQ(events, (std::vector{ShipgroupEvent::ListCleared, ShipgroupEvent::ListRefilled,
                                   ShipgroupEvent::CurrentChanged}));
    EXPECT_EQ(windowTitle(m_editor), "Quendar - noname.tie");
    EXPECT_EQ(m_editor.store.shipgroupCount, 1);
    EXPECT_EQ(m_editor.store.messageCount, 0);
    EXPECT_EQ(m_editor.store.text(Table::Shipgroups, 1, 0, 20), "Noname");
    // The view-control switches and the map tool start again too.
    EXPECT_FALSE(m_editor.viewSwitches.showOrderWaypoints[2]);
    EXPECT_TRUE(m_editor.viewSwitches.showIffWaypoints[0]);
    EXPECT_EQ(m_editor.mapTool, CurrentTool{});
}

TEST_F(FileCommandsTest, ModifiedMarkerFollowsTheJournalAcrossSavesAndEndsWithOpenAndNew) {
    const std::string p = writeRandomMission(7, "m.tie");
    ASSERT_TRUE(openMissionPath(m_editor, m_prompter, p));
    const std::string clean = "Quendar - " + p;
    const auto opened = bytes(p);
    EXPECT_EQ(windowTitle(m_editor), clean);
    EXPECT_FALSE(m_editor.journal.canUndo());
    auto rename = [&](const char* name) {
        core::ActionScope a(m_editor.journal, "Edit Name");
        m_editor.store.setText(Table::Shipgroups, 0, 0, 20, name);
    };

    rename("Quill");
    EXPECT_EQ(windowTitle(m_editor), clean + "*");
    m_editor.journal.undo();
    EXPECT_EQ(windowTitle(m_editor), clean);
    m_editor.journal.redo();
    EXPECT_EQ(windowTitle(m_editor), clean + "*");

    // Save keeps the journal: the edit can still be undone, and a save of the
    // undone mission writes the opened file again, byte for byte.
    ASSERT_TRUE(saveMission(m_editor, m_prompter));
    EXPECT_EQ(windowTitle(m_editor), clean);
    const auto edited = bytes(p);
    ASSERT_NE(edited, opened);
    ASSERT_TRUE(m_editor.journal.undo());
    EXPECT_EQ(windowTitle(m_editor), clean + "*");
    ASSERT_TRUE(saveMission(m_editor, m_prompter));
    EXPECT_EQ(bytes(p), opened);
    ASSERT_TRUE(m_editor.journal.redo());
    EXPECT_EQ(windowTitle(m_editor), clean + "*");
    ASSERT_TRUE(saveMission(m_editor, m_prompter));
    EXPECT_EQ(bytes(p), edited);

    // A save that fails leaves the marker.
    rename("Ember");
    m_editor.store.missionPath = (m_dir / "no-such-folder" / "x.tie").string();
    EXPECT_FALSE(saveMission(m_editor, m_prompter));
    EXPECT_TRUE(m_editor.journal.modified());

    // Open and New start the journal again.
    ASSERT_TRUE(openMissionPath(m_editor, m_prompter, p));
    EXPECT_FALSE(m_editor.journal.canUndo());
    EXPECT_EQ(windowTitle(m_editor), clean);
    rename("Ember");
    EXPECT_TRUE(newMission(m_editor, m_prompter, false));
    EXPECT_FALSE(m_editor.journal.canUndo());
    EXPECT_EQ(windowTitle(m_editor), "Quendar - noname.tie");
}

TEST_F(FileCommandsTest, DialogRequestsStartInTheMissionFolder) {
    EXPECT_EQ(missionDialogRequest(m_editor, false).initialName, "*.tie");
    m_editor.settings.missionDirectory = "C:\\Missions";
    EXPECT_EQ(missionDialogRequest(m_editor, false).initialName, "C:\\Missions\\*.tie");
    m_editor.settings.missionDirectory = "C:\\Missions\\";
    const FileDialogRequest r = missionDialogRequest(m_editor, true);
    EXPECT_EQ(r.initialName, "C:\\Missions\\*.tie");
    EXPECT_TRUE(r.promptOverwrite);
    m_editor.settings.missionDirectory = "/home/pilot/missions";
    EXPECT_EQ(missionDialogRequest(m_editor, false).initialName, "/home/pilot/missions/*.tie");
    EXPECT_EQ(r.defaultExtension, "tie");
    EXPECT_EQ(r.filter, "Mission Files (*.tie)|*.tie|All Files (*.*)|*.*||");
}

}  // namespace
}  // namespace quendar::app
