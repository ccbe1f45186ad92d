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
using Refs = std::map<std::pair<int, int>, int>;  // (shipgroup, field) -> shipgroup, -1: none

// Fields naming a shipgroup: (type or method offset, number offset); value 1
// makes the number a shipgroup: arrival trigger 1, order 1's target 1, the
// arrival and departure motherships 1.
constexpr int kFields[4][2] = {{137, 138}, {214, 215}, {195, 194}, {199, 198}};

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

class Session {
  public:
    Session(unsigned seed, const std::string& path, const fs::path& folder)
        : m_rng(seed), m_folder(folder) {
        e.craftListPath = QUENDAR_DATA_DIR "/SHIPLIST.TXT";
        e.settings.runEccBeforeSave = 0;
        for (int i = 0; i < map::MapView::kCentringNotifications; ++i) e.mapView.resize(800, 600);
        EXPECT_TRUE(openMissionPath(e, prompter, path));
        {
            // More references than the sample has, as the opened state.
            mission::ChangeJournal::Pause quiet(e.journal);
            for (int i = 0; i < e.store.shipgroupCount; ++i)
                for (const auto& f : kFields)
                    if (pick(2)) {
                        e.store.setByte(mission::Table::Shipgroups, i, f[0], 1);
                        e.store.setByte(mission::Table::Shipgroups, i, f[1],
                                        static_cast<uint8_t>(pick(e.store.shipgroupCount)));
                    }
        }
        opened = image(e);
        for (int i = 0; i < e.store.shipgroupCount; ++i) ids.push_back(m_next++);
        refs = read();
        history = {{ids, refs}};
    }

    void step(int n) {
        const int r = pick(100);
        const auto targets = tools.selection().targets();
        const size_t before = e.journal.position();
        int time = n * 100;
        if (r < 12) {  // Shift+click adds a shipgroup
            const int x = pick(800), y = pick(600);
            tools.pointer({map::PointerAction::Press, map::PointerButton::Left, true, false, x, y});
            tools.pointer(
                {map::PointerAction::Release, map::PointerButton::Left, true, false, x, y});
            while (static_cast<int>(ids.size()) < e.store.shipgroupCount) ids.push_back(m_next++);
        } else if (r < 22) {  // a drag: a move from a shipgroup, else a band
            const int x = pick(800), y = pick(600);
            tools.pointer(
                {map::PointerAction::Press, map::PointerButton::Left, false, false, x, y});
            tools.pointer(
                {map::PointerAction::Move, map::PointerButton::None, false, false, x + 9, y - 7});
            tools.pointer({map::PointerAction::Release, map::PointerButton::Left, false, false,
                           x + 9, y - 7});
        } else if (r < 30) {  // a held arrow: repeated pairs with one time each
            const MapKey arrow = static_cast<MapKey>(pick(4));
            for (int k = 0; k < 1 + pick(4); ++k, time += 30) {
                tools.key(arrow, false, time);
                tools.keyReleased(time + 30);
            }
            EXPECT_LE(e.journal.position(), before + 1) << "one run, one step";
        } else if (r < 40) {
            select();
        } else if (r < 46) {
            copyOrCut(false, targets);
        } else if (r < 52) {
            copyOrCut(true, targets);
        } else if (r < 60) {
            remove(targets);
        } else if (r < 70) {
            paste();
        } else if (r < 84) {
            if (e.journal.undo()) reread(history[--m_at]);
            e.shipgroupEvents.notify(
                ShipgroupEvent::ListCleared);  // as the frame does after an undo
            return;
        } else if (r < 92) {
            if (e.journal.redo()) reread(history[++m_at]);
            e.shipgroupEvents.notify(ShipgroupEvent::ListCleared);
            return;
        } else if (r < 96) {
            EXPECT_TRUE(saveMission(e, prompter));
        } else {
            snapshotAndRestore();
        }
        check(Refs(refs));  // nothing else renames a reference
        const State now{ids, refs};
        if (e.journal.position() > before) {
            history.resize(++m_at);
            history.push_back(now);
        } else {
            history[m_at] = now;
        }
    }

    std::vector<uint8_t> opened;
    Editor e;

  private:
    struct State {
        std::vector<int> ids;
        Refs refs;
    };
    int pick(int n) { return static_cast<int>(m_rng() % static_cast<unsigned>(n)); }

