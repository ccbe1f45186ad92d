#include "ui/BriefingPicture.h"

#include "map/BriefingPictures.h"
#include "ui/QPainterCanvas.h"

namespace quendar::ui {

BriefingPicture::BriefingPicture(const mission::MissionStore& store,
                                 const core::DisplaySettings& settings,
                                 const map::ViewSwitches& switches, const map::IconTable& icons,
                                 int width, int height)
    : m_store(store),
      m_settings(settings),
      m_switches(switches),
      m_renderer(icons),
      m_layer(icons),
      m_image(width, height, QImage::Format_RGB32) {
    m_settings.projection = 0;  // briefing mode shows X-Y
    m_switches.briefingMode = true;
    m_view.resize(width, height);
    if (icons.available())
        m_renderer.setBriefingPictures(map::technicalDataPicture(), map::regionChangePicture());
}

app::FramePixels BriefingPicture::paint(const briefing::BriefingView& view) {
    if (m_image.isNull()) return {};
    const briefing::LockedView& lv = view.lockedView;
    m_view.applyBriefingView(lv.zoom, lv.x, lv.y, lv.region);
    {
        QPainterCanvas canvas(m_image);
        const map::BriefingFrame frame = m_layer.frame(view, m_store, m_view);
        map::PaintInput in{m_store, m_settings, m_view, m_switches, &frame};
        m_renderer.paint(canvas, in);
    }
    // RGB32 rows are whole 32-bit pixels with no padding.
    return {reinterpret_cast<const uint32_t*>(m_image.constBits()), m_image.width(),
            m_image.height()};
}

}  // namespace quendar::ui
