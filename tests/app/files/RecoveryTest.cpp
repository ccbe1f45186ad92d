#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "app/files/FileCommands.h"
#include "app/files/MissionIO.h"
#include "app/files/Recovery.h"
#include "briefing/BriefingKinds.h"
#include "core/ActionGroups.h"
#include "mission/FileIO.h"
#include "mission/ShipgroupRecord.h"
#include "support/ScriptedUi.h"
#include "support/StubPorts.h"
#include "support/TempDir.h"

namespace quendar::app {
namespace {

namespace fs = std::filesystem;
using core::Answer;
using testing::ScriptedPrompter;

const std::string kSample = std::string(QUENDAR_DATA_DIR) + "/samples/lantern-run.tie";

// Opens the sample as the editor does (the journal starts clean, as Open
// leaves it) and makes a few edits through the store's and the briefing's
// own calls: a shipgroup renamed, a craft count changed, a tag shown.
void openAndEdit(Editor& e, ScriptedPrompter& prompter, int round = 1) {
    e.craftListPath = std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT";
    e.settings.runEccBeforeSave = 0;
    ASSERT_TRUE(openMissionPath(e, prompter, kSample));
    e.journal.clear();
    for (int r = 1; r <= round; ++r) {
        core::ActionScope scope(&e.journal, "Edit");
        mission::ShipgroupRecord(e.store, 0).setName("Kestrel " + std::to_string(r));
        mission::ShipgroupRecord(e.store, 0)
            .set(mission::sg::craftCount, static_cast<uint8_t>(2 + r));
        e.briefing.appendCommand(briefing::BRC_TAG1, 100 + r, {3, 40, -50, 2});
    }
}

std::vector<uint8_t> fileBytes(const std::string& p) {
    auto b = mission::readWholeFile(p);
    return b ? *b : std::vector<uint8_t>{};
}

// What a recovery file written now should hold: the mission as a save
// would write it, from a copy (the live editor is left alone).
std::vector<uint8_t> expectedMission(const Editor& e) {
    mission::MissionStore copy(e.store);
    e.briefing.packInto(copy);
    return mission::writeMission(copy);
}

// A recovery file no editor holds, as a crashed editor leaves it.
std::string plantLeftover(const fs::path& dir, const std::string& name, Editor& e,
                          fs::file_time_type when) {
    const std::string p = (dir / name).string();
    mission::MissionStore copy(e.store);
    e.briefing.packInto(copy);
    EXPECT_TRUE(mission::writeFileAtomicStream(
        p, [&](mission::ByteSink& out) { writeRecoveryImage(copy, out); }));
    fs::last_write_time(p, when);
    return p;
}

class RecoveryTest : public ::testing::Test {
  protected:
    std::unique_ptr<Recovery> make(Editor& e, const std::string& folder = {}) {
        auto r =
            std::make_unique<Recovery>(e, status, folder.empty() ? m_dir.path().string() : folder);
        r->interval = std::chrono::milliseconds(0);
        r->retryDelay = std::chrono::milliseconds(0);
        return r;
    }
    void tickAndWait(Recovery& r) {
        r.tick();
        r.finishWrite();
    }
    testing::TempDir m_dir{"quendar-recovery"};
    ScriptedPrompter prompter;
    testing::StubStatus status;
    std::vector<std::string>& told = status.told;
};

// A message box during which the window's recovery timer fires.
struct TickingPrompter : ScriptedPrompter {
    std::function<void()> whileOpen;
    core::Answer ask(std::string_view text, std::string_view caption, core::Buttons buttons,
                     core::Icon icon) override {
        if (whileOpen) whileOpen();
        return ScriptedPrompter::ask(text, caption, buttons, icon);
    }
};

// A save on a full disk: the recovery timer fires in each of its boxes. In
// the length question (the save is running) nothing is written; behind the
// "Cannot open file" box the recovery file holds every briefing command, and
// restoring it gives the mission back byte for byte.
TEST_F(RecoveryTest, ATickInAFailedSavesBoxesKeepsEveryBriefingCommand) {
    Editor e;
    openAndEdit(e, prompter, 0);
    e.store.missionPath = (m_dir.path() / "raid.tie").string();
    {
        core::ActionScope scope(&e.journal, "Edit");
        // Added late-first, so that packing orders them otherwise.
        for (int i = 0; i < 12; ++i)
            e.briefing.appendCommand(briefing::BRC_TAG2, 900 - 50 * i, {i, 10 * i, -7 * i, 1});
        e.briefing.setBriefingLength(e.briefing.briefingEndTime() + 40);
    }
    const int commands = e.briefing.totalCount();
    const auto expected = expectedMission(e);
    auto r = make(e, (m_dir.path() / "state").string());
    fs::create_directories(m_dir.path() / "state");

    TickingPrompter boxes;
    boxes.answers = {Answer::Cancel};  // the length question: leave the mark
    std::vector<std::vector<uint8_t>> seen;
    boxes.whileOpen = [&] {
        r->tick();
        r->finishWrite();
        seen.push_back(fileBytes(r->filePath()));
    };
    mission::WriteHooks full;
    full.writeChunk = [](const uint8_t*, size_t size, std::FILE*) -> size_t {
        errno = ENOSPC;
        return size / 2;
    };
    EXPECT_FALSE(saveMission(e, boxes, full));
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].caption, "Cannot open file");
    EXPECT_TRUE(seen[0].empty()) << "a recovery file written while the save ran";
    const auto image = readRecoveryImage(seen[1]);
    ASSERT_TRUE(image);
    EXPECT_TRUE(std::vector<uint8_t>(image->mission.begin(), image->mission.end()) == expected);
    EXPECT_EQ(e.briefing.totalCount(), commands) << "a failed save changed the lists";
    EXPECT_TRUE(expectedMission(e) == expected);

