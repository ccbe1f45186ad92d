#include <gtest/gtest.h>

#include "map/IconImages.h"
#include "map/RasterCanvas.h"
#include "support/CraftIcons.h"

using namespace quendar;
using core::rgb;
using map::CraftIcon;

namespace {

using quendar::testing::makeIcon;
using quendar::testing::solidIcon;

}  // namespace

// The images a paint draws must put exactly the pixels on screen that the
// one-call-per-pixel rule puts there, later source pixels winning.
TEST(IconImages, CachedImagesMatchThePixelByPixelRule) {
    map::IconTable table;
    const std::pair<int, int> sizes[] = {{32, 32}, {128, 128}, {7, 13}, {1, 1}, {33, 5}, {128, 3}};
    for (int k = 0; k < 6; ++k)
        table.setIcon(k, makeIcon(sizes[k].first, sizes[k].second, 100 + k));
    map::IconImageCache cache;
    for (int number = 0; number < 6; ++number)
        for (int iff : {0, 1, 2, 3, 4, 5, 9})
            for (int zoom : {20, 33, 60, 99, 100, 101, 240}) {
                map::RasterCanvas byPixel(300, 300, false), byImage(300, 300, false);
                byPixel.fill(rgb(1, 2, 3));
                byImage.fill(rgb(1, 2, 3));
                map::drawIconPixelByPixel(byPixel, table.icon(number), iff, zoom, 150, 150);
                const auto& img = cache.get(table, number, iff, zoom);
                byImage.drawImage(150 + img.offsetX, 150 + img.offsetY, img.image);
                ASSERT_EQ(byPixel.image().pixels, byImage.image().pixels)
                    << "icon " << number << " iff " << iff << " zoom " << zoom;
            }
    // Zooms above 100 share one image; so do IFFs above 5.
    EXPECT_EQ(&cache.get(table, 0, 1, 150), &cache.get(table, 0, 1, 240));
    EXPECT_EQ(&cache.get(table, 0, 7, 60), &cache.get(table, 0, 200, 60));
    EXPECT_NE(&cache.get(table, 0, 1, 60), &cache.get(table, 0, 4, 60));
}

TEST(IconImages, PixelsAreInvertedMasksInTheIffColour) {
    const uint8_t white[3] = {255, 255, 255};
    const uint8_t dark[3] = {10, 20, 30};
    EXPECT_EQ(map::iconPixelColour(2, white), rgb(0, 0, 0));
    EXPECT_EQ(map::iconPixelColour(0, dark), rgb(0, 235, 0));
    EXPECT_EQ(map::iconPixelColour(1, dark), rgb(245, 0, 0));
    EXPECT_EQ(map::iconPixelColour(4, dark), rgb(245, 0, 0));
    EXPECT_EQ(map::iconPixelColour(2, dark), rgb(0, 0, 225));
    EXPECT_EQ(map::iconPixelColour(3, dark), rgb(245, 235, 0));
    EXPECT_EQ(map::iconPixelColour(5, dark), rgb(245, 0, 225));
    EXPECT_EQ(map::iconPixelColour(6, dark), rgb(245, 235, 225));
    EXPECT_EQ(map::iffColour(4), map::iffColour(1));
    EXPECT_EQ(map::iffColour(3), rgb(255, 255, 0));
    EXPECT_EQ(map::iffColour(17), rgb(255, 255, 255));

    // A white pixel on a blue shipgroup is drawn black; a (0,0,0) pixel never.
    map::RasterCanvas c(50, 50);
    c.fill(rgb(9, 9, 9));
    CraftIcon two = solidIcon(2, 1, 255, 255, 255);
    two.bytes[3] = two.bytes[4] = two.bytes[5] = 0;
    map::drawIconPixelByPixel(c, two, 2, 240, 20, 20);
    EXPECT_EQ(c.pixel(19, 20), rgb(0, 0, 0));
    EXPECT_EQ(c.pixel(20, 20), rgb(9, 9, 9));
    EXPECT_EQ(c.callsOf(map::RasterCanvas::Op::Pixel).size(), 1u);
}

TEST(IconImages, IconsShrinkAtZoom100AndBelowAndStayCentred) {
    const CraftIcon icon = solidIcon(32, 32, 0, 0, 0 + 1);
    auto covered = [&](int zoom) {
        map::RasterCanvas c(200, 200, false);
        c.fill(0);
        map::drawIconPixelByPixel(c, icon, 2, zoom, 100, 100);
        int minX = 999, maxX = -1, minY = 999, maxY = -1;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                if (c.pixel(x, y) != 0) {
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                }
        return std::array<int, 4>{minX, minY, maxX, maxY};
    };
    // Zoom 60: 19 × 19 pixels from 91 to 109, centred on 100.
    EXPECT_EQ(covered(60), (std::array<int, 4>{91, 91, 109, 109}));
    EXPECT_EQ(covered(100), (std::array<int, 4>{84, 84, 115, 115}));
    EXPECT_EQ(covered(240), (std::array<int, 4>{84, 84, 115, 115}));  // full size above 100
    EXPECT_EQ(covered(20), (std::array<int, 4>{97, 97, 103, 103}));

    // Where several source pixels meet, the later one (by column, then row) wins.
    CraftIcon two = solidIcon(2, 1, 0, 100, 0);
    two.bytes[4] = 50;
    map::RasterCanvas c(20, 20, false);
    map::drawIconPixelByPixel(c, two, 0, 20, 10, 10);
    EXPECT_EQ(c.pixel(10, 10), rgb(0, 205, 0));
}

TEST(IconImages, TheCacheStartsAfreshWhenItGrowsTooLarge) {
    map::IconTable table;
    map::CraftIcon big;
    big.width = big.height = 128;
    big.bytes.assign(128 * 128 * 3, 7);
    for (int n = 0; n < 10; ++n) table.setIcon(n, big);
    map::IconImageCache cache;
    // Ten icons in seven colours at every zoom: about 155 MiB of images in all.
    size_t peak = 0;
    for (int key = 0; key < 10 * 7 * 101; ++key) {
        const int n = key / 707, iff = key / 101 % 7, zoom = key % 101 + 1;
        const auto& img = cache.get(table, n, iff, zoom);
        ASSERT_FALSE(img.image.empty());
        peak = std::max(peak, cache.bytes());
        ASSERT_LE(cache.bytes(), map::IconImageCache::kByteLimit);
    }
    EXPECT_GT(peak, map::IconImageCache::kByteLimit / 2);
    // Still correct after starting afresh.
    map::RasterCanvas a(300, 300, false), b(300, 300, false);
    map::drawIconPixelByPixel(a, table.icon(9), 3, 240, 150, 150);
    const auto& img = cache.get(table, 9, 3, 240);
    b.drawImage(150 + img.offsetX, 150 + img.offsetY, img.image);
    EXPECT_EQ(a.image().pixels, b.image().pixels);
}
