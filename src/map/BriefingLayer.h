#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "briefing/BriefingView.h"
#include "map/Canvas.h"
#include "map/IconTable.h"
#include "map/MapRenderer.h"
#include "map/MapView.h"
#include "mission/MissionStore.h"

namespace quendar::map {

// The dark box colour of a selection by the ship's IFF: 0 (0,155,0), 1 and 4
// (155,0,0), 2 (0,0,155), 3 (155,155,0), 5 (155,0,155); IFFs above 5 have
// none of their own and get a grey box, which no defined IFF uses.
Colour selectionBoxColour(int iff);

// Where pixel (col, row) of a cols × rows icon goes for a direction 0..3,
// relative to the ship's point on the window.
PixelPoint turnedIconOffset(int direction, int col, int row, int cols, int rows);

// A briefing icon at full size, turned to one direction; `boxed` also fills
// its transparent pixels with the selection box colour. Draw `image` with its
// top-left at (x + offsetX, y + offsetY) for the ship's point (x, y).
IconImage renderTurnedIcon(const CraftIcon& icon, int iff, int direction, bool boxed);

// The briefing's own layer: the ships, selection boxes and tags of the view
// state at the current time, placed by the map's zoom and scroll, and the
// frame (screens and bottom text) the renderer draws under them. Turned icon
// images are cached here; call iconsChanged() when the icon table changes.
class BriefingLayer {
  public:
    explicit BriefingLayer(const IconTable& icons) : m_icons(icons) {}

    // The frame of one paint. The view state, the store and the map view must
    // outlive the paint that uses the frame.
    BriefingFrame frame(const briefing::BriefingView& view, const mission::MissionStore& store,
                        const MapView& mapView);
    // Ships, then selection boxes, then tags.
    void draw(Canvas& canvas, const briefing::BriefingView& view,
              const mission::MissionStore& store, const MapView& mapView);
    void iconsChanged() { m_cache.clear(); }

    // The window point of a briefing position on the map, before the
    // scroll: zoom × value / 160.
    static double mapPixel(int value, int zoom) {
        return zoom * static_cast<double>(value) / 160.0;
    }
    // The culling test of briefing ships.
    static bool onScreen(double x, double y, const MapView& v);

  private:
    void drawShip(Canvas& c, const briefing::ShipState& s, const MapView& v, bool boxed);
    const IconImage& turned(int craftType, int iff, int direction, bool boxed);

    const IconTable& m_icons;
    std::unordered_map<uint32_t, IconImage> m_cache;
};

// The text of entry `index` of the tag strings or of the text strings of
// briefing 1; empty outside 0..127.
std::string briefingTagText(const mission::MissionStore& store, int index);
std::string briefingBottomText(const mission::MissionStore& store, int index);

}  // namespace quendar::map
