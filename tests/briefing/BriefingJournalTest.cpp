// Undo and redo of the briefing through the change journal: the lists (with
// what undo took back behind each count), the end time, the length mark, the
// team flags and the tools' undo log come back exactly.

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

#include "briefing/BriefingForms.h"
#include "briefing/BriefingModel.h"
#include "mission/ChangeJournal.h"
#include "mission/MissionStore.h"
#include "mission/NewMission.h"
#include "support/ScriptedUi.h"

namespace quendar::briefing {
namespace {

using core::ActionScope;
using mission::Table;

// Everything of the briefing that undo must give back.
struct State {
    std::vector<std::vector<Record>> lists;  // records [0, filled) of each kind
    std::vector<int> counts;
    int endTime = 0, length = 0;
    std::vector<UndoLog::Entry> log;  // entries [0, length)
    int logLength = 0, logPosition = 0;
    std::vector<uint8_t> block;  // briefing 1's block in the store (team flags too)
    bool operator==(const State& o) const {
        if (log.size() != o.log.size()) return false;
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].kind != o.log[i].kind || log[i].count != o.log[i].count) return false;
        return lists == o.lists && counts == o.counts && endTime == o.endTime &&
               length == o.length && logLength == o.logLength && logPosition == o.logPosition &&
               block == o.block;
    }
};

class BriefingJournalTest : public ::testing::Test {
  protected:
    BriefingJournalTest() {
        mission::resetToNewMission(store);
        model.resetForNewMission();
        journal.clear();
    }

    State state() const {
        State s;
        for (int k = 0; k < kKindCount; ++k) {
            const CommandList& l = model.list(Kind(k));
            std::vector<Record> all(l.records().begin(), l.records().end());
            all.insert(all.end(), l.takenBack().begin(), l.takenBack().end());
            s.lists.push_back(std::move(all));
            s.counts.push_back(l.count());
        }
        s.endTime = model.briefingEndTime();
        s.length = model.briefingLength();
        const UndoLog& log = model.undoLog();
        for (int i = 0; i < log.length(); ++i) s.log.push_back(log.entry(i));
        s.logLength = log.length();
        s.logPosition = log.position();
        const auto b = store.slot(Table::Briefing1, 0);
        s.block.assign(b.begin(), b.end());
        return s;
    }
    // What a save would write of the lists as they are now.
    std::vector<uint8_t> packed() const {
        mission::MissionStore copy(store);
        model.packInto(copy);
        const auto b = copy.slot(Table::Briefing1, 0);
        return {b.begin(), b.end()};
    }
    // The save as the window does it: pack, re-read, saved mark.
    void save() {
        model.packForSave();
        model.reparseAfterSave();
        journal.markSaved();
    }
    // A tool adding `n` moves of ship 0 from time t, as one action.
    void moveShip(int32_t t, int n) {
        ActionScope a(journal, "Move ship");
        for (int k = 0; k < n; ++k) model.appendCommand(BRC_COORD, t + k, {0, 10 * k, -5 * k});
        model.undoLog().record(undo::Move, n);
    }
    void toolbarUndo() {
        ActionScope a(journal, "Undo briefing tool");
        model.undoLog().undo(model, true);
    }
    void toolbarRedo() {
        ActionScope a(journal, "Redo briefing tool");
        model.undoLog().redo(model, true);
    }

    mission::MissionStore store;
    BriefingModel model{store};
    mission::ChangeJournal journal{store};
};