    // As after a crash: another editor finds the file and restores it.
    const fs::path other = m_dir.path() / "other";
    fs::create_directories(other);
    const std::string left = (other / ".quendar-1-1.recovery").string();
    ASSERT_TRUE(mission::writeFileAtomic(left, seen[1]));
    Editor restored;
    restored.craftListPath = e.craftListPath;
    auto r2 = make(restored, other.string());
    ASSERT_TRUE(r2->offerLeftovers(prompter));
    EXPECT_EQ(restored.briefing.totalCount(), commands);
    EXPECT_TRUE(buildMissionImage(restored) == expected);
}

// Whatever was planted at the recovery file's or its lock's name (a link to
// someone's file, a file of another user) is never written through: the
// editor writes under another name, for the user alone.
TEST_F(RecoveryTest, PlantedLinksAndForeignFilesAreNeverWrittenThrough) {
    const bool root = ::geteuid() == 0;  // only root can plant another user's file
    const struct {
        bool atLock;
        bool link;
    } rows[] = {{false, true}, {true, true}, {false, false}, {true, false}};
    for (const auto& row : rows) {
        if (!row.link && !root) continue;
        SCOPED_TRACE(::testing::Message() << "lock " << row.atLock << " link " << row.link);
        const fs::path victim = m_dir.path() / "victim.txt";
        ASSERT_TRUE(mission::writeFileAtomic(victim.string(), std::vector<uint8_t>{'v'}));
        Editor e;
        openAndEdit(e, prompter, 1);
        auto r = make(e);
        const std::string first = r->filePath();
        const std::string planted = row.atLock ? lockPathOf(first) : first;
        if (row.link) {
            fs::create_symlink(victim, planted);
        } else {
            ASSERT_TRUE(mission::writeFileAtomic(planted, std::vector<uint8_t>{'f'}));
            ASSERT_EQ(::chown(planted.c_str(), 65534, 65534), 0);
        }
        tickAndWait(*r);
        EXPECT_EQ(fileBytes(victim.string()), std::vector<uint8_t>{'v'});
        EXPECT_NE(r->filePath(), first);
        ASSERT_TRUE(fs::exists(r->filePath()));
        EXPECT_TRUE(readRecoveryImage(fileBytes(r->filePath())));
        for (const std::string& p : {r->filePath(), lockPathOf(r->filePath())}) {
            struct stat st {};
            ASSERT_EQ(::lstat(p.c_str(), &st), 0) << p;
            EXPECT_EQ(st.st_mode & 0777, 0600u) << p;
        }
        if (row.link) {
            EXPECT_TRUE(fs::is_symlink(planted)) << "the planted link stays";
        }
        r.reset();
        fs::remove(planted);
        fs::remove(victim);
    }

    // A link planted after the first write: the next write moves on too.
    Editor e;
    openAndEdit(e, prompter, 1);
    auto r = make(e);
    tickAndWait(*r);
    const std::string first = r->filePath();
    const fs::path victim = m_dir.path() / "victim.txt";
    ASSERT_TRUE(mission::writeFileAtomic(victim.string(), std::vector<uint8_t>{'v'}));
    fs::remove(first);
    fs::create_symlink(victim, first);
    {
        core::ActionScope scope(&e.journal, "Edit");
        mission::ShipgroupRecord(e.store, 0).setName("Later");
    }
    tickAndWait(*r);
    EXPECT_EQ(fileBytes(victim.string()), std::vector<uint8_t>{'v'});
    EXPECT_NE(r->filePath(), first);
    EXPECT_TRUE(fs::exists(r->filePath()));

    // A leftover whose lock's name is a link to a file that is not there:
    // the search makes nothing through it and leaves the leftover alone.
    const fs::path missing = m_dir.path() / "missing.txt";
    const std::string left =
        plantLeftover(m_dir.path(), ".quendar-77-a.recovery", e, fs::file_time_type::clock::now());
    fs::create_symlink(missing, lockPathOf(left));
    const auto found = findLeftovers(m_dir.path().string());
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_TRUE(std::none_of(found.begin(), found.end(),
                             [&](const Leftover& l) { return l.file == left; }));
}

