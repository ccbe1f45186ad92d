#pragma once

#include <algorithm>
#include <cstdint>
#include <random>

#include "mission/MissionStore.h"

namespace quendar::testing {

using mission::MissionStore;
using mission::Table;

// Fills every table of the store with seeded random content in the forms the
// file can carry: counted strings of random length without inner zeros, short
// strings that are either empty or start with a non-zero byte, and the global
// goal records' first two bytes as the writer emits them.
inline void fillRandomMission(MissionStore& s, uint32_t seed, int shipgroups, int messages) {
    std::mt19937 rng(seed);
    auto byte = [&] { return static_cast<uint8_t>(rng() & 0xFF); };
    auto nonZero = [&] { return static_cast<uint8_t>(1 + rng() % 255); };

    for (int t = 0; t < static_cast<int>(Table::Count); ++t) {
        auto data = s.mutableTable(static_cast<Table>(t));
        for (auto& b : data) b = byte();
    }
    s.shipgroupCount = shipgroups;
    s.messageCount = messages;
    for (int k = 0; k < mission::kTeams; ++k) {
        auto rec = s.mutableSlot(Table::GlobalGoals, k);
        rec[0] = 3;
        rec[1] = 0;
    }
    for (Table t : {Table::Briefing1Tags, Table::Briefing1Texts, Table::Briefing2Tags,
                    Table::Briefing2Texts}) {
        for (int i = 0; i < mission::kBriefingStrings; ++i) {
            auto slot = s.mutableSlot(t, i);
            const int len = (i % 7 == 0) ? 255 : static_cast<int>(rng() % 256);
            std::fill(slot.begin(), slot.end(), uint8_t{0});
            for (int k = 0; k < len; ++k) slot[k] = nonZero();
        }
    }
    for (Table t : {Table::ShipgroupGoalStrings, Table::GlobalGoalStrings, Table::OrderStrings}) {
        const int n = mission::shapeOf(t).slots;
        for (int i = 0; i < n; ++i) {
            auto slot = s.mutableSlot(t, i);
            if (rng() % 3 == 0) {
                std::fill(slot.begin(), slot.end(), uint8_t{0});
            } else {
                slot[0] = nonZero();
            }
        }
    }
}

// The largest mission the editor makes: 199 shipgroups, 255 messages and every
// string full.
inline void fillLargestMission(MissionStore& s, uint32_t seed = 7) {
    fillRandomMission(s, seed, 199, 255);
    for (Table t : {Table::Briefing1Tags, Table::Briefing1Texts, Table::Briefing2Tags,
                    Table::Briefing2Texts}) {
        for (int i = 0; i < mission::kBriefingStrings; ++i) {
            auto slot = s.mutableSlot(t, i);
            std::fill(slot.begin(), slot.end(), static_cast<uint8_t>('A' + i % 26));
            slot[255] = 0;
        }
    }
    for (Table t : {Table::ShipgroupGoalStrings, Table::GlobalGoalStrings, Table::OrderStrings}) {
        const int n = mission::shapeOf(t).slots;
        for (int i = 0; i < n; ++i) s.mutableSlot(t, i)[0] = 'Q';
    }
}

}  // namespace quendar::testing
