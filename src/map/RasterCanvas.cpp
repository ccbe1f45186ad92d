#include "map/RasterCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace quendar::map {

namespace {
RasterCanvas::Call makeCall(RasterCanvas::Op op, int x1, int y1, int x2, int y2, Colour colour = 0) {
    RasterCanvas::Call c;
    c.op = op;
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.colour = colour;
    return c;
}
}  // namespace

RasterCanvas::RasterCanvas(int width, int height, bool recordPixels)
    : m_image(std::max(width, 0), std::max(height, 0), 0xFF000000u), m_recordPixels(recordPixels) {}

void RasterCanvas::record(Call c) {
    c.pen = m_pen;
    c.brush = m_brush;
    m_calls.push_back(std::move(c));
}

void RasterCanvas::plot(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= m_image.width || y >= m_image.height) return;
    m_image.set(x, y, c);
}

void RasterCanvas::plotPen(int x, int y) {
    if (m_pen.style == PenStyle::None) return;
    for (int dy = 0; dy < m_pen.width; ++dy)
        for (int dx = 0; dx < m_pen.width; ++dx) plot(x + dx, y + dy, m_pen.colour);
}

void RasterCanvas::fill(Colour colour) {
    record(makeCall(Op::Fill, 0, 0, m_image.width, m_image.height, colour));
    std::fill(m_image.pixels.begin(), m_image.pixels.end(), colour);
}

void RasterCanvas::line(int x1, int y1, int x2, int y2) {
    record(makeCall(Op::Line, x1, y1, x2, y2));
    // Clip long lines to a generous box around the surface before walking them.
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    if (dx > 100000 || -dy > 100000) return;
    int err = dx + dy, x = x1, y = y1;
    for (;;) {
        plotPen(x, y);
        if (x == x2 && y == y2) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void RasterCanvas::rectangle(int x1, int y1, int x2, int y2) {
    record(makeCall(Op::Rectangle, x1, y1, x2, y2));
    if (x2 <= x1 || y2 <= y1) return;
    const int cx1 = std::max(x1, 0), cy1 = std::max(y1, 0);
    const int cx2 = std::min(x2, m_image.width), cy2 = std::min(y2, m_image.height);
    if (m_brush.solid)
        for (int y = cy1; y < cy2; ++y)
            for (int x = cx1; x < cx2; ++x) plot(x, y, m_brush.colour);
    if (m_pen.style == PenStyle::None) return;
    for (int x = std::max(x1, -1); x < std::min(x2, m_image.width + 1); ++x) {
        plot(x, y1, m_pen.colour);
        plot(x, y2 - 1, m_pen.colour);
    }
    for (int y = std::max(y1, -1); y < std::min(y2, m_image.height + 1); ++y) {
        plot(x1, y, m_pen.colour);
        plot(x2 - 1, y, m_pen.colour);
    }
}

void RasterCanvas::ellipse(int x1, int y1, int x2, int y2) {
    record(makeCall(Op::Ellipse, x1, y1, x2, y2));
    if (x2 <= x1 || y2 <= y1 || x2 - x1 > 4096 || y2 - y1 > 4096) return;
    // Pixel centres inside the ellipse inscribed in the box; the outline is
    // the ring of inside pixels that touch an outside one.
    const double cx = (x1 + x2 - 1) / 2.0, cy = (y1 + y2 - 1) / 2.0;
    const double rx = (x2 - x1) / 2.0, ry = (y2 - y1) / 2.0;
    auto inside = [&](int x, int y) {
        const double u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1.0;
    };
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x) {
            if (!inside(x, y)) continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) ||
                              !inside(x, y + 1);
            if (edge && m_pen.style != PenStyle::None)
                plot(x, y, m_pen.colour);
            else if (m_brush.solid)
                plot(x, y, m_brush.colour);
        }
}

void RasterCanvas::setPixel(int x, int y, Colour colour) {
    if (m_recordPixels) record(makeCall(Op::Pixel, x, y, x, y, colour));
    plot(x, y, colour);
}

void RasterCanvas::text(int x, int y, std::string_view text, Colour colour, const Font& font) {
    Call c = makeCall(Op::Text, x, y, x, y, colour);
    c.text = std::string(text);
    c.font = font;
    record(std::move(c));
}

void RasterCanvas::drawImage(int x, int y, const mission::RgbaImage& image) {
    record(makeCall(Op::Image, x, y, image.width, image.height));
    for (int row = 0; row < image.height; ++row)
        for (int col = 0; col < image.width; ++col) {
            const uint32_t p = image.at(col, row);
            if ((p >> 24) != 0) plot(x + col, y + row, p);
        }
}

Colour RasterCanvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_image.width || y >= m_image.height) return 0;
    return m_image.at(x, y);
}

std::vector<RasterCanvas::Call> RasterCanvas::callsOf(Op op) const {
    std::vector<Call> out;
    for (const auto& c : m_calls)
        if (c.op == op) out.push_back(c);
    return out;
}

std::vector<RasterCanvas::Call> RasterCanvas::callsWithPen(Op op, Colour colour) const {
    std::vector<Call> out;
    for (const auto& c : m_calls)
        if (c.op == op && c.pen.colour == colour) out.push_back(c);
    return out;
}

std::vector<std::string> RasterCanvas::texts() const {
    std::vector<std::string> out;
    for (const auto& c : m_calls)
        if (c.op == Op::Text) out.push_back(c.text);
    return out;
}

}  // namespace quendar::map
