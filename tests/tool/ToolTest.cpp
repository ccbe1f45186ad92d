#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "app/files/MissionIO.h"
#include "mission/FileIO.h"
#include "mission/NewMission.h"
#include "mission/ShipgroupRecord.h"
#include "support/RandomMission.h"
#include "support/TempDir.h"
#include "tool/ToolRun.h"

namespace {

namespace fs = std::filesystem;
using namespace quendar;

using quendar::testing::tool;
using quendar::testing::ToolRun;

class ToolTest : public ::testing::Test {
  protected:
    std::string at(const std::string& name) const { return (m_dir / name).string(); }
    std::vector<uint8_t> bytes(const std::string& name) const {
        return *mission::readWholeFile(at(name));
    }
    quendar::testing::TempDir m_temp{"quendar-tool"};
    const fs::path& m_dir = m_temp.path();
};

TEST_F(ToolTest, NewWritesTheNewMissionAndResaveKeepsIt) {
    const ToolRun made = tool("new " + at("n.tie"), m_dir);
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const ToolRun again = tool("resave " + at("n.tie") + " " + at("m.tie"), m_dir);
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(bytes("n.tie"), bytes("m.tie"));
    EXPECT_TRUE(again.err.empty()) << again.err;
}

TEST_F(ToolTest, ResaveReproducesARandomMission) {
    app::Editor e;
    quendar::testing::fillRandomMission(e.store, 77, 12, 9);
    e.briefing.resetForNewMission();
    e.briefing.setBriefingEndTime(900);
    e.briefing.setBriefingLength(900);
    e.briefing.appendCommand(briefing::BRC_SHOW, 10, {3, 40, 1});
    e.briefing.appendCommand(briefing::BRC_COORD, 10, {3, -200, 310});
    e.briefing.appendCommand(briefing::BRC_ZOOM, 400, {60, 60});
    const auto image = app::buildMissionImage(e);
    ASSERT_TRUE(mission::writeFileAtomic(at("r.tie"), image));
    const ToolRun r = tool("resave " + at("r.tie") + " " + at("s.tie"), m_dir);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(bytes("r.tie"), bytes("s.tie"));
}

TEST_F(ToolTest, FailuresExitNonZeroWithTheMessage) {
    const ToolRun missing = tool("resave " + at("none.tie") + " " + at("o.tie"), m_dir);
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_NE(missing.err.find("Cannot open file: " + at("none.tie")), std::string::npos)
        << missing.err;
    EXPECT_FALSE(fs::exists(at("o.tie")));

    ASSERT_EQ(tool("new " + at("n.tie"), m_dir).exitCode, 0);
    const ToolRun unwritable = tool("resave " + at("n.tie") + " " + at("no/such/dir.tie"), m_dir);
    EXPECT_NE(unwritable.exitCode, 0);
    EXPECT_NE(unwritable.err.find("Cannot open file: "), std::string::npos);

    const ToolRun usage = tool("frobnicate", m_dir);
    EXPECT_NE(usage.exitCode, 0);
}

TEST_F(ToolTest, LengthQuestionIsAnsweredCancel) {
    app::Editor e;
    e.store.shipgroupCount = 1;
    e.briefing.setBriefingEndTime(3000);
    e.briefing.setBriefingLength(3000);
    e.briefing.serializeBriefing();
    auto image = mission::writeMission(e.store);
    const size_t block = mission::kHeaderEnd + mission::kShipgroupSize + 3680 + 4870;
    image[block] = 0xD0;  // length mark 4048, after the end command at 3000
    image[block + 1] = 0x0F;
    ASSERT_TRUE(mission::writeFileAtomic(at("l.tie"), image));
    const ToolRun r = tool("resave " + at("l.tie") + " " + at("m.tie"), m_dir);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.err.find("Saving problem occured: The editor detected an error"),
              std::string::npos);
    const auto out = bytes("m.tie");
    EXPECT_EQ(out[block] + 256 * out[block + 1], 4048);
}

