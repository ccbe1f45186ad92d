#pragma once

// The mission's logic as a graph: who waits for whom, what can never happen
// and when the shipgroups arrive where that can be known. Pure functions over
// the store; nothing here draws.
//
// The reading rests on stated assumptions, not on the game's own evaluation:
// "TRUE - No condition" holds from the start, "FALSE - Impossible condition"
// never holds, a condition on one shipgroup can hold only once that shipgroup
// may have arrived, and every other condition may hold. So a "never" verdict
// is a warning about the triggers as stored, never a certainty about play.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "mission/MissionStore.h"

namespace quendar::flow {

enum class NodeKind : uint8_t { Shipgroup, Message, Goal };

// Which field of the waiting node names the shipgroup it waits for.
enum class EdgeKind : uint8_t { Arrival, Departure, Hangar, DepartureHangar, Message, Goal };

// Times in seconds after the mission starts; two values stand for the rest.
inline constexpr int kAfterEvent = -1;  // the time depends on an event nobody can date
inline constexpr int kNever = -2;

// One trigger as the graph reads it: its condition, its subject when that is
// a shipgroup of the mission (-1 otherwise) and the edge it adds (-1: none).
struct Atom {
    uint8_t condition = 0;
    uint8_t subjectType = 0;
    int shipgroup = -1;
    int edge = -1;
};

// Four triggers joined in two pairs (arrival, message, goal block). A join
// byte of 1 is Or, anything else And, as the forms and the lint rules read it.
struct Triggers {
    std::array<Atom, 4> atoms{};
    uint8_t join12 = 0, join34 = 0, joinPairs = 0;
};

struct Edge {
    int from = 0;  // the waiting node
    int to = 0;    // the shipgroup waited for (its node has the same number)
    EdgeKind kind = EdgeKind::Arrival;
    int slot = 0;       // the trigger (0..3) or the method pair (0..1) in its record
    int condition = 0;  // the trigger's condition; 0 for a hangar
};

struct Node {
    NodeKind kind = NodeKind::Shipgroup;
    // The shipgroup number, the message index, or the goal block as team * 3 + kind.
    int index = 0;
    Triggers triggers;
    // Shipgroups: the two arrival methods (0 = hyperspace) and motherships
    // (-1 when the method is hyperspace or names no other shipgroup of the
    // mission), and the arrival delay in seconds; messages: their delay.
    std::array<int, 2> methods{};
    std::array<int, 2> motherships{-1, -1};
    int delay = 0;
    // Verdicts.
    bool never = false;
    int time = kAfterEvent;  // earliest arrival (shown, met) when known; kNever when never
    int waitsFor = -1;       // the atom the time (or a "never") depends on, -1 if none
};

struct Analysis {
    // Shipgroup i is node i; then the messages; then the goal blocks that
    // hold any condition other than "TRUE - No condition".
    std::vector<Node> nodes;
    std::vector<Edge> edges;
    int messageBase = 0;
    int goalBase = 0;

    // The node of a shipgroup, message or goal block; -1 when it has none.
    int node(NodeKind kind, int index) const;
    int neverCount() const;
};

// Builds the graph and works out the verdicts and the timeline.
Analysis analyse(const mission::MissionStore& store);
// The same into `out`, keeping its room (the Problems panel looks often).
void analyse(const mission::MissionStore& store, Analysis& out);

// --- words -------------------------------------------------------------------------

// "#3 \"Korvane Guard\"", "message 2 \"Korvane fighters inbound!\"", "team 1 primary goals".
std::string nodeName(const Analysis& a, const mission::MissionStore& store, int node);
// Why a "never" node never happens, naming the chain:
// "waits for #3 \"Korvane Guard\" to be destroyed, which never arrives (waits for #7 ...)".
// Empty for a node that may happen.
std::string reason(const Analysis& a, const mission::MissionStore& store, int node);
// Whether a "never" comes from "FALSE - Impossible condition" in the node's
// own triggers alone (what the older rules already report).
bool falseAlone(const Node& node);
// "at 0:00", "at 2:30", "after #3 \"Korvane Guard\" is destroyed", "after an
// event", "never".
std::string whenText(const Analysis& a, const mission::MissionStore& store, int node);
// "m:ss".
std::string timeText(int seconds);
// An edge's short label: "destroyed", "arrived", "hangar", "departs: attacked".
std::string edgeLabel(const Edge& edge);
// "to be destroyed" for a condition code.
std::string waitWords(int condition);

// The whole graph as Graphviz DOT text: nodes coloured by IFF, "never" nodes
// drawn with a double red border, edges labelled with their condition. With
// `shown`, only the nodes it marks (one flag per node) and the edges between them.
std::string dotText(const Analysis& a, const mission::MissionStore& store,
                    const std::vector<bool>* shown = nullptr);

}  // namespace quendar::flow
