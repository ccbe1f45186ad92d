#pragma once

#include <QDockWidget>
#include <QWidget>

#include "app/flowview/FlowView.h"

class QLabel;
class QLineEdit;
class QScrollArea;
class QTreeWidget;

namespace quendar::ui {

// The laid-out graph, drawn through the canvas by the view model.
class FlowPicture : public QWidget {
    Q_OBJECT
  public:
    FlowPicture(app::FlowView& view, QWidget* parent);
    QSize sizeHint() const override;
    // Asked for a shipgroup node's menu (Find References, its forms).
    std::function<void(int node, const QPoint& global)> nodeMenu;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    app::FlowView& m_view;
};

// View > Mission Flow: a filter box, the note that the verdicts are the
// editor's reading, and the picture. All decisions are the view model's.
class FlowDock : public QDockWidget {
    Q_OBJECT
  public:
    FlowDock(app::FlowView& view, QWidget* parent);
    QLineEdit* filterBox() const { return m_filter; }
    FlowPicture* picture() const { return m_picture; }
    // Scrolls the node into sight.
    void reveal(int node);

  private:
    void relaid();

    app::FlowView& m_view;
    QLineEdit* m_filter = nullptr;
    QLabel* m_status = nullptr;
    QScrollArea* m_scroll = nullptr;
    FlowPicture* m_picture = nullptr;
    core::Notifier<>::Connection m_changed;
};

// Edit > Find References: the places that name a shipgroup, in the Problems
// panel's style; a double-click opens the form that edits the field.
class ReferencesDock : public QDockWidget {
    Q_OBJECT
  public:
    ReferencesDock(app::ReferenceList& list, QWidget* parent);
    QTreeWidget* list() const { return m_list; }
    QLabel* title() const { return m_title; }

  private:
    void refill();

    app::ReferenceList& m_refs;
    QLabel* m_title = nullptr;
    QTreeWidget* m_list = nullptr;
    core::Notifier<>::Connection m_changed;
};

}  // namespace quendar::ui
