#pragma once

#include <string>

#include "app/editor/Editor.h"
#include "core/Prompter.h"

namespace CLI {
class App;
}

namespace quendar::tool {

struct LintOptions {
    std::string in;
    bool json = false;
    bool rules = false;
};

// `lint IN [--json]` and `lint --rules`.
CLI::App* addLintCommand(CLI::App& cli, LintOptions& options);

// One line per problem, "CODE severity location: text", or a JSON list.
// Exit code 0 without errors (warnings allowed), 1 with errors, 2 when IN
// cannot be read.
int runLint(app::Editor& editor, core::Prompter& prompter, const LintOptions& options);

}  // namespace quendar::tool
