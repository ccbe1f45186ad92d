#include <gtest/gtest.h>

#include <algorithm>

#include "map/BriefingPictures.h"
#include "map/MapRenderer.h"
#include "map/RasterCanvas.h"
#include "mission/ShipgroupRecord.h"
#include "support/CraftIcons.h"
#include "support/MapScene.h"

using namespace quendar;
using core::rgb;
using map::RasterCanvas;
using Op = RasterCanvas::Op;
using map::Pen;
using map::PenStyle;
namespace sg = mission::sg;

namespace {

using quendar::testing::solidIcon;

struct MapFixture : ::testing::Test, quendar::testing::MapScene {
    map::BriefingFrame briefing;

    MapFixture() {
        sizeView(800, 600);
        store.shipgroupCount = 0;
    }
    // Adds a shipgroup with start point 1 at (x, y, z) in `region`.
    int addShipgroup(int type, int iff, int x, int y, int z = 0, int region = 0) {
        const int i = store.shipgroupCount++;
        mission::ShipgroupRecord r(store, i);
        r.set(sg::craftType, static_cast<uint8_t>(type));
        r.set(sg::iff, static_cast<uint8_t>(iff));
        r.setStartPoint(0, {x, y, z, 1});
        r.set(sg::startPointRegion, static_cast<uint8_t>(region));
        return i;
    }
    void setWaypoint(int shipgroup, int order, int k, int x, int y, int enabled = 1) {
        mission::ShipgroupRecord(store, shipgroup)
            .setWaypoint(view.currentRegion(), order - 1, k - 1, {x, y, 0, enabled});
    }
    RasterCanvas paint() {
        RasterCanvas c(view.width(), view.height());
        renderer.paint(c, {store, settings, view, switches, &briefing});
        return c;
    }
    void plainGrid() {
        settings.showIntersectLabels = 0;
        settings.showOrigoAxis = 0;
        settings.showAxisCaption = 0;
    }
};

bool isVertical(const RasterCanvas::Call& c) { return c.x1 == c.x2 && c.y1 == 0; }
bool isHorizontal(const RasterCanvas::Call& c) { return c.y1 == c.y2 && c.x1 == 0; }

std::vector<int> positions(const std::vector<RasterCanvas::Call>& lines, bool vertical) {
    std::vector<int> out;
    for (const auto& l : lines)
        if (vertical ? isVertical(l) : isHorizontal(l)) out.push_back(vertical ? l.x1 : l.y1);
    return out;
}

}  // namespace

TEST(MapGrid, AutomaticValuesFollowTheZoom) {
    core::DisplaySettings s;
    s.thickAuto = s.linesAuto = s.intersectAuto = s.thickWidthAuto = 1;
    struct Row {
        int zoom, thick, lines, intersect, width;
    } rows[] = {{250, 2, 1, 2, 2}, {220, 2, 1, 2, 2},  {180, 2, 1, 2, 2},  {179, 4, 1, 4, 2},
                {140, 4, 1, 4, 2}, {100, 4, 2, 4, 2},  {99, 8, 2, 6, 2},   {80, 8, 2, 6, 2},
                {60, 8, 4, 8, 2},  {39, 16, 4, 16, 2}, {10, 16, 4, 16, 1}, {2, 16, 4, 16, 3},
                {1, 16, 4, 16, 3}};
    for (const auto& r : rows) {
        const auto g = map::MapRenderer::gridValues(s, r.zoom);
        EXPECT_EQ(g.thickEveryKm, r.thick) << r.zoom;
        EXPECT_EQ(g.linesEveryKm, r.lines) << r.zoom;
        EXPECT_EQ(g.intersectEveryKm, r.intersect) << r.zoom;
        EXPECT_EQ(g.thickWidth, r.width) << r.zoom;
    }
    s.thickAuto = s.linesAuto = s.intersectAuto = s.thickWidthAuto = 0;
    s.thickEvery = 0;  // typed into the dialog: drawn as 1 km
    s.thickWidth = 3;
    const auto g = map::MapRenderer::gridValues(s, 100);
    EXPECT_EQ(g.thickEveryKm, 1);
    EXPECT_EQ(g.thickWidth, 3);
    // With its automatic control off the width is what was typed, however
    // wide; 0 draws 1 pixel.
    for (const auto& [typed, drawn] : {std::pair{7, 7}, {0, 1}, {255, 255}, {1, 1}}) {
        s.thickWidth = typed;
        EXPECT_EQ(map::MapRenderer::gridValues(s, 20).thickWidth, drawn) << typed;
    }
}

