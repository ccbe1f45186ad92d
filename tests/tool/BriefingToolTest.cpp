#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "app/files/MissionIO.h"
#include "mission/FileIO.h"
#include "support/TempDir.h"
#include "tool/ToolRun.h"

namespace {

namespace fs = std::filesystem;
using namespace quendar;
using namespace quendar::briefing;

using ToolResult = quendar::testing::ToolRun;
ToolResult runTool(const std::string& args) { return quendar::testing::tool(args); }

class BriefingToolTest : public ::testing::Test {
  protected:
    quendar::testing::TempDir temp{"quendar-tool-briefing"};
    std::string mission = (temp.path() / "b.tie").string();

    void SetUp() override {
        app::Editor e;
        e.craftListPath = "";
        app::resetEditorToNewMission(e);
        e.briefing.appendCommand(BRC_ZOOM, 10, {300, 300});
        e.briefing.appendCommand(BRC_MOVEMAP, 10, {-1, 480});
        e.briefing.appendCommand(BRC_COORD, 30, {7, -320, 480});
        e.briefing.appendCommand(BRC_ORIENT, 40, {7, 3});
        e.briefing.appendCommand(BRC_SHOW, 50, {7, 12, 2});
        e.briefing.appendCommand(BRC_SHOW, 60, {9, 4, 1});
        e.briefing.appendCommand(BRC_SELECT4, 60, {9});
        e.briefing.appendCommand(BRC_TAG6, 70, {3, -20, 40, 5});
        e.briefing.appendCommand(BRC_LOWER, 70, {2});
        e.briefing.appendCommand(BRC_REGION, 80, {1});
        e.briefing.appendCommand(BRC_SHOW, 80, {7, 12, 2});
        const auto image = app::buildMissionImage(e);
        ASSERT_TRUE(mission::writeFileAtomic(mission, image));
    }
};

TEST_F(BriefingToolTest, DumpAddsTheViewAtATime) {
    const ToolResult before = runTool("dump " + mission + " --time 79");
    ASSERT_EQ(before.exitCode, 0);
    const auto v = nlohmann::json::parse(before.out).at("briefingView");
    const auto want = nlohmann::json::parse(R"({
        "time": 79, "regionTime": 0, "bottomText": 2, "techData": false, "regionScreen": false,
        "ships": [{"slot": 7, "craftType": 12, "iff": 2, "x": -320, "y": 480, "direction": 3},
                  {"slot": 9, "craftType": 4, "iff": 1, "x": 0, "y": 0, "direction": 0}],
        "selections": [{"slot": 4, "ship": 9}],
        "tags": [{"slot": 6, "tag": 3, "x": -20, "y": 40, "colour": 5}],
        "lockedView": {"zoom": 44, "x": -1, "y": 480, "region": 0}})");
    EXPECT_EQ(v, want) << v.dump();

    // At the region change: ship 9 and the marks go, ship 7 shows again
    // unturned, the region screen is up.
    const auto at =
        nlohmann::json::parse(runTool("dump " + mission + " --time 80").out).at("briefingView");
    EXPECT_EQ(at.at("ships"), nlohmann::json::parse(R"([{"slot": 7, "craftType": 12, "iff": 2,
        "x": -320, "y": 480, "direction": 0}])"));
    EXPECT_TRUE(at.at("selections").empty());
    EXPECT_TRUE(at.at("tags").empty());
    EXPECT_TRUE(at.at("regionScreen"));
    EXPECT_EQ(at.at("lockedView").at("region"), 1);

    // Without --time there is no view.
    EXPECT_FALSE(nlohmann::json::parse(runTool("dump " + mission).out).contains("briefingView"));
}

