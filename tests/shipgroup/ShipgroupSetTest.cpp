#include <gtest/gtest.h>

#include <vector>

#include "mission/NewMission.h"
#include "shipgroup/ShipgroupSet.h"

using namespace quendar;
using mission::Table;

namespace {

// Record offsets of the references, as the file layout places them.
constexpr int kArrivalSubjectType = 137, kArrivalSubject = 138;      // arrival trigger 1
constexpr int kDepartureSubjectType = 173, kDepartureSubject = 174;  // departure trigger 1
constexpr int kMothership1 = 194, kMethod1 = 195;
constexpr int kOrder = 202;                          // region 0, slot 0
constexpr int kTarget1Type = 214, kTarget1 = 215;    // of that order
constexpr int kTarget3Type = 1096, kTarget3 = 1098;  // region 1, slot 2: 202 + 592 + 296 + 6/8
constexpr int kDropOffParam2 = 205;

int cell(const mission::MissionStore& s, int i, int off) {
    return s.byte(Table::Shipgroups, i, off);
}

// Six shipgroups; 1 and 3 form the set. 1's arrival names 3, its mothership
// is 0 ("Hangar"), its departure names 5; 3's order target 1 names 1, its
// target 3 names 4, and its order "Drop off" deploys 3 itself.
mission::MissionStore sixShipgroups() {
    mission::MissionStore s;
    mission::resetToNewMission(s);
    s.shipgroupCount = 6;
    auto set = [&](int i, int off, int v) {
        s.setByte(Table::Shipgroups, i, off, static_cast<uint8_t>(v));
    };
    set(1, kArrivalSubjectType, 1), set(1, kArrivalSubject, 3);
    set(1, kMethod1, 1), set(1, kMothership1, 0);
    set(1, kDepartureSubjectType, 1), set(1, kDepartureSubject, 5);
    set(3, kTarget1Type, 1), set(3, kTarget1, 1);
    set(3, kTarget3Type, 1), set(3, kTarget3, 4);
    set(3, kOrder, 18), set(3, kDropOffParam2, 3);
    s.setText(Table::OrderStrings, mission::orderStringIndex(3, 1, 2), 0, 64, "Hold the gate");
    s.setText(Table::ShipgroupGoalStrings, mission::shipgroupGoalStringIndex(1, 7, 2), 0, 64,
              "Win");
    return s;
}

}  // namespace

