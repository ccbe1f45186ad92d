#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>

#include "mission/FileIO.h"
#include "support/TempDir.h"
#include "tool/ToolRun.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using quendar::testing::ToolRun;

ToolRun shell(const std::string& cmd, const fs::path& dir) {
    return quendar::testing::runShell("cd '" + dir.string() + "' && " + cmd + " 2>&1");
}

const std::string kTool =
    std::string(QUENDAR_TOOL) + " --craft-list " + QUENDAR_DATA_DIR + "/SHIPLIST.TXT";
const std::string kSample = std::string(QUENDAR_DATA_DIR) + "/samples/lantern-run.tie";

std::string contents(const fs::path& p) {
    const auto b = quendar::mission::readWholeFile(p.string());
    return b ? std::string(b->begin(), b->end()) : std::string();
}

// The sample with an edit of its text form, saved as `name`.
void editedSample(const fs::path& d, const std::string& name,
                  const std::function<void(json&)>& edit) {
    ASSERT_EQ(shell(kTool + " export " + kSample + " edit.json", d).exitCode, 0);
    json doc = json::parse(contents(d / "edit.json"));
    edit(doc);
    std::ofstream(d / "edit.json") << doc.dump();
    ASSERT_EQ(shell(kTool + " import edit.json " + name, d).exitCode, 0);
}
std::function<void(json&)> renamed(int group, std::string name) {
    return [=](json& doc) { doc["shipgroups"][group]["name"] = name; };
}

TEST(MergeTool, ExitCodesOutputAndConflictList) {
    quendar::testing::TempDir temp("quendar-merge-tool");
    const fs::path& d = temp.path();
    editedSample(d, "ours.tie", renamed(1, "Amber Lance"));
    editedSample(d, "theirs.tie", renamed(2, "Hauler Nine"));
    editedSample(d, "clash.tie", renamed(1, "Amber Spire"));

    // Clean: OURS itself is the default output.
    ASSERT_EQ(shell("cp ours.tie kept.tie", d).exitCode, 0);
    const ToolRun clean = shell(kTool + " merge " + kSample + " kept.tie theirs.tie", d);
    EXPECT_EQ(clean.exitCode, 0) << clean.out;
    EXPECT_EQ(clean.out, "");
    const ToolRun both = shell(kTool + " diff " + kSample + " kept.tie", d);
    EXPECT_EQ(both.out,
              "shipgroups[1] \"Amber Lance\" .name: \"Amber Wing\" \u2192 \"Amber Lance\"\n"
              "shipgroups[2] \"Hauler Nine\" .name: \"Hauler Sixx\" \u2192 \"Hauler Nine\"\n");

    const ToolRun conflict =
        shell(kTool + " merge " + kSample + " ours.tie clash.tie -o out.tie", d);
    EXPECT_EQ(conflict.exitCode, 1);
    EXPECT_EQ(conflict.out,
              "shipgroups[1] \"Amber Lance\" .name: base \"Amber Wing\", ours \"Amber Lance\", "
              "theirs \"Amber Spire\"\n");
    EXPECT_EQ(contents(d / "out.tie"), contents(d / "ours.tie"));
    const ToolRun asJson =
        shell(kTool + " merge " + kSample + " ours.tie clash.tie -o out2.tie --json", d);
    EXPECT_EQ(asJson.exitCode, 1);
    EXPECT_EQ(
        json::parse(asJson.out),
        json::parse(R"([{"path": "shipgroups[1] \"Amber Lance\" .name", "base": "\"Amber Wing\"",
                              "ours": "\"Amber Lance\"", "theirs": "\"Amber Spire\""}])"));
}

