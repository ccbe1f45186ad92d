#pragma once

#include <QImage>
#include <QSize>

#include "map/KeptFrame.h"

namespace quendar::ui {

// The map window's picture: painted into an image kept between paints, so
// that a scroll moves the last picture and draws only what came into view
// (and whatever else changed). The image is larger than the window by a
// margin on every side; the picture moves inside it as the view scrolls, and
// its pixels are moved only when it reaches the image's edge.
class MapFrame {
public:
    // The picture, sharing the kept image's pixels until the next paint.
    const QImage& paint(map::MapRenderer& renderer, const map::PaintInput& in, QSize size);
    void invalidate() { m_kept.invalidate(); }
    const map::KeptFrame& kept() const { return m_kept; }

    static constexpr int kMargin = 160;  // pixels around the window

private:
    QImage m_area;
    QImage m_frame;
    map::KeptFrame m_kept;
};

}  // namespace quendar::ui
