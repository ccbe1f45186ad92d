#pragma once

#include <array>
#include <cstdint>

#include "mission/MissionStore.h"

namespace quendar::mission {

// AI skill of the empty record: a new mission fills its slots with "Veteran"
// (2); the shipgroup list's deletions free a slot with "Novice" (0).
constexpr uint8_t kNewMissionAiSkill = 2;
constexpr uint8_t kFreedSlotAiSkill = 0;

// The record of a free shipgroup slot: all zero except name "Noname", no
// additional information and no special cargo (bytes 20, 21, 25 = 255), one
// craft of type 1 with special-cargo craft 1 (bytes 105, 107, 108 = 1), the
// AI skill (byte 114) and byte 129 = 64.
std::array<uint8_t, kShipgroupSize> emptyShipgroupRecord(uint8_t aiSkill = kNewMissionAiSkill);

// Writes the empty record into shipgroup slot `slot` (nothing when out of
// range). Only the record: the slot's goal and order strings live in tables of
// their own.
void setEmptyShipgroup(MissionStore& store, int slot, uint8_t aiSkill = kNewMissionAiSkill);

// Puts the store into the state of a new mission with one shipgroup: every
// table cleared and filled with its defaults, one shipgroup, no messages,
// path "noname.tie", briefing length 3000. Every slot that a file read
// afterwards does not fill keeps these defaults.
//
// The briefing command lists, the view-control flags, the map tool and the
// craft list are not part of the store; the editor resets them alongside.
void resetToNewMission(MissionStore& store);

}  // namespace quendar::mission
