#pragma once

#include <string>

#include "app/editor/Editor.h"
#include "core/Prompter.h"

namespace CLI {
class App;
}

namespace quendar::tool {

struct FlowOptions {
    std::string in;
    bool json = false;
    bool dot = false;
};

// `flow IN [--json | --dot]`.
CLI::App* addFlowCommand(CLI::App& cli, FlowOptions& options);

// The mission's logic: one line per node (number, name, earliest time or what
// it waits for, "never" with the reason), as JSON, or as Graphviz DOT. Exit 0,
// 1 when something never happens, 2 when IN cannot be read.
int runFlow(app::Editor& editor, core::Prompter& prompter, const FlowOptions& options);

}  // namespace quendar::tool
