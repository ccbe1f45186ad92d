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

// On a scaled screen the kept frame holds no texts: they are drawn at the
// screen's resolution afterwards. Only where they land is asked.
class TextPlaces : public map::TextPainter {
  public:
    explicit TextPlaces(map::TextPainter& measure) : m_measure(measure) {}
    void text(int, int, std::string_view, map::Colour, const map::Font&,
              const map::Rect&) override {}
    map::Rect textBounds(int x, int y, std::string_view text, const map::Font& font) override {
        return m_measure.textBounds(x, y, text, font);
    }

  private:
    map::TextPainter& m_measure;
};

}  // namespace

const QImage& MapFrame::paint(map::MapRenderer& renderer, const map::PaintInput& in, QSize size) {
    const QSize areaSize = size.isEmpty() ? size : size + QSize(2 * kMargin, 2 * kMargin);
    const double scale = m_scale > 1.0 + 1e-9 && m_scale <= 16.0 ? m_scale : 1.0;
    if (m_area.size() != areaSize || scale != m_areaScale) {
        m_frame = QImage();
        if (m_area.size() != areaSize)
            m_area = QImage(areaSize, QImage::Format_ARGB32_Premultiplied);
        m_areaScale = scale;
        m_kept.invalidate();
    }
    if (m_area.isNull()) {
        m_frame = QImage();
        m_device = QImage();
        return m_frame;
    }
    map::PixelBuffer area{reinterpret_cast<uint32_t*>(m_area.bits()), m_area.width(),
                          m_area.height(), static_cast<int>(m_area.bytesPerLine() / 4)};
    map::KeptFrame::Paint how;
    {
        // The worker thread draws its texts through its own painter on its
        // own image over the same pixels.
        QImage workerArea(m_area.bits(), m_area.width(), m_area.height(), m_area.bytesPerLine(),
                          m_area.format());
        FrameTexts texts(m_area, m_kept), workerTexts(workerArea, m_kept);
        TextPlaces places(texts), workerPlaces(workerTexts);
        if (scale > 1.0)
            how = m_kept.paint(renderer, in, area, size.width(), size.height(), places,
                               &workerPlaces);
        else
            how =
                m_kept.paint(renderer, in, area, size.width(), size.height(), texts, &workerTexts);
    }
    if (scale > 1.0) {
        m_frame = QImage();
        showScaled(in, how, size);
        return m_device;
    }
    m_device = QImage();
    m_deviceScale = 0.0;
    const map::PixelBuffer frame = m_kept.frameIn(area);
    m_frame = QImage(reinterpret_cast<uchar*>(frame.bits), size.width(), size.height(),
                     m_area.bytesPerLine(), m_area.format());
    return m_frame;
}

// The screen image follows the kept frame: moved by the scroll (whole scales
// only) and enlarged again where the kept frame drew, texts included.
void MapFrame::showScaled(const map::PaintInput& in, map::KeptFrame::Paint how, QSize size) {
    m_scaler.setSize(size.width(), size.height(), m_areaScale);
    const QSize deviceSize(m_scaler.deviceWidth(), m_scaler.deviceHeight());
    bool whole = how == map::KeptFrame::Paint::Whole || !m_scaler.whole();
    if (m_device.size() != deviceSize || m_deviceScale != m_areaScale) {
        m_device = QImage(deviceSize, QImage::Format_ARGB32_Premultiplied);
        m_device.setDevicePixelRatio(m_areaScale);
        m_deviceScale = m_areaScale;
        whole = true;
    }
    if (m_device.isNull()) {
        m_deviceScale = 0.0;
        return;
    }
    map::PixelBuffer device{reinterpret_cast<uint32_t*>(m_device.bits()), m_device.width(),
                            m_device.height(), static_cast<int>(m_device.bytesPerLine() / 4)};
    const map::PixelBuffer area{reinterpret_cast<uint32_t*>(m_area.bits()), m_area.width(),
                                m_area.height(), static_cast<int>(m_area.bytesPerLine() / 4)};
    const map::PixelBuffer frame = m_kept.frameIn(area);
    std::vector<map::Rect> places{{0, 0, size.width(), size.height()}};
    if (!whole) {
        const int f = m_scaler.factor();
        map::scrollPixels(device, (m_scrollX - in.view.scrollX()) * f,
                          (m_scrollY - in.view.scrollY()) * f);
        places = m_kept.drawn();
    }
    m_scrollX = in.view.scrollX(), m_scrollY = in.view.scrollY();
    QPainterCanvas texts(m_device);
    for (const map::Rect& place : places) m_scaler.draw(m_kept.list(), frame, device, place, texts);
}

}  // namespace quendar::ui
