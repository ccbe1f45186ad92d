// Each rule with a mission that breaks it and one that does not. Offsets and
// codes are written out as the file layout gives them.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "briefing/BriefingModel.h"
#include "lint/Lint.h"
#include "mission/ChangeJournal.h"
#include "mission/CraftList.h"
#include "mission/FileIO.h"
#include "mission/MissionFile.h"
#include "mission/NewMission.h"
#include "support/LargestMission.h"

namespace quendar::lint {
namespace {

using mission::Table;
using namespace briefing;

struct Mission {
    mission::MissionStore store;
    BriefingModel briefing{store};
    mission::CraftList craft;

    Mission() {
        mission::resetToNewMission(store);
        briefing.resetForNewMission();
        store.shipgroupCount = 3;
        for (int i = 0; i < 3; ++i) {
            mission::setEmptyShipgroup(store, i);
            store.setText(Table::Shipgroups, i, 0, 20, "Wing " + std::to_string(i));
        }
        // Types 1, 4 and 5 are defined; everything else reads "Unused".
        craft.parse(
            "CRAFT    1!Sparrow,Darts,Flyable,Known,Skirmish,\t1,2,3,4,5,6,7,8\n"
            "CRAFT    4!Heron,Darts,Flyable,Known,Skirmish,\t1,2,3,4,5,6,7,8\n"
            "CRAFT    5!Tug,Haulers,Flyable,Known,Skirmish,\t1,2,3,4,5,6,7,8\n");
    }
    void sg(int offset, int value, int group = 1) {
        store.setByte(Table::Shipgroups, group, offset, static_cast<uint8_t>(value));
    }
    std::vector<Problem> lint() const { return lintMission(store, briefing, craft); }
};

// "CODE field" of every problem, so a row can say exactly what it expects.
std::set<std::string> found(const std::vector<Problem>& ps) {
    std::set<std::string> out;
    for (const auto& p : ps) out.insert(std::string(p.code) + " " + p.location.field);
    return out;
}

struct Row {
    const char* what;
    std::function<void(Mission&)> setUp;
    const char* expected;  // "CODE field", or "" for a mission without problems
};

void runRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        Mission m;
        row.setUp(m);
        const auto got = found(m.lint());
        if (*row.expected)
            EXPECT_EQ(got, std::set<std::string>{row.expected}) << row.what;
        else
            EXPECT_TRUE(got.empty()) << row.what << ": " << (got.empty() ? "" : *got.begin());
    }
}

