#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "mission/CraftList.h"

using namespace quendar::mission;

TEST(ShipListData, BundledShipListDefinesEveryCraftType) {
    CraftList list;
    CraftListReport report;
    ASSERT_EQ(list.load(std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT", &report),
              CraftListLoad::Loaded);
    EXPECT_EQ(report.linesTaken, kCraftTypes);
    EXPECT_EQ(report.linesRejected, 0);
    EXPECT_EQ(report.fieldsCut, 0);

    std::set<std::string> names;
    for (int t = 0; t < kCraftTypes; ++t) {
        const CraftEntry& e = list.entry(t);
        EXPECT_NE(e.category, "None") << t;
        EXPECT_FALSE(e.name.empty()) << t;
        EXPECT_EQ(e.name.find('\n'), std::string::npos) << t;
        if (t == 0) continue;  // the placeholder
        EXPECT_TRUE(names.insert(e.name).second) << "duplicate name " << e.name;
    }

    const CraftCategory* fighters = nullptr;
    for (const auto& c : list.categories()) {
        if (c.name == "Fighter") fighters = &c;
    }
    ASSERT_NE(fighters, nullptr);
    EXPECT_GE(fighters->members.size(), 8u);
    for (const auto& m : fighters->members) {
        EXPECT_EQ(list.flyability(m.craftType), "Flyable") << m.name;
        EXPECT_GT(list.entry(m.craftType).numbers[0], 0) << m.name;  // a fighter moves
    }
    EXPECT_EQ(list.categories()[0].name, "Placeholder");
    EXPECT_EQ(list.categories()[1].name, "Fighter");
    EXPECT_EQ(list.entry(1).category, "Fighter");  // the craft of a new shipgroup
    EXPECT_EQ(list.entry(85).category, "Buoy");
    EXPECT_EQ(list.name(85), "Navigation Buoy");
    EXPECT_EQ(list.entry(183).category, "Backdrop");
}

// Every line of the bundled file keeps the exact shape: nine-character tag,
// number, "!", five texts, a tab, eight numbers, LF line end.
TEST(ShipListData, LinesHaveTheExactShape) {
    std::ifstream in(std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT", std::ios::binary);
    ASSERT_TRUE(in);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('\r'), std::string::npos);
    size_t start = 0;
    int expected = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        EXPECT_EQ(line.substr(0, 9), "QUENDAR  ");
        EXPECT_EQ(line.substr(9, line.find('!') - 9), std::to_string(expected)) << line;
        size_t commas = 0;
        for (char c : line) commas += c == ',';
        EXPECT_EQ(commas, 12u) << line;
        ++expected;
    }
    EXPECT_EQ(expected, kCraftTypes);
}
