#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <tuple>

#include "mission/FileIO.h"
#include "support/TempDir.h"
#include "tool/ToolRun.h"

namespace {

using nlohmann::json;
using quendar::testing::ToolRun;

const std::string kTool =
    std::string(QUENDAR_TOOL) + " --craft-list " + QUENDAR_DATA_DIR + "/SHIPLIST.TXT";
const std::string kSample = std::string(QUENDAR_DATA_DIR) + "/samples/lantern-run.tie";

class MergeTool : public ::testing::Test {
  protected:
    quendar::testing::TempDir temp{"quendar-merge-tool"};

    // Standard output and exit code of a command run in the folder.
    ToolRun shell(const std::string& cmd) {
        return quendar::testing::runShell("cd '" + temp.path().string() + "' && " + cmd);
    }
    std::string contents(const std::string& name) {
        const auto b = quendar::mission::readWholeFile((temp.path() / name).string());
        return b ? std::string(b->begin(), b->end()) : "(none)";
    }
    // The sample with an edit of its text form, saved as `name`.
    void edited(const std::string& name, const std::function<void(json&)>& edit) {
        json doc = json::parse(shell(kTool + " export " + kSample).out);
        edit(doc);
        std::ofstream(temp.path() / "edit.json") << doc.dump();
        ASSERT_EQ(shell(kTool + " import edit.json " + name).exitCode, 0);
    }
    void renamed(const std::string& name, int group, const std::string& to) {
        edited(name, [&](json& doc) { doc["shipgroups"][group]["name"] = to; });
    }
};

// Exit 0 clean, 1 with conflicts (listed, ours kept), 2 refused with nothing
// written: OUT, or OURS when no OUT is named.
TEST_F(MergeTool, ExitCodesOutputAndWhatIsWritten) {
    renamed("ours.tie", 1, "Amber Lance");
    renamed("theirs.tie", 2, "Hauler Nine");
    renamed("clash.tie", 1, "Amber Spire");
    // Two sides that each add 100 shipgroups to a mission of 10: 210 do not fit.
    for (const std::string side : {"Ours", "Theirs"})
        edited("many" + side + ".tie", [&](json& doc) {
            for (int i = 0; i < 100; ++i)
                doc["shipgroups"].push_back({{"name", side + " " + std::to_string(i)}});
            doc["shipgroupCount"] = 110;
        });
    std::ofstream(temp.path() / "bad.json")
        << R"({"format": "quendar-mission", "version": 1, "shipgroups": 3})";
    shell("cp " + kSample + " b.tie && cp ours.tie kept.tie && cp manyOurs.tie kept2.tie");
    // Arguments, exit code, output, and a file that holds what the next one holds (none: not
    // there).
    // clang-format off
    const std::tuple<std::string, int, std::string, std::string, std::string> rows[] = {
        {"b.tie kept.tie theirs.tie", 0, "", "", ""},
        {"b.tie ours.tie clash.tie -o out.tie", 1,
         R"(shipgroups[1] "Amber Lance" .name: base "Amber Wing", ours "Amber Lance", theirs "Amber Spire")" "\n", "out.tie", "ours.tie"},
        {"b.tie ours.tie clash.tie -o j.tie --json", 1, R"([{"path": "shipgroups[1] \"Amber Lance\" .name",
          "base": "\"Amber Wing\"", "ours": "\"Amber Lance\"", "theirs": "\"Amber Spire\""}])", "j.tie", "ours.tie"},
        {"missing.tie ours.tie ours.tie -o r.tie", 2, "", "r.tie", ""},
        {"b.tie ours.tie missing.tie -o r.tie", 2, "", "r.tie", ""},
        {"b.tie ours.tie bad.json -o r.tie", 2, "", "r.tie", ""},
        {"b.tie ours.tie ours.tie -o nowhere/r.tie", 2, "", "nowhere/r.tie", ""},
        {"b.tie manyOurs.tie manyTheirs.tie -o r.tie", 2, "", "r.tie", ""},
        {"b.tie kept2.tie manyTheirs.tie", 2, "", "kept2.tie", "manyOurs.tie"},
    };
    // clang-format on
    for (const auto& [args, exitCode, out, written, sameAs] : rows) {
        SCOPED_TRACE(args);
        const ToolRun run = shell(kTool + " merge " + args + " 2>/dev/null");
        EXPECT_EQ(run.exitCode, exitCode);
        const bool asJson = args.ends_with("--json");
        EXPECT_EQ(asJson ? json::parse(run.out, nullptr, false).dump() : run.out,
                  asJson ? json::parse(out).dump() : out);
        if (written.empty()) continue;
        EXPECT_EQ(contents(written), sameAs.empty() ? "(none)" : contents(sameAs));
    }
    EXPECT_EQ(shell(kTool + " diff " + kSample + " kept.tie").out,
              "shipgroups[1] \"Amber Lance\" .name: \"Amber Wing\" \u2192 \"Amber Lance\"\n"
              "shipgroups[2] \"Hauler Nine\" .name: \"Hauler Sixx\" \u2192 \"Hauler Nine\"\n");
}

// git merges two branches that changed the same mission through the driver.
TEST_F(MergeTool, GitMergesMissionsThroughTheDriver) {
    if (shell("git --version >/dev/null 2>&1").exitCode != 0) GTEST_SKIP() << "no git";
    const std::string git = "git -c user.name=Designer -c user.email=designer@quendar.invalid ";
    std::ofstream(temp.path() / ".gitattributes") << "*.tie merge=quendar\n";
    ASSERT_EQ(shell("git init -q -b main . && git config merge.quendar.driver '" + kTool +
                    " merge %O %A %B -o %A' && cp " + kSample + " run.tie && " + git + "add . && " +
                    git + "commit -qm sample")
                  .exitCode,
              0);
    for (const auto& [name, group, to] : {std::tuple{"escorts", 1, "Amber Lance"},
                                          {"guards", 3, "Korvane Wall"},
                                          {"clash", 1, "Amber Spire"}}) {
        ASSERT_EQ(shell("git checkout -q -b " + std::string(name) + " main").exitCode, 0);
        renamed("run.tie", group, to);
        ASSERT_EQ(shell(git + "commit -qam " + name).exitCode, 0);
    }
    const ToolRun clean =
        shell(git + "checkout -q guards && " + git + "merge -q --no-edit escorts");
    EXPECT_EQ(clean.exitCode, 0) << clean.out;
    EXPECT_EQ(shell(kTool + " diff " + kSample + " run.tie").out,
              "shipgroups[1] \"Amber Lance\" .name: \"Amber Wing\" \u2192 \"Amber Lance\"\n"
              "shipgroups[3] \"Korvane Wall\" .name: \"Korvane Guard\" \u2192 \"Korvane Wall\"\n");
    const ToolRun conflict =
        shell(git + "checkout -q clash && " + git + "merge --no-edit escorts 2>&1");
    EXPECT_NE(conflict.exitCode, 0);
    EXPECT_NE(conflict.out.find(R"(shipgroups[1] "Amber Spire" .name: base "Amber Wing", )"
                                R"(ours "Amber Spire", theirs "Amber Lance")"),
              std::string::npos)
        << conflict.out;
    EXPECT_NE(conflict.out.find("CONFLICT"), std::string::npos) << conflict.out;
}

}  // namespace
