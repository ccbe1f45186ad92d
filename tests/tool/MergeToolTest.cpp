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

const std::string kTool =
    std::string(QUENDAR_TOOL) + " --craft-list " + QUENDAR_DATA_DIR + "/SHIPLIST.TXT";
const std::string kSample = std::string(QUENDAR_DATA_DIR) + "/samples/lantern-run.tie";

class MergeTool : public ::testing::Test {
  protected:
    quendar::testing::TempDir temp{"quendar-merge-tool"};
    const fs::path& d = temp.path();

    // Standard output and exit code of a command run in the folder.
    ToolRun shell(const std::string& cmd) {
        return quendar::testing::runShell("cd '" + d.string() + "' && " + cmd);
    }
    std::string contents(const std::string& name) {
        const auto b = quendar::mission::readWholeFile((d / name).string());
        return b ? std::string(b->begin(), b->end()) : std::string("(none)");
    }
    // The sample with an edit of its text form, saved as `name`.
    void edited(const std::string& name, const std::function<void(json&)>& edit) {
        ASSERT_EQ(shell(kTool + " export " + kSample + " edit.json").exitCode, 0);
        json doc = json::parse(contents("edit.json"));
        edit(doc);
        std::ofstream(d / "edit.json") << doc.dump();
        ASSERT_EQ(shell(kTool + " import edit.json " + name).exitCode, 0);
    }
    static std::function<void(json&)> renamed(int group, std::string name) {
        return [=](json& doc) { doc["shipgroups"][group]["name"] = name; };
    }
    std::string diff(const std::string& name) {
        return shell(kTool + " diff " + kSample + " " + name).out;
    }
};

// Exit 0 clean, 1 with conflicts (listed, ours kept), 2 refused with nothing
// written: OUT, or OURS when no OUT is named.
TEST_F(MergeTool, ExitCodesOutputAndWhatIsWritten) {
    edited("ours.tie", renamed(1, "Amber Lance"));
    edited("theirs.tie", renamed(2, "Hauler Nine"));
    edited("clash.tie", renamed(1, "Amber Spire"));
    // Two sides that each add 100 shipgroups to a mission of 10: 210 do not fit.
    for (const std::string side : {"Ours", "Theirs"})
        edited("many" + side + ".tie", [&](json& doc) {
            for (int i = 0; i < 100; ++i)
                doc["shipgroups"].push_back({{"name", side + " " + std::to_string(i)}});
            doc["shipgroupCount"] = 110;
        });
    std::ofstream(d / "bad.json")
        << R"({"format": "quendar-mission", "version": 1, "shipgroups": 3})";
    shell("cp " + kSample + " b.tie && cp ours.tie kept.tie && cp manyOurs.tie kept2.tie");
    struct Row {
        std::string args;
        int exitCode;
        std::string out;
        std::string written, sameAs;  // `written` holds what `sameAs` holds, or is not there
    };
    const Row rows[] = {
        {"b.tie kept.tie theirs.tie", 0, "", "", ""},
        {"b.tie ours.tie clash.tie -o out.tie", 1,
         R"(shipgroups[1] "Amber Lance" .name: base "Amber Wing", ours "Amber Lance", )"
         R"(theirs "Amber Spire")"
         "\n",
         "out.tie", "ours.tie"},
        {"b.tie ours.tie clash.tie -o j.tie --json", 1,
         R"([{"path": "shipgroups[1] \"Amber Lance\" .name", "base": "\"Amber Wing\"",
             "ours": "\"Amber Lance\"", "theirs": "\"Amber Spire\""}])",
         "j.tie", "ours.tie"},
        {"missing.tie ours.tie ours.tie -o r.tie", 2, "", "r.tie", ""},
        {"b.tie ours.tie missing.tie -o r.tie", 2, "", "r.tie", ""},
        {"b.tie ours.tie bad.json -o r.tie", 2, "", "r.tie", ""},
        {"b.tie ours.tie ours.tie -o nowhere/r.tie", 2, "", "nowhere/r.tie", ""},
        {"b.tie manyOurs.tie manyTheirs.tie -o r.tie", 2, "", "r.tie", ""},
        {"b.tie kept2.tie manyTheirs.tie", 2, "", "kept2.tie", "manyOurs.tie"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.args);
        const ToolRun run = shell(kTool + " merge " + r.args + " 2>/dev/null");
        EXPECT_EQ(run.exitCode, r.exitCode);
        const bool asJson = r.args.ends_with("--json");
        EXPECT_EQ(asJson ? json::parse(run.out, nullptr, false).dump() : run.out,
                  asJson ? json::parse(r.out).dump() : r.out);
        if (!r.written.empty()) {
            EXPECT_EQ(contents(r.written), r.sameAs.empty() ? "(none)" : contents(r.sameAs));
        }
    }
    EXPECT_EQ(diff("kept.tie"),
              "shipgroups[1] \"Amber Lance\" .name: \"Amber Wing\" \u2192 \"Amber Lance\"\n"
              "shipgroups[2] \"Hauler Nine\" .name: \"Hauler Sixx\" \u2192 \"Hauler Nine\"\n");
}

// git merges two branches that changed the same mission through the driver.
TEST_F(MergeTool, GitMergesMissionsThroughTheDriver) {
    if (shell("git --version >/dev/null 2>&1").exitCode != 0) GTEST_SKIP() << "no git";
    const std::string git = "git -c user.name=Designer -c user.email=designer@quendar.invalid ";
    std::ofstream(d / ".gitattributes") << "*.tie merge=quendar\n";
    ASSERT_EQ(shell("git init -q -b main . && git config merge.quendar.driver '" + kTool +
                    " merge %O %A %B -o %A' && cp " + kSample + " run.tie && " + git + "add . && " +
                    git + "commit -qm sample")
                  .exitCode,
              0);
    for (const auto& [name, group, to] : {std::tuple{"escorts", 1, "Amber Lance"},
                                          {"guards", 3, "Korvane Wall"},
                                          {"clash", 1, "Amber Spire"}}) {
        ASSERT_EQ(shell("git checkout -q -b " + std::string(name) + " main").exitCode, 0);
        edited("run.tie", renamed(group, to));
        ASSERT_EQ(shell(git + "commit -qam " + name).exitCode, 0);
    }
    const ToolRun clean =
        shell(git + "checkout -q guards && " + git + "merge -q --no-edit escorts");
    EXPECT_EQ(clean.exitCode, 0) << clean.out;
    EXPECT_EQ(diff("run.tie"),
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
