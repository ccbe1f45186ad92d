#include <gtest/gtest.h>

#include <algorithm>

#include "mission/MissionFile.h"
#include "mission/NewMission.h"
#include "mission/ShipgroupRecord.h"

using namespace quendar::mission;

namespace {

bool allZero(std::span<const uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

// Fills every byte of every table with a non-zero pattern and scrambles the counters.
void dirty(MissionStore& store) {
    for (int t = 0; t < static_cast<int>(Table::Count); ++t) {
        auto bytes = store.mutableTable(static_cast<Table>(t));
        std::fill(bytes.begin(), bytes.end(), uint8_t{0xA5});
    }
    store.shipgroupCount = 37;
    store.messageCount = 12;
    store.currentShipgroup = 20;
    store.missionPath = "/missions/old.tie";
    store.briefingLength = 777;
}

}  // namespace

TEST(NewMission, EmptyShipgroupRecord) {
    const auto r = emptyShipgroupRecord();
    int nonZero = 0;
    for (uint8_t b : r) nonZero += b != 0;
    EXPECT_EQ(nonZero, 6 + 8);  // "Noname" and the eight default bytes
    EXPECT_EQ(std::string(r.begin(), r.begin() + 7), std::string("Noname\0", 7));
    for (int k : {20, 21, 25}) EXPECT_EQ(r[k], 255) << k;
    for (int k : {105, 107, 108}) EXPECT_EQ(r[k], 1) << k;
    EXPECT_EQ(r[114], 2);
    EXPECT_EQ(r[129], 64);

    MissionStore store;
    dirty(store);
    setEmptyShipgroup(store, 254);
    setEmptyShipgroup(store, 255);  // out of range: nothing happens
    setEmptyShipgroup(store, -1);
    EXPECT_TRUE(std::equal(r.begin(), r.end(), store.slot(Table::Shipgroups, 254).begin()));
    EXPECT_EQ(store.byte(Table::Shipgroups, 253, 0), 0xA5);
    EXPECT_EQ(ShipgroupRecord(store, 254).name(), "Noname");

    // A slot freed by a deletion differs only in its AI skill.
    setEmptyShipgroup(store, 253, kFreedSlotAiSkill);
    auto freed = store.slot(Table::Shipgroups, 253);
    for (int k = 0; k < kShipgroupSize; ++k) {
        ASSERT_EQ(freed[k], k == sg::aiSkill ? 0 : r[k]) << k;
    }
}

TEST(NewMission, ResetsEveryTableAndCounter) {
    MissionStore store;
    dirty(store);
    resetToNewMission(store);

    EXPECT_EQ(store.shipgroupCount, 1);
    EXPECT_EQ(store.messageCount, 0);
    EXPECT_EQ(store.currentShipgroup, 0);
    EXPECT_EQ(store.missionPath, "noname.tie");
    EXPECT_EQ(store.briefingLength, 3000);

    // Header: format number and the four IFF names, nothing else.
    EXPECT_EQ(store.byte(Table::Header, 0, 0), 18);
    EXPECT_EQ(store.byte(Table::Header, 0, 2), 0);
    EXPECT_EQ(store.text(Table::Header, 0, 20, 20), "Neutral");
    EXPECT_EQ(store.text(Table::Header, 0, 40, 20), "Kessaran");
    EXPECT_EQ(store.text(Table::Header, 0, 60, 20), "Unknown");
    EXPECT_EQ(store.text(Table::Header, 0, 80, 20), "Ostravel");
    EXPECT_TRUE(allZero(store.slot(Table::Header, 0).subspan(88)));

    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(store.text(Table::RegionNames, r, 0, 132), "Region " + std::to_string(r + 1));
        EXPECT_TRUE(allZero(store.slot(Table::RegionNames, r).subspan(8)));
    }

