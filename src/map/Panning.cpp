#include "map/Panning.h"

namespace quendar::map {

void Panning::press(int x, int y, bool drag) {
    m_clickWithoutDrag = true;
    if (!drag) return;
    m_dragging = true;
    m_lastX = x;
    m_lastY = y;
}

bool Panning::release() {
    const bool click = m_clickWithoutDrag;
    m_dragging = false;
    return click;
}

bool Panning::move(MapView& view, int x, int y) {
    if (!m_dragging) return false;
    return step(view, x, y);
}

bool Panning::tick(MapView& view) {
    if (!m_dragging) return false;
    return step(view, m_lastX, m_lastY);
}

// Near an edge the view scrolls by a fixed step towards that edge (only the
// first edge that matches counts); elsewhere it follows the mouse's motion
// since the last position, faster for a larger move.
bool Panning::step(MapView& view, int x, int y) {
    int sx = view.scrollX(), sy = view.scrollY();
    int edge = 0;
    bool horizontal = true;
    if (x < kEdge) {
        edge = -kEdgeStep;
    } else if (x > view.width() - kEdge) {
        edge = kEdgeStep;
    } else if (y < kEdge) {
        edge = -kEdgeStep;
        horizontal = false;
    } else if (y > view.height() - kEdge) {
        edge = kEdgeStep;
        horizontal = false;
    }
    if (edge != 0) {
        (horizontal ? sx : sy) += edge;
        view.setScroll(sx, sy);
        m_lastX = x;
        m_lastY = y;
        m_clickWithoutDrag = false;
        return true;
    }
    auto follow = [](int now, int last) {
        int d = 0;
        if (now < last - kSlack) d -= kFastStep;
        if (now > last + kSlack) d += kFastStep;
        if (now < last) d -= kSlowStep;
        if (now > last) d += kSlowStep;
        return d;
    };
    const int dx = follow(x, m_lastX), dy = follow(y, m_lastY);
    m_lastX = x;
    m_lastY = y;
    if (dx == 0 && dy == 0) return false;
    view.setScroll(sx + dx, sy + dy);
    m_clickWithoutDrag = false;
    return true;
}

}  // namespace quendar::map
