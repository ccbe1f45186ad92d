#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/files/FileCommands.h"
#include "app/files/MissionIO.h"
#include "mission/FileIO.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

namespace quendar::app {
namespace {

namespace fs = std::filesystem;
using mission::Table;

size_t filesIn(const fs::path& d) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(d), fs::directory_iterator()));
}

class FileSafetyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_editor.craftListPath = std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT";
        newMission(m_editor, m_prompter, false);
        // A briefing in a state a Save would change: a length mark after the
        // end command (the Save asks about it), commands packed differently
        // from the block, and a time position away from the start.
        m_editor.briefing.appendCommand(briefing::BRC_ZOOM, 40, {70, 70});
        m_editor.briefing.appendCommand(briefing::BRC_SHOW, 20, {5});
        m_editor.briefing.setBriefingLength(3500);
        m_editor.briefing.setCurrentTime(123);
    }
    std::vector<uint8_t> bytes(const std::string& p) const { return *mission::readWholeFile(p); }

    testing::TempDir m_temp{"quendar-save"};
    const fs::path& m_dir = m_temp.path();
    Editor m_editor;
    testing::ScriptedPrompter m_prompter;
};

TEST_F(FileSafetyTest, AFolderThatDoesNotExistAsksNothingAndChangesNothing) {
    const auto blockBefore = m_editor.store.slot(Table::Briefing1, 0);
    const std::vector<uint8_t> block(blockBefore.begin(), blockBefore.end());
    const int zooms = m_editor.briefing.count(briefing::BRC_ZOOM);
    const std::string path = (m_dir / "no-such-folder" / "x.tie").string();
    m_editor.store.missionPath = path;

    EXPECT_FALSE(saveMission(m_editor, m_prompter));
    ASSERT_EQ(m_prompter.shown.size(), 1u);  // the length mark was not asked about
    EXPECT_EQ(m_prompter.shown[0].caption, "Cannot open file");
    EXPECT_EQ(m_prompter.shown[0].text.rfind(path, 0), 0u);
    EXPECT_NE(m_prompter.shown[0].text.find("No such file"), std::string::npos);
    EXPECT_EQ(m_editor.briefing.briefingLength(), 3500);
    EXPECT_EQ(m_editor.briefing.currentTime(), 123);
    EXPECT_EQ(m_editor.briefing.count(briefing::BRC_ZOOM), zooms);
    const auto blockAfter = m_editor.store.slot(Table::Briefing1, 0);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), blockAfter.begin()));  // not packed
    EXPECT_EQ(m_editor.store.missionPath, path);
    EXPECT_EQ(filesIn(m_dir), 0u);

    // A read-only target is refused the same way, before any question.
    if (::geteuid() != 0) {
        const std::string ro = (m_dir / "ro.tie").string();
        ASSERT_TRUE(mission::writeFileAtomic(ro, std::vector<uint8_t>{4, 5}));
        fs::permissions(ro, fs::perms::owner_read);
        m_editor.store.missionPath = ro;
        m_prompter.shown.clear();
        EXPECT_FALSE(saveMission(m_editor, m_prompter));
        EXPECT_EQ(m_prompter.shown.size(), 1u);
        EXPECT_EQ(m_editor.briefing.currentTime(), 123);
        EXPECT_EQ(bytes(ro), (std::vector<uint8_t>{4, 5}));
    }
}

TEST_F(FileSafetyTest, AFlushOrSyncThatFailsLeavesTheTargetAndNoTemporaryFile) {
    const std::string target = (m_dir / "m.tie").string();
    const std::vector<uint8_t> old{1, 2, 3, 4};
    for (const char* step : {"flush", "sync"}) {
        SCOPED_TRACE(step);
        ASSERT_TRUE(mission::writeFileAtomic(target, old));
        m_editor.store.missionPath = target;
        m_prompter.shown.clear();
        m_prompter.answers.push_back(core::Answer::Cancel);
        mission::WriteHooks hooks;
        auto refuse = [](auto&&...) {
            errno = EIO;
            return -1;
        };
        if (std::string(step) == "flush")
            hooks.flush = refuse;
        else
            hooks.sync = refuse;
        EXPECT_FALSE(saveMission(m_editor, m_prompter, hooks));
        EXPECT_EQ(bytes(target), old);
        EXPECT_EQ(filesIn(m_dir), 1u);
        ASSERT_FALSE(m_prompter.shown.empty());
        EXPECT_EQ(m_prompter.shown.back().caption, "Cannot open file");
        EXPECT_NE(m_prompter.shown.back().text.find(std::strerror(EIO)), std::string::npos);
    }

    // When both succeed, the target is still the old file while the bytes
    // are forced to disk: the rename comes last.
    bool oldAtSync = false, oldAtFlush = false;
    mission::WriteHooks watch;
    watch.flush = [&](std::FILE* f) {
        oldAtFlush = bytes(target) == old;
        return std::fflush(f);
    };
    watch.sync = [&](int fd) {
        oldAtSync = bytes(target) == old;
        return ::fsync(fd);
    };
    m_prompter.answers.push_back(core::Answer::Cancel);
    ASSERT_TRUE(saveMission(m_editor, m_prompter, watch));
    EXPECT_TRUE(oldAtFlush);
    EXPECT_TRUE(oldAtSync);
    EXPECT_EQ(bytes(target), buildMissionImage(m_editor));
}

