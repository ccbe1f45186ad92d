#include <gtest/gtest.h>

#include "map/BriefingLayer.h"
#include "map/RasterCanvas.h"

namespace quendar::map {
namespace {

using core::rgb;
using mission::Table;

// A 3 × 2 icon whose pixels all differ; pixel (2, 1) is transparent. Drawn
// for IFF 3 a pixel shows (255 − b0, 255 − b1, 0) = (55 + 10 col, 55 + 10 row, 0).
CraftIcon asymmetricIcon() {
    CraftIcon icon;
    icon.width = 3;
    icon.height = 2;
    icon.bytes.resize(3 * 2 * 3);
    for (int col = 0; col < 3; ++col)
        for (int row = 0; row < 2; ++row) {
            uint8_t* p = &icon.bytes[(static_cast<size_t>(col) * 2 + row) * 3];
            if (col == 2 && row == 1) continue;  // all three bytes 0
            p[0] = static_cast<uint8_t>(200 - 10 * col);
            p[1] = static_cast<uint8_t>(200 - 10 * row);
            p[2] = 0;
        }
    return icon;
}

Colour drawnColour(int col, int row) { return rgb(55 + 10 * col, 55 + 10 * row, 0); }

struct LayerFixture : ::testing::Test {
    IconTable icons;
    mission::MissionStore store;
    MapView view;
    BriefingLayer layer{icons};
    RasterCanvas canvas{200, 100};

    LayerFixture() {
        icons.setIcon(9, asymmetricIcon());
        view.resize(200, 100);
        // Zoom 160: one position unit is one pixel; (0, 0) in the middle, so
        // a position (x, y) lands on the window at (x + 100, y + 50).
        view.applyBriefingView(160, 0, 0, 0);
    }
};

TEST_F(LayerFixture, FourDirectionsSelectionBoxAndTag) {
    briefing::BriefingView b;
    // One ship per direction, each with its point on the window at (px, py).
    const int px[4] = {20, 70, 120, 170}, py = 30;
    for (int d = 0; d < 4; ++d) b.ships.push_back({d, 9, 3, px[d] - 100, py - 50, d});
    layer.draw(canvas, b, store, view);

    const int cols = 3, rows = 2;
    for (int col = 0; col < cols; ++col)
        for (int row = 0; row < rows; ++row) {
            // Where each direction puts pixel (col, row), written out.
            const int x[4] = {px[0] + col - cols / 2, px[1] + row - rows / 2,
                              px[2] + (cols - col) - cols / 2, px[3] + (rows - row) - rows / 2};
            const int y[4] = {py + row - rows / 2, py + col - cols / 2,
                              py + (rows - row) - rows / 2, py + (cols - col) - cols / 2};
            for (int d = 0; d < 4; ++d) {
                const Colour want = col == 2 && row == 1 ? rgb(0, 0, 0) : drawnColour(col, row);
                EXPECT_EQ(canvas.pixel(x[d], y[d]), want)
                    << "direction " << d << " pixel " << col << "," << row;
            }
        }

    // The same ship selected: the transparent pixel gets the dark box colour
    // of IFF 3, the others their IFF colour as before.
    RasterCanvas boxed(200, 100);
    briefing::BriefingView s;
    s.selections.push_back({1, {0, 9, 3, -80, -20, 0}});
    // A tag of colour 2 at (−30, 5) has its top-left at (70, 55).
    store.setText(Table::Briefing1Tags, 4, 0, 255, "Depot");
    s.tags.push_back({1, 4, -30, 5, 2});
    layer.draw(boxed, s, store, view);
    EXPECT_EQ(boxed.pixel(20 + 2 - 1, 30 + 1 - 1), rgb(155, 155, 0));
    EXPECT_EQ(boxed.pixel(20 + 0 - 1, 30 + 0 - 1), drawnColour(0, 0));
    const auto texts = boxed.callsOf(RasterCanvas::Op::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Depot");
    EXPECT_EQ(texts[0].x1, 70);
    EXPECT_EQ(texts[0].y1, 55);
    EXPECT_EQ(texts[0].colour, rgb(0, 0, 255));
}

TEST_F(LayerFixture, ColoursByIffAndCulling) {
    // Box colours and tag colours by IFF, 4 drawing like 1.
    const Colour boxes[6] = {rgb(0, 155, 0),   rgb(155, 0, 0), rgb(0, 0, 155),
                             rgb(155, 155, 0), rgb(155, 0, 0), rgb(155, 0, 155)};
    const Colour tags[6] = {rgb(0, 255, 0),   rgb(255, 0, 0), rgb(0, 0, 255),
                            rgb(255, 255, 0), rgb(255, 0, 0), rgb(255, 0, 255)};
    for (int iff = 0; iff < 6; ++iff) {
        EXPECT_EQ(selectionBoxColour(iff), boxes[iff]) << iff;
        RasterCanvas c(200, 100);
        briefing::BriefingView b;
        b.tags.push_back({1, 0, 0, 0, iff});
        layer.draw(c, b, store, view);
        EXPECT_EQ(c.callsOf(RasterCanvas::Op::Text).at(0).colour, tags[iff]) << iff;
    }

    // A ship is drawn while its point lies within [scrollX − W/2, scrollX + W]
    // across and [scrollY − H/2, scrollY + 2H] down, bounds included.
    // scrollX = −100, scrollY = −50 here: x from −200 to 100, y from −100 to 150.
    auto drawn = [&](int x, int y) {
        RasterCanvas c(200, 100);
        briefing::BriefingView b;
        b.ships.push_back({0, 9, 3, x, y, 0});
        layer.draw(c, b, store, view);
        return !c.callsOf(RasterCanvas::Op::Image).empty();
    };
    EXPECT_TRUE(drawn(100, 0));
    EXPECT_FALSE(drawn(101, 0));
    EXPECT_TRUE(drawn(-200, 150));
    EXPECT_FALSE(drawn(-201, 0));
    EXPECT_FALSE(drawn(0, 151));
    EXPECT_FALSE(drawn(0, -101));
}

}  // namespace
}  // namespace quendar::map