TEST_F(RecoveryTest, WrittenOnlyWhileModifiedAndChangedFromACopy) {
    Editor e;
    openAndEdit(e, prompter, 0);
    auto r = make(e);
    tickAndWait(*r);
    EXPECT_FALSE(fs::exists(r->filePath())) << "nothing to keep while unmodified";

    {
        core::ActionScope scope(&e.journal, "Edit");
        mission::ShipgroupRecord(e.store, 0).setName("Kestrel 1");
        e.briefing.appendCommand(briefing::BRC_TAG1, 101, {3, 40, -50, 2});
    }
    e.briefing.setCurrentTime(57);
    const auto liveBlock = std::vector<uint8_t>(e.store.slot(mission::Table::Briefing1, 0).begin(),
                                                e.store.slot(mission::Table::Briefing1, 0).end());
    tickAndWait(*r);
    ASSERT_TRUE(fs::exists(r->filePath()));
    EXPECT_TRUE(fs::exists(lockPathOf(r->filePath())));
    EXPECT_EQ(fs::path(r->filePath())
                  .filename()
                  .string()
                  .rfind(".quendar-" + std::to_string(getpid()) + "-", 0),
              0u);
    auto bytes = fileBytes(r->filePath());
    auto image = readRecoveryImage(bytes);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->missionPath, kSample);
    EXPECT_EQ(std::vector<uint8_t>(image->mission.begin(), image->mission.end()),
              expectedMission(e));
    EXPECT_EQ(e.briefing.currentTime(), 57) << "the playback position is left alone";
    EXPECT_TRUE(std::equal(liveBlock.begin(), liveBlock.end(),
                           e.store.slot(mission::Table::Briefing1, 0).begin()))
        << "the live block is not packed";

    // No change since: not written again (a removed file stays removed).
    fs::remove(r->filePath());
    tickAndWait(*r);
    EXPECT_FALSE(fs::exists(r->filePath()));
    {
        core::ActionScope scope(&e.journal, "Edit");
        mission::ShipgroupRecord(e.store, 0).setName("Kestrel 9");
    }
    tickAndWait(*r);
    ASSERT_TRUE(fs::exists(r->filePath()));
    EXPECT_EQ(readRecoveryImage(fileBytes(r->filePath()))->mission.size(),
              expectedMission(e).size());

    // Undone back to the state that was opened: nothing left to recover.
    e.journal.undo();
    e.journal.undo();
    ASSERT_FALSE(e.journal.modified());
    tickAndWait(*r);
    EXPECT_FALSE(fs::exists(r->filePath()));
    EXPECT_TRUE(told.empty());
}

