#include "briefing/BriefingJournal.h"

#include <algorithm>
#include <utility>

#include "mission/MissionStore.h"

namespace quendar::briefing {

// --- the raw access

std::vector<Record>& ListsAccess::records(BriefingModel& m, Kind kind) {
    return m.m_lists[static_cast<size_t>(kind)].m_records;
}

int& ListsAccess::count(BriefingModel& m, Kind kind) {
    return m.m_lists[static_cast<size_t>(kind)].m_count;
}

std::span<uint8_t> ListsAccess::block(BriefingModel& m) {
    return m.m_store.mutableSlot(mission::Table::Briefing1, 0);
}

ListsSnapshot ListsAccess::snapshot(const BriefingModel& m) {
    ListsSnapshot s;
    size_t total = 0;
    for (const CommandList& l : m.m_lists) total += l.m_records.size();
    s.records.reserve(total);
    for (int k = 0; k < kKindCount; ++k) {
        const CommandList& l = m.m_lists[static_cast<size_t>(k)];
        s.records.insert(s.records.end(), l.m_records.begin(), l.m_records.end());
        s.filled[k] = static_cast<int>(l.m_records.size());
        s.counts[k] = l.m_count;
    }
    s.endTime = m.m_endTime;
    return s;
}

// The lists' storage was reserved for their capacity, which no snapshot
// exceeds, so a restore allocates nothing.
void ListsAccess::restore(BriefingModel& m, const ListsSnapshot& s) {
    size_t at = 0;
    for (int k = 0; k < kKindCount; ++k) {
        CommandList& l = m.m_lists[static_cast<size_t>(k)];
        const size_t n = static_cast<size_t>(s.filled[k]);
        l.m_records.assign(s.records.begin() + static_cast<std::ptrdiff_t>(at),
                           s.records.begin() + static_cast<std::ptrdiff_t>(at + n));
        l.m_count = s.counts[k];
        at += n;
    }
    m.m_endTime = s.endTime;
}

namespace journalled {

namespace {

// An entry that moves the lists: a save whose re-read is still due no longer
// describes them.
class ListEntry : public mission::Reversible {
  public:
    explicit ListEntry(BriefingModel& m) : m_model(m) {}
    void undo() final {
        ListsAccess::forgetPendingSave(m_model);
        takeBack();
    }
    void redo() final {
        ListsAccess::forgetPendingSave(m_model);
        putBack();
    }

  protected:
    virtual void takeBack() = 0;
    virtual void putBack() = 0;
    std::vector<Record>& records(Kind k) { return ListsAccess::records(m_model, k); }
    // The journal replays each entry on the state it left, so the checks
    // below never fire; they keep a journal that was fed wrongly (lists
    // changed while it was paused and not cleared) from reaching outside a
    // list.
    void setCount(Kind k, int n) {
        ListsAccess::count(m_model, k) = std::clamp(n, 0, static_cast<int>(records(k).size()));
    }
    int count(Kind k) { return ListsAccess::count(m_model, k); }

    BriefingModel& m_model;
};

class Appended final : public ListEntry {
  public:
    Appended(BriefingModel& m, Kind kind, int countBefore, const Record& added,
             std::vector<Record> discarded)
        : ListEntry(m),
          m_kind(kind),
          m_countBefore(countBefore),
          m_added(added),
          m_discarded(std::move(discarded)) {}
    size_t memoryUse() const override {
        return sizeof(*this) + m_discarded.capacity() * sizeof(Record);
    }

  private:
    void takeBack() override {
        auto& r = records(m_kind);
        r.resize(static_cast<size_t>(m_countBefore));
        r.insert(r.end(), m_discarded.begin(), m_discarded.end());
        setCount(m_kind, m_countBefore);
    }
    void putBack() override {
        auto& r = records(m_kind);
        r.resize(static_cast<size_t>(m_countBefore));
        r.push_back(m_added);
        setCount(m_kind, m_countBefore + 1);
    }

    Kind m_kind;
    int m_countBefore;
    Record m_added;
    std::vector<Record> m_discarded;
};

class Deleted final : public ListEntry {
  public:
    Deleted(BriefingModel& m, Kind kind, int index, const Record& removed)
        : ListEntry(m), m_kind(kind), m_index(index), m_removed(removed) {}
    size_t memoryUse() const override { return sizeof(*this); }

  private:
    void takeBack() override {
        auto& r = records(m_kind);
        if (m_index > static_cast<int>(r.size())) return;
        r.insert(r.begin() + m_index, m_removed);
        setCount(m_kind, count(m_kind) + 1);
    }
    void putBack() override {
        auto& r = records(m_kind);
        if (m_index >= static_cast<int>(r.size())) return;
        r.erase(r.begin() + m_index);
        setCount(m_kind, count(m_kind) - 1);
    }

    Kind m_kind;
    int m_index;
    Record m_removed;
};

class CountChanged final : public ListEntry {
  public:
    CountChanged(BriefingModel& m, Kind kind, int before, int after)
        : ListEntry(m), m_kind(kind), m_before(before), m_after(after) {}
    size_t memoryUse() const override { return sizeof(*this); }

  private:
    void takeBack() override { setCount(m_kind, m_before); }
    void putBack() override { setCount(m_kind, m_after); }

