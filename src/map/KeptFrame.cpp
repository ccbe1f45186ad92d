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

KeptFrame::Paint KeptFrame::paint(MapRenderer& renderer, const PaintInput& in, PixelBuffer frame,
                                  TextPainter& texts) {
    const int W = frame.width, H = frame.height;
    m_next.reset(W, H, &texts);
    renderer.paint(m_next, in);
    const Rect whole{0, 0, W, H};
    // The content moves against the scroll.
    const long long dx = 1LL * m_scrollX - in.view.scrollX();
    const long long dy = 1LL * m_scrollY - in.view.scrollY();
    bool scrolled = m_valid && m_last.width() == W && m_last.height() == H &&
                    m_generation == renderer.imageGeneration() && m_last.movable() &&
                    m_next.movable() && std::llabs(dx) < W && std::llabs(dy) < H;
    m_drawn.clear();
    if (scrolled) {
        m_drawn = m_next.changesFrom(m_last, static_cast<int>(dx), static_cast<int>(dy));
        // The strips that come into view.
        if (dx > 0) m_drawn.push_back({0, 0, static_cast<int>(dx), H});
        if (dx < 0) m_drawn.push_back({W + static_cast<int>(dx), 0, W, H});
        if (dy > 0) m_drawn.push_back({0, 0, W, static_cast<int>(dy)});
        if (dy < 0) m_drawn.push_back({0, H + static_cast<int>(dy), W, H});
        long long area = 0;
        for (const Rect& r : m_drawn) area += r.area();
        scrolled = area <= whole.area() / 2;
    }
    if (scrolled) {
        scrollPixels(frame, static_cast<int>(dx), static_cast<int>(dy));
        for (const Rect& r : m_drawn) m_next.replay(frame, r, &texts);
    } else {
        m_drawn.assign(1, whole);
        m_next.replay(frame, whole, &texts);
    }
    std::swap(m_last, m_next);
    m_valid = true;
    m_scrollX = in.view.scrollX();
    m_scrollY = in.view.scrollY();
    m_generation = renderer.imageGeneration();
    return scrolled ? Paint::Scrolled : Paint::Whole;
}

}  // namespace quendar::map
