#pragma once

#include <array>
#include <string>
#include <vector>

#include "mission/MissionStore.h"

namespace quendar::shipgroup {

// Where the mission-wide names lie: IFF 2..5 in the header, one after the
// other; a team's name in its record; a region name and a special cargo name
// at the start of their slots.
namespace names {
constexpr int iffOffset = 20, iffWidth = 20;
constexpr int teamOffset = 2, teamWidth = 20;
constexpr int regionWidth = 132, cargoWidth = 20;
}  // namespace names

// Names that the shipgroup forms read fresh from the store whenever they fill
// a list (they change with the mission-wide settings).

// A shipgroup as the lists show it: the first 19 characters of its name.
std::string listedName(const mission::MissionStore& store, int shipgroup);
std::vector<std::string> shipgroupNames(const mission::MissionStore& store);
// IFF k's name for k = 2..5 (header), 20 characters at most.
std::string iffName(const mission::MissionStore& store, int iff);
// "Rebel", "Imperial" and the names of IFF 2..5.
std::vector<std::string> iffLabels(const mission::MissionStore& store);
// "Green - Rebel", "Red - Imperial" and the names of IFF 2..5 (trigger subjects).
std::vector<std::string> iffSubjectLabels(const mission::MissionStore& store);
std::string teamName(const mission::MissionStore& store, int team);
std::vector<std::string> teamLabels(const mission::MissionStore& store);
// "Off", teams 1..8 (a team without a name as "Team n"), "Player 1" .. "Player 8".
std::vector<std::string> radioLabels(const mission::MissionStore& store);
std::array<std::string, 4> regionNames(const mission::MissionStore& store);
std::vector<std::string> specialCargoNames(const mission::MissionStore& store);

}  // namespace quendar::shipgroup
