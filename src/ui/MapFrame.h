#pragma once

#include <QImage>
#include <QSize>

#include "map/KeptFrame.h"

namespace quendar::ui {

// The map window's picture: painted into an image kept between paints, so
// that a scroll moves the last picture and draws only what came into view
// (and whatever else changed).
class MapFrame {
public:
    const QImage& paint(map::MapRenderer& renderer, const map::PaintInput& in, QSize size);
    void invalidate() { m_kept.invalidate(); }
    const map::KeptFrame& kept() const { return m_kept; }

private:
    QImage m_image;
    map::KeptFrame m_kept;
};

}  // namespace quendar::ui
