#pragma once

#include <cstdint>

namespace quendar::app {

// The clock and the window's single-shot timer a settle timer runs on. The
// window implements it; tests turn the clock by hand.
class SettleClock {
  public:
    virtual ~SettleClock() = default;
    virtual int64_t nowMs() const = 0;
    // Calls the owner's tick() after this many milliseconds (a later call
    // replaces an earlier one).
    virtual void schedule(int64_t ms) = 0;
};

// Looks again a moment after the last change, so typing never waits for a
// slow look: each change makes the result stale and due `settleMs` later; a
// tick before then asks the timer again for the rest.
class SettleTimer {
  public:
    SettleTimer(SettleClock& clock, int settleMs) : m_clock(clock), m_settleMs(settleMs) {}

    void noteChange();
    bool stale() const { return m_stale; }
    // Milliseconds until due (0 when due now; -1 when fresh).
    int64_t msUntilDue() const;
    // The timer fired: true when the owner should look again now; else the
    // timer was asked again.
    bool due();
    // The owner looked.
    void looked() { m_stale = false; }

  private:
    SettleClock& m_clock;
    const int m_settleMs;
    bool m_stale = true;
    int64_t m_dueAt = 0;
};

}  // namespace quendar::app
