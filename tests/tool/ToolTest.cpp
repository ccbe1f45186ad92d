#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "app/MissionIO.h"
#include "mission/FileIO.h"
#include "mission/ShipgroupRecord.h"
#include "support/RandomMission.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace quendar;

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs quendar-tool with the given arguments, capturing both streams.
ToolRun tool(const std::string& args, const fs::path& dir) {
    const std::string errFile = (dir / "stderr.txt").string();
    const std::string cmd = std::string(QUENDAR_TOOL) + " --craft-list " + QUENDAR_DATA_DIR +
                            "/SHIPLIST.TXT " + args + " 2>" + errFile;
    ToolRun r;
    std::FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int status = ::pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (auto e = mission::readWholeFile(errFile)) r.err.assign(e->begin(), e->end());
    return r;
}

class ToolTest : public ::testing::Test {
protected:
    std::string at(const std::string& name) const { return (m_dir / name).string(); }
    std::vector<uint8_t> bytes(const std::string& name) const { return *mission::readWholeFile(at(name)); }
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
    EXPECT_NE(missing.err.find("Cannot open file: " + at("none.tie")), std::string::npos) << missing.err;
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
    EXPECT_NE(r.err.find("Saving problem occured: The editor detected an error"), std::string::npos);
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

}  // namespace
