#include <gtest/gtest.h>

#include "map/MapDisplayForms.h"
#include "support/FormFixture.h"

using namespace quendar;
using quendar::testing::chooseAll;

TEST(MapDisplayForms, CoordinatesPropertiesWriteTheirSettingsAtOnce) {
    core::DisplaySettings s;
    map::CoordinatesPropertiesForm f(s);
    EXPECT_EQ(f.title(), "Coordinates Properties");
    EXPECT_TRUE(f.modal());
    EXPECT_EQ(f.valueOf("intersectCoordinates"), 1);
    chooseAll(f, {{"horizontalCoordinates", 1},
                  {"intersectCoordinates", 0},
                  {"labelColour", 2},
                  {"horizontalPosition", 1},
                  {"verticalPosition", 2},
                  {"intersectColour", 1},
                  {"intersectColour", 3}});  // no such button
    EXPECT_EQ(s.showHorizontalLabels, 1);
    EXPECT_EQ(s.showIntersectLabels, 0);
    EXPECT_EQ(s.labelColour, 2);
    EXPECT_EQ(s.horizontalLabelPosition, 1);
    EXPECT_EQ(s.verticalLabelPosition, 2);
    EXPECT_EQ(s.intersectColour, 1);
    EXPECT_EQ(f.itemsOf("verticalPosition"), (std::vector<std::string>{"Left", "Middle", "Right"}));
    EXPECT_EQ(f.find("labelColour")->group, "Colour of Horizontal && Vertical Coordinates");

    // The interval is read on every change of the edit; text without a number keeps it.
    f.type("intersectEvery", "1");
    EXPECT_EQ(s.intersectEvery, 1);
    f.type("intersectEvery", "12");
    EXPECT_EQ(s.intersectEvery, 12);
    f.type("intersectEvery", "");
    EXPECT_EQ(s.intersectEvery, 12);
    f.type("intersectEvery", "99999");  // the edit takes 5 characters
    EXPECT_EQ(s.intersectEvery, 65535);
    EXPECT_EQ(f.textOf("intersectEvery"), "65535");

    bool closed = false;
    auto conn = f.closeRequested.connect([&] { closed = true; });
    f.click("ok");
    EXPECT_TRUE(closed);
    EXPECT_TRUE(f.accepted);
}

TEST(MapDisplayForms, AxisModeRadioEditsTheLiveProjection) {
    core::DisplaySettings s;
    map::AxisPropertiesForm f(s);
    EXPECT_EQ(f.title(), "Axis properties");
    EXPECT_EQ(f.itemsOf("axisMode"), (std::vector<std::string>{"X-Y", "Y-Z", "X-Z"}));
    f.choose("axisMode", 1);  // "Y-Z"
    EXPECT_EQ(s.projection, 2);
    EXPECT_EQ(f.valueOf("axisMode"), 1);
    f.choose("axisMode", 2);  // "X-Z"
    EXPECT_EQ(s.projection, 1);
    s.projection = 0;
    EXPECT_EQ(f.valueOf("axisMode"), 0);

    chooseAll(f, {{"xzShowX", 1},
                  {"yzShowZ", 0},
                  {"showOrigoAxis", 0},
                  {"showCaption", 0},
                  {"origoColour", 0}});
    EXPECT_EQ(s.xzShowX, 1);
    EXPECT_EQ(s.yzShowZ, 0);
    EXPECT_EQ(s.showOrigoAxis, 0);
    EXPECT_EQ(s.showAxisCaption, 0);
    EXPECT_EQ(s.origoColour, 0);
}

TEST(MapDisplayForms, MapPropertiesKeepTheCentreAtTheOrigin) {
    core::DisplaySettings s;
    map::MapView view;
    view.resize(800, 600);
    map::MapPropertiesForm f(s, view);
    EXPECT_EQ(f.title(), "Map Properties");
    f.choose("mapColour", 0);
    f.choose("briefingMapColour", 1);
    f.type("linesEvery", "2");
    f.choose("linesAuto", 1);
    f.type("thickEvery", "300");
    f.choose("thickAuto", 1);
    f.type("thickWidth", "1");
    f.choose("thickWidthAuto", 0);
    EXPECT_EQ(s.mapColour, 0);
    EXPECT_EQ(s.briefingMapColour, 1);
    EXPECT_EQ(s.linesEvery, 2);
    EXPECT_EQ(s.linesAuto, 1);
    EXPECT_EQ(s.thickEvery, 300);  // held in full until the preferences file cuts it to a byte
    EXPECT_EQ(s.thickAuto, 1);
    EXPECT_EQ(s.thickWidth, 1);
    EXPECT_EQ(s.thickWidthAuto, 0);

    EXPECT_EQ(f.itemsOf("centreMode"), (std::vector<std::string>{"At 0,0", "At 128,128"}));
    const core::Control* centre = f.find("centreMode");
    ASSERT_TRUE(centre->itemEnabled);
    EXPECT_TRUE(centre->itemEnabled(0));
    EXPECT_FALSE(centre->itemEnabled(1));  // shown disabled
    f.choose("centreMode", 1);
    EXPECT_EQ(view.centreMode(), 0);
    EXPECT_EQ(f.valueOf("centreMode"), 0);

    // Closing sends a size notification (here still one of the centring ones).
    view.setScroll(5, 5);
    f.closed();
    EXPECT_EQ(view.scrollX(), -400);
    EXPECT_EQ(view.zoom(), 100);
}