TEST(Lint, ShipgroupReferences) {
    runRows({
        {"target 1 of flightgroup 3 of 3", [](Mission& m) { m.sg(214, 1), m.sg(215, 3); },
         "Q101 region1.order1.target1"},
        {"target 1 of flightgroup 2 of 3", [](Mission& m) { m.sg(214, 1), m.sg(215, 2); }, ""},
        {"target 1 number 9 of type IFF", [](Mission& m) { m.sg(214, 5), m.sg(215, 9); }, ""},
        // Region 3, order 2: 202 + 2 * 592 + 148 = 1534; target 3 type at +6, value at +8.
        {"target 3 in region 3 order 2", [](Mission& m) { m.sg(1540, 1), m.sg(1542, 9); },
         "Q101 region3.order2.target3"},
        {"drop off deploys #7", [](Mission& m) { m.sg(202, 18), m.sg(205, 7); },
         "Q102 region1.order1.param2"},
        {"drop off deploys #0", [](Mission& m) { m.sg(202, 18), m.sg(205, 0); }, ""},
        {"destroy targets with param 2 = 7", [](Mission& m) { m.sg(202, 7), m.sg(205, 7); }, ""},
        {"hangar arrival from #5", [](Mission& m) { m.sg(194, 5), m.sg(195, 1); },
         "Q103 arrival.mothership1"},
        {"hyperspace arrival, mothership #5", [](Mission& m) { m.sg(194, 5), m.sg(195, 0); }, ""},
        {"hangar arrival from #2", [](Mission& m) { m.sg(194, 2), m.sg(195, 1); }, ""},
        {"own mothership", [](Mission& m) { m.sg(194, 1), m.sg(195, 1); },
         "Q104 arrival.mothership1"},
        {"departure 2 from #9", [](Mission& m) { m.sg(200, 9), m.sg(201, 2); },
         "Q103 departure.mothership2"},
        {"arrival trigger 2 subject #3",
         [](Mission& m) { m.sg(142, 2), m.sg(143, 1), m.sg(144, 3); },
         "Q105 arrival.trigger2.subject"},
        {"arrival trigger 2 subject IFF 3", [](Mission& m) { m.sg(143, 5), m.sg(144, 3); }, ""},
        {"departure trigger 1 subject #200", [](Mission& m) { m.sg(173, 1), m.sg(174, 200); },
         "Q105 departure.trigger1.subject"},
        // Each (mothership, method) pair on its own bytes, at the count.
        {"arrival 1 from #3 of 3", [](Mission& m) { m.sg(194, 3), m.sg(195, 1); },
         "Q103 arrival.mothership1"},
        {"arrival 2 from #3 of 3", [](Mission& m) { m.sg(196, 3), m.sg(197, 1); },
         "Q103 arrival.mothership2"},
        {"departure 1 from #3 of 3", [](Mission& m) { m.sg(198, 3), m.sg(199, 1); },
         "Q103 departure.mothership1"},
        {"departure 2 from #3 of 3", [](Mission& m) { m.sg(200, 3), m.sg(201, 1); },
         "Q103 departure.mothership2"},
        {"departure 1 from #2, arrival 1 byte 9 by hyperspace",
         [](Mission& m) { m.sg(198, 2), m.sg(199, 1), m.sg(194, 9), m.sg(195, 0); }, ""},
        {"arrival 1 from #2, departure 1 byte 9 by hyperspace",
         [](Mission& m) { m.sg(194, 2), m.sg(195, 1), m.sg(198, 9), m.sg(199, 0); }, ""},
        {"departure 2 from #2, arrival 2 byte 9 by hyperspace",
         [](Mission& m) { m.sg(200, 2), m.sg(201, 1), m.sg(196, 9), m.sg(197, 0); }, ""},
        {"arrival 2 from #2, departure 2 byte 9 by hyperspace",
         [](Mission& m) { m.sg(196, 2), m.sg(197, 1), m.sg(200, 9), m.sg(201, 0); }, ""},
    });
}

TEST(Lint, ShipgroupCodes) {
    runRows({
        {"craft type 255", [](Mission& m) { m.sg(107, 255); }, "Q110 craftType"},
        {"craft type 9, unused", [](Mission& m) { m.sg(107, 9); }, "Q111 craftType"},
        {"craft type 5", [](Mission& m) { m.sg(107, 5); }, ""},
        {"user-defined optional craft 3 of type 9",
         [](Mission& m) { m.sg(3550, 4), m.sg(3553, 9), m.sg(3563, 2); },
         "Q111 optionalShip3.craftType"},
        {"order 61", [](Mission& m) { m.sg(202, 61); }, "Q112 region1.order1.order"},
        {"order 60", [](Mission& m) { m.sg(202, 60); }, ""},
        {"condition 51", [](Mission& m) { m.sg(136, 51); }, "Q113 arrival.trigger1.condition"},
        {"amount 37", [](Mission& m) { m.sg(139, 37); }, "Q113 arrival.trigger1.amount"},
        {"amount 36", [](Mission& m) { m.sg(139, 36); }, ""},
        {"target 2 type 27", [](Mission& m) { m.sg(216, 27); }, "Q113 region1.order1.target2Type"},
        {"goal 2 condition 51", [](Mission& m) { m.sg(2907, 51); }, "Q113 goal2.condition"},
        {"AI skill 16", [](Mission& m) { m.sg(114, 16); }, "Q114 aiSkill"},
        {"AI skill 15", [](Mission& m) { m.sg(114, 15); }, ""},
        {"status 2 = 31", [](Mission& m) { m.sg(3529, 31); }, "Q114 status2"},
        {"countermeasure 6", [](Mission& m) { m.sg(3527, 6); }, "Q114 countermeasure"},
        {"radio 17", [](Mission& m) { m.sg(116, 17); }, "Q114 radio"},
        {"special cargo 16", [](Mission& m) { m.sg(25, 16); }, "Q114 specialCargoIndex"},
        {"special cargo 15", [](Mission& m) { m.sg(25, 15); }, ""},
        {"IFF 6", [](Mission& m) { m.sg(112, 6); }, "Q115 iff"},
        {"IFF 5", [](Mission& m) { m.sg(112, 5); }, ""},
        {"team 10", [](Mission& m) { m.sg(113, 10); }, "Q116 team"},
        {"team 9", [](Mission& m) { m.sg(113, 9); }, ""},
        {"hyperspace to region 4", [](Mission& m) { m.sg(202, 50), m.sg(204, 4); },
         "Q117 region1.order1.param1"},
        {"hyperspace to region 3", [](Mission& m) { m.sg(202, 51), m.sg(204, 3); }, ""},
        {"arrival method 6", [](Mission& m) { m.sg(195, 6), m.sg(194, 0); },
         "Q119 arrival.method1"},
        {"start point 2 enabled in region 4", [](Mission& m) { m.sg(3480, 1), m.sg(3499, 4); },
         "Q120 startPoint2.region"},
        {"start point 2 disabled in region 4", [](Mission& m) { m.sg(3499, 4); }, ""},
    });
}

