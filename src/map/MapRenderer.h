#pragma once

#include <functional>
#include <string>

#include "core/DisplaySettings.h"
#include "core/Image.h"
#include "map/Canvas.h"
#include "map/IconImages.h"
#include "map/IconTable.h"
#include "map/MapView.h"
#include "map/SelectionLayer.h"
#include "map/ViewSwitches.h"
#include "mission/MissionStore.h"

namespace quendar::map {

inline constexpr int kBackdropCraftType = 183;
inline constexpr const char* kTechnicalDataText = "Technical data are showned";
inline constexpr const char* kChangingRegionText = "Changing region";

// What the briefing shows at the current briefing time, as far as the frame of
// the briefing layer needs it. The briefing work fills it in; `drawContent`
// then draws the briefing ships, the selection marks and the tags (in that
// order) on top of the frame, using the renderer's icon helpers.
struct BriefingFrame {
    bool technicalData = false;  // the latest technical-data event is on
    bool regionChange = false;   // a region-change event lies exactly at the current time
    bool hasCaption = false;
    std::string caption;  // the bottom text
    std::function<void(Canvas&)> drawContent;
};

// Everything one paint reads.
struct PaintInput {
    const mission::MissionStore& store;
    const core::DisplaySettings& settings;
    const MapView& view;
    const ViewSwitches& switches;
    const BriefingFrame* briefing = nullptr;    // used in briefing mode
    const SelectionMarks* selection = nullptr;  // drawn over the mission layer
};

// The values a paint uses for the grid: the stored settings, or the values
// chosen from the zoom where an "Auto control" box is on.
struct GridValues {
    int thickEveryKm = 4;
    int linesEveryKm = 1;
    int intersectEveryKm = 4;
    int thickWidth = 2;
};

// The paint routine of the map. It draws, in this order, the background, the
// kilometre grid and its labels, the origin axes and their captions, and then
// the mission layer (icons and waypoint paths) or, in briefing mode, the
// briefing layer. Coloured, zoom-scaled icon images are cached here, so the
// renderer lives as long as the icon table it draws from.
class MapRenderer {
  public:
    explicit MapRenderer(const IconTable& icons) : m_icons(icons) {}

    void paint(Canvas& canvas, const PaintInput& in);

    // The two briefing pictures ("technical data", "changing region"), 512 × 288.
    // Without them the briefing layer writes their texts instead.
    void setBriefingPictures(core::RgbaImage technicalData, core::RgbaImage regionChange);
    // Call after the icon table has changed.
    void iconsChanged() { m_cache.clear(); }
    // Changes whenever an image drawn by an earlier paint may have changed or
    // been freed (a frame kept from it can then not be reused).
    int imageGeneration() const { return m_pictureGeneration + m_cache.generation(); }

    static GridValues gridValues(const core::DisplaySettings& s, int zoom);

    // Draws one icon centred on (cx, cy) as the map does (cached image).
    void drawIcon(Canvas& canvas, int craftType, int iff, int zoom, int cx, int cy);
    const IconTable& icons() const { return m_icons; }
    IconImageCache& cache() { return m_cache; }

  private:
    void paintGrid(Canvas& c, const PaintInput& in);
    void paintAxes(Canvas& c, const PaintInput& in);
    void paintMissionLayer(Canvas& c, const PaintInput& in);
    void paintPath(Canvas& c, const PaintInput& in, int shipgroup, int order, PenStyle style);
    void paintBriefingFrame(Canvas& c, const PaintInput& in);

    const IconTable& m_icons;
    IconImageCache m_cache;
    core::RgbaImage m_technicalData;
    core::RgbaImage m_regionChange;
    int m_pictureGeneration = 0;
};

}  // namespace quendar::map
