#include "briefing/CommandList.h"

#include <algorithm>

namespace quendar::briefing {

Param makeParam(ParamForm form, int value) {
    switch (form) {
        case ParamForm::Signed: {
            const int v = std::clamp(value, -32768, 32767);
            const int low = v & 0xFF;
            return {low, (v - low) / 256};
        }
        case ParamForm::Unsigned: {
            const int v = std::clamp(value, 0, 65535);
            return {v & 0xFF, v >> 8};
        }
        case ParamForm::Byte:
            return {value, 0};
        case ParamForm::None:
            break;
    }
    return {};
}

CommandList::CommandList(int capacity) : m_records(static_cast<size_t>(std::max(capacity, 0))) {}

const Record& CommandList::at(int index) const {
    static const Record kEmpty{};
    if (index < 0 || index >= m_filled) return kEmpty;
    return m_records[static_cast<size_t>(index)];
}

bool CommandList::append(const Record& record, int limit) {
    if (m_count >= std::min(limit, capacity())) return false;
    m_records[static_cast<size_t>(m_count)] = record;
    ++m_count;
    m_filled = m_count;
    return true;
}

bool CommandList::remove(int index) {
    if (index < 0 || index >= m_count) return false;
    std::move(m_records.begin() + index + 1, m_records.begin() + m_filled,
              m_records.begin() + index);
    --m_filled;
    --m_count;
    m_records[static_cast<size_t>(m_filled)] = Record{};
    return true;
}

void CommandList::setCount(int count) { m_count = std::clamp(count, 0, m_filled); }

void CommandList::clear() {
    // Only the count matters; the old records are overwritten as new ones come.
    m_count = 0;
    m_filled = 0;
}

}  // namespace quendar::briefing
