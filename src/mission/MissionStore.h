#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mission/LargeBlock.h"

namespace quendar::mission {

class ChangeJournal;

// The tables of the open mission, in file order. Each table is an exact byte
// image of its file section: slot k of a record table is byte k of that record.
enum class Table : int {
    Header,
    RegionNames,
    SpecialCargo,
    GlobalGroupNames,
    Block3480,
    MissionOptions,
    Shipgroups,
    Messages,
    GlobalGoals,
    Teams,
    Briefing1,
    Briefing1Tags,
    Briefing1Texts,
    Briefing2,
    Briefing2Tags,
    Briefing2Texts,
    Block6268,
    BriefingTextNotes,
    MessageNotes,
    NotesC,
    NotesD,
    NotesE,
    ShipgroupGoalStrings,
    GlobalGoalStrings,
    Block417,
    OrderStrings,
    Debriefing,
    Hints,
    Introduction,
    Count
};

struct TableShape {
    int slots;
    int slotSize;
};

constexpr int kMaxShipgroups = 255;
constexpr int kMaxMessages = 255;
constexpr int kShipgroupSize = 3646;
constexpr int kMessageSize = 162;
constexpr int kGlobalGoalSize = 368;
constexpr int kTeamSize = 487;
constexpr int kTeams = 10;
constexpr int kBriefingBlockSize = 17428;
constexpr int kBriefingStrings = 128;
// A counted string holds up to 255 characters; the slot keeps one more byte so
// that a full-length string still ends in a zero.
constexpr int kCountedStringSlot = 256;
constexpr int kShortStringSize = 64;
constexpr int kNoteSize = 100;
constexpr int kLongTextSize = 4096;
constexpr int kShipgroupGoalStrings = 8 * 3;  // per shipgroup
constexpr int kOrderStrings = 16;             // per shipgroup: region 0..3, slot 0..3
constexpr int kGlobalGoalStrings = 360;

constexpr TableShape shapeOf(Table t) {
    switch (t) {
        case Table::Header: return {1, 100};
        case Table::RegionNames: return {4, 132};
        case Table::SpecialCargo: return {16, 140};
        case Table::GlobalGroupNames: return {32, 87};
        case Table::Block3480: return {1, 3480};
        case Table::MissionOptions: return {1, 68};
        case Table::Shipgroups: return {kMaxShipgroups, kShipgroupSize};
        case Table::Messages: return {kMaxMessages, kMessageSize};
        case Table::GlobalGoals: return {kTeams, kGlobalGoalSize};
        case Table::Teams: return {kTeams, kTeamSize};
        case Table::Briefing1: return {1, kBriefingBlockSize};
        case Table::Briefing1Tags: return {kBriefingStrings, kCountedStringSlot};
        case Table::Briefing1Texts: return {kBriefingStrings, kCountedStringSlot};
        case Table::Briefing2: return {1, kBriefingBlockSize};
        case Table::Briefing2Tags: return {kBriefingStrings, kCountedStringSlot};
        case Table::Briefing2Texts: return {kBriefingStrings, kCountedStringSlot};
        case Table::Block6268: return {1, 6268};
        case Table::BriefingTextNotes: return {128, kNoteSize};
        case Table::MessageNotes: return {64, kNoteSize};
        case Table::NotesC: return {30, kNoteSize};
        case Table::NotesD: return {40, kNoteSize};
        case Table::NotesE: return {3, kNoteSize};
        case Table::ShipgroupGoalStrings:
            return {kMaxShipgroups * kShipgroupGoalStrings, kShortStringSize};
        case Table::GlobalGoalStrings: return {kGlobalGoalStrings, kShortStringSize};
        case Table::Block417: return {1, 417};
        case Table::OrderStrings: return {kMaxShipgroups * kOrderStrings, kShortStringSize};
        case Table::Debriefing: return {1, kLongTextSize};
        case Table::Hints: return {1, kLongTextSize};
        case Table::Introduction: return {1, kLongTextSize};
        case Table::Count: break;
    }
    return {0, 0};
}

// The mission store: every table of the open mission plus the counters kept
// beside them. All tables are allocated once, at construction; nothing is
// allocated or freed afterwards. Every read and write goes through the small
// API below, which checks bounds: an access outside a table reads 0 and writes
// nothing.
class MissionStore {
  public:
    MissionStore();
    MissionStore(const MissionStore& other);
    MissionStore& operator=(const MissionStore& other);
    MissionStore(MissionStore&& other) noexcept;
    MissionStore& operator=(MissionStore&& other) noexcept;
    // A copy or a move takes the tables and counters, never the journal: a
    // store keeps the journal it was given.

    // --- bytes, 16-bit fields and text fields of a slot
    uint8_t byte(Table t, int slot, int offset) const;
    void setByte(Table t, int slot, int offset, uint8_t value);
    uint16_t word(Table t, int slot, int offset) const;  // little-endian
    int16_t signedWord(Table t, int slot, int offset) const;
    void setWord(Table t, int slot, int offset, uint16_t value);
    // A text field of `width` bytes at `offset`: characters up to the first
    // zero (or the whole field when it is full).
    std::string text(Table t, int slot, int offset, int width) const;
    // Writes the text zero-padded; a longer text is cut to `width` characters.
    void setText(Table t, int slot, int offset, int width, std::string_view value);

    // Writes `bytes` at `offset` of a slot; nothing when they do not fit.
    void setBytes(Table t, int slot, int offset, std::span<const uint8_t> bytes);
    // Sets `width` bytes at `offset` of a slot to `value`.
    void fillBytes(Table t, int slot, int offset, int width, uint8_t value);

    // --- whole slots
    std::span<const uint8_t> slot(Table t, int slot) const;
    // Writable views for the file reader and the new-mission reset, which
    // replace the whole mission. Writes through them are not journalled:
    // every edit of an open mission goes through the calls above and below.
    std::span<uint8_t> mutableSlot(Table t, int slot);
    std::span<const uint8_t> table(Table t) const;
    std::span<uint8_t> mutableTable(Table t);
    void clearTable(Table t);
    void copySlot(Table t, int from, int to);

    // --- the journal that hears every write above (none: writes are not recorded)
    void attachJournal(ChangeJournal* journal) { m_journal = journal; }
    ChangeJournal* journal() const { return m_journal; }

    // --- counters and state kept beside the tables
    int shipgroupCount = 1;
    int messageCount = 0;
    int currentShipgroup = 0;
    int currentTeam = 0;
    std::string missionPath = "noname.tie";
    int briefingLength = 3000;

  private:
    void allocate();
    // Records a write of n bytes at `offset` of table t before it is made.
    void journalWrite(Table t, size_t offset, const uint8_t* after, size_t n);
    ChangeJournal* m_journal = nullptr;

    // All tables live in one block, allocated once.
    LargeBlock m_block;
    size_t m_blockSize = 0;
    std::array<std::span<uint8_t>, static_cast<int>(Table::Count)> m_tables;
};

// Index helpers for string tables that are addressed by several numbers.
constexpr int shipgroupGoalStringIndex(int shipgroup, int goal, int kind) {
    return (shipgroup * 8 + goal) * 3 + kind;
}
constexpr int orderStringIndex(int shipgroup, int region, int slot) {
    return (shipgroup * 4 + region) * 4 + slot;
}
constexpr int globalGoalStringIndex(int team, int kind, int goal, int string) {
    return ((team * 3 + kind) * 4 + goal) * 3 + string;
}

}  // namespace quendar::mission
