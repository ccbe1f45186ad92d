#pragma once

#include <QDockWidget>

#include "app/problems/ProblemsPanel.h"

class QPushButton;
class QTreeWidget;

namespace quendar::ui {

// View > Problems: the problems of the open mission in four columns, a
// double-click goes to the place, the button below applies a row's fix. All
// decisions are the panel model's; this only shows them.
class ProblemsDock : public QDockWidget {
    Q_OBJECT
  public:
    ProblemsDock(app::ProblemsPanel& panel, QWidget* parent);

    QTreeWidget* list() const { return m_list; }
    QPushButton* fixButton() const { return m_fix; }
    // Double-click of row `row`, and the fix button on it (tests call these as the mouse would).
    void activate(int row);
    bool fix(int row);

  private:
    void refill();
    void currentChanged();

    app::ProblemsPanel& m_panel;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_fix = nullptr;
    core::Notifier<>::Connection m_changed;
};

}  // namespace quendar::ui
