#pragma once

#include <QAbstractScrollArea>
#include <functional>
#include <string>

#include "app/mapedit/MapSelection.h"
#include "map/MapView.h"
#include "map/PointerEvent.h"
#include "ui/MapFrame.h"

class QTimer;

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
    // Every mouse event on the map, in client pixels; the logic decides.
    std::function<void(const map::PointerEvent&)> pointer;
    // The drag timer: runs every 10 ms while `dragging` holds.
    std::function<bool()> dragging;
    std::function<void()> dragTick;
    std::function<map::CursorShape()> cursorShape;
    // A key on the map: true when the logic took it. Released keys end a
    // run of arrow moves. Both carry the event's time stamp.
    std::function<bool(app::MapKey, bool shift, uint64_t time)> key;
    std::function<void(uint64_t time)> keyReleased;
    // Ctrl+V with the mouse over the map: paste at window pixel (x, y).
    std::function<void(int x, int y)> pasteAt;
    // The hover text for window pixel (x, y); empty: no tooltip.
    std::function<std::string(int x, int y)> tooltipAt;

    // Re-reads the scroll ranges and positions from the view.
    void syncScrollBars();
    // Applies a size notification without a real resize (after zoom steps).
    void sizeNotification();
    // The picture kept between paints, which `paintMap` paints into.
    MapFrame& frame() { return m_frame; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int, int) override {}

  private:
    void onScrollAction(map::ScrollAxis axis, int action);
    bool locked() const { return lockEngaged && lockEngaged(); }
    void deliver(QMouseEvent* event, map::PointerAction action);
    // After the logic ran: the timer, the cursor and the scroll bars follow.
    void afterLogic();

    map::MapView& m_view;
    MapFrame m_frame;
    QTimer* m_dragTimer = nullptr;
    QTimer* m_hoverTimer = nullptr;
    bool m_mouseInside = false;  // the last mouse move was over the map
    bool m_syncing = false;
};

}  // namespace quendar::ui
