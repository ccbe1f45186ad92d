#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/Image.h"
#include "map/ImageRuns.h"

namespace quendar::map {

// Colours travel as 0xAARRGGBB (core::rgb builds opaque ones).
using Colour = uint32_t;

enum class PenStyle { Solid, Dashed, None };

inline constexpr int kMaxPenWidth = 255;

struct Pen {
    Colour colour = 0xFF000000u;
    // Pixels across the line, 1..kMaxPenWidth; a canvas draws 0 or less as 1
    // and anything wider as kMaxPenWidth.
    int width = 1;
    PenStyle style = PenStyle::Solid;
    bool operator==(const Pen&) const = default;
};

// A solid brush, or no brush at all (shapes are then only outlined).
struct Brush {
    Colour colour = 0xFF000000u;
    bool solid = false;
    static Brush none() { return {}; }
    static Brush of(Colour c) { return {c, true}; }
    bool operator==(const Brush&) const = default;
};

// An empty family means the window's default font.
struct Font {
    std::string family;
    int pointSize = 0;  // 0 = the default size
    bool operator==(const Font&) const = default;
};

// Everything the map (and every other custom-drawn picture) draws goes through
// this interface. Coordinates are window pixels.
//
// Conventions shared by every implementation:
// - line(): both end points are drawn, with the current pen.
// - rectangle() and ellipse() take a bounding box whose right and bottom edges
//   are exclusive (the shape covers x1..x2-1, y1..y2-1); the outline uses the
//   current pen, the inside the current brush.
// - text(): top-left corner at (x, y), transparent background.
// - drawImage(): pixels are premultiplied 0xAARRGGBB; the map's images are
//   either fully opaque or fully transparent (0x00000000) per pixel, so an
//   image never blends.
class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    virtual void setPen(const Pen& pen) = 0;
    virtual void setBrush(const Brush& brush) = 0;

    virtual void fill(Colour colour) = 0;  // the whole surface
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void ellipse(int x1, int y1, int x2, int y2) = 0;
    virtual void setPixel(int x, int y, Colour colour) = 0;
    virtual void text(int x, int y, std::string_view text, Colour colour,
                      const Font& font = {}) = 0;
    virtual void drawImage(int x, int y, const core::RgbaImage& image) = 0;
    // The same pixels as drawImage(x, y, image); `runs` are the image's own
    // (findImageRuns), which lets a canvas copy only the opaque pixels.
    virtual void drawImage(int x, int y, const core::RgbaImage& image, const ImageRuns& runs) {
        (void)runs;
        drawImage(x, y, image);
    }
};

}  // namespace quendar::map
