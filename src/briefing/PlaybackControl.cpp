#include "briefing/PlaybackControl.h"

#include <limits>

namespace quendar::briefing {

using Timer = PlaybackEffect::Timer;

namespace {

bool hasTime(const BriefingModel& m, Kind kind, int32_t time) {
    for (const Record& r : m.records(kind))
        if (r.time == time) return true;
    return false;
}

}  // namespace

bool PlaybackControl::viewCommandAt(int32_t time) const {
    return hasTime(m_model, BRC_MOVEMAP, time) || hasTime(m_model, BRC_ZOOM, time) ||
           hasTime(m_model, BRC_REGION, time);
}

bool PlaybackControl::anyCommandAt(int32_t time) const {
    for (int k = 0; k < kKindCount; ++k)
        if (hasTime(m_model, Kind(k), time)) return true;
    return false;
}

PlaybackEffect PlaybackControl::play() {
    state().playState = kPlaying;
    state().timerRunning = true;
    return {Timer::Start};
}

PlaybackEffect PlaybackControl::stop() {
    state().playState = kStopped;
    state().timerRunning = false;
    return {Timer::Stop};
}

// A single step leaves a running timer running: stepping while playing moves
// the time and playback goes on from there.
PlaybackEffect PlaybackControl::stepForward() {
    state().playState = kStepped;
    const int32_t t = m_model.currentTime();
    if (t >= m_model.briefingEndTime()) return {};
    m_model.setCurrentTime(t + state().stepSize);
    return {Timer::Keep, true, true, true};
}

PlaybackEffect PlaybackControl::stepBackward() {
    state().playState = kStepped;
    const int32_t t = m_model.currentTime();
    if (t <= 0) return {};
    m_model.setCurrentTime(t - state().stepSize);  // may go below 0
    return {Timer::Keep, true, true, true};
}

PlaybackEffect PlaybackControl::jumpTo(int32_t time) {
    m_model.setCurrentTime(time);
    state().playState = kStopped;
    state().timerRunning = false;
    return {Timer::Stop, true, true, true};
}

PlaybackEffect PlaybackControl::rewind() { return jumpTo(0); }

PlaybackEffect PlaybackControl::nextAction() {
    const int32_t t = m_model.currentTime();
    int64_t best = std::numeric_limits<int64_t>::max();
    auto consider = [&](int64_t time) {
        if (time > t && time < best) best = time;
    };
    for (int k = 0; k < kKindCount; ++k)
        for (const Record& r : m_model.records(Kind(k))) consider(r.time);
    consider(m_model.briefingLength());
    if (best == std::numeric_limits<int64_t>::max()) return {};
    return jumpTo(static_cast<int32_t>(best));
}

PlaybackEffect PlaybackControl::lastAction() {
    const int32_t t = m_model.currentTime();
    int64_t best = std::numeric_limits<int64_t>::min();
    auto consider = [&](int64_t time) {
        if (time < t && time > best) best = time;
    };
    for (int k = 0; k < kKindCount; ++k)
        for (const Record& r : m_model.records(Kind(k))) consider(r.time);
    consider(m_model.briefingLength());
    return jumpTo(best == std::numeric_limits<int64_t>::min() ? 0 : static_cast<int32_t>(best));
}

// A running timer takes the new period at once, also after a single step or
// a reset left the play state at "stepped" or "stopped" while it runs on:
// the checked speed is always the speed that plays.
PlaybackEffect PlaybackControl::setSpeed(int tickInterval) {
    state().tickInterval = tickInterval;
    if (state().timerRunning) return {Timer::Restart};
    return {};
}

PlaybackEffect PlaybackControl::setStepSize(int size) {
    if (size >= 1 && size <= 5) state().stepSize = size;
    return {};
}

// Switching the lock on puts the map where the briefing says at once;
// switching it off leaves the map where it is.
PlaybackEffect PlaybackControl::toggleLock() {
    state().briefingLock = !state().briefingLock;
    PlaybackEffect e;
    e.recomputeView = state().briefingLock;
    return e;
}

PlaybackEffect PlaybackControl::tick() {
    const int32_t t = m_model.currentTime();
    if (t >= m_model.briefingEndTime() || t == m_model.briefingLength()) return stop();
    m_model.setCurrentTime(t + 1);
    PlaybackEffect e{Timer::Keep, true};
    const int32_t now = t + 1;
    if (hasTime(m_model, BRC_MOVEMAP, now) || hasTime(m_model, BRC_ZOOM, now) ||
        hasTime(m_model, BRC_REGION, now) || hasTime(m_model, BRC_REGION, now - 1)) {
        e.recomputeView = true;
        e.repaint = true;
    } else if (anyCommandAt(now)) {
        e.repaint = true;
    }
    return e;
}

namespace {
// Step sizes 1..5 of the five step buttons; 0 for every other command.
int stepSizeOf(PlayCommand c) {
    switch (c) {
        case PlayCommand::Step1: return 1;
        case PlayCommand::Step2: return 2;
        case PlayCommand::Step3: return 3;
        case PlayCommand::Step4: return 4;
        case PlayCommand::Step5: return 5;
        default: return 0;
    }
}
}  // namespace

bool PlaybackControl::execute(PlayCommand c, PlaybackEffect& e) {
    switch (c) {
        case PlayCommand::Play: e = play(); return true;
        case PlayCommand::Stop: e = stop(); return true;
        case PlayCommand::StepForward: e = stepForward(); return true;
        case PlayCommand::StepBackward: e = stepBackward(); return true;
        case PlayCommand::Rewind: e = rewind(); return true;
        case PlayCommand::NextAction: e = nextAction(); return true;
        case PlayCommand::LastAction: e = lastAction(); return true;
        case PlayCommand::Slow: e = setSpeed(kTickSlow); return true;
        case PlayCommand::Normal: e = setSpeed(kTickNormal); return true;
        case PlayCommand::Fast: e = setSpeed(kTickFast); return true;
        case PlayCommand::Lock: e = toggleLock(); return true;
        default: break;
    }
    if (const int size = stepSizeOf(c)) {
        e = setStepSize(size);
        return true;
    }
    return false;
}

bool PlaybackControl::enabled(PlayCommand c) const {
    if (c == PlayCommand::Pause) return false;
    if (c == PlayCommand::Lock || stepSizeOf(c)) return state().briefingMode;
    return true;
}

bool PlaybackControl::checked(PlayCommand c) const {
    const Playback& p = state();
    switch (c) {
        case PlayCommand::Play: return p.playState <= kPlaying;
        case PlayCommand::Stop: return p.playState >= kStopped;
        case PlayCommand::Slow: return p.tickInterval == kTickSlow;
        case PlayCommand::Normal: return p.tickInterval == kTickNormal;
        case PlayCommand::Fast: return p.tickInterval == kTickFast;
        case PlayCommand::Lock: return p.briefingLock;
        default: break;
    }
    if (const int size = stepSizeOf(c)) return p.stepSize == size;
    return false;
}

}  // namespace quendar::briefing
