#include "ui/MapFrame.h"

#include "ui/QPainterCanvas.h"

namespace quendar::ui {

namespace {

// Texts in frame coordinates, drawn where the frame lies in the area.
class FrameTexts : public map::TextPainter {
public:
    FrameTexts(QImage& area, const map::KeptFrame& kept) : m_canvas(area), m_kept(kept) {}
    void text(int x, int y, std::string_view text, map::Colour colour, const map::Font& font,
              const map::Rect& clip) override {
        const int ox = m_kept.originX(), oy = m_kept.originY();
        m_canvas.text(x + ox, y + oy, text, colour, font,
                      {clip.x1 + ox, clip.y1 + oy, clip.x2 + ox, clip.y2 + oy});
    }
    map::Rect textBounds(int x, int y, std::string_view text, const map::Font& font) override {
        return m_canvas.textBounds(x, y, text, font);
    }

private:
    QPainterCanvas m_canvas;
    const map::KeptFrame& m_kept;
};

}  // namespace

const QImage& MapFrame::paint(map::MapRenderer& renderer, const map::PaintInput& in, QSize size) {
    const QSize areaSize = size.isEmpty() ? size : size + QSize(2 * kMargin, 2 * kMargin);
    if (m_area.size() != areaSize) {
        m_frame = QImage();
        m_area = QImage(areaSize, QImage::Format_ARGB32_Premultiplied);
        m_kept.invalidate();
    }
    if (m_area.isNull()) {
        m_frame = QImage();
        return m_frame;
    }
    map::PixelBuffer area{reinterpret_cast<uint32_t*>(m_area.bits()), m_area.width(),
                          m_area.height(), static_cast<int>(m_area.bytesPerLine() / 4)};
    {
        // The worker thread draws its texts through its own painter on its
        // own image over the same pixels.
        QImage workerArea(m_area.bits(), m_area.width(), m_area.height(), m_area.bytesPerLine(),
                          m_area.format());
        FrameTexts texts(m_area, m_kept), workerTexts(workerArea, m_kept);
        m_kept.paint(renderer, in, area, size.width(), size.height(), texts, &workerTexts);
    }
    const map::PixelBuffer frame = m_kept.frameIn(area);
    m_frame = QImage(reinterpret_cast<uchar*>(frame.bits), size.width(), size.height(),
                     m_area.bytesPerLine(), m_area.format());
    return m_frame;
}

}  // namespace quendar::ui
