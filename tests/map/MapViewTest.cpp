#include <gtest/gtest.h>

#include "map/MapView.h"

using namespace quendar;
using map::MapView;

namespace {
MapView startedView(int w = 800, int h = 600) {
    MapView v;
    for (int i = 0; i < MapView::kCentringNotifications; ++i) v.resize(w, h);
    return v;
}
uint8_t lowCell(int16_t v) { return static_cast<uint16_t>(v) & 0xFF; }
uint8_t highCell(int16_t v) { return (static_cast<uint16_t>(v) >> 8) & 0xFF; }
}  // namespace

TEST(MapView, ClicksBecomePositionsWithSeparatelyTruncatedQuotients) {
    MapView v = startedView(800, 600);
    ASSERT_EQ(v.scrollX(), -400);
    ASSERT_EQ(v.scrollY(), -300);

    v.setMouse(400, 300);  // the origin
    EXPECT_EQ(v.clickPosition().horizontal, 0);
    EXPECT_EQ(v.clickPosition().vertical, 0);
    EXPECT_EQ(lowCell(v.clickPosition().horizontal), 0);
    EXPECT_EQ(highCell(v.clickPosition().horizontal), 0);

    // One pixel left: -640 + 638 = -2, not trunc(-1.6).
    v.setMouse(399, 300);
    EXPECT_EQ(v.clickPosition().horizontal, -2);
    // One pixel right and one down.
    v.setMouse(401, 301);
    EXPECT_EQ(v.clickPosition().horizontal, 1);
    EXPECT_EQ(v.clickPosition().vertical, 1);

    // Two's-complement cells.
    EXPECT_EQ(lowCell(-1), 0xFF);
    EXPECT_EQ(highCell(-1), 0xFF);
    EXPECT_EQ(lowCell(-256), 0x00);
    EXPECT_EQ(highCell(-256), 0xFF);
    v.setScroll(-8000, 0);  // far left at zoom 100: -12800 units
    v.setMouse(0, 0);
    EXPECT_EQ(v.clickPosition().horizontal, -12800);
}

TEST(MapView, PositionsBecomePixelsThroughKilometres) {
    EXPECT_DOUBLE_EQ(MapView::km(160), 1.0);
    EXPECT_DOUBLE_EQ(MapView::km(256), 1.6);
    EXPECT_NEAR(MapView::km(-1), -0.00625, 1e-12);  // high byte -1 × 1.6 + 255 × 0.00625
    EXPECT_NEAR(MapView::km(-160), -1.0, 1e-12);

    MapView v = startedView(800, 600);
    EXPECT_EQ(v.windowX(0), 400);
    EXPECT_EQ(v.windowX(160), 500);
    EXPECT_EQ(v.windowX(-160), 300);
    EXPECT_EQ(v.windowY(80), 350);
    // Projections pick the axes; larger Y and Z are drawn lower.
    mission::Point3 p{160, 320, -160, 1};
    EXPECT_EQ(v.project(p, 0), (map::PixelPoint{500, 500}));
    EXPECT_EQ(v.project(p, 1), (map::PixelPoint{500, 200}));
    EXPECT_EQ(v.project(p, 2), (map::PixelPoint{600, 200}));
    EXPECT_EQ(v.project(p, 9), v.project(p, 0));  // a damaged projection shows as X-Y
    // A point whose pixel is a whole number keeps it at every scroll (in
    // floating point -9.6 km × 100 comes out just below -960), and the pixel
    // is rounded down on both sides of the window's left and top edges, so a
    // point moves exactly with the scroll as it crosses them.
    struct {
        int16_t position;
        int scroll, pixel;
    } rows[] = {{-1536, -970, 10}, {-1536, -960, 0}, {-1536, -950, -10}, {-1528, -960, 5},
                {-1, -400, 399},   {-1, 0, -1},      {161, 1, 99},       {-161, 0, -101},
                {-160, 0, -100},   {-159, 0, -100},  {159, 0, 99},       {1, -1, 1}};
    for (const auto& r : rows) {
        v.setScroll(r.scroll, 0);
        EXPECT_EQ(v.windowX(r.position), r.pixel) << r.position << " at scroll " << r.scroll;
        v.setScroll(r.scroll + 3, 0);
        EXPECT_EQ(v.windowX(r.position), r.pixel - 3) << r.position << " at scroll " << r.scroll;
        v.setScroll(0, r.scroll);
        EXPECT_EQ(v.windowY(r.position), r.pixel) << r.position << " at scroll " << r.scroll;
    }
}

