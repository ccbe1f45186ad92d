#include "mission/MissionFile.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quendar::mission {

namespace {

// Sequential reader over the file buffer; reads past the end give 255.
class Cursor {
  public:
    Cursor(std::span<const uint8_t> data, ReadReport& report) : m_data(data), m_report(report) {}

    void read(uint8_t* dst, size_t n) {
        if (n <= remaining()) {
            std::memcpy(dst, m_data.data() + m_pos, n);
            m_pos += n;
            return;
        }
        const size_t avail = m_pos < m_data.size() ? std::min(n, m_data.size() - m_pos) : 0;
        if (avail) std::memcpy(dst, m_data.data() + m_pos, avail);
        if (avail < n) {
            std::memset(dst + avail, 0xFF, n - avail);
            m_report.bytesPastEnd += n - avail;
        }
        m_pos += n;
    }
    uint8_t byte() {
        if (m_pos < m_data.size()) return m_data[m_pos++];
        uint8_t b;
        read(&b, 1);
        return b;
    }
    size_t remaining() const { return m_pos < m_data.size() ? m_data.size() - m_pos : 0; }
    // The bytes at the read position, and a step over them: only for bytes
    // that remaining() has shown to be there.
    const uint8_t* ahead() const { return m_data.data() + m_pos; }
    void advance(size_t n) { m_pos += n; }
    void skip(size_t n) {
        if (m_pos + n > m_data.size()) {
            const size_t inside = m_pos < m_data.size() ? m_data.size() - m_pos : 0;
            m_report.bytesPastEnd += n - inside;
        }
        m_pos += n;
    }
    size_t position() const { return m_pos; }
    // Positions relative to the end, as a stream seek does: a position
    // before the start of the file is refused and the read position stays
    // where it was (for such a short file, past its end, so what follows reads
    // as 255).
    void seekFromEnd(size_t back) {
        if (back <= m_data.size()) m_pos = m_data.size() - back;
    }

  private:
    std::span<const uint8_t> m_data;
    ReadReport& m_report;
    size_t m_pos = 0;
};

void readSlots(Cursor& c, MissionStore& s, Table t, int count) {
    auto data = s.mutableTable(t);
    const size_t n = static_cast<size_t>(count) * shapeOf(t).slotSize;
    c.read(data.data(), std::min(n, data.size()));
}

// The most bytes one counted string takes in the file: its length, a byte that
// is not kept, and up to 255 characters.
constexpr size_t kLongestCounted = 2 + kCountedStringSlot - 1;

// Copies one counted string whose bytes are all in the file into its slot (the
// slot has room for 255 characters and a zero); returns the bytes it took.
constexpr auto takeCounted = [](uint8_t* slot, const uint8_t* here) -> size_t {
    const size_t length = here[0];
    std::memcpy(slot, here + 2, length);
    std::memset(slot + length, 0, kCountedStringSlot - length);
    return 2 + length;
};

// A short string is one zero byte when empty, otherwise its 64 bytes.
constexpr auto takeShort = [](uint8_t* slot, const uint8_t* here) -> size_t {
    const size_t n = here[0] == 0 ? 1 : kShortStringSize;
    std::memcpy(slot, here, n);
    return n;
};

// Reads `count` strings into consecutive slots of `slotSize` bytes. While the
// file certainly holds the next strings whole (`longest` bytes each), they are
// copied straight from it; the rest, near the end of the file, go through
// `slow`, which reads past the end as 255.
template <typename Take, typename Slow>
void readStrings(Cursor& c, uint8_t* slot, size_t count, size_t slotSize, size_t longest, Take take,
                 Slow slow) {
    size_t i = 0;
    while (i < count) {
        const size_t sure = std::min(c.remaining() / longest, count - i);
        if (sure == 0) break;
        const uint8_t* const start = c.ahead();
        const uint8_t* here = start;
        for (size_t k = 0; k < sure; ++k, slot += slotSize) here += take(slot, here);
        i += sure;
        c.advance(static_cast<size_t>(here - start));
    }
    for (; i < count; ++i, slot += slotSize) slow(slot);
}

void readCountedStrings(Cursor& c, MissionStore& s, Table t) {
    readStrings(c, s.mutableTable(t).data(), kBriefingStrings, kCountedStringSlot, kLongestCounted,
                takeCounted, [&c](uint8_t* slot) {
                    const uint8_t length = c.byte();
                    c.skip(1);
                    c.read(slot, length);
                    std::memset(slot + length, 0, kCountedStringSlot - length);
                });
}

void readShortStrings(Cursor& c, MissionStore& s, Table t, int count) {
    auto table = s.mutableTable(t);
    const size_t n = std::min(static_cast<size_t>(count), table.size() / kShortStringSize);
    readStrings(c, table.data(), n, kShortStringSize, kShortStringSize, takeShort,
                [&c](uint8_t* slot) {
                    slot[0] = c.byte();
                    if (slot[0] != 0) c.read(slot + 1, kShortStringSize - 1);
                });
}

size_t countedLength(std::span<const uint8_t> slot) {
    const void* zero = std::memchr(slot.data(), 0, kCountedStringSlot - 1);
    return zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - slot.data())
                : kCountedStringSlot - 1;
}

