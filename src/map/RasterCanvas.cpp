#include "map/RasterCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace quendar::map {

namespace {
RasterCanvas::Call makeCall(RasterCanvas::Op op, int x1, int y1, int x2, int y2,
                            Colour colour = 0) {
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

void RasterCanvas::fill(Colour colour) {
    record(makeCall(Op::Fill, 0, 0, m_image.width, m_image.height, colour));
    std::fill(m_image.pixels.begin(), m_image.pixels.end(), colour);
}

PixelBuffer RasterCanvas::buffer() {
    return {m_image.pixels.data(), m_image.width, m_image.height, m_image.width};
}

void RasterCanvas::line(int x1, int y1, int x2, int y2) {
    record(makeCall(Op::Line, x1, y1, x2, y2));
    if (m_pen.style == PenStyle::None) return;
    PixelBuffer b = buffer();
    drawLine(b, x1, y1, x2, y2, m_pen.colour, m_pen.width, m_pen.style == PenStyle::Dashed);
}

void RasterCanvas::rectangle(int x1, int y1, int x2, int y2) {
    record(makeCall(Op::Rectangle, x1, y1, x2, y2));
    PixelBuffer b = buffer();
    if (m_brush.solid) fillRect(b, x1, y1, x2, y2, m_brush.colour);
    if (m_pen.style != PenStyle::None)
        drawRectOutline(b, x1, y1, x2, y2, m_pen.colour, m_pen.width);
}

void RasterCanvas::ellipse(int x1, int y1, int x2, int y2) {
    record(makeCall(Op::Ellipse, x1, y1, x2, y2));
    PixelBuffer b = buffer();
    if (x2 <= x1 || y2 <= y1) return;
    if (m_ellipse.width != x2 - x1 || m_ellipse.height != y2 - y1)
        m_ellipse = makeEllipseShape(x2 - x1, y2 - y1);
    drawEllipse(b, x1, y1, m_ellipse, m_pen.style != PenStyle::None, m_pen.colour, m_brush.solid,
                m_brush.colour);
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

void RasterCanvas::drawImage(int x, int y, const core::RgbaImage& image) {
    record(makeCall(Op::Image, x, y, image.width, image.height));
    PixelBuffer b = buffer();
    map::drawImage(b, x, y, image);
}

void RasterCanvas::drawImage(int x, int y, const core::RgbaImage& image, const ImageRuns& runs) {
    record(makeCall(Op::Image, x, y, image.width, image.height));
    PixelBuffer b = buffer();
    map::drawImage(b, x, y, image, runs);
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