TEST(MapView, ReadOutShowsHundredthsOfKilometres) {
    EXPECT_EQ(MapView::formatHundredths(-105), "-1.05");
    EXPECT_EQ(MapView::formatHundredths(-5), "-0.05");
    EXPECT_EQ(MapView::formatHundredths(250), "2.50");
    EXPECT_EQ(MapView::formatHundredths(0), "0.00");
    EXPECT_EQ(MapView::formatHundredths(-100), "-1.00");

    MapView v = startedView(800, 600);
    v.setMouse(401, 299);
    EXPECT_EQ(v.readoutX(), "0.01");
    EXPECT_EQ(v.readoutY(), "-0.01");
    v.setMouse(399, 300);
    EXPECT_EQ(v.readoutX(), "-0.01");
}

TEST(MapView, ZoomStepsStopAtTheirLimits) {
    MapView v = startedView();
    for (int i = 0; i < 20; ++i) v.zoomStep(+20, false);
    EXPECT_EQ(v.zoom(), 240);
    const int sx = v.scrollX(), sy = v.scrollY();
    EXPECT_EQ(v.zoomStep(+20, false), "");
    EXPECT_EQ(v.zoom(), 240);
    EXPECT_EQ(v.previousZoom(), 240);
    EXPECT_EQ(v.scrollX(), sx);  // a refused step leaves the view alone
    EXPECT_EQ(v.scrollY(), sy);

    for (int i = 0; i < 20; ++i) v.zoomStep(-20, false);
    EXPECT_EQ(v.zoom(), 20);

    for (int i = 0; i < 30; ++i) v.wheel(+120, false);
    EXPECT_EQ(v.zoom(), 250);
    EXPECT_TRUE(v.zoomInEnabled(false));
    v.zoomStep(+20, false);
    EXPECT_EQ(v.zoom(), 250);
    for (int i = 0; i < 30; ++i) v.wheel(0, false);
    EXPECT_EQ(v.zoom(), 20);

    EXPECT_FALSE(v.zoomInEnabled(true));
    EXPECT_FALSE(v.zoomOutEnabled(true));
}

TEST(MapView, ZoomKeepsTheCentreOnceStartUpIsOver) {
    MapView v = startedView(800, 600);
    v.setScroll(600, -200);  // centre at map pixel (1000, 100) = (10 km, 1 km)
    v.zoomStep(+20, false);  // 100 -> 120
    EXPECT_EQ(v.zoom(), 120);
    EXPECT_EQ(v.previousZoom(), 100);
    EXPECT_EQ(v.scrollX(), 600 + 600 / 5 + 400 / 5);
    EXPECT_EQ(v.scrollY(), -200 + -200 / 5 + 300 / 5);
    EXPECT_EQ(v.scrollX() + 400, 1200);  // 10 km at 120 px/km
    v.zoomStep(-20, false);
    EXPECT_EQ(v.zoom(), 100);
    EXPECT_EQ(v.scrollX(), 800 - 800 / 6 - 400 / 6);

    v.wheel(+1, false);  // 100 -> 110 with step 10: divisor 10
    EXPECT_EQ(v.zoom(), 110);
}

TEST(MapView, EarlySizeNotificationsRecentreAfterAZoomStep) {
    MapView v;
    v.resize(800, 600);  // 1st
    v.setScroll(100, 100);
    v.zoomStep(+20, false);  // sends the 2nd notification: back to the centre
    EXPECT_EQ(v.scrollX(), -400);
    EXPECT_EQ(v.scrollY(), -300);
    for (int i = 0; i < 5; ++i) v.resize(800, 600);  // 7 in all
    v.setScroll(100, 100);
    v.zoomStep(+20, false);
    EXPECT_NE(v.scrollX(), -400);
}

