#pragma once

#include "map/DisplayList.h"
#include "map/MapRenderer.h"

namespace quendar::map {

// Moves the pixels of `frame` by (dx, dy); the pixels moved in from outside are left as they were.
void scrollPixels(PixelBuffer& frame, int dx, int dy);

// The map's last frame, kept so that the next paint can reuse it. Every paint
// is first recorded; when the view only scrolled (or nothing changed at all),
// the kept pixels are moved by the scroll and only the strip that came into
// view and the places where the new recording differs from the last one moved
// are drawn again: texts held to the window's edges, grid lines, labels and
// icons that appear or disappear, points whose pixel position changes with the
// scroll. Every other time, and when more than half of the frame would be
// drawn anyway, the whole frame is drawn.
class KeptFrame {
public:
    enum class Paint { Whole, Scrolled };

    // Paints `in` into `frame` (the view's size), whose pixels must be those
    // of the last paint through this object. `texts` draws the texts.
    Paint paint(MapRenderer& renderer, const PaintInput& in, PixelBuffer frame, TextPainter& texts);
    // The next paint draws the whole frame.
    void invalidate() { m_valid = false; }
    // The places the last paint drew (the whole frame for a whole paint).
    const std::vector<Rect>& drawn() const { return m_drawn; }

private:
    DisplayList m_last;
    DisplayList m_next;
    bool m_valid = false;
    int m_scrollX = 0;
    int m_scrollY = 0;
    int m_generation = 0;
    std::vector<Rect> m_drawn;
};

}  // namespace quendar::map