// Writes `count` strings from consecutive slots of `slotSize` bytes. They are
// gathered into pieces of a few kilobytes (each string at most `longest`
// bytes), so the sink sees a few large writes rather than one per string.
template <typename Emit>
void writeStrings(ByteSink& out, const uint8_t* slot, size_t count, size_t slotSize, size_t longest,
                  Emit emit) {
    uint8_t piece[8192];
    for (size_t i = 0; i < count;) {
        const size_t n = std::min(sizeof piece / longest, count - i);
        uint8_t* here = piece;
        for (size_t k = 0; k < n; ++k, slot += slotSize) here += emit(here, slot);
        out.put(piece, static_cast<size_t>(here - piece));
        i += n;
    }
}

// A counted string goes out as its length, a zero and its characters.
constexpr auto emitCounted = [](uint8_t* here, const uint8_t* slot) -> size_t {
    const size_t len = countedLength({slot, kCountedStringSlot});
    here[0] = static_cast<uint8_t>(len);
    here[1] = 0;
    std::memcpy(here + 2, slot, len);
    return 2 + len;
};

// An empty short string goes out as one zero byte, a filled one as its 64 bytes.
constexpr auto emitShort = [](uint8_t* here, const uint8_t* slot) -> size_t {
    const size_t n = slot[0] == 0 ? 1 : kShortStringSize;
    std::memcpy(here, slot, n);
    return n;
};

void writeCountedStrings(ByteSink& out, const MissionStore& s, Table t) {
    writeStrings(out, s.table(t).data(), kBriefingStrings, kCountedStringSlot, kLongestCounted,
                 emitCounted);
}

void writeShortStrings(ByteSink& out, const MissionStore& s, Table t, int count) {
    auto table = s.table(t);
    const size_t n = std::min(static_cast<size_t>(count), table.size() / kShortStringSize);
    writeStrings(out, table.data(), n, kShortStringSize, kShortStringSize, emitShort);
}

size_t shortStringsSize(const MissionStore& s, Table t, int first, int count) {
    size_t n = 0;
    for (int i = first; i < first + count; ++i) n += s.slot(t, i)[0] == 0 ? 1 : kShortStringSize;
    return n;
}

std::span<const uint8_t> slots(const MissionStore& s, Table t, int count) {
    return s.table(t).first(static_cast<size_t>(count) * shapeOf(t).slotSize);
}

int clampCount(int n, int max) { return std::clamp(n, 0, max); }

// What follows the header, in file order: runs of whole records, the global
// goals (two fixed bytes each, then the rest of the record), the briefing's
// counted strings, and short strings. The three texts at the end are found
// from the end of the file and are not listed.
enum class Kind { Records, GlobalGoals, Counted, Short };
struct Section {
    Kind kind;
    Table table;
    int count;
};

std::array<Section, 25> sectionsAfterHeader(int ns, int nm) {
    using enum Kind;
    return {{{Records, Table::RegionNames, 4},
             {Records, Table::SpecialCargo, 16},
             {Records, Table::GlobalGroupNames, 32},
             {Records, Table::Block3480, 1},
             {Records, Table::MissionOptions, 1},
             {Records, Table::Shipgroups, ns},
             {Records, Table::Messages, nm},
             {GlobalGoals, Table::GlobalGoals, kTeams},
             {Records, Table::Teams, kTeams},
             {Records, Table::Briefing1, 1},
             {Counted, Table::Briefing1Tags, kBriefingStrings},
             {Counted, Table::Briefing1Texts, kBriefingStrings},
             {Records, Table::Briefing2, 1},
             {Counted, Table::Briefing2Tags, kBriefingStrings},
             {Counted, Table::Briefing2Texts, kBriefingStrings},
             {Records, Table::Block6268, 1},
             {Records, Table::BriefingTextNotes, 128},
             {Records, Table::MessageNotes, 64},
             {Records, Table::NotesC, 30},
             {Records, Table::NotesD, 40},
             {Records, Table::NotesE, 3},
             {Short, Table::ShipgroupGoalStrings, ns * kShipgroupGoalStrings},
             {Short, Table::GlobalGoalStrings, kGlobalGoalStrings},
             {Records, Table::Block417, 1},
             {Short, Table::OrderStrings, ns * kOrderStrings}}};
}

}  // namespace