// The temporary file is the user's alone while it is written; the saved
// file then has the mode of the file it replaced, or what the umask allows.
TEST_F(FileSafetyTest, TheTemporaryFileIsPrivateUntilItTakesTheTargetsMode) {
    const mode_t oldMask = ::umask(027);
    mode_t whileWritten = 0;
    mission::WriteHooks watch;
    watch.writeChunk = [&](const uint8_t* data, size_t size, std::FILE* f) {
        struct stat st {};
        ::fstat(::fileno(f), &st);
        whileWritten = st.st_mode & 0777;
        return std::fwrite(data, 1, size, f);
    };
    const std::string fresh = (m_dir / "new.tie").string();
    m_editor.store.missionPath = fresh;
    m_prompter.answers = {core::Answer::Cancel};
    ASSERT_TRUE(saveMission(m_editor, m_prompter, watch));
    EXPECT_EQ(whileWritten, 0600u);
    EXPECT_EQ(fs::status(fresh).permissions(), static_cast<fs::perms>(0640));

    fs::permissions(fresh, static_cast<fs::perms>(0604));
    m_prompter.answers = {core::Answer::Cancel};
    whileWritten = 0;
    ASSERT_TRUE(saveMission(m_editor, m_prompter, watch));
    EXPECT_EQ(whileWritten, 0600u);
    EXPECT_EQ(fs::status(fresh).permissions(), static_cast<fs::perms>(0604));
    ::umask(oldMask);
}

// Another program rewrites the open mission's file: Save asks, No leaves
// the file and the mission as they are; the window's focus tells it once.
TEST_F(FileSafetyTest, AFileChangedOnDiskIsAskedAboutBeforeItIsOverwritten) {
    const std::string target = (m_dir / "raid.tie").string();
    m_editor.store.missionPath = target;
    m_editor.briefing.correctLengthMark();  // no length question in this test
    m_editor.settings.runEccBeforeSave = 0;
    ASSERT_TRUE(saveMission(m_editor, m_prompter));
    const auto saved = bytes(target);
    ASSERT_TRUE(openMissionPath(m_editor, m_prompter, target));
    auto otherProgram = [&](uint8_t mark) {
        auto other = saved;  // the same size, one byte different
        other[10] = mark;
        ASSERT_TRUE(mission::writeFileAtomic(target, other));
    };
    otherProgram(0x5A);
    {
        core::ActionScope a(&m_editor.journal, "Edit");
        m_editor.store.setByte(Table::Shipgroups, 0, 0, 'Z');
    }
    const std::string question =
        "raid.tie was changed by another program since you opened it. Overwrite it?";
    m_prompter.shown.clear();
    m_prompter.answers = {core::Answer::No};
    EXPECT_FALSE(saveMission(m_editor, m_prompter));
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].text, question);
    EXPECT_EQ(m_prompter.shown[0].buttons, core::Buttons::YesNo);
    EXPECT_EQ(bytes(target)[10], 0x5A);
    EXPECT_TRUE(m_editor.journal.modified());

    m_prompter.answers = {core::Answer::Yes};
    ASSERT_TRUE(saveMission(m_editor, m_prompter));
    EXPECT_EQ(bytes(target)[0 + 9200], 'Z');
    m_prompter.shown.clear();
    ASSERT_TRUE(saveMission(m_editor, m_prompter));
    EXPECT_TRUE(m_prompter.shown.empty()) << "its own save is not another program's";

    // A file rewritten at the same size while it is read: damaged-file warning.
    fs::last_write_time(target, fs::file_time_type::clock::now() - std::chrono::hours(1));
    mission::ReadHooks rewrite;
    rewrite.afterStat = [&] {
        // In place: the same file, the same size, other bytes.
        auto other = saved;
        other[10] = 0x33;
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(other.data()),
                  static_cast<std::streamsize>(other.size()));
    };
    const auto file = mission::FileBytes::open(target, nullptr, rewrite);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->changedWhileRead());
    EXPECT_FALSE(file->shrank());
    const auto outcome =
        loadMissionBytes(m_editor, file->bytes(), file->shrank(), file->changedWhileRead());
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].caption, "Damaged mission file");
    const auto quiet = mission::FileBytes::open(target);
    EXPECT_FALSE(quiet->changedWhileRead());
}

