#include "briefing/UndoLog.h"

#include "briefing/BriefingModel.h"

namespace quendar::briefing {

const UndoLog::Entry& UndoLog::entry(int index) const {
    static const Entry kEmpty{};
    return index >= 0 && index < m_length ? m_entries[static_cast<size_t>(index)] : kEmpty;
}

void UndoLog::record(int kind, int count) {
    if (m_position >= kCapacity) return;
    m_entries[static_cast<size_t>(m_position)] = {kind, count};
    m_length = m_position = m_position + 1;
}

// The list's count never goes below 0 nor above what the list holds, so an
// entry whose records were deleted or reset in the meantime cannot break it.
bool UndoLog::undo(BriefingModel& model, bool briefingMode) {
    if (!canUndo(briefingMode) || m_position > m_length) return false;
    const Entry& e = m_entries[static_cast<size_t>(m_position - 1)];
    --m_position;
    if (auto kind = kindOfUndoEntry(e.kind)) model.setCount(*kind, model.count(*kind) - e.count);
    return true;
}

bool UndoLog::redo(BriefingModel& model, bool briefingMode) {
    if (!canRedo(briefingMode)) return false;
    const Entry& e = m_entries[static_cast<size_t>(m_position)];
    if (auto kind = kindOfUndoEntry(e.kind)) model.setCount(*kind, model.count(*kind) + e.count);
    ++m_position;
    return true;
}

}  // namespace quendar::briefing
