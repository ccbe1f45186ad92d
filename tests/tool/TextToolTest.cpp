#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "mission/FileIO.h"
#include "support/TempDir.h"
#include "tool/ToolRun.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using ShellRun = quendar::testing::ToolRun;

// Runs a shell command in `dir`, standard error folded into the output.
ShellRun shell(const std::string& cmd, const fs::path& dir) {
    return quendar::testing::runShell("cd '" + dir.string() + "' && " + cmd + " 2>&1");
}

const std::string kTool =
    std::string(QUENDAR_TOOL) + " --craft-list " + QUENDAR_DATA_DIR + "/SHIPLIST.TXT";
const std::string kSample = std::string(QUENDAR_DATA_DIR) + "/samples/lantern-run.tie";

void writeText(const fs::path& p, const std::string& s) { std::ofstream(p, std::ios::binary) << s; }

TEST(TextTool, ExportImportAndDiffExitCodes) {
    quendar::testing::TempDir temp("quendar-text-tool");
    const fs::path& d = temp.path();
    ASSERT_EQ(shell(kTool + " export " + kSample + " a.json", d).exitCode, 0);
    const ShellRun toStdout = shell(kTool + " export " + kSample, d);
    EXPECT_EQ(toStdout.exitCode, 0);
    const auto file = *quendar::mission::readWholeFile((d / "a.json").string());
    EXPECT_EQ(toStdout.out, std::string(file.begin(), file.end()));

    ASSERT_EQ(shell(kTool + " import a.json b.tie", d).exitCode, 0);
    ASSERT_EQ(shell(kTool + " resave " + kSample + " r.tie", d).exitCode, 0);
    EXPECT_EQ(shell("cmp b.tie r.tie", d).exitCode, 0)
        << "import(export(x)) differs from resave(x)";

    const ShellRun same = shell(kTool + " diff " + kSample + " a.json", d);
    EXPECT_EQ(same.exitCode, 0) << same.out;
    EXPECT_EQ(same.out, "");

    json doc = json::parse(toStdout.out);
    doc["shipgroups"][2]["name"] = "Hauler Nine";
    writeText(d / "c.json", doc.dump(1));
    const ShellRun differ = shell(kTool + " diff b.tie c.json", d);
    EXPECT_EQ(differ.exitCode, 1);
    EXPECT_EQ(differ.out,
              "shipgroups[2] \"Hauler Nine\" .name: \"Hauler Sixx\" \u2192 \"Hauler Nine\"\n");
    const ShellRun asJson = shell(kTool + " diff --json b.tie c.json", d);
    EXPECT_EQ(asJson.exitCode, 1);
    EXPECT_EQ(
        json::parse(asJson.out),
        json::parse(
            R"([{"path": "shipgroups[2].name", "shipgroup": "Hauler Nine", "before": "Hauler Sixx",
                               "after": "Hauler Nine"}])"));
    json fewer = doc;
    fewer["shipgroups"][0]["craftCount"] = 5;
    const size_t last = fewer["shipgroups"].size() - 1;
    const std::string lastName = fewer["shipgroups"][last]["name"];
    fewer["shipgroups"].erase(last);
    fewer["shipgroupCount"] = last;
    writeText(d / "e.json", fewer.dump(1));
    const json changes = json::parse(shell(kTool + " diff --json b.tie e.json", d).out);
    EXPECT_EQ(changes[0]["path"], "shipgroups[0].craftCount");
    EXPECT_TRUE(changes[0]["before"].is_number());
    EXPECT_EQ(changes[0]["after"], 5);
    EXPECT_EQ(changes[0]["afterName"], "Five");
    EXPECT_EQ(changes.back(), json({{"path", "shipgroups[" + std::to_string(last) + "]"},
                                    {"shipgroup", lastName},
                                    {"removed", true}}));

    // A mission is the same as its export and its resave.
    EXPECT_EQ(shell(kTool + " diff " + kSample + " r.tie", d).exitCode, 0);

    // Refusals: exit 2 with the path and line, and nothing written.
    doc["shipgroups"][2]["craftCount"] = 300;
    writeText(d / "bad.json", doc.dump(1));
    writeText(d / "notjson.json", "{\"format\": ");
    writeText(d / "empty.json", "");
    writeText(d / "list.json", "[]");
    writeText(d / "text.json", "\"quendar-mission\"");
    writeText(d / "out.tie", "KEEP");
    for (const char* in :
         {"bad.json", "notjson.json", "missing.json", "empty.json", "list.json", "text.json"}) {
        SCOPED_TRACE(in);
        const ShellRun r = shell(kTool + " import " + in + " out.tie", d);
        EXPECT_EQ(r.exitCode, 2);
        const auto kept = quendar::mission::readWholeFile((d / "out.tie").string());
        EXPECT_EQ(std::string(kept->begin(), kept->end()), "KEEP");
    }
    for (const char* in : {"empty.json", "list.json"}) {
        EXPECT_EQ(shell(kTool + " export " + in, d).exitCode, 2) << in;
        EXPECT_EQ(shell(kTool + " diff " + in + " b.tie", d).exitCode, 2) << in;
    }
    EXPECT_NE(
        shell(kTool + " import bad.json out.tie", d).out.find("shipgroups[2].craftCount (line "),
        std::string::npos);
    EXPECT_EQ(shell(kTool + " diff b.tie missing.tie", d).exitCode, 2);
    EXPECT_EQ(shell(kTool + " diff bad.json b.tie", d).exitCode, 2);
}

// Missions under version control: git shows a committed mission as its text.
TEST(TextTool, GitDiffShowsTheRenamedShipgroup) {
    quendar::testing::TempDir temp("quendar-text-git");
    const fs::path& d = temp.path();
    const std::string git = "git -c user.name=Designer -c user.email=designer@quendar.invalid ";
    ASSERT_EQ(shell("git init -q . && git config diff.quendar.textconv '" + kTool + " export'", d)
                  .exitCode,
              0);
    writeText(d / ".gitattributes", "*.tie diff=quendar\n");
    ASSERT_EQ(
        shell("cp " + kSample + " run.tie && " + git + "add . && " + git + "commit -qm sample", d)
            .exitCode,
        0);

    ASSERT_EQ(shell(kTool + " export run.tie run.json", d).exitCode, 0);
    std::ifstream in(d / "run.json");
    json doc = json::parse(in);
    doc["shipgroups"][1]["name"] = "Cinder Wing";
    writeText(d / "run.json", doc.dump(2));
    ASSERT_EQ(shell(kTool + " import run.json run.tie", d).exitCode, 0);

    const ShellRun diff = shell("git diff run.tie", d);
    EXPECT_EQ(diff.exitCode, 0);
    EXPECT_NE(diff.out.find("-      \"name\": \"Amber Wing\","), std::string::npos) << diff.out;
    EXPECT_NE(diff.out.find("+      \"name\": \"Cinder Wing\","), std::string::npos) << diff.out;
    EXPECT_EQ(diff.out.find("Binary files"), std::string::npos);
}

}  // namespace