    // Every shipgroup slot, behind the count too, holds the empty record.
    const auto empty = emptyShipgroupRecord();
    for (int i = 0; i < kMaxShipgroups; ++i) {
        ASSERT_TRUE(
            std::equal(empty.begin(), empty.end(), store.slot(Table::Shipgroups, i).begin()))
            << "shipgroup " << i;
    }
    // Every message slot empty but byte 82.
    for (int m = 0; m < kMaxMessages; ++m) {
        auto slot = store.slot(Table::Messages, m);
        ASSERT_EQ(slot[82], 1);
        ASSERT_TRUE(allZero(slot.first(82)) && allZero(slot.subspan(83))) << "message " << m;
    }

    const char* teams[] = {"Rebel",  "Imperial", "Team 3", "Team 4", "Team 5",
                           "Team 6", "Team 7",   "Team 8", "Team 9", "Team 10"};
    for (int t = 0; t < kTeams; ++t) {
        EXPECT_EQ(store.byte(Table::Teams, t, 0), 1);
        EXPECT_EQ(store.byte(Table::Teams, t, 1), 0);
        EXPECT_EQ(store.text(Table::Teams, t, 2, 20), teams[t]);
        EXPECT_TRUE(allZero(store.slot(Table::Teams, t).subspan(22)));
    }

    EXPECT_EQ(store.byte(Table::MissionOptions, 0, 0), 6);
    EXPECT_EQ(store.byte(Table::MissionOptions, 0, 7), 98);
    EXPECT_EQ(store.byte(Table::MissionOptions, 0, 1), 0);

    auto b1 = store.slot(Table::Briefing1, 0);
    EXPECT_TRUE(allZero(b1.first(17418)));
    for (int k = 17418; k <= 17425; ++k) EXPECT_EQ(b1[k], 1) << k;
    EXPECT_TRUE(allZero(b1.subspan(17426)));

    for (Table t : {Table::SpecialCargo,
                    Table::GlobalGroupNames,
                    Table::Block3480,
                    Table::GlobalGoals,
                    Table::Briefing1Tags,
                    Table::Briefing1Texts,
                    Table::Briefing2,
                    Table::Briefing2Tags,
                    Table::Briefing2Texts,
                    Table::Block6268,
                    Table::BriefingTextNotes,
                    Table::MessageNotes,
                    Table::NotesC,
                    Table::NotesD,
                    Table::NotesE,
                    Table::ShipgroupGoalStrings,
                    Table::GlobalGoalStrings,
                    Table::Block417,
                    Table::OrderStrings,
                    Table::Debriefing,
                    Table::Hints,
                    Table::Introduction}) {
        EXPECT_TRUE(allZero(store.table(t))) << "table " << static_cast<int>(t);
    }
}

TEST(NewMission, NewAfterAMissionWithMessagesLeavesNoTrace) {
    MissionStore store;
    resetToNewMission(store);
    for (int m = 0; m < 3; ++m) store.setText(Table::Messages, m, 2, 64, "Hold position");
    store.messageCount = 3;
    store.shipgroupCount = 2;
    ShipgroupRecord(store, 1).setName("Escort");
    const auto edited = writeMission(store);

    // Open that mission, then New.
    MissionStore reopened;
    resetToNewMission(reopened);
    readMission(edited, reopened);
    ASSERT_EQ(reopened.messageCount, 3);
    ASSERT_EQ(reopened.text(Table::Messages, 2, 2, 64), "Hold position");
    resetToNewMission(reopened);

    EXPECT_EQ(reopened.messageCount, 0);
    EXPECT_EQ(reopened.shipgroupCount, 1);
    for (int m = 0; m < kMaxMessages; ++m) EXPECT_EQ(reopened.text(Table::Messages, m, 2, 64), "");
    EXPECT_EQ(ShipgroupRecord(reopened, 1).name(), "Noname");

    // A new mission saves to the same image as one from a fresh reset.
    MissionStore fresh;
    resetToNewMission(fresh);
    EXPECT_EQ(writeMission(reopened), writeMission(fresh));
}
