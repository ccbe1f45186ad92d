#pragma once

#include <string>
#include <vector>

#include "app/Editor.h"
#include "mission/ShipgroupRecord.h"

namespace quendar::app {

// What `quendar-tool info` and `dump` report about a mission.
struct MissionSummary {
    struct Shipgroup {
        int index = 0;
        std::string name;
        int craftType = 0;
        std::string craftName;
        int count = 0;
        int iff = 0;
        int team = 0;  // 0..9 = Team 1..Team 10
        int playerCraft = 0;
        mission::Point3 start;  // start point 1, mission units (1/160 km)
        int startRegion = 0;    // 0..3
    };
    struct Message {
        int index = 0;
        std::string text;
        int colour = 0;
    };
    struct KindCount {
        std::string kind;  // "BRC_SHOW"
        int count = 0;
    };
    struct Command {
        std::string kind;
        int time = 0;
        std::vector<int> params;
    };

    std::string path;
    std::vector<Shipgroup> shipgroups;
    std::vector<Message> messages;
    int briefingLength = 0;
    int briefingEndTime = 0;
    std::vector<KindCount> commandCounts;  // every kind, in command-code order
    std::vector<Command> commands;         // in the order a save writes them
};

MissionSummary summarize(const Editor& editor);

}  // namespace quendar::app
