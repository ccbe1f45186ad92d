#pragma once

#include "map/MapView.h"

namespace quendar::map {

// Right-button panning of the map: the view moves with the mouse while the
// right button is held, and keeps scrolling while the mouse rests near an
// edge. The window runs a 10 ms timer while `dragging()` and calls `tick()`.
class Panning {
  public:
    static constexpr int kTimerMs = 10;
    static constexpr int kEdge = 20;  // pixels from an edge that scroll by themselves
    static constexpr int kEdgeStep = 10;
    static constexpr int kFastStep = 30;  // a move of more than kSlack pixels
    static constexpr int kSlowStep = 10;
    static constexpr int kSlack = 4;

    // Right button down; `drag` is false when the current tool does not pan.
    void press(int x, int y, bool drag);
    // Right button up: true when the press was a click without a drag.
    bool release();
    // A mouse move; true when the view moved.
    bool move(MapView& view, int x, int y);
    // One timer step at the last drag position; true when the view moved.
    bool tick(MapView& view);
    // The button went up outside the window (or the mode changed).
    void cancel() { m_dragging = false; }

    bool dragging() const { return m_dragging; }
    bool clickWithoutDrag() const { return m_clickWithoutDrag; }
    int lastX() const { return m_lastX; }
    int lastY() const { return m_lastY; }

  private:
    bool step(MapView& view, int x, int y);

    bool m_dragging = false;
    bool m_clickWithoutDrag = false;
    int m_lastX = 0;
    int m_lastY = 0;
};

}  // namespace quendar::map