TEST(PixelLines, WideLinesCoverTheirWholeWidth) {
    // A 7-pixel vertical line, a dashed 9-pixel horizontal one and a 6-pixel
    // diagonal on a raster canvas.
    RasterCanvas c(60, 60);
    c.fill(rgb(0, 0, 0));
    c.setPen(Pen{rgb(255, 0, 0), 7});
    c.line(10, 5, 10, 50);
    for (int x = 7; x <= 13; ++x) EXPECT_EQ(c.pixel(x, 30), rgb(255, 0, 0)) << x;
    EXPECT_EQ(c.pixel(6, 30), rgb(0, 0, 0));
    EXPECT_EQ(c.pixel(14, 30), rgb(0, 0, 0));
    c.setPen(Pen{rgb(0, 255, 0), 9, PenStyle::Dashed});
    c.line(20, 40, 58, 40);
    for (int y = 36; y <= 44; ++y) EXPECT_EQ(c.pixel(20, y), rgb(0, 255, 0)) << y;
    EXPECT_EQ(c.pixel(24, 40), rgb(0, 0, 0));  // the gap after the first dash
    c.setPen(Pen{rgb(0, 0, 255), 6});
    c.line(20, 0, 40, 20);
    int across = 0;
    for (int y = 0; y < 60; ++y) across += c.pixel(30, y) == rgb(0, 0, 255);
    EXPECT_EQ(across, 6);
    c.setPen(Pen{rgb(9, 9, 9), 0});  // nothing below one pixel
    c.line(50, 0, 50, 30);
    EXPECT_EQ(c.pixel(50, 10), rgb(9, 9, 9));
    EXPECT_EQ(c.pixel(49, 10), rgb(0, 0, 0));
    EXPECT_EQ(c.pixel(51, 10), rgb(0, 0, 0));
}

TEST_F(MapFixture, ThickLinesAndLabelsAtZoom100) {
    plainGrid();
    settings.thickAuto = 1;
    settings.showHorizontalLabels = 1;
    settings.showVerticalLabels = 1;
    const RasterCanvas c = paint();
    EXPECT_EQ(c.calls().front().op, Op::Fill);
    EXPECT_EQ(c.calls().front().colour, rgb(0, 0, 0));

    // Red map: thin (200,0,0) every km, thick (255,0,0) 2 px every 4 km.
    const auto thin = c.callsWithPen(Op::Line, rgb(200, 0, 0));
    EXPECT_EQ(positions(thin, true), (std::vector<int>{0, 100, 200, 300, 400, 500, 600, 700, 800}));
    EXPECT_EQ(positions(thin, false), (std::vector<int>{0, 100, 200, 300, 400, 500, 600}));
    const auto thick = c.callsWithPen(Op::Line, rgb(255, 0, 0));
    EXPECT_EQ(positions(thick, true), (std::vector<int>{0, 400, 800}));
    EXPECT_EQ(positions(thick, false), (std::vector<int>{300}));
    for (const auto& l : thick) EXPECT_EQ(l.pen.width, 2);

    // Labels in km at the thick positions: tops at 0 (Up), lefts at 0 (Left).
    std::vector<std::string> hLabels, vLabels;
    for (const auto& t : c.callsOf(Op::Text)) {
        EXPECT_EQ(t.colour, rgb(0, 0, 255));
        if (t.y1 == 0) hLabels.push_back(t.text + "@" + std::to_string(t.x1));
        if (t.x1 == 0 && t.y1 != 0) vLabels.push_back(t.text + "@" + std::to_string(t.y1));
    }
    EXPECT_EQ(hLabels, (std::vector<std::string>{"-4@0", "0@400", "4@800"}));
    EXPECT_EQ(vLabels, (std::vector<std::string>{"0@300"}));

    // "Down" and "Right", at another scroll and zoom.
    settings.horizontalLabelPosition = 2;
    settings.verticalLabelPosition = 2;
    view.setScroll(130, -50);
    const RasterCanvas d = paint();
    std::vector<std::string> labels;
    for (const auto& t : d.callsOf(Op::Text))
        labels.push_back(t.text + "@" + std::to_string(t.x1) + "," + std::to_string(t.y1));
    EXPECT_EQ(labels, (std::vector<std::string>{"0@-130,586", "4@270,586", "8@670,586", "0@772,50",
                                                "4@772,450"}));
}

