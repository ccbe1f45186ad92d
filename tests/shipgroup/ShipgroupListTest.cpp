#include <gtest/gtest.h>

#include "Fixture.h"
#include "shipgroup/CodeTables.h"

namespace quendar::shipgroup::test {
namespace {

using enum ShipgroupEvent;

TEST(ShipgroupList, AddAndCopyRespectTheLimitAndBroadcast) {
    Fixture f(198);
    ShipgroupList list(f.ctx);
    EXPECT_TRUE(list.add("A name longer than nineteen"));
    EXPECT_EQ(f.store.shipgroupCount, 199);
    EXPECT_EQ(f.store.currentShipgroup, 198);
    EXPECT_EQ(f.rec(198).name(), "A name longer than ");
    EXPECT_EQ(f.store.byte(Table::Header, 0, 2), 199);
    EXPECT_EQ(f.sent, (Sent{Added, CurrentChanged}));

    // At 199 nothing happens, silently.
    f.sent.clear();
    EXPECT_FALSE(list.add("x"));
    EXPECT_FALSE(list.copy());
    EXPECT_EQ(f.store.shipgroupCount, 199);
    EXPECT_TRUE(f.sent.empty());
    EXPECT_TRUE(f.prompter.asked.empty());

    // An empty name gives an empty name; the 20th character stays.
    Fixture g(1);
    g.put(1, sg::name + 19, 'Z');
    ShipgroupList l2(g.ctx);
    l2.add("");
    EXPECT_EQ(g.rec(1).name(), "");
    EXPECT_EQ(g.at(1, sg::name + 19), 'Z');
}

TEST(ShipgroupList, CopyDuplicatesEveryFieldIncludingSelfReferences) {
    Fixture f(3);
    f.store.currentShipgroup = 1;
    f.put(1, sg::arrivalTrigger1 + 1, kSubjectFlightgroup);
    f.put(1, sg::arrivalTrigger1 + 2, 1);  // refers to itself
    f.put(1, sg::orderOffset(2, 3) + 13, 1);
    f.put(1, 3600, 77);
    f.store.setText(Table::OrderStrings, mission::orderStringIndex(3, 0, 0), 0, 64, "stale");
    ShipgroupList list(f.ctx);
    ASSERT_TRUE(list.copy());
    EXPECT_EQ(f.store.currentShipgroup, 3);
    auto a = f.store.slot(Table::Shipgroups, 1);
    auto b = f.store.slot(Table::Shipgroups, 3);
    EXPECT_TRUE(std::equal(a.begin(), a.end(), b.begin()));
    EXPECT_EQ(f.at(3, sg::arrivalTrigger1 + 2), 1);
    // Texts are not copied, and nothing stale shows through.
    EXPECT_EQ(f.store.text(Table::OrderStrings, mission::orderStringIndex(3, 0, 0), 0, 64), "");
}

TEST(ShipgroupList, DeleteSelectedRenumbersReferences) {
    Fixture f(6);
    // Shipgroup 0 refers to 4, 2 and 1 in several ways.
    auto trig = [&](int t, int type, int subject) {
        f.put(0, t + 1, type);
        f.put(0, t + 2, subject);
    };
    trig(sg::arrivalTrigger1, kSubjectFlightgroup, 4);
    trig(sg::arrivalTrigger2, kSubjectFlightgroup, 2);
    trig(sg::arrivalTrigger3, kSubjectFlightgroup, 1);
    trig(sg::departureTrigger2, kSubjectIff, 4);  // not a shipgroup: untouched
    f.put(0, sg::arrivalMethod1, kMethodHangar);
    f.put(0, sg::arrivalMothership1, 5);
    f.put(0, sg::arrivalMethod2, kMethodHyperspace);
    f.put(0, sg::arrivalMothership2, 2);  // Hyperspace: never renumbered
    f.put(0, sg::departureMethod1, kMethodHangar);
    f.put(0, sg::departureMothership1, 2);
    const int o = sg::orderOffset(3, 2);
    f.put(0, o + 12, kSubjectFlightgroup);
    f.put(0, o + 13, 3);
    f.put(0, o + 6, kSubjectFlightgroup);  // target 3 type
    f.put(0, o + 8, 2);                    // target 3
    f.put(0, o + 0, kOrderDropOff);
    f.put(0, o + 3, 5);
    // Shipgroup 5 (old) refers to 4.
    f.put(5, sg::departureTrigger1 + 1, kSubjectFlightgroup);
    f.put(5, sg::departureTrigger1 + 2, 4);
    f.store.setText(Table::OrderStrings, mission::orderStringIndex(3, 0, 0), 0, 64, "third");

    // Triggers outside the records: a global goal of team 3 and message 1.
    const int goal = 2 + 122 * 1 + 16;  // kind 1, goal 3
    f.store.setByte(Table::GlobalGoals, 3, goal + 1, kSubjectFlightgroup);
    f.store.setByte(Table::GlobalGoals, 3, goal + 2, 5);
    f.store.messageCount = 2;
    f.store.setByte(Table::Messages, 1, 108 + 1, kSubjectFlightgroup);
    f.store.setByte(Table::Messages, 1, 108 + 2, 2);
    f.store.setByte(Table::Messages, 0, 92 + 1, kSubjectIff);
    f.store.setByte(Table::Messages, 0, 92 + 2, 3);

    f.store.currentShipgroup = 2;
    f.prompter.answers = {Answer::No};
    ShipgroupList list(f.ctx);
    EXPECT_FALSE(list.deleteSelected());
    EXPECT_EQ(f.store.shipgroupCount, 6);
    EXPECT_EQ(f.at(0, sg::arrivalTrigger1 + 2), 4);

    f.prompter.answers = {Answer::Yes};
    f.sent.clear();
    ASSERT_TRUE(list.deleteSelected());
    EXPECT_EQ(f.prompter.asked.back(), "Deleting selected shipgroup: Are you sure?");
    EXPECT_EQ(f.store.shipgroupCount, 5);
    EXPECT_EQ(f.rec(2).name(), "G3");
    EXPECT_EQ(f.rec(4).name(), "G5");
    EXPECT_EQ(f.rec(5).name(), "Noname");
    EXPECT_EQ(f.sent, (Sent{ListCleared, ListRefilled, CurrentChanged}));
    EXPECT_EQ(f.store.byte(Table::Header, 0, 2), 5);

    EXPECT_EQ(f.at(0, sg::arrivalTrigger1 + 2), 3);  // old 4 -> 3
    EXPECT_EQ(f.at(0, sg::arrivalTrigger2 + 1), 0);  // named 2 -> None
    EXPECT_EQ(f.at(0, sg::arrivalTrigger2 + 2), 0);
    EXPECT_EQ(f.at(0, sg::arrivalTrigger3 + 2), 1);  // named 1 stays
    EXPECT_EQ(f.at(0, sg::departureTrigger2 + 2), 4);
    EXPECT_EQ(f.at(0, sg::arrivalMothership1), 4);
    EXPECT_EQ(f.at(0, sg::arrivalMothership2), 2);
    EXPECT_EQ(f.at(0, sg::arrivalMethod2), kMethodHyperspace);
    EXPECT_EQ(f.at(0, sg::departureMethod1), 0);
    EXPECT_EQ(f.at(0, sg::departureMothership1), 0);
    EXPECT_EQ(f.at(0, o + 13), 2);
    EXPECT_EQ(f.at(0, o + 6), 0);
    EXPECT_EQ(f.at(0, o + 8), 0);
    EXPECT_EQ(f.at(0, o + 3), 4);
    EXPECT_EQ(f.at(4, sg::departureTrigger1 + 2), 3);
    EXPECT_EQ(f.store.byte(Table::GlobalGoals, 3, goal + 2), 4);
    EXPECT_EQ(f.store.byte(Table::Messages, 1, 108 + 1), 0);
    EXPECT_EQ(f.store.byte(Table::Messages, 1, 108 + 2), 0);
    EXPECT_EQ(f.store.byte(Table::Messages, 0, 92 + 2), 3);
    // The texts moved with their record.
    EXPECT_EQ(f.store.text(Table::OrderStrings, mission::orderStringIndex(2, 0, 0), 0, 64),
              "third");
    EXPECT_EQ(f.store.text(Table::OrderStrings, mission::orderStringIndex(3, 0, 0), 0, 64), "");
    EXPECT_EQ(f.at(5, sg::globalUnit), 0);
    EXPECT_EQ(f.at(5, sg::aiSkill), 0);
}

TEST(ShipgroupList, DeletingTheLastOneSelectsTheNewLastAndFreesItsSlot) {
    Fixture f(3);
    f.store.currentShipgroup = 2;
    f.prompter.answers = {Answer::Yes};
    ShipgroupList list(f.ctx);
    ASSERT_TRUE(list.deleteSelected());
    EXPECT_EQ(f.store.currentShipgroup, 1);

    f.store.currentShipgroup = 1;
    f.putBytes(Table::Shipgroups, 0,
               {{sg::arrivalTrigger1 + 1, kSubjectFlightgroup},
                {sg::arrivalTrigger1 + 2, 1},
                {sg::arrivalTrigger2 + 1, kSubjectFlightgroup},
                {sg::arrivalTrigger2 + 2, 0}});
    f.prompter.answers = {Answer::Yes};
    ASSERT_TRUE(list.deleteLast());
    EXPECT_EQ(f.prompter.asked.back(), "Deleting last shipgroup: Are you sure?");
    EXPECT_EQ(f.store.shipgroupCount, 1);
    EXPECT_EQ(f.store.currentShipgroup, 0);
    // A reference to the removed last shipgroup becomes None, so that it
    // does not name the next shipgroup added in its slot.
    EXPECT_EQ(f.at(0, sg::arrivalTrigger1 + 1), 0);
    EXPECT_EQ(f.at(0, sg::arrivalTrigger1 + 2), 0);
    EXPECT_EQ(f.at(0, sg::arrivalTrigger2 + 1), kSubjectFlightgroup);
    // globalUnit 1 only in the slot Delete last frees; Add reuses it.
    EXPECT_EQ(f.at(1, sg::globalUnit), 1);
    EXPECT_EQ(f.at(2, sg::globalUnit), 0);
    list.add("again");
    EXPECT_EQ(f.at(1, sg::globalUnit), 1);
    EXPECT_EQ(f.rec(1).name(), "again");
    EXPECT_EQ(f.at(1, sg::craftType), 1);
    EXPECT_EQ(f.at(1, sg::specialCargoIndex), 255);
    EXPECT_EQ(f.at(1, sg::byte129), 64);

    // With one shipgroup the deletions do nothing and ask nothing.
    Fixture one(1);
    ShipgroupList l1(one.ctx);
    EXPECT_FALSE(l1.deleteLast());
    EXPECT_FALSE(l1.deleteSelected());
    EXPECT_TRUE(one.prompter.asked.empty());
    EXPECT_TRUE(one.sent.empty());
}

TEST(ShipgroupList, EveryMothershipFollowsADeletionAndDeleteLastMovesNothing) {
    // Shipgroup 0 docks with 3 and 4 on arrival and with 4 and 5 on departure,
    // all four by "Hangar"; shipgroup 5 names 2 on departure by "Hyperspace".
    const int methods[4] = {sg::arrivalMethod1, sg::arrivalMethod2, sg::departureMethod1,
                            sg::departureMethod2};
    const int ships[4] = {sg::arrivalMothership1, sg::arrivalMothership2, sg::departureMothership1,
                          sg::departureMothership2};
    const int named[4] = {3, 4, 4, 5};
    Fixture f(6);
    for (int k = 0; k < 4; ++k) {
        f.put(0, methods[k], kMethodHangar);
        f.put(0, ships[k], named[k]);
    }
    f.put(5, sg::departureMethod2, kMethodHyperspace);
    f.put(5, sg::departureMothership2, 2);
    f.store.currentShipgroup = 2;
    f.prompter.answers = {Answer::Yes};
    ShipgroupList list(f.ctx);
    ASSERT_TRUE(list.deleteSelected());
    const int shifted[4] = {2, 3, 3, 4};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(f.at(0, methods[k]), kMethodHangar);
        EXPECT_EQ(f.at(0, ships[k]), shifted[k]);
    }
    EXPECT_EQ(f.at(4, sg::departureMothership2), 2);  // moved from 5; not a shipgroup