TEST(Lint, NamesAndImpossibleArrivals) {
    runRows({
        {"groups 0 and 2 named alike",
         [](Mission& m) { m.store.setText(Table::Shipgroups, 2, 0, 20, "Wing 0"); }, "Q130 name"},
        {"named alike up to the terminator",
         [](Mission& m) {
             m.store.setText(Table::Shipgroups, 2, 0, 20, "Wing 0");
             m.sg(7, 'x', 2);
         },
         "Q130 name"},
        {"names alike in the 19 characters the lists show",
         [](Mission& m) {
             m.store.setText(Table::Shipgroups, 1, 0, 20, "Nineteen characters1");
             m.store.setText(Table::Shipgroups, 2, 0, 20, "Nineteen characters2");
         },
         "Q130 name"},
        {"names apart in the 19th character",
         [](Mission& m) {
             m.store.setText(Table::Shipgroups, 1, 0, 20, "Nineteen characterA1");
             m.store.setText(Table::Shipgroups, 2, 0, 20, "Nineteen characterB1");
         },
         ""},
        {"trigger 1 FALSE, joined by And", [](Mission& m) { m.sg(136, 10); }, "Q142 arrival"},
        {"trigger 1 FALSE, Or trigger 2", [](Mission& m) { m.sg(136, 10), m.sg(150, 1); }, ""},
        {"condition 1 FALSE, Or condition 2",
         [](Mission& m) { m.sg(136, 10), m.sg(142, 10), m.sg(150, 1), m.sg(168, 1); }, ""},
        {"both conditions FALSE, Or",
         [](Mission& m) { m.sg(136, 10), m.sg(158, 10), m.sg(168, 1); }, "Q142 arrival"},
    });
    Mission m;
    m.store.setText(Table::Shipgroups, 2, 0, 20, "Wing 0");
    const auto ps = m.lint();
    ASSERT_EQ(ps.size(), 1u);
    EXPECT_EQ(ps[0].location.index, 2) << "the later group carries the warning";
}

TEST(Lint, MessagesAndGlobalGoals) {
    auto msg = [](Mission& m, int offset, int value) {
        m.store.messageCount = 2;
        m.store.setText(Table::Messages, 0, 2, 64, "Go");
        m.store.setText(Table::Messages, 1, 2, 64, "Hold");
        m.store.setByte(Table::Messages, 1, offset, static_cast<uint8_t>(value));
    };
    runRows({
        {"two messages with texts", [&](Mission& m) { msg(m, 82, 1); }, ""},
        {"message 2 without text", [&](Mission& m) { msg(m, 2, 0); }, "Q140 text"},
        {"message 2 trigger 3 subject #8", [&](Mission& m) { msg(m, 109, 1), msg(m, 110, 8); },
         "Q105 trigger3.subject"},
        {"colour 6", [&](Mission& m) { msg(m, 142, 6); }, "Q118 colour"},
        {"colour 5", [&](Mission& m) { msg(m, 142, 5); }, ""},
        {"triggers 1 and 2 FALSE, Or",
         [&](Mission& m) { msg(m, 92, 10), msg(m, 98, 10), msg(m, 106, 1); }, "Q141 triggers"},
        {"... and condition 2 Or'd in",
         [&](Mission& m) { msg(m, 92, 10), msg(m, 98, 10), msg(m, 106, 1), msg(m, 124, 1); }, ""},
        // Team 2's record, prevent block (2 + 122), goal 3 at +16.
        {"team 2 prevent goal 3 subject #200",
         [](Mission& m) {
             m.store.setByte(Table::GlobalGoals, 1, 141, 1),
                 m.store.setByte(Table::GlobalGoals, 1, 142, 200);
         },
         "Q105 team2.prevent.goal3.subject"},
        {"goal amount 50", [](Mission& m) { m.store.setByte(Table::GlobalGoals, 0, 5, 50); }, ""},
        {"goal amount 51", [](Mission& m) { m.store.setByte(Table::GlobalGoals, 0, 5, 51); },
         "Q113 team1.primary.goal1.amount"},
    });
}

