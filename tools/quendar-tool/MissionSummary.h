#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/editor/Editor.h"
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
    struct Trigger {
        int condition = 0, subjectType = 0, subject = 0, amount = 0, param1 = 0, param2 = 0;
    };
    struct Message {
        int index = 0;
        std::string text;
        int colour = 0;
        std::array<Trigger, 4> triggers{};
        int join12 = 0, join34 = 0, joinConditions = 0;  // 1 = Or
        std::array<int, 8> teams{};                      // the byte of teams 1..8
        int delayMinutes = 0, delaySeconds = 0;
        std::string note;  // only the first 64 messages have one
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
    std::vector<KindCount> commandCounts;         // every kind, in command-code order
    std::vector<Command> commands;                // in the order a save writes them
    std::vector<std::string> teamNames;           // teams 1..10
    std::vector<std::string> regionNames;         // regions 1..4
    std::vector<std::string> cargoNames;          // special cargoes 1..16
    std::string introduction, debriefing, hints;  // line breaks as stored (CR LF)
};

MissionSummary summarize(const Editor& editor);

}  // namespace quendar::app