TEST_F(BriefingJournalTest, ToolActionAndDeleteCommandsComeBackExactly) {
    {
        ActionScope a(journal, "Show ship");
        model.appendCommand(BRC_SHOW, 20, {0, 5, 1});
        model.undoLog().record(undo::Show, 1);
    }
    moveShip(20, 3);
    const State beforeSelection = state();
    {
        ActionScope a(journal, "Add selection");
        model.appendCommand(BRC_SELECT3, 20, {0});
        model.undoLog().record(undo::select(3), 1);
    }
    const State afterSelection = state();
    EXPECT_EQ(journal.undoName(), "Add selection");
    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(state(), beforeSelection);
    ASSERT_TRUE(journal.redo());
    EXPECT_EQ(state(), afterSelection);

    // Two lines deleted in one run of the form: one action by the form's name,
    // even inside the action the form's button opens.
    model.setCurrentTime(20);
    quendar::testing::ScriptedPrompter prompter;
    DeleteCommandsForm form(model, prompter);
    form.setActionGroups(&journal);
    auto rowOf = [&](Kind kind) {
        const auto refs = model.commandsAt(20);
        for (size_t i = 0; i < refs.size(); ++i)
            if (refs[i].kind == kind) return static_cast<int>(i);
        return -1;
    };
    {
        ActionScope whileOpen(journal, DeleteCommandsForm::kActionName);
        form.choose("commands", rowOf(BRC_COORD));  // the move at 20, first of three
        form.click("delete");
        form.choose("commands", rowOf(BRC_SHOW));
        form.click("delete");
    }
    EXPECT_EQ(model.count(BRC_COORD), 2);
    EXPECT_EQ(model.record(BRC_COORD, 0).time, 21);
    EXPECT_EQ(model.count(BRC_SHOW), 0);
    const State afterDelete = state();
    EXPECT_EQ(journal.undoName(), "Delete commands");
    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(state(), afterSelection);
    EXPECT_EQ(model.record(BRC_COORD, 0).time, 20);  // back in its place
    ASSERT_TRUE(journal.redo());
    EXPECT_EQ(state(), afterDelete);
}

TEST_F(BriefingJournalTest, ToolbarUndoAndTheJournalNeverDisagree) {
    const State empty = state();
    moveShip(10, 4);
    const State moved = state();
    toolbarUndo();
    const State takenBack = state();
    EXPECT_EQ(model.count(BRC_COORD), 0);
    EXPECT_EQ(model.undoLog().position(), 0);
    EXPECT_EQ(journal.undoName(), "Undo briefing tool");

    // Edit → Undo of the toolbar's Undo: the moves and the log's position.
    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(state(), moved);
    EXPECT_TRUE(model.undoLog().canUndo(true));
    EXPECT_FALSE(model.undoLog().canRedo(true));
    ASSERT_TRUE(journal.redo());
    EXPECT_EQ(state(), takenBack);
    // The toolbar's Redo still finds the records behind the count.
    toolbarRedo();
    EXPECT_EQ(state(), moved);

    ASSERT_TRUE(journal.undo());  // the toolbar's Redo
    ASSERT_TRUE(journal.undo());  // the toolbar's Undo
    ASSERT_TRUE(journal.undo());  // the move
    EXPECT_EQ(state(), empty);
    EXPECT_FALSE(model.undoLog().canUndo(true));
    EXPECT_FALSE(journal.canUndo());
    while (journal.redo()) {
    }
    EXPECT_EQ(state(), moved);
}

TEST_F(BriefingJournalTest, AppendAfterToolbarUndoIsUndoneWithTheDiscardedRecords) {
    moveShip(10, 2);
    moveShip(30, 3);
    toolbarUndo();  // the three later moves go behind the count
    const State beforeAppend = state();
    ASSERT_EQ(model.list(BRC_COORD).takenBack().size(), 3u);

    // A new move discards them and overwrites the log's second entry.
    moveShip(50, 1);
    EXPECT_TRUE(model.list(BRC_COORD).takenBack().empty());
    EXPECT_EQ(model.undoLog().length(), 2);
    EXPECT_EQ(model.undoLog().entry(1).count, 1);

    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(state(), beforeAppend);
    EXPECT_EQ(model.undoLog().entry(1).count, 3);
    toolbarRedo();  // brings the three discarded moves back
    EXPECT_EQ(model.count(BRC_COORD), 5);
    EXPECT_EQ(model.record(BRC_COORD, 4).time, 32);
}

