#include <gtest/gtest.h>

#include <algorithm>

#include "Fixture.h"
#include "map/RasterCanvas.h"
#include "mission/ChangeJournal.h"
#include "shipgroup/OrdersWizard.h"

using namespace quendar;
using namespace quendar::shipgroup;
using namespace quendar::shipgroup::test;

namespace {

// A mission whose craft list has a "Fighter" category (types 1 and 4), a
// category that merely starts like it (types 20, 21) and no entry for 255 (the list names types
// 0..254).
struct WizardTest : ::testing::Test {
    Fixture f{6};
    void SetUp() override {
        f.crafts = mission::CraftList();
        f.crafts.parse(craftLine(1, "Kestrel", "Fighter") + craftLine(4, "Heron", "Fighter") +
                       craftLine(20, "Hauler", "Fighters") + craftLine(21, "Barge", "Freighter"));
        f.rec(2).set(mission::sg::craftType, 4);
        f.rec(3).set(mission::sg::craftType, 20);
        f.rec(4).set(mission::sg::craftType, 255);
        f.rec(2).setName("Amber Wing Long Name Here");
        for (int r = 0; r < 4; ++r)
            f.store.setText(mission::Table::RegionNames, r, 0, 32, "Zone " + std::to_string(r + 1));
    }
    // Runs the timer until the page has settled (at most a few hundred steps).
    static void settle(OrdersWizard& w) {
        for (int i = 0; i < 200 && w.timerInterval() != 0; ++i) w.tick();
    }
    // Clicks the button of a kind in its middle.
    static bool press(OrdersWizard& w, int kind) {
        for (const auto& b : w.buttons())
            if (b.kind == kind) {
                w.pointer({map::PointerAction::Press, map::PointerButton::Left, false, false,
                           b.x + 7, b.y + 5});
                settle(w);
                return true;
            }
        return false;
    }
    // Next, Next, Destroy, shipgroups 3, 4 and 5 added as targets, Next.
    void destroyThree(OrdersWizard& w) {
        settle(w);
        press(w, OrdersWizard::Next);
        press(w, OrdersWizard::Next);
        press(w, OrdersWizard::Destroy);
        for (int g : {3, 4, 5}) {
            f.store.currentShipgroup = g;
            press(w, OrdersWizard::Add);
        }
        press(w, OrdersWizard::Next);
    }
    int order(int shipgroup, int region, int slot, int field) {
        return f.at(shipgroup, 202 + 592 * region + 148 * slot + field);
    }
};

}  // namespace

TEST_F(WizardTest, ProtectWithTwoTargetsWritesSlotOfTheMapAndSaysThree) {
    f.store.currentShipgroup = 2;
    OrdersWizard w(f.ctx, 1, 3);
    EXPECT_EQ(w.timerInterval(), 500);
    w.tick();
    EXPECT_EQ(w.page(), 0);
    EXPECT_EQ(w.timerInterval(), 2);
    settle(w);
    EXPECT_EQ(w.fade(), 16);
    EXPECT_EQ(w.header(), "STEP #1");
    EXPECT_EQ(w.pageLines().back(), "Amber Wing Long Name");
    ASSERT_EQ(w.buttons().size(), 1u);
    EXPECT_EQ(w.buttons()[0].x, 5);
    EXPECT_EQ(w.buttons()[0].y, 180);

    // Page 0 follows the selection; the relay repaints it.
    f.store.currentShipgroup = 1;
    int repaints = 0;
    auto c = w.repaintRequested.connect([&] { ++repaints; });
    w.receive(ShipgroupEvent::Reload);
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(w.pageLines().back(), "G1");
    f.store.currentShipgroup = 2;

    // Next fades the page out on the 5 ms timer, then page 1 in.
    w.pointer({map::PointerAction::Press, map::PointerButton::Left, false, false, 12, 185});
    EXPECT_EQ(w.timerInterval(), 5);
    EXPECT_TRUE(w.buttons().empty());
    settle(w);
    EXPECT_EQ(w.page(), 1);
    EXPECT_EQ(w.pageLines()[2], "Fighter");
    EXPECT_FALSE(w.cannotContinue());

    ASSERT_TRUE(press(w, OrdersWizard::Next));
    EXPECT_EQ(w.page(), 10);
    EXPECT_TRUE(w.cannotContinue()) << "a command must be chosen";
    EXPECT_FALSE(press(w, OrdersWizard::Add));
    press(w, OrdersWizard::Next);
    EXPECT_EQ(w.page(), 10);
    ASSERT_TRUE(press(w, OrdersWizard::Protect));
    EXPECT_EQ(w.page(), 21);
    EXPECT_EQ(w.header(), "STEP #4 Protect");
    EXPECT_EQ(w.pageLines().back(), "none");

    // Another selection on the map changes what ADD appends, not the wizard's group.
    f.store.currentShipgroup = 5;
    press(w, OrdersWizard::Add);
    f.store.currentShipgroup = 0;
    press(w, OrdersWizard::Add);
    EXPECT_EQ(w.shipgroup(), 2);
    EXPECT_EQ(w.targets(), (std::vector<int>{5, 0}));
    auto lines = w.pageLines();
    EXPECT_EQ(lines[lines.size() - 2], "G5");
    EXPECT_EQ(lines.back(), "G0");

    f.put(2, 202 + 592 + 296 + 16, 0);  // target12Flag of region 2, slot 3
    ASSERT_TRUE(press(w, OrdersWizard::Next));
    EXPECT_EQ(w.page(), 22);
    EXPECT_EQ(w.header(), "Success");
    EXPECT_TRUE(w.buttons().empty());
    // Region index 1, slot index 2.
    EXPECT_EQ(order(2, 1, 2, 0), 9);
    EXPECT_EQ(order(2, 1, 2, 1), 10);
    EXPECT_EQ(order(2, 1, 2, 12), 1);
    EXPECT_EQ(order(2, 1, 2, 13), 5);
    EXPECT_EQ(order(2, 1, 2, 14), 1);
    EXPECT_EQ(order(2, 1, 2, 15), 0);
    EXPECT_EQ(order(2, 1, 2, 10), 1);
    EXPECT_EQ(order(2, 1, 2, 16), 0) << "target12Flag waits for a third target";
    EXPECT_EQ(order(2, 1, 2, 6), 0);
    EXPECT_EQ(order(2, 0, 2, 0), 0) << "other regions untouched";
    lines = w.pageLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "assigned protect order"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Zone 2"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "three."), lines.end());

    // What paint draws is the page.
    map::RasterCanvas canvas(OrdersWizard::kWidth, OrdersWizard::kHeight, false);
    w.paint(canvas);
    auto drawn = canvas.texts();
    EXPECT_EQ(drawn.front(), "Success");
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), "I hope that I could help you."), drawn.end());
}

