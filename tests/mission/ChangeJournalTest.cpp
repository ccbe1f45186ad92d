#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "mission/ChangeJournal.h"
#include "mission/NewMission.h"

using namespace quendar::mission;
using quendar::core::ActionScope;

namespace {

std::vector<uint8_t> image(const MissionStore& s) {
    std::vector<uint8_t> out;
    for (int t = 0; t < static_cast<int>(Table::Count); ++t) {
        auto b = s.table(static_cast<Table>(t));
        out.insert(out.end(), b.begin(), b.end());
    }
    for (int c : {s.shipgroupCount, s.messageCount, s.briefingLength})
        for (int k = 0; k < 4; ++k) out.push_back(static_cast<uint8_t>(c >> (8 * k)));
    return out;
}

struct Journalled : ::testing::Test {
    Journalled() {
        resetToNewMission(store);
        journal.clear();
    }
    MissionStore store;
    ChangeJournal journal{store};
};

TEST_F(Journalled, ActionsUndoAndRedoWholeAndInOrder) {
    const auto opened = image(store);
    {
        ActionScope a(journal, "Edit Name");
        store.setText(Table::Shipgroups, 0, 0, 12, "Harrow");
        store.setWord(Table::Shipgroups, 0, 40, 0xBEEF);
    }
    const auto afterFirst = image(store);
    {
        ActionScope a(journal, "Delete");
        {
            ActionScope inner(journal, "Delete shipgroup");  // joins and names the action
            store.copySlot(Table::Shipgroups, 0, 1);
            ActionScope late(journal, "named after the first change: keeps the name");
        }
        store.shipgroupCount = 2;  // a counter written directly is journalled too
    }
    const auto afterSecond = image(store);
    EXPECT_EQ(journal.actionCount(), 2u);
    EXPECT_EQ(journal.undoName(), "Delete shipgroup");
    EXPECT_TRUE(journal.modified());

    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(image(store), afterFirst);
    EXPECT_EQ(journal.undoName(), "Edit Name");
    EXPECT_EQ(journal.redoName(), "Delete shipgroup");
    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(image(store), opened);
    EXPECT_FALSE(journal.canUndo());
    EXPECT_FALSE(journal.modified());
    EXPECT_FALSE(journal.undo());

    ASSERT_TRUE(journal.redo());
    ASSERT_TRUE(journal.redo());
    EXPECT_EQ(image(store), afterSecond);
    EXPECT_FALSE(journal.redo());

    // Replaying records nothing; a new action after an undo drops the redo.
    journal.undo();
    {
        ActionScope a(journal, "Edit Count");
        store.setByte(Table::Shipgroups, 0, 7, 9);
    }
    EXPECT_EQ(journal.actionCount(), 2u);
    EXPECT_FALSE(journal.canRedo());
}

TEST_F(Journalled, EmptyAndCancellingActionsLeaveNothing) {
    { ActionScope a(journal, "Edit Name"); }
    {
        ActionScope a(journal, "Edit Name");
        store.setByte(Table::Header, 0, 0, store.byte(Table::Header, 0, 0));  // same value
        store.setText(Table::RegionNames, 0, 0, 12, "Region 1");              // same text
    }
    {
        ActionScope a(journal, "Edit Skill");
        const uint8_t was = store.byte(Table::Shipgroups, 3, 5);
        store.setByte(Table::Shipgroups, 3, 5, 77);
        store.setByte(Table::Shipgroups, 3, 5, was);  // back as it was
    }
    EXPECT_EQ(journal.actionCount(), 0u);
    EXPECT_FALSE(journal.modified());
}

TEST_F(Journalled, KeystrokesInOneEditMergeUntilTheFocusLeaves) {
    const int edit = 0, other = 0;
    const std::string word = "Lantern";
    for (size_t n = 1; n <= word.size(); ++n) {
        ActionScope a(journal, "Edit Name", &edit);
        store.setText(Table::Shipgroups, 0, 0, 12, word.substr(0, n));
    }
    EXPECT_EQ(journal.actionCount(), 1u);
    journal.breakMerge();
    {
        ActionScope a(journal, "Edit Name", &edit);
        store.setText(Table::Shipgroups, 0, 0, 12, "Lanterns");
    }
    {
        ActionScope a(journal, "Edit Cargo", &other);
        store.setText(Table::Shipgroups, 0, 20, 12, "Ore");
    }
    EXPECT_EQ(journal.actionCount(), 3u);
    journal.undo();
    journal.undo();
    EXPECT_EQ(store.text(Table::Shipgroups, 0, 0, 12), "Lantern");
    journal.undo();
    EXPECT_EQ(store.text(Table::Shipgroups, 0, 0, 12), "Noname");
}

TEST_F(Journalled, SavedPointFollowsUndoRedoAndIsNotMergedInto) {
    const int edit = 0;
    {
        ActionScope a(journal, "Edit Name", &edit);
        store.setText(Table::Shipgroups, 0, 0, 12, "A");
    }
    journal.markSaved();
    EXPECT_FALSE(journal.modified());
    {
        // The same edit after a save starts a new step: undoing it must give
        // the saved state back.
        ActionScope a(journal, "Edit Name", &edit);
        store.setText(Table::Shipgroups, 0, 0, 12, "AB");
    }
    EXPECT_TRUE(journal.modified());
    journal.undo();
    EXPECT_FALSE(journal.modified());
    EXPECT_EQ(store.text(Table::Shipgroups, 0, 0, 12), "A");
    journal.undo();
    EXPECT_TRUE(journal.modified());  // before the save
    journal.redo();
    EXPECT_FALSE(journal.modified());

    // A new change after undoing past the save makes the saved state unreachable.
    journal.undo();
    {
        ActionScope a(journal, "Edit Skill");
        store.setByte(Table::Shipgroups, 0, 5, 3);
    }
    journal.undo();
    EXPECT_TRUE(journal.modified());

    journal.clear();
    EXPECT_FALSE(journal.modified());
    EXPECT_FALSE(journal.canUndo());
}

TEST_F(Journalled, ChangesOutsideAnyActionAreOneImplicitStep) {
    store.setByte(Table::Messages, 0, 0, 1);
    store.messageCount = 1;
    store.setByte(Table::Messages, 0, 1, 2);
    {
        ActionScope a(journal, "Edit Skill");
        store.setByte(Table::Shipgroups, 0, 5, 3);
    }
    EXPECT_EQ(journal.actionCount(), 2u);
    journal.undo();
    EXPECT_EQ(journal.undoName(), "Change");
    journal.undo();
    EXPECT_EQ(store.messageCount, 0);
    EXPECT_EQ(store.byte(Table::Messages, 0, 1), 0);

    // While paused (loading a file) nothing is recorded.
    {
        ChangeJournal::Pause p(journal);
        store.setByte(Table::Messages, 0, 0, 9);
    }
    EXPECT_FALSE(journal.canUndo());
}

struct Flag : Reversible {
    Flag(std::vector<int>& log, int id) : log(log), id(id) {}
    void undo() override { log.push_back(-id); }
    void redo() override { log.push_back(id); }
    std::vector<int>& log;
    int id;
};

TEST_F(Journalled, ReversibleEntriesReplayInOrderAndABridgeIsNoAction) {
    std::vector<int> log;
    {
        ActionScope a(journal, "Add ship");
        journal.record(std::make_unique<Flag>(log, 1));
        store.setByte(Table::Briefing1, 0, 10, 4);
        journal.record(std::make_unique<Flag>(log, 2));
    }
    journal.undo();
    EXPECT_EQ(log, (std::vector<int>{-2, -1}));
    journal.redo();
    log.clear();
    // What a save does after writing: a bridge (its change is already made),
    // no action, nothing dropped; undo takes it back first.
    {
        ActionScope a(journal, "Other");
        store.setByte(Table::Briefing1, 0, 11, 5);
    }
    journal.undo();
    journal.bridge(std::make_unique<Flag>(log, 3));
    journal.markSaved();
    EXPECT_EQ(journal.actionCount(), 2u);
    EXPECT_EQ(journal.redoName(), "Other");
    EXPECT_FALSE(journal.modified());
    journal.redo();
    EXPECT_EQ(log, (std::vector<int>{-3}));
    EXPECT_EQ(store.byte(Table::Briefing1, 0, 11), 5);
    EXPECT_TRUE(journal.modified());
    journal.undo();
    EXPECT_FALSE(journal.modified());
    journal.undo();
    EXPECT_EQ(log, (std::vector<int>{-3, -2, -1}));

    // The next change carries a pending bridge as its first entry.
    journal.redo();
    log.clear();
    journal.bridge(std::make_unique<Flag>(log, 4));
    {
        ActionScope a(journal, "Third");
        journal.record(std::make_unique<Flag>(log, 5));
    }
    EXPECT_EQ(journal.redoName(), "");
    journal.undo();
    EXPECT_EQ(log, (std::vector<int>{-5, -4}));
    journal.redo();
    EXPECT_EQ(log, (std::vector<int>{-5, -4, 4, 5}));
}

TEST_F(Journalled, RandomEditsUndoneAndRedoneGiveBothStatesByteForByte) {
    std::mt19937 rng(20261209);
    const auto opened = image(store);
    const int key = 0;
    for (int i = 0; i < 1000; ++i) {
        const Table t = static_cast<Table>(rng() % static_cast<int>(Table::Count));
        const TableShape sh = shapeOf(t);
        const int slot = static_cast<int>(rng() % sh.slots);
        const int off = static_cast<int>(rng() % sh.slotSize);
        ActionScope a(journal, "Edit", (rng() % 3 == 0) ? &key : nullptr);
        switch (rng() % 6) {
            case 0: store.setByte(t, slot, off, static_cast<uint8_t>(rng())); break;
            case 1: store.setWord(t, slot, off, static_cast<uint16_t>(rng())); break;
            case 2:
                store.setText(t, slot, off, std::min(20, sh.slotSize - off),
                              "x" + std::to_string(rng() % 999));
                break;
            case 3: store.copySlot(t, slot, static_cast<int>(rng() % sh.slots)); break;
            case 4: store.fillBytes(t, slot, 0, sh.slotSize, static_cast<uint8_t>(rng())); break;
            case 5: store.shipgroupCount = static_cast<int>(rng() % 255) + 1; break;
        }
        if (rng() % 10 == 0) journal.breakMerge();
    }
    const auto edited = image(store);
    ASSERT_NE(edited, opened);
    while (journal.undo()) {
    }
    EXPECT_EQ(image(store), opened);
    EXPECT_FALSE(journal.modified());
    while (journal.redo()) {
    }
    EXPECT_EQ(image(store), edited);
}

TEST_F(Journalled, HundredThousandSingleByteEditsStayUnderSixteenMegabytes) {
    for (int i = 0; i < 100000; ++i) {
        ActionScope a(journal, "Edit Skill");
        store.setByte(Table::Messages, i % kMaxMessages, i % 7, static_cast<uint8_t>(i % 251 + 1));
    }
    EXPECT_EQ(journal.actionCount(), 100000u);
    EXPECT_LT(journal.memoryUse(), size_t{16} << 20);

    // Past its budget the journal forgets its oldest actions, not the newest.
    journal.setMemoryBudget(size_t{1} << 20);
    {
        ActionScope a(journal, "Edit Last");
        store.setByte(Table::Header, 0, 1, 42);
    }
    EXPECT_LT(journal.actionCount(), 100001u);
    EXPECT_EQ(journal.undoName(), "Edit Last");
    journal.undo();
    EXPECT_EQ(store.byte(Table::Header, 0, 1), 0);
    EXPECT_TRUE(journal.modified());  // the saved state is out of reach
    while (journal.undo()) {
    }
    EXPECT_TRUE(journal.modified());
}

}  // namespace