TEST_F(BriefingJournalTest, ShiftTimesUndoneExactlyEvenWhereTheShiftWasClamped) {
    for (int32_t t : {-7, 5, 100, 60000, 65534, 65535, 70000})
        model.appendCommand(BRC_LOWER, t, {1});
    const State start = state();
    {
        ActionScope a(journal, BriefingWizardForm::kActionName);
        model.shiftTimes(5, std::numeric_limits<int32_t>::max());
    }
    EXPECT_EQ(model.record(BRC_LOWER, 1).time, 5);  // at `from`: stays
    EXPECT_EQ(model.record(BRC_LOWER, 2).time, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(model.record(BRC_LOWER, 3).time, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(model.record(BRC_LOWER, 5).time, 65535);  // marked: stays
    const State shifted = state();
    {
        ActionScope a(journal, BriefingWizardForm::kActionName);
        model.shiftTimes(-100, std::numeric_limits<int32_t>::min());
    }
    EXPECT_EQ(model.record(BRC_LOWER, 0).time, std::numeric_limits<int32_t>::min());
    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(state(), shifted);
    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(state(), start);
    ASSERT_TRUE(journal.redo());
    EXPECT_EQ(state(), shifted);

    // A shift that moves nothing leaves no action.
    const size_t actions = journal.actionCount();
    {
        ActionScope a(journal, BriefingWizardForm::kActionName);
        model.shiftTimes(70000, 10);
    }
    EXPECT_EQ(journal.actionCount(), actions);
}

TEST_F(BriefingJournalTest, SaveReorderIsBookkeepingThatKeepsUndoAndRedo) {
    moveShip(40, 2);
    const State first = state();
    const auto firstPacked = packed();
    {
        ActionScope a(journal, "Move ship");
        model.appendCommand(BRC_SHOW, 10, {0, 5, 0});
        model.appendCommand(BRC_COORD, 10, {0, 7, 7});  // before the other moves in time
        model.undoLog().record(undo::Move, 1);
    }
    const State edited = state();
    const auto editedPacked = packed();
    save();
    // The re-read put the lists in time order, and no action was added.
    EXPECT_FALSE(journal.modified());
    EXPECT_EQ(journal.actionCount(), 2u);
    EXPECT_EQ(model.record(BRC_COORD, 0).param(1), 7);
    EXPECT_EQ(packed(), editedPacked);
    ASSERT_EQ(journal.undoName(), "Move ship");
    ASSERT_TRUE(journal.undo());
    EXPECT_TRUE(journal.modified());
    EXPECT_EQ(state(), first);
    EXPECT_EQ(packed(), firstPacked);
    // Redo comes back to the lists the action made, which save the same.
    ASSERT_TRUE(journal.redo());
    EXPECT_EQ(state(), edited);
    EXPECT_EQ(packed(), editedPacked);
    EXPECT_FALSE(journal.modified());

    // Saving again and again: one bridge, taken back by one undo.
    save();
    const State saved = state();
    save();
    EXPECT_EQ(state(), saved);
    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(state(), first);
    ASSERT_TRUE(journal.redo());

    // Undo before a save keeps the redo step; the re-read after the save
    // keeps what undo took back behind the counts.
    ASSERT_TRUE(journal.undo());
    save();
    EXPECT_EQ(journal.redoName(), "Move ship");
    ASSERT_TRUE(journal.redo());
    EXPECT_EQ(state(), edited);
    EXPECT_TRUE(journal.modified());

    // A change after a save carries the re-read: undoing it gives lists
    // that save as saved, one more undo the action's own.
    save();
    const auto savedPacked = packed();
    moveShip(5, 1);
    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(state(), edited);
    EXPECT_EQ(packed(), savedPacked);
    EXPECT_FALSE(journal.modified());
    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(state(), first);

    // A pack whose re-read never comes (the image for the tool): the marks
    // are journalled before the next change, so undo still comes home.
    ASSERT_TRUE(journal.redo());
    model.serializeBriefing();
    EXPECT_EQ(model.record(BRC_SHOW, 0).time, kWrittenMark);
    moveShip(5, 1);
    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(state().lists, edited.lists);
}

TEST_F(BriefingJournalTest, ResetBriefingAndLengthFormAreUndone) {
    moveShip(10, 3);
    model.setTeamSeesBriefing(2, false);
    const State before = state();
    {
        ActionScope a(journal, "Reset Briefing 1");
        model.resetBriefing1();
    }
    EXPECT_EQ(model.totalCount(), 0);
    EXPECT_TRUE(model.teamSeesBriefing(2));
    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(state(), before);
    EXPECT_FALSE(model.teamSeesBriefing(2));

    // Typing in the length form and the mark it pulls back on closing are one
    // action under the form's name.
    {
        BriefingLengthForm form(model);
        form.setActionGroups(&journal);
        ActionScope whileOpen(journal, BriefingLengthForm::kActionName);
        form.type("units", "2");
        form.type("units", "25");
        form.closing();
    }
    EXPECT_EQ(model.briefingEndTime(), 25);
    EXPECT_EQ(model.briefingLength(), 25);
    EXPECT_EQ(journal.undoName(), "Briefing length");
    ASSERT_TRUE(journal.undo());
    EXPECT_EQ(state(), before);
}

// An append, a delete or a count change costs its own record, not a copy of
// the list it changes.
TEST_F(BriefingJournalTest, SmallChangesCostNoCopyOfTheirList) {
    for (int k = 0; k < 900; ++k) model.appendCommand(BRC_COORD, k, {0, k, k});
    journal.clear();
    const size_t empty = journal.memoryUse();
    for (int k = 0; k < 50; ++k) {
        ActionScope a(journal, "Move ship");
        model.appendCommand(BRC_COORD, 1000 + k, {0, 1, 1});
        model.undoLog().record(undo::Move, 1);
        model.deleteCommand(BRC_COORD, k);
        model.setCount(BRC_COORD, model.count(BRC_COORD) - 1);
    }
    // 36 kB would be one copy of the list.
    EXPECT_LT(journal.memoryUse() - empty, size_t{32} << 10);
}

// Random briefing edits as actions, saves among them: undone completely they
// give the opened briefing back, redone completely the edited one, byte for
// byte in the store and in what a save would write.
TEST_F(BriefingJournalTest, RandomEditsUndoneAndRedoneCompletely) {
    for (int k = 0; k < 40; ++k)
        model.appendCommand(Kind(k % kKindCount), (k * 37) % 500, {k, -k, 2 * k, 1});
    journal.clear();
    const State opened = state();
    const auto openedPacked = packed();

    std::mt19937 rng(1307);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 400; ++step) {
        const Kind kind = Kind(pick(kKindCount));
        const int32_t t = pick(700) - 20;
        ActionScope a(journal, "Edit");
        switch (pick(11)) {
            case 0:
            case 1: {
                const int n = 1 + pick(4);
                for (int i = 0; i < n; ++i)
                    model.appendCommand(kind, t + i, {pick(300), -pick(900)});
                model.undoLog().record(kind == BRC_COORD ? undo::Move : undo::Show, n);
                break;
            }
            case 2: model.deleteCommand(kind, pick(model.count(kind) + 1)); break;
            case 3: model.shiftTimes(t, pick(400) - 200); break;
            case 4: model.undoLog().undo(model, true); break;
            case 5: model.undoLog().redo(model, true); break;
            case 6:
                model.setBriefingEndTime(pick(4000));
                model.setBriefingLength(pick(4000));
                break;
            case 7: model.setTeamSeesBriefing(pick(kTeamFlagCount), pick(2) != 0); break;
            case 8: model.setCount(kind, pick(model.list(kind).filled() + 1)); break;
            case 9:
                if (pick(8) == 0) model.resetBriefing1();
                break;
            default: {
                // A save between actions: its re-read is taken back by the
                // next undo or carried by the next change; or a failed one.
                journal.endAction();
                model.packForSave();
                if (pick(4) == 0)
                    model.saveFailed();
                else
                    model.reparseAfterSave();
                journal.beginAction("Edit");
                break;
            }
        }
    }
    {
        // A last change carries a save that may have come last.
        ActionScope a(journal, "Edit");
        model.setTeamSeesBriefing(0, !model.teamSeesBriefing(0));
    }
    const State edited = state();
    const auto editedPacked = packed();

    while (journal.undo()) {
    }
    EXPECT_EQ(state(), opened);
    EXPECT_EQ(packed(), openedPacked);
    while (journal.redo()) {
    }
    EXPECT_EQ(state(), edited);
    EXPECT_EQ(packed(), editedPacked);
}

}  // namespace
}  // namespace quendar::briefing
