// The "waits for" graph, the least fixed point of what may happen, and the
// timeline of arrivals.
#include <algorithm>

#include "flow/Flow.h"
#include "mission/ShipgroupRecord.h"
#include "settings/GlobalGoalsForm.h"
#include "settings/MessagesForm.h"
#include "shipgroup/CodeTables.h"

namespace quendar::flow {

namespace {

using mission::Table;
namespace sg = mission::sg;
namespace msg = settings::msg;
namespace goal = settings::goal;

constexpr int kTrue = 0;         // "TRUE - No condition"
constexpr int kArrive = 1;       // "Arrive"
constexpr int kImpossible = 10;  // "FALSE - Impossible condition"
constexpr int kGoalKinds = 3;

// A trigger's value while the verdicts are worked out: kNever, kAfterEvent or
// a time in seconds.
using Value = int;

Value both(Value a, Value b) {  // And
    if (a == kNever || b == kNever) return kNever;
    if (a == kAfterEvent || b == kAfterEvent) return kAfterEvent;
    return std::max(a, b);
}

Value either(Value a, Value b) {  // Or
    if (a == kNever) return b;
    if (b == kNever) return a;
    if (a == 0 || b == 0) return 0;  // nothing comes earlier than the start
    if (a == kAfterEvent || b == kAfterEvent) return kAfterEvent;
    return std::min(a, b);
}

Value join(Value a, Value b, uint8_t joinByte) { return joinByte == 1 ? either(a, b) : both(a, b); }

class Builder {
  public:
    Builder(const mission::MissionStore& s, Analysis& a) : m_s(s), m_a(a) {}

    void build() {
        m_a.nodes.clear();
        m_a.edges.clear();
        m_count = std::clamp(m_s.shipgroupCount, 0, mission::kMaxShipgroups);
        for (int i = 0; i < m_count; ++i) addShipgroup(i);
        m_a.messageBase = static_cast<int>(m_a.nodes.size());
        const int messages = std::clamp(m_s.messageCount, 0, mission::kMaxMessages);
        for (int i = 0; i < messages; ++i) addMessage(i);
        m_a.goalBase = static_cast<int>(m_a.nodes.size());
        for (int team = 0; team < mission::kTeams; ++team)
            for (int kind = 0; kind < kGoalKinds; ++kind) addGoal(team, kind);
    }

  private:
    uint8_t byte(Table t, int slot, int offset) const { return m_s.byte(t, slot, offset); }

    Atom atom(Table t, int slot, int offset, int node, EdgeKind kind, int k) {
        Atom a;
        a.condition = byte(t, slot, offset);
        a.subjectType = byte(t, slot, offset + 1);
        const int subject = byte(t, slot, offset + 2);
        // TRUE and FALSE do not depend on their subject: no edge.
        if (a.subjectType == shipgroup::kSubjectFlightgroup && subject < m_count &&
            a.condition != kTrue && a.condition != kImpossible) {
            a.shipgroup = subject;
            a.edge = addEdge(node, subject, kind, k, a.condition);
        }
        return a;
    }

    int addEdge(int from, int to, EdgeKind kind, int slot, int condition) {
        m_a.edges.push_back(Edge{from, to, kind, slot, condition});
        return static_cast<int>(m_a.edges.size()) - 1;
    }

    Triggers triggers(Table t, int slot, const int (&offsets)[4], int joins[3], int node,
                      EdgeKind kind) {
        Triggers tr;
        for (int k = 0; k < 4; ++k) tr.atoms[k] = atom(t, slot, offsets[k], node, kind, k);
        tr.join12 = byte(t, slot, joins[0]);
        tr.join34 = byte(t, slot, joins[1]);
        tr.joinPairs = byte(t, slot, joins[2]);
        return tr;
    }

