// The briefing tools, the toolbar's Undo and Redo and the briefing dialogs
// as actions of the change journal, driven through the program's own
// commands and clicks.

#include <gtest/gtest.h>

#include <functional>

#include "app/briefedit/BriefingBar.h"
#include "app/briefedit/BriefingDialogs.h"
#include "app/briefedit/BriefingTools.h"
#include "app/files/FileCommands.h"
#include "app/frame/FrameLogic.h"
#include "app/mapedit/MapViewPort.h"
#include "mission/ShipgroupRecord.h"
#include "support/ScriptedUi.h"
#include "support/StubFrameServices.h"
#include "support/TempDir.h"

namespace quendar::app {
namespace {

using namespace briefing;

struct ScriptedView : FrameView {
    std::function<void(core::FormModel&)> user;  // what the user does in a modal form
    void setTitle(const std::string&) override {}
    bool isToolbarVisible(int) const override { return true; }
    void setToolbarVisible(int, bool) override {}
    bool isStatusBarVisible() const override { return true; }
    void setStatusBarVisible(bool) override {}
    void setPaneText(Pane, const std::string&) override {}
    void fillSelector(const std::vector<std::string>&, int) override {}
    void selectInSelector(int) override {}
    void appendToSelector(const std::string&) override {}
    void replaceInSelector(int, const std::string&) override {}
    void repaintMap() override {}
    void mapSizeChanged() override {}
    bool runModal(core::FormModel& f) override {
        if (user) user(f);
        f.closing();
        return f.accepted;
    }
    void showModeless(FormKey, std::shared_ptr<core::FormModel>) override {}
    void closeModeless(FormKey) override {}
    core::FormModel* openForm(FormKey) override { return nullptr; }
    void showFirstRunPicture() override {}
    void closeWindow() override {}
    void showBriefingTime(int, int) override {}
};

struct NoTimer : PlaybackTimer {
    void start(int) override {}
    void stop() override {}
};

class BriefingUndoTest : public ::testing::Test {
  protected:
    BriefingUndoTest() {
        editor.viewSwitches.briefingMode = true;
        editor.settings.briefingHints = 0;
        editor.mapView.resize(800, 600);
        editor.briefing.appendCommand(BRC_SHOW, 0, {4, 5, 0});  // ship 4 at 0,0
        editor.journal.clear();
    }
    struct Lists {
        std::vector<std::vector<Record>> records;
        int length, logLength, logPosition;
        bool operator==(const Lists&) const = default;
    };
    Lists lists() const {
        Lists l;
        for (int k = 0; k < kKindCount; ++k) {
            const CommandList& c = editor.briefing.list(Kind(k));
            l.records.emplace_back(c.records().begin(), c.records().end());
            l.records.back().insert(l.records.back().end(), c.takenBack().begin(),
                                    c.takenBack().end());
        }
        l.length = editor.briefing.briefingLength();
        l.logLength = editor.briefing.undoLog().length();
        l.logPosition = editor.briefing.undoLog().position();
        return l;
    }

