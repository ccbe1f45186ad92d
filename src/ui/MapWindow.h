#pragma once

#include <QAbstractScrollArea>
#include <functional>

#include "map/MapView.h"

namespace quendar::ui {

// The map pane: turns the window's events into calls on the map's view state
// and paints through the hook the frame gives it. Scroll bars always show;
// their range and position are the view's.
class MapWindow : public QAbstractScrollArea {
    Q_OBJECT
  public:
    MapWindow(map::MapView& view, QWidget* parent);

    // Whether the briefing lock holds the view (briefing mode with the lock on).
    std::function<bool()> lockEngaged;
    std::function<void(QPainter&, const QSize&)> paintMap;
    std::function<void()> mouseMoved;  // after the view took the position
    std::function<void()> rightClick;  // right button released without a drag
    std::function<void(int x, int y)> leftClick;

    // Re-reads the scroll ranges and positions from the view.
    void syncScrollBars();
    // Applies a size notification without a real resize (after zoom steps).
    void sizeNotification();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int, int) override {}

  private:
    void onScrollAction(map::ScrollAxis axis, int action);
    bool locked() const { return lockEngaged && lockEngaged(); }

    map::MapView& m_view;
    bool m_rightDown = false;
    bool m_rightMoved = false;
    bool m_syncing = false;
};

}  // namespace quendar::ui
