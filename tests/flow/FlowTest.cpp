// Missions built in memory -> verdicts, times and reasons. Offsets are written
// out as the file layout gives them.
#include <gtest/gtest.h>

#include <vector>

#include "flow/Flow.h"
#include "flow/References.h"
#include "mission/NewMission.h"
#include "shipgroup/ShipgroupList.h"

namespace quendar::flow {
namespace {

using mission::Table;

struct T {  // a trigger: condition, subject type, subject
    int c = 0, type = 0, subject = 0;
};
constexpr int TRUE_ = 0, ARRIVE = 1, DESTROYED = 2, ATTACKED = 3, FALSE_ = 10, FG = 1, IFF = 5;

struct G {  // a shipgroup's arrival
    std::vector<T> triggers;
    int join12 = 0, join34 = 0, joinPairs = 0, minutes = 0, seconds = 0;
    int method1 = 0, mother1 = 0, method2 = 0, mother2 = 0;
};
struct M {  // a message, or a goal block (team, kind)
    std::vector<T> triggers;
    int join12 = 0, minutes = 0, seconds = 0, team = 0, kind = 0;
};

struct Row {
    const char* what;
    std::vector<G> groups;
    std::vector<M> messages, goals;
    // Per node: its time words, and " | " and the reason for a "never".
    std::vector<std::string> expected;
};

const char* const kNames[] = {"Ash", "Brine", "Cinder", "Dusk", "Ember"};

void put(mission::MissionStore& s, Table t, int slot, int at, const T& x) {
    s.setByte(t, slot, at, static_cast<uint8_t>(x.c));
    s.setByte(t, slot, at + 1, static_cast<uint8_t>(x.type));
    s.setByte(t, slot, at + 2, static_cast<uint8_t>(x.subject));
}

mission::MissionStore build(const Row& r) {
    mission::MissionStore s;
    mission::resetToNewMission(s);
    s.shipgroupCount = static_cast<int>(r.groups.size());
    const int arrival[4] = {136, 142, 152, 158};
    for (int i = 0; i < s.shipgroupCount; ++i) {
        const G& g = r.groups[i];
        mission::setEmptyShipgroup(s, i);
        s.setText(Table::Shipgroups, i, 0, 20, kNames[i]);
        for (size_t k = 0; k < g.triggers.size(); ++k)
            put(s, Table::Shipgroups, i, arrival[k], g.triggers[k]);
        const int bytes[][2] = {{150, g.join12},  {166, g.join34},  {168, g.joinPairs},
                                {170, g.minutes}, {171, g.seconds}, {194, g.mother1},
                                {195, g.method1}, {196, g.mother2}, {197, g.method2}};
        for (const auto& b : bytes)
            s.setByte(Table::Shipgroups, i, b[0], static_cast<uint8_t>(b[1]));
    }
    s.messageCount = static_cast<int>(r.messages.size());
    const int message[4] = {92, 98, 108, 114};
    for (int i = 0; i < s.messageCount; ++i) {
        const M& m = r.messages[i];
        for (size_t k = 0; k < m.triggers.size(); ++k)
            put(s, Table::Messages, i, message[k], m.triggers[k]);
        s.setByte(Table::Messages, i, 106, static_cast<uint8_t>(m.join12));
        s.setByte(Table::Messages, i, 140, static_cast<uint8_t>(m.seconds));
        s.setByte(Table::Messages, i, 141, static_cast<uint8_t>(m.minutes));
    }
    const int goal[4] = {0, 6, 16, 22};
    for (const M& g : r.goals) {
        const int base = 2 + 122 * g.kind;
        for (size_t k = 0; k < g.triggers.size(); ++k)
            put(s, Table::GlobalGoals, g.team, base + goal[k], g.triggers[k]);
        s.setByte(Table::GlobalGoals, g.team, base + 14, static_cast<uint8_t>(g.join12));
    }
    return s;
}

const T kFalse{FALSE_};
const T kTrue{TRUE_};
const T kAnyAttack{ATTACKED, IFF, 1};  // an event on no shipgroup

const std::vector<Row> kRows = {
    {"a chain of three arrivals with delays",
     {{{kTrue}, 0, 0, 0, 0, 30},
      {{{ARRIVE, FG, 0}}, 0, 0, 0, 1, 15},
      {{{ARRIVE, FG, 1}}, 0, 0, 0, 0, 20},
      {{{DESTROYED, FG, 0}}, 0, 0, 0, 2, 0},
      {{kAnyAttack}}},
     {},
     {},
     {"at 0:30", "at 1:45", "at 2:05", "after #0 \"Ash\" is destroyed", "after an event"}},
    {"a two-group cycle",
     {{{{ARRIVE, FG, 1}}}, {{{DESTROYED, FG, 0}}}, {}},
     {},
     {},
     {"never | waits for #1 \"Brine\" to arrive, which never arrives (waits for #0 \"Ash\" to be "
      "destroyed: a cycle)",
      "never | waits for #0 \"Ash\" to be destroyed, which never arrives (waits for #1 \"Brine\" "
      "to arrive: a cycle)",
      "at 0:00"}},
    {"a group waiting for a FALSE-triggered group, and the chain cut after three steps",
     {{{kFalse}}, {{{DESTROYED, FG, 0}}}, {{{ARRIVE, FG, 1}}}, {{{ATTACKED, FG, 2}}}},
     {},
     {},
     {"never | its arrival triggers need \"FALSE - Impossible condition\"",
      "never | waits for #0 \"Ash\" to be destroyed, which never arrives (its arrival triggers "
      "need \"FALSE - "
      "Impossible condition\")",
      "never | waits for #1 \"Brine\" to arrive, which never arrives (waits for #0 \"Ash\" to be "
      "destroyed, which "
      "never arrives (its arrival triggers need \"FALSE - Impossible condition\"))",
      "never | waits for #2 \"Cinder\" to be attacked, which never arrives (waits for #1 \"Brine\" "
      "to arrive, which "
      "never arrives (waits for #0 \"Ash\" to be destroyed, which never arrives (\xE2\x80\xA6)))"}},
    {"Or joins keep a group possible; And joins do not",
     {{{kFalse}},
      {{kTrue}, 0, 0, 0, 0, 10},
      {{{ARRIVE, FG, 0}, {ARRIVE, FG, 1}}, 1, 0, 0, 0, 5},                   // Or: 0:10 + 0:05
      {{{ARRIVE, FG, 1}, {ATTACKED, FG, 0}}},                                // And: never
      {{{ATTACKED, FG, 0}, kTrue, {ARRIVE, FG, 2}, kTrue}, 0, 0, 1, 1, 0}},  // pairs Or: 0:15 +
                                                                             // 1:00
     {},
     {},
     {"never | its arrival triggers need \"FALSE - Impossible condition\"", "at 0:10", "at 0:15",
      "never | waits for #0 \"Ash\" to be attacked, which never arrives (its arrival triggers need "
      "\"FALSE - "
      "Impossible condition\")",
      "at 1:15"}},
    {"hangar arrivals from a never-arriving mothership",
     {{{kFalse}},
      {{}, 0, 0, 0, 0, 0, 1, 0, 0, 0},   // method 2 is hyperspace: it comes that way
      {{}, 0, 0, 0, 0, 0, 1, 0, 1, 0},   // both methods need #0
      {{}, 0, 0, 0, 0, 0, 0, 0, 0, 0},   // hyperspace: the mothership byte means nothing
      {{}, 0, 0, 0, 0, 0, 1, 0, 1, 1}},  // the second mothership arrives
     {},
     {},
     {"never | its arrival triggers need \"FALSE - Impossible condition\"", "at 0:00",
      "never | arrives by hangar from #0 \"Ash\", which never arrives (its arrival triggers need "
      "\"FALSE - "
      "Impossible condition\")",
      "at 0:00", "at 0:00"}},
    {"a message and a primary goal depending on a never-arriving group",
     {{{kFalse}}, {{kTrue}, 0, 0, 0, 0, 40}},
     {{{{DESTROYED, FG, 0}}}, {{kTrue}, 0, 0, 45}, {{{ARRIVE, FG, 1}, {ARRIVE, FG, 0}}, 1, 1, 0}},
     {{{{DESTROYED, FG, 0}}, 0, 0, 0, 0, 0}, {{{ARRIVE, FG, 1}}, 0, 0, 0, 1, 2}},
     {"never | its arrival triggers need \"FALSE - Impossible condition\"", "at 0:40",
      "never | waits for #0 \"Ash\" to be destroyed, which never arrives (its arrival triggers "
      "need \"FALSE - "
      "Impossible condition\")",
      "at 0:45", "at 1:40",
      "never | waits for #0 \"Ash\" to be destroyed, which never arrives (its arrival triggers "
      "need \"FALSE - "
      "Impossible condition\")",
      "at 0:40"}},
};

TEST(FlowTest, VerdictsTimesAndReasons) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        const mission::MissionStore s = build(row);
        const Analysis a = analyse(s);
        std::vector<std::string> got;
        for (int n = 0; n < static_cast<int>(a.nodes.size()); ++n) {
            const std::string why = reason(a, s, n);
            got.push_back(whenText(a, s, n) + (why.empty() ? "" : " | " + why));
        }
        EXPECT_EQ(got, row.expected);
    }
}

