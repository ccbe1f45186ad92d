#pragma once

#include <string>
#include <vector>

#include "map/Canvas.h"
#include "map/PixelOps.h"

namespace quendar::map {

// A canvas without any toolkit: it keeps a list of every call (with the pen and
// brush in force) and rasterises the calls into a plain image with the same
// pixel routines as the window's image canvas. Texts are only recorded. Used
// by the tests, and by anyone who needs a map picture without a window.
class RasterCanvas : public Canvas {
  public:
    enum class Op { Fill, Line, Rectangle, Ellipse, Pixel, Text, Image };
    struct Call {
        Op op = Op::Fill;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Image: x2, y2 = width, height
        Colour colour = 0;                   // Fill, Pixel, Text
        Pen pen;
        Brush brush;
        std::string text;
        Font font;
    };

    RasterCanvas(int width, int height, bool recordPixels = true);

    int width() const override { return m_image.width; }
    int height() const override { return m_image.height; }
    void setPen(const Pen& pen) override { m_pen = pen; }
    void setBrush(const Brush& brush) override { m_brush = brush; }
    void fill(Colour colour) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void setPixel(int x, int y, Colour colour) override;
    void text(int x, int y, std::string_view text, Colour colour, const Font& font = {}) override;
    void drawImage(int x, int y, const core::RgbaImage& image) override;
    void drawImage(int x, int y, const core::RgbaImage& image, const ImageRuns& runs) override;

    const core::RgbaImage& image() const { return m_image; }
    Colour pixel(int x, int y) const;  // 0 outside the surface
    const std::vector<Call>& calls() const { return m_calls; }
    std::vector<Call> callsOf(Op op) const;
    // Calls of one kind drawn with the given pen colour.
    std::vector<Call> callsWithPen(Op op, Colour colour) const;
    std::vector<std::string> texts() const;
    void clearCalls() { m_calls.clear(); }

  private:
    void plot(int x, int y, Colour c);
    PixelBuffer buffer();
    void record(Call c);

    core::RgbaImage m_image;
    Pen m_pen;
    Brush m_brush;
    bool m_recordPixels;
    std::vector<Call> m_calls;
    EllipseShape m_ellipse;
};

}  // namespace quendar::map