ReadReport readMission(std::span<const uint8_t> file, MissionStore& s) {
    ReadReport report;
    report.fileSize = file.size();
    Cursor c(file, report);

    readSlots(c, s, Table::Header, 1);
    const int ns = s.byte(Table::Header, 0, 2);
    const int nm = s.byte(Table::Header, 0, 4);
    s.shipgroupCount = ns;
    s.messageCount = nm;

    for (const Section& part : sectionsAfterHeader(ns, nm)) {
        switch (part.kind) {
            case Kind::Records: readSlots(c, s, part.table, part.count); break;
            case Kind::GlobalGoals:
                for (int t = 0; t < part.count; ++t) {
                    auto rec = s.mutableSlot(part.table, t);
                    c.skip(2);  // always written as 3, 0
                    c.read(rec.data() + 2, kGlobalGoalSize - 2);
                }
                break;
            case Kind::Counted: readCountedStrings(c, s, part.table); break;
            case Kind::Short: readShortStrings(c, s, part.table, part.count); break;
        }
    }

    report.textsOverlap = c.position() + kTailTexts > file.size();
    // The three texts are found from the end of the file; whatever lies
    // between the order strings and them is not read.
    c.seekFromEnd(3 * kLongTextSize);
    c.read(s.mutableTable(Table::Debriefing).data(), kLongTextSize);
    c.seekFromEnd(2 * kLongTextSize);
    c.read(s.mutableTable(Table::Hints).data(), kLongTextSize);
    c.seekFromEnd(kLongTextSize);
    c.read(s.mutableTable(Table::Introduction).data(), kLongTextSize);
    return report;
}

size_t missionFileSize(const MissionStore& s) {
    const int ns = clampCount(s.shipgroupCount, kMaxShipgroups);
    const int nm = clampCount(s.messageCount, kMaxMessages);
    size_t n = slots(s, Table::Header, 1).size() + kGapBytes + kTailTexts;
    for (const Section& part : sectionsAfterHeader(ns, nm)) {
        switch (part.kind) {
            case Kind::Records: n += slots(s, part.table, part.count).size(); break;
            case Kind::GlobalGoals: n += static_cast<size_t>(part.count) * kGlobalGoalSize; break;
            case Kind::Counted:
                for (int i = 0; i < part.count; ++i) n += 2 + countedLength(s.slot(part.table, i));
                break;
            case Kind::Short: n += shortStringsSize(s, part.table, 0, part.count); break;
        }
    }
    return n;
}

std::vector<uint8_t> writeMission(MissionStore& s) {
    std::vector<uint8_t> image;
    image.reserve(missionFileSize(s));
    VectorSink sink(image);
    writeMission(s, sink);
    return image;
}

void writeMission(MissionStore& s, ByteSink& out) {
    const int ns = clampCount(s.shipgroupCount, kMaxShipgroups);
    const int nm = clampCount(s.messageCount, kMaxMessages);
    s.setByte(Table::Header, 0, 2, static_cast<uint8_t>(ns));
    s.setByte(Table::Header, 0, 4, static_cast<uint8_t>(nm));

    out.put(slots(s, Table::Header, 1));
    for (const Section& part : sectionsAfterHeader(ns, nm)) {
        switch (part.kind) {
            case Kind::Records: out.put(slots(s, part.table, part.count)); break;
            case Kind::GlobalGoals:
                for (int t = 0; t < part.count; ++t) {
                    out.put(3);
                    out.put(0);
                    out.put(s.slot(part.table, t).subspan(2));
                }
                break;
            case Kind::Counted: writeCountedStrings(out, s, part.table); break;
            case Kind::Short: writeShortStrings(out, s, part.table, part.count); break;
        }
    }
    out.zeros(kGapBytes);
    out.put(s.table(Table::Debriefing));
    out.put(s.table(Table::Hints));
    out.put(s.table(Table::Introduction));
}

}  // namespace quendar::mission
