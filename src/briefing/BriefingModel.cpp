#include "briefing/BriefingModel.h"

#include <algorithm>

#include "briefing/BriefingJournal.h"
#include "mission/MissionStore.h"

namespace quendar::briefing {

using mission::Table;

BriefingModel::BriefingModel(mission::MissionStore& store) : m_store(store), m_undo(&store) {
    m_lists.reserve(kKindCount);
    size_t total = 0;
    for (int k = 0; k < kKindCount; ++k) {
        m_lists.emplace_back(kindInfo(Kind(k)).capacity);
        total += static_cast<size_t>(kindInfo(Kind(k)).capacity);
    }
    m_saveKeys.reset(new uint64_t[total]);
    m_saveScratch.reset(new uint64_t[total]);
}

BriefingModel::~BriefingModel() = default;

core::ActionGroups* BriefingModel::actionGroups() const { return m_store.journal(); }

mission::ChangeJournal* BriefingModel::recorder() {
    mission::ChangeJournal* j = m_store.journal();
    if (!j || !j->recording()) return nullptr;
    if (m_saveBefore) {
        // The marks of a save whose re-read has not come: they are a change
        // of their own.
        ListsSnapshot before = std::move(*m_saveBefore);
        m_saveBefore.reset();
        j->record(
            journalled::listsReplaced(*this, std::move(before), ListsAccess::snapshot(*this)));
    }
    return j;
}

const CommandList& BriefingModel::list(Kind kind) const {
    return m_lists[static_cast<size_t>(isKind(kind) ? kind : BRC_SKIP)];
}

int BriefingModel::totalCount() const {
    int n = 0;
    for (const auto& l : m_lists) n += l.count();
    return n;
}

void BriefingModel::setCount(Kind kind, int count) {
    if (!isKind(kind)) return;
    CommandList& l = m_lists[kind];
    const int before = l.count();
    l.setCount(count);
    if (l.count() == before) return;
    if (auto* j = recorder()) j->record(journalled::countChanged(*this, kind, before, l.count()));
}

bool BriefingModel::appendCommand(Kind kind, int32_t time, std::span<const int> params, int limit) {
    if (!isKind(kind)) return false;
    const KindInfo& info = kindInfo(kind);
    Record r;
    r.time = time;
    for (int i = 0; i < info.paramCount && i < static_cast<int>(params.size()); ++i)
        r.params[i] = makeParam(info.params[i], params[i]);
    CommandList& l = m_lists[kind];
    auto* j = recorder();
    const int before = l.count();
    // Appending drops what undo had taken back; the journal keeps it.
    std::vector<Record> discarded;
    if (j) discarded.assign(l.takenBack().begin(), l.takenBack().end());
    if (!l.append(r, limit)) return false;
    if (j) j->record(journalled::appended(*this, kind, before, r, std::move(discarded)));
    return true;
}

std::vector<CommandRef> BriefingModel::commandsAt(int32_t time) const {
    std::vector<CommandRef> out;
    for (Kind k : kListingOrder) {
        const auto recs = m_lists[k].records();
        for (size_t i = 0; i < recs.size(); ++i)
            if (recs[i].time == time) out.push_back({k, static_cast<int>(i)});
    }
    return out;
}

bool BriefingModel::deleteCommand(Kind kind, int index) {
    if (!isKind(kind) || index < 0 || index >= m_lists[kind].count()) return false;
    auto* j = recorder();
    const Record removed = m_lists[kind].records()[static_cast<size_t>(index)];
    m_lists[kind].remove(index);
    if (j) j->record(journalled::deleted(*this, kind, index, removed));
    return true;
}

void BriefingModel::shiftTimes(int32_t from, int32_t delta) {
    auto* j = recorder();
    std::vector<TimeChange> changes;
    for (int k = 0; k < kKindCount; ++k) {
        auto recs = m_lists[static_cast<size_t>(k)].mutableRecords();
        for (size_t i = 0; i < recs.size(); ++i) {
            Record& r = recs[i];
            if (r.time > from && r.time < kWrittenMark) {
                const int64_t t = int64_t{r.time} + delta;
                const auto moved = static_cast<int32_t>(std::clamp<int64_t>(
                    t, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
                if (j && moved != r.time)
                    changes.push_back(
                        {static_cast<uint8_t>(k), static_cast<uint16_t>(i), r.time, moved});
                r.time = moved;
            }
        }
    }
    if (j && !changes.empty()) j->record(journalled::timesChanged(*this, std::move(changes)));
}

void BriefingModel::setBriefingEndTime(int time) {
    if (time == m_endTime) return;
    auto* j = recorder();
    const int before = m_endTime;
    m_endTime = time;
    if (j) j->record(journalled::endTimeChanged(*this, before, time));
}

int BriefingModel::briefingLength() const { return m_store.briefingLength; }

void BriefingModel::setBriefingLength(int length) { m_store.briefingLength = length; }

bool BriefingModel::teamSeesBriefing(int team) const {
    if (team < 0 || team >= kTeamFlagCount) return false;
    return m_store.byte(Table::Briefing1, 0, kTeamFlagsOffset + team) != 0;
}

void BriefingModel::setTeamSeesBriefing(int team, bool sees) {
    if (team < 0 || team >= kTeamFlagCount) return;
    m_store.setByte(Table::Briefing1, 0, kTeamFlagsOffset + team, sees ? 1 : 0);
}

void BriefingModel::resetPlayback() {
    m_currentTime = 0;
    m_playback.playState = kStopped;
    m_playback.tickInterval = kTickNormal;
    m_playback.stepSize = 1;
}

// Empty lists and the default end time, journalled as one replacement of
// the lists.
void BriefingModel::emptyLists() {
    auto* j = recorder();
    m_saveBefore.reset();
    ListsSnapshot before;
    if (j) before = ListsAccess::snapshot(*this);
    for (auto& l : m_lists) l.clear();
    m_endTime = kDefaultBriefingTime;
    if (!j) return;
    ListsSnapshot after = ListsAccess::snapshot(*this);
    if (after != before)
        j->record(journalled::listsReplaced(*this, std::move(before), std::move(after)));
}

void BriefingModel::resetBriefing1() {
    // Bytes 0..17425: header, event area and team flags; 17426-17427 stay.
    m_store.fillBytes(Table::Briefing1, 0, 0, kTeamFlagsOffset + kTeamFlagCount, 0);
    for (int t = 0; t < kTeamFlagCount; ++t) setTeamSeesBriefing(t, true);
    emptyLists();
    setBriefingLength(kDefaultBriefingTime);
    // Packing empty lists writes exactly the length mark and a lone end
    // command at byte 10.
    serializeBriefing();
    resetPlayback();
}

// New and Open run it with the journal paused and clear the journal after;
// should it run while the journal records, it is journalled all the same.
void BriefingModel::resetForNewMission() {
    emptyLists();
    setBriefingLength(kDefaultBriefingTime);
    resetPlayback();
    m_playback.briefingLock = true;
    m_undo.clear();
}

}  // namespace quendar::briefing
