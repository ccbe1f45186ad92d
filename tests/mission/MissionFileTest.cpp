#include <gtest/gtest.h>

#include <random>

#include "mission/MissionFile.h"
#include "support/RandomMission.h"

namespace quendar::mission {
namespace {

// A store with every byte zero and the given counts: all strings empty.
MissionStore emptyStore(int ns = 0, int nm = 0) {
    MissionStore s;
    s.shipgroupCount = ns;
    s.messageCount = nm;
    return s;
}

TEST(MissionFile, EmptyMissionHasTheMinimumSize) {
    MissionStore s = emptyStore();
    const auto image = writeMission(s);
    EXPECT_EQ(image.size(), 100183u);
    EXPECT_EQ(missionFileSize(s), image.size());
    // Each global goal record starts with 3, 0.
    const size_t goals = 9200;
    EXPECT_EQ(image[goals], 3);
    EXPECT_EQ(image[goals + 1], 0);
    EXPECT_EQ(image[goals + 368], 3);
}

TEST(MissionFile, RandomMissionsSurviveWriteReadWrite) {
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        MissionStore a;
        const int ns = static_cast<int>(seed * 37 % 256);
        const int nm = static_cast<int>(seed * 91 % 256);
        testing::fillRandomMission(a, seed, ns, nm);
        const auto first = writeMission(a);
        EXPECT_EQ(first.size(), missionFileSize(a));

        MissionStore b = emptyStore();
        const ReadReport report = readMission(first, b);
        EXPECT_FALSE(report.shortFile());
        EXPECT_EQ(b.shipgroupCount, ns);
        EXPECT_EQ(b.messageCount, nm);
        for (int i = 0; i < ns; ++i) {
            ASSERT_TRUE(
                std::ranges::equal(a.slot(Table::Shipgroups, i), b.slot(Table::Shipgroups, i)));
        }
        for (Table t : {Table::Block3480, Table::Block6268, Table::Block417, Table::Briefing2,
                        Table::NotesC, Table::Introduction}) {
            EXPECT_TRUE(std::ranges::equal(a.table(t), b.table(t)));
        }
        const auto second = writeMission(b);
        EXPECT_EQ(first, second);
    }
}

// Builds a file by hand with the things the writer normalises set to other
// values, and checks that a read and write changes exactly those.
TEST(MissionFile, RoundTripChangesOnlyTheDocumentedBytes) {
    MissionStore a;
    testing::fillRandomMission(a, 99, 3, 2);
    a.setByte(Table::Header, 0, 3, 0x01);  // high byte of the shipgroup count, kept
    a.setByte(Table::Header, 0, 5, 0x7F);
    auto image = writeMission(a);
    const std::vector<uint8_t> expected = image;

    // Dirty the bytes the writer regenerates.
    const size_t goals = 9200 + 3 * kShipgroupSize + 2 * kMessageSize;
    image[goals] = 0x55;
    image[goals + 1] = 0x66;
    const size_t tags = goals + 10 * 368 + 10 * 487 + kBriefingBlockSize;
    image[tags + 1] = 0xAB;  // the skipped byte of the first counted string
    // Replace the 720-byte gap by 1000 bytes of noise.
    const size_t gap = image.size() - kTailTexts - kGapBytes;
    std::vector<uint8_t> noisy(image.begin(), image.begin() + gap);
    std::mt19937 rng(5);
    for (int i = 0; i < 1000; ++i) noisy.push_back(static_cast<uint8_t>(rng()));
    noisy.insert(noisy.end(), image.end() - kTailTexts, image.end());

    MissionStore b;
    readMission(noisy, b);
    EXPECT_EQ(b.shipgroupCount, 3);
    EXPECT_EQ(writeMission(b), expected);
}

TEST(MissionFile, CountsUseOnlyTheLowByte) {
    MissionStore a = emptyStore();
    auto image = writeMission(a);
    image[2] = 0x00;
    image[3] = 0x01;  // 256 shipgroups as a 16-bit number
    MissionStore b;
    readMission(image, b);
    EXPECT_EQ(b.shipgroupCount, 0);
    const auto out = writeMission(b);
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(out[3], 1);
    EXPECT_EQ(out.size(), 100183u);
}

TEST(MissionFile, ShortStringWithLeadingZeroLosesItsTail) {
    MissionStore a = emptyStore(1, 0);
    a.setByte(Table::OrderStrings, 0, 5, 'x');  // first byte stays 0
    a.setText(Table::GlobalGoalStrings, 7, 0, 64, "Protect the relay");
    const auto image = writeMission(a);
    MissionStore b;
    readMission(image, b);
    EXPECT_EQ(b.byte(Table::OrderStrings, 0, 5), 0);
    EXPECT_EQ(b.text(Table::GlobalGoalStrings, 7, 0, 64), "Protect the relay");
}

TEST(MissionFile, CountedStringsKeepFullLengthAndStopAtZero) {
    MissionStore a = emptyStore();
    std::string full(255, 'k');
    a.setText(Table::Briefing1Tags, 0, 0, 255, full);
    a.setText(Table::Briefing1Texts, 1, 0, 20, "alpha");
    a.setByte(Table::Briefing1Texts, 1, 6, 'z');  // after the zero: lost
    const auto image = writeMission(a);
    MissionStore b;
    readMission(image, b);
    EXPECT_EQ(b.text(Table::Briefing1Tags, 0, 0, 256), full);
    EXPECT_EQ(b.text(Table::Briefing1Texts, 1, 0, 256), "alpha");
    EXPECT_EQ(b.byte(Table::Briefing1Texts, 1, 6), 0);
}

TEST(MissionFile, TruncatedFilesLoadWithMissingBytesAs255) {
    MissionStore a;
    testing::fillRandomMission(a, 3, 10, 10);
    const auto image = writeMission(a);
    for (size_t cut : {size_t{0}, size_t{1}, size_t{99}, size_t{9200}, size_t{20000},
                       image.size() - kGapBytes - 1}) {
        SCOPED_TRACE(cut);
        std::vector<uint8_t> part(image.begin(), image.begin() + cut);
        MissionStore b;
        const ReadReport r = readMission(part, b);
        EXPECT_TRUE(r.shortFile());
        EXPECT_LE(b.shipgroupCount, 255);
        // Writing what was loaded never reaches outside a table.
        const auto out = writeMission(b);
        EXPECT_EQ(out.size(), missionFileSize(b));
    }
    // Losing part of the gap is no loss: the texts are found from the end.
    std::vector<uint8_t> lessGap(image.begin(), image.end() - 1);
    MissionStore d;
    EXPECT_FALSE(readMission(lessGap, d).shortFile());

    // An empty file: the header reads as 255s, so both counts are 255.
    MissionStore c;
    readMission({}, c);
    EXPECT_EQ(c.shipgroupCount, 255);
    EXPECT_EQ(c.messageCount, 255);
    EXPECT_EQ(c.byte(Table::Introduction, 0, 0), 255);
}

TEST(MissionStore, AccessOutsideATableReadsZeroAndWritesNothing) {
    MissionStore s;
    s.setByte(Table::Shipgroups, 255, 0, 9);
    s.setByte(Table::Shipgroups, 0, kShipgroupSize, 9);
    s.setByte(Table::Shipgroups, -1, 0, 9);
    s.setWord(Table::Messages, 0, kMessageSize - 1, 0xFFFF);
    EXPECT_EQ(s.byte(Table::Shipgroups, 255, 0), 0);
    EXPECT_EQ(s.byte(Table::Messages, 0, kMessageSize - 1), 0);
    EXPECT_EQ(s.byte(Table::Messages, 1, 0), 0);
    for (auto b : s.table(Table::Shipgroups)) ASSERT_EQ(b, 0);

    s.setText(Table::Shipgroups, 2, 0, 20, "A name much longer than twenty");
    EXPECT_EQ(s.text(Table::Shipgroups, 2, 0, 20), "A name much longer t");
    EXPECT_EQ(s.byte(Table::Shipgroups, 2, 20), 0);
    s.setWord(Table::Shipgroups, 2, 3466, static_cast<uint16_t>(-1));
    EXPECT_EQ(s.signedWord(Table::Shipgroups, 2, 3466), -1);
    EXPECT_EQ(s.byte(Table::Shipgroups, 2, 3466), 0xFF);
}

}  // namespace
}  // namespace quendar::mission
