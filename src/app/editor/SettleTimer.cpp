#include "app/editor/SettleTimer.h"

namespace quendar::app {

void SettleTimer::noteChange() {
    m_stale = true;
    m_dueAt = m_clock.nowMs() + m_settleMs;
    m_clock.schedule(m_settleMs);
}

int64_t SettleTimer::msUntilDue() const {
    if (!m_stale) return -1;
    const int64_t left = m_dueAt - m_clock.nowMs();
    return left > 0 ? left : 0;
}

bool SettleTimer::due() {
    if (!m_stale) return false;
    if (const int64_t left = msUntilDue(); left > 0) {
        m_clock.schedule(left);
        return false;
    }
    return true;
}

}  // namespace quendar::app
