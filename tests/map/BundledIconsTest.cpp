#include <gtest/gtest.h>

#include <algorithm>

#include "map/IconImages.h"
#include "map/IconTable.h"
#include "mission/CraftList.h"

using namespace quendar;

TEST(BundledIcons, EveryCraftTypeOfTheBundledListHasAPicture) {
    mission::CraftList list;
    ASSERT_EQ(list.load(std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT"),
              mission::CraftListLoad::Loaded);
    map::IconTable icons;
    const auto r = icons.loadFile(std::string(QUENDAR_DATA_DIR) + "/iconslist.dat");
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(r.truncated);
    EXPECT_FALSE(r.cropped);

    int largestFighter = 0, largestCapital = 0;
    for (int t = 0; t < mission::kCraftTypes; ++t) {
        const auto& e = list.entry(t);
        const auto& icon = icons.icon(t);
        ASSERT_FALSE(icon.empty()) << t << " " << e.name;
        int opaque = 0;
        for (int c = 0; c < icon.width; ++c)
            for (int row = 0; row < icon.height; ++row) {
                if (icon.transparent(c, row)) continue;
                ++opaque;
                const uint8_t* p = icon.pixel(c, row);
                EXPECT_TRUE(p[0] == p[1] &&
                            p[1] == p[2]);  // grey masks: every IFF sees the same shape
            }
        EXPECT_GT(opaque, icon.width * icon.height / 20) << t << " " << e.name;
        const int side = std::max(icon.width, icon.height);
        if (e.category == "Fighter") largestFighter = std::max(largestFighter, side);
        if (e.category == "Battleship" || e.category == "Carrier")
            largestCapital = std::max(largestCapital, side);
    }
    EXPECT_LE(largestFighter, 40);
    EXPECT_GE(largestCapital, 110);

    // Dark source pixels draw bright: the body of a fighter shows in strong green.
    const auto& fighter = icons.icon(1);
    const uint8_t* centre = fighter.pixel(fighter.width / 2, fighter.height / 2);
    ASSERT_FALSE(fighter.transparent(fighter.width / 2, fighter.height / 2));
    EXPECT_GE((map::iconPixelColour(0, centre) >> 8) & 0xFF, 150u);
}
