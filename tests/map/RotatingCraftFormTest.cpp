#include <gtest/gtest.h>

#include "map/RasterCanvas.h"
#include "map/RotatingCraftForm.h"

namespace quendar::map {
namespace {

// The bounding box of the pixels that are not black.
struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

Box litBox(const core::RgbaImage& img) {
    Box b;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if ((img.at(x, y) & 0xFFFFFF) != 0) {
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x);
                b.bottom = std::max(b.bottom, y);
            }
    return b;
}

TEST(RotatingCraftForm, TurnsTheIconAQuarterPerPressOnABlackFrame) {
    // A 5 × 2 icon, every pixel lit, one corner in another colour.
    CraftIcon icon;
    icon.width = 5;
    icon.height = 2;
    icon.bytes.assign(5 * 2 * 3, 40);
    icon.bytes[0] = 200;  // column 0, row 0
    IconTable icons;
    icons.setIcon(12, icon);

    RotatingCraftForm form(icons, 12, 1);
    int refreshes = 0;
    auto conn = form.refreshed.connect([&] { ++refreshes; });
    const core::RgbaImage start = form.find("picture")->image();
    ASSERT_EQ(start.width, RotatingCraftForm::kFrameSide);
    EXPECT_EQ(start.at(0, 0), core::rgb(0, 0, 0));
    Box b = litBox(start);
    EXPECT_EQ(b.width(), 5);
    EXPECT_EQ(b.height(), 2);

    form.click("rotate");
    EXPECT_EQ(form.direction(), 1);
    EXPECT_EQ(refreshes, 1);
    const core::RgbaImage quarter = form.find("picture")->image();
    b = litBox(quarter);
    EXPECT_EQ(b.width(), 2);  // rows became columns
    EXPECT_EQ(b.height(), 5);

    form.click("rotate");
    const core::RgbaImage half = form.find("picture")->image();
    EXPECT_EQ(litBox(half).width(), 5);
    EXPECT_NE(half.pixels, start.pixels);  // the odd corner moved
    form.click("rotate");
    form.click("rotate");
    EXPECT_EQ(form.direction(), 0);
    EXPECT_EQ(form.find("picture")->image().pixels, start.pixels);

    // The frame goes through the canvas: a black fill, then the icon.
    RasterCanvas canvas(RotatingCraftForm::kFrameSide, RotatingCraftForm::kFrameSide);
    form.draw(canvas);
    ASSERT_EQ(canvas.calls().size(), 2u);
    EXPECT_EQ(canvas.calls()[0].op, RasterCanvas::Op::Fill);
    EXPECT_EQ(canvas.calls()[1].op, RasterCanvas::Op::Image);

    form.click("rotate");
    form.click("ok");
    EXPECT_TRUE(form.accepted);
    EXPECT_EQ(form.direction(), 1);
}

}  // namespace
}  // namespace quendar::map
