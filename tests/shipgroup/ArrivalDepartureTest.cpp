#include <gtest/gtest.h>

#include <set>

#include "Fixture.h"
#include "shipgroup/ArrivalDepartureForm.h"
#include "shipgroup/CodeTables.h"

namespace quendar::shipgroup::test {
namespace {

using Which = ArrivalDepartureForm::Which;

TEST(ArrivalDeparture, MethodAndMothershipSettingsHaveBytesOfTheirOwn) {
    Fixture f(6);
    f.store.currentShipgroup = 1;
    ArrivalDepartureForm arrival(f.ctx, Which::Arrival);
    f.open.push_back(&arrival);
    ArrivalDepartureForm departure(f.ctx, Which::Departure);
    f.open.push_back(&departure);
    struct Row {
        ArrivalDepartureForm& form;
        const char* id;
        int offset;
        int value;
    };
    // Motherships need a method other than Hyperspace to be editable.
    const Row rows[] = {
        {arrival, "method1", sg::arrivalMethod1, 1},
        {arrival, "mothership1", sg::arrivalMothership1, 2},
        {arrival, "method2", sg::arrivalMethod2, 3},
        {arrival, "mothership2", sg::arrivalMothership2, 4},
        {departure, "method1", sg::departureMethod1, 5},
        {departure, "mothership1", sg::departureMothership1, 2},
        {departure, "method2", sg::departureMethod2, 1},
        {departure, "mothership2", sg::departureMothership2, 3},
    };
    for (const auto& r : rows) {
        std::vector<int> before;
        for (int b = 194; b <= 201; ++b) before.push_back(f.at(1, b));
        r.form.choose(r.id, r.value);
        EXPECT_EQ(f.at(1, r.offset), r.value) << r.id;
        EXPECT_EQ(r.form.valueOf(r.id), r.value) << r.id;
        for (int b = 194; b <= 201; ++b)
            if (b != r.offset) {
                EXPECT_EQ(f.at(1, b), before[b - 194]) << r.id << " touched " << b;
            }
    }
    // Every byte of 194..201 holds its own setting now.
    std::set<int> offsets;
    for (const auto& r : rows) offsets.insert(r.offset);
    EXPECT_EQ(offsets.size(), 8u);
    EXPECT_EQ(f.at(0, sg::arrivalMethod1), 0);  // other shipgroups untouched
}

TEST(ArrivalDeparture, MothershipFollowsItsMethod) {
    Fixture f(3);
    ArrivalDepartureForm form(f.ctx, Which::Arrival);
    f.open.push_back(&form);
    EXPECT_FALSE(form.find("mothership1")->isEnabled());
    form.choose("mothership1", 2);  // disabled: nothing written
    EXPECT_EQ(f.at(0, sg::arrivalMothership1), 0);
    form.choose("method1", kMethodHangar);
    ASSERT_TRUE(form.find("mothership1")->isEnabled());
    form.choose("mothership1", 2);
    EXPECT_EQ(form.itemsOf("mothership1"), (std::vector<std::string>{"G0", "G1", "G2"}));
    form.choose("method1", kMethodHyperspace);
    EXPECT_FALSE(form.find("mothership1")->isEnabled());
    EXPECT_EQ(f.at(0, sg::arrivalMothership1), 2);  // the stored mothership stays
}

TEST(ArrivalDeparture, SubjectTypeChangeKeepsTheSubject) {
    Fixture f(4);
    ArrivalDepartureForm form(f.ctx, Which::Arrival);
    f.open.push_back(&form);
    form.choose("t3.subjectType", kSubjectFlightgroup);
    EXPECT_EQ(form.itemsOf("t3.subject").size(), 4u);
    form.choose("t3.subject", 3);
    EXPECT_EQ(f.at(0, sg::arrivalTrigger3 + 2), 3);
    EXPECT_EQ(form.valueOf("t3.subject"), 3);

    form.choose("t3.subjectType", kSubjectIff);
    EXPECT_EQ(f.at(0, sg::arrivalTrigger3 + 1), kSubjectIff);
    EXPECT_EQ(f.at(0, sg::arrivalTrigger3 + 2), 3);
    EXPECT_EQ(form.itemsOf("t3.subject")[0], "Green - Rebel");
    EXPECT_EQ(form.valueOf("t3.subject"), -1);  // no selection until picked or shown again
    f.events.notify(ShipgroupEvent::CurrentChanged);
    EXPECT_EQ(form.valueOf("t3.subject"), 3);

    form.choose("t3.subjectType", kSubjectShipType);
    EXPECT_EQ(form.itemsOf("t3.subject").size(), 255u);
    EXPECT_EQ(form.itemsOf("t3.subject")[183], "Backdrop");
    form.choose("t3.subjectType", 0);
    EXPECT_TRUE(form.itemsOf("t3.subject").empty());
    form.choose("t3.subjectType", 8);
    EXPECT_EQ(form.itemsOf("t3.subject").size(), 256u);
}

TEST(ArrivalDeparture, PerFormLabelsAndTriggerFields) {
    Fixture f(2);
    f.store.setText(mission::Table::RegionNames, 1, 0, 132, "Second");
    ArrivalDepartureForm arrival(f.ctx, Which::Arrival);
    f.open.push_back(&arrival);
    ArrivalDepartureForm departure(f.ctx, Which::Departure);
    f.open.push_back(&departure);
    EXPECT_EQ(arrival.title(), "Shipgroup - Arrival properties");
    EXPECT_EQ(departure.title(), "Shipgroup - Departure properties");
    EXPECT_EQ(arrival.itemsOf("t1.subjectType")[23], "Global unit");
    EXPECT_EQ(departure.itemsOf("t1.subjectType")[23], "Global Unit");
    EXPECT_EQ(arrival.itemsOf("t4.param1")[0], "Parameter  - None");
    EXPECT_EQ(arrival.itemsOf("t4.param1")[2], "Second");
    EXPECT_EQ(departure.itemsOf("t2.param2")[0], "Parameter - None");
    EXPECT_EQ(departure.find("t3.condition"), nullptr);  // two departure triggers only

    departure.choose("t2.condition", 25);
    departure.choose("t2.amount", 17);
    departure.choose("t2.param1", 4);
    departure.choose("t2.param2", 20);
    const int t = sg::departureTrigger2;
    EXPECT_EQ(f.at(0, t), 25);
    EXPECT_EQ(f.at(0, t + 3), 17);
    EXPECT_EQ(f.at(0, t + 4), 4);
    EXPECT_EQ(f.at(0, t + 5), 20);
    EXPECT_EQ(departure.itemsOf("t2.condition")[25], "Be dropped off");

    arrival.choose("or34", 1);
    arrival.choose("orConditions", 1);
    EXPECT_EQ(f.at(0, sg::arrivalOr34), 1);
    EXPECT_EQ(f.at(0, sg::arrivalOrConditions), 1);
    EXPECT_EQ(f.at(0, sg::arrivalOr12), 0);
    arrival.choose("or34", 0);
    EXPECT_EQ(f.at(0, sg::arrivalOr34), 0);
}

TEST(ArrivalDeparture, NumberFields) {
    Fixture f(1);
    ArrivalDepartureForm form(f.ctx, Which::Arrival);
    f.open.push_back(&form);
    form.type("minutes", "-3");
    EXPECT_EQ(f.at(0, sg::arrivalDelayMinutes), 253);
    EXPECT_EQ(form.textOf("minutes"), "-3");
    form.type("seconds", "forty");
    EXPECT_EQ(f.at(0, sg::arrivalDelaySeconds), 0);
    form.type("valueC", "300");  // keeps the low byte
    EXPECT_EQ(f.at(0, sg::arrivalValueC), 44);
    // While typing, the field keeps the typed text that stands for the byte.
    form.type("minutes", "-");
    EXPECT_EQ(form.textOf("minutes"), "-");
    EXPECT_EQ(f.at(0, sg::arrivalDelayMinutes), 0);
    EXPECT_EQ(form.textOf("valueC"), "300");
    f.put(0, sg::arrivalValueC, 45);  // changed elsewhere: the store wins
    EXPECT_EQ(form.textOf("valueC"), "45");
    form.type("valueD", "200");
    EXPECT_EQ(form.textOf("valueD"), "200");
    EXPECT_EQ(f.at(0, sg::arrivalValueD), 200);
}

TEST(ArrivalDeparture, FollowsTheCurrentShipgroup) {
    Fixture f(3);
    ArrivalDepartureForm form(f.ctx, Which::Departure);
    f.open.push_back(&form);
    int refreshes = 0;
    auto c = form.refreshed.connect([&] { ++refreshes; });
    f.put(2, sg::departureDelayMinutes, 7);
    f.store.currentShipgroup = 2;
    f.events.notify(ShipgroupEvent::CurrentChanged);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(form.textOf("minutes"), "7");
    form.choose("t1.condition", 2);
    EXPECT_EQ(f.at(2, sg::departureTrigger1), 2);
    EXPECT_EQ(f.at(0, sg::departureTrigger1), 0);
    f.events.notify(ShipgroupEvent::Added);  // not relayed to this form
    EXPECT_EQ(refreshes, 1);
}

}  // namespace
}  // namespace quendar::shipgroup::test