TEST_F(MapFixture, ThinLinesFollowLinesAfterEvery) {
    plainGrid();
    settings.linesEvery = 2;
    view.setScroll(-450, -300);
    const auto thin = paint().callsWithPen(Op::Line, rgb(200, 0, 0));
    EXPECT_EQ(positions(thin, true), (std::vector<int>{50, 250, 450, 650}));
}

TEST_F(MapFixture, SideProjectionsShowOnlyTheChosenGridLines) {
    plainGrid();
    settings.showHorizontalLabels = 1;
    settings.projection = 1;  // X-Z
    settings.xzShowX = 0;
    settings.xzShowZ = 1;
    RasterCanvas c = paint();
    auto grid = c.callsWithPen(Op::Line, rgb(200, 0, 0));
    EXPECT_TRUE(positions(grid, true).empty());
    EXPECT_FALSE(positions(grid, false).empty());
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"-4", "0", "4"}));  // labels stay

    settings.projection = 2;  // Y-Z
    settings.yzShowY = 1;
    settings.yzShowZ = 0;
    c = paint();
    grid = c.callsWithPen(Op::Line, rgb(200, 0, 0));
    EXPECT_FALSE(positions(grid, true).empty());
    EXPECT_TRUE(positions(grid, false).empty());
}

TEST_F(MapFixture, IntersectLabelsAxesAndCaptions) {
    settings.mapColour = 0;
    const RasterCanvas c = paint();  // defaults: intersect labels on, auto, green; yellow axes
    std::vector<std::string> labels;
    for (const auto& t : c.callsOf(Op::Text))
        if (t.colour == rgb(0, 255, 0))
            labels.push_back(t.text + "@" + std::to_string(t.x1) + "," + std::to_string(t.y1));
    EXPECT_EQ(labels, (std::vector<std::string>{"-4;0@2,302", "0;0@402,302", "4;0@802,302"}));
    const auto boxes = c.callsWithPen(Op::Rectangle, rgb(0, 200, 0));
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].x1, 399);
    EXPECT_EQ(boxes[1].y1, 299);
    EXPECT_EQ(boxes[1].x2, 404);
    EXPECT_EQ(boxes[1].y2, 304);

    const auto axes = c.callsWithPen(Op::Line, rgb(200, 200, 0));
    ASSERT_EQ(axes.size(), 2u);
    EXPECT_EQ(axes[0].y1, 300);
    EXPECT_EQ(axes[1].x1, 400);
    EXPECT_EQ(axes[0].pen.width, 3);
    std::vector<std::string> captions;
    for (const auto& t : c.callsOf(Op::Text))
        if (t.colour == rgb(200, 200, 0))
            captions.push_back(t.text + "@" + std::to_string(t.x1) + "," + std::to_string(t.y1));
    EXPECT_EQ(captions, (std::vector<std::string>{"X AXIS@30,300", "Y AXIS@400,30"}));

    settings.projection = 2;
    settings.origoColour = 0;
    settings.showOrigoAxis = 0;
    const RasterCanvas d = paint();
    EXPECT_TRUE(d.callsWithPen(Op::Line, rgb(200, 200, 0)).empty());
    const auto texts = d.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Y AXIS"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Z AXIS"), texts.end());
}

