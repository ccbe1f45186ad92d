#include <gtest/gtest.h>

#include <set>

#include "app/files/DataFolder.h"
#include "app/frame/CommandLine.h"

using namespace quendar::app;
using Action = EditorCommandLine::Action;

TEST(DataFolder, InstalledPrefixThenTheBuildFolderCopy) {
    std::set<std::string> files;
    auto isFile = [&files](const std::string& p) { return files.count(p) > 0; };

    // Installed: bin/ next to share/.
    files = {"/opt/q/share/quendar/SHIPLIST.TXT"};
    EXPECT_EQ(findDataFolder("/opt/q/bin", isFile), "/opt/q/share/quendar");
    // A build folder: the editor at its top, the tool in tools/.
    files = {"/b/share/quendar/SHIPLIST.TXT"};
    EXPECT_EQ(findDataFolder("/b", isFile), "/b/share/quendar");
    EXPECT_EQ(findDataFolder("/b/tools", isFile), "/b/share/quendar");
    // Both exist: the installed layout comes first.
    files = {"/b/share/quendar/SHIPLIST.TXT", "/share/quendar/SHIPLIST.TXT"};
    EXPECT_EQ(findDataFolder("/b", isFile), "/share/quendar");
    // A folder without the craft list does not count.
    files = {"/opt/q/share/quendar/iconslist.dat"};
    EXPECT_EQ(findDataFolder("/opt/q/bin", isFile), "");
    EXPECT_EQ(findDataFolder("", isFile), "") << "no executable folder, no guess";
}

TEST(EditorCommandLine, OptionsAndTheMission) {
    EXPECT_EQ(parseEditorCommandLine({}).action, Action::Run);
    EXPECT_EQ(parseEditorCommandLine({"a.tie"}).missionPath, "a.tie");
    EXPECT_EQ(parseEditorCommandLine({"a.tie", "--help"}).action, Action::Help);
    EXPECT_EQ(parseEditorCommandLine({"-v"}).action, Action::Version);

    const auto unknown = parseEditorCommandLine({"--frobnicate"});
    EXPECT_EQ(unknown.action, Action::Error);
    EXPECT_NE(unknown.error.find("--frobnicate"), std::string::npos);
    EXPECT_EQ(parseEditorCommandLine({"a.tie", "b.tie"}).action, Action::Error)
        << "one mission at a time";

    // After "--" a name that starts with '-' is a mission, and --help too.
    const auto dashed = parseEditorCommandLine({"--", "-odd.tie"});
    EXPECT_EQ(dashed.action, Action::Run);
    EXPECT_EQ(dashed.missionPath, "-odd.tie");
    EXPECT_EQ(earlyAction({"--", "--help"}), Action::Run);
    EXPECT_EQ(earlyAction({"x.tie", "--version"}), Action::Version);
    EXPECT_EQ(earlyAction({"-platform", "offscreen"}), Action::Run)
        << "the toolkit's own options are left to it";

    EXPECT_NE(editorUsage("/usr/share/quendar").find("/usr/share/quendar"), std::string::npos);
    EXPECT_NE(editorUsage("").find("(not found)"), std::string::npos);
}
