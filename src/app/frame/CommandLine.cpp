#include "app/frame/CommandLine.h"

#ifndef QUENDAR_VERSION
#define QUENDAR_VERSION "0"
#endif

namespace quendar::app {

namespace {
bool isHelp(const std::string& a) { return a == "--help" || a == "-h"; }
bool isVersion(const std::string& a) { return a == "--version" || a == "-v"; }
}  // namespace

EditorCommandLine::Action earlyAction(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a == "--") break;
        if (isHelp(a)) return EditorCommandLine::Action::Help;
        if (isVersion(a)) return EditorCommandLine::Action::Version;
    }
    return EditorCommandLine::Action::Run;
}

EditorCommandLine parseEditorCommandLine(const std::vector<std::string>& args) {
    EditorCommandLine out;
    bool options = true;
    for (const std::string& a : args) {
        if (options && a == "--") {
            options = false;
        } else if (options && isHelp(a)) {
            out.action = EditorCommandLine::Action::Help;
            return out;
        } else if (options && isVersion(a)) {
            out.action = EditorCommandLine::Action::Version;
            return out;
        } else if (options && a.size() > 1 && a[0] == '-') {
            out.action = EditorCommandLine::Action::Error;
            out.error = "unknown option " + a;
            return out;
        } else if (!out.missionPath.empty()) {
            out.action = EditorCommandLine::Action::Error;
            out.error = "only one mission can be opened at start";
            return out;
        } else if (!a.empty()) {
            out.missionPath = a;
        }
    }
    return out;
}

std::string editorUsage(const std::string& dataFolder) {
    std::string s =
        "Usage: quendar [OPTION]... [MISSION]\n"
        "Edit Vexion mission files (.tie). MISSION, when given, is opened at start.\n"
        "\n"
        "  -h, --help     show this help and exit\n"
        "  -v, --version  show the version and exit\n"
        "\n"
        "SHIPLIST.TXT, iconslist.dat and qd.dat are read from the working folder;\n"
        "when it lacks the craft list or the icons, the bundled ones are used.\n"
        "Bundled data: ";
    s += dataFolder.empty() ? "(not found)" : dataFolder;
    s += "\n";
    return s;
}

std::string versionLine(const std::string& program) {
    return program + " " + QUENDAR_VERSION + "\n";
}

}  // namespace quendar::app
