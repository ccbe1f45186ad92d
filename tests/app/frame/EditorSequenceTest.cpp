// A seeded random session through the editor's own commands where features
// meet (clipboard and undo, keys and undo, recovery and saving) on the
// sample: every shipgroup reference keeps naming the shipgroup it named (the
// test tracks shipgroups by identities of its own, never by number), undoing
// everything gives the opened mission back, and every recovery copy restored
// into a second editor saves what the first one holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <set>

#include "app/files/FileCommands.h"
#include "app/files/MissionIO.h"
#include "app/files/Recovery.h"
#include "app/mapedit/MapTools.h"
#include "app/mapedit/ShipgroupClipboard.h"
#include "mission/FileIO.h"
#include "mission/MissionFile.h"
#include "support/ScriptedUi.h"
#include "support/StubPorts.h"
#include "support/TempDir.h"

namespace quendar::app {
namespace {

namespace fs = std::filesystem;
using map::PointerAction;
using mission::Table;
using Refs = std::map<std::pair<int, int>, int>;  // (shipgroup id, field) -> id named, -1: none

// Fields naming a shipgroup when their type or method byte is 1: (type,
// number) of arrival trigger 1, order 1's target 1, the arrival and the
// departure mothership 1.
constexpr int kFields[4][2] = {{137, 138}, {214, 215}, {195, 194}, {199, 198}};

// The session's actions and their chances in a hundred.
enum Action { Add, Drag, Arrow, Select, Copy, Cut, Delete, Paste, Undo, Redo, Save, Snapshot };
constexpr int kChances[] = {12, 10, 8, 10, 6, 6, 8, 10, 14, 8, 4, 4};

struct Board : Clipboard {
    std::vector<uint8_t> bytes;
    void put(const std::vector<uint8_t>& r, const std::string&) override { bytes = r; }
    std::optional<std::vector<uint8_t>> records() const override {
        return bytes.empty() ? std::nullopt : std::optional(bytes);
    }
};

std::vector<uint8_t> image(const Editor& e) {
    mission::MissionStore copy(e.store);
    e.briefing.packInto(copy);
    return mission::writeMission(copy);
}

struct Session {
    Session(unsigned seed, const fs::path& dir) : rng(seed), folder(dir) {
        e.craftListPath = QUENDAR_DATA_DIR "/SHIPLIST.TXT";
        e.settings.runEccBeforeSave = 0;
        for (int i = 0; i < map::MapView::kCentringNotifications; ++i) e.mapView.resize(800, 600);
        EXPECT_TRUE(openMissionPath(e, prompter, (folder / "sample.tie").string()));
        mission::ChangeJournal::Pause quiet(e.journal);  // more references, as opened
        for (int i = 0; i < e.store.shipgroupCount; ++i)
            for (const auto& [type, number] : kFields)
                if (pick(2)) {
                    e.store.setByte(Table::Shipgroups, i, type, 1);
                    const int to = pick(e.store.shipgroupCount);
                    e.store.setByte(Table::Shipgroups, i, number, static_cast<uint8_t>(to));
                }
        opened = image(e);
        grow();
        history = {{ids, refs = read()}};
    }

    void step(int n) {
        int roll = pick(100), a = 0;
        while (roll >= kChances[a]) roll -= kChances[a++];
        const auto targets = tools.selection().targets();
        const size_t before = e.journal.position();
        const int x = pick(800), y = pick(600);
        Refs want = refs;         // nothing else renames a reference
        std::vector<int> pasted;  // their references to others may be cleared
        switch (static_cast<Action>(a)) {
            case Add:  // Shift+click
                mouse(PointerAction::Press, x, y, true);
                mouse(PointerAction::Release, x, y, true);
                grow();
                break;
            case Drag:  // a move from a shipgroup, else a band
                mouse(PointerAction::Press, x, y), mouse(PointerAction::Move, x + 9, y - 7);
                mouse(PointerAction::Release, x + 9, y - 7);
                break;
            case Arrow: {  // held: repeated pairs with one time each
                const auto arrow = static_cast<MapKey>(pick(4));
                for (uint64_t t = n * 100u, end = t + 30u * (1 + pick(4)); t < end; t += 30)
                    tools.key(arrow, false, t), tools.keyReleased(t + 30);
                EXPECT_LE(e.journal.position(), before + 1) << "one run, one step";
                break;
            }
            case Select: {
                std::vector<int> some;
                for (int i = 0; i < e.store.shipgroupCount; ++i)
                    if (pick(8) == 0) some.push_back(i);
                tools.selection().select(some);
                break;
            }
            case Copy:
            case Cut:
                if (!(a == Cut ? clip.cut() : clip.copy())) break;
                copied.clear(), copiedRefs = refs;
                for (int i : targets) copied.push_back(ids[i]);
                if (a == Cut) want = forget(targets);
                break;
            case Delete:
                if (!tools.selection().selected().empty() && tools.key(MapKey::Delete, false))
                    want = forget(targets);
                break;
            case Paste:
                if (!(pick(2) ? clip.paste() : clip.pasteAt(x, y))) break;
                // New identities: references among them follow them, others
                // name what they named while it is there.
                for (size_t k = 0; k < copied.size(); ++k) pasted.push_back(next++);
                ids.insert(ids.end(), pasted.begin(), pasted.end());
                for (size_t k = 0; k < copied.size(); ++k)
                    for (int f = 0; f < 4; ++f) {
                        int to = copiedRefs.at({copied[k], f});
                        for (size_t j = 0; j < copied.size(); ++j)
                            if (to == copied[j]) to = pasted[j];
                        want[{pasted[k], f}] = std::count(ids.begin(), ids.end(), to) ? to : -1;
                    }
                break;
            case Undo:
            case Redo:
                if (a == Undo ? e.journal.undo() : e.journal.redo()) {
                    const auto& [was, wanted] = history[a == Undo ? --at : ++at];
                    ids = was;
                    want = wanted;
                }
                e.shipgroupEvents.notify(
                    ShipgroupEvent::ListCleared);  // as the frame does after an undo
                check(want);
                return;
            case Save: EXPECT_TRUE(saveMission(e, prompter)); break;
            case Snapshot: snapshotAndRestore(); break;
        }
        check(want, pasted);
        if (e.journal.position() > before) history.resize(++at + 1);
        history[at] = {ids, refs};
    }

