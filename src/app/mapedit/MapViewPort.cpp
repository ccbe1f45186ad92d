#include "app/mapedit/MapViewPort.h"

#include "briefing/BriefingView.h"

namespace quendar::app {

void MapViewPort::setZoom(int zoom) {
    // The view has no plain zoom setter; the briefing view call sets the zoom
    // and keeps the point in the window's middle where it was.
    const int w = m_view.width(), h = m_view.height();
    const int z = m_view.zoom() > 0 ? m_view.zoom() : 1;
    const int cx = (m_view.scrollX() + w / 2) * 160 / z;
    const int cy = (m_view.scrollY() + h / 2) * 160 / z;
    m_view.applyBriefingView(zoom, cx, cy, m_view.currentRegion());
}

void MapViewPort::setBriefingMode(bool on) {
    if (on == m_switches.briefingMode) return;
    m_switches.briefingMode = on;
    m_playback.briefingMode = on;
    if (on) m_view.enterBriefingMode(m_settings);
}

void MapViewPort::applyBriefingView() {
    if (!m_briefing || !lockEngaged()) return;
    const briefing::LockedView v = briefing::lockedViewAt(*m_briefing, m_briefing->currentTime());
    m_view.applyBriefingView(v.zoom, v.x, v.y, v.region);
}

}  // namespace quendar::app