TEST_F(WizardTest, TargetsAddRemoveAndFourTargetsSetBothFlags) {
    f.store.currentShipgroup = 1;  // type 1, a fighter
    f.rec(1).set(202 + 5, 77);     // order param of another field stays
    OrdersWizard w(f.ctx, 0, 1);
    settle(w);
    press(w, OrdersWizard::Next);
    press(w, OrdersWizard::Next);
    press(w, OrdersWizard::Destroy);
    ASSERT_EQ(w.page(), 11);
    // ADD twice with the same selection lists it twice; a fifth is refused.
    press(w, OrdersWizard::Add);
    press(w, OrdersWizard::Add);
    EXPECT_EQ(w.targets(), (std::vector<int>{1, 1}));
    press(w, OrdersWizard::Remove);
    press(w, OrdersWizard::Remove);
    press(w, OrdersWizard::Remove);
    EXPECT_TRUE(w.targets().empty());
    for (int t : {3, 4, 5, 2, 0}) {
        f.store.currentShipgroup = t;
        press(w, OrdersWizard::Add);
    }
    EXPECT_EQ(w.targets(), (std::vector<int>{3, 4, 5, 2}));

    // Back from a target page returns to the commands; Disable from there.
    press(w, OrdersWizard::Back);
    EXPECT_EQ(w.page(), 10);
    press(w, OrdersWizard::Disable);
    EXPECT_EQ(w.page(), 16);
    press(w, OrdersWizard::Next);
    ASSERT_EQ(w.page(), 17);
    ASSERT_EQ(w.shipgroup(), 1);
    EXPECT_EQ(order(1, 0, 0, 0), 11);
    EXPECT_EQ(order(1, 0, 0, 1), 10);
    const int expect[][2] = {{12, 1}, {13, 3}, {14, 1}, {15, 4}, {6, 1}, {8, 5},
                             {7, 1},  {9, 2},  {10, 1}, {16, 1}, {5, 77}};
    for (const auto& e : expect) EXPECT_EQ(order(1, 0, 0, e[0]), e[1]) << e[0];
    EXPECT_EQ(w.pageLines().back(), "I hope that I could help you.");
}