TEST_F(RecoveryTest, RemovedOnSaveNewOpenExitAndWhenDiscardedMidWrite) {
    Editor e;
    const std::string target = m_dir / "mine.tie";
    fs::copy_file(kSample, target);
    auto r = make(e);
    auto editAndKeep = [&](const char* name) {
        {
            core::ActionScope scope(&e.journal, "Edit");
            mission::ShipgroupRecord(e.store, 0).setName(name);
        }
        tickAndWait(*r);
        return fs::exists(r->filePath());
    };
    openAndEdit(e, prompter, 0);
    e.store.missionPath = target;
    ASSERT_TRUE(editAndKeep("One"));
    ASSERT_TRUE(saveMission(e, prompter));
    EXPECT_FALSE(fs::exists(r->filePath())) << "Save";
    ASSERT_TRUE(editAndKeep("Two"));
    newMission(e, prompter, false);
    EXPECT_FALSE(fs::exists(r->filePath())) << "New";
    ASSERT_TRUE(editAndKeep("Three"));
    ASSERT_TRUE(openMissionPath(e, prompter, target));
    EXPECT_FALSE(fs::exists(r->filePath())) << "Open";

    // A discard while the worker writes: what it writes goes too.
    std::atomic<bool> release{false};
    r->writeHooks.writeChunk = [&](const uint8_t* d, size_t n, std::FILE* f) {
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return std::fwrite(d, 1, n, f);
    };
    {
        core::ActionScope scope(&e.journal, "Edit");
        mission::ShipgroupRecord(e.store, 0).setName("Four");
    }
    r->tick();
    ASSERT_TRUE(r->writing());
    r->discard();
    release = true;
    r->finishWrite();
    EXPECT_FALSE(fs::exists(r->filePath())) << "a write that started before Save";
    r->writeHooks = {};

    ASSERT_TRUE(editAndKeep("Five"));
    const std::string file = r->filePath();
    r.reset();
    EXPECT_FALSE(fs::exists(file)) << "normal exit";
    EXPECT_FALSE(fs::exists(lockPathOf(file)));
}

TEST_F(RecoveryTest, RestoresByteForByteWithItsPathNewestFirstAndNoDeletes) {
    Editor a, b, c;
    openAndEdit(a, prompter, 1);
    openAndEdit(b, prompter, 2);
    c.store.missionPath = "/missions/elsewhere/third.tie";
    const auto now = fs::file_time_type::clock::now();
    const std::string older =
        plantLeftover(m_dir.path(), ".quendar-11-a.recovery", a, now - std::chrono::hours(2));
    const std::string newest = plantLeftover(m_dir.path(), ".quendar-12-b.recovery", c, now);
    const std::string middle =
        plantLeftover(m_dir.path(), ".quendar-13-c.recovery", b, now - std::chrono::hours(1));
    // A write cut off by the crash of an editor that is gone.
    const std::string cutOff = m_dir / "..quendar-14-d.recovery.tmp123";
    mission::writeFileAtomic(cutOff, std::vector<uint8_t>(10, 1));
    // The lock file of an editor that had saved before it crashed.
    const std::string loneLock = m_dir / ".quendar-15-e.recovery.lock";
    mission::writeFileAtomic(loneLock, {});

    {
        // Escape or the close button on every offer: nothing goes.
        Editor later;
        prompter.answers = {Answer::Cancel, Answer::Cancel, Answer::Cancel};
        EXPECT_FALSE(make(later)->offerLeftovers(prompter));
        EXPECT_EQ(prompter.shown.size(), 3u);
        for (const std::string& f : {newest, middle, older}) EXPECT_TRUE(fs::exists(f)) << f;
        prompter.shown.clear();
    }

    Editor restored;
    auto r = make(restored);
    prompter.answers = {Answer::Discard, Answer::Restore};
    ASSERT_TRUE(r->offerLeftovers(prompter));
    ASSERT_EQ(prompter.shown.size(), 2u) << "after a Restore the older files wait";
    EXPECT_EQ(prompter.shown[0].text.rfind("Restore the unsaved changes to third.tie from ", 0),
              0u);
    EXPECT_EQ(prompter.shown[0].caption, "Recovery");
    EXPECT_EQ(prompter.shown[0].buttons, core::Buttons::RestoreDiscard);
    EXPECT_EQ(
        prompter.shown[1].text.rfind("Restore the unsaved changes to lantern-run.tie from ", 0),
        0u);
    EXPECT_FALSE(fs::exists(newest)) << "Discard deletes it";
    EXPECT_FALSE(fs::exists(lockPathOf(newest)));
    EXPECT_FALSE(fs::exists(cutOff));
    EXPECT_FALSE(fs::exists(loneLock));
    EXPECT_TRUE(fs::exists(older)) << "not offered, not deleted";

    EXPECT_EQ(restored.store.missionPath, kSample);
    EXPECT_TRUE(restored.journal.modified());
    EXPECT_FALSE(restored.journal.canUndo());
    EXPECT_EQ(mission::ShipgroupView(restored.store, 0).name(), "Kestrel 2");
    EXPECT_EQ(buildMissionImage(restored), buildMissionImage(b));
    // The restored file is now this editor's own, until its first write.
    EXPECT_FALSE(fs::exists(middle));
    EXPECT_TRUE(r->onDisk());
    EXPECT_TRUE(fs::exists(r->filePath()));

    // Save writes the original path; the recovery file goes.
    const std::string target = m_dir / "saved.tie";
    restored.store.missionPath = target;
    restored.settings.runEccBeforeSave = 0;
    ASSERT_TRUE(saveMission(restored, prompter));
    EXPECT_EQ(fileBytes(target), buildMissionImage(b));
    EXPECT_FALSE(fs::exists(r->filePath()));
}