TEST(MergeTool, RefusalsExitTwoAndWriteNothing) {
    quendar::testing::TempDir temp("quendar-merge-refusals");
    const fs::path& d = temp.path();
    editedSample(d, "ours.tie", renamed(1, "Amber Lance"));
    // Two sides that each add 100 shipgroups to a mission of 10: 210 do not fit.
    const auto many = [](const std::string& prefix) {
        return [=](json& doc) {
            for (int i = 0; i < 100; ++i)
                doc["shipgroups"].push_back({{"name", prefix + std::to_string(i)}});
            doc["shipgroupCount"] = 110;
        };
    };
    editedSample(d, "many1.tie", many("Ours "));
    editedSample(d, "many2.tie", many("Theirs "));
    std::ofstream(d / "bad.json")
        << R"({"format": "quendar-mission", "version": 1, "shipgroups": 3})";
    const std::string base = " " + kSample + " ";
    const struct {
        const char* name;
        std::string args;
    } rows[] = {
        {"no base", "merge missing.tie ours.tie ours.tie -o out.tie"},
        {"no theirs", "merge" + base + "ours.tie missing.tie -o out.tie"},
        {"a bad document", "merge" + base + "ours.tie bad.json -o out.tie"},
        {"OUT in a missing folder", "merge" + base + "ours.tie ours.tie -o nowhere/out.tie"},
        {"too many shipgroups", "merge" + base + "many1.tie many2.tie -o out.tie"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const ToolRun run = shell(kTool + " " + r.args + " 2>/dev/null", d);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_FALSE(fs::exists(d / "out.tie"));
    }
    // Without -o a refusal leaves OURS as it was.
    const std::string before = contents(d / "many1.tie");
    EXPECT_EQ(shell(kTool + " merge" + base + "many1.tie many2.tie", d).exitCode, 2);
    EXPECT_EQ(contents(d / "many1.tie"), before);
}

// git merges two branches that changed the same mission through the driver.
TEST(MergeTool, GitMergesMissionsThroughTheDriver) {
    if (quendar::testing::runShell("git --version >/dev/null 2>&1").exitCode != 0)
        GTEST_SKIP() << "no git";
    quendar::testing::TempDir temp("quendar-merge-git");
    const fs::path& d = temp.path();
    const std::string git = "git -c user.name=Designer -c user.email=designer@quendar.invalid ";
    std::ofstream(d / ".gitattributes") << "*.tie merge=quendar\n";
    ASSERT_EQ(shell("git init -q -b main . && git config merge.quendar.driver '" + kTool +
                        " merge %O %A %B -o %A' && cp " + kSample + " run.tie && " + git +
                        "add . && " + git + "commit -qm sample",
                    d)
                  .exitCode,
              0);
    const auto branch = [&](const std::string& name, int group, const std::string& to) {
        ASSERT_EQ(shell("git checkout -q -b " + name + " main", d).exitCode, 0);
        editedSample(d, "run.tie", renamed(group, to));
        ASSERT_EQ(shell(git + "commit -qam " + name, d).exitCode, 0);
    };
    branch("escorts", 1, "Amber Lance");
    branch("guards", 3, "Korvane Wall");
    branch("clash", 1, "Amber Spire");

    const ToolRun clean =
        shell(git + "checkout -q guards && " + git + "merge -q --no-edit escorts", d);
    EXPECT_EQ(clean.exitCode, 0) << clean.out;
    const ToolRun merged = shell(kTool + " diff " + kSample + " run.tie", d);
    EXPECT_EQ(merged.out,
              "shipgroups[1] \"Amber Lance\" .name: \"Amber Wing\" \u2192 \"Amber Lance\"\n"
              "shipgroups[3] \"Korvane Wall\" .name: \"Korvane Guard\" \u2192 \"Korvane Wall\"\n");

    const ToolRun conflict =
        shell(git + "checkout -q clash && " + git + "merge --no-edit escorts", d);
    EXPECT_NE(conflict.exitCode, 0);
    EXPECT_NE(conflict.out.find(
                  "shipgroups[1] \"Amber Spire\" .name: base \"Amber Wing\", ours \"Amber Spire\", "
                  "theirs \"Amber Lance\""),
              std::string::npos)
        << conflict.out;
    EXPECT_NE(conflict.out.find("CONFLICT"), std::string::npos) << conflict.out;
}

}  // namespace
