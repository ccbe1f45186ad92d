#include "map/MapRenderer.h"

#include <algorithm>
#include <string>

namespace quendar::map {

using core::rgb;

namespace {

// A colour setting read from the preferences file may hold any byte; values
// without an entry draw with the first one.
template <size_t N>
Colour pick(const Colour (&table)[N], int index) {
    return index >= 0 && index < static_cast<int>(N) ? table[index] : table[0];
}

constexpr Colour kThinMap[] = {rgb(0, 0, 200), rgb(200, 0, 0), rgb(0, 200, 0)};
constexpr Colour kThickMap[] = {rgb(0, 0, 255), rgb(255, 0, 0), rgb(0, 255, 0)};
constexpr Colour kBriefingGrid[] = {rgb(0, 0, 255), rgb(255, 0, 0)};
constexpr Colour kLabel[] = {rgb(0, 0, 255), rgb(225, 0, 0), rgb(0, 255, 0)};
constexpr Colour kOrigo[] = {rgb(0, 0, 255), rgb(200, 200, 0)};

// The positions of grid lines of one step along one axis: x starts at
// −(scroll rem step) (remainder with the sign of the scroll) and grows by the
// step up to the far edge.
template <typename F>
void forEachLine(int scroll, int step, int extent, F&& f) {
    if (step <= 0) return;
    for (long long x = -(scroll % step); x <= extent; x += step) f(static_cast<int>(x));
}

// An interval of 0 km (typed into a dialog) would put every line on the same
// place; it is drawn as 1 km.
int atLeastOne(int km) { return std::max(km, 1); }

}  // namespace

GridValues MapRenderer::gridValues(const core::DisplaySettings& s, int zoom) {
    GridValues v;
    int thick, lines, intersect;
    if (zoom >= 180) {
        thick = 2, lines = 1, intersect = 2;
    } else if (zoom >= 140) {
        thick = 4, lines = 1, intersect = 4;
    } else if (zoom >= 100) {
        thick = 4, lines = 2, intersect = 4;
    } else if (zoom >= 80) {
        thick = 8, lines = 2, intersect = 6;
    } else if (zoom >= 40) {
        thick = 8, lines = 4, intersect = 8;
    } else {
        thick = 16, lines = 4, intersect = 16;
    }
    v.thickEveryKm = atLeastOne(s.thickAuto ? thick : s.thickEvery);
    v.linesEveryKm = atLeastOne(s.linesAuto ? lines : s.linesEvery);
    v.intersectEveryKm = atLeastOne(s.intersectAuto ? intersect : s.intersectEvery);
    if (s.thickWidthAuto)
        v.thickWidth = (zoom == 1 || zoom == 2) ? 3 : zoom == 10 ? 1 : 2;
    else
        v.thickWidth = std::clamp(s.thickWidth, 1, kMaxPenWidth);  // 0 draws 1 px
    return v;
}

void MapRenderer::setBriefingPictures(core::RgbaImage technicalData, core::RgbaImage regionChange) {
    m_technicalData = std::move(technicalData);
    m_regionChange = std::move(regionChange);
    ++m_pictureGeneration;
}

void MapRenderer::paint(Canvas& c, const PaintInput& in) {
    m_cache.startPaint();
    c.fill(in.switches.briefingMode ? rgb(0, 0, 80) : rgb(0, 0, 0));
    paintGrid(c, in);
    if (in.view.centreMode() == 0) paintAxes(c, in);
    if (in.switches.briefingMode)
        paintBriefingFrame(c, in);
    else
        paintMissionLayer(c, in);
    if (in.selection) paintSelection(c, in, *in.selection);
}

// Thin lines follow "Lines after every" (1 km unless the user chose another
// interval or the automatic value); thick lines follow "Thick lines after
// every". Labels sit at the thick-line positions whether or not the lines of
// that direction are shown.
void MapRenderer::paintGrid(Canvas& c, const PaintInput& in) {
    const auto& s = in.settings;
    const MapView& v = in.view;
    const int z = v.zoom();
    const int W = v.width(), H = v.height();
    const bool briefing = in.switches.briefingMode;
    const GridValues g = gridValues(s, z);
    const int projection = MapView::normalProjection(s.projection);

    const bool vertical =
        projection == 0 || (projection == 1 && s.xzShowX) || (projection == 2 && s.yzShowY);
    const bool horizontal =
        projection == 0 || (projection == 1 && s.xzShowZ) || (projection == 2 && s.yzShowZ);

    const Pen thin{
        briefing ? pick(kBriefingGrid, s.briefingMapColour) : pick(kThinMap, s.mapColour), 1};
    const Pen thick{
        briefing ? pick(kBriefingGrid, s.briefingMapColour) : pick(kThickMap, s.mapColour),
        briefing ? 3 : g.thickWidth};
    c.setBrush(Brush::none());

    const int thinStep = z * g.linesEveryKm;
    const int thickStep = z * g.thickEveryKm;
    c.setPen(thin);
    if (vertical) forEachLine(v.scrollX(), thinStep, W, [&](int x) { c.line(x, 0, x, H); });
    if (horizontal) forEachLine(v.scrollY(), thinStep, H, [&](int y) { c.line(0, y, W, y); });
    c.setPen(thick);
    if (vertical) forEachLine(v.scrollX(), thickStep, W, [&](int x) { c.line(x, 0, x, H); });
    if (horizontal) forEachLine(v.scrollY(), thickStep, H, [&](int y) { c.line(0, y, W, y); });

    const Colour labelColour = pick(kLabel, s.labelColour);
    // The thick lines' kilometre labels, across at the top, middle or bottom
    // and down at the left, middle or right; `place` is 0, 1 or 2.
    auto labels = [&](bool horizontal, int place, int middle, int far) {
        const int at = place == 1 ? middle : place == 2 ? far : 0;
        const int scroll = horizontal ? v.scrollX() : v.scrollY();
        forEachLine(scroll, thickStep, horizontal ? W : H, [&](int p) {
            const std::string km = std::to_string((scroll + p) / z);
            if (horizontal)
                c.text(p, at, km, labelColour);
            else
                c.text(at, p, km, labelColour);
        });
    };
    if (s.showHorizontalLabels) labels(true, s.horizontalLabelPosition, H / 2, H - 14);
    if (s.showVerticalLabels) labels(false, s.verticalLabelPosition, W / 2, W - 28);
    // Each grid point gets its "km;km" text and a small open box in the thin
    // pen of the intersect colour (the box is not filled: a filled one would
    // hide the grid crossing it marks).
    if (s.showIntersectLabels) {
        const int step = z * g.intersectEveryKm;
        const Colour textColour = pick(kLabel, s.intersectColour);
        c.setPen(Pen{pick(kThinMap, s.intersectColour), 1});
        forEachLine(v.scrollX(), step, W, [&](int x) {
            const std::string h = std::to_string((v.scrollX() + x) / z) + ";";
            forEachLine(v.scrollY(), step, H, [&](int y) {
                c.text(x + 2, y + 2, h + std::to_string((v.scrollY() + y) / z), textColour);
                c.rectangle(x - 1, y - 1, x + 4, y + 4);
            });
        });
    }
}

void MapRenderer::paintAxes(Canvas& c, const PaintInput& in) {
    const auto& s = in.settings;
    const MapView& v = in.view;
    const Colour colour = pick(kOrigo, s.origoColour);
    if (s.showOrigoAxis) {
        c.setPen(Pen{colour, 3});
        c.line(0, -v.scrollY(), v.width(), -v.scrollY());
        c.line(-v.scrollX(), 0, -v.scrollX(), v.height());
    }
    if (s.showAxisCaption) {
        static constexpr const char* kNames[3][2] = {
            {"X AXIS", "Y AXIS"}, {"X AXIS", "Z AXIS"}, {"Y AXIS", "Z AXIS"}};
        const int p = MapView::normalProjection(s.projection);
        c.text(30, -v.scrollY(), kNames[p][0], colour);
        c.text(-v.scrollX(), 30, kNames[p][1], colour);
    }
}

void MapRenderer::drawIcon(Canvas& canvas, int craftType, int iff, int zoom, int cx, int cy) {
    const IconImage& img = m_cache.get(m_icons, craftType, iff, zoom);
    if (img.image.empty()) return;
    canvas.drawImage(cx + img.offsetX, cy + img.offsetY, img.image, img.runs);
}

}  // namespace quendar::map