// A copy made of a file that another program then changed says so at the
// restore, and the restored mission's Save asks before it overwrites the
// change, down to a rewrite in place within the second of the open.
TEST_F(RecoveryTest, ACopyRemembersItsFileAndSaveAsksWhenAnotherProgramChangedIt) {
    enum Change { None, Replaced, InPlaceOtherSize, InPlaceOtherNanoseconds, Removed };
    const struct {
        Change change;
        bool told;  // the question and the save both notice
    } rows[] = {{None, false},
                {Replaced, true},
                {InPlaceOtherSize, true},
                {InPlaceOtherNanoseconds, true},
                {Removed, false}};
    const std::string target = (m_dir.path() / "raid.tie").string();
    const std::string leftover = (m_dir.path() / ".quendar-99-1.recovery").string();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.change);
        auto bytes = fileBytes(kSample);
        ASSERT_TRUE(mission::writeFileAtomic(target, bytes));
        struct stat opened {};
        ASSERT_EQ(::stat(target.c_str(), &opened), 0);
        {
            Editor e;
            ASSERT_TRUE(openMissionPath(e, prompter, target));
            {
                core::ActionScope scope(&e.journal, "Edit");
                mission::ShipgroupRecord(e.store, 0).setName("Kept");
            }
            auto r = make(e);
            tickAndWait(*r);
            fs::copy_file(r->filePath(), leftover, fs::copy_options::overwrite_existing);
        }  // what a crash leaves
        bytes[10] ^= 0x40;
        if (row.change == Replaced) {
            ASSERT_TRUE(mission::writeFileAtomic(target, bytes));
        }
        if (row.change == Removed) fs::remove(target);
        if (row.change == InPlaceOtherSize || row.change == InPlaceOtherNanoseconds) {
            if (row.change == InPlaceOtherSize) bytes.push_back(0);
            std::ofstream(target, std::ios::binary | std::ios::trunc)
                .write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
            timespec times[2] = {opened.st_atim, opened.st_mtim};
            if (row.change == InPlaceOtherNanoseconds)
                times[1].tv_nsec = (times[1].tv_nsec + 1) % 1000000000;
            ASSERT_EQ(::utimensat(AT_FDCWD, target.c_str(), times, 0), 0);
        }
        const auto before = fileBytes(target);

        Editor restored;
        restored.settings.runEccBeforeSave = 0;
        auto r = make(restored);
        prompter.shown.clear();
        prompter.answers = {Answer::Restore, Answer::No};
        ASSERT_TRUE(r->offerLeftovers(prompter));
        const std::string note = "raid.tie has changed on disk since these changes were made.";
        EXPECT_EQ(prompter.shown[0].text.find(note) != std::string::npos, row.told)
            << prompter.shown[0].text;
        EXPECT_EQ(saveMission(restored, prompter), !row.told);
        ASSERT_EQ(prompter.shown.size(), row.told ? 2u : 1u);
        if (row.told) {
            EXPECT_EQ(prompter.shown[1].text,
                      "raid.tie was changed by another program since you opened it. Overwrite it?");
            EXPECT_EQ(fileBytes(target), before) << "No leaves the other program's file";
        } else {
            EXPECT_EQ(mission::ShipgroupView(restored.store, 0).name(), "Kept");
            EXPECT_EQ(fileBytes(target), buildMissionImage(restored));
        }
    }
}

