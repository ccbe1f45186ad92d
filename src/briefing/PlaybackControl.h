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

// Ids of the briefing bar's playback commands.
namespace playcmd {
constexpr int Pause = 32799, Play = 32800, Stop = 32801, StepForward = 32802,
              StepBackward = 32803, Rewind = 32804, NextAction = 32854, LastAction = 32855;
constexpr int Slow = 32850, Normal = 32851, Fast = 32852;
constexpr int Step1 = 32856;  // 32856..32860: step sizes 1..5
constexpr int Lock = 32921;
}  // namespace playcmd

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

    // Runs the command `id` of the table in PlaybackControl.h; false for others.
    bool execute(int id, PlaybackEffect& effect);
    bool enabled(int id) const;
    bool checked(int id) const;

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