TEST(Lint, BriefingCommands) {
    auto show = [](Mission& m, int time, int slot, int type = 4) {
        m.briefing.appendCommand(BRC_SHOW, time, {slot, type, 0});
    };
    runRows({
        {"move a ship never shown",
         [](Mission& m) {
             m.briefing.appendCommand(BRC_COORD, 100, {4, 10, 10});
         },
         "Q151 BRC_COORD"},
        {"move a ship shown before",
         [&](Mission& m) {
             show(m, 50, 4), m.briefing.appendCommand(BRC_COORD, 100, {4, 10, 10});
         },
         ""},
        {"select before the show",
         [&](Mission& m) { show(m, 150, 4), m.briefing.appendCommand(BRC_SELECT3, 100, {4}); },
         "Q151 BRC_SELECT3"},
        {"turn a hidden slot",
         [&](Mission& m) {
             show(m, 50, 4, 0), m.briefing.appendCommand(BRC_ORIENT, 100, {4, 1});
         },
         "Q151 BRC_ORIENT"},
        {"tech data of slot 7",
         [&](Mission& m) {
             show(m, 5, 4), m.briefing.appendCommand(BRC_TECH, 10, {1, 7});
         },
         "Q151 BRC_TECH"},
        {"tag 128",
         [](Mission& m) {
             m.briefing.appendCommand(BRC_TAG2, 10, {128, 0, 0, 1});
         },
         "Q152 BRC_TAG2"},
        {"tag 127",
         [](Mission& m) {
             m.briefing.appendCommand(BRC_TAG2, 10, {127, 0, 0, 1});
         },
         ""},
        {"tag colour 6",
         [](Mission& m) {
             m.briefing.appendCommand(BRC_TAG1, 10, {0, 0, 0, 6});
         },
         "Q157 BRC_TAG1"},
        {"ship of IFF 6",
         [&](Mission& m) {
             show(m, 10, 2), m.briefing.appendCommand(BRC_SHOW, 20, {3, 4, 6});
         },
         "Q157 BRC_SHOW"},
        {"text 200", [](Mission& m) { m.briefing.appendCommand(BRC_LOWER, 10, {200}); },
         "Q153 BRC_LOWER"},
        {"text 300 is written as 44",
         [](Mission& m) { m.briefing.appendCommand(BRC_LOWER, 10, {300}); }, ""},
        {"region 4", [](Mission& m) { m.briefing.appendCommand(BRC_REGION, 10, {4}); },
         "Q154 BRC_REGION"},
        {"region 3", [](Mission& m) { m.briefing.appendCommand(BRC_REGION, 10, {3}); }, ""},
        {"zoom 0",
         [](Mission& m) {
             m.briefing.appendCommand(BRC_ZOOM, 10, {0, 0});
         },
         "Q155 BRC_ZOOM"},
        {"zoom 256",
         [](Mission& m) {
             m.briefing.appendCommand(BRC_ZOOM, 10, {256, 256});
         },
         "Q155 BRC_ZOOM"},
        {"zoom 100",
         [](Mission& m) {
             m.briefing.appendCommand(BRC_ZOOM, 10, {100, 100});
         },
         ""},
        {"skip at 3001, length 3000", [](Mission& m) { m.briefing.appendCommand(BRC_SKIP, 3001); },
         "Q150 BRC_SKIP"},
        {"skip at 3000", [](Mission& m) { m.briefing.appendCommand(BRC_SKIP, 3000); }, ""},
        {"skip at 65535 is never written",
         [](Mission& m) { m.briefing.appendCommand(BRC_SKIP, 65535); }, ""},
    });
}

