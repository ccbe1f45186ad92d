#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "app/editor/Editor.h"
#include "core/Prompter.h"

namespace quendar::tool {

// `export`, `import`, `diff` and `merge`: the mission as named fields.
struct TextCommands {
    CLI::App* exportCmd = nullptr;
    CLI::App* importCmd = nullptr;
    CLI::App* diffCmd = nullptr;
    CLI::App* mergeCmd = nullptr;
    std::string in, out, other, third;
    bool json = false;
    bool chosen() const { return *exportCmd || *importCmd || *diffCmd || *mergeCmd; }
};
void addTextCommands(CLI::App& cli, TextCommands& t);

// Runs the chosen text command; -1 when none of them was chosen. Exit codes:
// export and import 0 or 2 (error, nothing written); diff 0 same, 1 different,
// 2 error; merge 0 clean, 1 conflicts, 2 error (nothing written).
int runTextCommands(const TextCommands& t, const std::string& craftList, core::Prompter& prompter);

// Whether this build holds the text commands; quendar-tool itself hands them
// over to quendar-tool-text.
bool textAvailable();

}  // namespace quendar::tool
