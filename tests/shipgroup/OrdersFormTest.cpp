#include <gtest/gtest.h>

#include <algorithm>

#include "Fixture.h"
#include "shipgroup/CodeTables.h"
#include "shipgroup/OrdersForm.h"

namespace quendar::shipgroup::test {
namespace {

TEST(OrdersForm, ParameterCaptionsAndListsFollowTheOrder) {
    Fixture f(3);
    f.port.region = 2;
    OrdersForm form(f.ctx);
    f.open.push_back(&form);
    EXPECT_EQ(form.shownRegion(), 2);
    EXPECT_EQ(form.shownSlot(), 0);
    const int o = sg::orderOffset(2, 0);
    f.put(0, o + 2, 5);
    f.put(0, o + 3, 1);

    form.choose("order", 2);  // "Circle waypoints"
    EXPECT_EQ(f.at(0, o), 2);
    EXPECT_EQ(form.find("param1")->label, "Number of loops:");
    EXPECT_EQ(form.itemsOf("param1")[0], "Unlimited");
    EXPECT_EQ(form.itemsOf("param1")[1], "1");
    EXPECT_EQ(form.find("param2")->label, "Unused");

    form.choose("order", kOrderDropOff);
    EXPECT_EQ(form.find("param2")->label, "Shipgroup to be deployed");
    EXPECT_EQ(form.itemsOf("param2"), (std::vector<std::string>{"G0", "G1", "G2"}));
    EXPECT_EQ(form.valueOf("param2"), 1);
    // The stored parameters stay when the order changes.
    EXPECT_EQ(f.at(0, o + 2), 5);
    EXPECT_EQ(f.at(0, o + 3), 1);

    form.choose("order", 50);
    EXPECT_EQ(form.find("param1")->label, "Hyperspace to");
    EXPECT_EQ(form.itemsOf("param1").size(), 4u);
    form.choose("throttle", 10);
    EXPECT_EQ(f.at(0, o + 1), 10);
    EXPECT_EQ(form.itemsOf("throttle")[10], "Throttle at 100%");
    EXPECT_FALSE(form.find("param3")->isEnabled());
    // The last list of the second row has no byte behind it: disabled, no
    // selection, and choosing in it writes nothing.
    const std::vector<uint8_t> before(f.store.slot(Table::Shipgroups, 0).begin(),
                                      f.store.slot(Table::Shipgroups, 0).end());
    ASSERT_NE(form.find("unknown"), nullptr);
    EXPECT_FALSE(form.find("unknown")->isEnabled());
    EXPECT_EQ(form.valueOf("unknown"), -1);
    form.choose("unknown", 3);
    EXPECT_TRUE(std::ranges::equal(before, f.store.slot(Table::Shipgroups, 0)));
    form.choose("param3", 9);
    EXPECT_EQ(f.at(0, o + 4), 0);
}

TEST(OrdersForm, TargetsAndFlags) {
    Fixture f(4);
    OrdersForm form(f.ctx);
    f.open.push_back(&form);
    const int o = sg::orderOffset(0, 0);
    EXPECT_TRUE(form.itemsOf("target3").empty());
    form.choose("target3Type", kSubjectShipCategory);
    EXPECT_EQ(f.at(0, o + 6), kSubjectShipCategory);
    EXPECT_EQ(form.itemsOf("target3")[2], "Freighters/Containers");
    f.chooseAndExpect(form, 0, {{"target3", 6, o + 8}});
    form.choose("target1Type", kSubjectFlightgroup);
    form.choose("target1", 3);
    EXPECT_EQ(f.at(0, o + 12), 1);
    EXPECT_EQ(f.at(0, o + 13), 3);
    EXPECT_EQ(form.itemsOf("target2Type")[21], "All teams, except");

    f.put(0, o + 16, 2);
    EXPECT_EQ(form.valueOf("target12Flag"), 0);
    f.chooseAndExpect(
        form, 0,
        {{"target12Flag", 1, o + 16}, {"target12Flag", 0, o + 16}, {"target34Flag", 1, o + 10}});
}

TEST(OrdersForm, WaypointFieldsAndSlotSwitching) {
    Fixture f(2);
    OrdersForm form(f.ctx);
    f.open.push_back(&form);
    f.rec(0).setWaypoint(0, 1, 2, {-1, 300, 0, 1});
    // Slot "Order 1": type waypoint 1's x and the text.
    form.type("wp1.x.hi", "1");
    form.type("wp1.x.lo", "44");
    form.type("orderText", std::string(70, 'q'));
    form.choose("wp1.enabled", 1);
    form.choose("slot", 1);
    // Order 1 keeps what was typed for it.
    EXPECT_EQ(f.rec(0).waypoint(0, 0, 0).x, 300);
    EXPECT_EQ(f.rec(0).waypoint(0, 0, 0).enabled, 1);
    EXPECT_EQ(f.store.text(Table::OrderStrings, mission::orderStringIndex(0, 0, 0), 0, 64),
              std::string(63, 'q'));
    // Order 2 shows its own waypoints: x = -1 as 255 and 255, y = 300 as 1 and 44.
    EXPECT_EQ(form.textOf("wp3.x.hi"), "255");
    EXPECT_EQ(form.textOf("wp3.x.lo"), "255");
    EXPECT_EQ(form.textOf("wp3.y.hi"), "1");
    EXPECT_EQ(form.textOf("wp3.y.lo"), "44");
    EXPECT_EQ(form.valueOf("wp3.enabled"), 1);
    EXPECT_EQ(form.textOf("wp1.x.hi"), "0");
    EXPECT_EQ(form.textOf("orderText"), "");
    form.type("wp3.z.lo", "bad");
    EXPECT_EQ(f.rec(0).waypoint(0, 1, 2).z, 0);

    // Another region, another shipgroup: the same region and slot are shown.
    form.choose("region", 3);
    form.type("wp8.y.lo", "7");
    EXPECT_EQ(f.rec(0).waypoint(3, 1, 7).y, 7);
    f.store.currentShipgroup = 1;
    f.events.notify(ShipgroupEvent::CurrentChanged);
    EXPECT_EQ(form.shownRegion(), 3);
    EXPECT_EQ(form.shownSlot(), 1);
    EXPECT_EQ(form.textOf("wp8.y.lo"), "0");
    form.type("wp8.y.lo", "9");
    EXPECT_EQ(f.rec(1).waypoint(3, 1, 7).y, 9);
    EXPECT_EQ(f.rec(0).waypoint(3, 1, 7).y, 7);
}

TEST(WaypointsForm, EveryStartPointShowsAndWritesItsFields) {
    Fixture f(1);
    f.rec(0).setStartPoint(2, {-2, 0x1234, 5, 0});
    f.put(0, sg::startPointRegion + 2, 3);
    WaypointsForm form(f.ctx);
    f.open.push_back(&form);
    EXPECT_EQ(form.textOf("sp3.x.hi"), "-1");
    EXPECT_EQ(form.textOf("sp3.x.lo"), "-2");
    EXPECT_EQ(form.textOf("sp3.y.hi"), "18");
    EXPECT_EQ(form.textOf("sp3.y.lo"), "52");
    EXPECT_EQ(form.textOf("sp3.x.map"), "-0.01");
    EXPECT_EQ(form.valueOf("sp3.region"), 3);
    EXPECT_FALSE(form.find("sp3.x.map")->isEnabled());

    form.type("sp3.z.hi", "-1");
    form.type("sp3.z.lo", "-3");
    EXPECT_EQ(f.rec(0).startPoint(2).z, -3);
    form.choose("sp3.enabled", 1);
    EXPECT_EQ(f.rec(0).startPoint(2).enabled, 1);
    form.choose("sp3.enabled", 0);
    EXPECT_EQ(f.rec(0).startPoint(2).enabled, 0);
    form.choose("sp1.region", 1);
    EXPECT_EQ(f.at(0, sg::startPointRegion), 1);
    EXPECT_EQ(f.at(0, sg::startPointRegion + 2), 3);

    EXPECT_EQ(f.refreshesAfter(form, {ShipgroupEvent::Waypoints, ShipgroupEvent::CurrentChanged,
                                      ShipgroupEvent::Added}),
              2);
}

}  // namespace
}  // namespace quendar::shipgroup::test