    Editor editor;
    CommandTable commands;
    ScriptedView view;
    MapViewPort port{editor.mapView, editor.viewSwitches, editor.settings,
                     editor.briefing.playback(), &editor.briefing};
    testing::ScriptedPrompter prompter;
    quendar::testing::StubFrameServices services;
    FrameLogic logic{editor, commands, view, port, prompter, services};
    NoTimer timer;
    struct : LockQuestion {
        bool confirmLock() override { return true; }
    } lock;
    BriefingBar bar{editor, commands, view, port, logic, timer, lock};
    BriefingDialogs dialogs{editor, commands, view, port, logic, prompter};
    BriefingTools tools{editor, prompter, view, logic, logic};
};

TEST_F(BriefingUndoTest, ToolClicksAndToolbarButtonsAreActionsTheJournalTakesBack) {
    const Lists start = lists();
    // A simple move of ship 4 over ten units: one action however many
    // records it adds.
    editor.briefing.setCurrentTime(100);
    tools.run(cmd::MoveShip);
    tools.leftClickAt(0, 0);
    tools.setMotionStep(kSimpleMoving);
    editor.briefing.setCurrentTime(110);
    tools.leftClickAt(100, -30);
    ASSERT_EQ(editor.briefing.count(BRC_COORD), 10);
    EXPECT_EQ(editor.journal.undoName(), "Move ship");
    EXPECT_EQ(editor.journal.actionCount(), 1u);
    const Lists moved = lists();

    tools.run(cmd::AddSelection);
    tools.choosePoint(2);
    tools.leftClickAt(100, -30);  // where the move ended
    ASSERT_EQ(editor.briefing.count(BRC_SELECT3), 1);
    EXPECT_EQ(editor.journal.undoName(), "Add selection");
    const Lists selected = lists();

    // The toolbar's Undo takes the selection back; Edit → Undo takes the
    // toolbar's Undo back, and the toolbar can undo again.
    ASSERT_TRUE(commands.execute(cmd::BriefingUndo));
    EXPECT_EQ(editor.briefing.count(BRC_SELECT3), 0);
    EXPECT_EQ(editor.journal.undoName(), "Undo briefing tool");
    ASSERT_TRUE(editor.journal.undo());
    EXPECT_EQ(lists(), selected);
    ASSERT_TRUE(editor.journal.undo());
    EXPECT_EQ(lists(), moved);
    ASSERT_TRUE(commands.execute(cmd::BriefingUndo));  // the move, by the toolbar
    EXPECT_EQ(editor.briefing.count(BRC_COORD), 0);
    ASSERT_TRUE(editor.journal.undo());
    ASSERT_TRUE(editor.journal.undo());
    EXPECT_EQ(lists(), start);
    EXPECT_FALSE(commands.find(cmd::BriefingUndo)->isEnabled());
    while (editor.journal.redo()) {
    }
    EXPECT_EQ(editor.briefing.count(BRC_COORD), 0);  // after the toolbar's Undo again
    EXPECT_TRUE(commands.execute(cmd::BriefingRedo));
    EXPECT_EQ(lists(), moved);

    // The end mark and a run of the "Delete commands" form.
    editor.briefing.setCurrentTime(105);
    tools.run(cmd::EndMark);
    EXPECT_EQ(editor.journal.undoName(), "End mark");
    const Lists marked = lists();
    view.user = [](core::FormModel& f) {
        f.choose("commands", 0);
        f.click("delete");
        f.click("ok");
    };
    commands.execute(cmd::DeleteCommands);
    EXPECT_EQ(editor.briefing.count(BRC_COORD), 9);
    EXPECT_EQ(editor.journal.undoName(), "Delete commands");
    ASSERT_TRUE(editor.journal.undo());
    EXPECT_EQ(lists(), marked);
    ASSERT_TRUE(editor.journal.undo());
    EXPECT_EQ(editor.briefing.briefingLength(), start.length);
}

// Save writes the mission and re-reads briefing 1 in save order; neither
// Edit's history nor the toolbar's own log loses a step to it.
TEST_F(BriefingUndoTest, SaveKeepsEveryUndoAndRedo) {
    testing::TempDir dir("quendar-save-history");
    editor.store.missionPath = (dir.path() / "m.tie").string();
    editor.settings.runEccBeforeSave = 0;
    auto save = [&] { ASSERT_TRUE(saveMission(editor, prompter)); };
    auto rename = [&](const char* name) {
        core::ActionScope a(&editor.journal, "Edit Name");
        mission::ShipgroupRecord(editor.store, 0).setName(name);
    };
    auto name = [&] { return mission::ShipgroupRecord(editor.store, 0).name(); };
    auto modified = [&] { return windowTitle(editor).back() == '*'; };

    // Two selections of ship 4 by the tool, the later in time first, so that
    // the save's re-read turns them round; the toolbar takes the second back.
    auto select = [&](int32_t time) {
        core::ActionScope a(&editor.journal, "Add selection");
        editor.briefing.appendCommand(BRC_SELECT3, time, {4});
        editor.briefing.undoLog().record(undo::select(3), 1);
    };
    select(300);
    select(200);
    ASSERT_TRUE(commands.execute(cmd::BriefingUndo));
    ASSERT_EQ(editor.briefing.count(BRC_SELECT3), 1);
    rename("Osprey");
    ASSERT_TRUE(editor.journal.undo());  // the rename
    save();
    EXPECT_FALSE(modified());
    EXPECT_EQ(editor.journal.redoName(), "Edit Name");
    ASSERT_TRUE(editor.journal.redo());
    EXPECT_EQ(name(), "Osprey");
    EXPECT_TRUE(modified());
    ASSERT_TRUE(editor.journal.undo());
    EXPECT_FALSE(modified());

    // The toolbar's Redo after the save brings back the selection it took
    // back, and its next Undo takes that one again.
    ASSERT_TRUE(commands.execute(cmd::BriefingRedo));
    ASSERT_EQ(editor.briefing.count(BRC_SELECT3), 2);
    EXPECT_EQ(editor.briefing.record(BRC_SELECT3, 1).time, 200);
    ASSERT_TRUE(commands.execute(cmd::BriefingUndo));
    ASSERT_EQ(editor.briefing.count(BRC_SELECT3), 1);
    EXPECT_EQ(editor.briefing.record(BRC_SELECT3, 0).time, 300);

    // Back to the save point with Edit's Undo, across it and back.
    ASSERT_TRUE(editor.journal.undo());
    ASSERT_TRUE(editor.journal.undo());
    EXPECT_FALSE(modified());
    ASSERT_TRUE(editor.journal.undo());
    EXPECT_TRUE(modified());
    ASSERT_TRUE(editor.journal.redo());
    EXPECT_FALSE(modified());

    // Save, undo past the saved state, a new edit: the saved state cannot
    // come back, and the "*" shows at once.
    rename("Heron");
    save();
    ASSERT_TRUE(editor.journal.undo());
    rename("Plover");
    EXPECT_TRUE(modified());
    ASSERT_TRUE(editor.journal.undo());
    EXPECT_TRUE(modified());
}

}  // namespace
}  // namespace quendar::app
