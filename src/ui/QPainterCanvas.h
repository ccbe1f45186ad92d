#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <memory>

#include "map/Canvas.h"
#include "map/DisplayList.h"
#include "map/PixelOps.h"

namespace quendar::ui {

// The map's canvas in Qt.
//
// On a QImage of 32-bit format (RGB32 or premultiplied ARGB32) lines, shapes,
// pixels and images are written straight into the image's memory by the same
// routines as the raster canvas, which is what keeps a full map paint within a
// few milliseconds; only texts go through a QPainter. The map window paints
// into such an image and shows it.
//
// On any other paint device (through a QPainter the caller opened) everything
// is drawn by QPainter, aliased. Texts are 8-bit characters shown as Latin-1.
// As the text painter of a replayed paint it draws texts clipped to a
// rectangle and tells where a text lands.
class QPainterCanvas : public map::Canvas, public map::TextPainter {
  public:
    QPainterCanvas(QPainter& painter, int width, int height);
    explicit QPainterCanvas(QImage& image);
    ~QPainterCanvas() override;

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    void setPen(const map::Pen& pen) override;
    void setBrush(const map::Brush& brush) override;
    void fill(map::Colour colour) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void setPixel(int x, int y, map::Colour colour) override;
    void text(int x, int y, std::string_view text, map::Colour colour,
              const map::Font& font = {}) override;
    void drawImage(int x, int y, const core::RgbaImage& image) override;
    void drawImage(int x, int y, const core::RgbaImage& image, const map::ImageRuns& runs) override;

    void text(int x, int y, std::string_view text, map::Colour colour, const map::Font& font,
              const map::Rect& clip) override;
    map::Rect textBounds(int x, int y, std::string_view text, const map::Font& font) override;

  private:
    QPainter& painter();
    void useFont(const map::Font& font);
    void applyPen();

    std::unique_ptr<QPainter> m_ownPainter;
    QPainter* m_painter = nullptr;
    QImage* m_image = nullptr;
    bool m_direct = false;
    map::PixelBuffer m_buffer;
    map::EllipseShape m_ellipse;  // of the last size drawn
    int m_width = 0;
    int m_height = 0;
    map::Pen m_pen;
    map::Brush m_brush;
    map::Font m_font;
    bool m_fontSet = false;
};

}  // namespace quendar::ui
