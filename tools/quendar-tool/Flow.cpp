#include "Flow.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

#include "ToolParts.h"
#include "app/files/FileCommands.h"
#include "flow/Flow.h"

namespace quendar::tool {

namespace {

constexpr const char* kNote =
    "read from the triggers as stored: TRUE holds, FALSE never, a condition on a shipgroup needs "
    "it to "
    "have arrived; the game's own evaluation is outside the editor";

const char* kindName(flow::NodeKind k) {
    switch (k) {
        case flow::NodeKind::Shipgroup: return "shipgroup";
        case flow::NodeKind::Message: return "message";
        case flow::NodeKind::Goal: return "goal";
    }
    return "";
}

const char* edgeKindName(flow::EdgeKind k) {
    switch (k) {
        case flow::EdgeKind::Arrival: return "arrival";
        case flow::EdgeKind::Departure: return "departure";
        case flow::EdgeKind::Hangar: return "hangar";
        case flow::EdgeKind::DepartureHangar: return "departureHangar";
        case flow::EdgeKind::Message: return "message";
        case flow::EdgeKind::Goal: return "goal";
    }
    return "";
}

}  // namespace

CLI::App* addFlowCommand(CLI::App& cli, FlowOptions& o) {
    auto* flow = cli.add_subcommand(
        "flow",
        "what waits for what, what never happens and when groups arrive; exit 0, 1 when "
        "something never happens, 2 when IN cannot be read");
    flow->add_option("IN", o.in)->required();
    auto* json = flow->add_flag("--json", o.json, "print the graph as JSON");
    flow->add_flag("--dot", o.dot, "print the graph as Graphviz DOT")->excludes(json);
    return flow;
}

int runFlow(app::Editor& editor, core::Prompter& prompter, const FlowOptions& o) {
    if (!app::openMissionPath(editor, prompter, o.in)) {
        std::cerr << "quendar-tool: cannot read " << o.in << "\n";
        return 2;
    }
    const auto& s = editor.store;
    const flow::Analysis a = flow::analyse(s);
    const int nodes = static_cast<int>(a.nodes.size());
    if (o.dot) {
        std::cout << flow::dotText(a, s);
    } else if (o.json) {
        nlohmann::json list = nlohmann::json::array();
        for (int i = 0; i < nodes; ++i) {
            const flow::Node& n = a.nodes[i];
            list.push_back({{"kind", kindName(n.kind)},
                            {"index", n.index},
                            {"name", jsonText(flow::nodeName(a, s, i))},
                            {"time", n.time >= 0 ? nlohmann::json(n.time) : nlohmann::json()},
                            {"when", jsonText(flow::whenText(a, s, i))},
                            {"never", n.never},
                            {"reason", n.never ? nlohmann::json(jsonText(flow::reason(a, s, i)))
                                               : nlohmann::json()}});
        }
        nlohmann::json edges = nlohmann::json::array();
        for (const flow::Edge& e : a.edges)
            edges.push_back({{"from", e.from},
                             {"to", e.to},
                             {"kind", edgeKindName(e.kind)},
                             {"slot", e.slot},
                             {"label", flow::edgeLabel(e)}});
        std::cout << nlohmann::json{{"note", kNote}, {"nodes", list}, {"edges", edges}}.dump(2)
                  << "\n";
    } else {
        for (int i = 0; i < nodes; ++i) {
            const flow::Node& n = a.nodes[i];
            std::string line = flow::nodeName(a, s, i) + ": " + flow::whenText(a, s, i);
            if (n.never) line += ": " + flow::reason(a, s, i);
            std::cout << escaped(line) << "\n";
        }
        std::cout << "(" << kNote << ")\n";
    }
    return a.neverCount() > 0 ? 1 : 0;
}

}  // namespace quendar::tool