    void addShipgroup(int i) {
        Node n;
        n.kind = NodeKind::Shipgroup;
        n.index = i;
        const int node = static_cast<int>(m_a.nodes.size());
        const int arrival[4] = {sg::arrivalTrigger1, sg::arrivalTrigger2, sg::arrivalTrigger3,
                                sg::arrivalTrigger4};
        int joins[3] = {sg::arrivalOr12, sg::arrivalOr34, sg::arrivalOrConditions};
        n.triggers = triggers(Table::Shipgroups, i, arrival, joins, node, EdgeKind::Arrival);
        const int methods[2][2] = {{sg::arrivalMethod1, sg::arrivalMothership1},
                                   {sg::arrivalMethod2, sg::arrivalMothership2}};
        for (int k = 0; k < 2; ++k) {
            n.methods[k] = byte(Table::Shipgroups, i, methods[k][0]);
            const int mother = byte(Table::Shipgroups, i, methods[k][1]);
            // A missing mothership or the group itself is the older rules'
            // error, not part of the chain.
            if (n.methods[k] != shipgroup::kMethodHyperspace && mother < m_count && mother != i) {
                n.motherships[k] = mother;
                addEdge(node, mother, EdgeKind::Hangar, k, 0);
            }
        }
        n.delay = byte(Table::Shipgroups, i, sg::arrivalDelayMinutes) * 60 +
                  byte(Table::Shipgroups, i, sg::arrivalDelaySeconds);
        // The departure waits too, but decides no verdict: drawn only.
        const int departure[2] = {sg::departureTrigger1, sg::departureTrigger2};
        for (int k = 0; k < 2; ++k)
            atom(Table::Shipgroups, i, departure[k], node, EdgeKind::Departure, k);
        const int leave[2][2] = {{sg::departureMethod1, sg::departureMothership1},
                                 {sg::departureMethod2, sg::departureMothership2}};
        for (int k = 0; k < 2; ++k) {
            const int mother = byte(Table::Shipgroups, i, leave[k][1]);
            if (byte(Table::Shipgroups, i, leave[k][0]) != shipgroup::kMethodHyperspace &&
                mother < m_count && mother != i)
                addEdge(node, mother, EdgeKind::DepartureHangar, k, 0);
        }
        m_a.nodes.push_back(n);
    }

    void addMessage(int i) {
        Node n;
        n.kind = NodeKind::Message;
        n.index = i;
        int joins[3] = {msg::join12, msg::join34, msg::joinConditions};
        n.triggers = triggers(Table::Messages, i, msg::triggers, joins,
                              static_cast<int>(m_a.nodes.size()), EdgeKind::Message);
        n.delay = byte(Table::Messages, i, msg::delayMinutes) * 60 +
                  byte(Table::Messages, i, msg::delaySeconds);
        m_a.nodes.push_back(n);
    }

    void addGoal(int team, int kind) {
        const int base = goal::blockStart + goal::blockSize * kind;
        int offsets[4];
        bool used = false;
        for (int k = 0; k < 4; ++k) {
            offsets[k] = base + goal::triggerOffsets[k];
            used = used || byte(Table::GlobalGoals, team, offsets[k]) != kTrue;
        }
        if (!used) return;
        Node n;
        n.kind = NodeKind::Goal;
        n.index = team * kGoalKinds + kind;
        int joins[3] = {base + goal::join12, base + goal::join34, base + goal::joinPairs};
        const int(&o)[4] = offsets;
        n.triggers = triggers(Table::GlobalGoals, team, o, joins,
                              static_cast<int>(m_a.nodes.size()), EdgeKind::Goal);
        m_a.nodes.push_back(n);
    }