// Where each reference of the pasted pair ends up, by where the set is pasted.
TEST(ShipgroupSet, PasteRenumbersKeepsOrClearsReferences) {
    struct Row {
        const char* what;
        bool cut, sameMission;
        int count;  // shipgroups before the paste
        // arrival subject (type, n), mothership (method, n), departure (type, n) of pasted 1;
        // target 1, target 3 and drop-off of pasted 3
        int arr[2], mother[2], dep[2], t1[2], t3[2], drop;
        int cleared;
    };
    const Row rows[] = {
        {"copy, same mission", false, true, 6, {1, 7}, {1, 0}, {1, 5}, {1, 6}, {1, 4}, 7, 0},
        {"copy, other mission", false, false, 3, {1, 4}, {0, 0}, {0, 0}, {1, 3}, {0, 0}, 4, 3},
        // After the cut of 1 and 3, old 0 is 0, old 4 is 2 and old 5 is 3.
        {"cut, same mission", true, true, 4, {1, 5}, {1, 0}, {1, 3}, {1, 4}, {1, 2}, 5, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        mission::MissionStore from = sixShipgroups();
        const std::vector<int> numbers{1, 3};
        auto set = shipgroup::takeSet(from, numbers, "mission A");
        set.cut = r.cut;
        mission::MissionStore to;
        if (r.sameMission) {
            to = from;
            if (r.cut) shipgroup::removeSet(to, numbers);
        } else {
            mission::resetToNewMission(to);
            to.shipgroupCount = 3;
        }
        ASSERT_EQ(to.shipgroupCount, r.count);
        const auto decoded = shipgroup::decodeSet(shipgroup::encodeSet(set));
        ASSERT_TRUE(decoded);
        const auto out =
            shipgroup::pasteSet(to, *decoded, r.sameMission ? "mission A" : "mission B");
        ASSERT_TRUE(out.pasted);
        EXPECT_EQ(out.first, r.count);
        EXPECT_EQ(to.shipgroupCount, r.count + 2);
        EXPECT_EQ(out.cleared, r.cleared);
        const int a = r.count, b = r.count + 1;
        EXPECT_EQ(cell(to, a, kArrivalSubjectType), r.arr[0]);
        EXPECT_EQ(cell(to, a, kArrivalSubject), r.arr[1]);
        EXPECT_EQ(cell(to, a, kMethod1), r.mother[0]);
        EXPECT_EQ(cell(to, a, kMothership1), r.mother[1]);
        EXPECT_EQ(cell(to, a, kDepartureSubjectType), r.dep[0]);
        EXPECT_EQ(cell(to, a, kDepartureSubject), r.dep[1]);
        EXPECT_EQ(cell(to, b, kTarget1Type), r.t1[0]);
        EXPECT_EQ(cell(to, b, kTarget1), r.t1[1]);
        EXPECT_EQ(cell(to, b, kTarget3Type), r.t3[0]);
        EXPECT_EQ(cell(to, b, kTarget3), r.t3[1]);
        EXPECT_EQ(cell(to, b, kDropOffParam2), r.drop);
        // The texts travel with their shipgroups.
        EXPECT_EQ(to.text(Table::OrderStrings, mission::orderStringIndex(b, 1, 2), 0, 64),
                  "Hold the gate");
        EXPECT_EQ(
            to.text(Table::ShipgroupGoalStrings, mission::shipgroupGoalStringIndex(a, 7, 2), 0, 64),
            "Win");
    }
}

TEST(ShipgroupSet, PasteRefusesWholeSetOverTwoHundred) {
    mission::MissionStore s = sixShipgroups();
    const std::vector<int> numbers{1, 3};
    const auto set = shipgroup::takeSet(s, numbers, "x");
    s.shipgroupCount = 199;
    const auto before =
        std::vector<uint8_t>(s.table(Table::Shipgroups).begin(), s.table(Table::Shipgroups).end());
    EXPECT_FALSE(shipgroup::pasteSet(s, set, "x").pasted);
    EXPECT_EQ(s.shipgroupCount, 199);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), s.table(Table::Shipgroups).begin()));
    s.shipgroupCount = 198;
    EXPECT_TRUE(shipgroup::pasteSet(s, set, "x").pasted);
    EXPECT_EQ(s.shipgroupCount, 200);
}

TEST(ShipgroupSet, DecodingRefusesAnythingButAWholeSet) {
    const mission::MissionStore s = sixShipgroups();
    const std::vector<int> numbers{1, 3};
    const auto good = shipgroup::encodeSet(shipgroup::takeSet(s, numbers, "src"));
    ASSERT_TRUE(shipgroup::decodeSet(good));
    auto cut = [&](size_t n) { return std::vector<uint8_t>(good.begin(), good.begin() + n); };
    auto with = [&](size_t at, uint8_t v) {
        auto b = good;
        b[at] = v;
        return b;
    };
    const size_t second = 4 + 4 + 3 + 2 + 1 + 3646 + 40 * 64;  // the second member's number
    const std::vector<std::vector<uint8_t>> bad = {
        {},
        cut(7),
        cut(good.size() - 1),
        with(0, 'X'),
        with(4, 2),
        with(5, 2),
        with(6, 200),       // a source longer than the data
        with(second, 1),    // the same shipgroup twice
        with(second, 255),  // a number no shipgroup has
    };
    for (size_t k = 0; k < bad.size(); ++k) EXPECT_FALSE(shipgroup::decodeSet(bad[k])) << k;
}
