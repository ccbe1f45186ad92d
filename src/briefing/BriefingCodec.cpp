// Unpacking and packing briefing 1's raw block.
//
// Event area: bytes 10..17417 of the block. Each command is a run of 16-bit
// little-endian words: time, code, then 0 to 4 parameters fixed by the code.
// The end command (code 34) closes the script; bytes after it are left as
// they are.

#include <algorithm>

#include "briefing/BriefingJournal.h"
#include "briefing/BriefingModel.h"
#include "mission/MissionStore.h"

namespace quendar::briefing {

using mission::Table;

namespace {

int readWord(std::span<const uint8_t> block, int pos) {
    return block[static_cast<size_t>(pos)] | (block[static_cast<size_t>(pos) + 1] << 8);
}

void writeWord(std::span<uint8_t> block, int pos, int value) {
    block[static_cast<size_t>(pos)] = static_cast<uint8_t>(value & 0xFF);
    block[static_cast<size_t>(pos) + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

// Position of each kind in the saver's scan order.
constexpr std::array<int, kKindCount> buildScanRank() {
    std::array<int, kKindCount> rank{};
    for (int i = 0; i < kKindCount; ++i) rank[kSaveScanOrder[i]] = i;
    return rank;
}
constexpr std::array<int, kKindCount> kScanRank = buildScanRank();

// The saver writes the records in time order. Among equal times a kind scanned
// later goes first; within one kind, records of equal time keep their list
// order. (Writing them in reverse list order, as a last-found-wins scan does,
// would turn them round at every save, and with them the outcome of two
// commands for the same ship at the same moment.) A key packs a record's place in it (and names the
// record); ascending keys are the save order, produced by one linear sort instead of one scan over
// all records per written record.
constexpr int kIndexBits = 10;  // list capacity <= 1024
constexpr int kKindBits = 5;

uint64_t saveKey(int32_t time, Kind kind, int index) {
    return (uint64_t(uint32_t(time)) << (kKindBits + kIndexBits)) |
           (uint64_t(kKindCount - 1 - kScanRank[kind]) << kIndexBits) |
           uint64_t((1 << kIndexBits) - 1 - index);
}
Kind keyKind(uint64_t key) {
    const int inverted = static_cast<int>((key >> kIndexBits) & ((1u << kKindBits) - 1));
    return kSaveScanOrder[static_cast<size_t>(kKindCount - 1 - inverted)];
}
int keyIndex(uint64_t key) {
    return (1 << kIndexBits) - 1 - static_cast<int>(key & ((1u << kIndexBits) - 1));
}

// Stable LSD radix sort on the 16 time bits of the keys: two passes of
// eight bits, linear in the number of records. `tmp` holds as many keys.
// After the even number of passes the result is back in `keys`.
void sortByTime(std::span<uint64_t> keys, std::span<uint64_t> tmp) {
    std::span<uint64_t> from = keys;
    std::span<uint64_t> to = tmp;
    for (int shift = kKindBits + kIndexBits; shift < kKindBits + kIndexBits + 16; shift += 8) {
        std::array<size_t, 257> start{};
        for (uint64_t k : from) ++start[((k >> shift) & 0xFF) + 1];
        for (size_t b = 1; b < start.size(); ++b) start[b] += start[b - 1];
        for (uint64_t k : from) to[start[(k >> shift) & 0xFF]++] = k;
        std::swap(from, to);
    }
}

// The file form of a length mark or an end time: a 16-bit word.
int clampToWord(int value) { return std::clamp(value, 0, 0xFFFF); }

}  // namespace

static_assert(kKindCount <= (1 << kKindBits));

struct BriefingModel::SavePlan {
    std::span<const uint64_t> keys;  // records to write, in save order
    int fitting = 0;                 // how many of them fit the event area
    int bytes = 0;                   // event bytes of those, the end command included
    int droppedNegative = 0;
    int droppedMarked = 0;
};

ParseResult BriefingModel::parseBriefing() { return reread(); }

// The lists become what the block holds, in save order, with the end time
// and the length mark as written. Records that the tools' undo took back
// were not written; they stay behind the counts, so that the tools' redo
// brings them back after the save as before it. To the journal the change is
// the save's bookkeeping, not an action (ChangeJournal::bridge).
ParseResult BriefingModel::reparseAfterSave() {
    mission::ChangeJournal* j = m_store.journal();
    if (!j || !j->recording()) j = nullptr;
    std::unique_ptr<ListsSnapshot> before = std::move(m_saveBefore);
    if (!before) before = std::make_unique<ListsSnapshot>(ListsAccess::snapshot(*this));
    std::vector<std::vector<Record>> takenBack(kKindCount);
    for (int k = 0; k < kKindCount; ++k) {
        const auto back = m_lists[static_cast<size_t>(k)].takenBack();
        takenBack[static_cast<size_t>(k)].assign(back.begin(), back.end());
    }
    m_endTime = kDefaultBriefingTime;
    const ParseResult result = parseLists();
    for (int k = 0; k < kKindCount; ++k) {
        auto& records = ListsAccess::records(*this, Kind(k));
        for (const Record& r : takenBack[static_cast<size_t>(k)]) {
            if (static_cast<int>(records.size()) >= capacity(Kind(k))) break;
            records.push_back(r);
        }
    }
    const auto block = m_store.slot(Table::Briefing1, 0);
    std::vector<uint8_t> blockAfter(block.begin(), block.end());
    std::vector<uint8_t> blockBefore = std::move(m_blockBeforeSave);
    m_blockBeforeSave.clear();
    if (blockBefore.empty()) blockBefore = blockAfter;
    if (j) {
        ListsSnapshot after = ListsAccess::snapshot(*this);
        if (after != *before || blockAfter != blockBefore)
            j->bridge(journalled::savedAndReread(*this, std::move(*before), std::move(after),
                                                 std::move(blockBefore), std::move(blockAfter)));
    }
    return result;
}

SerializeResult BriefingModel::packForSave() {
    const auto block = m_store.slot(Table::Briefing1, 0);
    m_blockBeforeSave.assign(block.begin(), block.end());
    return packInto(m_store);
}

void BriefingModel::saveFailed() {
    if (m_blockBeforeSave.size() == static_cast<size_t>(mission::kBriefingBlockSize)) {
        const auto block = m_store.mutableSlot(Table::Briefing1, 0);
        std::copy(m_blockBeforeSave.begin(), m_blockBeforeSave.end(), block.begin());
    }
    m_blockBeforeSave.clear();
}

// The lists before (before the save's marks, when a save came first) and
// after are one journal entry, none when the read gives the lists back.
ParseResult BriefingModel::reread() {
    mission::ChangeJournal* j = m_store.journal();
    if (!j || !j->recording()) j = nullptr;
    std::unique_ptr<ListsSnapshot> before = std::move(m_saveBefore);
    if (j && !before) before = std::make_unique<ListsSnapshot>(ListsAccess::snapshot(*this));
    const ParseResult result = parseLists();
    if (j) {
        ListsSnapshot after = ListsAccess::snapshot(*this);
        if (after != *before)
            j->record(journalled::listsReplaced(*this, std::move(*before), std::move(after)));
    }
    return result;
}

BriefingModel::SaveOutcome BriefingModel::packAndReread() {
    SaveOutcome out;
    out.packed = serializeBriefing();
    out.reread = reparseAfterSave();
    return out;
}

ParseResult BriefingModel::parseLists() {
    ParseResult result;
    for (auto& l : m_lists) l.clear();
    resetPlayback();
    const auto block = m_store.slot(Table::Briefing1, 0);
    setBriefingLength(readWord(block, kLengthOffset));

    int pos = kEventAreaStart;
    for (;;) {
        // A command must lie wholly inside the event area; one that would
        // reach the team flags means the script has no end command.
        if (pos + 4 > kEventAreaEnd) {
            result.status = ParseStatus::NoEndCommand;
            break;
        }
        const int time = readWord(block, pos);
        const int code = readWord(block, pos + 2);
        if ((code & 0xFF) == kEndCode) {
            m_endTime = time;
            result.status = result.droppedCommands ? ParseStatus::ListFull : ParseStatus::Ok;
            break;
        }
        const auto kind = kindOfCode(code & 0xFF);
        if (!kind) {
            result.status = ParseStatus::UnknownCommand;
            result.unknownCode = code;
            break;
        }
        const KindInfo& info = kindInfo(*kind);
        if (pos + 4 + 2 * info.paramCount > kEventAreaEnd) {
            result.status = ParseStatus::NoEndCommand;
            break;
        }
        Record rec;
        rec.time = time;
        rec.codeHigh = code >> 8;
        for (int i = 0; i < info.paramCount; ++i) {
            const int at = pos + 4 + 2 * i;
            const int low = block[static_cast<size_t>(at)];
            const int high = block[static_cast<size_t>(at) + 1];
            switch (info.params[i]) {
                case ParamForm::Signed: rec.params[i] = {low, static_cast<int8_t>(high)}; break;
                case ParamForm::Unsigned: rec.params[i] = {low, high}; break;
                // Only the low byte of a plain parameter means anything (the
                // saver writes the high byte as 0), so the high byte is not
                // kept: the value is the same before and after a save.
                default: rec.params[i] = {low, 0}; break;
            }
        }
        // A list that is full keeps what it has; the command is counted so
        // that the user can be told, and unpacking goes on with the others.
        if (m_lists[*kind].append(rec, kNoLimit))
            ++result.commandsRead;
        else
            ++result.droppedCommands;
        pos += 4 + 2 * info.paramCount;
    }
    result.stopOffset = pos;
    return result;
}

void BriefingModel::planSave(SavePlan& plan) const {
    // The key buffers were allocated with the lists and hold a key for every
    // record the lists can hold, so a save allocates nothing.
    size_t n = 0;
    // Gathered in tie order (kinds scanned later first, each kind's records
    // in list order), so that a stable sort on the time alone gives the save
    // order.
    for (int rank = kKindCount - 1; rank >= 0; --rank) {
        const Kind kind = kSaveScanOrder[static_cast<size_t>(rank)];
        const auto recs = m_lists[kind].records();
        for (int i = 0; i < static_cast<int>(recs.size()); ++i) {
            const int32_t t = recs[static_cast<size_t>(i)].time;
            // 65535 and above are reserved for written records. A negative
            // time has no 16-bit form that reads back as the same time, and
            // such a command is never shown, so it is not written either.
            if (t >= kWrittenMark)
                ++plan.droppedMarked;
            else if (t < 0)
                ++plan.droppedNegative;
            else
                m_saveKeys[n++] = saveKey(t, kind, i);
        }
    }
    const std::span<uint64_t> keys(m_saveKeys.get(), n);
    sortByTime(keys, std::span<uint64_t>(m_saveScratch.get(), n));
    plan.keys = keys;

    // Commands go in while there is room for them and for the end command
    // behind them. The first one that does not fit ends the written script,
    // so the saved briefing is the edited one cut at a point in time rather
    // than one with holes.
    int pos = kEventAreaStart;
    plan.fitting = 0;
    for (uint64_t key : plan.keys) {
        const int size = encodedSize(keyKind(key));
        if (pos + size + kEndCommandSize > kEventAreaEnd) break;
        pos += size;
        ++plan.fitting;
    }
    plan.bytes = pos + kEndCommandSize - kEventAreaStart;
}

int BriefingModel::unwrittenOnSave() const {
    SavePlan plan;
    planSave(plan);
    return static_cast<int>(plan.keys.size()) - plan.fitting;
}

// Writes the length mark, the planned commands and the end command into a
// copy of briefing 1's block; what lies after the end command stays.
void BriefingModel::writeBlock(std::span<uint8_t> block, const SavePlan& plan) const {
    // A length mark outside 0..65535 (the end mark tool takes the current
    // time, which stepping can make negative) is written as the nearest word.
    const int length = clampToWord(briefingLength());
    writeWord(block, kLengthOffset, length);
    writeWord(block, kLengthCopyOffset, length);

    int pos = kEventAreaStart;
    for (int n = 0; n < plan.fitting; ++n) {
        const Kind kind = keyKind(plan.keys[static_cast<size_t>(n)]);
        const int index = keyIndex(plan.keys[static_cast<size_t>(n)]);
        const Record& rec = m_lists[kind].records()[static_cast<size_t>(index)];
        const KindInfo& info = kindInfo(kind);
        writeWord(block, pos, rec.time);
        writeWord(block, pos + 2, info.code | ((rec.codeHigh & 0xFF) << 8));
        for (int i = 0; i < info.paramCount; ++i) {
            const int at = pos + 4 + 2 * i;
            if (info.params[i] == ParamForm::Byte)
                writeWord(block, at, rec.params[i].low & 0xFF);
            else
                writeWord(block, at, rec.params[i].value());
        }
        pos += 4 + 2 * info.paramCount;
    }
    // The end time can be set to anything in the "Briefing length" form; the
    // file holds a word.
    writeWord(block, pos, clampToWord(m_endTime));
    writeWord(block, pos + 2, kEndCode);
}

namespace {
SerializeResult resultOf(int fitting, int planned, int droppedNegative, int droppedMarked,
                         int bytes) {
    SerializeResult result;
    result.written = fitting;
    result.unwritten = planned - fitting;
    result.droppedNegative = droppedNegative;
    result.droppedMarked = droppedMarked;
    result.bytesUsed = bytes;
    return result;
}
}  // namespace

SerializeResult BriefingModel::serializeBriefing() {
    SavePlan plan;
    planSave(plan);
    // The block is packed in a copy and written back in one store write, so
    // the change is journalled like any other.
    const auto current = m_store.slot(Table::Briefing1, 0);
    m_packBuffer.assign(current.begin(), current.end());
    writeBlock(m_packBuffer, plan);
    m_store.setBytes(Table::Briefing1, 0, 0, m_packBuffer);
    // The lists before the marks, for the journal entry of the re-read.
    if (plan.fitting > 0) {
        if (recorder())
            m_saveBefore = std::make_unique<ListsSnapshot>(ListsAccess::snapshot(*this));
        else
            m_saveBefore.reset();
    }
    for (int n = 0; n < plan.fitting; ++n) {
        const Kind kind = keyKind(plan.keys[static_cast<size_t>(n)]);
        const int index = keyIndex(plan.keys[static_cast<size_t>(n)]);
        m_lists[kind].mutableRecords()[static_cast<size_t>(index)].time = kWrittenMark;
    }
    return resultOf(plan.fitting, static_cast<int>(plan.keys.size()), plan.droppedNegative,
                    plan.droppedMarked, plan.bytes);
}

SerializeResult BriefingModel::packInto(mission::MissionStore& target) const {
    SavePlan plan;
    planSave(plan);
    auto block = target.mutableSlot(Table::Briefing1, 0);
    if (block.size() != static_cast<size_t>(mission::kBriefingBlockSize)) return {};
    writeBlock(block, plan);
    if (&target != &m_store) target.briefingLength = m_store.briefingLength;
    return resultOf(plan.fitting, static_cast<int>(plan.keys.size()), plan.droppedNegative,
                    plan.droppedMarked, plan.bytes);
}

}  // namespace quendar::briefing