// The state folder: the same for every working folder, made for the user
// alone.
TEST_F(RecoveryTest, TheStateFolderIsFoundFromTheEnvironmentAndPrivate) {
    EXPECT_EQ(recoveryFolderFor("/s", "/h"), "/s/quendar/recovery");
    EXPECT_EQ(recoveryFolderFor(nullptr, "/h"), "/h/.local/state/quendar/recovery");
    EXPECT_EQ(recoveryFolderFor("relative", "/h"), "/h/.local/state/quendar/recovery");
    EXPECT_EQ(recoveryFolderFor("", nullptr), "");

    const fs::path state = m_dir.path() / "st" / "quendar" / "recovery";
    ASSERT_TRUE(makePrivateFolder(state.string()));
    for (const fs::path& p : {state, state.parent_path(), state.parent_path().parent_path()})
        EXPECT_EQ(fs::status(p).permissions(), fs::perms::owner_all) << p;
    ASSERT_TRUE(makePrivateFolder(state.string())) << "an existing folder will do";
    // Folders that are there already: the recovery folder and its "quendar"
    // parent are tightened when they are this user's, refused when not; the
    // folders above them are left as they are.
    const bool root = ::geteuid() == 0;  // only root can give a folder away
    const struct {
        const char* path;   // under the test's folder; the last one is "recovery"
        const char* given;  // the folder given to another user, if any
        bool usable;
        fs::perms parent;  // of the recovery folder's parent afterwards
    } rows[] = {{"w1/quendar/recovery", nullptr, true, fs::perms::owner_all},
                {"w2/quendar/recovery", "w2/quendar/recovery", false, fs::perms::none},
                {"w3/quendar/recovery", "w3/quendar", false, fs::perms::none},
                {"w4/other/recovery", nullptr, true, static_cast<fs::perms>(0755)}};
    for (const auto& row : rows) {
        if (row.given && !root) continue;
        SCOPED_TRACE(row.path);
        const fs::path f = m_dir.path() / row.path;
        fs::create_directories(f);
        for (const fs::path& p : {f, f.parent_path(), f.parent_path().parent_path()})
            ::chmod(p.c_str(), 0755);
        if (row.given) {
            ASSERT_EQ(::chown((m_dir.path() / row.given).c_str(), 65534, 65534), 0);
        }
        std::string reason;
        EXPECT_EQ(makePrivateFolder(f.string(), &reason), row.usable) << reason;
        if (!row.usable) {
            EXPECT_EQ(reason, "not a folder of this user");
            continue;
        }
        EXPECT_EQ(fs::status(f).permissions(), fs::perms::owner_all);
        EXPECT_EQ(fs::status(f.parent_path()).permissions(), row.parent);
        EXPECT_EQ(fs::status(f.parent_path().parent_path()).permissions(),
                  static_cast<fs::perms>(0755));
    }

    // A state folder that cannot be made: told once, and the editor goes on.
    const fs::path blocked = m_dir.path() / "file";
    ASSERT_TRUE(mission::writeFileAtomic(blocked.string(), std::vector<uint8_t>{1}));
    Editor e;
    openAndEdit(e, prompter, 1);
    auto r = make(e, (blocked / "recovery").string());
    tickAndWait(*r);
    tickAndWait(*r);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find((blocked / "recovery").string()), std::string::npos) << told[0];
    EXPECT_TRUE(e.journal.modified());
}

