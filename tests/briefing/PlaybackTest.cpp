#include <gtest/gtest.h>

#include "briefing/BriefingModel.h"
#include "briefing/BriefingView.h"
#include "briefing/PlaybackControl.h"
#include "mission/MissionStore.h"

namespace quendar::briefing {
namespace {

using Timer = PlaybackEffect::Timer;

class PlaybackTest : public ::testing::Test {
  protected:
    mission::MissionStore store;
    BriefingModel model{store};
    PlaybackControl control{model};

    void endsAt(int endTime, int length) {
        model.setBriefingEndTime(endTime);
        model.setBriefingLength(length);
    }
    // Ticks while the timer runs; returns how many ticks advanced the time.
    int playOut(int limit = 100000) {
        int advanced = 0;
        while (model.playback().timerRunning && limit-- > 0) {
            const int before = model.currentTime();
            control.tick();
            if (model.currentTime() != before) ++advanced;
        }
        return advanced;
    }
};

TEST_F(PlaybackTest, SpeedsStepSizesAndTheirMarks) {
    // Normal speed by default: 56 ms a unit, against 1000 / 14 ≈ 71.4 ms of
    // the game's unit, about 1.27 times as fast.
    EXPECT_EQ(model.playback().tickInterval, 56);
    EXPECT_NEAR((1000.0 / 14) / model.playback().tickInterval, 1.27, 0.01);
    EXPECT_TRUE(control.checked(PlayCommand::Normal));
    EXPECT_FALSE(control.checked(PlayCommand::Slow));

    PlaybackEffect e;
    ASSERT_TRUE(control.execute(PlayCommand::Slow, e));
    EXPECT_EQ(model.playback().tickInterval, 150);
    EXPECT_EQ(e.timer, Timer::Keep);        // not playing: no timer to restart
    control.execute(PlayCommand::Play, e);  // Play
    EXPECT_EQ(e.timer, Timer::Start);
    control.execute(PlayCommand::Fast, e);
    EXPECT_EQ(model.playback().tickInterval, 35);
    EXPECT_EQ(e.timer, Timer::Restart);
    EXPECT_TRUE(control.checked(PlayCommand::Fast));
    EXPECT_TRUE(control.checked(PlayCommand::Play));
    EXPECT_FALSE(control.checked(PlayCommand::Stop));

    // A tick moves one unit whatever the step size.
    control.execute(PlayCommand::Step5, e);
    EXPECT_EQ(model.playback().stepSize, 5);
    EXPECT_TRUE(control.checked(PlayCommand::Step5));
    EXPECT_FALSE(control.checked(PlayCommand::Step1));
    control.tick();
    EXPECT_EQ(model.currentTime(), 1);
    // A step while playing leaves the timer running; a speed change still
    // reaches it.
    control.stepForward();
    EXPECT_EQ(control.setSpeed(150).timer, Timer::Restart);

    // Step sizes and the lock only in briefing mode; Pause never; the play
    // and step commands always.
    EXPECT_FALSE(control.enabled(PlayCommand::Step1));
    EXPECT_FALSE(control.enabled(PlayCommand::Lock));
    EXPECT_TRUE(control.enabled(PlayCommand::Play));
    EXPECT_TRUE(control.enabled(PlayCommand::StepForward));
    model.playback().briefingMode = true;
    EXPECT_TRUE(control.enabled(PlayCommand::Step3));
    EXPECT_TRUE(control.enabled(PlayCommand::Lock));
    EXPECT_FALSE(control.enabled(PlayCommand::Pause));
}

TEST_F(PlaybackTest, SingleStepsAtTheEdges) {
    endsAt(100, 100);
    model.playback().stepSize = 5;
    model.setCurrentTime(3);
    control.stepBackward();
    EXPECT_EQ(model.currentTime(), -2);  // below 0 is allowed
    EXPECT_EQ(model.playback().playState, kStepped);
    control.stepBackward();
    EXPECT_EQ(model.currentTime(), -2);  // at or below 0 nothing more

    model.setCurrentTime(99);
    control.stepForward();
    EXPECT_EQ(model.currentTime(), 104);  // past the end time
    const PlaybackEffect e = control.stepForward();
    EXPECT_EQ(model.currentTime(), 104);
    EXPECT_FALSE(e.timeChanged);

    // Stepping while playing leaves the timer running.
    control.play();
    model.setCurrentTime(10);
    EXPECT_EQ(control.stepForward().timer, Timer::Keep);
    EXPECT_TRUE(model.playback().timerRunning);
    EXPECT_EQ(model.playback().playState, kStepped);
    EXPECT_FALSE(control.checked(PlayCommand::Play));
    EXPECT_TRUE(control.checked(PlayCommand::Stop));
}

TEST_F(PlaybackTest, TickStopsAtTheLengthOrTheEndTime) {
    endsAt(120, 100);
    control.play();
    EXPECT_EQ(playOut(), 100);
    EXPECT_EQ(model.currentTime(), 100);
    EXPECT_EQ(model.playback().playState, kStopped);

    // Started beyond the length, it runs on to the end time.
    model.setCurrentTime(105);
    control.play();
    EXPECT_EQ(playOut(), 15);
    EXPECT_EQ(model.currentTime(), 120);

    // What a tick asks of the window: a repaint only where a command is, the
    // locked view at a move, a zoom, a region change and one unit after it.
    endsAt(3000, 3000);
    model.appendCommand(BRC_SHOW, 11, {0, 4, 0});
    model.appendCommand(BRC_REGION, 20, {1});
    model.appendCommand(BRC_ZOOM, 30, {64, 64});
    model.setCurrentTime(9);
    control.play();
    PlaybackEffect e = control.tick();  // 10
    EXPECT_TRUE(e.timeChanged);
    EXPECT_FALSE(e.repaint || e.recomputeView);
    e = control.tick();  // 11
    EXPECT_TRUE(e.repaint);
    EXPECT_FALSE(e.recomputeView);
    for (int t = 12; t <= 19; ++t) control.tick();
    EXPECT_TRUE(control.tick().recomputeView);   // 20
    EXPECT_TRUE(control.tick().recomputeView);   // 21: the region screen goes
    EXPECT_FALSE(control.tick().recomputeView);  // 22
    for (int t = 23; t <= 29; ++t) control.tick();
    EXPECT_TRUE(control.tick().recomputeView);  // 30
}

TEST_F(PlaybackTest, NextAndLastActionAtTheEnds) {
    endsAt(500, 300);
    model.appendCommand(BRC_SKIP, 40);
    model.appendCommand(BRC_SHOW, 120, {0, 1, 0});
    model.appendCommand(BRC_COORD, 80, {0, 10, 10});

    model.setCurrentTime(0);
    control.nextAction();
    EXPECT_EQ(model.currentTime(), 40);
    control.nextAction();
    EXPECT_EQ(model.currentTime(), 80);
    control.nextAction();
    control.nextAction();
    EXPECT_EQ(model.currentTime(), 300);  // the length mark counts as an action
    const PlaybackEffect none = control.nextAction();
    EXPECT_EQ(model.currentTime(), 300);
    EXPECT_FALSE(none.timeChanged);
    model.setCurrentTime(400);  // beyond the length
    control.nextAction();
    EXPECT_EQ(model.currentTime(), 400);

    control.lastAction();
    EXPECT_EQ(model.currentTime(), 300);
    model.setCurrentTime(40);
    control.play();
    const PlaybackEffect e = control.lastAction();
    EXPECT_EQ(model.currentTime(), 0);  // nothing before the first: back to 0
    EXPECT_EQ(e.timer, Timer::Stop);
    EXPECT_EQ(model.playback().playState, kStopped);
    EXPECT_FALSE(model.playback().timerRunning);
}

class ViewStateTest : public PlaybackTest {};

TEST_F(ViewStateTest, LockedViewDefaultsAndLatestCommands) {
    EXPECT_EQ(briefingViewAt(model, 0).lockedView, (LockedView{32, 0, 0, 0}));
    model.appendCommand(BRC_ZOOM, 10, {300, 300});  // the view uses the low byte
    model.appendCommand(BRC_MOVEMAP, 10, {-400, 250});
    model.appendCommand(BRC_MOVEMAP, 10, {-1, 2});  // same time: stored later wins
    model.appendCommand(BRC_REGION, 50, {2});
    model.appendCommand(BRC_MOVEMAP, 5, {7, 7});  // earlier time, stored later
    EXPECT_EQ(briefingViewAt(model, 9).lockedView, (LockedView{32, 7, 7, 0}));
    EXPECT_EQ(briefingViewAt(model, 10).lockedView, (LockedView{44, -1, 2, 0}));
    EXPECT_EQ(briefingViewAt(model, 60).lockedView, (LockedView{44, -1, 2, 2}));
    EXPECT_EQ(briefingViewAt(model, 60).regionTime, 50);
    // Before 0 nothing counts.
    EXPECT_EQ(briefingViewAt(model, -2).lockedView, (LockedView{32, 0, 0, 0}));
}

TEST_F(ViewStateTest, TagClearedAtItsOwnTime) {
    model.appendCommand(BRC_TAG3, 100, {5, 160, -160, 3});
    EXPECT_EQ(briefingViewAt(model, 100).tags, (std::vector<TagState>{{3, 5, 160, -160, 3}}));
    model.appendCommand(BRC_CLEARTAGS, 100);
    EXPECT_TRUE(briefingViewAt(model, 100).tags.empty());
    model.appendCommand(BRC_TAG3, 101, {6, 0, 0, 1});  // a newer tag shows again
    EXPECT_EQ(briefingViewAt(model, 101).tags.at(0).tag, 6);

    // Selections follow the same rule with their own clear command.
    model.appendCommand(BRC_SHOW, 10, {4, 9, 1});
    model.appendCommand(BRC_SELECT2, 100, {4});
    ASSERT_EQ(briefingViewAt(model, 100).selections.size(), 1u);
    EXPECT_EQ(briefingViewAt(model, 100).selections[0].slot, 2);
    EXPECT_EQ(briefingViewAt(model, 100).selections[0].ship.craftType, 9);
    model.appendCommand(BRC_CLEARSEL, 100);
    EXPECT_TRUE(briefingViewAt(model, 100).selections.empty());
}

TEST_F(ViewStateTest, RegionChangeHidesShipsAndResetsTheirDirection) {
    model.appendCommand(BRC_COORD, 30, {7, -320, 480});
    model.appendCommand(BRC_ORIENT, 40, {7, 3});
    model.appendCommand(BRC_SHOW, 50, {7, 12, 2});
    model.appendCommand(BRC_SHOW, 50, {8, 13, 1});
    model.appendCommand(BRC_REGION, 80, {1});

    const BriefingView before = briefingViewAt(model, 79);
    ASSERT_EQ(before.ships.size(), 2u);
    EXPECT_EQ(before.ships[0], (ShipState{7, 12, 2, -320, 480, 3}));
    EXPECT_EQ(before.ships[1], (ShipState{8, 13, 1, 0, 0, 0}));  // no move yet: (0, 0)
    EXPECT_FALSE(before.regionScreen);

    const BriefingView at = briefingViewAt(model, 80);
    EXPECT_TRUE(at.ships.empty());
    EXPECT_TRUE(at.regionScreen);
    EXPECT_FALSE(briefingViewAt(model, 81).regionScreen);  // only at its exact time

    // Shown again at the region change's time: the position from time 30
    // holds, the turn from time 40 does not.
    model.appendCommand(BRC_SHOW, 80, {7, 12, 2});
    const BriefingView again = briefingViewAt(model, 80);
    ASSERT_EQ(again.ships.size(), 1u);
    EXPECT_EQ(again.ships[0], (ShipState{7, 12, 2, -320, 480, 0}));

    // Bottom text and technical data: the latest command decides.
    model.appendCommand(BRC_LOWER, 5, {3});
    model.appendCommand(BRC_TECH, 5, {1, 7});
    model.appendCommand(BRC_TECH, 90, {0, 7});
    EXPECT_EQ(briefingViewAt(model, 4).bottomText, std::nullopt);
    EXPECT_EQ(briefingViewAt(model, 89).bottomText, 3);
    EXPECT_TRUE(briefingViewAt(model, 89).techData);
    EXPECT_FALSE(briefingViewAt(model, 90).techData);
}

TEST(UndoLog, TwelveStepMoveUndoneAndRedone) {
    mission::MissionStore store;
    BriefingModel model(store);
    UndoLog& log = model.undoLog();
    model.appendCommand(BRC_SHOW, 10, {0, 5, 0});
    log.record(undo::Show, 1);
    for (int k = 1; k <= 12; ++k) model.appendCommand(BRC_COORD, 10 + k, {0, 16 * k, 0});
    log.record(undo::Move, 12);

    EXPECT_FALSE(log.undo(model, false));  // not in briefing mode: nothing
    EXPECT_EQ(model.count(BRC_COORD), 12);
    ASSERT_TRUE(log.undo(model, true));
    EXPECT_EQ(model.count(BRC_COORD), 0);
    EXPECT_EQ(model.count(BRC_SHOW), 1);  // the ship stays
    ASSERT_TRUE(log.redo(model, true));
    EXPECT_EQ(model.count(BRC_COORD), 12);
    EXPECT_EQ(model.record(BRC_COORD, 11).param(1), 192);
    EXPECT_FALSE(log.canRedo(true));

    // Undo twice, then a new entry: redo is gone, and undo takes back the new
    // entry first.
    log.undo(model, true);
    log.undo(model, true);
    EXPECT_EQ(model.count(BRC_SHOW), 0);
    model.appendCommand(BRC_TAG2, 20, {1, 0, 0, 0});
    log.record(undo::tag(2), 1);
    EXPECT_EQ(log.length(), 1);
    EXPECT_FALSE(log.canRedo(true));
    EXPECT_TRUE(log.undo(model, true));
    EXPECT_EQ(model.count(BRC_TAG2), 0);
    EXPECT_FALSE(log.canUndo(true));
    EXPECT_FALSE(log.undo(model, true));  // empty: nothing happens
}

TEST(UndoLog, CountsNeverGoBelowZeroAndNewClears) {
    mission::MissionStore store;
    BriefingModel model(store);
    UndoLog& log = model.undoLog();
    model.appendCommand(BRC_ORIENT, 1, {0, 1});
    log.record(undo::Orient, 5);  // more than the list holds
    log.record(99, 1);            // an unknown kind only moves the position
    EXPECT_TRUE(log.undo(model, true));
    EXPECT_EQ(log.position(), 1);
    EXPECT_TRUE(log.undo(model, true));
    EXPECT_EQ(model.count(BRC_ORIENT), 0);
    EXPECT_TRUE(log.redo(model, true));
    EXPECT_EQ(model.count(BRC_ORIENT), 1);  // back to what the list holds

    // A full log records nothing more; the briefing keeps its commands.
    while (log.length() < UndoLog::kCapacity) log.record(undo::Show, 1);
    EXPECT_EQ(log.length(), 4999);
    log.record(undo::Tech, 1);
    EXPECT_EQ(log.length(), 4999);
    EXPECT_EQ(log.entry(4998).kind, undo::Show);

    model.resetForNewMission();  // New and Open
    EXPECT_EQ(log.length(), 0);
    EXPECT_EQ(log.position(), 0);
}

}  // namespace
}  // namespace quendar::briefing
