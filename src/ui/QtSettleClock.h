#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include "app/editor/SettleTimer.h"

namespace quendar::ui {

// A settle timer's clock and single-shot timer; the owner connects the
// timer's timeout to its tick.
class QtSettleClock final : public app::SettleClock {
  public:
    explicit QtSettleClock(QObject* parent) : m_timer(new QTimer(parent)) {
        m_timer->setSingleShot(true);
        m_elapsed.start();
    }
    QTimer* timer() const { return m_timer; }
    int64_t nowMs() const override { return m_elapsed.elapsed(); }
    void schedule(int64_t ms) override { m_timer->start(static_cast<int>(ms)); }

  private:
    QTimer* m_timer;
    QElapsedTimer m_elapsed;
};

}  // namespace quendar::ui
