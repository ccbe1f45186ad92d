// Writes the missions bundled with the editor and used by its benchmarks:
//   missiongen sample OUT    a small hand-designed mission (data/samples/)
//   missiongen largest OUT   the largest mission the editor makes
#include <cstdio>
#include <cstring>
#include <string>

#include "app/files/FileCommands.h"
#include "app/files/MissionIO.h"
#include "mission/FileIO.h"
#include "mission/ShipgroupRecord.h"
#include "support/LargestMission.h"

namespace {

using namespace quendar;
using mission::ShipgroupRecord;
using mission::Table;
namespace sg = mission::sg;

struct Group {
    const char* name;
    int craftType;
    int count;
    int iff;
    int team;
    int x, y, z;  // 1/160 km
    int region;
    int order;  // order 1 of the start region
    int playerCraft;
};

void addGroup(mission::MissionStore& s, int index, const Group& g) {
    ShipgroupRecord r(s, index);
    r.setName(g.name);
    r.set(sg::craftType, static_cast<uint8_t>(g.craftType));
    r.set(sg::craftCount, static_cast<uint8_t>(g.count));
    r.set(sg::iff, static_cast<uint8_t>(g.iff));
    r.set(sg::team, static_cast<uint8_t>(g.team));
    r.set(sg::playerCraft, static_cast<uint8_t>(g.playerCraft));
    r.setStartPoint(0, {g.x, g.y, g.z, 1});
    r.set(sg::startPointRegion, static_cast<uint8_t>(g.region));
    r.set(sg::orderOffset(g.region, 0), static_cast<uint8_t>(g.order));
    r.set(sg::orderOffset(g.region, 0) + 1, 10);  // full throttle
    // A short patrol path ahead of the start point.
    for (int k = 0; k < 3; ++k) {
        r.setWaypoint(g.region, 0, k, {g.x + (k + 1) * 120, g.y + (k % 2 ? 80 : -80), g.z, 1});
    }
}

void writeSample(app::Editor& e) {
    mission::MissionStore& s = e.store;
    const Group groups[] = {
        {"Red Lantern", 1, 3, 0, 0, -560, 320, 0, 0, 2, 1},
        {"Amber Wing", 4, 2, 0, 0, -640, 480, 0, 0, 2, 0},
        {"Hauler Sixx", 50, 2, 0, 0, -720, -80, 0, 0, 19, 0},
        {"Korvane Guard", 23, 4, 1, 1, 480, -240, 160, 0, 7, 0},
        {"Blade Ring", 11, 6, 1, 1, 560, 400, -160, 0, 7, 0},
        {"Iron Chorus", 115, 1, 1, 1, 720, 40, 0, 0, 0, 0},
        {"Depot Vesh", 136, 1, 2, 2, 0, -640, 0, 0, 0, 0},
        {"Relay Tallow", 87, 1, 4, 2, -240, -480, 0, 0, 0, 0},
        {"Echo Picket", 100, 1, 1, 1, 320, 560, 0, 1, 2, 0},
        {"Fuel Cask 1", 72, 3, 2, 2, 160, -560, 0, 0, 0, 0},
    };

    s.shipgroupCount = static_cast<int>(std::size(groups));
    for (int i = 0; i < s.shipgroupCount; ++i) addGroup(s, i, groups[i]);

    const char* messages[] = {"Lanterns, form up on the hauler.", "Korvane fighters inbound!",
                              "The depot is clear. Jump when ready."};
    s.messageCount = 3;
    for (int i = 0; i < 3; ++i) {
        s.setByte(Table::Messages, i, 0, static_cast<uint8_t>(i));
        s.setText(Table::Messages, i, 2, 64, messages[i]);
        s.setByte(Table::Messages, i, 142, static_cast<uint8_t>(i));
    }
    s.setText(Table::RegionNames, 0, 0, 132, "Vesh Approach");
    s.setText(Table::RegionNames, 1, 0, 132, "Tallow Drift");
    s.setText(Table::Introduction, 0, 0, 4096,
              "Escort the hauler Sixx to Depot Vesh and hold the relay until it has docked.");

    // The briefing: the player's flight and the hauler appear, the enemy
    // shows up, turns and closes in, the flight turns to meet it, the view
    // follows, and the technical data of the hauler close it.
    using namespace briefing;
    s.setText(Table::Briefing1Tags, 0, 0, 255, "Red Lantern");
    s.setText(Table::Briefing1Tags, 1, 0, 255, "Korvane Guard");
    s.setText(Table::Briefing1Tags, 2, 0, 255, "Hauler Sixx");
    s.setText(Table::Briefing1Texts, 0, 0, 255, "Escort the hauler to the depot.");
    s.setText(Table::Briefing1Texts, 1, 0, 255, "Korvane fighters will try to cut you off.");
    s.setText(Table::Briefing1Texts, 2, 0, 255, "Turn into them and keep them off the hauler.");
    auto& b = e.briefing;
    b.appendCommand(BRC_ZOOM, 0, {40, 40});
    b.appendCommand(BRC_SHOW, 14, {0, 1, 0});
    b.appendCommand(BRC_COORD, 14, {0, -560, 320});
    b.appendCommand(BRC_SHOW, 14, {2, 50, 0});
    b.appendCommand(BRC_COORD, 14, {2, -720, -80});
    b.appendCommand(BRC_ORIENT, 14, {2, 1});
    b.appendCommand(BRC_SHOW, 14, {1, 23, 1});
    b.appendCommand(BRC_COORD, 14, {1, 480, -240});
    b.appendCommand(BRC_LOWER, 20, {0});
    b.appendCommand(BRC_TAG1, 40, {0, -560, 260, 0});
    b.appendCommand(BRC_TAG3, 50, {2, -720, -140, 0});
    b.appendCommand(BRC_TAG2, 60, {1, 480, -300, 1});
    b.appendCommand(BRC_SELECT1, 80, {1});
    b.appendCommand(BRC_LOWER, 100, {1});
    b.appendCommand(BRC_ORIENT, 100, {1, 2});
    // The enemy closes in, step by step.
    for (int k = 1; k <= 6; ++k)
        b.appendCommand(BRC_COORD, 100 + 20 * k, {1, 480 - 40 * k, -240 + 20 * k});
    b.appendCommand(BRC_CLEARTAGS, 130);
    b.appendCommand(BRC_LOWER, 160, {2});
    b.appendCommand(BRC_ORIENT, 160, {0, 3});
    for (int k = 1; k <= 4; ++k)
        b.appendCommand(BRC_COORD, 160 + 15 * k, {0, -560 + 60 * k, 320 - 40 * k});
    b.appendCommand(BRC_MOVEMAP, 240, {-100, 40});
    b.appendCommand(BRC_ZOOM, 240, {60, 60});
    b.appendCommand(BRC_SELECT2, 240, {0});
    b.appendCommand(BRC_TECH, 300, {1, 2});
    b.appendCommand(BRC_TECH, 360, {0, 2});
    b.appendCommand(BRC_CLEARSEL, 360);
    e.briefing.setBriefingEndTime(420);
    e.briefing.setBriefingLength(420);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 ||
        (std::strcmp(argv[1], "sample") != 0 && std::strcmp(argv[1], "largest") != 0)) {
        std::fprintf(stderr, "usage: missiongen sample|largest OUT\n");
        return 2;
    }
    std::vector<uint8_t> image;
    if (std::strcmp(argv[1], "largest") == 0) {
        image = testing::largestMissionFile();
    } else {
        app::Editor e;
        e.craftListPath = "";  // the sample names its craft by number only
        app::resetEditorToNewMission(e);
        writeSample(e);
        image = app::buildMissionImage(e);
    }
    mission::FileError err;
    if (!mission::writeFileAtomic(argv[2], image, &err)) {
        std::fprintf(stderr, "missiongen: cannot write %s: %s\n", argv[2], err.reason.c_str());
        return 1;
    }
    return 0;
}