TEST_F(MapFixture, ZeroIntervalsAndOddSettingsStillPaint) {
    settings.thickEvery = settings.linesEvery = settings.intersectEvery = 0;
    settings.intersectAuto = 0;
    settings.mapColour = settings.labelColour = settings.origoColour = 200;
    settings.projection = 77;
    const RasterCanvas c = paint();
    EXPECT_EQ(c.callsWithPen(Op::Line, rgb(0, 0, 200)).size(), 9u + 7u);  // first colour, 1 km
}

TEST_F(MapFixture, IconsFollowRegionBackdropAndVisibility) {
    plainGrid();
    settings.showIntersectLabels = 0;
    icons.setIcon(5, solidIcon(2, 2, 0));
    icons.setIcon(183, solidIcon(1, 1, 1));
    const int a = addShipgroup(5, 2, 160, 0);  // 1 km right of the origin
    addShipgroup(183, 0, 0, 160);              // a backdrop
    addShipgroup(5, 1, 0, 0, 0, 1);            // region 2
    addShipgroup(5, 1, 640, 0);                // right edge + ... 4 km: map x 400 = scrollX + W
    addShipgroup(5, 1, 656, 0);                // 4.1 km: beyond
    addShipgroup(5, 1, -1280, 0);              // -8 km: map x -800 = scrollX - W/2
    addShipgroup(5, 1, -1296, 0);              // beyond
    addShipgroup(5, 1, 0, 1440);               // 9 km down: map y 900 = scrollY + 2H
    addShipgroup(5, 1, 0, 1456);               // beyond
    (void)a;
    auto images = [&] {
        std::vector<std::pair<int, int>> out;
        for (const auto& c : paint().callsOf(Op::Image)) out.emplace_back(c.x1, c.y1);
        return out;
    };
    // Icon of 2 × 2 at zoom 100: offset -1.
    EXPECT_EQ(images(), (std::vector<std::pair<int, int>>{
                            {499, 299}, {400, 400}, {799, 299}, {-401, 299}, {399, 1199}}));
    switches.showBackdrops = false;
    EXPECT_EQ(images().size(), 4u);
    switches.showBackdrops = true;
    EXPECT_EQ(images().size(), 5u);
    view.setRegion(1, false);
    EXPECT_EQ(images(), (std::vector<std::pair<int, int>>{{399, 299}}));

    // Through the whole paint: a white mask pixel on a blue shipgroup is black.
    view.setRegion(0, false);
    icons.setIcon(5, solidIcon(1, 1, 255));
    renderer.iconsChanged();
    settings.mapColour = 1;
    const RasterCanvas c = paint();
    EXPECT_EQ(c.pixel(500, 300), rgb(0, 0, 0));
    EXPECT_EQ(c.pixel(400, 400), rgb(0, 254, 0));  // the backdrop: IFF 0, mask 1 -> green 254
}