TEST_F(WizardTest, UnknownCraftStopsAndNoSlotWritesNothing) {
    // "Fighters" is not "Fighter": the wizard explains and cannot go on.
    f.store.currentShipgroup = 3;
    OrdersWizard w(f.ctx, 0, 2);
    settle(w);
    press(w, OrdersWizard::Next);
    ASSERT_EQ(w.page(), 1);
    EXPECT_EQ(w.pageLines()[2], "Unknown");
    EXPECT_TRUE(w.cannotContinue());
    EXPECT_FALSE(press(w, OrdersWizard::Next) && w.page() != 1);
    EXPECT_EQ(w.page(), 1);
    press(w, OrdersWizard::Back);
    EXPECT_EQ(w.page(), 0);
    EXPECT_FALSE(w.cannotContinue());

    // A craft type outside the catalogue: the message, raised with the
    // wizard's timer stopped, and the wizard closes.
    f.store.currentShipgroup = 4;
    int closes = 0, intervalWhileShown = -1;
    auto c = w.closeRequested.connect([&] { ++closes; });
    f.prompter.whileShown = [&] { intervalWhileShown = w.timerInterval(); };
    press(w, OrdersWizard::Next);
    f.prompter.whileShown = nullptr;
    EXPECT_EQ(intervalWhileShown, 0);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(f.prompter.asked.back(),
              "Unknown shiptype: Ship is not in the database.\nThis is a fatal error cause the "
              "Wizard to be halted.");

    // With no order chosen on the map nothing is written, and the page says so.
    const auto before = f.store.slot(mission::Table::Shipgroups, 2);
    const std::vector<uint8_t> copy(before.begin(), before.end());
    f.store.currentShipgroup = 2;
    OrdersWizard none(f.ctx, 0, 0);
    settle(none);
    for (int k : {OrdersWizard::Next, OrdersWizard::Next, OrdersWizard::Destroy, OrdersWizard::Add,
                  OrdersWizard::Next})
        ASSERT_TRUE(press(none, k)) << k;
    EXPECT_EQ(none.page(), 12);
    const auto after = f.store.slot(mission::Table::Shipgroups, 2);
    EXPECT_TRUE(std::equal(copy.begin(), copy.end(), after.begin()));
    const auto lines = none.pageLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "No order was written:"), lines.end());

    // Hovering highlights only strictly inside the 14 x 10 picture.
    auto& b = none.buttons();
    EXPECT_TRUE(b.empty());
    OrdersWizard h(f.ctx, 0, 1);
    settle(h);
    h.pointer({map::PointerAction::Move, map::PointerButton::None, false, false, 6, 181});
    EXPECT_TRUE(h.buttons()[0].highlighted);
    h.pointer({map::PointerAction::Move, map::PointerButton::None, false, false, 19, 181});
    EXPECT_FALSE(h.buttons()[0].highlighted);
    h.pointer({map::PointerAction::Press, map::PointerButton::Left, false, false, 5, 185});
    EXPECT_EQ(h.timerInterval(), 0) << "the edge of the picture is not inside";
}

TEST_F(WizardTest, ARunIsOneUndoStep) {
    mission::ChangeJournal journal(f.store);
    f.store.currentShipgroup = 1;
    const std::vector<uint8_t> before(f.store.table(mission::Table::Shipgroups).begin(),
                                      f.store.table(mission::Table::Shipgroups).end());
    OrdersWizard w(f.ctx, 2, 4);
    destroyThree(w);
    ASSERT_EQ(w.page(), OrdersWizard::kDestroyDone);
    EXPECT_EQ(order(1, 2, 3, 8), 5);
    EXPECT_EQ(journal.actionCount(), 1u);
    EXPECT_EQ(journal.undoName(), "Orders wizard");
    ASSERT_TRUE(journal.undo());
    const auto table = f.store.table(mission::Table::Shipgroups);
    EXPECT_TRUE(std::equal(table.begin(), table.end(), before.begin(), before.end()));
    ASSERT_TRUE(journal.redo());
    EXPECT_EQ(order(1, 2, 3, 8), 5);
    EXPECT_EQ(order(1, 2, 3, 0), 7) << "destroy";
}

// Three targets: targets 1..3 of type 1 ("Flightgroup") and both flags; the
// fourth target's fields stay as they were.
TEST_F(WizardTest, ThreeTargetsSetBothFlagsAndLeaveTheFourth) {
    f.store.currentShipgroup = 1;
    f.rec(1).set(202 + 592 * 2 + 148 * 3 + 7, 99);
    f.rec(1).set(202 + 592 * 2 + 148 * 3 + 9, 98);
    OrdersWizard w(f.ctx, 2, 4);
    destroyThree(w);
    ASSERT_EQ(w.page(), 12);
    const int expect[][2] = {{0, 7}, {1, 10}, {12, 1}, {13, 3}, {14, 1}, {15, 4},
                             {6, 1}, {8, 5},  {10, 1}, {16, 1}, {7, 99}, {9, 98}};
    for (const auto& e : expect) EXPECT_EQ(order(1, 2, 3, e[0]), e[1]) << e[0];
}
