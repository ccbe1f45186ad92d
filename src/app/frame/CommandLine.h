#pragma once

#include <string>
#include <vector>

namespace quendar::app {

// The editor's command line: `quendar [--help] [--version] [MISSION]`.
struct EditorCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string missionPath;  // empty: start with a new mission
    std::string error;        // for Action::Error, what was wrong
};

// Reads the arguments after the program name. Options the toolkit takes for
// itself are gone by the time the editor reads them; any other word that
// starts with '-' is an error, as is a second mission. "--" ends the
// options, so a mission named "-x.tie" can still be given.
EditorCommandLine parseEditorCommandLine(const std::vector<std::string>& args);

// Only asks whether --help or --version is among the arguments: these are
// answered before the toolkit starts, so they work without a display.
EditorCommandLine::Action earlyAction(const std::vector<std::string>& args);

// The texts the options print. The data folder is the one the bundled craft
// list and icons come from ("" when none was found).
std::string editorUsage(const std::string& dataFolder);
std::string versionLine(const std::string& program);

}  // namespace quendar::app