TEST_F(MapFixture, PathsOfTheCurrentAndOtherShipgroups) {
    plainGrid();
    settings.mapColour = 2;  // keep the grid apart from the red, blue and yellow paths
    const int cur = addShipgroup(1, 2, 0, 0);
    setWaypoint(cur, 1, 1, 160, 0);
    setWaypoint(cur, 1, 2, 320, 0, 0);  // not enabled
    setWaypoint(cur, 1, 3, 320, 160);
    setWaypoint(cur, 2, 1, -160, 0);
    const int other = addShipgroup(1, 1, 0, 160);
    setWaypoint(other, 1, 1, 160, 160);
    setWaypoint(other, 2, 1, 160, 320);
    const int hidden = addShipgroup(1, 3, 0, 320);  // IFF 3 waypoints off
    setWaypoint(hidden, 1, 1, 160, 320);
    store.currentShipgroup = cur;

    // No order chosen yet: only the other shipgroup's order 1, dashed red.
    RasterCanvas c = paint();
    EXPECT_TRUE(c.callsWithPen(Op::Line, rgb(0, 0, 255)).empty());
    auto red = c.callsWithPen(Op::Line, rgb(255, 0, 0));
    ASSERT_EQ(red.size(), 1u);
    EXPECT_EQ(red[0].pen.style, map::PenStyle::Dashed);
    EXPECT_EQ(std::tie(red[0].x1, red[0].y1, red[0].x2, red[0].y2),
              std::make_tuple(400, 400, 500, 400));

    switches.currentOrder = 1;
    c = paint();
    auto blue = c.callsWithPen(Op::Line, rgb(0, 0, 255));
    ASSERT_EQ(blue.size(), 2u);
    EXPECT_EQ(blue[0].pen.style, map::PenStyle::Solid);
    EXPECT_EQ(std::tie(blue[0].x1, blue[0].y1, blue[0].x2, blue[0].y2),
              std::make_tuple(400, 300, 500, 300));
    EXPECT_EQ(std::tie(blue[1].x1, blue[1].y1, blue[1].x2, blue[1].y2),
              std::make_tuple(500, 300, 600, 400));
    auto circles = c.callsWithPen(Op::Ellipse, rgb(0, 0, 255));
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(std::tie(circles[0].x1, circles[0].y1, circles[0].x2, circles[0].y2),
              std::make_tuple(496, 296, 504, 304));
    EXPECT_TRUE(circles[0].brush.solid);
    EXPECT_EQ(circles[0].brush.colour, rgb(0, 0, 255));

    // More order switches; above zoom 100 the circles grow to radius 8.
    switches.showOrderWaypoints[1] = true;
    switches.showIffWaypoints[3] = true;
    view.zoomStep(+20, false);
    c = paint();
    EXPECT_EQ(c.callsWithPen(Op::Line, rgb(255, 0, 0)).size(), 2u);
    EXPECT_EQ(c.callsWithPen(Op::Line, rgb(255, 255, 0)).size(), 1u);
    circles = c.callsWithPen(Op::Ellipse, rgb(0, 0, 255));
    ASSERT_FALSE(circles.empty());
    EXPECT_EQ(circles[0].x2 - circles[0].x1, 16);

    // A start point in another region is left out of the path.
    mission::ShipgroupRecord(store, cur).set(sg::startPointRegion, 2);
    c = paint();
    EXPECT_EQ(c.callsWithPen(Op::Line, rgb(0, 0, 255)).size(), 1u);
    EXPECT_EQ(c.callsWithPen(Op::Ellipse, rgb(0, 0, 255)).size(), 2u);
}

