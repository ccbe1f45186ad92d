// The analysis in words: names, reasons, times and edge labels.
#include <algorithm>

#include "flow/Flow.h"
#include "mission/ShipgroupRecord.h"
#include "settings/MessagesForm.h"
#include "shipgroup/CodeTables.h"

namespace quendar::flow {

namespace {

namespace msg = settings::msg;

// How far a reason follows its chain before it stops with "…".
constexpr int kReasonDepth = 3;
const char* const kGoalKinds[3] = {"primary", "prevent", "secondary"};

struct Wording {
    int condition;
    const char* label;    // on an edge
    const char* waitFor;  // "waits for #3 ... to be destroyed"
    const char* after;    // "after #3 ... is destroyed"
};
constexpr Wording kWordings[] = {
    {1, "arrived", "to arrive", "arrives"},
    {2, "destroyed", "to be destroyed", "is destroyed"},
    {3, "attacked", "to be attacked", "is attacked"},
    {4, "captured", "to be captured", "is captured"},
    {5, "inspected", "to be inspected", "is inspected"},
    {6, "boarded", "to be boarded", "is boarded"},
    {7, "docked", "to finish docking", "finishes docking"},
    {8, "disabled", "to be disabled", "is disabled"},
    {12, "mission done", "to complete its mission", "completes its mission"},
    {19, "dropped off", "to be dropped off", "is dropped off"},
    {20, "reinforced", "to be reinforced", "is reinforced"},
    {21, "0% shields", "to be at 0% shields", "is at 0% shields"},
    {22, "50% hull", "to be at 50% hull", "is at 50% hull"},
    {25, "dropped off", "to be dropped off", "is dropped off"},
    {32, "docking", "to initiate docking", "initiates docking"},
    {45, "withdrawn", "to withdraw", "withdraws"},
    {47, "in sector", "to arrive in sector", "arrives in sector"},
};

const Wording* wording(int condition) {
    for (const Wording& w : kWordings)
        if (w.condition == condition) return &w;
    return nullptr;
}

std::string shipgroupName(const mission::MissionStore& s, int i) {
    return "#" + std::to_string(i) + " \"" + mission::ShipgroupView(s, i).name() + "\"";
}

std::string afterWords(int condition) {
    const Wording* w = wording(condition);
    return w ? w->after : "meets condition " + std::to_string(condition);
}

class Reasons {
  public:
    Reasons(const Analysis& a, const mission::MissionStore& s) : m_a(a), m_s(s) {}

    std::string why(int node, int depth) {
        const Node& n = m_a.nodes[node];
        m_chain.push_back(node);
        std::string out;
        if (falseAlone(n) || (n.waitsFor >= 0 && n.triggers.atoms[n.waitsFor].shipgroup < 0)) {
            out = std::string(n.kind == NodeKind::Shipgroup ? "its arrival triggers"
                                                            : "its triggers") +
                  " need \"FALSE - Impossible condition\"";
        } else if (n.waitsFor >= 0) {
            const Atom& at = n.triggers.atoms[n.waitsFor];
            out = "waits for " + shipgroupName(m_s, at.shipgroup) + " " + waitWords(at.condition) +
                  tail(at.shipgroup, depth);
        } else {
            // Both ways in are hangars whose motherships never arrive.
            const int first = n.methods[0] != shipgroup::kMethodHyperspace ? n.motherships[0] : -1;
            const int second = n.motherships[1];
            const int m = first >= 0 ? first : second;
            if (m >= 0) out = "arrives by hangar from " + shipgroupName(m_s, m) + tail(m, depth);
            if (first >= 0 && second >= 0 && second != first)
                out += "; its second method needs " + shipgroupName(m_s, second) +
                       ", which never arrives either";
        }
        m_chain.pop_back();
        return out;
    }

  private:
    std::string tail(int shipgroup, int depth) {
        if (std::find(m_chain.begin(), m_chain.end(), shipgroup) != m_chain.end())
            return ": a cycle";
        if (depth + 1 >= kReasonDepth) return ", which never arrives (\xE2\x80\xA6)";
        return ", which never arrives (" + why(shipgroup, depth + 1) + ")";
    }

    const Analysis& m_a;
    const mission::MissionStore& m_s;
    std::vector<int> m_chain;
};

}  // namespace

std::string waitWords(int condition) {
    const Wording* w = wording(condition);
    return w ? w->waitFor : "to meet condition " + std::to_string(condition);
}

std::string timeText(int seconds) {
    const int s = seconds % 60;
    return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

std::string edgeLabel(const Edge& e) {
    const Wording* w = wording(e.condition);
    const std::string label = w ? w->label : "condition " + std::to_string(e.condition);
    switch (e.kind) {
        case EdgeKind::Hangar: return "hangar";
        case EdgeKind::DepartureHangar: return "departs: hangar";
        case EdgeKind::Departure: return "departs: " + label;
        default: return label;
    }
}

std::string nodeName(const Analysis& a, const mission::MissionStore& s, int node) {
    if (node < 0 || node >= static_cast<int>(a.nodes.size())) return {};
    const Node& n = a.nodes[node];
    switch (n.kind) {
        case NodeKind::Shipgroup: return shipgroupName(s, n.index);
        case NodeKind::Message:
            return "message " + std::to_string(n.index + 1) + " \"" +
                   s.text(mission::Table::Messages, n.index, msg::text, msg::textWidth) + "\"";
        case NodeKind::Goal:
            return "team " + std::to_string(n.index / 3 + 1) + " " + kGoalKinds[n.index % 3] +
                   " goals";
    }
    return {};
}

std::string reason(const Analysis& a, const mission::MissionStore& s, int node) {
    if (node < 0 || node >= static_cast<int>(a.nodes.size()) || !a.nodes[node].never) return {};
    return Reasons(a, s).why(node, 0);
}

std::string whenText(const Analysis& a, const mission::MissionStore& s, int node) {
    const Node& n = a.nodes[node];
    if (n.never) return "never";
    if (n.time >= 0) return "at " + timeText(n.time);
    if (n.waitsFor >= 0) {
        const Atom& at = n.triggers.atoms[n.waitsFor];
        if (at.shipgroup >= 0)
            return "after " + shipgroupName(s, at.shipgroup) + " " + afterWords(at.condition);
    }
    return "after an event";
}

}  // namespace quendar::flow
