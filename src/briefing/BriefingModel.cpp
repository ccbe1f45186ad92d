#include "briefing/BriefingModel.h"

#include <algorithm>

#include "mission/MissionStore.h"

namespace quendar::briefing {

using mission::Table;

BriefingModel::BriefingModel(mission::MissionStore& store) : m_store(store) {
    m_lists.reserve(kKindCount);
    size_t total = 0;
    for (int k = 0; k < kKindCount; ++k) {
        m_lists.emplace_back(kindInfo(Kind(k)).capacity);
        total += static_cast<size_t>(kindInfo(Kind(k)).capacity);
    }
    m_saveKeys.reset(new uint64_t[total]);
    m_saveScratch.reset(new uint64_t[total]);
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
    if (isKind(kind)) m_lists[kind].setCount(count);
}

bool BriefingModel::appendCommand(Kind kind, int32_t time, std::span<const int> params, int limit) {
    if (!isKind(kind)) return false;
    const KindInfo& info = kindInfo(kind);
    Record r;
    r.time = time;
    for (int i = 0; i < info.paramCount && i < static_cast<int>(params.size()); ++i)
        r.params[i] = makeParam(info.params[i], params[i]);
    return m_lists[kind].append(r, limit);
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
    return isKind(kind) && m_lists[kind].remove(index);
}

void BriefingModel::shiftTimes(int32_t from, int32_t delta) {
    for (auto& l : m_lists) {
        for (Record& r : l.mutableRecords()) {
            if (r.time > from && r.time < kWrittenMark) {
                const int64_t t = int64_t{r.time} + delta;
                r.time = static_cast<int32_t>(std::clamp<int64_t>(
                    t, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
            }
        }
    }
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

void BriefingModel::resetBriefing1() {
    // Bytes 0..17425: header, event area and team flags; 17426-17427 stay.
    m_store.fillBytes(Table::Briefing1, 0, 0, kTeamFlagsOffset + kTeamFlagCount, 0);
    for (int t = 0; t < kTeamFlagCount; ++t) setTeamSeesBriefing(t, true);
    for (auto& l : m_lists) l.clear();
    m_endTime = kDefaultBriefingTime;
    setBriefingLength(kDefaultBriefingTime);
    // Packing empty lists writes exactly the length mark and a lone end
    // command at byte 10.
    serializeBriefing();
    resetPlayback();
}

void BriefingModel::resetForNewMission() {
    for (auto& l : m_lists) l.clear();
    m_endTime = kDefaultBriefingTime;
    setBriefingLength(kDefaultBriefingTime);
    resetPlayback();
    m_playback.briefingLock = true;
    m_undo.clear();
}

}  // namespace quendar::briefing
