#include "ui/OrdersWizardWindow.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/FormBinder.h"
#include "ui/QPainterCanvas.h"

namespace quendar::ui {

OrdersWizardWindow::OrdersWizardWindow(shipgroup::OrdersWizard& wizard, FormDialog* host)
    : QWidget(host), m_wizard(wizard), m_host(host) {
    setFixedSize(shipgroup::OrdersWizard::kWidth, shipgroup::OrdersWizard::kHeight);
    setMouseTracking(true);
    m_repaint = m_wizard.repaintRequested.connect([this] { update(); });
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
    if (m_host) m_host->syncTimer();
}

void OrdersWizardWindow::mouseMoveEvent(QMouseEvent* event) {
    deliver(event, map::PointerAction::Move);
}
void OrdersWizardWindow::mousePressEvent(QMouseEvent* event) {
    deliver(event, map::PointerAction::Press);
}

}  // namespace quendar::ui
