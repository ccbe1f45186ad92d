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
        case ParamForm::Byte: return {value, 0};
        case ParamForm::None: break;
    }
    return {};
}

CommandList::CommandList(int capacity) : m_capacity(std::max(capacity, 0)) {
    m_records.reserve(static_cast<size_t>(m_capacity));
}

const Record& CommandList::at(int index) const {
    static const Record kEmpty{};
    if (index < 0 || index >= filled()) return kEmpty;
    return m_records[static_cast<size_t>(index)];
}

bool CommandList::append(const Record& record, int limit) {
    if (m_count >= std::min(limit, capacity())) return false;
    m_records.resize(static_cast<size_t>(m_count));  // drops what undo took back
    m_records.push_back(record);
    ++m_count;
    return true;
}

bool CommandList::remove(int index) {
    if (index < 0 || index >= m_count) return false;
    m_records.erase(m_records.begin() + index);
    --m_count;
    return true;
}

void CommandList::setCount(int count) { m_count = std::clamp(count, 0, filled()); }

void CommandList::clear() {
    m_count = 0;
    m_records.clear();  // the reserved storage stays
}

}  // namespace quendar::briefing