TEST(Lint, EventAreaFillsUp) {
    // 1000 moves and 500 shows take 10 bytes each, tags 12, the end command 4:
    // with 127 tags 16528 of 17408 bytes are used, with 128 tags 16540, past 95 %.
    for (int tags : {127, 128}) {
        Mission m;
        for (int i = 0; i < 1000; ++i) m.briefing.appendCommand(BRC_COORD, 1, {i % 255, 0, 0});
        for (int i = 0; i < 500; ++i) m.briefing.appendCommand(BRC_SHOW, 1, {i % 255, 4, 0});
        for (int i = 0; i < tags; ++i) m.briefing.appendCommand(BRC_TAG1, 1, {0, 0, 0, 0});
        EXPECT_EQ(found(m.lint()).count("Q156 event area"), tags == 128 ? 1u : 0u) << tags;
    }
}

TEST(Lint, FixesWriteThroughTheJournal) {
    Mission m;
    mission::ChangeJournal journal(m.store);
    m.briefing.appendCommand(BRC_SKIP, 100);
    m.briefing.appendCommand(BRC_SKIP, 3100);
    m.briefing.appendCommand(BRC_SKIP, 200);
    m.sg(214, 1), m.sg(215, 40);  // target 1 names #40
    m.sg(143, 1), m.sg(144, 7);   // arrival trigger 2 names #7
    m.sg(198, 2), m.sg(199, 1);   // departs into the hangar of #2: fine
    journal.clear();
    auto ps = m.lint();
    std::vector<std::string> labels;
    for (const auto& p : ps) labels.push_back(std::string(p.fix ? p.fix->label : "-"));
    EXPECT_EQ(labels, (std::vector<std::string>{"Set the subject to none", "Set the target to none",
                                                "Remove the command"}));
    for (const auto& p : ps) {
        journal.beginAction(p.fix->label);
        EXPECT_TRUE(applyFix(m.store, m.briefing, *p.fix));
        journal.endAction();
    }
    EXPECT_TRUE(m.lint().empty());
    EXPECT_EQ(m.store.byte(Table::Shipgroups, 1, 214), 0) << "target type none";
    EXPECT_EQ(m.store.byte(Table::Shipgroups, 1, 215), 0)
        << "type and number none, as Delete leaves them";
    EXPECT_EQ(m.store.byte(Table::Shipgroups, 1, 143), 0);
    EXPECT_EQ(m.store.byte(Table::Shipgroups, 1, 144), 0);
    ASSERT_EQ(m.briefing.count(BRC_SKIP), 2);
    EXPECT_EQ(m.briefing.record(BRC_SKIP, 1).time, 200) << "the command at 3100 went";
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(journal.undo());
    EXPECT_FALSE(journal.canUndo());
    EXPECT_EQ(found(m.lint()), found(ps));
    // A fix that no longer fits changes nothing.
    Fix stale = *ps.back().fix;
    stale.commandIndex = 9;
    EXPECT_FALSE(applyFix(m.store, m.briefing, stale));
    Fix beyond = *ps.front().fix;
    beyond.slot = 3;  // behind the shipgroup count
    EXPECT_FALSE(applyFix(m.store, m.briefing, beyond));

    // Each of the four targets of order 1 (type, number) clears both of its
    // own bytes and nothing between them.
    for (auto [type, number] : {std::pair{214, 215}, {216, 217}, {208, 210}, {209, 211}}) {
        SCOPED_TRACE(type);
        Mission t;
        for (int o = 208; o <= 217; ++o) t.sg(o, 1);
        t.sg(number, 40);
        t.sg(type, 1);
        const auto found = t.lint();
        ASSERT_EQ(found.size(), 1u);
        ASSERT_TRUE(found[0].fix && applyFix(t.store, t.briefing, *found[0].fix));
        for (int o = 208; o <= 217; ++o)
            EXPECT_EQ(t.store.byte(Table::Shipgroups, 1, o), o == type || o == number ? 0 : 1) << o;
    }
}