    Refs read() const {
        Refs out;
        for (int i = 0; i < e.store.shipgroupCount; ++i)
            for (int f = 0; f < 4; ++f) {
                const int type = e.store.byte(mission::Table::Shipgroups, i, kFields[f][0]);
                const int to = e.store.byte(mission::Table::Shipgroups, i, kFields[f][1]);
                out[{ids[i], f}] = type != 1                           ? -1
                                   : to < static_cast<int>(ids.size()) ? ids[to]
                                                                       : -2;
            }
        return out;
    }
    // The references as they must be; `loose`: shipgroups whose references
    // to others may also have been cleared.
    void check(const Refs& want, const std::vector<int>& loose = {}) {
        ASSERT_EQ(static_cast<int>(ids.size()), e.store.shipgroupCount);
        const Refs got = read();
        for (const auto& [key, to] : want) {
            const bool mayClear = std::count(loose.begin(), loose.end(), key.first) > 0;
            if (got.at(key) == to || (mayClear && got.at(key) == -1)) continue;
            ADD_FAILURE() << "shipgroup id " << key.first << " field " << key.second << " names id "
                          << got.at(key) << ", not " << to;
        }
        refs = got;
    }
    void reread(const State& s) {
        ids = s.ids;
        check(s.refs);
    }
    void select() {
        std::vector<int> some;
        for (int i = 0; i < e.store.shipgroupCount; ++i)
            if (pick(8) == 0) some.push_back(i);
        tools.selection().select(some);
    }
    void copyOrCut(bool cut, const std::vector<int>& targets) {
        if (!(cut ? clip.cut() : clip.copy())) return;
        m_copied.clear();
        for (int n : targets) {
            std::array<int, 4> to{};
            for (int f = 0; f < 4; ++f) to[f] = refs.at({ids[n], f});
            m_copied.push_back({ids[n], to});
        }
        if (cut) forget(targets);
    }
    void remove(const std::vector<int>& targets) {
        if (tools.selection().selected().empty()) return;
        if (tools.key(MapKey::Delete, false)) forget(targets);
    }
    // Shipgroups taken out: references to them are "None" now.
    void forget(const std::vector<int>& numbers) {
        std::vector<int> gone;
        for (int n : numbers) gone.push_back(ids[n]);
        std::erase_if(ids, [&](int id) { return std::count(gone.begin(), gone.end(), id) > 0; });
        Refs want;
        for (const auto& [key, to] : refs)
            if (!std::count(gone.begin(), gone.end(), key.first))
                want[key] = std::count(gone.begin(), gone.end(), to) ? -1 : to;
        check(want);
    }
    void paste() {
        const int count = e.store.shipgroupCount;
        if (!(pick(2) ? clip.paste() : clip.pasteAt(pick(800), pick(600)))) return;
        Refs want = refs;
        std::vector<int> fresh;
        for (size_t k = 0; k < m_copied.size(); ++k) fresh.push_back(m_next++);
        ids.insert(ids.end(), fresh.begin(), fresh.end());
        ASSERT_EQ(static_cast<int>(ids.size()), count + static_cast<int>(fresh.size()));
        for (size_t k = 0; k < m_copied.size(); ++k)
            for (int f = 0; f < 4; ++f) {
                int to = m_copied[k].second[f];
                for (size_t j = 0; j < m_copied.size(); ++j)
                    if (to == m_copied[j].first) to = fresh[j];  // among the pasted: follows
                if (std::count(ids.begin(), ids.end(), to) == 0) to = -1;
                want[{fresh[k], f}] = to;
            }
        check(want, fresh);
    }
    void snapshotAndRestore() {
        Recovery writer(e, (m_folder / "rec").string());
        writer.interval = std::chrono::milliseconds(0);
        writer.tick();
        writer.finishWrite();
        if (!writer.onDisk()) return;
        const fs::path left = m_folder / "left";
        fs::create_directories(left);
        fs::copy_file(writer.filePath(), left / ".quendar-1-1.recovery");
        Editor second;
        testing::ScriptedPrompter answers;
        answers.answers = {core::Answer::Restore};
        Recovery reader(second, left.string());
        ASSERT_TRUE(reader.offerLeftovers(answers));
        second.settings.runEccBeforeSave = 0;
        second.store.missionPath = (m_folder / "restored.tie").string();
        ASSERT_TRUE(saveMission(second, answers));
        EXPECT_EQ(mission::readWholeFile(second.store.missionPath), image(e));
    }

    std::mt19937 m_rng;
    fs::path m_folder;
    testing::ScriptedPrompter prompter;
    testing::StubFrameView view;
    testing::StubMapListeners listeners;
    MapTools tools{e, prompter, view, listeners, listeners};
    Board board;
    ShipgroupClipboard clip{e, tools.selection(), prompter, board};
    std::vector<int> ids;
    Refs refs;
    std::vector<State> history;
    size_t m_at = 0;
    int m_next = 0;
    std::vector<std::pair<int, std::array<int, 4>>> m_copied;  // id and what it named
};

TEST(EditorSequence, ReferencesFollowTheirShipgroupsThroughRandomSessions) {
    testing::TempDir dir("quendar-sequence");
    const std::string path = (dir.path() / "sample.tie").string();
    for (unsigned seed : {1u, 2u, 3u, 4u, std::random_device{}()}) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        fs::copy_file(QUENDAR_DATA_DIR "/samples/lantern-run.tie", path,
                      fs::copy_options::overwrite_existing);
        Session s(seed, path, dir.path());
        for (int n = 0; n < 300 && !::testing::Test::HasFailure(); ++n) s.step(n);
        while (s.e.journal.undo()) {
        }
        EXPECT_EQ(image(s.e), s.opened) << "undoing everything gives the opened mission back";
        if (::testing::Test::HasFailure()) break;
    }
}

}  // namespace
}  // namespace quendar::app