TEST_F(ToolTest, PathsThatAreNotMissionsFailAtOnceWithAReason) {
    const std::string fifo = at("pipe.tie");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directories(m_dir / "folder.tie");
    for (const std::string& path : {at("folder.tie"), std::string("/dev/zero"), fifo}) {
        SCOPED_TRACE(path);
        const ToolRun r = tool("info " + path, m_dir);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err.rfind("Cannot open file: " + path + "\n\n", 0), 0u) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(ToolTest, InfoAndDumpDescribeTheMission) {
    app::Editor e;
    e.store.shipgroupCount = 2;
    e.store.messageCount = 1;
    mission::ShipgroupRecord g(e.store, 1);
    g.setName("Kestrel Two");
    g.set(mission::sg::craftType, 4);
    g.set(mission::sg::craftCount, 3);
    g.set(mission::sg::iff, 2);
    g.set(mission::sg::team, 1);
    g.set(mission::sg::playerCraft, 1);
    g.setStartPoint(0, {800, -160, 40, 1});
    g.set(mission::sg::startPointRegion, 2);
    e.store.setText(mission::Table::Messages, 0, 2, 64, "Hold position");
    e.briefing.resetForNewMission();
    e.briefing.appendCommand(briefing::BRC_ZOOM, 20, {48, 48});
    e.briefing.appendCommand(briefing::BRC_SKIP, 20);
    ASSERT_TRUE(mission::writeFileAtomic(at("i.tie"), app::buildMissionImage(e)));

    const ToolRun info = tool("info " + at("i.tie"), m_dir);
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("Shipgroups: 2"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("\"Kestrel Two\""), std::string::npos);
    EXPECT_NE(info.out.find("(5.00, -1.00, 0.25) km in region 3"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("\"Hold position\""), std::string::npos);

    const ToolRun dump = tool("dump " + at("i.tie"), m_dir);
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    const auto j = nlohmann::json::parse(dump.out);
    EXPECT_EQ(j["shipgroupCount"], 2);
    const auto& sg = j["shipgroups"][1];
    EXPECT_EQ(sg["name"], "Kestrel Two");
    EXPECT_EQ(sg["count"], 3);
    EXPECT_EQ(sg["team"], 1);
    EXPECT_EQ(sg["startPoint1"]["x"], 800);
    EXPECT_EQ(sg["startPoint1"]["region"], 2);
    EXPECT_FALSE(sg["craftName"].get<std::string>().empty());
    EXPECT_EQ(j["messages"][0]["text"], "Hold position");
    // Commands come in the order a save writes them: the skip point first.
    const auto& cmds = j["briefing"]["commands"];
    ASSERT_EQ(cmds.size(), 2u);
    EXPECT_EQ(cmds[0]["kind"], "BRC_SKIP");
    EXPECT_EQ(cmds[1]["kind"], "BRC_ZOOM");
    EXPECT_EQ(cmds[1]["params"], nlohmann::json::array({48, 48}));
    EXPECT_EQ(j["briefing"]["commandCounts"]["BRC_ZOOM"], 1);
    EXPECT_EQ(j["briefing"]["endTime"], 3000);
}

TEST_F(ToolTest, DumpAndInfoCarryMessagesTeamsRegionsCargoesAndTexts) {
    app::Editor e;
    mission::resetToNewMission(e.store);
    e.briefing.resetForNewMission();
    e.store.messageCount = 1;
    using mission::Table;
    e.store.setText(Table::Messages, 0, 2, 64, "Bearing two-seven");
    e.store.setByte(Table::Messages, 0, 108, 2);   // trigger 3 condition
    e.store.setByte(Table::Messages, 0, 119, 7);   // trigger 4 param2
    e.store.setByte(Table::Messages, 0, 124, 1);   // conditions joined by Or
    e.store.setByte(Table::Messages, 0, 84, 1);    // team 3
    e.store.setByte(Table::Messages, 0, 141, 2);   // minutes
    e.store.setByte(Table::Messages, 0, 140, 30);  // seconds
    e.store.setText(Table::Teams, 1, 2, 20, "Ashen Fleet");
    e.store.setText(Table::RegionNames, 3, 0, 132, "Far Reach");
    e.store.setText(Table::SpecialCargo, 15, 0, 20, "Seed vault");
    e.store.setText(Table::Introduction, 0, 0, 4096, "Line one\r\nLine\ttwo");
    e.store.setText(Table::Debriefing, 0, 0, 4096, "Caf\xe9 \\ \x7f.");
    ASSERT_TRUE(mission::writeFileAtomic(at("d.tie"), app::buildMissionImage(e)));

    const ToolRun dump = tool("dump " + at("d.tie"), m_dir);
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    const auto j = nlohmann::json::parse(dump.out);
    const auto& m = j["messages"][0];
    EXPECT_EQ(m["text"], "Bearing two-seven");
    ASSERT_EQ(m["triggers"].size(), 4u);
    EXPECT_EQ(m["triggers"][2]["condition"], 2);
    EXPECT_EQ(m["triggers"][3]["param2"], 7);
    EXPECT_EQ(m["joinConditions"], 1);
    EXPECT_EQ(m["join12"], 0);
    EXPECT_EQ(m["teams"], nlohmann::json::array({1, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(m["delayMinutes"], 2);
    EXPECT_EQ(m["delaySeconds"], 30);
    ASSERT_EQ(j["teamNames"].size(), 10u);
    EXPECT_EQ(j["teamNames"][1], "Ashen Fleet");
    ASSERT_EQ(j["regionNames"].size(), 4u);
    EXPECT_EQ(j["regionNames"][3], "Far Reach");
    ASSERT_EQ(j["cargoNames"].size(), 16u);
    EXPECT_EQ(j["cargoNames"][15], "Seed vault");
    EXPECT_EQ(j["introduction"], "Line one\r\nLine\ttwo");
    EXPECT_EQ(j["hints"], "");
    EXPECT_EQ(j["shipgroupCount"], 1) << "existing keys stay";

    const ToolRun info = tool("info " + at("d.tie"), m_dir);
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("    teams 1, 3  delay 2 min 30 s"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Team 2: \"Ashen Fleet\""), std::string::npos);
    EXPECT_NE(info.out.find("Region 4: \"Far Reach\""), std::string::npos);
    EXPECT_NE(info.out.find("Introduction: \"Line one\\x0d\\nLine\\ttwo\""), std::string::npos);
    // 8-bit characters stay as they are, a backslash is doubled, DEL is spelled out.
    EXPECT_NE(info.out.find("Debriefing: \"Caf\xe9 \\\\ \\x7f.\""), std::string::npos) << info.out;
}

TEST_F(ToolTest, ValidatePrintsFindingsAndFixWritesTheCorrectedMission) {
    // A new mission has no player craft, and "n.tie" is no game file name.
    ASSERT_EQ(tool("new " + at("n.tie"), m_dir).exitCode, 0);
    const ToolRun found = tool("validate " + at("n.tie"), m_dir);
    EXPECT_EQ(found.exitCode, 1) << found.err;
    const std::string expected =
        "Warning - filename incorrect: Your mission filename is not in the right "
        "format.\\n\\n Your filename is: n.tie\\n\\n The following filename formats are "
        "correct, try to use these:\\n\\n\\t 1 B x M y F W . T I E\\n\\t 1 B x M y F B . T I "
        "E\\n\\t 1 B x M y F G . T I E\\n\\t 1 B x M y W . T I E\\n\\t 1 B x M y B . T I "
        "E\\n\\t 1 B x M y G . T I E\\n\\n\\t   x means BATTLE number, y means MISSION "
        "number\\n\\n If you are using different file names you may encounter crases or your "
        "briefing is not functioning. It is seriously recommended to use correct mission file "
        "names.\n"
        "Fatal error - no player craft: There is no player craft in this mission. Without a "
        "player craft you can't play the mission or encounter serious errors, "
        "crases.\\n\\nWhat should I do?\\n\\n\\t- Select a shipgroup which you want to be your "
        "craft during the mission.\\n\\t- Open the Basics properties\\n\\t- Set the PILOT "
        "option to ''Player in craft 1''\n";
    EXPECT_EQ(found.out, expected);

    // A shipgroup of 0 craft flown by the player in craft 3, in a correctly named file.
    app::Editor e;
    mission::resetToNewMission(e.store);
    e.briefing.resetForNewMission();
    e.store.setByte(mission::Table::Shipgroups, 0, mission::sg::craftCount, 0);
    e.store.setByte(mission::Table::Shipgroups, 0, mission::sg::playerCraft, 3);
    ASSERT_TRUE(mission::writeFileAtomic(at("1b2m3fw.tie"), app::buildMissionImage(e)));
    const auto before = bytes("1b2m3fw.tie");
    const ToolRun fixed =
        tool("validate " + at("1b2m3fw.tie") + " --fix " + at("fixed.tie"), m_dir);
    EXPECT_EQ(fixed.exitCode, 1) << fixed.err;
    EXPECT_EQ(fixed.out.find("Error - number of crafts is 0 - corrected: You set the number of "
                             "crafts in shipgroup Noname to 0.\\n\\n"),
              0u)
        << fixed.out;
    EXPECT_NE(fixed.out.find("\nError - player craft number is invalid - corrected: "),
              std::string::npos);
    EXPECT_EQ(bytes("1b2m3fw.tie"), before) << "IN is not touched";
    const ToolRun unnamed = tool("validate " + at("1b2m3fw.tie") + " --fix \"\"", m_dir);
    EXPECT_EQ(unnamed.exitCode, 2);
    EXPECT_NE(unnamed.err.find("--fix needs the name of the file to write"), std::string::npos)
        << unnamed.err;
    const ToolRun clean = tool("validate " + at("fixed.tie"), m_dir);
    // The corrected file only trips over its own name.
    EXPECT_EQ(clean.out.rfind("Warning - filename incorrect: ", 0), 0u);
    EXPECT_EQ(clean.out.find("Error - "), std::string::npos) << clean.out;

    fs::copy_file(at("fixed.tie"), at("1b1m1w.tie"));
    const ToolRun none = tool("validate " + at("1b1m1w.tie"), m_dir);
    EXPECT_EQ(none.exitCode, 0) << none.out;
    EXPECT_TRUE(none.out.empty());

    EXPECT_EQ(tool("validate " + at("missing.tie"), m_dir).exitCode, 2);
    EXPECT_EQ(tool("validate " + at("n.tie") + " --fix " + at("no/dir/x.tie"), m_dir).exitCode, 2);
}

}  // namespace