TEST(Lint, LinesOrderAndCounts) {
    Mission m;
    m.store.messageCount = 1;  // message 1 has no text
    m.briefing.appendCommand(BRC_REGION, 40, {9});
    m.sg(113, 12, 2), m.sg(112, 7, 2);
    m.sg(107, 9, 0);
    std::vector<std::string> lines;
    for (const auto& p : m.lint()) lines.push_back(problemLine(p, m.store));
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "Q111 warning shipgroup #0 \"Wing 0\" craftType: craft type 9 is \"Unused\" in "
                  "the craft list",
                  "Q115 error shipgroup #2 \"Wing 2\" iff: IFF 7 is not one of the six IFFs (0..5)",
                  "Q116 error shipgroup #2 \"Wing 2\" team: team code 12 is not one of the ten "
                  "teams (0..9)",
                  "Q140 warning message 1 text: the message has no text",
                  "Q154 error briefing BRC_REGION 1 at 40: region code 9 is not one of the four "
                  "regions (0..3)",
              }));
    EXPECT_EQ(countsText(countProblems(m.lint())), "3 errors, 2 warnings");
    EXPECT_EQ(countsText({1, 1}), "1 error, 1 warning");
    EXPECT_EQ(countsText({}), "No problems");
    std::set<std::string> codes;
    for (const auto& r : rules()) EXPECT_TRUE(codes.insert(std::string(r.code)).second) << r.code;
}

TEST(Lint, SentencesAndFieldsAreWrittenWhenShown) {
    // The numbers a sentence keeps: the count's plural, signs, a lone '%'.
    EXPECT_EQ(
        (Text{"the target is shipgroup #%0, but the mission has %1 shipgroup%s1", {5, 1}}.str()),
        "the target is shipgroup #5, but the mission has 1 shipgroup");
    EXPECT_EQ((Text{"zoom %0 shows as zoom 0", {-256}}.str()), "zoom -256 shows as zoom 0");
    EXPECT_EQ((Text{"amount code %0 is not one of the %1 amounts (0..%2)", {60, 51, 50}}.str()),
              "amount code 60 is not one of the 51 amounts (0..50)");
    EXPECT_EQ((Text{"95 % full, %3 and %"}.str()), "95 % full, %3 and %");
    EXPECT_EQ((Text{"a %0", {1}}), (Text{"a %0", {1}}));
    EXPECT_NE((Text{"a %0", {1}}), (Text{"a %0", {2}}));

    // The longest name a rule gives fits whole; a longer one is cut, not overrun.
    FieldName longest("team");
    longest.append(10).append(".secondary.goal").append(4).append(".subjectType");
    EXPECT_EQ(longest.view(), "team10.secondary.goal4.subjectType");
    FieldName tooLong(std::string(60, 'x'));
    tooLong.append(-12345);
    EXPECT_EQ(tooLong.str(), std::string(FieldName::kCapacity, 'x'));

    // Through the rules: one shipgroup, its order aiming at #5.
    Mission m;
    m.store.shipgroupCount = 1;
    m.sg(214, 1, 0), m.sg(215, 5, 0);
    const auto ps = m.lint();
    ASSERT_EQ(ps.size(), 1u);
    EXPECT_EQ(problemLine(ps[0], m.store),
              "Q101 error shipgroup #0 \"Wing 0\" region1.order1.target1: the target is shipgroup "
              "#5, but the "
              "mission has 1 shipgroup");
}

TEST(Lint, BundledAndGeneratedMissionsLint) {
    mission::CraftList craft;
    craft.load(std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT");
    auto lintFile = [&](std::span<const uint8_t> file) {
        mission::MissionStore s;
        BriefingModel b(s);
        mission::resetToNewMission(s);
        mission::readMission(file, s);
        b.parseBriefing();
        return lintMission(s, b, craft);
    };
    {
        Mission fresh;
        mission::resetToNewMission(fresh.store);
        EXPECT_TRUE(lintMission(fresh.store, fresh.briefing, craft).empty()) << "a new mission";
    }
    auto sample =
        mission::readWholeFile(std::string(QUENDAR_DATA_DIR) + "/samples/lantern-run.tie");
    ASSERT_TRUE(sample);
    EXPECT_EQ(countProblems(lintFile(*sample)).errors, 0) << "the sample";
    lintFile(testing::largestMissionFile());
    // Random bytes everywhere, counts up to 255 and cut files: no crash, no
    // read outside a table.
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        mission::MissionStore s;
        testing::fillRandomMission(s, seed, static_cast<int>(seed * 21 % 256),
                                   static_cast<int>(seed * 37 % 256));
        auto file = mission::writeMission(s);
        file.resize(file.size() * seed / 13);
        EXPECT_FALSE(lintFile(file).empty());
    }
}

}  // namespace
}  // namespace quendar::lint
