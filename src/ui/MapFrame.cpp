#include "ui/MapFrame.h"

#include "ui/QPainterCanvas.h"

namespace quendar::ui {

const QImage& MapFrame::paint(map::MapRenderer& renderer, const map::PaintInput& in, QSize size) {
    if (m_image.size() != size) {
        m_image = QImage(size, QImage::Format_ARGB32_Premultiplied);
        m_kept.invalidate();
    }
    if (m_image.isNull()) return m_image;
    map::PixelBuffer pixels{reinterpret_cast<uint32_t*>(m_image.bits()), m_image.width(),
                            m_image.height(), static_cast<int>(m_image.bytesPerLine() / 4)};
    QPainterCanvas texts(m_image);
    m_kept.paint(renderer, in, pixels, texts);
    return m_image;
}

}  // namespace quendar::ui
