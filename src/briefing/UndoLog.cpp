#include "briefing/UndoLog.h"

#include "briefing/BriefingJournal.h"
#include "briefing/BriefingModel.h"
#include "mission/MissionStore.h"

namespace quendar::briefing {

const UndoLog::Entry& UndoLog::entry(int index) const {
    static const Entry kEmpty{};
    return index >= 0 && index < m_length ? m_entries[static_cast<size_t>(index)] : kEmpty;
}

void UndoLog::journal(int lengthBefore, int positionBefore, int index, Entry old) {
    mission::ChangeJournal* j = m_store ? m_store->journal() : nullptr;
    if (!j || !j->recording()) return;
    const UndoLogState before{lengthBefore, positionBefore}, after{m_length, m_position};
    if (before == after && index < 0) return;
    const Entry now = index >= 0 ? m_entries[static_cast<size_t>(index)] : Entry{};
    j->record(journalled::undoLogChanged(*this, before, after, index, old, now));
}

void UndoLog::record(int kind, int count) {
    if (m_position >= kCapacity) return;
    const int length = m_length, position = m_position;
    const Entry old = m_entries[static_cast<size_t>(m_position)];
    m_entries[static_cast<size_t>(m_position)] = {kind, count};
    m_length = m_position = m_position + 1;
    journal(length, position, position, old);
}

void UndoLog::clear() {
    const int length = m_length, position = m_position;
    m_length = m_position = 0;
    journal(length, position, -1, {});
}

// The list's count never goes below 0 nor above what the list holds, so an
// entry whose records were deleted or reset in the meantime cannot break it.
bool UndoLog::undo(BriefingModel& model, bool briefingMode) {
    if (!canUndo(briefingMode) || m_position > m_length) return false;
    const Entry e = m_entries[static_cast<size_t>(m_position - 1)];
    --m_position;
    journal(m_length, m_position + 1, -1, {});
    if (auto kind = kindOfUndoEntry(e.kind)) model.setCount(*kind, model.count(*kind) - e.count);
    return true;
}

bool UndoLog::redo(BriefingModel& model, bool briefingMode) {
    if (!canRedo(briefingMode)) return false;
    const Entry e = m_entries[static_cast<size_t>(m_position)];
    if (auto kind = kindOfUndoEntry(e.kind)) model.setCount(*kind, model.count(*kind) + e.count);
    ++m_position;
    journal(m_length, m_position - 1, -1, {});
    return true;
}

}  // namespace quendar::briefing
