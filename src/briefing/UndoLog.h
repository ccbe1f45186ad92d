#pragma once

#include <array>
#include <cstdint>

namespace quendar::mission {
class MissionStore;
}

namespace quendar::briefing {

class BriefingModel;

// Undo kinds: the list an entry changed. 1 move ship, 2 direction, 3 show
// ship, 4 technical data, 5..12 selection slots 1..8, 13..20 tag slots 1..8.
namespace undo {
constexpr int Move = 1, Orient = 2, Show = 3, Tech = 4;
constexpr int select(int slot) { return 4 + slot; }  // slot 1..8
constexpr int tag(int slot) { return 12 + slot; }    // slot 1..8
}  // namespace undo

// The log of the briefing tools' additions. It keeps no copies: an entry
// says how many records an action appended to one list, undo lowers that
// list's count by as many and redo raises it again (the records behind the
// count stay in the list until something new is appended).
//
// Every change of the log (its entries, length and position) goes into the
// change journal of the store it is bound to, so that Edit → Undo and the
// toolbar's Undo never disagree.
class UndoLog {
  public:
    static constexpr int kCapacity = 4999;

    // `store` gives the journal (none: nothing is journalled).
    explicit UndoLog(mission::MissionStore* store = nullptr) : m_store(store) {}
    UndoLog(const UndoLog&) = delete;
    UndoLog& operator=(const UndoLog&) = delete;

    struct Entry {
        int32_t kind = 0;
        int32_t count = 0;
    };

    // After a tool appended `count` records to the list of `kind`. A full log
    // records nothing (the action itself stands). Entries that were undone
    // are dropped.
    void record(int kind, int count);
    // Both act only when enabled; they return whether they did anything.
    bool undo(BriefingModel& model, bool briefingMode);
    bool redo(BriefingModel& model, bool briefingMode);
    bool canUndo(bool briefingMode) const {
        return briefingMode && m_length != 0 && m_position != 0;
    }
    bool canRedo(bool briefingMode) const {
        return briefingMode && m_length != 0 && m_position < m_length;
    }
    void clear();

    int length() const { return m_length; }
    int position() const { return m_position; }
    const Entry& entry(int index) const;  // 0-based, bounds-checked

  private:
    friend class ListsAccess;  // the change journal's way back and forth
    // Journals the change from length and position `before` to now; `index`
    // is the entry that was overwritten (-1: none), `old` what it held.
    void journal(int lengthBefore, int positionBefore, int index, Entry old);

    mission::MissionStore* m_store = nullptr;
    std::array<Entry, kCapacity> m_entries{};
    int m_length = 0;
    int m_position = 0;
};

}  // namespace quendar::briefing
