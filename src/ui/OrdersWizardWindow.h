#pragma once

#include <QWidget>

#include "core/Notifier.h"
#include "shipgroup/OrdersWizard.h"

namespace quendar::ui {

class FormDialog;

// The wizard's drawing surface inside its form dialog: paints the wizard
// through the canvas and hands it the mouse. The dialog's one timer drives
// the wizard; after each input the dialog follows the interval it asks for.
class OrdersWizardWindow : public QWidget {
    Q_OBJECT
  public:
    OrdersWizardWindow(shipgroup::OrdersWizard& wizard, FormDialog* host);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void deliver(QMouseEvent* event, map::PointerAction action);

    shipgroup::OrdersWizard& m_wizard;
    FormDialog* m_host;
    core::Notifier<>::Connection m_repaint;
};

}  // namespace quendar::ui
