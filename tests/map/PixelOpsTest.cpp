#include <gtest/gtest.h>

#include "map/PixelOps.h"

using namespace quendar;
using core::RgbaImage;

namespace {

struct Surface {
    RgbaImage image;
    map::PixelBuffer buffer;
    Surface(int w, int h) : image(w, h, 0u) { buffer = {image.pixels.data(), w, h, w}; }
    int count(uint32_t c) const {
        return static_cast<int>(std::count(image.pixels.begin(), image.pixels.end(), c));
    }
};

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;

}  // namespace

TEST(PixelOps, LinesIncludeBothEndsAndAreClipped) {
    Surface s(20, 10);
    map::drawLine(s.buffer, 2, 3, 12, 3, kRed, 1, false);
    EXPECT_EQ(s.count(kRed), 11);
    EXPECT_EQ(s.image.at(2, 3), kRed);
    EXPECT_EQ(s.image.at(12, 3), kRed);

    // A diagonal walks one pixel per step, whichever way it is drawn.
    Surface d(20, 20);
    map::drawLine(d.buffer, 15, 15, 0, 0, kRed, 1, false);
    for (int i = 0; i <= 15; ++i) EXPECT_EQ(d.image.at(i, i), kRed) << i;
    EXPECT_EQ(d.count(kRed), 16);

    // End points far outside: only the visible part is drawn, and it matches
    // the same line drawn on a surface large enough to hold it.
    Surface clipped(50, 50);
    map::drawLine(clipped.buffer, -100000, -40000, 100000, 40050, kBlue, 1, false);
    EXPECT_GT(clipped.count(kBlue), 40);
    EXPECT_LE(clipped.count(kBlue), 50);
    Surface steep(50, 50);
    map::drawLine(steep.buffer, 10, -70000, 30, 70000, kBlue, 1, true);
    EXPECT_GT(steep.count(kBlue), 25);
    EXPECT_LT(steep.count(kBlue), 40);
    // Entirely outside: nothing, and no write outside the buffer (sanitizers watch).
    Surface none(10, 10);
    map::drawLine(none.buffer, -5, -5, -1, 30, kBlue, 3, false);
    map::drawLine(none.buffer, 10, 0, 40, 9, kBlue, 1, true);
    EXPECT_EQ(none.count(kBlue), 0);
}

TEST(PixelOps, DashesAndWidePens) {
    Surface s(12, 3);
    map::drawLine(s.buffer, 0, 1, 11, 1, kRed, 1, true);
    std::string pattern;
    for (int x = 0; x < 12; ++x) pattern += s.image.at(x, 1) == kRed ? '#' : '.';
    EXPECT_EQ(pattern, "####..####..");

    // A 3-pixel horizontal line is centred on its row; a 2-pixel one takes the row above.
    Surface w(10, 10);
    map::drawLine(w.buffer, 0, 5, 9, 5, kRed, 3, false);
    EXPECT_EQ(w.count(kRed), 30);
    EXPECT_EQ(w.image.at(0, 4), kRed);
    EXPECT_EQ(w.image.at(0, 6), kRed);
    map::drawLine(w.buffer, 3, 0, 3, 9, kBlue, 2, false);
    EXPECT_EQ(w.image.at(2, 0), kBlue);
    EXPECT_EQ(w.image.at(3, 9), kBlue);
    EXPECT_EQ(w.image.at(4, 0), 0u);
}

TEST(PixelOps, CirclesHaveARingAndAFilling) {
    Surface s(20, 20);
    // Radius 4 around (10, 10), as a waypoint is drawn.
    map::drawEllipse(s.buffer, 6, 6, 14, 14, true, kRed, true, kBlue);
    EXPECT_EQ(s.image.at(10, 10), kBlue);
    EXPECT_EQ(s.image.at(6, 10), kRed);
    EXPECT_EQ(s.image.at(13, 10), kRed);
    EXPECT_EQ(s.image.at(10, 6), kRed);
    EXPECT_EQ(s.image.at(6, 6), 0u);  // the corner of the box is outside
    EXPECT_EQ(s.image.at(14, 10), 0u);
    // Symmetric: mirrored pixels inside the 8 × 8 box agree.
    for (int y = 6; y < 14; ++y)
        for (int x = 6; x < 14; ++x) {
            EXPECT_EQ(s.image.at(x, y), s.image.at(19 - x, y)) << x << "," << y;
            EXPECT_EQ(s.image.at(x, y), s.image.at(x, 19 - y)) << x << "," << y;
        }
    const int ring = s.count(kRed), inside = s.count(kBlue);
    EXPECT_GT(ring, 16);
    EXPECT_GT(inside, 16);

    // Half outside the surface: the visible half only.
    Surface edge(10, 10);
    map::drawEllipse(edge.buffer, -4, 2, 4, 10, false, kRed, true, kBlue);
    EXPECT_GT(edge.count(kBlue), 10);
    map::drawEllipse(edge.buffer, 40, 40, 48, 48, true, kRed, true, kRed);
    EXPECT_EQ(edge.count(kRed), 0);
}

