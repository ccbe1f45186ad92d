#include <gtest/gtest.h>

#include <map>

#include "app/briefedit/BriefingBar.h"
#include "app/briefedit/BriefingTools.h"
#include "app/frame/FrameLogic.h"
#include "app/mapedit/MapViewPort.h"
#include "support/ScriptedUi.h"
#include "support/StubFrameServices.h"

using namespace quendar;
using namespace quendar::app;
using namespace quendar::briefing;

namespace {

struct StubView : FrameView {
    std::map<Pane, std::string> panes;
    std::map<int, bool> bars;
    int repaints = 0, slider = -1;
    void setTitle(const std::string&) override {}
    bool isToolbarVisible(int id) const override { return bars.count(id) && bars.at(id); }
    void setToolbarVisible(int id, bool v) override { bars[id] = v; }
    bool isStatusBarVisible() const override { return true; }
    void setStatusBarVisible(bool) override {}
    void setPaneText(Pane p, const std::string& t) override { panes[p] = t; }
    void fillSelector(const std::vector<std::string>&, int) override {}
    void selectInSelector(int) override {}
    void appendToSelector(const std::string&) override {}
    void replaceInSelector(int, const std::string&) override {}
    void repaintMap() override { ++repaints; }
    void mapSizeChanged() override {}
    bool runModal(core::FormModel&) override { return false; }
    void showModeless(FormKey, std::shared_ptr<core::FormModel>) override {}
    void closeModeless(FormKey) override {}
    core::FormModel* openForm(FormKey) override { return nullptr; }
    void showFirstRunPicture() override {}
    void closeWindow() override {}
    void showBriefingTime(int t, int) override { slider = t; }
};

struct FakeTimer : PlaybackTimer {
    int interval = 0;
    bool running = false;
    int starts = 0;
    void start(int ms) override {
        interval = ms;
        running = true;
        ++starts;
    }
    void stop() override { running = false; }
};

struct Frame {
    Editor editor;
    CommandTable commands;
    StubView view;
    MapViewPort port{editor.mapView, editor.viewSwitches, editor.settings,
                     editor.briefing.playback(), &editor.briefing};
    quendar::testing::ScriptedPrompter prompter;
    quendar::testing::StubFrameServices stubServices = services();
    FrameLogic logic{editor, commands, view, port, prompter, stubServices};
    FakeTimer timer;
    struct AskedLock : LockQuestion {
        std::function<bool()> ask;
        bool confirmLock() override { return !ask || ask(); }
    } lock;
    BriefingBar bar{editor, commands, view, port, logic, timer, lock};

