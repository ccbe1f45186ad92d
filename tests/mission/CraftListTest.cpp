#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "mission/CraftList.h"

using namespace quendar::mission;

namespace {

std::string line(int type, const std::string& name, const std::string& category,
                 const std::string& numbers = "1,2,3,4,5,6,7,8", const std::string& fly = "Flyable",
                 const std::string& f4 = "Known", const std::string& f5 = "Skirmish") {
    return "CRAFT    " + std::to_string(type) + "!" + name + "," + category + "," + fly + "," + f4 +
           "," + f5 + ",\t " + numbers + "\n";
}

std::vector<int> memberTypes(const CraftCategory& c) {
    std::vector<int> out;
    for (const auto& m : c.members) out.push_back(m.craftType);
    return out;
}

}  // namespace

TEST(CraftList, ReadsEveryFieldOfALine) {
    CraftList list;
    const auto report = list.parse(line(7, "Kestrel Lancer", "Fighter", " -12,+3,0,x,,44,5z,  99",
                                        "Not flyable", "Secret", "Campaign"));
    EXPECT_EQ(report.linesTaken, 1);
    const CraftEntry& e = list.entry(7);
    EXPECT_EQ(e.name, "Kestrel Lancer");
    EXPECT_EQ(e.category, "Fighter");
    EXPECT_EQ(e.flyability, "Not flyable");
    EXPECT_EQ(e.field4, "Secret");
    EXPECT_EQ(e.field5, "Campaign");
    // Lenient numbers: blanks skipped, signs allowed, stop at a non-digit, empty is 0.
    EXPECT_EQ(e.numbers, (std::array<int32_t, 8>{-12, 3, 0, 0, 0, 44, 5, 99}));
    // Types the file leaves out get the defaults.
    EXPECT_EQ(list.entry(8), CraftEntry{});
    EXPECT_EQ(list.name(8), "Unused");
    EXPECT_EQ(list.flyability(8), "Flyable");
    EXPECT_EQ(list.entry(255).name, "");
    EXPECT_EQ(list.entry(-1).name, "");
}

TEST(CraftList, CategoriesFollowFirstAppearanceAndCraftTypeOrder) {
    CraftList list;
    list.parse(line(5, "Five", "Fighters") + line(0, "Zero", "Fighters"));
    ASSERT_EQ(list.categories().size(), 2u);
    EXPECT_EQ(list.categories()[0].name, "Fighters");
    EXPECT_EQ(memberTypes(list.categories()[0]), (std::vector<int>{0, 5}));
    EXPECT_EQ(list.categories()[0].members[1].name, "Five");
    const CraftCategory& none = list.categories()[1];
    EXPECT_EQ(none.name, "None");
    ASSERT_EQ(none.members.size(), 253u);
    for (const auto& m : none.members) EXPECT_EQ(m.name, "Unused");
    EXPECT_EQ(none.members.front().craftType, 1);
    EXPECT_EQ(none.members.back().craftType, 254);
    EXPECT_EQ(list.locate(5).category, 0);
    EXPECT_EQ(list.locate(5).member, 1);
    EXPECT_EQ(list.locate(6).category, 1);
    EXPECT_EQ(list.locate(6).member, 4);  // 1, 2, 3, 4, 6
    EXPECT_EQ(list.locate(300).category, -1);

    list.parse(line(3, "Three", "Cruiser"));
    ASSERT_EQ(list.categories().size(), 2u);
    EXPECT_EQ(list.categories()[0].name, "None");
    EXPECT_EQ(memberTypes(list.categories()[0]).size(), 254u);
    EXPECT_EQ(memberTypes(list.categories()[0])[3], 4);
    EXPECT_EQ(list.categories()[1].name, "Cruiser");

    // Names compare exactly, case included.
    list.parse(line(1, "A", "Fighter") + line(2, "B", "fighter") + line(4, "C", "Fighter"));
    ASSERT_GE(list.categories().size(), 3u);
    EXPECT_EQ(list.categories()[1].name, "Fighter");
    EXPECT_EQ(memberTypes(list.categories()[1]), (std::vector<int>{1, 4}));
    EXPECT_EQ(list.categories()[2].name, "fighter");
}

TEST(CraftList, LaterLinesReplaceAndEveryParseStartsFromDefaults) {
    CraftList list;
    list.parse(line(9, "First", "A") + line(9, "Second", "B", "9,9,9,9,9,9,9,9"));
    EXPECT_EQ(list.name(9), "Second");
    EXPECT_EQ(list.entry(9).numbers[7], 9);

    list.parse(line(10, "Other", "A"));
    EXPECT_EQ(list.name(9), "Unused");
    EXPECT_EQ(list.entry(9).numbers[7], 0);
}

