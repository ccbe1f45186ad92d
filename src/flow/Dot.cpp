// The graph as Graphviz DOT text. The arrows run from what happens first to
// what waits for it, so the layers read left to right in the order of play
// (and the groups that wait for nothing stack in the first column).
#include "flow/Flow.h"
#include "mission/ShipgroupRecord.h"

namespace quendar::flow {

namespace {

// Pale fills by IFF, so the black text and the red "never" border stay readable.
const char* const kIffFill[6] = {"#c6ecc6", "#f4c6c6", "#c6d6f4", "#f2e4b4", "#e0ccf0", "#d8d8d8"};
const char* const kMessageFill = "#ffffff";
const char* const kGoalFill = "#fff4cc";
constexpr int kLargeGraphEdges = 150;

// A DOT string body: quotes and backslashes escaped, the 8-bit characters as
// UTF-8 (Latin-1), control bytes as blanks.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 32 || b == 127) {
            out += ' ';
        } else if (b >= 0x80) {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

std::string dotText(const Analysis& a, const mission::MissionStore& s,
                    const std::vector<bool>* shown) {
    int edges = 0;
    for (const Edge& e : a.edges) edges += !shown || ((*shown)[e.from] && (*shown)[e.to]);
    // Curved edges routed around labelled ranks cost the "dot" engine minutes
    // on a few hundred crossing edges: a large graph gets straight edges,
    // labels placed after the layout and capped ranking and crossing passes.
    const bool large = edges > kLargeGraphEdges;
    std::string out =
        "digraph flow {\n"
        "  graph [" +
        std::string(large ? "splines=line, nslimit=1, nslimit1=1, mclimit=0.01, newrank=true, "
                          : "") +
        "rankdir=LR, fontname=\"Helvetica\", label=\"Mission flow: what the triggers allow, "
        "read by the editor; play may differ\", labelloc=b];\n"
        "  node [shape=box, style=\"rounded,filled\", fontname=\"Helvetica\", fontsize=11];\n"
        "  edge [fontname=\"Helvetica\", fontsize=9];\n";
    for (size_t i = 0; i < a.nodes.size(); ++i) {
        const Node& n = a.nodes[i];
        const int node = static_cast<int>(i);
        if (shown && !(*shown)[i]) continue;
        std::string fill = kGoalFill, shape = "hexagon";
        if (n.kind == NodeKind::Shipgroup) {
            const int iff = mission::ShipgroupView(s, n.index).iff();
            fill = iff < 6 ? kIffFill[iff] : kIffFill[5];
            shape = "box";
        } else if (n.kind == NodeKind::Message) {
            fill = kMessageFill;
            shape = "note";
        }
        out += "  n" + std::to_string(i) +
               " [label=" + quoted(nodeName(a, s, node) + "\n" + whenText(a, s, node)) +
               ", shape=" + shape + ", fillcolor=\"" + fill + "\"";
        if (n.never) out += ", color=\"#d00000\", penwidth=2, peripheries=2";
        out += "];\n";
    }
    for (size_t k = 0; k < a.edges.size(); ++k) {
        const Edge& e = a.edges[k];
        if (shown && (!(*shown)[e.from] || !(*shown)[e.to])) continue;
        out += "  n" + std::to_string(e.to) + " -> n" + std::to_string(e.from) + " [id=\"e" +
               std::to_string(k) + "\", " + (large ? "xlabel=" : "label=") + quoted(edgeLabel(e));
        if (e.kind == EdgeKind::Departure || e.kind == EdgeKind::DepartureHangar)
            out += ", style=dashed";
        if (e.kind == EdgeKind::Hangar) out += ", style=bold";
        out += "];\n";
    }
    return out + "}\n";
}

}  // namespace quendar::flow
