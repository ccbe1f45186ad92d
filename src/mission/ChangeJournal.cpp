#include "mission/ChangeJournal.h"

#include <algorithm>
#include <cstring>

namespace quendar::mission {

ChangeJournal::ChangeJournal(MissionStore& store) : m_store(store) {
    m_store.attachJournal(this);
    m_counters = counters();
}

ChangeJournal::~ChangeJournal() {
    if (m_store.journal() == this) m_store.attachJournal(nullptr);
}

ChangeJournal::Counters ChangeJournal::counters() const {
    return {m_store.shipgroupCount, m_store.messageCount, m_store.briefingLength};
}

void ChangeJournal::setCounters(const Counters& c) {
    m_store.shipgroupCount = c[0];
    m_store.messageCount = c[1];
    m_store.briefingLength = c[2];
}

uint32_t ChangeJournal::internName(std::string_view name) {
    for (size_t i = 0; i < m_names.size(); ++i)
        if (m_names[i] == name) return static_cast<uint32_t>(i);
    m_names.emplace_back(name);
    return static_cast<uint32_t>(m_names.size() - 1);
}

size_t ChangeJournal::entryEnd(size_t action) const {
    return action + 1 < m_actions.size() ? m_actions[action + 1].firstEntry : m_entries.size();
}

// --- actions

bool ChangeJournal::mayMerge(const void* mergeKey) const {
    return mergeKey && !m_bridge && m_mergeOpen && !m_actions.empty() &&
           m_position == m_actions.size() && m_actions.back().mergeKey == mergeKey &&
           m_savedPoint != static_cast<long long>(m_position);
}

void ChangeJournal::openAction(std::string_view name, const void* mergeKey) {
    dropRedo();
    m_actions.push_back({m_entries.size(), internName(name), mergeKey});
    m_position = m_actions.size();
}

void ChangeJournal::beginAction(std::string_view name, const void* mergeKey) {
    if (m_depth++ != 0) {
        // An inner action joins the outer one. Named before anything was
        // recorded, it names the whole ("Delete shipgroup" inside the list's
        // "Delete" button).
        if (!m_actionOpened && !name.empty()) m_pendingName.assign(name);
        return;
    }
    closeImplicit();
    m_revisionAtBegin = m_revision;
    m_pendingName.assign(name);
    m_pendingKey = mergeKey;
    m_actionOpened = false;
}

// Makes sure an action takes the next entry. A pending bridge goes first into
// that action: the entries after it were made on the lists it left.
bool ChangeJournal::ensureAction() {
    if (m_depth == 0) {
        if (!m_implicit) {
            openAction("Change", nullptr);
            m_implicit = true;
            m_mergeOpen = false;
            changed.notify();
        }
    } else if (!m_actionOpened) {
        m_actionOpened = true;
        if (!mayMerge(m_pendingKey)) openAction(m_pendingName, m_pendingKey);
    }
    recordBridge();
    return true;
}

namespace {
// Two bridges with no change between them (two saves in a row) act as one.
class Chain final : public Reversible {
  public:
    Chain(std::unique_ptr<Reversible> first, std::unique_ptr<Reversible> second)
        : m_first(std::move(first)), m_second(std::move(second)) {}
    void undo() override {
        m_second->undo();
        m_first->undo();
    }
    void redo() override {
        m_first->redo();
        m_second->redo();
    }
    size_t memoryUse() const override {
        return sizeof(*this) + m_first->memoryUse() + m_second->memoryUse();
    }