    const mission::MissionStore& m_s;
    Analysis& m_a;
    int m_count = 0;
};

// Whether an atom may hold, given which shipgroups may arrive.
bool mayHold(const Atom& a, const std::vector<Node>& nodes) {
    if (a.condition == kImpossible) return false;
    return a.shipgroup < 0 || !nodes[a.shipgroup].never;
}

Value atomTime(const Atom& a, const std::vector<Node>& nodes) {
    if (a.condition == kTrue) return 0;
    if (a.condition == kImpossible) return kNever;
    if (a.shipgroup < 0) return kAfterEvent;
    const Node& g = nodes[a.shipgroup];
    if (g.never) return kNever;
    return a.condition == kArrive ? g.time : kAfterEvent;
}

template <typename F>
Value combine(const Triggers& t, F value) {
    const Value c1 = join(value(t.atoms[0]), value(t.atoms[1]), t.join12);
    const Value c2 = join(value(t.atoms[2]), value(t.atoms[3]), t.join34);
    return join(c1, c2, t.joinPairs);
}

bool mayCombine(const Triggers& t, const std::vector<Node>& nodes) {
    return combine(t, [&](const Atom& a) { return mayHold(a, nodes) ? 0 : kNever; }) != kNever;
}

bool routeOpen(const Node& n, const std::vector<Node>& nodes) {
    // Method 2 is the alternative to method 1: either brings the group. A
    // hangar needs its mothership to have arrived.
    auto open = [&](int k) {
        return n.methods[k] == shipgroup::kMethodHyperspace || n.motherships[k] < 0 ||
               !nodes[n.motherships[k]].never;
    };
    return open(0) || open(1);
}

// The first atom that makes `value` of the whole `target` (kNever or kAfterEvent).
template <typename F>
int firstAtom(const Triggers& t, F value, Value target) {
    for (int k = 0; k < 4; ++k) {
        const Value v = value(t.atoms[k]);
        if (v == target && (target != kNever || t.atoms[k].shipgroup >= 0)) return k;
    }
    for (int k = 0; k < 4; ++k)
        if (value(t.atoms[k]) == target) return k;
    return -1;
}

}  // namespace

int Analysis::node(NodeKind kind, int index) const {
    switch (kind) {
        case NodeKind::Shipgroup: return index >= 0 && index < messageBase ? index : -1;
        case NodeKind::Message:
            return index >= 0 && index < goalBase - messageBase ? messageBase + index : -1;
        case NodeKind::Goal:
            for (int k = goalBase; k < static_cast<int>(nodes.size()); ++k)
                if (nodes[k].index == index) return k;
            return -1;
    }
    return -1;
}

int Analysis::neverCount() const {
    return static_cast<int>(
        std::count_if(nodes.begin(), nodes.end(), [](const Node& n) { return n.never; }));
}

bool falseAlone(const Node& n) {
    const Triggers& t = n.triggers;
    const Value v =
        combine(t, [](const Atom& a) { return a.condition == kImpossible ? kNever : 0; });
    return v == kNever;
}

void analyse(const mission::MissionStore& store, Analysis& a) {
    Builder(store, a).build();
    std::vector<Node>& nodes = a.nodes;
    const int groups = a.messageBase;
    // Least fixed point: nothing arrives until its triggers and a way in
    // allow it, so a group in a cycle never gets started.
    for (int i = 0; i < groups; ++i) nodes[i].never = true;
    for (bool grew = true; grew;) {
        grew = false;
        for (int i = 0; i < groups; ++i) {
            Node& n = nodes[i];
            if (!n.never) continue;
            if (mayCombine(n.triggers, nodes) && routeOpen(n, nodes)) n.never = false, grew = true;
        }
    }
    for (size_t i = groups; i < nodes.size(); ++i)
        nodes[i].never = !mayCombine(nodes[i].triggers, nodes);

    // Times: every group that may arrive starts "after an event"; a value
    // only ever becomes known, once, so the passes end.
    for (Node& n : nodes) n.time = n.never ? kNever : kAfterEvent;
    auto timeOf = [&](const Node& n) {
        const Value v = combine(n.triggers, [&](const Atom& at) { return atomTime(at, nodes); });
        return v >= 0 ? v + n.delay : v;
    };
    for (int pass = 0; pass <= groups; ++pass) {
        bool changed = false;
        for (int i = 0; i < groups; ++i) {
            if (nodes[i].never) continue;
            const Value v = timeOf(nodes[i]);
            if (v != nodes[i].time) nodes[i].time = v, changed = true;
        }
        if (!changed) break;
    }
    for (size_t i = groups; i < nodes.size(); ++i)
        if (!nodes[i].never) nodes[i].time = timeOf(nodes[i]);

    // What each verdict depends on, for its words.
    for (Node& n : nodes) {
        auto time = [&](const Atom& at) { return atomTime(at, nodes); };
        // A group whose triggers may hold never arrives for want of a hangar.
        const bool byTriggers = n.kind != NodeKind::Shipgroup || !mayCombine(n.triggers, nodes);
        if (n.never && byTriggers)
            n.waitsFor = firstAtom(
                n.triggers, [&](const Atom& at) { return mayHold(at, nodes) ? 0 : kNever; },
                kNever);
        else if (n.time == kAfterEvent)
            n.waitsFor = firstAtom(n.triggers, time, kAfterEvent);
    }
}

Analysis analyse(const mission::MissionStore& store) {
    Analysis a;
    analyse(store, a);
    return a;
}

}  // namespace quendar::flow