    Kind m_kind;
    int m_before, m_after;
};

class TimesChanged final : public ListEntry {
  public:
    TimesChanged(BriefingModel& m, std::vector<TimeChange> changes)
        : ListEntry(m), m_changes(std::move(changes)) {}
    size_t memoryUse() const override {
        return sizeof(*this) + m_changes.capacity() * sizeof(TimeChange);
    }

  private:
    void takeBack() override {
        for (const TimeChange& c : m_changes) set(c, c.before);
    }
    void putBack() override {
        for (const TimeChange& c : m_changes) set(c, c.after);
    }
    void set(const TimeChange& c, int32_t time) {
        auto& r = records(static_cast<Kind>(c.kind));
        if (c.index < r.size()) r[c.index].time = time;
    }

    std::vector<TimeChange> m_changes;
};

class EndTimeChanged final : public ListEntry {
  public:
    EndTimeChanged(BriefingModel& m, int before, int after)
        : ListEntry(m), m_before(before), m_after(after) {}
    size_t memoryUse() const override { return sizeof(*this); }

  private:
    void takeBack() override { ListsAccess::endTime(m_model) = m_before; }
    void putBack() override { ListsAccess::endTime(m_model) = m_after; }

    int m_before, m_after;
};

class ListsReplaced final : public ListEntry {
  public:
    ListsReplaced(BriefingModel& m, ListsSnapshot before, ListsSnapshot after,
                  std::vector<uint8_t> blockBefore = {}, std::vector<uint8_t> blockAfter = {})
        : ListEntry(m),
          m_before(std::move(before)),
          m_after(std::move(after)),
          m_blockBefore(std::move(blockBefore)),
          m_blockAfter(std::move(blockAfter)) {}
    size_t memoryUse() const override {
        return sizeof(*this) + m_before.memoryUse() + m_after.memoryUse() +
               m_blockBefore.capacity() + m_blockAfter.capacity();
    }

  private:
    void takeBack() override {
        ListsAccess::restore(m_model, m_before);
        setBlock(m_blockBefore);
    }
    void putBack() override {
        ListsAccess::restore(m_model, m_after);
        setBlock(m_blockAfter);
    }
    void setBlock(const std::vector<uint8_t>& bytes) {
        const auto block = ListsAccess::block(m_model);
        if (!bytes.empty() && bytes.size() == block.size())
            std::copy(bytes.begin(), bytes.end(), block.begin());
    }

    ListsSnapshot m_before, m_after;
    std::vector<uint8_t> m_blockBefore, m_blockAfter;  // empty: the block is not part of it
};

class UndoLogChanged final : public mission::Reversible {
  public:
    UndoLogChanged(UndoLog& log, UndoLogState before, UndoLogState after, int index,
                   UndoLog::Entry oldEntry, UndoLog::Entry newEntry)
        : m_log(log),
          m_before(before),
          m_after(after),
          m_index(index),
          m_oldEntry(oldEntry),
          m_newEntry(newEntry) {}
    size_t memoryUse() const override { return sizeof(*this); }
    void undo() override {
        if (m_index >= 0) ListsAccess::logEntry(m_log, m_index) = m_oldEntry;
        ListsAccess::setLogState(m_log, m_before);
    }
    void redo() override {
        if (m_index >= 0) ListsAccess::logEntry(m_log, m_index) = m_newEntry;
        ListsAccess::setLogState(m_log, m_after);
    }

  private:
    UndoLog& m_log;
    UndoLogState m_before, m_after;
    int m_index;
    UndoLog::Entry m_oldEntry, m_newEntry;
};

}  // namespace

Entry appended(BriefingModel& m, Kind kind, int countBefore, const Record& added,
               std::vector<Record> discarded) {
    return std::make_unique<Appended>(m, kind, countBefore, added, std::move(discarded));
}

Entry deleted(BriefingModel& m, Kind kind, int index, const Record& removed) {
    return std::make_unique<Deleted>(m, kind, index, removed);
}

Entry countChanged(BriefingModel& m, Kind kind, int before, int after) {
    return std::make_unique<CountChanged>(m, kind, before, after);
}

Entry timesChanged(BriefingModel& m, std::vector<TimeChange> changes) {
    changes.shrink_to_fit();
    return std::make_unique<TimesChanged>(m, std::move(changes));
}

Entry endTimeChanged(BriefingModel& m, int before, int after) {
    return std::make_unique<EndTimeChanged>(m, before, after);
}

Entry listsReplaced(BriefingModel& m, ListsSnapshot before, ListsSnapshot after) {
    return std::make_unique<ListsReplaced>(m, std::move(before), std::move(after));
}

Entry savedAndReread(BriefingModel& m, ListsSnapshot before, ListsSnapshot after,
                     std::vector<uint8_t> blockBefore, std::vector<uint8_t> blockAfter) {
    return std::make_unique<ListsReplaced>(m, std::move(before), std::move(after),
                                           std::move(blockBefore), std::move(blockAfter));
}

Entry undoLogChanged(UndoLog& log, UndoLogState before, UndoLogState after, int index,
                     UndoLog::Entry oldEntry, UndoLog::Entry newEntry) {
    return std::make_unique<UndoLogChanged>(log, before, after, index, oldEntry, newEntry);
}

}  // namespace journalled

}  // namespace quendar::briefing