  private:
    std::unique_ptr<Reversible> m_first, m_second;
};
}  // namespace

// The change was made already; the journal only keeps the way back.
void ChangeJournal::bridge(std::unique_ptr<Reversible> change) {
    if (!change) return;
    if (m_depth == 0 && m_implicit) {
        // Changes outside any action end before it.
        m_implicit = false;
        m_mergeOpen = false;
    }
    if (m_bridge) {
        change = std::make_unique<Chain>(std::move(m_bridge), std::move(change));
    } else {
        m_bridgeBefore = m_counters;
    }
    m_bridge = std::move(change);
    m_bridgeAfter = counters();
    m_counters = m_bridgeAfter;
    ++m_revision;
    // Inside an action that has recorded already, the bridge is simply its
    // next entry.
    if (m_depth > 0 && m_actionOpened) recordBridge();
}

void ChangeJournal::takeBackBridge() {
    if (!m_bridge) return;
    m_replaying = true;
    m_bridge->undo();
    setCounters(m_bridgeBefore);
    m_replaying = false;
    m_counters = m_bridgeBefore;
    m_bridge.reset();
    ++m_revision;
}

void ChangeJournal::recordBridge() {
    if (!m_bridge) return;
    std::unique_ptr<Reversible> b = std::move(m_bridge);
    if (m_bridgeBefore != m_bridgeAfter) {
        m_entries.push_back({Kind::Counters, 0, 0, 0, static_cast<uint32_t>(m_data.size())});
        const auto* before = reinterpret_cast<const uint8_t*>(m_bridgeBefore.data());
        const auto* after = reinterpret_cast<const uint8_t*>(m_bridgeAfter.data());
        m_data.insert(m_data.end(), before, before + sizeof(Counters));
        m_data.insert(m_data.end(), after, after + sizeof(Counters));
    }
    m_reversibleMemory += b->memoryUse();
    m_entries.push_back({Kind::Reversible, 0, static_cast<uint32_t>(m_reversibles.size()), 0, 0});
    m_reversibles.push_back(std::move(b));
}

void ChangeJournal::syncCounters() {
    const Counters now = counters();
    if (now == m_counters) return;
    if (ensureAction()) {
        Entry e{Kind::Counters, 0, 0, 0, static_cast<uint32_t>(m_data.size())};
        const auto* before = reinterpret_cast<const uint8_t*>(m_counters.data());
        const auto* after = reinterpret_cast<const uint8_t*>(now.data());
        m_data.insert(m_data.end(), before, before + sizeof(Counters));
        m_data.insert(m_data.end(), after, after + sizeof(Counters));
        m_entries.push_back(e);
    }
    m_counters = now;
    ++m_revision;
}

void ChangeJournal::endAction() {
    if (m_depth == 0) return;
    if (m_depth == 1 && recording()) syncCounters();
    if (--m_depth != 0) return;
    if (m_actionOpened) {
        // An action whose changes cancelled out (a letter typed and taken
        // back) leaves nothing to undo.
        if (!m_actions.empty() && m_position == m_actions.size() &&
            m_actions.back().firstEntry == m_entries.size()) {
            m_actions.pop_back();
            m_position = m_actions.size();
            m_mergeOpen = false;
        } else {
            m_mergeOpen = m_pendingKey != nullptr;
        }
    } else if (m_actions.empty() || m_actions.back().mergeKey != m_pendingKey) {
        m_mergeOpen = false;
    }
    m_actionOpened = false;
    if (m_revision != m_revisionAtBegin) changed.notify();
}

void ChangeJournal::closeImplicit() {
    if (m_depth != 0) return;
    if (recording()) syncCounters();
    if (m_implicit) {
        m_implicit = false;
        m_mergeOpen = false;
    }
}

// --- recording

void ChangeJournal::recordBytes(Table t, size_t offset, const uint8_t* before, const uint8_t* after,
                                size_t n) {
    if (!recording()) return;
    // Only the run that really changes is kept.
    size_t first = 0;
    while (first < n && before[first] == after[first]) ++first;
    if (first == n) return;
    size_t last = n;
    while (last > first && before[last - 1] == after[last - 1]) --last;
    before += first;
    after += first;
    offset += first;
    n = last - first;

    syncCounters();
    if (!ensureAction()) return;
    ++m_revision;

    // A run that touches the previous one of the same action and table (the
    // next keystroke in a text, the high byte after the low byte) joins it.
    const size_t actionStart = m_actions[m_position - 1].firstEntry;
    if (m_entries.size() > actionStart) {
        Entry& last = m_entries.back();
        const size_t ls = last.offset, le = last.offset + last.length;
        if (last.kind == Kind::Bytes && last.table == static_cast<uint8_t>(t) && offset <= le &&
            offset + n >= ls) {
            const size_t us = std::min(ls, offset), ue = std::max(le, offset + n);
            const size_t un = ue - us;
            std::vector<uint8_t> merged(2 * un);
            const uint8_t* lastBefore = m_data.data() + last.data;
            const uint8_t* lastAfter = lastBefore + last.length;
            for (size_t i = us; i < ue; ++i) {
                const bool inLast = i >= ls && i < le;
                const bool inNew = i >= offset && i < offset + n;
                merged[i - us] = inLast ? lastBefore[i - ls] : before[i - offset];
                merged[un + i - us] = inNew ? after[i - offset] : lastAfter[i - ls];
            }
            // Trim what now reads the same before and after.
            size_t a = 0, b = un;
            while (a < b && merged[a] == merged[un + a]) ++a;
            while (b > a && merged[b - 1] == merged[un + b - 1]) --b;
            m_data.resize(last.data);
            if (a == b) {
                m_entries.pop_back();
                return;
            }
            last.offset = static_cast<uint32_t>(us + a);
            last.length = static_cast<uint32_t>(b - a);
            m_data.insert(m_data.end(), merged.begin() + a, merged.begin() + b);
            m_data.insert(m_data.end(), merged.begin() + un + a, merged.begin() + un + b);
            return;
        }
    }
    m_entries.push_back({Kind::Bytes, static_cast<uint8_t>(t), static_cast<uint32_t>(n),
                         static_cast<uint32_t>(offset), static_cast<uint32_t>(m_data.size())});
    m_data.insert(m_data.end(), before, before + n);
    m_data.insert(m_data.end(), after, after + n);
    if (memoryUse() > m_budget) dropOldest();
}

void ChangeJournal::record(std::unique_ptr<Reversible> entry) {
    if (!entry || !recording()) return;
    syncCounters();
    if (!ensureAction()) return;
    ++m_revision;
    m_reversibleMemory += entry->memoryUse();
    m_entries.push_back({Kind::Reversible, 0, static_cast<uint32_t>(m_reversibles.size()), 0, 0});
    m_reversibles.push_back(std::move(entry));
    if (memoryUse() > m_budget) dropOldest();
}

// --- dropping

// Where the bytes and the reversible entries of entries [entry, end) start.
std::pair<size_t, size_t> ChangeJournal::storageFrom(size_t entry) const {
    size_t data = m_data.size(), reversible = m_reversibles.size();
    for (size_t i = entry; i < m_entries.size(); ++i) {
        const Entry& e = m_entries[i];
        if (e.kind == Kind::Reversible)
            reversible = std::min<size_t>(reversible, e.length);
        else
            data = std::min<size_t>(data, e.data);
    }
    return {data, reversible};
}

void ChangeJournal::dropRedo() {
    if (m_position >= m_actions.size()) return;
    if (m_savedPoint > static_cast<long long>(m_position)) m_savedPoint = -1;
    const size_t from = m_actions[m_position].firstEntry;
    const auto [dataEnd, revEnd] = storageFrom(from);
    for (size_t i = revEnd; i < m_reversibles.size(); ++i)
        m_reversibleMemory -= m_reversibles[i]->memoryUse();
    m_reversibles.resize(revEnd);
    m_data.resize(dataEnd);
    m_entries.resize(from);
    m_actions.resize(m_position);
}

// Forgets the older half of the done actions when the journal outgrows its
// budget; the action being recorded is always kept.
void ChangeJournal::dropOldest() {
    if (m_position < 2) return;
    const size_t k = m_position / 2;
    const size_t firstKept = m_actions[k].firstEntry;
    const auto [dataStart, revStart] = storageFrom(firstKept);
    for (size_t i = 0; i < revStart; ++i) m_reversibleMemory -= m_reversibles[i]->memoryUse();
    m_reversibles.erase(m_reversibles.begin(), m_reversibles.begin() + revStart);
    m_data.erase(m_data.begin(), m_data.begin() + dataStart);
    m_entries.erase(m_entries.begin(), m_entries.begin() + firstKept);
    for (Entry& e : m_entries) {
        if (e.kind == Kind::Reversible)
            e.length -= static_cast<uint32_t>(revStart);
        else
            e.data -= static_cast<uint32_t>(dataStart);
    }
    m_actions.erase(m_actions.begin(), m_actions.begin() + k);
    for (Action& a : m_actions) a.firstEntry -= firstKept;
    m_position -= k;
    m_savedPoint =
        m_savedPoint >= static_cast<long long>(k) ? m_savedPoint - static_cast<long long>(k) : -1;
    m_data.shrink_to_fit();
    m_entries.shrink_to_fit();
}

size_t ChangeJournal::memoryUse() const {
    return m_entries.capacity() * sizeof(Entry) + m_data.capacity() + m_reversibleMemory +
           m_reversibles.capacity() * sizeof(void*) + m_actions.capacity() * sizeof(Action);
}

// --- undo and redo

bool ChangeJournal::canUndo() const { return m_depth == 0 && m_position > 0; }
bool ChangeJournal::canRedo() const { return m_depth == 0 && m_position < m_actions.size(); }

std::string ChangeJournal::undoName() const {
    return canUndo() ? m_names[m_actions[m_position - 1].name] : std::string();
}

std::string ChangeJournal::redoName() const {
    return canRedo() ? m_names[m_actions[m_position].name] : std::string();
}

void ChangeJournal::writeRaw(Table t, size_t offset, const uint8_t* bytes, size_t n) {
    auto table = m_store.mutableTable(t);
    if (offset > table.size() || n > table.size() - offset) return;
    std::memcpy(table.data() + offset, bytes, n);
}

void ChangeJournal::replay(size_t action, bool forward) {
    m_replaying = true;
    const size_t from = m_actions[action].firstEntry, to = entryEnd(action);
    auto apply = [&](const Entry& e) {
        const uint8_t* d = m_data.data() + e.data;
        switch (e.kind) {
            case Kind::Bytes:
                writeRaw(static_cast<Table>(e.table), e.offset, forward ? d + e.length : d,
                         e.length);
                break;
            case Kind::Counters: {
                Counters c;
                std::memcpy(c.data(), forward ? d + sizeof(Counters) : d, sizeof(Counters));
                setCounters(c);
                break;
            }
            case Kind::Reversible:
                if (forward)
                    m_reversibles[e.length]->redo();
                else
                    m_reversibles[e.length]->undo();
                break;
        }
    };
    if (forward) {
        for (size_t i = from; i < to; ++i) apply(m_entries[i]);
    } else {
        for (size_t i = to; i-- > from;) apply(m_entries[i]);
    }
    m_replaying = false;
    m_counters = counters();
    m_mergeOpen = false;
    ++m_revision;
}

bool ChangeJournal::undo() {
    closeImplicit();
    if (!canUndo()) return false;
    takeBackBridge();
    replay(m_position - 1, false);
    --m_position;
    changed.notify();
    return true;
}

bool ChangeJournal::redo() {
    closeImplicit();
    if (!canRedo()) return false;
    takeBackBridge();
    replay(m_position, true);
    ++m_position;
    changed.notify();
    return true;
}

// --- the saved state

void ChangeJournal::markSaved() {
    closeImplicit();
    m_savedPoint = static_cast<long long>(m_position);
    m_mergeOpen = false;
    changed.notify();
}

void ChangeJournal::markUnsaved() {
    closeImplicit();
    m_savedPoint = -1;
    m_mergeOpen = false;
    ++m_revision;
    changed.notify();
}

bool ChangeJournal::modified() const {
    return m_savedPoint != static_cast<long long>(m_position) || counters() != m_counters;
}

void ChangeJournal::clear() {
    m_entries.clear();
    m_entries.shrink_to_fit();
    m_data.clear();
    m_data.shrink_to_fit();
    m_reversibles.clear();
    m_reversibleMemory = 0;
    m_actions.clear();
    m_position = 0;
    m_savedPoint = 0;
    m_implicit = false;
    m_mergeOpen = false;
    m_actionOpened = false;
    m_bridge.reset();
    m_counters = counters();
    ++m_revision;
    changed.notify();
}

}  // namespace quendar::mission
