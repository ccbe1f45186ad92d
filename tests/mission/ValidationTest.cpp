#include <gtest/gtest.h>

#include "mission/NewMission.h"
#include "mission/ShipgroupRecord.h"
#include "mission/Validation.h"

namespace quendar::mission {
namespace {

TEST(MissionFileName, OnlyTheGameNamesPass) {
    for (const char* good : {"1B2M3FW.TIE", "1b2m3w", "1b2m3g.dat", "1b0m9fb.tie", "1B5M1B.x"})
        EXPECT_TRUE(missionFileNameCorrect(good)) << good;
    for (const char* bad : {"1b12m3w.tie", "1b2m3gb.tie", "1b2m3fx.tie", "noname.tie", "1b2m3",
                            "1b2m3f", "1b2m3f.tie", "2b2m3w.tie", "1bxm3w.tie", ""})
        EXPECT_FALSE(missionFileNameCorrect(bad)) << bad;
    EXPECT_EQ(fileNamePart("/home/pilot/missions/1b2m3w.tie"), "1b2m3w.tie");
    EXPECT_EQ(fileNamePart("C:\\games\\1b2m3w.tie"), "1b2m3w.tie");
    EXPECT_EQ(fileNamePart("a\\b/1b2m3w.tie"), "1b2m3w.tie");
    EXPECT_EQ(fileNamePart("1b2m3w.tie"), "1b2m3w.tie");
    // The folder does not count, only the file part.
    MissionStore s;
    EXPECT_EQ(runChecks(s, true, "/tmp/1b2m3w/x.tie").front().caption,
              "Warning - filename incorrect");
}

class ChecksTest : public ::testing::Test {
  protected:
    void SetUp() override { resetToNewMission(store); }
    void group(int i, const char* name, int craft, int player, int team = 0) {
        store.setText(Table::Shipgroups, i, sg::name, sg::nameWidth, name);
        store.setByte(Table::Shipgroups, i, sg::craftCount, static_cast<uint8_t>(craft));
        store.setByte(Table::Shipgroups, i, sg::playerCraft, static_cast<uint8_t>(player));
        store.setByte(Table::Shipgroups, i, sg::team, static_cast<uint8_t>(team));
    }
    std::vector<std::string> captions(bool correct = true) {
        std::vector<std::string> out;
        for (const auto& f : runChecks(store, false, "1b1m1w.tie", correct))
            out.push_back(f.caption);
        return out;
    }
    MissionStore store;
};

TEST_F(ChecksTest, FileNameWarningNamesTheFileAndHasNoIcon) {
    auto f = runChecks(store, true, store.missionPath);
    ASSERT_GE(f.size(), 1u);
    EXPECT_EQ(f[0].caption, "Warning - filename incorrect");
    EXPECT_EQ(f[0].icon, core::Icon::None);
    EXPECT_NE(f[0].text.find("\n\n Your filename is: noname.tie\n\n"), std::string::npos);
    EXPECT_NE(f[0].text.find("\t 1 B x M y F W . T I E\n"), std::string::npos);
    EXPECT_EQ(f[1].caption, "Fatal error - no player craft");
    EXPECT_EQ(f[1].icon, core::Icon::Exclamation);
    EXPECT_NE(f[1].text.find("\t- Set the PILOT option to ''Player in craft 1''"),
              std::string::npos);
    EXPECT_EQ(runChecks(store, false, store.missionPath).size(), 1u) << "setting off";
}

TEST_F(ChecksTest, CraftCountIsCorrectedBeforeThePlayerCraftIsCompared) {
    group(0, "Lantern", 0, 1);
    EXPECT_EQ(captions(), std::vector<std::string>{"Error - number of crafts is 0 - corrected"});
    EXPECT_EQ(store.byte(Table::Shipgroups, 0, sg::craftCount), 1);
    EXPECT_EQ(store.byte(Table::Shipgroups, 0, sg::playerCraft), 1);
    group(0, "Lantern", 0, 1);
    const auto f = runChecks(store, false, "x", true);
    EXPECT_EQ(f[0].text,
              "You set the number of crafts in shipgroup Lantern to 0.\n\n Error corrected. "
              "Automaticly set to 1.");
}

TEST_F(ChecksTest, PlayerCraftBeyondTheCountComesDownToIt) {
    group(0, "Escort", 2, 0);
    group(1, "Wisp Leader", 3, 5);
    store.shipgroupCount = 2;
    const auto f = runChecks(store, false, "x", true);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].caption, "Error - player craft number is invalid - corrected");
    EXPECT_EQ(f[0].text.rfind("In shipgroup Wisp Leader the player craft is invalid because the "
                              "player is in craft 5 but there is only 3 craft(s) in this "
                              "shipgroup.\n\n Problem is corrected by setting player craft "
                              "number to 3.\n\n However if it is a MULTIPLAYER mission this "
                              "correction can be invalid or unusable. ",
                              0),
              0u);
    EXPECT_EQ(store.byte(Table::Shipgroups, 1, sg::playerCraft), 3);
    // The only player group, second in the list and in Team 1: no team message.
    EXPECT_TRUE(captions().empty());
}

TEST_F(ChecksTest, TwoPlayerGroupsWithTheFirstInTeam2) {
    group(0, "Alpha", 1, 0);
    group(1, "Beta", 2, 1, 1);
    group(2, "Gamma", 2, 2, 0);
    store.shipgroupCount = 3;
    const auto f = runChecks(store, false, "x", true);
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].caption, "Warning - more than one player craft");
    EXPECT_EQ(f[0].text,
              "There is more than one player craft. If you are a professional mission builder "
              "just skip this warning. You may encounter problems in the mission.");
    EXPECT_EQ(f[1].caption, "Error - player craft is not in TEAM ONE");
    EXPECT_EQ(f[1].text,
              "Your player craft isn't in TEAM 1. Only player crafts in TEAM 1 can use "
              "hyperbouys to hyper into an other region.\n\nWhat should I do?\n\n\t- Select "
              "your player craft shipgroup\n\t- Open the Basics properties\n\t- Modify TEAM to "
              "the first in the list\n\nHowever this is not a fatal error. In some cases you may "
              "proceed with this setting.");
    for (const auto& finding : f) EXPECT_EQ(finding.icon, core::Icon::Exclamation);
    store.shipgroupCount = 0;
    EXPECT_EQ(captions(), std::vector<std::string>{"Fatal error - no player craft"});
}

TEST_F(ChecksTest, WithoutCorrectingTheStoreStaysAndTheFindingsAreTheSame) {
    group(0, "Lantern", 0, 4);
    const auto image = std::vector<uint8_t>(store.table(Table::Shipgroups).begin(),
                                            store.table(Table::Shipgroups).end());
    const auto dry = captions(false);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), store.table(Table::Shipgroups).begin()));
    EXPECT_EQ(dry,
              (std::vector<std::string>{"Error - number of crafts is 0 - corrected",
                                        "Error - player craft number is invalid - corrected"}));
    EXPECT_EQ(captions(true), dry);
    EXPECT_EQ(store.byte(Table::Shipgroups, 0, sg::craftCount), 1);
    EXPECT_EQ(store.byte(Table::Shipgroups, 0, sg::playerCraft), 1);
}

}  // namespace
}  // namespace quendar::mission
