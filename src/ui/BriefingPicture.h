#pragma once

#include <QImage>

#include "app/animation/AnimationExport.h"
#include "core/DisplaySettings.h"
#include "map/BriefingLayer.h"
#include "map/IconTable.h"
#include "map/MapRenderer.h"
#include "map/MapView.h"
#include "map/ViewSwitches.h"
#include "mission/MissionStore.h"

namespace quendar::ui {

// The briefing as the map shows it in briefing mode, drawn into an image of
// a fixed size: the renderer and the window's canvas, the map view set to the
// briefing's locked view of each view state, the X-Y projection. `quendar-tool
// render --briefing` draws its pictures and animations with it, and the
// editor its exported animations (on the export's own thread).
class BriefingPicture : public app::FramePainter {
  public:
    // The store, settings and icons must outlive the picture.
    BriefingPicture(const mission::MissionStore& store, const core::DisplaySettings& settings,
                    const map::ViewSwitches& switches, const map::IconTable& icons, int width,
                    int height);
    app::FramePixels paint(const briefing::BriefingView& view) override;
    const QImage& image() const { return m_image; }

  private:
    const mission::MissionStore& m_store;
    core::DisplaySettings m_settings;
    map::ViewSwitches m_switches;
    map::MapView m_view;
    map::MapRenderer m_renderer;
    map::BriefingLayer m_layer;
    QImage m_image;
};

}  // namespace quendar::ui