TEST(CraftList, NothingLandsOutsideTheList) {
    CraftList list;
    const auto report = list.parse(line(255, "Too far", "X") + line(-1, "Negative", "X") +
                                   line(99999999, "Huge", "X") + line(254, "Last", "Y"));
    EXPECT_EQ(report.linesRejected, 3);
    EXPECT_EQ(report.linesTaken, 1);
    EXPECT_EQ(list.name(254), "Last");
    for (const auto& c : list.categories()) EXPECT_NE(c.name, "X");

    // Over-long texts are cut to their slot; the rest of the line still counts.
    const std::string longName(60, 'N'), longShort(30, 's');
    const auto cut =
        list.parse(line(4, longName, longName, "1,2,3,4,5,6,7,8", longShort, longShort, longShort));
    EXPECT_EQ(cut.fieldsCut, 5);
    EXPECT_EQ(list.name(4), std::string(39, 'N'));
    EXPECT_EQ(list.entry(4).category, std::string(39, 'N'));
    EXPECT_EQ(list.flyability(4), std::string(19, 's'));
    EXPECT_EQ(list.entry(4).field5, std::string(19, 's'));
    EXPECT_EQ(list.entry(4).numbers[7], 8);

    // Numbers beyond 32 bits saturate.
    list.parse(line(1, "N", "C", "99999999999,-99999999999,0,0,0,0,0,2147483647"));
    EXPECT_EQ(list.entry(1).numbers[0], 2147483647);
    EXPECT_EQ(list.entry(1).numbers[1], -2147483647 - 1);
    EXPECT_EQ(list.entry(1).numbers[7], 2147483647);
}

TEST(CraftList, AShortLineTakesTheNextLineAlong) {
    CraftList list;
    // Line for 2 lacks its numbers: its first separators are found in the line of 3.
    const std::string text =
        "CRAFT    2!Short,Cat,Fly,K,S\n" + line(3, "Three", "Cat3") + line(4, "Four", "Cat4");
    list.parse(text);
    EXPECT_EQ(list.name(3), "Unused");
    EXPECT_EQ(list.name(4), "Four");
    // Text field 5 ran on to the next ","; the numbers come from the rest of line 3.
    EXPECT_EQ(list.name(2), "Short");
    EXPECT_EQ(list.entry(2).field5, "S\nCRAFT    3!Three");
    EXPECT_EQ(list.entry(2).numbers, (std::array<int32_t, 8>{0, 0, 0, 0, 1, 2, 3, 4}));
}

TEST(CraftList, LineEndsAndTheEndOfTheFile) {
    const std::string lf = line(1, "One", "A") + line(2, "Two", "B");
    std::string crlf;
    for (char c : lf) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    CraftList a, b;
    a.parse(lf);
    b.parse(crlf);
    for (int t = 0; t < kCraftTypes; ++t) EXPECT_EQ(a.entry(t), b.entry(t)) << t;
    EXPECT_EQ(b.entry(2).numbers[7], 8);

    // A last line without a line break is taken.
    CraftList c;
    std::string noBreak = line(1, "One", "A") + line(2, "Two", "B");
    noBreak.pop_back();
    EXPECT_EQ(c.parse(noBreak).linesTaken, 2);
    EXPECT_EQ(c.entry(2).numbers[7], 8);

    // A line cut off before its last number is dropped; reading ends there.
    const std::string cut = line(1, "One", "A") + "CRAFT    2!Two,B,Fly,K,S, 1,2,3";
    EXPECT_EQ(c.parse(cut).linesTaken, 1);
    EXPECT_EQ(c.name(2), "Unused");
    EXPECT_EQ(c.parse("CRAFT    2!Two").linesTaken, 0);
    EXPECT_EQ(c.parse("CR").linesTaken, 0);
    EXPECT_EQ(c.parse("").linesTaken, 0);
    EXPECT_EQ(c.categories().size(), 1u);  // all 255 in "None"

    // Blank lines between craft lines and trailing blank lines are skipped.
    const std::string blanks = line(1, "One", "A") + "\n  \t\r\n" + line(2, "Two", "B") + "\n\n";
    EXPECT_EQ(c.parse(blanks).linesTaken, 2);
    EXPECT_EQ(c.name(2), "Two");
}

TEST(CraftList, LoadKeepsThePreviousListWhenTheFileIsGone) {
    CraftList list;
    EXPECT_FALSE(list.loaded());
    EXPECT_TRUE(list.categories().empty());
    EXPECT_EQ(list.name(0), "");

    const auto path = std::filesystem::temp_directory_path() /
                      ("craftlist_test_" +
                       std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".txt");
    {
        std::ofstream out(path, std::ios::binary);
        out << line(12, "Loaded", "Cat");
    }
    CraftListReport report;
    EXPECT_EQ(list.load(path.string(), &report), CraftListLoad::Loaded);
    EXPECT_EQ(report.linesTaken, 1);
    EXPECT_TRUE(list.loaded());
    EXPECT_EQ(list.name(12), "Loaded");

    std::filesystem::remove(path);
    EXPECT_EQ(list.load(path.string()), CraftListLoad::NotFound);
    EXPECT_EQ(list.name(12), "Loaded");
    EXPECT_EQ(list.categories().size(), 2u);
}
