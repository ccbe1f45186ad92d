// `quendar-tool lint`: its lines, their order, the JSON list and the exit codes.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/files/FileCommands.h"
#include "app/files/MissionIO.h"
#include "mission/FileIO.h"
#include "mission/NewMission.h"
#include "support/TempDir.h"
#include "tool/ToolRun.h"

namespace {

using namespace quendar;
using mission::Table;
using quendar::testing::tool;

class LintToolTest : public ::testing::Test {
  protected:
    std::string at(const std::string& name) const { return (m_temp.path() / name).string(); }
    // A new mission of three shipgroups, changed by `edit`, written as `name`.
    std::string write(const std::string& name, const std::function<void(app::Editor&)>& edit) {
        app::Editor e;
        mission::resetToNewMission(e.store);
        e.briefing.resetForNewMission();
        e.store.shipgroupCount = 3;
        const char* names[] = {"Ash Kite", "Brine Owl", "Cinder Moth"};
        for (int i = 0; i < 3; ++i) {
            mission::setEmptyShipgroup(e.store, i);
            e.store.setText(Table::Shipgroups, i, 0, 20, names[i]);
        }
        edit(e);
        EXPECT_TRUE(mission::writeFileAtomic(at(name), app::buildMissionImage(e)));
        return at(name);
    }
    quendar::testing::TempDir m_temp{"quendar-lint"};
};

TEST_F(LintToolTest, LinesInLocationOrderAndExitCodes) {
    const std::string broken = write("broken.tie", [](app::Editor& e) {
        e.store.messageCount = 1;                                 // message 1 without text
        e.briefing.appendCommand(briefing::BRC_REGION, 40, {9});  // region 10
        e.store.setByte(Table::Shipgroups, 2, 113, 12);           // team 13
        e.store.setByte(Table::Shipgroups, 0, 214, 1);            // target 1: #3
        e.store.setByte(Table::Shipgroups, 0, 215, 3);
        e.store.setByte(Table::Shipgroups, 0, 107, 255);  // craft type 255
    });
    const auto run = tool("lint " + broken, m_temp.path());
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out,
              "Q110 error shipgroup #0 \"Ash Kite\" craftType: craft type 255 has no entry in the "
              "craft list (0..254)\n"
              "Q101 error shipgroup #0 \"Ash Kite\" region1.order1.target1: the target is "
              "shipgroup #3, but the mission has 3 shipgroups\n"
              "Q116 error shipgroup #2 \"Cinder Moth\" team: team code 12 is not one of the ten "
              "teams (0..9)\n"
              "Q140 warning message 1 text: the message has no text\n"
              "Q154 error briefing BRC_REGION 1 at 40: region code 9 is not one of the four "
              "regions (0..3)\n");

    const auto warned = tool(
        "lint " + write("w.tie", [](app::Editor& e) { e.store.messageCount = 1; }), m_temp.path());
    EXPECT_EQ(warned.exitCode, 0) << "warnings alone pass";
    EXPECT_EQ(warned.out, "Q140 warning message 1 text: the message has no text\n");

    const auto clean = tool("lint " + write("c.tie", [](app::Editor&) {}), m_temp.path());
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.out, "");

    const auto sample =
        tool("lint " + std::string(QUENDAR_DATA_DIR) + "/samples/lantern-run.tie", m_temp.path());
    EXPECT_EQ(sample.exitCode, 0) << sample.out;

    EXPECT_EQ(tool("lint " + at("missing.tie"), m_temp.path()).exitCode, 2);
    EXPECT_EQ(tool("lint", m_temp.path()).exitCode, 2) << "neither IN nor --rules";
}

