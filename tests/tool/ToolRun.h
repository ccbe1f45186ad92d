#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "mission/FileIO.h"

namespace quendar::testing {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a shell command line, capturing its standard output and exit code.
inline ToolRun runShell(const std::string& cmd) {
    ToolRun r;
    std::FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int status = ::pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// Runs quendar-tool with the given arguments and the bundled craft list,
// capturing both streams (standard error through a file in `dir`; without a
// folder it is dropped).
inline ToolRun tool(const std::string& args, const std::filesystem::path& dir = {}) {
    const std::string errFile = dir.empty() ? "/dev/null" : (dir / "stderr.txt").string();
    ToolRun r = runShell(std::string(QUENDAR_TOOL) + " --craft-list " + QUENDAR_DATA_DIR +
                         "/SHIPLIST.TXT " + args + " 2>" + errFile);
    if (dir.empty()) return r;
    if (auto e = mission::readWholeFile(errFile)) r.err.assign(e->begin(), e->end());
    return r;
}

}  // namespace quendar::testing
