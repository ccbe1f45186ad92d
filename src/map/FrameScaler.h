#pragma once

#include <cstdint>
#include <vector>

#include "map/DisplayList.h"
#include "map/PixelOps.h"

namespace quendar::map {

// The map's frame on a screen with more pixels than the window has logical
// ones (scaled 150 % or 200 %). Lines, shapes and icons keep the pixels the
// logical-pixel rules give them, each logical pixel simply enlarged to the
// screen pixels whose centres it covers; texts are drawn again at the
// screen's resolution over that, each followed by the calls recorded after it
// within its place, so that whatever covered a text at 100 % still covers it.
class FrameScaler {
  public:
    // A frame of width × height logical pixels at `scale` screen pixels each.
    void setSize(int width, int height, double scale);
    int deviceWidth() const { return static_cast<int>(m_columns.size()); }
    int deviceHeight() const { return static_cast<int>(m_rows.size()); }
    // Whole scales let a scrolled screen frame move with its logical frame.
    bool whole() const { return m_factor > 0; }
    int factor() const { return m_factor; }
    // The screen pixels of the logical pixels in `r`.
    Rect devicePlace(const Rect& r) const;

    // Enlarges the logical pixels of `place` from `from` (whose pixel 0, 0 is
    // logical fromX, fromY) into `device`; with `skipEmpty`, pixels 0 (nothing
    // drawn) leave the screen pixels as they are.
    void enlarge(const PixelBuffer& from, int fromX, int fromY, PixelBuffer& device,
                 const Rect& place, bool skipEmpty) const;
    // Puts `place` of `frame` (drawn from `list` without texts) into `device`,
    // with the list's texts drawn by `deviceTexts` (logical coordinates, at
    // the screen's resolution).
    void draw(const DisplayList& list, const PixelBuffer& frame, PixelBuffer& device,
              const Rect& place, TextPainter& deviceTexts);

  private:
    int m_width = 0;
    int m_height = 0;
    int m_factor = 0;            // the whole scale, 0 when not whole
    std::vector<int> m_columns;  // the logical column of each screen column
    std::vector<int> m_rows;     // the logical row of each screen row
    std::vector<uint32_t> m_scratch;
};

}  // namespace quendar::map
