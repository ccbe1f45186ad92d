#pragma once

#include <array>
#include <cstdint>

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
class UndoLog {
  public:
    static constexpr int kCapacity = 4999;

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
    bool canUndo(bool briefingMode) const { return briefingMode && m_length != 0 && m_position != 0; }
    bool canRedo(bool briefingMode) const {
        return briefingMode && m_length != 0 && m_position < m_length;
    }
    void clear() { m_length = m_position = 0; }

    int length() const { return m_length; }
    int position() const { return m_position; }
    const Entry& entry(int index) const;  // 0-based, bounds-checked

  private:
    std::array<Entry, kCapacity> m_entries{};
    int m_length = 0;
    int m_position = 0;
};

}  // namespace quendar::briefing
