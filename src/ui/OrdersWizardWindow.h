#pragma once

#include <QWidget>

#include "core/Notifier.h"
#include "shipgroup/OrdersWizard.h"

class QTimer;

namespace quendar::ui {

// The wizard's drawing surface: paints the wizard through the canvas, hands
// it the mouse and runs its timer at the interval it asks for.
class OrdersWizardWindow : public QWidget {
    Q_OBJECT
  public:
    OrdersWizardWindow(shipgroup::OrdersWizard& wizard, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void deliver(QMouseEvent* event, map::PointerAction action);
    void syncTimer();

    shipgroup::OrdersWizard& m_wizard;
    QTimer* m_timer = nullptr;
    core::Notifier<>::Connection m_repaint;
};

}  // namespace quendar::ui