TEST(MapView, ScrollRangesAndScrollBarRequests) {
    MapView v = startedView(800, 600);
    EXPECT_EQ(v.horizontalRange().minimum, -20400);
    EXPECT_EQ(v.horizontalRange().maximum, 20400 - 800);
    EXPECT_EQ(v.verticalRange().maximum, 20400 - 600);

    struct Case {
        map::ScrollRequest r;
        int thumb;
        int expected;
    } cases[] = {{map::ScrollRequest::LineUp, 0, -410},
                 {map::ScrollRequest::LineDown, 0, -390},
                 {map::ScrollRequest::PageUp, 0, -550},
                 {map::ScrollRequest::PageDown, 0, -250},
                 {map::ScrollRequest::ThumbTrack, 1234, 1234},
                 {map::ScrollRequest::ThumbPosition, -77, -77},
                 {map::ScrollRequest::ThumbPosition, 999999, 20400 - 800}};
    for (const auto& c : cases) {
        v.setScroll(-400, -300);
        EXPECT_TRUE(v.scroll(map::ScrollAxis::Horizontal, c.r, c.thumb, false));
        EXPECT_EQ(v.scrollX(), c.expected);
        EXPECT_EQ(v.scrollY(), -300);
    }
    v.setScroll(-400, -300);
    EXPECT_TRUE(v.scroll(map::ScrollAxis::Vertical, map::ScrollRequest::LineDown, 0, false));
    EXPECT_EQ(v.scrollY(), -290);
    EXPECT_FALSE(v.scroll(map::ScrollAxis::Vertical, map::ScrollRequest::LineDown, 0, true));
    EXPECT_EQ(v.scrollY(), -290);

    v.setScroll(50, 50);
    EXPECT_FALSE(v.centre(true));
    EXPECT_TRUE(v.centre(false));
    EXPECT_EQ(v.scrollX(), -400);
    EXPECT_EQ(v.scrollY(), -300);
}

TEST(MapView, BriefingLockRefusesViewCommands) {
    core::DisplaySettings s;
    MapView v = startedView();
    EXPECT_EQ(v.zoomStep(+20, true), map::kZoomLockedMessage);
    EXPECT_EQ(v.zoom(), 100);
    v.wheel(1, true);
    EXPECT_EQ(v.zoom(), 100);
    EXPECT_EQ(v.setRegion(2, true), map::kRegionLockedMessage);
    EXPECT_EQ(v.currentRegion(), 0);
    EXPECT_EQ(v.setRegion(2, false), "");
    EXPECT_EQ(v.currentRegion(), 2);
    EXPECT_EQ(v.setRegion(7, false), "");
    EXPECT_EQ(v.currentRegion(), 2);

    EXPECT_TRUE(v.setProjection(s, 2, false));
    EXPECT_EQ(s.projection, 2);
    EXPECT_FALSE(v.setProjection(s, 1, true));
    EXPECT_EQ(s.projection, 2);
    EXPECT_TRUE(MapView::projectionEnabled(0, true));
    EXPECT_FALSE(MapView::projectionEnabled(1, true));

    // Entering briefing mode saves the zoom and shows X-Y; leaving restores the zoom.
    v.zoomStep(+20, false);
    v.enterBriefingMode(s);
    EXPECT_EQ(s.projection, 0);
    v.applyBriefingView(32, 1600, -320, 3);
    EXPECT_EQ(v.zoom(), 32);
    EXPECT_EQ(v.scrollX(), 1600 * 32 / 160 - 400);
    EXPECT_EQ(v.scrollY(), -320 * 32 / 160 - 300);
    EXPECT_EQ(v.currentRegion(), 3);
    v.leaveBriefingMode();
    EXPECT_EQ(v.zoom(), 120);
}

TEST(MapView, TinyBriefingZoomsNeverDivideByZero) {
    MapView v = startedView(800, 600);
    v.applyBriefingView(0, 160, 160, 0);
    EXPECT_EQ(v.zoom(), 1);
    v.setMouse(10, 10);
    (void)v.clickPosition();
    (void)v.readoutX();
    v.applyBriefingView(5, 0, 0, 0);  // centre at the origin: scroll -400, -300
    v.zoomStep(+20, false);           // 5 -> 25 with 5 / 20 == 0
    EXPECT_EQ(v.zoom(), 25);
    EXPECT_EQ(v.scrollX(), -400);  // the origin stays in the middle
    v.wheel(-1, false);
    EXPECT_EQ(v.zoom(), 25);  // 15 would be below the wheel's limit
}
