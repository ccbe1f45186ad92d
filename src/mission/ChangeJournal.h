#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ActionGroups.h"
#include "core/Notifier.h"
#include "mission/MissionStore.h"

namespace quendar::mission {

// A change that is not bytes of the store (the briefing lists, the briefing
// tools' own log). It knows how to take itself back and put itself back; the
// journal calls these with recording switched off.
class Reversible {
  public:
    virtual ~Reversible() = default;
    virtual void undo() = 0;
    virtual void redo() = 0;
    // What the entry holds in memory, for the journal's budget.
    virtual size_t memoryUse() const { return sizeof(*this); }
};

// The journal of every change to the open mission, grouped into user actions.
//
// The store reports every write of its API (what the bytes were and what they
// became); the briefing model reports its list changes as Reversible entries;
// the counters kept beside the tables (shipgroup and message counts, the
// briefing length) are compared at every entry and at the end of an action,
// so a change of them is journalled wherever it was made. Undo replays an
// action backwards with recording off, redo forwards.
//
// A change made outside any action is not lost: it opens an implicit action
// ("Change") that lasts until the next action, undo, redo or save mark.
class ChangeJournal : public core::ActionGroups {
  public:
    explicit ChangeJournal(MissionStore& store);
    ~ChangeJournal() override;
    ChangeJournal(const ChangeJournal&) = delete;
    ChangeJournal& operator=(const ChangeJournal&) = delete;

    // --- what the store and the briefing model call
    // True while changes are written down (not while undo or redo replay, not
    // while paused).
    bool recording() const { return m_pause == 0 && !m_replaying; }
    // `offset` is the byte offset in table `t`; both spans have `n` bytes.
    void recordBytes(Table t, size_t offset, const uint8_t* before, const uint8_t* after, size_t n);
    void record(std::unique_ptr<Reversible> entry);

    // --- actions
    // Nested actions join the outermost; the innermost name given before the
    // first change names the action.
    void beginAction(std::string_view name, const void* mergeKey = nullptr) override;
    void endAction() override;
    void breakMerge() override { m_mergeOpen = false; }
    // Bookkeeping that is no action of the user's: a change that leaves the
    // mission saving the same bytes (the re-read of briefing 1 after a save,
    // which puts the lists into save order). It stands between the actions
    // done and those undone and drops neither: Undo and Redo first take it
    // back, so they replay their actions on the state those were recorded
    // on; the next change records it first, as part of its own action. The
    // counters it changed are taken with it.
    void bridge(std::unique_ptr<Reversible> change);
    bool bridgePending() const { return m_bridge != nullptr; }

    // Recording stays off while a pause is held (loading a file, New).
    class Pause {
      public:
        explicit Pause(ChangeJournal& j) : m_j(j) { ++m_j.m_pause; }
        ~Pause() { --m_j.m_pause; }
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

      private:
        ChangeJournal& m_j;
    };

    // --- undo and redo of whole actions
    bool canUndo() const;
    bool canRedo() const;
    // The action's name ("Delete shipgroup"), empty when there is none.
    std::string undoName() const;
    std::string redoName() const;
    bool undo();
    bool redo();

    // --- the saved state
    // The mission as it is now is what is on disk (after Open, New and Save).
    void markSaved();
    // The mission as it is now matches nothing on disk, and no undo or redo
    // leads back to a saved state (a mission restored from a recovery file).
    void markUnsaved();
    bool modified() const;
    // New and Open: forget everything; the mission as it is now is saved.
    void clear();
    // Moves on with every change, undo and redo; the recovery writer compares it.
    uint64_t revision() const { return m_revision; }

    // Sent when what Undo, Redo or the modified marker show may have changed:
    // after an action that changed something, an undo, a redo, a save mark
    // and a clear.
    core::Notifier<> changed;

    // --- figures
    size_t actionCount() const { return m_actions.size(); }
    size_t position() const { return m_position; }
    size_t memoryUse() const;
    // The journal drops its oldest actions when it holds more than this.
    void setMemoryBudget(size_t bytes) { m_budget = bytes; }

  private:
    enum class Kind : uint8_t { Bytes, Counters, Reversible };
    struct Entry {
        Kind kind;
        uint8_t table;
        uint32_t length;  // bytes: the run's length; reversible: index in m_reversibles
        uint32_t offset;  // bytes: offset in the table
        uint32_t data;    // bytes and counters: position in m_data (before, then after)
    };
    struct Action {
        size_t firstEntry;
        uint32_t name;  // index in m_names
        const void* mergeKey;
    };
    using Counters = std::array<int32_t, 3>;

    Counters counters() const;
    void syncCounters();
    void setCounters(const Counters& c);
    void openAction(std::string_view name, const void* mergeKey);
    bool mayMerge(const void* mergeKey) const;
    void closeImplicit();
    bool ensureAction();
    std::pair<size_t, size_t> storageFrom(size_t entry) const;
    void dropRedo();
    void takeBackBridge();
    void recordBridge();
    void dropOldest();
    size_t entryEnd(size_t action) const;
    void replay(size_t action, bool forward);
    void writeRaw(Table t, size_t offset, const uint8_t* bytes, size_t n);
    uint32_t internName(std::string_view name);

    MissionStore& m_store;
    std::vector<Entry> m_entries;
    std::vector<uint8_t> m_data;
    std::vector<std::unique_ptr<Reversible>> m_reversibles;
    size_t m_reversibleMemory = 0;
    std::vector<Action> m_actions;
    std::vector<std::string> m_names;
    size_t m_position = 0;        // actions [0, position) are done
    long long m_savedPoint = 0;   // -1: the saved state cannot be reached again
    int m_depth = 0;              // open begin/end pairs
    bool m_implicit = false;      // the last action was opened by a change outside any action
    bool m_mergeOpen = false;     // the last action may take the next one with its key
    bool m_actionOpened = false;  // the outermost open action has taken an entry
    std::string m_pendingName;
    const void* m_pendingKey = nullptr;
    bool m_replaying = false;
    int m_pause = 0;
    Counters m_counters{};
    uint64_t m_revision = 0;
    uint64_t m_revisionAtBegin = 0;
    size_t m_budget = size_t{256} << 20;
    // The pending bookkeeping change and the counters before and after it.
    std::unique_ptr<Reversible> m_bridge;
    Counters m_bridgeBefore{};
    Counters m_bridgeAfter{};
};

}  // namespace quendar::mission
