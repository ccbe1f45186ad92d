#include "ui/OrdersWizardWindow.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "ui/QPainterCanvas.h"

namespace quendar::ui {

OrdersWizardWindow::OrdersWizardWindow(shipgroup::OrdersWizard& wizard, QWidget* parent)
    : QWidget(parent), m_wizard(wizard) {
    setFixedSize(shipgroup::OrdersWizard::kWidth, shipgroup::OrdersWizard::kHeight);
    setMouseTracking(true);
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_wizard.tick();
        syncTimer();
    });
    m_repaint = m_wizard.repaintRequested.connect([this] { update(); });
    syncTimer();
}

void OrdersWizardWindow::syncTimer() {
    const int ms = m_wizard.timerInterval();
    if (ms <= 0) {
        m_timer->stop();
    } else if (!m_timer->isActive() || m_timer->interval() != ms) {
        m_timer->start(ms);
    }
}

void OrdersWizardWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QPainterCanvas canvas(p, width(), height());
    m_wizard.paint(canvas);
}

void OrdersWizardWindow::deliver(QMouseEvent* event, map::PointerAction action) {
    map::PointerEvent e;
    e.action = action;
    e.button = event->button() == Qt::LeftButton    ? map::PointerButton::Left
               : event->button() == Qt::RightButton ? map::PointerButton::Right
                                                    : map::PointerButton::None;
    const QPoint pos = event->position().toPoint();
    e.x = pos.x();
    e.y = pos.y();
    m_wizard.pointer(e);
    syncTimer();
}

void OrdersWizardWindow::mouseMoveEvent(QMouseEvent* event) {
    deliver(event, map::PointerAction::Move);
}
void OrdersWizardWindow::mousePressEvent(QMouseEvent* event) {
    deliver(event, map::PointerAction::Press);
}

}  // namespace quendar::ui