// Bad command lines get the usage and exit 2; damaged files the damaged-file
// message and exit 2; the sentences read whole and the locations tell apart
// what looks the same.
TEST_F(LintToolTest, BadArgumentsDamagedFilesAndWhatTheLinesSay) {
    const std::string good = write("g.tie", [](app::Editor&) {});
    const auto sample =
        mission::readWholeFile(std::string(QUENDAR_DATA_DIR) + "/samples/lantern-run.tie");
    ASSERT_TRUE(sample);
    ASSERT_TRUE(mission::writeFileAtomic(at("empty.tie"), std::vector<uint8_t>{}));
    ASSERT_TRUE(mission::writeFileAtomic(
        at("cut.tie"), std::vector<uint8_t>(sample->begin(), sample->begin() + 500)));
    const std::string odd = write("odd.tie", [](app::Editor& e) {
        e.store.setByte(Table::Shipgroups, 0, 202, 50),
            e.store.setByte(Table::Shipgroups, 0, 204, 5);
        e.store.setByte(Table::Shipgroups, 1, 3499, 5),
            e.store.setByte(Table::Shipgroups, 1, 3480, 1);
        e.briefing.appendCommand(briefing::BRC_REGION, 40, {9});
        e.briefing.appendCommand(briefing::BRC_REGION, 40, {7});
        e.store.setText(Table::Shipgroups, 1, 0, 20, "Nineteen characters1");
        e.store.setText(Table::Shipgroups, 2, 0, 20, "Nineteen characters2");
    });
    const struct {
        std::string args;
        int exitCode;
        std::vector<std::string> says;  // in the output, or in the errors when there is none
    } rows[] = {
        {"lint --bogus " + good, 2, {"Usage: lint"}},
        {"lint " + good + " extra", 2, {"Usage: lint"}},
        {"info " + good + " extra", 2, {"Usage: info"}},
        {"resave " + good, 2, {"Usage: resave"}},
        {"lint " + good, 0, {}},
        {"lint " + at("empty.tie"), 2, {"shorter than its contents require"}},
        {"lint " + at("cut.tie"), 2, {"shorter than its contents require"}},
        {"lint " + odd,
         1,
         {"region1.order1.param1: the hyperspace order goes to region code 5, which is not one "
          "of the four regions (0..3)\n",
          "startPoint2.region: the start point lies in region code 5, which is not one of the "
          "four regions (0..3)\n",
          "briefing BRC_REGION 1 at 40: region code 9 ",
          "briefing BRC_REGION 2 at 40: region code 7 ",
          "Q130 warning shipgroup #2 \"Nineteen characters2\" name: has a name that looks the "
          "same as shipgroup #1's in the lists, which show 19 characters\n"}},
    };
    for (const auto& row : rows) {
        const auto run = tool(row.args, m_temp.path());
        EXPECT_EQ(run.exitCode, row.exitCode) << row.args << "\n" << run.err;
        const std::string& text = run.out.empty() ? run.err : run.out;
        for (const std::string& says : row.says)
            EXPECT_NE(text.find(says), std::string::npos) << row.args << "\n" << text;
        EXPECT_TRUE(row.exitCode != 2 || run.out.empty()) << row.args;
    }
}

TEST_F(LintToolTest, JsonListAndRules) {
    const std::string broken = write("j.tie", [](app::Editor& e) {
        e.store.setByte(Table::Shipgroups, 1, 194, 1);  // #1 arrives from its own hangar
        e.store.setByte(Table::Shipgroups, 1, 195, 1);
        e.store.setText(Table::Shipgroups, 2, 0, 20, "Brine \xD6wl");
        e.store.setByte(Table::Shipgroups, 2, 25, 20);  // special cargo 20
    });
    const auto run = tool("lint --json " + broken, m_temp.path());
    EXPECT_EQ(run.exitCode, 1);
    const auto j = nlohmann::json::parse(run.out);
    ASSERT_EQ(j.size(), 2u);
    EXPECT_EQ(j[0],
              nlohmann::json::parse(R"({"code": "Q104", "severity": "error", "area": "shipgroup",
        "index": 1, "field": "arrival.mothership1", "location": "shipgroup #1 \"Brine Owl\" arrival.mothership1",
        "text": "the group is its own mothership", "fix": "Set the method to hyperspace"})"));
    EXPECT_EQ(j[1]["code"], "Q114");
    EXPECT_EQ(j[1]["location"], "shipgroup #2 \"Brine \xC3\x96wl\" specialCargoIndex")
        << "Latin-1 as UTF-8";
    EXPECT_TRUE(j[1]["fix"].is_null());

    const auto rules = tool("lint --rules", m_temp.path());
    EXPECT_EQ(rules.exitCode, 0);
    EXPECT_EQ(rules.out.substr(0, rules.out.find('\n')),
              "Q101 error An order target of type Flightgroup names a shipgroup the mission does "
              "not have.");
    EXPECT_EQ(std::count(rules.out.begin(), rules.out.end(), '\n'), 32);
    EXPECT_NE(rules.out.find("\nQ156 warning The briefing's event area is more than 95 % full.\n"),
              std::string::npos);
}

}  // namespace