TEST(PixelOps, ImagesCopyOpaqueAndSkipTransparentPixels) {
    Surface s(6, 6);
    map::fillRect(s.buffer, 0, 0, 6, 6, kBlue);
    RgbaImage img(3, 2, 0u);
    img.set(0, 0, 0xFF000000u);  // opaque black
    img.set(2, 1, kRed);
    img.set(1, 0, 0x80400000u);           // half-covered, premultiplied
    map::drawImage(s.buffer, 4, 5, img);  // partly outside
    EXPECT_EQ(s.image.at(4, 5), 0xFF000000u);
    EXPECT_EQ(s.image.at(5, 5), 0xFF40007Fu);
    map::drawImage(s.buffer, 1, 1, img);
    EXPECT_EQ(s.image.at(1, 1), 0xFF000000u);
    EXPECT_EQ(s.image.at(3, 2), kRed);
    EXPECT_EQ(s.image.at(2, 2), kBlue);  // transparent: left alone
    map::drawImage(s.buffer, -10, -10, img);
    map::drawImage(s.buffer, 6, 0, img);
}

// A waypoint circle has the same colour for ring and inside and is then drawn
// as one run per row; it must equal the ring and the inside drawn apart, in
// every size the map uses and cut at each edge of the surface.
TEST(PixelOps, OneColourCirclesEqualRingPlusInside) {
    const struct {
        int x, y, size;
    } cases[] = {{6, 6, 8},   {2, 3, 16}, {-5, 4, 16}, {14, 4, 16},
                 {4, -7, 16}, {4, 15, 8}, {-3, -3, 9}, {18, 17, 5}};
    for (const auto& c : cases) {
        Surface fast(22, 20), apart(22, 20);
        const map::EllipseShape shape = map::makeEllipseShape(c.size, c.size);
        map::drawEllipse(fast.buffer, c.x, c.y, shape, true, kRed, true, kRed);
        map::drawEllipse(apart.buffer, c.x, c.y, shape, true, kRed, false, 0);
        map::drawEllipse(apart.buffer, c.x, c.y, shape, false, 0, true, kRed);
        EXPECT_EQ(fast.image.pixels, apart.image.pixels) << c.x << "," << c.y << " size " << c.size;
        EXPECT_GT(fast.count(kRed), 0);
    }
}

// Icons are drawn from their runs of opaque pixels; the result must be the
// plain image copy wherever the icon lands, cut at each edge, and an image
// with a half-covered pixel has no runs and blends as before.
TEST(PixelOps, ImageRunsDrawTheSamePixelsAsTheImage) {
    RgbaImage icon(7, 5, 0u);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            if ((x * 3 + y) % 4 != 0 && !(y == 2 && x > 1))
                icon.set(x, y, 0xFF000000u | (x * 40 + y));
    icon.set(6, 2, kRed);  // a run alone at the row's end
    const map::ImageRuns runs = map::findImageRuns(icon);
    ASSERT_FALSE(runs.empty());
    const struct {
        int x, y;
    } places[] = {{3, 3}, {-4, 2}, {-7, 2}, {9, 1}, {2, -3}, {1, 8}, {-2, -2}, {8, 7}, {20, 0}};
    for (const auto& p : places) {
        Surface fast(12, 10), plain(12, 10);
        map::fillRect(fast.buffer, 0, 0, 12, 10, kBlue);
        map::fillRect(plain.buffer, 0, 0, 12, 10, kBlue);
        map::drawImage(fast.buffer, p.x, p.y, icon, runs);
        map::drawImage(plain.buffer, p.x, p.y, icon);
        EXPECT_EQ(fast.image.pixels, plain.image.pixels) << p.x << "," << p.y;
    }

    RgbaImage soft = icon;
    soft.set(3, 4, 0x80400000u);
    EXPECT_TRUE(map::findImageRuns(soft).empty());
    Surface fast(12, 10), plain(12, 10);
    map::drawImage(fast.buffer, 2, 2, soft, map::findImageRuns(soft));
    map::drawImage(plain.buffer, 2, 2, soft);
    EXPECT_EQ(fast.image.pixels, plain.image.pixels);
    EXPECT_EQ(plain.image.at(5, 6), 0x80400000u);
}