    // Delete last (shipgroup 4 of 0..4): the one naming it becomes None; a
    // reference that already pointed past the end keeps its number.
    f.putBytes(Table::Shipgroups, 1,
               {{sg::arrivalTrigger1 + 1, kSubjectFlightgroup},
                {sg::arrivalTrigger1 + 2, 7},
                {sg::departureTrigger2 + 1, kSubjectFlightgroup},
                {sg::departureTrigger2 + 2, 4}});
    f.prompter.answers = {Answer::Yes};
    ASSERT_TRUE(list.deleteLast());
    EXPECT_EQ(f.store.shipgroupCount, 4);
    EXPECT_EQ(f.at(0, sg::departureMothership2), 0);  // named 4, the deleted one
    EXPECT_EQ(f.at(0, sg::departureMethod2), 0);
    EXPECT_EQ(f.at(0, sg::arrivalMothership2), 3);
    f.expectBytes(Table::Shipgroups, 1,
                  {{sg::arrivalTrigger1 + 1, kSubjectFlightgroup},
                   {sg::arrivalTrigger1 + 2, 7},
                   {sg::departureTrigger2 + 1, 0},
                   {sg::departureTrigger2 + 2, 0}});
}

TEST(ShipgroupList, ADropOffWhoseDeployedGroupIsDeletedNamesNoLiveShipgroup) {
    Fixture f(5);
    const int o = sg::orderOffset(1, 3);
    f.put(0, o, kOrderDropOff);
    f.put(0, o + 3, 2);  // deploys shipgroup 2
    const int q = sg::orderOffset(0, 0);
    f.put(1, q, kOrderDropOff);
    f.put(1, q + 3, 4);  // deploys shipgroup 4
    f.put(3, q, 7);      // "Destroy targets": its second parameter is a plain number
    f.put(3, q + 3, 2);
    f.store.currentShipgroup = 2;
    f.prompter.answers = {Answer::Yes, Answer::Yes};
    ShipgroupList list(f.ctx);
    ASSERT_TRUE(list.deleteSelected());
    EXPECT_EQ(f.at(0, o + 3), kNoDeployedShipgroup);
    EXPECT_GE(f.at(0, o + 3), f.store.shipgroupCount);
    EXPECT_EQ(f.at(1, q + 3), 3);
    EXPECT_EQ(f.at(2, q + 3), 2);  // the old shipgroup 3, moved down
    // A later deletion leaves the no-shipgroup value alone.
    f.store.currentShipgroup = 0;
    ASSERT_TRUE(list.deleteSelected());
    EXPECT_EQ(f.at(0, q + 3), 2);  // old 1, deploying old 4
}

TEST(ShipgroupList, SelectStaysInsideTheList) {
    Fixture f(3);
    ShipgroupList list(f.ctx);
    EXPECT_TRUE(list.select(2));
    EXPECT_EQ(f.store.currentShipgroup, 2);
    EXPECT_FALSE(list.select(3));
    EXPECT_FALSE(list.select(-1));
    EXPECT_EQ(f.store.currentShipgroup, 2);
    EXPECT_EQ(f.sent, (Sent{CurrentChanged}));
}

}  // namespace
}  // namespace quendar::shipgroup::test