    int pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    void grow() {
        while (static_cast<int>(ids.size()) < e.store.shipgroupCount) ids.push_back(next++);
    }
    void mouse(PointerAction a, int x, int y, bool shift = false) {
        const auto button =
            a == PointerAction::Move ? map::PointerButton::None : map::PointerButton::Left;
        tools.pointer({a, button, shift, false, x, y});
    }
    Refs read() const {
        Refs out;
        for (int i = 0; i < e.store.shipgroupCount; ++i)
            for (int f = 0; f < 4; ++f) {
                const int type = e.store.byte(Table::Shipgroups, i, kFields[f][0]);
                const size_t to = e.store.byte(Table::Shipgroups, i, kFields[f][1]);
                out[{ids[i], f}] = type != 1 ? -1 : to < ids.size() ? ids[to] : -2;
            }
        return out;
    }
    // The references as they must be; those of `loose` shipgroups to others
    // may also have been cleared.
    void check(const Refs& want, const std::vector<int>& loose = {}) {
        ASSERT_EQ(static_cast<int>(ids.size()), e.store.shipgroupCount);
        const Refs got = read();
        for (const auto& [key, to] : want)
            if (got.at(key) != to &&
                (got.at(key) != -1 || !std::count(loose.begin(), loose.end(), key.first)))
                ADD_FAILURE() << "shipgroup id " << key.first << " field " << key.second
                              << " names id " << got.at(key) << ", not " << to;
        refs = got;
    }
    // Shipgroups taken out: references to them are "None" now.
    Refs forget(const std::vector<int>& numbers) {
        std::set<int> gone;
        for (int i : numbers) gone.insert(ids[i]);
        std::erase_if(ids, [&](int id) { return gone.count(id) > 0; });
        Refs want;
        for (const auto& [key, to] : refs)
            if (!gone.count(key.first)) want[key] = gone.count(to) ? -1 : to;
        return want;
    }
    // A copy written now, restored into a second editor, saves the same bytes.
    void snapshotAndRestore() {
        Recovery writer(e, status, (folder / "rec").string());
        writer.interval = std::chrono::milliseconds(0);
        writer.tick();
        writer.finishWrite();
        if (!writer.onDisk()) return;
        fs::create_directories(folder / "left");
        fs::copy_file(writer.filePath(), folder / "left" / ".quendar-1-1.recovery");
        Editor second;
        testing::ScriptedPrompter answers;
        answers.answers = {core::Answer::Restore};
        Recovery reader(second, status, (folder / "left").string());
        ASSERT_TRUE(reader.offerLeftovers(answers));
        second.settings.runEccBeforeSave = 0;
        second.store.missionPath = (folder / "restored.tie").string();
        ASSERT_TRUE(saveMission(second, answers));
        EXPECT_EQ(mission::readWholeFile(second.store.missionPath), image(e));
    }

    std::mt19937 rng;
    fs::path folder;
    Editor e;
    testing::ScriptedPrompter prompter;
    testing::StubFrameView view;
    testing::StubStatus status;
    testing::StubMapListeners listeners;
    MapTools tools{e, prompter, view, listeners, listeners};
    Board board;
    testing::StubStatus told;
    ShipgroupClipboard clip{e, tools.selection(), prompter, board, told};
    std::vector<uint8_t> opened;
    std::vector<int> ids;  // shipgroup number -> the test's identity
    Refs refs, copiedRefs;
    std::vector<int> copied;
    std::vector<std::pair<std::vector<int>, Refs>> history;  // ids and refs per journal position
    size_t at = 0;
    int next = 0;
};

TEST(EditorSequence, ReferencesFollowTheirShipgroupsThroughRandomSessions) {
    testing::TempDir dir("quendar-sequence");
    for (unsigned seed : {1u, 2u, 3u, 4u, std::random_device{}()}) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        fs::copy_file(QUENDAR_DATA_DIR "/samples/lantern-run.tie", dir.path() / "sample.tie",
                      fs::copy_options::overwrite_existing);
        Session s(seed, dir.path());
        for (int n = 0; n < 300 && !::testing::Test::HasFailure(); ++n) s.step(n);
        while (s.e.journal.undo()) {
        }
        EXPECT_EQ(image(s.e), s.opened) << "undoing everything gives the opened mission back";
        if (::testing::Test::HasFailure()) break;
    }
}

}  // namespace
}  // namespace quendar::app
