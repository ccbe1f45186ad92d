#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "briefing/BriefingKinds.h"

namespace quendar::briefing {

// One parameter word of a command, held as its low and high byte. Coordinates
// keep the high byte sign-extended (-128..127) so that value() is the signed
// coordinate; zoom values keep it unsigned. For plain parameters only the low
// byte reaches the file, but a record may hold a larger number in `low` (a
// text index of 300 is written as 44).
struct Param {
    int low = 0;
    int high = 0;
    int value() const { return low + 256 * high; }
    bool operator==(const Param&) const = default;
};

struct Record {
    int32_t time = 0;
    int codeHigh = 0;  // high byte of the command code word as read (0 for new commands)
    std::array<Param, kMaxParams> params{};

    int param(int i) const { return i >= 0 && i < kMaxParams ? params[i].value() : 0; }
    bool operator==(const Record&) const = default;
};

// Splits a parameter value into the record form of its kind: coordinates are
// limited to the signed 16-bit range and zoom values to the unsigned one;
// plain parameters are kept as given.
Param makeParam(ParamForm form, int value);

// A fixed-capacity list of one command kind. The array is allocated once.
//
// Records [0, count) are the list. Records [count, filled) are commands that
// undo took back: redo brings them back by raising the count again, and
// appending discards them. Nothing outside [0, capacity) is ever touched.
class CommandList {
  public:
    explicit CommandList(int capacity);

    int count() const { return m_count; }
    int filled() const { return static_cast<int>(m_records.size()); }
    int capacity() const { return m_capacity; }
    bool full() const { return m_count >= capacity(); }

    std::span<const Record> records() const { return {m_records.data(), size_t(m_count)}; }
    std::span<Record> mutableRecords() { return {m_records.data(), size_t(m_count)}; }
    // The records behind the count that undo took back, [count, filled).
    std::span<const Record> takenBack() const {
        return {m_records.data() + m_count, m_records.size() - size_t(m_count)};
    }
    // Bounds-checked: an index outside [0, filled) answers an empty record.
    const Record& at(int index) const;

    // Appends at the end unless the list already holds `limit` (or capacity)
    // records. Records that undo had taken back are discarded.
    bool append(const Record& record, int limit);
    // Removes the record and moves the later ones (also those undo took back)
    // down by one.
    bool remove(int index);
    // Undo and redo move the count; it stays within [0, filled].
    void setCount(int count);
    void clear();

  private:
    friend class ListsAccess;  // the change journal's way back and forth

    // Records [0, filled): the list and, behind the count, what undo took back.
    // The storage for `capacity` records is reserved once and only touched as
    // records come, so an empty list costs no memory traffic.
    std::vector<Record> m_records;
    int m_capacity = 0;
    int m_count = 0;
};

}  // namespace quendar::briefing
