#include "mission/MissionStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "mission/ChangeJournal.h"

namespace quendar::mission {

// The tables take about 2 MB together, in one block: every New and Open
// writes the whole store, so it is taken as a large block (see LargeBlock).
void MissionStore::allocate() {
    size_t total = 0;
    for (int i = 0; i < static_cast<int>(Table::Count); ++i) {
        const TableShape s = shapeOf(static_cast<Table>(i));
        total += static_cast<size_t>(s.slots) * s.slotSize;
    }
    m_block = allocateBlock(total, &m_blockSize);
    uint8_t* p = m_block.get();
    std::memset(p, 0, m_blockSize);
    size_t at = 0;
    for (int i = 0; i < static_cast<int>(Table::Count); ++i) {
        const TableShape s = shapeOf(static_cast<Table>(i));
        const size_t n = static_cast<size_t>(s.slots) * s.slotSize;
        m_tables[i] = {p + at, n};
        at += n;
    }
}

MissionStore::MissionStore() { allocate(); }

MissionStore::MissionStore(const MissionStore& other)
    : shipgroupCount(other.shipgroupCount),
      messageCount(other.messageCount),
      currentShipgroup(other.currentShipgroup),
      currentTeam(other.currentTeam),
      missionPath(other.missionPath),
      briefingLength(other.briefingLength) {
    allocate();
    std::memcpy(m_block.get(), other.m_block.get(), m_blockSize);
}

MissionStore::MissionStore(MissionStore&& other) noexcept
    : shipgroupCount(other.shipgroupCount),
      messageCount(other.messageCount),
      currentShipgroup(other.currentShipgroup),
      currentTeam(other.currentTeam),
      missionPath(std::move(other.missionPath)),
      briefingLength(other.briefingLength),
      m_block(std::move(other.m_block)),
      m_blockSize(other.m_blockSize),
      m_tables(other.m_tables) {}

MissionStore& MissionStore::operator=(MissionStore&& other) noexcept {
    if (this != &other) {
        shipgroupCount = other.shipgroupCount;
        messageCount = other.messageCount;
        currentShipgroup = other.currentShipgroup;
        currentTeam = other.currentTeam;
        missionPath = std::move(other.missionPath);
        briefingLength = other.briefingLength;
        m_block = std::move(other.m_block);
        m_blockSize = other.m_blockSize;
        m_tables = other.m_tables;
    }
    return *this;
}

MissionStore& MissionStore::operator=(const MissionStore& other) {
    if (this != &other) {
        MissionStore copy(other);
        *this = std::move(copy);
    }
    return *this;
}

namespace {
bool inRange(Table t, int slot, int offset, int width) {
    const TableShape s = shapeOf(t);
    return slot >= 0 && slot < s.slots && offset >= 0 && width >= 0 && offset + width <= s.slotSize;
}
size_t at(Table t, int slot, int offset) {
    return static_cast<size_t>(slot) * shapeOf(t).slotSize + offset;
}
}  // namespace

uint8_t MissionStore::byte(Table t, int slot, int offset) const {
    if (!inRange(t, slot, offset, 1)) return 0;
    return m_tables[static_cast<int>(t)][at(t, slot, offset)];
}

void MissionStore::journalWrite(Table t, size_t offset, const uint8_t* after, size_t n) {
    if (m_journal && m_journal->recording())
        m_journal->recordBytes(t, offset, m_tables[static_cast<int>(t)].data() + offset, after, n);
}

void MissionStore::setByte(Table t, int slot, int offset, uint8_t value) {
    if (!inRange(t, slot, offset, 1)) return;
    const size_t i = at(t, slot, offset);
    journalWrite(t, i, &value, 1);
    m_tables[static_cast<int>(t)][i] = value;
}

uint16_t MissionStore::word(Table t, int slot, int offset) const {
    return static_cast<uint16_t>(byte(t, slot, offset) | (byte(t, slot, offset + 1) << 8));
}

int16_t MissionStore::signedWord(Table t, int slot, int offset) const {
    return static_cast<int16_t>(word(t, slot, offset));
}

void MissionStore::setWord(Table t, int slot, int offset, uint16_t value) {
    if (!inRange(t, slot, offset, 2)) return;
    setByte(t, slot, offset, static_cast<uint8_t>(value & 0xFF));
    setByte(t, slot, offset + 1, static_cast<uint8_t>(value >> 8));
}

std::string MissionStore::text(Table t, int slot, int offset, int width) const {
    if (!inRange(t, slot, offset, width)) return {};
    const uint8_t* p = m_tables[static_cast<int>(t)].data() + at(t, slot, offset);
    const auto* end = std::find(p, p + width, uint8_t{0});
    return std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(end - p));
}

