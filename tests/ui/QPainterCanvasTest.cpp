#include <gtest/gtest.h>

// The mission headers come before any Qt header: Qt's `slots` keyword macro
// would otherwise rewrite the store's table shape.
#include <QImage>
#include <QPainter>

#include "map/MapRenderer.h"
#include "map/RasterCanvas.h"
#include "mission/ShipgroupRecord.h"
#include "support/CraftIcons.h"
#include "ui/MapFrame.h"
#include "ui/QPainterCanvas.h"

using namespace quendar;
using core::rgb;
namespace sg = mission::sg;

namespace {

using quendar::testing::patternIcon;

}  // namespace

// The window paints the map into an image through the Qt canvas; without texts
// that image must hold exactly the pixels of the raster canvas, which the map
// tests check against the drawing rules.
TEST(QPainterCanvas, ImagePaintEqualsTheRasterCanvas) {
    mission::MissionStore store;
    core::DisplaySettings settings;
    settings.showIntersectLabels = 0;
    settings.showAxisCaption = 0;
    settings.thickWidthAuto = 0;
    settings.thickWidth = 3;
    map::MapView view;
    for (int i = 0; i < 7; ++i) view.resize(640, 400);
    map::ViewSwitches switches;
    switches.showOrderWaypoints = {true, true, true, true};
    switches.showIffWaypoints = {true, true, true, true, true, true};
    switches.currentOrder = 1;
    map::IconTable icons;
    store.shipgroupCount = 12;
    for (int i = 0; i < 12; ++i) {
        icons.setIcon(i, patternIcon(20 + i * 9, 16 + i * 7, i));
        mission::ShipgroupRecord r(store, i);
        r.set(sg::craftType, static_cast<uint8_t>(i));
        r.set(sg::iff, static_cast<uint8_t>(i % 7));
        r.setStartPoint(0, {-500 + i * 90, -300 + i * 50, 0, 1});
        for (int k = 0; k < 8; ++k)
            r.setWaypoint(0, i % 4, k,
                          {-600 + (i * 131 + k * 97) % 1200, -350 + (i * 71 + k * 53) % 700, 0, 1});
    }
    map::MapRenderer renderer(icons);

    for (int zoom : {60, 100, 240}) {
        while (view.zoom() < zoom) view.wheel(1, false);
        while (view.zoom() > zoom) view.wheel(-1, false);
        map::PaintInput in{store, settings, view, switches, nullptr};
        map::RasterCanvas raster(640, 400, false);
        renderer.paint(raster, in);
        QImage image(640, 400, QImage::Format_ARGB32_Premultiplied);
        {
            ui::QPainterCanvas canvas(image);
            renderer.paint(canvas, in);
        }
        int differing = 0;
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 640; ++x) differing += image.pixel(x, y) != raster.pixel(x, y);
        EXPECT_EQ(differing, 0) << "zoom " << zoom;
    }
}

// On other devices QPainter draws; boxes keep their exclusive right and bottom edges.
TEST(QPainterCanvas, PainterBoxesCoverTheSamePixels) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter p(&image);
        ui::QPainterCanvas c(p, 20, 20);
        c.setPen({rgb(255, 0, 0), 1});
        c.setBrush(map::Brush::of(rgb(0, 0, 255)));
        c.rectangle(2, 3, 8, 9);
        c.setBrush(map::Brush::none());
        c.line(10, 1, 15, 1);
    }
    EXPECT_EQ(image.pixel(2, 3), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(7, 8), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(8, 8), 0xFF000000u);
    EXPECT_EQ(image.pixel(7, 9), 0xFF000000u);
    EXPECT_EQ(image.pixel(4, 5), 0xFF0000FFu);
    EXPECT_EQ(image.pixel(10, 1), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(15, 1), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(16, 1), 0xFF000000u);
}

namespace {

// Grid, intersect and axis labels (some held to the window's edges), icons
// and a path, in a 400 × 300 window.
struct LabelledScene {
    LabelledScene() {
        settings.showHorizontalLabels = settings.showVerticalLabels = 1;
        settings.horizontalLabelPosition = 2;
        for (int i = 0; i < 7; ++i) view.resize(400, 300);
        store.shipgroupCount = 6;
        for (int i = 0; i < 6; ++i) {
            icons.setIcon(i, patternIcon(30, 24, i));
            mission::ShipgroupRecord r(store, i);
            r.set(sg::craftType, static_cast<uint8_t>(i));
            r.set(sg::iff, static_cast<uint8_t>(i));
            r.setStartPoint(0, {-200 + i * 70, -120 + i * 45, 0, 1});
            for (int k = 0; k < 4; ++k)
                r.setWaypoint(0, 0, k, {-300 + i * 110 + k * 40, 150 - k * 90, 0, 1});
        }
    }
    map::PaintInput input() const { return {store, settings, view, switches, nullptr}; }
    mission::MissionStore store;
    core::DisplaySettings settings;
    map::MapView view;
    map::ViewSwitches switches;
    map::IconTable icons;
    map::MapRenderer renderer{icons};
    const QSize size{400, 300};
};

}  // namespace

// The window's kept frame with real texts: after each scroll step it holds
// the pixels of a whole paint of the same view, at 100 % and at 200 %.
TEST(MapFrame, ScrolledFrameEqualsAWholePaintWithTexts) {
    for (const double scale : {1.0, 2.0}) {
        LabelledScene s;
        ui::MapFrame kept;
        kept.setScale(scale);
        kept.paint(s.renderer, s.input(), s.size);
        for (const auto& [dx, dy] : {std::pair{10, 0}, {-30, 0}, {0, 10}, {0, -30}, {13, 7}}) {
            for (int k = 0; k < 3; ++k) {
                s.view.setScroll(s.view.scrollX() + dx, s.view.scrollY() + dy);
                const QImage scrolled = kept.paint(s.renderer, s.input(), s.size).copy();
                ui::MapFrame fresh;
                fresh.setScale(scale);
                EXPECT_EQ(scrolled, fresh.paint(s.renderer, s.input(), s.size))
                    << scale << ": " << dx << "," << dy << " step " << k;
            }
            EXPECT_NE(kept.kept().drawn().front().area(), 400 * 300) << "the frame was moved";
        }
    }
}

// At 200 % every logical pixel outside the texts' places is two by two
// screen pixels of its 100 % colour; the texts are drawn at the screen's
// resolution, not enlarged.
TEST(MapFrame, ScaledFrameEnlargesAllButTexts) {
    LabelledScene s;
    s.view.setScroll(s.view.scrollX() + 37, s.view.scrollY() - 23);
    ui::MapFrame plain, doubled;
    doubled.setScale(2.0);
    const QImage one = plain.paint(s.renderer, s.input(), s.size).copy();
    const QImage two = doubled.paint(s.renderer, s.input(), s.size);
    ASSERT_EQ(two.size(), QSize(800, 600));
    EXPECT_EQ(two.devicePixelRatio(), 2.0);
    const auto calls = plain.kept().list().textCalls({0, 0, 400, 300});
    ASSERT_GE(calls.size(), 4u);
    int differing = 0, sharp = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const QRgb p = two.pixel(2 * x, 2 * y);
            const bool block = p == two.pixel(2 * x + 1, 2 * y) &&
                               p == two.pixel(2 * x, 2 * y + 1) &&
                               p == two.pixel(2 * x + 1, 2 * y + 1);
            if (std::any_of(calls.begin(), calls.end(), [&](const auto& c) {
                    return c.place.intersects({x, y, x + 1, y + 1});
                }))
                sharp += !block;
            else
                differing += !block || p != one.pixel(x, y);
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(sharp, 100);
}
