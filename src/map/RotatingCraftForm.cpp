#include "map/RotatingCraftForm.h"

#include "map/BriefingLayer.h"
#include "map/RasterCanvas.h"

namespace quendar::map {

RotatingCraftForm::RotatingCraftForm(const IconTable& icons, int craftType, int iff)
    : briefing::BriefingForm("Rotating craft"), m_icons(icons), m_type(craftType), m_iff(iff) {
    picture("picture", "", [this] {
        RasterCanvas canvas(kFrameSide, kFrameSide, false);
        draw(canvas);
        return canvas.image();
    });
    button("rotate", "Rotate", "", [this] {
        m_direction = (m_direction + 1) & 3;
        refresh();
    });
    closeButton("ok", "Ok", true);
}

void RotatingCraftForm::draw(Canvas& canvas) const {
    canvas.fill(core::rgb(0, 0, 0));
    const IconImage img = renderTurnedIcon(m_icons.icon(m_type), m_iff, m_direction, false);
    if (img.image.empty()) return;
    canvas.drawImage(canvas.width() / 2 + img.offsetX, canvas.height() / 2 + img.offsetY,
                     img.image);
}

}  // namespace quendar::map
