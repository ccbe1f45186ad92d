#include "map/KeptFrame.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace quendar::map {

void scrollPixels(PixelBuffer& frame, int dx, int dy) {
    const int W = frame.width, H = frame.height;
    if (std::abs(dx) >= W || std::abs(dy) >= H || (dx == 0 && dy == 0)) return;
    const size_t n = static_cast<size_t>(W - std::abs(dx)) * sizeof(uint32_t);
    auto move = [&](int y) {
        uint32_t* to = frame.bits + static_cast<size_t>(y) * frame.stride + std::max(dx, 0);
        const uint32_t* from =
            frame.bits + static_cast<size_t>(y - dy) * frame.stride + std::max(-dx, 0);
        std::memmove(to, from, n);
    };
    // Rows moving down are taken from the bottom up, and the other way round.
    if (dy > 0)
        for (int y = H - 1; y >= dy; --y) move(y);
    else
        for (int y = 0; y < H + dy; ++y) move(y);
}

PixelBuffer KeptFrame::frameIn(const PixelBuffer& area) const {
    return {area.bits + static_cast<size_t>(m_originY) * area.stride + m_originX,
            std::min(m_width, area.width - m_originX), std::min(m_height, area.height - m_originY),
            area.stride};
}

KeptFrame::Paint KeptFrame::paint(MapRenderer& renderer, const PaintInput& in, PixelBuffer area,
                                  int width, int height, TextPainter& texts,
                                  TextPainter* workerTexts) {
    const int W = std::clamp(width, 0, area.width), H = std::clamp(height, 0, area.height);
    const int lastWidth = m_width, lastHeight = m_height;
    m_width = W, m_height = H;
    m_next.reset(W, H, &texts);
    const Rect whole{0, 0, W, H};
    // The content moves against the scroll.
    const long long dx = 1LL * m_scrollX - in.view.scrollX();
    const long long dy = 1LL * m_scrollY - in.view.scrollY();
    const bool mayScroll = m_valid && lastWidth == W && lastHeight == H &&
                           m_areaWidth == area.width && m_areaHeight == area.height &&
                           m_generation == renderer.imageGeneration() && m_last.movable() &&
                           std::llabs(dx) < W && std::llabs(dy) < H;
    const int middleX = (area.width - W) / 2, middleY = (area.height - H) / 2;
    m_valid = false;  // until the frame is drawn
    if (!mayScroll) {
        // A whole paint: drawing starts while the list is being recorded.
        m_originX = middleX, m_originY = middleY;
        m_drawn.assign(1, whole);
        m_worker.recordAndReplay(
            m_next, [&] { renderer.paint(m_next, in); }, frameIn(area), whole, &texts, workerTexts);
        finish(renderer, in, area);
        return Paint::Whole;
    }
    renderer.paint(m_next, in);
    bool scrolled = m_generation == renderer.imageGeneration() && m_next.movable();
    m_drawn.clear();
    if (scrolled) {
        m_drawn = m_next.changesFrom(m_last, static_cast<int>(dx), static_cast<int>(dy));
        // The strips that come into view.
        if (dx > 0) m_drawn.push_back({0, 0, static_cast<int>(dx), H});
        if (dx < 0) m_drawn.push_back({W + static_cast<int>(dx), 0, W, H});
        if (dy > 0) m_drawn.push_back({0, 0, W, static_cast<int>(dy)});
        if (dy < 0) m_drawn.push_back({0, H + static_cast<int>(dy), W, H});
        long long drawnArea = 0;
        for (const Rect& r : m_drawn) drawnArea += r.area();
        scrolled = drawnArea <= whole.area() / 2;
    }
    // Where the frame goes: moved against the content, or back to the
    // middle of the area with the area's pixels moved along.
    if (scrolled) {
        const long long x = m_originX - dx, y = m_originY - dy;
        if (x >= 0 && y >= 0 && x <= area.width - W && y <= area.height - H) {
            m_originX = static_cast<int>(x), m_originY = static_cast<int>(y);
        } else {
            scrollPixels(area, static_cast<int>(middleX - x), static_cast<int>(middleY - y));
            m_originX = middleX, m_originY = middleY;
        }
    } else {
        m_originX = middleX, m_originY = middleY;
        m_drawn.assign(1, whole);
    }
    m_worker.replay(m_next, frameIn(area), m_drawn, &texts, workerTexts);
    finish(renderer, in, area);
    return scrolled ? Paint::Scrolled : Paint::Whole;
}

// The list just drawn becomes the last one.
void KeptFrame::finish(const MapRenderer& renderer, const PaintInput& in, const PixelBuffer& area) {
    std::swap(m_last, m_next);
    m_valid = true;
    m_scrollX = in.view.scrollX();
    m_scrollY = in.view.scrollY();
    m_generation = renderer.imageGeneration();
    m_areaWidth = area.width, m_areaHeight = area.height;
}

}  // namespace quendar::map