    Frame() { editor.mapView.resize(800, 600); }
    // Save as the file commands do it, without a file: pack, then read back.
    quendar::testing::StubFrameServices services() {
        quendar::testing::StubFrameServices s;
        s.fn.saveMission = [this] {
            editor.briefing.serializeBriefing();
            editor.briefing.reparseAfterSave();
            return true;
        };
        return s;
    }
    const map::MapView& mv() const { return editor.mapView; }
};

TEST(BriefingBar, BriefingModeFollowsTheLockedView) {
    Frame f;
    f.editor.briefing.appendCommand(BRC_MOVEMAP, 5, {320, -160});
    f.editor.briefing.appendCommand(BRC_REGION, 5, {2});
    ASSERT_EQ(f.mv().zoom(), 100);

    // Entering: zoom 32 without a zoom command, origin in the middle, region 1.
    f.commands.execute(cmd::BriefingMode);
    EXPECT_EQ(f.mv().zoom(), 32);
    EXPECT_EQ(f.mv().scrollX(), -400);
    EXPECT_EQ(f.mv().scrollY(), -300);
    EXPECT_EQ(f.mv().currentRegion(), 0);

    // The lock refuses region and zoom changes with its messages.
    f.commands.execute(cmd::System4);
    EXPECT_EQ(f.view.panes[Pane::Message],
              "You can't change region because briefing lock-position engaged.");
    EXPECT_EQ(f.mv().currentRegion(), 0);
    EXPECT_FALSE(f.commands.find(cmd::ZoomIn)->isEnabled());

    // Next action jumps to time 5: the map moves to (320, −160) in region 3:
    // scrollX = 320 × 32 / 160 − 400, scrollY = −160 × 32 / 160 − 300.
    f.commands.execute(cmd::NextAction);
    EXPECT_EQ(f.editor.briefing.currentTime(), 5);
    EXPECT_EQ(f.mv().scrollX(), -336);
    EXPECT_EQ(f.mv().scrollY(), -332);
    EXPECT_EQ(f.mv().currentRegion(), 2);
    EXPECT_EQ(f.view.panes[Pane::CurrentCommand], "Multiple commands");
    EXPECT_EQ(f.view.slider, 5);

    // Lock off: the user moves the map; lock on again: it snaps back.
    f.commands.execute(cmd::LockBriefing);
    EXPECT_TRUE(f.commands.find(cmd::ZoomIn)->isEnabled());
    f.commands.execute(cmd::ZoomIn);
    EXPECT_EQ(f.mv().zoom(), 52);
    f.commands.execute(cmd::LockBriefing);
    EXPECT_EQ(f.mv().zoom(), 32);
    EXPECT_EQ(f.mv().scrollX(), -336);

    // Leaving gives the map its zoom back.
    f.commands.execute(cmd::MapMode);
    EXPECT_EQ(f.mv().zoom(), 100);
}

TEST(BriefingBar, TimerTicksAndPanes) {
    Frame f;
    f.commands.execute(cmd::BriefingMode);
    f.editor.briefing.appendCommand(BRC_ZOOM, 3, {64, 64});
    f.commands.execute(cmd::Play);
    EXPECT_TRUE(f.timer.running);
    EXPECT_EQ(f.timer.interval, 56);
    f.commands.execute(cmd::FastSpeed);
    EXPECT_EQ(f.timer.interval, 35);
    EXPECT_EQ(f.timer.starts, 2);  // restarted with the new period

    for (int k = 0; k < 3; ++k) f.bar.tick();
    EXPECT_EQ(f.view.panes[Pane::BrTime], "0:0:21");  // 3 × 7.1
    EXPECT_EQ(f.view.panes[Pane::CurrentCommand], "Zooming");
    EXPECT_EQ(f.mv().zoom(), 64);

    f.commands.execute(cmd::Stop);
    EXPECT_FALSE(f.timer.running);
    const int t = f.editor.briefing.currentTime();
    f.bar.tick();  // a late tick after Stop does nothing
    EXPECT_EQ(f.editor.briefing.currentTime(), t);

    // A save puts the time back to 0 and leaves a running timer alone; the
    // panes and the view follow.
    f.commands.execute(cmd::Play);
    f.bar.tick();
    ASSERT_EQ(f.mv().zoom(), 64);
    f.commands.execute(cmd::Save);
    EXPECT_EQ(f.editor.briefing.currentTime(), 0);
    EXPECT_EQ(f.view.panes[Pane::BrTime], "0:0:0");
    EXPECT_EQ(f.view.slider, 0);
    EXPECT_EQ(f.mv().zoom(), 32);
    EXPECT_TRUE(f.timer.running);
    EXPECT_EQ(f.editor.briefing.count(BRC_ZOOM), 1);  // read back from the block
}

TEST(BriefingBar, UndoAndRedoButtonsOnlyInBriefingMode) {
    Frame f;
    Command* undo = f.commands.find(cmd::BriefingUndo);
    Command* redo = f.commands.find(cmd::BriefingRedo);
    ASSERT_TRUE(undo && redo);
    f.editor.briefing.appendCommand(BRC_SHOW, 0, {1, 4, 0});
    f.editor.briefing.undoLog().record(undo::Show, 1);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(f.commands.execute(cmd::BriefingUndo));
    EXPECT_EQ(f.editor.briefing.count(BRC_SHOW), 1);

    f.commands.execute(cmd::BriefingMode);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    const int repaints = f.view.repaints;
    EXPECT_TRUE(f.commands.execute(cmd::BriefingUndo));
    EXPECT_EQ(f.editor.briefing.count(BRC_SHOW), 0);
    EXPECT_GT(f.view.repaints, repaints);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(f.commands.execute(cmd::BriefingRedo));
    EXPECT_EQ(f.editor.briefing.count(BRC_SHOW), 1);
}

}  // namespace

TEST(BriefingBar, LockAsksItsHintFirstInBriefingMode) {
    Frame f;
    BriefingTools tools{f.editor, f.prompter, f.view, f.logic, f.logic};
    f.lock.ask = [&] { return tools.confirmLock(); };
    const auto locked = [&] { return f.editor.briefing.playback().briefingLock; };
    f.commands.execute(cmd::BriefingMode);
    const bool before = locked();

    // No: the lock stays as it was.
    f.prompter.answers = {core::Answer::No};
    f.commands.execute(cmd::LockBriefing);
    EXPECT_EQ(locked(), before);
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_EQ(f.prompter.shown[0].caption, "Briefing hints");
    EXPECT_EQ(f.prompter.shown[0].text.substr(0, 22), "Lock/unlock briefing.\n");
    EXPECT_EQ(f.prompter.shown[0].buttons, core::Buttons::YesNo);

    // Yes: it toggles.
    f.prompter.answers = {core::Answer::Yes};
    f.commands.execute(cmd::LockBriefing);
    EXPECT_NE(locked(), before);

    // Hints off: it toggles without a question.
    f.editor.settings.briefingHints = 0;
    f.commands.execute(cmd::LockBriefing);
    EXPECT_EQ(locked(), before);
    EXPECT_EQ(f.prompter.shown.size(), 2u);
}
