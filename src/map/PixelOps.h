#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Image.h"
#include "map/ImageRuns.h"

namespace quendar::map {

// A writable view of 32-bit pixels (0xAARRGGBB, premultiplied), as held by a
// raster image in memory. `stride` counts pixels per row.
struct PixelBuffer {
    uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// The primitive drawing of the map's canvases, done straight on memory. The
// raster canvas and the window's image canvas share it, so both put the same
// pixels on screen. Everything is clipped to the buffer.
//
// - Lines include both end points; up to 3 pixels the pen is a square of
//   `width` pixels centred on the line (for even widths the extra pixel goes
//   left and up); wider lines are `width` pixels across the line's minor axis.
//   Widths below 1 draw 1 pixel, above kMaxLineWidth kMaxLineWidth.
//   Dashed lines draw 4 pixels, leave 2, counted from the first end point.
// - Ellipses fill the pixel centres inside the ellipse inscribed in the box
//   (right and bottom edges exclusive); the outline is the ring of inside
//   pixels with a 4-neighbour outside.
inline constexpr int kMaxLineWidth = 255;

void fillRect(PixelBuffer& b, int x1, int y1, int x2, int y2, uint32_t colour);
void drawLine(PixelBuffer& b, int x1, int y1, int x2, int y2, uint32_t colour, int width,
              bool dashed);
void drawEllipse(PixelBuffer& b, int x1, int y1, int x2, int y2, bool outline,
                 uint32_t outlineColour, bool fill, uint32_t fillColour);

// The rows of an ellipse of one box size, worked out once: canvases keep the
// shape of the last size they drew (the map draws its circles in one or two sizes).
struct EllipseShape {
    struct Row {
        int first = 1, last = 0;            // inside pixels (first > last: none)
        int innerFirst = 1, innerLast = 0;  // the part that is not outline
    };
    int width = 0;
    int height = 0;
    std::vector<Row> rows;
};
EllipseShape makeEllipseShape(int width, int height);
void drawEllipse(PixelBuffer& b, int x1, int y1, const EllipseShape& shape, bool outline,
                 uint32_t outlineColour, bool fill, uint32_t fillColour);
// Outline of the box (right and bottom edges exclusive), `width` pixels thick inwards.
void drawRectOutline(PixelBuffer& b, int x1, int y1, int x2, int y2, uint32_t colour, int width);
// Premultiplied source-over; the map's images are opaque or fully transparent,
// which copies or skips each pixel.
void drawImage(PixelBuffer& b, int x, int y, const core::RgbaImage& image);
// The same pixels, copied run by run when the image has runs.
void drawImage(PixelBuffer& b, int x, int y, const core::RgbaImage& image, const ImageRuns& runs);

}  // namespace quendar::map
