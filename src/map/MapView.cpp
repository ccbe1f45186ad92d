#include "map/MapView.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace quendar::map {

namespace {
// The zoom can only leave 1..255 through a briefing zoom event; every division
// by it is safe because it is never allowed below 1.
int safeZoom(int z) { return std::clamp(z, 1, 255); }
}  // namespace

// Dragging and edge scrolling stop where the scroll bars stop: the view never
// leaves the ±204 km span, so a click always lands on a position the map holds.
void MapView::setScroll(int x, int y) {
    m_scrollX = withinRange(horizontalRange(), x);
    m_scrollY = withinRange(verticalRange(), y);
}

int MapView::withinRange(ScrollRange r, int pos) const {
    // A window wider than the map has no range to keep to.
    if (!hasScrollRanges() || r.maximum < r.minimum) return pos;
    return std::clamp(pos, r.minimum, r.maximum);
}

// Only "At 0,0" can be chosen: the "At 128,128" mode has no defined picture and
// would leave the map without scroll ranges, so the view refuses it.
bool MapView::setCentreMode(int mode) {
    if (mode != 0) return false;
    m_centreMode = 0;
    return true;
}

double MapView::km(int16_t position) {
    const auto raw = static_cast<uint16_t>(position);
    const int lo = raw & 0xFF;
    int hi = raw >> 8;
    if (hi > 127) hi -= 256;
    return hi * 1.6 + lo * 0.00625;
}

int16_t MapView::positionFromX(int clientX) const {
    const int value = (m_scrollX * 160) / m_zoom + (clientX * 160) / m_zoom;
    return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF));
}

int16_t MapView::positionFromY(int clientY) const {
    const int value = (m_scrollY * 160) / m_zoom + (clientY * 160) / m_zoom;
    return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF));
}

// The scroll correction keeps the point at the window centre in place:
// s' = s + s / (z / step) + (w / 2) / (z / step) for a step in, the same with
// minus signs for a step out, z being the zoom before the step. A refused step
// keeps the scroll position (correcting it would move the view without a zoom
// change). Below one step of zoom (only after a briefing zoom event) the
// quotient z / step would be 0, so the centre is kept by plain rescaling.
void MapView::applyZoomStep(int step, bool allowed) {
    m_previousZoom = m_zoom;
    if (!allowed) return;
    const int before = m_zoom;
    const int after = before + step;
    m_zoom = after;
    const int magnitude = std::abs(step);
    const int divisor = before / magnitude;
    auto correct = [&](int s, int extent) {
        if (divisor == 0) return (s + extent / 2) * after / before - extent / 2;
        const int delta = s / divisor + (extent / 2) / divisor;
        return step > 0 ? s + delta : s - delta;
    };
    m_scrollX = correct(m_scrollX, m_width);
    m_scrollY = correct(m_scrollY, m_height);
}

std::string MapView::zoomStep(int step, bool lockEngaged) {
    if (lockEngaged) return kZoomLockedMessage;
    if (step > 0)
        applyZoomStep(20, m_zoom < 235);
    else
        applyZoomStep(-20, m_zoom - 20 >= 20);
    sizeNotification();
    return {};
}

void MapView::wheel(int delta, bool lockEngaged) {
    if (lockEngaged) return;
    if (delta > 0)
        applyZoomStep(10, m_zoom + 10 < 256);
    else
        applyZoomStep(-10, m_zoom - 10 >= 20);
    sizeNotification();
}

void MapView::resize(int width, int height) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    if (m_sizeNotifications < kCentringNotifications) {
        ++m_sizeNotifications;
        if (m_centreMode == 0) {
            m_scrollX = -(m_width / 2);
            m_scrollY = -(m_height / 2);
        }
    }
}

ScrollRange MapView::horizontalRange() const {
    return {-kHalfSpanKm * m_zoom, kHalfSpanKm * m_zoom - m_width};
}

ScrollRange MapView::verticalRange() const {
    return {-kHalfSpanKm * m_zoom, kHalfSpanKm * m_zoom - m_height};
}

bool MapView::centre(bool lockEngaged) {
    if (lockEngaged || m_centreMode != 0) return false;
    m_scrollX = -(m_width / 2);
    m_scrollY = -(m_height / 2);
    return true;
}

// A scroll bar cannot stand outside its range, so a request that would move
// the view beyond the ±204 km span stops at the range's end.
bool MapView::scroll(ScrollAxis axis, ScrollRequest request, int thumb, bool lockEngaged) {
    if (lockEngaged) return false;
    int& pos = axis == ScrollAxis::Horizontal ? m_scrollX : m_scrollY;
    int next = pos;
    switch (request) {
        case ScrollRequest::LineUp: next -= 10; break;
        case ScrollRequest::LineDown: next += 10; break;
        case ScrollRequest::PageUp: next -= 150; break;
        case ScrollRequest::PageDown: next += 150; break;
        case ScrollRequest::ThumbPosition:
        case ScrollRequest::ThumbTrack: next = thumb; break;
        case ScrollRequest::EndScroll: return false;
    }
    pos = withinRange(axis == ScrollAxis::Horizontal ? horizontalRange() : verticalRange(), next);
    return true;
}

bool MapView::setProjection(core::DisplaySettings& settings, int projection, bool briefingMode) {
    if (briefingMode || projection < 0 || projection > 2) return false;
    settings.projection = projection;
    return true;
}

std::string MapView::setRegion(int region, bool lockEngaged) {
    if (lockEngaged) return kRegionLockedMessage;
    if (region >= 0 && region <= 3) m_region = region;
    return {};
}

int MapView::hundredthsX() const { return (m_scrollX * 100) / m_zoom + (m_mouseX * 100) / m_zoom; }
int MapView::hundredthsY() const { return (m_scrollY * 100) / m_zoom + (m_mouseY * 100) / m_zoom; }

std::string MapView::formatHundredths(int h) {
    const int whole = h / 100;
    const int fraction = std::abs(h % 100);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%d.%02d", (h < 0 && whole == 0) ? "-" : "", whole, fraction);
    return buf;
}

void MapView::enterBriefingMode(core::DisplaySettings& settings) {
    m_zoomBeforeBriefing = m_zoom;
    settings.projection = 0;
}

void MapView::leaveBriefingMode() { m_zoom = m_zoomBeforeBriefing; }

// A briefing zoom event holds one byte; 0 would leave nothing to divide by, so
// it shows as zoom 1.
void MapView::applyBriefingView(int zoom, int x, int y, int region) {
    m_zoom = safeZoom(zoom);
    m_scrollX = x * m_zoom / 160 - m_width / 2;
    m_scrollY = y * m_zoom / 160 - m_height / 2;
    if (region >= 0 && region <= 3) m_region = region;
}

}  // namespace quendar::map