// A child editor started in one folder keeps its file in the state folder
// and is killed; a parent started in another folder finds it, while the
// child runs leaves it alone, and afterwards restores it with the mission's
// own absolute path.
TEST_F(RecoveryTest, ARunningEditorsFileIsLeftAloneAndRestoredAfterItIsKilled) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const std::string state = (m_dir.path() / "state").string();
    const fs::path childFolder = m_dir.path() / "child", parentFolder = m_dir.path() / "parent";
    fs::create_directories(childFolder);
    fs::create_directories(parentFolder);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The editor that will crash: it edits, keeps its file and waits.
        close(ready[0]);
        if (chdir(childFolder.c_str()) != 0) _exit(2);
        Editor e;
        ScriptedPrompter quiet;
        openAndEdit(e, quiet, 3);
        e.store.missionPath = "raid.tie";
        testing::StubStatus unseen;
        Recovery r(e, unseen, state);
        r.interval = std::chrono::milliseconds(0);
        r.tick();
        r.finishWrite();
        const char ok = r.onDisk() ? 'y' : 'n';
        if (write(ready[1], &ok, 1) != 1) _exit(2);
        for (;;) pause();
    }
    close(ready[1]);
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    close(ready[0]);
    ASSERT_EQ(ok, 'y');

    const fs::path before = fs::current_path();
    fs::current_path(parentFolder);
    Editor second;
    auto r = make(second, state);
    EXPECT_FALSE(r->offerLeftovers(prompter));
    EXPECT_TRUE(prompter.shown.empty()) << "a running editor's file is not offered";
    size_t files = 0;
    for (const auto& f : fs::directory_iterator(state))
        files +=
            f.path().filename().string().rfind(".quendar-" + std::to_string(child) + "-", 0) == 0;
    EXPECT_EQ(files, 2u) << "its file and its lock file are still there";

    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));

    ASSERT_TRUE(r->offerLeftovers(prompter));
    fs::current_path(before);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text.rfind("Restore the unsaved changes to raid.tie from ", 0), 0u);
    Editor expected;
    openAndEdit(expected, prompter, 3);
    EXPECT_EQ(second.store.missionPath, (childFolder / "raid.tie").string());
    EXPECT_EQ(mission::ShipgroupView(second.store, 0).name(), "Kestrel 3");
    expected.store.missionPath = second.store.missionPath;
    EXPECT_EQ(buildMissionImage(second), buildMissionImage(expected));
}

TEST_F(RecoveryTest, UnwritableOrFullFolderTellsOnceAndKeepsTheMission) {
    Editor e;
    openAndEdit(e, prompter, 0);
    const auto before = buildMissionImage(e);
    auto edit = [&](int k) {
        core::ActionScope scope(&e.journal, "Edit");
        mission::ShipgroupRecord(e.store, 0).set(mission::sg::craftCount, static_cast<uint8_t>(k));
    };
    // A folder that cannot be made (root writes anywhere, so: under a file).
    ASSERT_TRUE(mission::writeFileAtomic(m_dir / "plain", std::vector<uint8_t>{1}));
    auto r = make(e, (m_dir.path() / "plain" / "missing").string());
    for (int k = 1; k <= 5; ++k) {
        edit(k);
        tickAndWait(*r);
    }
    EXPECT_EQ(told.size(), 1u) << "one quiet message, not one per tick";
    EXPECT_NE(told.front().find("The recovery folder "), std::string::npos) << told.front();
    EXPECT_EQ(mission::ShipgroupView(e.store, 0).get(mission::sg::craftCount), 5);
    EXPECT_NE(buildMissionImage(e), before);

    // A full disk: the last whole file stays; one message until a write works.
    told.clear();
    r = make(e);
    edit(6);
    tickAndWait(*r);
    const auto good = fileBytes(r->filePath());
    ASSERT_TRUE(readRecoveryImage(good));
    r->writeHooks.writeChunk = [](const uint8_t*, size_t, std::FILE*) -> size_t {
        errno = ENOSPC;
        return 0;
    };
    for (int k = 7; k <= 9; ++k) {
        edit(k);
        tickAndWait(*r);
    }
    EXPECT_EQ(told.size(), 1u);
    EXPECT_EQ(fileBytes(r->filePath()), good);
    r->writeHooks = {};
    edit(10);
    tickAndWait(*r);
    EXPECT_NE(fileBytes(r->filePath()), good);
    r->writeHooks.writeChunk = [](const uint8_t*, size_t, std::FILE*) -> size_t {
        errno = ENOSPC;
        return 0;
    };
    edit(11);
    tickAndWait(*r);
    EXPECT_EQ(told.size(), 2u) << "told again after a write had worked";
}