void MissionStore::setText(Table t, int slot, int offset, int width, std::string_view value) {
    if (!inRange(t, slot, offset, width)) return;
    const size_t i = at(t, slot, offset);
    uint8_t* p = m_tables[static_cast<int>(t)].data() + i;
    const size_t n = std::min(value.size(), static_cast<size_t>(width));
    if (m_journal && m_journal->recording()) {
        std::vector<uint8_t> field(static_cast<size_t>(width), 0);
        std::memcpy(field.data(), value.data(), n);
        journalWrite(t, i, field.data(), field.size());
    }
    std::memcpy(p, value.data(), n);
    std::memset(p + n, 0, static_cast<size_t>(width) - n);
}

void MissionStore::setBytes(Table t, int slot, int offset, std::span<const uint8_t> bytes) {
    const int width = static_cast<int>(std::min<size_t>(bytes.size(), 1u << 30));
    if (!inRange(t, slot, offset, width) || static_cast<size_t>(width) != bytes.size()) return;
    const size_t i = at(t, slot, offset);
    journalWrite(t, i, bytes.data(), bytes.size());
    std::memmove(m_tables[static_cast<int>(t)].data() + i, bytes.data(), bytes.size());
}

void MissionStore::fillBytes(Table t, int slot, int offset, int width, uint8_t value) {
    if (!inRange(t, slot, offset, width)) return;
    const size_t i = at(t, slot, offset);
    if (m_journal && m_journal->recording()) {
        const std::vector<uint8_t> field(static_cast<size_t>(width), value);
        journalWrite(t, i, field.data(), field.size());
    }
    std::memset(m_tables[static_cast<int>(t)].data() + i, value, static_cast<size_t>(width));
}

std::span<const uint8_t> MissionStore::slot(Table t, int slot) const {
    const TableShape s = shapeOf(t);
    if (slot < 0 || slot >= s.slots) return {};
    return {m_tables[static_cast<int>(t)].data() + at(t, slot, 0), static_cast<size_t>(s.slotSize)};
}

std::span<uint8_t> MissionStore::mutableSlot(Table t, int slot) {
    const TableShape s = shapeOf(t);
    if (slot < 0 || slot >= s.slots) return {};
    return {m_tables[static_cast<int>(t)].data() + at(t, slot, 0), static_cast<size_t>(s.slotSize)};
}

std::span<const uint8_t> MissionStore::table(Table t) const {
    return m_tables[static_cast<int>(t)];
}

std::span<uint8_t> MissionStore::mutableTable(Table t) { return m_tables[static_cast<int>(t)]; }

void MissionStore::clearTable(Table t) {
    auto v = m_tables[static_cast<int>(t)];
    if (m_journal && m_journal->recording()) {
        const std::vector<uint8_t> zeros(v.size(), 0);
        journalWrite(t, 0, zeros.data(), zeros.size());
    }
    std::fill(v.begin(), v.end(), uint8_t{0});
}

void MissionStore::copySlot(Table t, int from, int to) {
    auto src = slot(t, from);
    auto dst = mutableSlot(t, to);
    if (src.empty() || dst.empty() || from == to) return;
    journalWrite(t, at(t, to, 0), src.data(), src.size());
    std::memmove(dst.data(), src.data(), src.size());
}

}  // namespace quendar::mission