TEST_F(MapFixture, BriefingFrameAndItsHook) {
    switches.briefingMode = true;
    plainGrid();
    settings.showIntersectLabels = 0;
    addShipgroup(1, 0, 0, 0);
    icons.setIcon(1, solidIcon(1, 1, 0));
    int hookCalls = 0;
    size_t callsBeforeHook = 0;
    briefing.drawContent = [&](map::Canvas& c) {
        ++hookCalls;
        callsBeforeHook = static_cast<RasterCanvas&>(c).calls().size();
        c.text(1, 1, "ship", rgb(1, 1, 1));
    };
    briefing.technicalData = true;
    briefing.hasCaption = true;
    briefing.caption = "Bottom text";
    RasterCanvas c = paint();
    EXPECT_EQ(c.calls().front().colour, rgb(0, 0, 80));
    EXPECT_TRUE(c.callsOf(Op::Image).empty());  // no mission layer in briefing mode
    const auto strip = c.callsOf(Op::Rectangle);
    ASSERT_EQ(strip.size(), 1u);
    EXPECT_EQ(std::tie(strip[0].x1, strip[0].y1, strip[0].x2, strip[0].y2),
              std::make_tuple(0, 555, 800, 600));
    EXPECT_EQ(strip[0].brush.colour, rgb(0, 0, 180));
    EXPECT_EQ(strip[0].pen.width, 2);
    EXPECT_EQ(c.texts(),
              (std::vector<std::string>{"Technical data are showned", "Bottom text", "ship"}));
    EXPECT_EQ(c.callsOf(Op::Text)[0].x1, 144);
    EXPECT_EQ(c.callsOf(Op::Text)[0].y1, 156);
    EXPECT_EQ(hookCalls, 1);
    EXPECT_EQ(callsBeforeHook + 1, c.calls().size());
    bool thick = false;
    for (const auto& l : c.callsOf(Op::Line))
        thick |= l.pen.width == 3 && l.pen.colour == rgb(0, 0, 255);
    EXPECT_TRUE(thick);

    // With pictures the screens are images; with images switched off, texts.
    renderer.setBriefingPictures(core::RgbaImage(512, 288, rgb(1, 1, 1)),
                                 core::RgbaImage(512, 288, rgb(2, 2, 2)));
    briefing.regionChange = true;
    c = paint();
    const auto pics = c.callsOf(Op::Image);
    ASSERT_EQ(pics.size(), 2u);
    EXPECT_EQ(pics[0].x1, 144);
    EXPECT_EQ(c.pixel(144, 156), rgb(2, 2, 2));
    settings.briefingImages = 0;
    c = paint();
    EXPECT_TRUE(c.callsOf(Op::Image).empty());
    EXPECT_EQ(c.texts()[1], "Changing region");
}

TEST(BriefingPictures, AreFullSizeOpaquePicturesThatDiffer) {
    const auto tech = map::technicalDataPicture();
    const auto jump = map::regionChangePicture();
    for (const auto* p : {&tech, &jump}) {
        ASSERT_EQ(p->width, 512);
        ASSERT_EQ(p->height, 288);
        for (uint32_t px : p->pixels) ASSERT_EQ(px >> 24, 0xFFu);  // premultiplied and opaque
    }
    EXPECT_NE(tech.pixels, jump.pixels);
    EXPECT_EQ(tech.at(0, 0), rgb(90, 160, 255));       // the frame
    EXPECT_EQ(jump.at(256, 144), rgb(255, 255, 255));  // the centre of the jump
}

// Rings in cyan around the selected shipgroups of the shown region, over the
// mission; the rubber band as a dashed box; nothing of either in briefing mode.
TEST_F(MapFixture, SelectionRingsTheShownRegionAndDrawsTheBand) {
    addShipgroup(1, 0, 0, 0);
    addShipgroup(1, 1, 160, 160);        // pixel (500, 400)
    addShipgroup(1, 2, 160, 160, 0, 1);  // same place, region 2
    map::SelectionMarks marks{{1, 2, 7}, true, {10, 20}, {5, 60}};
    RasterCanvas c(view.width(), view.height(), false);
    map::PaintInput in{store, settings, view, switches, nullptr, &marks};
    renderer.paint(c, in);
    const auto rings = c.callsWithPen(Op::Ellipse, rgb(0, 255, 255));
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ((rings[0].x1 + rings[0].x2) / 2, 500);
    EXPECT_EQ((rings[0].y1 + rings[0].y2) / 2, 400);
    const auto band = c.callsWithPen(Op::Rectangle, rgb(0, 255, 255));
    ASSERT_EQ(band.size(), 1u);
    EXPECT_EQ(band[0].pen.style, PenStyle::Dashed);
    EXPECT_EQ((std::vector<int>{band[0].x1, band[0].y1, band[0].x2, band[0].y2}),
              (std::vector<int>{5, 20, 10, 60}));
    // The ring's colour is none an IFF draws with.
    for (int iff = 0; iff < 8; ++iff) EXPECT_NE(map::iffColour(iff), rgb(0, 255, 255)) << iff;

    switches.briefingMode = true;
    RasterCanvas b(view.width(), view.height(), false);
    renderer.paint(b, in);
    EXPECT_TRUE(b.callsWithPen(Op::Ellipse, rgb(0, 255, 255)).empty());
}