TEST(RecoveryFile, TrailerAndQuestionText) {
    mission::MissionStore s;
    s.missionPath = "/home/pilot/missions/dawn.tie";
    std::vector<uint8_t> image;
    mission::VectorSink sink(image);
    writeRecoveryImage(s, sink);
    const auto mission = mission::writeMission(s);
    const auto whole = readRecoveryImage(image);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->missionPath, s.missionPath);
    EXPECT_TRUE(
        std::equal(mission.begin(), mission.end(), whole->mission.begin(), whole->mission.end()));
    // A cut-off or altered file is not taken for a recovery file.
    for (size_t cut : {size_t{1}, size_t{8}, size_t{16}, size_t{40}, image.size() - 1})
        EXPECT_FALSE(readRecoveryImage(std::span(image).first(image.size() - cut))) << cut;
    EXPECT_FALSE(readRecoveryImage(mission));
    auto bad = image;
    bad[bad.size() - 12] ^= 1;  // the path length
    EXPECT_FALSE(readRecoveryImage(bad));
    EXPECT_FALSE(whole->onDisk);
    // The file's identity, every field on its own bytes, after the path.
    const mission::FileIdentity id{0x0102030405060708, 0x1112131415161718, 9200, 0x2122232425262728,
                                   999999999};
    std::vector<uint8_t> withId;
    mission::VectorSink idSink(withId);
    writeRecoveryImage(s, idSink, id);
    ASSERT_EQ(withId.size(), mission.size() + s.missionPath.size() + 48 + 16);
    EXPECT_EQ(withId[mission.size() + s.missionPath.size() + 8], 0x08);  // device, low byte
    const auto read = readRecoveryImage(withId);
    ASSERT_TRUE(read && read->onDisk);
    EXPECT_EQ(*read->onDisk, id);
    // A copy of the first kind: path and footer only, marked QDRECOV1.
    std::vector<uint8_t> first(mission.begin(), mission.end());
    first.insert(first.end(), s.missionPath.begin(), s.missionPath.end());
    for (uint32_t n :
         {static_cast<uint32_t>(mission.size()), static_cast<uint32_t>(s.missionPath.size())})
        for (int b = 0; b < 4; ++b) first.push_back(static_cast<uint8_t>(n >> (8 * b)));
    for (char c : std::string("QDRECOV1")) first.push_back(static_cast<uint8_t>(c));
    const auto old = readRecoveryImage(first);
    ASSERT_TRUE(old);
    EXPECT_EQ(old->missionPath, s.missionPath);
    EXPECT_FALSE(old->onDisk);

    std::tm when{};
    when.tm_year = 126, when.tm_mon = 11, when.tm_mday = 9;
    when.tm_hour = 7, when.tm_min = 5, when.tm_sec = 3;
    EXPECT_EQ(restoreQuestion(s.missionPath, when),
              "Restore the unsaved changes to dawn.tie from 2026-12-09 07:05:03?");
    EXPECT_EQ(restoreQuestion(s.missionPath, when, true),
              "Restore the unsaved changes to dawn.tie from 2026-12-09 07:05:03?\n\n"
              "dawn.tie has changed on disk since these changes were made.");
    EXPECT_TRUE(isRecoveryFileName(recoveryFileName(4123, 0x1a2b)));
    EXPECT_EQ(recoveryFileName(4123, 0x1a2b), ".quendar-4123-1a2b.recovery");
}

}  // namespace
}  // namespace quendar::app
