#pragma once

// The briefing model's entries in the change journal: each list change in a
// form that can take itself back and put itself back exactly. Used by the
// model and the undo log only.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "briefing/BriefingModel.h"
#include "mission/ChangeJournal.h"

namespace quendar::briefing {

// Every list as the model holds it (the records behind each count too) and
// the end time: the before and after of the rare changes that replace the
// lists wholesale (a re-read, Reset Briefing 1).
struct ListsSnapshot {
    std::vector<Record> records;  // the filled records, list after list
    std::array<int, kKindCount> filled{};
    std::array<int, kKindCount> counts{};
    int endTime = 0;
    bool operator==(const ListsSnapshot&) const = default;
    size_t memoryUse() const { return records.capacity() * sizeof(Record); }
};

// One record's time before and after a change of times.
struct TimeChange {
    uint8_t kind;
    uint16_t index;
    int32_t before;
    int32_t after;
};

// The undo log's length and position.
struct UndoLogState {
    int length = 0;
    int position = 0;
    bool operator==(const UndoLogState&) const = default;
};

// The raw way into the lists, the end time and the undo log for the journal's
// entries; a friend of the classes it opens.
class ListsAccess {
  public:
    static ListsSnapshot snapshot(const BriefingModel& m);
    static void restore(BriefingModel& m, const ListsSnapshot& s);
    static std::vector<Record>& records(BriefingModel& m, Kind kind);
    static int& count(BriefingModel& m, Kind kind);
    static int& endTime(BriefingModel& m) { return m.m_endTime; }
    static std::span<uint8_t> block(BriefingModel& m);
    // A save's marks that were never re-read are forgotten once the journal
    // moves the lists (see BriefingModel::serializeBriefing).
    static void forgetPendingSave(BriefingModel& m) { m.m_saveBefore.reset(); }
    static UndoLog::Entry& logEntry(UndoLog& log, int index) {
        return log.m_entries[static_cast<size_t>(index)];
    }
    static void setLogState(UndoLog& log, UndoLogState s) {
        log.m_length = s.length;
        log.m_position = s.position;
    }
};

namespace journalled {

using Entry = std::unique_ptr<mission::Reversible>;

// `added` went to the end of the list, which held `countBefore` records;
// `discarded` are the records undo had taken back, which the append dropped.
Entry appended(BriefingModel& m, Kind kind, int countBefore, const Record& added,
               std::vector<Record> discarded);
// The record at `index` was removed.
Entry deleted(BriefingModel& m, Kind kind, int index, const Record& removed);
Entry countChanged(BriefingModel& m, Kind kind, int before, int after);
Entry timesChanged(BriefingModel& m, std::vector<TimeChange> changes);
Entry endTimeChanged(BriefingModel& m, int before, int after);
Entry listsReplaced(BriefingModel& m, ListsSnapshot before, ListsSnapshot after);
// A save's packing of briefing 1's block and its re-read of the lists.
Entry savedAndReread(BriefingModel& m, ListsSnapshot before, ListsSnapshot after,
                     std::vector<uint8_t> blockBefore, std::vector<uint8_t> blockAfter);
// Entry `index` (-1: none) went from `oldEntry` to what the log holds now.
Entry undoLogChanged(UndoLog& log, UndoLogState before, UndoLogState after, int index,
                     UndoLog::Entry oldEntry, UndoLog::Entry newEntry);

}  // namespace journalled

}  // namespace quendar::briefing
