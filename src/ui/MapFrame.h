#pragma once

#include <QImage>
#include <QSize>

#include "map/FrameScaler.h"
#include "map/KeptFrame.h"

namespace quendar::ui {

// The map window's picture: painted into an image kept between paints, so
// that a scroll moves the last picture and draws only what came into view
// (and whatever else changed). The image is larger than the window by a
// margin on every side; the picture moves inside it as the view scrolls, and
// its pixels are moved only when it reaches the image's edge.
//
// On a scaled screen the picture is kept in logical pixels without its texts,
// and a second image at the screen's resolution shows it enlarged, with the
// texts drawn sharp at that resolution; only the places the kept frame drew
// are enlarged again.
class MapFrame {
  public:
    // The picture, sharing the kept image's pixels until the next paint; on
    // a scaled screen an image of the screen's pixels (its device pixel
    // ratio set), of `size` logical pixels.
    const QImage& paint(map::MapRenderer& renderer, const map::PaintInput& in, QSize size);
    void invalidate() { m_kept.invalidate(); }
    const map::KeptFrame& kept() const { return m_kept; }
    // Screen pixels per logical pixel (the window's device pixel ratio).
    void setScale(double scale) { m_scale = scale; }

    static constexpr int kMargin = 160;  // pixels around the window

  private:
    void showScaled(const map::PaintInput& in, map::KeptFrame::Paint how, QSize size);

    QImage m_area;
    QImage m_frame;
    map::KeptFrame m_kept;
    double m_scale = 1.0;
    // On a scaled screen: the scale the area was drawn for, the screen image
    // and where the view stood when it was drawn.
    double m_areaScale = 1.0;
    map::FrameScaler m_scaler;
    QImage m_device;
    double m_deviceScale = 0.0;
    int m_scrollX = 0;
    int m_scrollY = 0;
};

}  // namespace quendar::ui
