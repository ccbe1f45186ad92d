// The reader parses a buffer held in memory; what it loads must equal what a
// reader taking one byte at a time from a stream would load, with a byte past
// the end reading as 255 and a seek before the start of the file refused.
#include <gtest/gtest.h>

#include <random>

#include "mission/MissionFile.h"
#include "support/RandomMission.h"

namespace quendar::mission {
namespace {

class ByteStream {
  public:
    explicit ByteStream(const std::vector<uint8_t>& d) : m_data(d) {}
    uint8_t get() { return m_pos < m_data.size() ? m_data[m_pos++] : (++m_pos, ++m_pastEnd, 0xFF); }
    size_t pastEnd() const { return m_pastEnd; }
    void seekFromEnd(size_t back) {
        if (back <= m_data.size()) m_pos = m_data.size() - back;
    }

  private:
    const std::vector<uint8_t>& m_data;
    size_t m_pos = 0;
    size_t m_pastEnd = 0;
};

void bytes(ByteStream& in, MissionStore& s, Table t, int slot, int n) {
    for (int k = 0; k < n; ++k) s.setByte(t, slot, k, in.get());
}
void records(ByteStream& in, MissionStore& s, Table t, int count) {
    for (int i = 0; i < count; ++i) bytes(in, s, t, i, shapeOf(t).slotSize);
}
void counted(ByteStream& in, MissionStore& s, Table t) {
    for (int i = 0; i < kBriefingStrings; ++i) {
        const int len = in.get();
        in.get();
        bytes(in, s, t, i, len);
    }
}
void shortStrings(ByteStream& in, MissionStore& s, Table t, int count) {
    for (int i = 0; i < count; ++i) {
        const uint8_t first = in.get();
        s.setByte(t, i, 0, first);
        for (int k = 1; first != 0 && k < kShortStringSize; ++k) s.setByte(t, i, k, in.get());
    }
}

MissionStore readByteWise(const std::vector<uint8_t>& file, size_t* pastEnd = nullptr) {
    MissionStore s;
    ByteStream in(file);
    records(in, s, Table::Header, 1);
    const int ns = s.byte(Table::Header, 0, 2), nm = s.byte(Table::Header, 0, 4);
    s.shipgroupCount = ns;
    s.messageCount = nm;
    records(in, s, Table::RegionNames, 4);
    records(in, s, Table::SpecialCargo, 16);
    records(in, s, Table::GlobalGroupNames, 32);
    records(in, s, Table::Block3480, 1);
    records(in, s, Table::MissionOptions, 1);
    records(in, s, Table::Shipgroups, ns);
    records(in, s, Table::Messages, nm);
    for (int t = 0; t < kTeams; ++t) {
        in.get();
        in.get();
        for (int k = 2; k < kGlobalGoalSize; ++k) s.setByte(Table::GlobalGoals, t, k, in.get());
    }
    records(in, s, Table::Teams, kTeams);
    records(in, s, Table::Briefing1, 1);
    counted(in, s, Table::Briefing1Tags);
    counted(in, s, Table::Briefing1Texts);
    records(in, s, Table::Briefing2, 1);
    counted(in, s, Table::Briefing2Tags);
    counted(in, s, Table::Briefing2Texts);
    records(in, s, Table::Block6268, 1);
    records(in, s, Table::BriefingTextNotes, 128);
    records(in, s, Table::MessageNotes, 64);
    records(in, s, Table::NotesC, 30);
    records(in, s, Table::NotesD, 40);
    records(in, s, Table::NotesE, 3);
    shortStrings(in, s, Table::ShipgroupGoalStrings, ns * kShipgroupGoalStrings);
    shortStrings(in, s, Table::GlobalGoalStrings, kGlobalGoalStrings);
    records(in, s, Table::Block417, 1);
    shortStrings(in, s, Table::OrderStrings, ns * kOrderStrings);
    in.seekFromEnd(12288);
    records(in, s, Table::Debriefing, 1);
    in.seekFromEnd(8192);
    records(in, s, Table::Hints, 1);
    in.seekFromEnd(4096);
    records(in, s, Table::Introduction, 1);
    if (pastEnd) *pastEnd = in.pastEnd();
    return s;
}

void expectSameAsByteWise(const std::vector<uint8_t>& image, size_t cut) {
    SCOPED_TRACE(cut);
    const std::vector<uint8_t> file(image.begin(), image.begin() + static_cast<long>(cut));
    size_t pastEnd = 0;
    const MissionStore expected = readByteWise(file, &pastEnd);
    MissionStore got;
    const ReadReport report = readMission(file, got);
    EXPECT_EQ(report.bytesPastEnd, pastEnd);
    EXPECT_EQ(got.shipgroupCount, expected.shipgroupCount);
    EXPECT_EQ(got.messageCount, expected.messageCount);
    for (int t = 0; t < static_cast<int>(Table::Count); ++t) {
        const Table table = static_cast<Table>(t);
        ASSERT_TRUE(std::ranges::equal(got.table(table), expected.table(table))) << "table " << t;
    }
}

TEST(MissionReader, EqualsAByteWiseReaderOnWholeAndCutFiles) {
    MissionStore source;
    testing::fillRandomMission(source, 2024, 7, 5);
    const std::vector<uint8_t> image = writeMission(source);
    std::mt19937 rng(8);
    std::vector<size_t> cuts{
        0, 1, 4000, 4096, 8000, 8192, 12000, 12288, 12289, 50000, image.size() - 1, image.size()};
    for (int i = 0; i < 12; ++i) cuts.push_back(rng() % image.size());
    for (size_t cut : cuts) expectSameAsByteWise(image, cut);
}

// Cuts at every byte of a full-length counted string and of the short strings
// after it: a string the file ends inside of reads its missing bytes as 255.
TEST(MissionReader, EqualsAByteWiseReaderWhenTheFileEndsInsideAString) {
    MissionStore source;
    testing::fillRandomMission(source, 77, 2, 1);
    const std::vector<uint8_t> image = writeMission(source);
    // 9,200 header bytes, 2 shipgroups of 3,646, 1 message of 162, 10 global
    // goals of 368, 10 teams of 487 and the 17,428-byte briefing block come
    // before the first tag, which is 255 characters long.
    const size_t firstTag = 9200 + 2 * 3646 + 162 + 10 * 368 + 10 * 487 + 17428;
    ASSERT_EQ(image[firstTag], 255);
    for (size_t cut = firstTag; cut <= firstTag + 260; ++cut) expectSameAsByteWise(image, cut);
    // The global goal strings are followed by a 417-byte block, the order
    // strings, 720 bytes and the three 4,096-byte texts: count back from the end.
    const auto stringBytes = [&](Table t, int count) {
        size_t n = 0;
        for (int i = 0; i < count; ++i) n += source.slot(t, i)[0] ? 64 : 1;
        return n;
    };
    const size_t globalGoals = image.size() - 3 * 4096 - 720 -
                               stringBytes(Table::OrderStrings, 2 * 16) - 417 -
                               stringBytes(Table::GlobalGoalStrings, 360);
    for (size_t cut = globalGoals; cut <= globalGoals + 200; ++cut)
        expectSameAsByteWise(image, cut);
}

}  // namespace
}  // namespace quendar::mission