TEST_F(BriefingToolTest, RenderWritesAPngOfTheAskedSize) {
    const std::string png = (temp.path() / "b.png").string();
    const std::string icons = std::string(" --icons ") + QUENDAR_DATA_DIR + "/iconslist.dat";
    ASSERT_EQ(
        runTool("render " + mission + " " + png + " --briefing --time 80 --size 320x200" + icons)
            .exitCode,
        0);
    const auto bytes = mission::readWholeFile(png);
    ASSERT_TRUE(bytes && bytes->size() > 24);
    const std::array<uint8_t, 8> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), bytes->begin()));
    auto be32 = [&](size_t at) {
        return ((*bytes)[at] << 24) | ((*bytes)[at + 1] << 16) | ((*bytes)[at + 2] << 8) |
               (*bytes)[at + 3];
    };
    EXPECT_EQ(be32(16), 320);
    EXPECT_EQ(be32(20), 200);

    // The briefing's view is its own: zoom and region are refused with it.
    const std::string other = (temp.path() / "c.png").string();
    EXPECT_NE(runTool("render " + mission + " " + other + " --briefing --zoom 40").exitCode, 0);
    EXPECT_NE(runTool("render " + mission + " " + other + " --briefing --region 2").exitCode, 0);
    EXPECT_NE(runTool("render " + mission + " " + other + " --size 0x10").exitCode, 0);
    EXPECT_FALSE(fs::exists(other));
    EXPECT_EQ(runTool("render " + mission + " " + other + " --region 2 --zoom 40" + icons).exitCode,
              0);
}

// Same-time commands come out as Save writes them: a kind scanned later first
// (BRC_SHOW before BRC_COORD), one kind's records in list order; a resave
// keeps that order.
TEST_F(BriefingToolTest, DumpListsSameTimeCommandsInTheSavedOrder) {
    app::Editor e;
    e.craftListPath = "";
    app::resetEditorToNewMission(e);
    e.briefing.appendCommand(BRC_COORD, 20, {1, 10, 10});
    e.briefing.appendCommand(BRC_COORD, 20, {2, 20, 20});
    e.briefing.appendCommand(BRC_SHOW, 20, {1, 5, 0});
    ASSERT_TRUE(mission::writeFileAtomic(mission, app::buildMissionImage(e)));
    const std::string again = (temp.path() / "again.tie").string();
    ASSERT_EQ(runTool("resave " + mission + " " + again).exitCode, 0);
    for (const std::string& file : {mission, again}) {
        const auto commands =
            nlohmann::json::parse(runTool("dump " + file).out)["briefing"]["commands"];
        ASSERT_GE(commands.size(), 3u);
        EXPECT_EQ(commands[0]["kind"], "BRC_SHOW");
        EXPECT_EQ(commands[1]["params"], nlohmann::json::array({1, 10, 10}));
        EXPECT_EQ(commands[2]["params"], nlohmann::json::array({2, 20, 20}));
    }
}

// Without --icons the tool draws with the icons the editor would take (the
// working folder's, else the bundled ones), and says nothing about the
// session's runtime folder.
TEST_F(BriefingToolTest, RenderFindsTheBundledIconsAndKeepsStandardErrorQuiet) {
    auto render = [&](const std::string& name, const std::string& extra, std::string* err) {
        const std::string png = (temp.path() / name).string(), log = (temp.path() / "err").string();
        const std::string cmd = "cd " + temp.path().string() + " && env -u XDG_RUNTIME_DIR " +
                                QUENDAR_TOOL + " render " + mission + " " + png +
                                " --briefing --time 80 --size 320x200" + extra + " 2>" + log;
        EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
        if (err) {
            const auto said = mission::readWholeFile(log).value_or(std::vector<uint8_t>{});
            err->assign(said.begin(), said.end());
        }
        return mission::readWholeFile(png).value_or(std::vector<uint8_t>{});
    };
    std::string err;
    const auto fallback = render("fallback.png", "", &err);
    EXPECT_EQ(err, "");
    const auto bundled = render(
        "bundled.png", std::string(" --icons ") + QUENDAR_DATA_DIR + "/iconslist.dat", nullptr);
    const auto none = render("none.png", " --icons missing.dat", nullptr);
    ASSERT_FALSE(fallback.empty());
    EXPECT_EQ(fallback, bundled);
    EXPECT_NE(fallback, none) << "the ship is drawn";
}

}  // namespace
