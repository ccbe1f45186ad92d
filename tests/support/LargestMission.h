#pragma once

#include <cstdint>
#include <vector>

#include "mission/MissionFile.h"
#include "support/RandomMission.h"

namespace quendar::testing {

// Writes a briefing event area that is as full as the lists allow: 1000 ship
// moves, 500 ship changes and 200 tags with rising times, then the end
// command — 17404 of the 17408 bytes.
inline void fillFullBriefing(mission::MissionStore& s) {
    auto block = s.mutableSlot(mission::Table::Briefing1, 0);
    size_t pos = 10;
    auto word = [&](int v) {
        block[pos++] = static_cast<uint8_t>(v & 0xFF);
        block[pos++] = static_cast<uint8_t>((v >> 8) & 0xFF);
    };
    int time = 0;
    for (int i = 0; i < 1000; ++i) {  // BRC_COORD: slot, x, y
        word(time += (i % 3 == 0)), word(28), word(i % 255), word(i * 7 - 3000), word(-i * 5);
    }
    for (int i = 0; i < 500; ++i) {  // BRC_SHOW: slot, craft type, IFF
        word(time += 1), word(26), word(i % 255), word(i % 200), word(i % 6);
    }
    for (int i = 0; i < 200; ++i) {  // BRC_TAG1: tag, x, y, colour
        word(time += 2), word(18), word(i % 128), word(i * 3), word(-i), word(i % 6);
    }
    word(time + 100), word(34);
    block[0] = block[2] = static_cast<uint8_t>((time + 100) & 0xFF);
    block[1] = block[3] = static_cast<uint8_t>((time + 100) >> 8);
}

// The largest mission the editor makes, as a file: 199 shipgroups, 255
// messages, every string full and a full briefing event area.
inline std::vector<uint8_t> largestMissionFile() {
    mission::MissionStore s;
    fillLargestMission(s);
    auto brief = s.mutableSlot(mission::Table::Briefing1, 0);
    std::fill(brief.begin(), brief.end(), uint8_t{0});
    fillFullBriefing(s);
    return mission::writeMission(s);
}

}  // namespace quendar::testing
