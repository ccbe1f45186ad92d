#pragma once

#include "map/DisplayList.h"
#include "map/MapRenderer.h"
#include "map/ReplayWorker.h"

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
// drawn anyway, the whole frame is drawn; when that is known before the
// recording (a new size, zoom or picture), a second thread starts drawing
// while the paint is still being recorded.
class KeptFrame {
  public:
    enum class Paint { Whole, Scrolled };

    // Paints `in` into `frame` (the view's size), whose pixels must be those
    // of the last paint through this object. `texts` draws the texts; with
    // `workerTexts` (which must draw the same texts into the same pixels from
    // another thread) large places are drawn by two threads.
    Paint paint(MapRenderer& renderer, const PaintInput& in, PixelBuffer frame, TextPainter& texts,
                TextPainter* workerTexts = nullptr) {
        return paint(renderer, in, frame, frame.width, frame.height, texts, workerTexts);
    }
    // The same with a frame of width × height lying somewhere in a larger
    // `area` (whose pixels must be those left by the last paint): a scroll
    // then moves the frame's place in the area instead of its pixels, until
    // the frame would leave the area; then the area's pixels are moved once
    // so that the frame lies in its middle again. `texts` draws in frame
    // coordinates; originX() and originY() say where the frame lies.
    Paint paint(MapRenderer& renderer, const PaintInput& in, PixelBuffer area, int width,
                int height, TextPainter& texts, TextPainter* workerTexts = nullptr);
    // The frame's top-left pixel in the area, and the frame itself.
    int originX() const { return m_originX; }
    int originY() const { return m_originY; }
    PixelBuffer frameIn(const PixelBuffer& area) const;
    // The next paint draws the whole frame.
    void invalidate() { m_valid = false; }
    // The places the last paint drew (the whole frame for a whole paint).
    const std::vector<Rect>& drawn() const { return m_drawn; }
    // The list the last paint recorded.
    const DisplayList& list() const { return m_last; }

  private:
    void finish(const MapRenderer& renderer, const PaintInput& in, const PixelBuffer& area);

    DisplayList m_last;
    DisplayList m_next;
    bool m_valid = false;
    int m_scrollX = 0;
    int m_scrollY = 0;
    int m_generation = 0;
    int m_width = 0;  // of the frame
    int m_height = 0;
    int m_originX = 0;
    int m_originY = 0;
    int m_areaWidth = 0;
    int m_areaHeight = 0;
    std::vector<Rect> m_drawn;
    ReplayWorker m_worker;
};

}  // namespace quendar::map
