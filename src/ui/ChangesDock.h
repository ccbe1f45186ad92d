#pragma once

#include <QDockWidget>

#include "app/changes/ChangesPanel.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace quendar::ui {

// View > Changes: the differences between the mission and its file (or the
// file chosen by File > Compare With), one line each in the diff's words. A
// double-click goes to the place; "Revert This Change" (button or the line's
// menu) puts the field back. All decisions are the panel model's.
class ChangesDock : public QDockWidget {
    Q_OBJECT
  public:
    ChangesDock(app::ChangesPanel& panel, QWidget* parent);

    QListWidget* list() const { return m_list; }
    QLabel* reference() const { return m_reference; }
    QPushButton* revertButton() const { return m_revert; }
    // Double-click of `row` and Revert This Change on it (tests call these as the mouse would).
    void activate(int row);
    bool revert(int row);

  private:
    void refill();
    void currentChanged();

    app::ChangesPanel& m_panel;
    QLabel* m_reference = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_revert = nullptr;
    QPushButton* m_saved = nullptr;
    core::Notifier<>::Connection m_changed;
};

}  // namespace quendar::ui
