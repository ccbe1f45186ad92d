// `quendar-tool flow`: the sample's timeline, a broken copy with a cycle, the
// JSON and the DOT text that Graphviz reads.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/files/FileCommands.h"
#include "app/files/MissionIO.h"
#include "core/Prompter.h"
#include "mission/FileIO.h"
#include "support/TempDir.h"
#include "tool/ToolRun.h"

namespace {

using namespace quendar;
using mission::Table;
using quendar::testing::runShell;
using quendar::testing::tool;

const std::string kSample = std::string(QUENDAR_DATA_DIR) + "/samples/lantern-run.tie";
const std::string kNote =
    "(read from the triggers as stored: TRUE holds, FALSE never, a condition on a shipgroup needs "
    "it to have "
    "arrived; the game's own evaluation is outside the editor)\n";

struct Yes : core::Prompter {
    core::Answer ask(std::string_view, std::string_view, core::Buttons, core::Icon) override {
        return core::Answer::Ok;
    }
};

TEST(FlowToolTest, SampleBrokenCopyJsonAndDot) {
    quendar::testing::TempDir temp{"quendar-flow"};
    const auto sample = tool("flow " + kSample, temp.path());
    EXPECT_EQ(sample.exitCode, 0) << "nothing never";
    EXPECT_EQ(sample.out.rfind("#0 \"Red Lantern\": at 0:00\n#1 \"Amber Wing\": at 0:00\n", 0), 0u);
    EXPECT_NE(
        sample.out.find("message 3 \"The depot is clear. Jump when ready.\": at 0:00\n" + kNote),
        std::string::npos);

    // The copy: #3 arrives with #4, #4 once #3 is destroyed; #5 1:30 after #2 arrives;
    // message 2 when #3 arrives.
    app::Editor e;
    Yes yes;
    ASSERT_TRUE(app::openMissionPath(e, yes, kSample));
    const int bytes[][4] = {{3, 136, 1, 0}, {3, 137, 1, 0}, {3, 138, 4, 0}, {4, 136, 2, 0},
                            {4, 137, 1, 0}, {4, 138, 3, 0}, {5, 136, 1, 0}, {5, 137, 1, 0},
                            {5, 138, 2, 0}, {5, 170, 1, 0}, {5, 171, 30, 0}};
    for (const auto& b : bytes)
        e.store.setByte(Table::Shipgroups, b[0], b[1], static_cast<uint8_t>(b[2]));
    e.store.setByte(Table::Messages, 1, 92, 1), e.store.setByte(Table::Messages, 1, 93, 1);
    e.store.setByte(Table::Messages, 1, 94, 3);
    const std::string broken = (temp.path() / "cycle.tie").string();
    ASSERT_TRUE(mission::writeFileAtomic(broken, app::buildMissionImage(e)));

    const auto run = tool("flow " + broken, temp.path());
    EXPECT_EQ(run.exitCode, 1);
    for (const char* line : {"#3 \"Korvane Guard\": never: waits for #4 \"Blade Ring\" to arrive, "
                             "which never arrives (waits for #3 "
                             "\"Korvane Guard\" to be destroyed: a cycle)\n",
                             "#4 \"Blade Ring\": never: waits for #3 \"Korvane Guard\" to be "
                             "destroyed, which never arrives (waits "
                             "for #4 \"Blade Ring\" to arrive: a cycle)\n",
                             "#5 \"Iron Chorus\": at 1:30\n", "#6 \"Depot Vesh\": at 0:00\n",
                             "message 2 \"Korvane fighters inbound!\": never: waits for #3 "
                             "\"Korvane Guard\" to arrive, which never "
                             "arrives (waits for #4 \"Blade Ring\" to arrive, which never arrives "
                             "(waits for #3 \"Korvane Guard\" to "
                             "be destroyed: a cycle))\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;

    const auto json = nlohmann::json::parse(tool("flow --json " + broken).out);
    EXPECT_EQ(json["nodes"][3]["never"], true);
    EXPECT_EQ(json["nodes"][5]["time"], 90);
    EXPECT_TRUE(json["nodes"][4]["time"].is_null());
    EXPECT_EQ(json["edges"].size(), 4u);
    EXPECT_EQ(json["edges"][0],
              (nlohmann::json{
                  {"from", 3}, {"to", 4}, {"kind", "arrival"}, {"slot", 0}, {"label", "arrived"}}));

    for (const std::string& in : {kSample, broken}) {
        const auto dot = runShell(std::string(QUENDAR_TOOL) + " flow --dot " + in + " | dot -Tsvg");
        EXPECT_EQ(dot.exitCode, 0) << in;
        EXPECT_NE(dot.out.find("</svg>"), std::string::npos);
    }
    EXPECT_EQ(tool("flow " + (temp.path() / "missing.tie").string()).exitCode, 2);
}

}  // namespace
