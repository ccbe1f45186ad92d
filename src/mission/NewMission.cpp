#include "mission/NewMission.h"

#include <algorithm>
#include <string>

#include "mission/ShipgroupRecord.h"

namespace quendar::mission {

namespace {
constexpr uint8_t kFormatNumber = 18;
constexpr int kIffNameOffset = 20;  // header: names of IFF 2..5, 20 bytes each
constexpr int kIffNameWidth = 20;
constexpr const char* kIffNames[] = {"Neutral", "Kessaran", "Unknown", "Ostravel"};
constexpr int kTeamNameOffset = 2;
constexpr int kTeamNameWidth = 20;
constexpr int kRegionNameWidth = 132;
constexpr uint8_t kStartingHangar = 6;
constexpr int kMissionOptionsByte7 = 7;
constexpr int kBriefingTrailer = 17418;  // bytes 17418..17425 of briefing 1 hold 1
constexpr int kBriefingTrailerLength = 8;
constexpr int kMessageByte82 = 82;
constexpr int kNewBriefingLength = 3000;
}  // namespace

std::array<uint8_t, kShipgroupSize> emptyShipgroupRecord(uint8_t aiSkill) {
    std::array<uint8_t, kShipgroupSize> r{};
    constexpr std::string_view name = "Noname";
    std::copy(name.begin(), name.end(), r.begin() + sg::name);
    r[sg::additionalInfo1Enable] = 255;
    r[sg::additionalInfo2Enable] = 255;
    r[sg::specialCargoIndex] = 255;
    r[sg::specialCargoCraft] = 1;
    r[sg::craftType] = 1;
    r[sg::craftCount] = 1;
    r[sg::aiSkill] = aiSkill;
    r[sg::byte129] = 64;
    return r;
}

void setEmptyShipgroup(MissionStore& store, int slot, uint8_t aiSkill) {
    const auto record = emptyShipgroupRecord(aiSkill);
    store.setBytes(Table::Shipgroups, slot, 0, record);
}

void resetToNewMission(MissionStore& store) {
    for (int t = 0; t < static_cast<int>(Table::Count); ++t) {
        store.clearTable(static_cast<Table>(t));
    }

    for (int r = 0; r < shapeOf(Table::RegionNames).slots; ++r) {
        store.setText(Table::RegionNames, r, 0, kRegionNameWidth,
                      "Region " + std::to_string(r + 1));
    }

    store.currentShipgroup = 0;
    store.shipgroupCount = 1;
    store.messageCount = 0;
    store.missionPath = "noname.tie";
    store.briefingLength = kNewBriefingLength;

    store.setByte(Table::Header, 0, 0, kFormatNumber);

    const auto record = emptyShipgroupRecord();
    for (int i = 0; i < kMaxShipgroups; ++i) {
        auto dst = store.mutableSlot(Table::Shipgroups, i);
        std::copy(record.begin(), record.end(), dst.begin());
    }

    for (int k = 0; k < kBriefingTrailerLength; ++k) {
        store.setByte(Table::Briefing1, 0, kBriefingTrailer + k, 1);
    }

    static constexpr const char* kTeamNames[kTeams] = {"Rebel",  "Imperial", "Team 3", "Team 4",
                                                       "Team 5", "Team 6",   "Team 7", "Team 8",
                                                       "Team 9", "Team 10"};
    for (int t = 0; t < kTeams; ++t) {
        store.setByte(Table::Teams, t, 0, 1);
        store.setText(Table::Teams, t, kTeamNameOffset, kTeamNameWidth, kTeamNames[t]);
    }

    store.setByte(Table::MissionOptions, 0, 0, kStartingHangar);
    store.setByte(Table::MissionOptions, 0, kMissionOptionsByte7, 98);

    for (int k = 0; k < 4; ++k) {
        store.setText(Table::Header, 0, kIffNameOffset + k * kIffNameWidth, kIffNameWidth,
                      kIffNames[k]);
    }

    for (int m = 0; m < kMaxMessages; ++m) store.setByte(Table::Messages, m, kMessageByte82, 1);
}

}  // namespace quendar::mission
