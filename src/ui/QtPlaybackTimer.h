#pragma once

#include <QTimer>
#include <functional>

#include "app/briefedit/BriefingBar.h"

namespace quendar::ui {

// The frame's playback timer: a QTimer whose period the briefing playback
// sets; every timeout calls `onTick`.
class QtPlaybackTimer : public app::PlaybackTimer {
  public:
    explicit QtPlaybackTimer(QObject* parent) : m_timer(parent) {
        // The periods are short (35 ms); a coarse timer would stretch them.
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (onTick) onTick();
        });
    }
    void start(int intervalMs) override { m_timer.start(intervalMs); }
    void stop() override { m_timer.stop(); }
    bool running() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }

    std::function<void()> onTick;

  private:
    QTimer m_timer;
};

}  // namespace quendar::ui
