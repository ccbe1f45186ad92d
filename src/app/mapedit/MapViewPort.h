#pragma once

#include "app/editor/FramePorts.h"
#include "briefing/BriefingModel.h"
#include "core/DisplaySettings.h"
#include "map/MapView.h"
#include "map/ViewSwitches.h"

namespace quendar::app {

// The frame's map operations on the map's view state. The mode flag lives in
// the view switches (the renderer reads it) and is mirrored into the
// briefing's playback state; the lock is the briefing's.
class MapViewPort : public MapPort {
  public:
    MapViewPort(map::MapView& view, map::ViewSwitches& switches, core::DisplaySettings& settings,
                briefing::Playback& playback, const briefing::BriefingModel* briefing = nullptr)
        : m_view(view),
          m_switches(switches),
          m_settings(settings),
          m_playback(playback),
          m_briefing(briefing) {}

    int zoom() const override { return m_view.zoom(); }
    void setZoom(int zoom) override;
    bool briefingMode() const override { return m_switches.briefingMode; }
    void setBriefingMode(bool on) override;
    bool briefingLock() const override { return m_playback.briefingLock; }
    int region() const override { return m_view.currentRegion(); }
    void setRegion(int region) override { m_view.setRegion(region, false); }
    int projection() const override { return m_settings.projection; }
    void setProjection(int projection) override {
        m_view.setProjection(m_settings, projection, m_switches.briefingMode);
    }
    void zoomStep(int step) override { m_view.zoomStep(step, false); }
    void centre() override { m_view.centre(false); }
    std::pair<std::string, std::string> readout() const override {
        return {m_view.readoutX(), m_view.readoutY()};
    }
    // In briefing mode with the lock on: zoom, centre and region of the
    // briefing at its current time.
    void applyBriefingView() override;

    map::MapView& view() { return m_view; }
    bool lockEngaged() const { return m_switches.briefingMode && m_playback.briefingLock; }

  private:
    map::MapView& m_view;
    map::ViewSwitches& m_switches;
    core::DisplaySettings& m_settings;
    briefing::Playback& m_playback;
    const briefing::BriefingModel* m_briefing;
};

}  // namespace quendar::app
