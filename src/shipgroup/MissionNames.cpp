#include "shipgroup/MissionNames.h"

#include <algorithm>

#include "mission/ShipgroupRecord.h"

namespace quendar::shipgroup {

using mission::Table;

std::string listedName(const mission::MissionStore& store, int shipgroup) {
    return store.text(Table::Shipgroups, shipgroup, mission::sg::name, 19);
}

std::vector<std::string> shipgroupNames(const mission::MissionStore& store) {
    std::vector<std::string> out;
    const int n = std::clamp(store.shipgroupCount, 0, mission::kMaxShipgroups);
    out.reserve(n);
    for (int i = 0; i < n; ++i) out.push_back(listedName(store, i));
    return out;
}

std::string iffName(const mission::MissionStore& store, int iff) {
    if (iff < 2 || iff > 5) return {};
    return store.text(Table::Header, 0, names::iffOffset + (iff - 2) * names::iffWidth,
                      names::iffWidth);
}

std::vector<std::string> iffLabels(const mission::MissionStore& store) {
    std::vector<std::string> out{"Rebel", "Imperial"};
    for (int k = 2; k <= 5; ++k) out.push_back(iffName(store, k));
    return out;
}

std::vector<std::string> iffSubjectLabels(const mission::MissionStore& store) {
    std::vector<std::string> out{"Green - Rebel", "Red - Imperial"};
    for (int k = 2; k <= 5; ++k) out.push_back(iffName(store, k));
    return out;
}

std::string teamName(const mission::MissionStore& store, int team) {
    return store.text(Table::Teams, team, names::teamOffset, names::teamWidth);
}

std::vector<std::string> teamLabels(const mission::MissionStore& store) {
    std::vector<std::string> out;
    for (int t = 0; t < mission::kTeams; ++t) out.push_back(teamName(store, t));
    return out;
}

std::vector<std::string> radioLabels(const mission::MissionStore& store) {
    std::vector<std::string> out{"Off"};
    for (int t = 0; t < 8; ++t) {
        std::string n = teamName(store, t);
        out.push_back(n.empty() ? "Team " + std::to_string(t + 1) : n);
    }
    for (int p = 1; p <= 8; ++p) out.push_back("Player " + std::to_string(p));
    return out;
}

std::array<std::string, 4> regionNames(const mission::MissionStore& store) {
    std::array<std::string, 4> out;
    for (int r = 0; r < 4; ++r) out[r] = store.text(Table::RegionNames, r, 0, names::regionWidth);
    return out;
}

std::vector<std::string> specialCargoNames(const mission::MissionStore& store) {
    std::vector<std::string> out;
    for (int k = 0; k < 16; ++k)
        out.push_back(store.text(Table::SpecialCargo, k, 0, names::cargoWidth));
    return out;
}

}  // namespace quendar::shipgroup