TEST(FlowTest, EdgesAndTheirLabels) {
    Row r{"",
          {{{{ARRIVE, FG, 1}, kTrue, {TRUE_, FG, 1}, {FALSE_, FG, 1}}}, {{}, 0, 0, 0, 0, 0, 1, 0}},
          {},
          {},
          {}};
    mission::MissionStore s = build(r);
    s.setByte(Table::Shipgroups, 1, 172, DESTROYED),
        s.setByte(Table::Shipgroups, 1, 173, FG);  // departs
    const Analysis a = analyse(s);
    // TRUE and FALSE name no one; the hangar of #1 names #0 only as its method says.
    std::vector<std::string> edges;
    for (const Edge& e : a.edges)
        edges.push_back(std::to_string(e.from) + ">" + std::to_string(e.to) + " " + edgeLabel(e));
    EXPECT_EQ(edges,
              (std::vector<std::string>{"0>1 arrived", "1>0 hangar", "1>0 departs: destroyed"}));
    EXPECT_NE(dotText(a, s).find("n0 -> n1 [id=\"e1\", label=\"hangar\", style=bold]"),
              std::string::npos);
}

// Find References lists exactly what a deletion clears: every field it finds
// is one the deletion rewrites, and the deletion rewrites nothing else.
TEST(FlowTest, ReferencesAreWhatDeleteClears) {
    mission::MissionStore s;
    mission::resetToNewMission(s);
    s.shipgroupCount = 4;
    s.messageCount = 2;
    for (int i = 0; i < 4; ++i) mission::setEmptyShipgroup(s, i);
    const int order = 202 + 148 * 5;  // region 2, order 2
    const std::vector<std::array<int, 4>> bytes = {
        // table (0 shipgroup, 1 message, 2 goal), slot, offset, value
        {0, 1, 143, FG},
        {0, 1, 144, 2},  // arrival trigger 2 names #2
        {0, 3, 173, FG},
        {0, 3, 174, 2},  // departure trigger 1
        {0, 0, 195, 1},
        {0, 0, 194, 2},  // arrival method 1 hangar from #2
        {0, 0, 201, 3},
        {0, 0, 200, 2},  // departure method 2 "Unknown - 3": not a hangar
        {0, 1, order + 14, FG},
        {0, 1, order + 15, 2},  // target 2
        {0, 1, order + 7, FG},
        {0, 1, order + 9, 1},  // target 4 names #1: not ours
        {0, 2, order, 18},
        {0, 2, order + 3, 2},  // drop off #2
        {2, 4, 2 + 122 * 2 + 23, FG},
        {2, 4, 2 + 122 * 2 + 24, 2},  // team 5 secondary goal 4
        {1, 1, 109, FG},
        {1, 1, 110, 2},  // message 2 trigger 3
    };
    const Table tables[3] = {Table::Shipgroups, Table::Messages, Table::GlobalGoals};
    for (const auto& b : bytes) s.setByte(tables[b[0]], b[1], b[2], static_cast<uint8_t>(b[3]));

    std::vector<std::string> fields;
    for (const Reference& r : findReferences(s, 2))
        fields.push_back(std::to_string(r.slot) + " " + referenceField(r) + " (" +
                         referenceWhat(r) + ")");
    EXPECT_EQ(fields, (std::vector<std::string>{
                          "0 arrival.mothership1 (arrival mothership)",
                          "1 arrival.trigger2.subject (arrival trigger)",
                          "1 region2.order2.target2 (order target)",
                          "2 region2.order2.param2 (drop-off)",
                          "3 departure.trigger1.subject (departure trigger)",
                          "4 team5.secondary.goal4.subject (global goal)",
                          "1 trigger3.subject (message trigger)",
                      }));

    mission::MissionStore cleared = s;
    shipgroup::renumberReferences(cleared, 4, 2, shipgroup::Shift::None);
    shipgroup::renumberOutsideReferences(cleared, 2, shipgroup::Shift::None);
    for (const Reference& r : findReferences(s, 2))
        EXPECT_NE(cleared.byte(r.table, r.slot, r.offset), s.byte(r.table, r.slot, r.offset))
            << referenceField(r);
    int changed = 0;
    for (Table t : tables)
        for (int slot = 0; slot < mission::shapeOf(t).slots; ++slot)
            for (int k = 0; k < mission::shapeOf(t).slotSize; ++k)
                changed += s.byte(t, slot, k) != cleared.byte(t, slot, k);
    EXPECT_EQ(changed, 7 * 2 - 1) << "both bytes of six pairs, the drop-off's number alone";
    EXPECT_TRUE(findReferences(s, 3).empty());
}

}  // namespace
}  // namespace quendar::flow
