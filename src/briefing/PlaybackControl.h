#pragma once

#include <cstdint>

#include "briefing/BriefingModel.h"

namespace quendar::briefing {

// What the window has to do after a playback command or a tick. The logic
// never touches the timer or the screen itself.
struct PlaybackEffect {
    enum class Timer { Keep, Start, Stop, Restart };
    Timer timer = Timer::Keep;   // Start and Restart use Playback::tickInterval
    bool timeChanged = false;    // refresh "Br Time", "Current Briefing Command" and the slider
    bool recomputeView = false;  // apply the locked view (which repaints)
    bool repaint = false;
};

// The briefing bar's playback commands (the editor binds its toolbar
// buttons to them).
enum class PlayCommand {
    Pause,
    Play,
    Stop,
    StepForward,
    StepBackward,
    Rewind,
    NextAction,
    LastAction,
    Slow,
    Normal,
    Fast,
    Step1,
    Step2,
    Step3,
    Step4,
    Step5,
    Lock
};

// The briefing playback as a state machine over the briefing model: the
// current time, play state, speed, step size and lock live in the model; the
// window runs a timer while `timerRunning` and calls tick() on each period.
class PlaybackControl {
  public:
    explicit PlaybackControl(BriefingModel& model) : m_model(model) {}

    PlaybackEffect play();
    PlaybackEffect stop();
    PlaybackEffect stepForward();
    PlaybackEffect stepBackward();
    // "Go to end" takes the time back to 0.
    PlaybackEffect rewind();
    PlaybackEffect nextAction();
    PlaybackEffect lastAction();
    PlaybackEffect setSpeed(int tickInterval);  // 150, 56 or 35
    PlaybackEffect setStepSize(int size);       // 1..5
    PlaybackEffect toggleLock();
    // One period of the timer.
    PlaybackEffect tick();

    // Runs a playback command; false for one it does not run (Pause).
    bool execute(PlayCommand command, PlaybackEffect& effect);
    bool enabled(PlayCommand command) const;
    bool checked(PlayCommand command) const;

    // Whether a command at time T moves the locked view (a move, a zoom or
    // a region change).
    bool viewCommandAt(int32_t time) const;
    bool anyCommandAt(int32_t time) const;

  private:
    PlaybackEffect jumpTo(int32_t time);
    Playback& state() { return m_model.playback(); }
    const Playback& state() const { return m_model.playback(); }

    BriefingModel& m_model;
};

}  // namespace quendar::briefing