// Nothing beside the target while a question of the save is open.
TEST_F(FileSafetyTest, NoTemporaryFileWhileABoxIsOpen) {
    struct Looking : testing::ScriptedPrompter {
        std::function<void()> look;
        core::Answer ask(std::string_view t, std::string_view c, core::Buttons b,
                         core::Icon i) override {
            look();
            return ScriptedPrompter::ask(t, c, b, i);
        }
    } boxes;
    size_t seen = 99;
    boxes.look = [&] { seen = filesIn(m_dir); };
    m_editor.settings.runEccBeforeSave = 0;
    m_editor.store.missionPath = (m_dir / "raid.tie").string();
    boxes.answers = {core::Answer::Cancel};
    ASSERT_TRUE(saveMission(m_editor, boxes));
    EXPECT_EQ(boxes.shown[0].caption, "Saving problem occured");
    EXPECT_EQ(seen, 0u);
}

TEST_F(FileSafetyTest, SavingThroughALinkWritesTheFileItNamesAndKeepsTheLink) {
    fs::create_directories(m_dir / "real");
    const fs::path real = m_dir / "real" / "m.tie";
    ASSERT_TRUE(mission::writeFileAtomic(real.string(), std::vector<uint8_t>{9}));
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // A relative link, and a link to that link.
    fs::create_symlink("real/m.tie", m_dir / "link.tie");
    fs::create_symlink(m_dir / "link.tie", m_dir / "link2.tie");

    for (const char* name : {"link.tie", "link2.tie"}) {
        SCOPED_TRACE(name);
        m_editor.store.missionPath = (m_dir / name).string();
        m_prompter.answers.push_back(core::Answer::Cancel);
        ASSERT_TRUE(saveMission(m_editor, m_prompter));
        EXPECT_TRUE(fs::is_symlink(m_dir / "link.tie"));
        EXPECT_TRUE(fs::is_symlink(m_dir / "link2.tie"));
        EXPECT_EQ(bytes(real.string()), buildMissionImage(m_editor));
        EXPECT_EQ(filesIn(m_dir), 3u);  // real/, link.tie, link2.tie
        EXPECT_EQ(filesIn(m_dir / "real"), 1u);
        EXPECT_EQ(fs::status(real).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
    EXPECT_EQ(mission::resolveSaveTarget((m_dir / "link2.tie").string()), real.string());
    EXPECT_EQ(mission::resolveSaveTarget("plain.tie"), "plain.tie");
}

TEST_F(FileSafetyTest, PathsThatAreNotMissionsAreRefusedAndTheMissionStays) {
    const std::string sample = std::string(QUENDAR_DATA_DIR) + "/samples/lantern-run.tie";
    ASSERT_TRUE(openMissionPath(m_editor, m_prompter, sample));
    const std::string name = m_editor.store.text(Table::Shipgroups, 0, 0, 20);
    const int count = m_editor.store.shipgroupCount;
    const std::string fifo = (m_dir / "pipe.tie").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directories(m_dir / "folder.tie");

    for (const std::string& path :
         {(m_dir / "folder.tie").string(), std::string("/dev/zero"), fifo}) {
        SCOPED_TRACE(path);
        m_prompter.shown.clear();
        int closed = 0;
        auto c = m_editor.closeModelessForms.connect([&] { ++closed; });
        EXPECT_FALSE(openMissionPath(m_editor, m_prompter, path));
        ASSERT_EQ(m_prompter.shown.size(), 1u);
        EXPECT_EQ(m_prompter.shown[0].caption, "Cannot open file");
        // The path, then why.
        EXPECT_EQ(m_prompter.shown[0].text.rfind(path + "\n\n", 0), 0u);
        EXPECT_GT(m_prompter.shown[0].text.size(), path.size() + 2);
        EXPECT_EQ(closed, 0);
        EXPECT_EQ(m_editor.store.missionPath, sample);
        EXPECT_EQ(m_editor.store.shipgroupCount, count);
        EXPECT_EQ(m_editor.store.text(Table::Shipgroups, 0, 0, 20), name);
    }

    // A file that became shorter while it was read loads with the warning,
    // even when what remained is long enough for its counts.
    const auto bytes = *mission::readWholeFile(sample);
    m_prompter.shown.clear();
    const LoadOutcome loaded = loadMissionBytes(m_editor, bytes, true);
    ASSERT_EQ(loaded.messages.size(), 1u);
    EXPECT_EQ(loaded.messages[0].caption, "Damaged mission file");
}

}  // namespace
}  // namespace quendar::app
