#include "ui/QPainterCanvas.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>

namespace quendar::ui {

namespace {

QColor toQColor(map::Colour c) { return QColor::fromRgba(c); }

QPen toQPen(const map::Pen& pen) {
    Qt::PenStyle style = Qt::SolidLine;
    if (pen.style == map::PenStyle::Dashed) style = Qt::DashLine;
    if (pen.style == map::PenStyle::None) style = Qt::NoPen;
    const int width = std::clamp(pen.width, 1, map::kMaxPenWidth);
    return QPen(toQColor(pen.colour), width, style, Qt::SquareCap, Qt::MiterJoin);
}

void prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
}

}  // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter, int width, int height)
    : m_painter(&painter), m_width(width), m_height(height) {
    prepare(painter);
    applyPen();
}

QPainterCanvas::QPainterCanvas(QImage& image)
    : m_image(&image), m_width(image.width()), m_height(image.height()) {
    m_direct = image.format() == QImage::Format_RGB32 ||
               image.format() == QImage::Format_ARGB32_Premultiplied;
    if (m_direct) {
        m_buffer.bits = reinterpret_cast<uint32_t*>(image.bits());
        m_buffer.width = image.width();
        m_buffer.height = image.height();
        m_buffer.stride = static_cast<int>(image.bytesPerLine() / 4);
    }
}

QPainterCanvas::~QPainterCanvas() {
    if (m_ownPainter) m_ownPainter->end();
}

// Opened on first use when the canvas owns its image: a paint without texts
// never starts a QPainter.
QPainter& QPainterCanvas::painter() {
    if (!m_painter) {
        m_ownPainter = std::make_unique<QPainter>(m_image);
        m_painter = m_ownPainter.get();
        prepare(*m_painter);
        applyPen();
        setBrush(m_brush);
    }
    return *m_painter;
}

void QPainterCanvas::applyPen() {
    if (m_painter) m_painter->setPen(toQPen(m_pen));
}

void QPainterCanvas::setPen(const map::Pen& pen) {
    m_pen = pen;
    if (!m_direct) applyPen();
}

void QPainterCanvas::setBrush(const map::Brush& brush) {
    m_brush = brush;
    if (m_direct || !m_painter) return;
    if (brush.solid)
        m_painter->setBrush(QBrush(toQColor(brush.colour)));
    else
        m_painter->setBrush(Qt::NoBrush);
}

void QPainterCanvas::fill(map::Colour colour) {
    if (m_direct) {
        map::fillRect(m_buffer, 0, 0, m_width, m_height, colour);
        return;
    }
    painter().fillRect(0, 0, m_width, m_height, toQColor(colour));
}

void QPainterCanvas::line(int x1, int y1, int x2, int y2) {
    if (m_pen.style == map::PenStyle::None) return;
    if (m_direct) {
        map::drawLine(m_buffer, x1, y1, x2, y2, m_pen.colour, m_pen.width,
                      m_pen.style == map::PenStyle::Dashed);
        return;
    }
    painter().drawLine(x1, y1, x2, y2);
}

// The box's right and bottom edges are exclusive; a 1-pixel outline of
// QRect(x, y, w - 1, h - 1) covers exactly x .. x + w - 1.
void QPainterCanvas::rectangle(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    if (m_direct) {
        if (m_brush.solid) map::fillRect(m_buffer, x1, y1, x2, y2, m_brush.colour);
        if (m_pen.style != map::PenStyle::None)
            map::drawRectOutline(m_buffer, x1, y1, x2, y2, m_pen.colour, m_pen.width);
        return;
    }
    QPainter& p = painter();
    if (m_brush.solid) p.fillRect(x1, y1, x2 - x1, y2 - y1, toQColor(m_brush.colour));
    if (m_pen.style == map::PenStyle::None) return;
    p.save();
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    p.restore();
}

void QPainterCanvas::ellipse(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    if (m_direct) {
        if (m_ellipse.width != x2 - x1 || m_ellipse.height != y2 - y1)
            m_ellipse = map::makeEllipseShape(x2 - x1, y2 - y1);
        map::drawEllipse(m_buffer, x1, y1, m_ellipse, m_pen.style != map::PenStyle::None,
                         m_pen.colour, m_brush.solid, m_brush.colour);
        return;
    }
    painter().drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void QPainterCanvas::setPixel(int x, int y, map::Colour colour) {
    if (m_direct) {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height)
            m_buffer.bits[static_cast<size_t>(y) * m_buffer.stride + x] = colour;
        return;
    }
    QPainter& p = painter();
    p.setPen(toQColor(colour));
    p.drawPoint(x, y);
    applyPen();
}

void QPainterCanvas::useFont(const map::Font& font) {
    QPainter& p = painter();
    if (m_fontSet && font == m_font) return;
    m_font = font;
    m_fontSet = true;
    QFont f = p.font();
    if (!font.family.empty()) f.setFamily(QString::fromStdString(font.family));
    if (font.pointSize > 0) f.setPointSize(font.pointSize);
    p.setFont(f);
}

void QPainterCanvas::text(int x, int y, std::string_view text, map::Colour colour,
                          const map::Font& font) {
    QPainter& p = painter();
    useFont(font);
    p.setPen(toQColor(colour));
    p.drawText(x, y + p.fontMetrics().ascent(),
               QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    applyPen();
}

void QPainterCanvas::text(int x, int y, std::string_view text, map::Colour colour,
                          const map::Font& font, const map::Rect& clip) {
    QPainter& p = painter();
    p.setClipRect(QRect(clip.x1, clip.y1, clip.x2 - clip.x1, clip.y2 - clip.y1));
    this->text(x, y, text, colour, font);
    p.setClipping(false);
}

// The glyphs' box, with room for the smoothed edges and for glyphs that reach
// beyond their advance.
map::Rect QPainterCanvas::textBounds(int x, int y, std::string_view text, const map::Font& font) {
    useFont(font);
    const QFontMetrics fm = painter().fontMetrics();
    const QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    const QRect r = fm.boundingRect(s).translated(x, y + fm.ascent());
    const int m = 2 + fm.height() / 4;
    return {std::min(r.left(), x) - m, std::min(r.top(), y) - m,
            std::max(r.right() + 1, x + fm.horizontalAdvance(s)) + m,
            std::max(r.bottom() + 1, y + fm.height()) + m};
}

// The pixels are wrapped, not copied: every image of the map is premultiplied
// (opaque, or transparent black).
void QPainterCanvas::drawImage(int x, int y, const core::RgbaImage& image) {
    if (image.empty()) return;
    if (m_direct) {
        map::drawImage(m_buffer, x, y, image);
        return;
    }
    const QImage wrapped(reinterpret_cast<const uchar*>(image.pixels.data()), image.width,
                         image.height, image.width * 4, QImage::Format_ARGB32_Premultiplied);
    painter().drawImage(x, y, wrapped);
}

void QPainterCanvas::drawImage(int x, int y, const core::RgbaImage& image,
                               const map::ImageRuns& runs) {
    if (!m_direct) {
        drawImage(x, y, image);
        return;
    }
    if (!image.empty()) map::drawImage(m_buffer, x, y, image, runs);
}

}  // namespace quendar::ui
