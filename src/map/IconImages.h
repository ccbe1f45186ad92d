#pragma once

#include <cstdint>
#include <unordered_map>

#include "core/Image.h"
#include "map/Canvas.h"
#include "map/IconTable.h"

namespace quendar::map {

// The colour of a shipgroup's IFF for pens and brushes: 0 green, 1 red,
// 2 blue, 3 yellow, 4 red, 5 magenta. Values above 5 have no colour of their
// own; they draw white, which no defined IFF uses, so such a shipgroup stands
// out instead of passing for a friend or foe.
Colour iffColour(int iff);

// The drawn colour of one icon pixel (b0, b1, b2) for a shipgroup's IFF: the
// inverted channels of the IFF's colour (IFF 6 and above: all three inverted).
Colour iconPixelColour(int iff, const uint8_t* b);

// Where an icon pixel lands, relative to the icon's centre pixel (cx, cy).
// At zoom 100 and below the icon shrinks with the zoom, above it is drawn at
// full size. All divisions truncate.
int iconOffsetX(int col, int width, int zoom);
int iconOffsetY(int row, int height, int zoom);

// The rule itself, one canvas call per opaque pixel, in file order (column by
// column, each column from the top), so where several source pixels land on
// one screen pixel the later one wins. The cached images below must give
// exactly these pixels.
void drawIconPixelByPixel(Canvas& canvas, const CraftIcon& icon, int iff, int zoom, int cx, int cy);

// An icon coloured for one IFF and scaled for one zoom: draw `image` with its
// top-left at (cx + offsetX, cy + offsetY). Pixels nobody sets are transparent.
struct IconImage {
    core::RgbaImage image;
    ImageRuns runs;  // of `image`
    int offsetX = 0;
    int offsetY = 0;
};

IconImage renderIconImage(const CraftIcon& icon, int iff, int zoom);

// Coloured, zoom-scaled icon images per (icon number, IFF, zoom). Zooms above
// 100 all share the full-size image and IFFs above 5 share one colour. The
// cache must be cleared when the icon table changes. A long session visits many
// zooms, so the cache starts afresh when its images pass `kByteLimit`; a full
// map of one zoom is far below that. A reference from get() stays valid until
// clear() or the next startPaint(): the images put aside when the cache starts
// afresh are kept until then, because a paint may be kept as a list of calls
// that refer to them.
class IconImageCache {
  public:
    static constexpr size_t kByteLimit = size_t{48} << 20;

    const IconImage& get(const IconTable& table, int number, int iff, int zoom);
    void clear() {
        m_images.clear();
        m_old.clear();
        m_bytes = 0;
        ++m_generation;
    }
    // Frees the images put aside by the last fresh start.
    void startPaint() { m_old.clear(); }
    size_t size() const { return m_images.size(); }
    size_t bytes() const { return m_bytes; }
    // Changes whenever images may have been freed.
    int generation() const { return m_generation; }

  private:
    std::unordered_map<uint32_t, IconImage> m_images;
    std::unordered_map<uint32_t, IconImage> m_old;
    size_t m_bytes = 0;
    int m_generation = 0;
};

}  // namespace quendar::map
