#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/files/MissionIO.h"
#include "mission/ChangeJournal.h"
#include "mission/FileIO.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/ShipgroupList.h"
#include "support/LargestMission.h"
#include "text/Merge.h"

// Under the address checker a merge is some fifty times slower: the laws are
// checked there on the sample and three small generated missions (the largest
// mission is merged by the next test); the plain build adds the largest mission
// and seventeen more generated ones.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUENDAR_ADDRESS_CHECKED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QUENDAR_ADDRESS_CHECKED)
constexpr bool kAddressChecked = true;
#else
constexpr bool kAddressChecked = false;
#endif

namespace {

using namespace quendar;
using mission::Table;
using Bytes = std::vector<uint8_t>;
using Edit = std::function<void(app::Editor&)>;

std::unique_ptr<app::Editor> opened(const Bytes& file) {
    auto e = std::make_unique<app::Editor>();
    e->craftListPath = QUENDAR_DATA_DIR "/SHIPLIST.TXT";
    e->settings.runEccBeforeSave = 0;
    app::resetEditorToNewMission(*e);
    app::loadMissionBytes(*e, file);
    return e;
}
Bytes sample() { return *mission::readWholeFile(QUENDAR_DATA_DIR "/samples/lantern-run.tie"); }

// A mission after some edits, saved and opened again.
Bytes edited(const Bytes& file, const std::vector<Edit>& edits) {
    auto e = opened(file);
    for (const Edit& edit : edits) edit(*e);
    return app::buildMissionImage(*e);
}
Bytes resaved(const Bytes& file) { return edited(file, {}); }

// The merge's result; its conflicts as text go to `conflicts`.
Bytes merged(const Bytes& b, const Bytes& o, const Bytes& t, std::vector<std::string>& conflicts) {
    auto eb = opened(b), eo = opened(o), et = opened(t), out = opened(o);
    const auto ref = [](const app::Editor& e) -> text::MissionRef {
        return {e.store, e.briefing, &e.craftList};
    };
    text::MergeOutcome m;
    {
        mission::ChangeJournal::Pause pause(out->journal);
        m = text::mergeMissions(ref(*eb), ref(*eo), ref(*et), {out->store, out->briefing});
    }
    EXPECT_EQ(m.error, "");
    for (const auto& c : m.conflicts) conflicts.push_back(c.text());
    return app::buildMissionImage(*out);
}

// Edits by shipgroup name, so that they mean the same before and after others.
int group(const app::Editor& e, const std::string& name) {
    for (int i = 0; i < e.store.shipgroupCount; ++i)
        if (e.store.text(Table::Shipgroups, i, 0, 20) == name) return i;
    ADD_FAILURE() << "no shipgroup " << name;
    return 0;
}
Edit rename(std::string from, std::string to) {
    return [=](app::Editor& e) { e.store.setText(Table::Shipgroups, group(e, from), 0, 20, to); };
}
Edit target(std::string who, std::string whom) {
    return [=](app::Editor& e) {
        const int at = mission::sg::orderOffset(0, 0), i = group(e, who);
        e.store.setByte(Table::Shipgroups, i, at + 12, 1);
        e.store.setByte(Table::Shipgroups, i, at + 13, static_cast<uint8_t>(group(e, whom)));
    };
}
Edit removed(std::string who) {
    return [=](app::Editor& e) { shipgroup::removeShipgroup(e.store, group(e, who)); };
}
Edit appended(std::string from, std::string name, std::string whom) {
    return [=](app::Editor& e) {
        const int n = e.store.shipgroupCount++;
        e.store.copySlot(Table::Shipgroups, group(e, from), n);
        e.store.setText(Table::Shipgroups, n, 0, 20, name);
        target(name, whom)(e);
    };
}
Edit orient(int time) {
    return [=](app::Editor& e) { e.briefing.appendCommand(briefing::BRC_ORIENT, time, {2, 1}); };
}
// Moves the first zoom command to another time.
Edit zoomAt(int time) {
    return [=](app::Editor& e) {
        const auto r = e.briefing.record(briefing::BRC_ZOOM, 0);
        e.briefing.deleteCommand(briefing::BRC_ZOOM, 0);
        e.briefing.appendCommand(briefing::BRC_ZOOM, time, {r.param(0), r.param(1)});
    };
}
Edit message(int i, std::string to) {
    return [=](app::Editor& e) { e.store.setText(Table::Messages, i, 2, 64, to); };
}
// Byte `at` of shipgroups from .. from + 65.
Edit thirdOfShipgroups(int from, int at, uint8_t value) {
    return [=](app::Editor& e) {
        for (int i = from; i < from + 66; ++i) e.store.setByte(Table::Shipgroups, i, at, value);
    };
}

// The laws: merge(B, X, B), merge(B, B, X) and merge(B, X, X) are X, on the
// sample, the largest mission and generated ones.
TEST(Merge, OneSidedOrTwiceTheSameEditGivesTheEditedMission) {
    const auto laws = [](const std::string& name, const Bytes& base, std::vector<Edit> edits) {
        SCOPED_TRACE(name);
        const Bytes x = edited(base, edits), want = resaved(x);
        std::vector<std::string> none;
        EXPECT_TRUE(merged(base, x, base, none) == want) << "merge(B, X, B)";
        EXPECT_TRUE(merged(base, base, x, none) == want) << "merge(B, B, X)";
        EXPECT_TRUE(merged(base, x, x, none) == want) << "merge(B, X, X)";
        EXPECT_EQ(none, std::vector<std::string>());
    };
    laws("sample", sample(),
         {rename("Blade Ring", "Blade Halo"), target("Korvane Guard", "Relay Tallow"),
          removed("Hauler Sixx"), appended("Iron Chorus", "Late Picket", "Echo Picket"), orient(33),
          zoomAt(200), message(1, "Hold.")});
    if (!kAddressChecked)
        laws("largest", quendar::testing::largestMissionFile(),
             {[](app::Editor& e) { shipgroup::removeShipgroup(e.store, 40); }, orient(5),
              message(254, "x")});
    for (uint32_t seed = 1; seed <= (kAddressChecked ? 3u : 20u); ++seed) {
        const int groups = static_cast<int>(seed * 9 % 60) + 2;
        mission::MissionStore s;
        quendar::testing::fillRandomMission(s, seed, groups, static_cast<int>(seed % 5));
        laws("random " + std::to_string(seed), mission::writeMission(s),
             {rename(s.text(Table::Shipgroups, 0, 0, 20), "Renamed"),
              removed(s.text(Table::Shipgroups, groups - 1, 0, 20)),
              appended("Renamed", "Added", "Renamed")});
    }
}

// Edits of different parts merge as if applied one after the other; a field
// both sides changed differently, or a shipgroup one side deleted and the
// other changed, is listed by path with the three values and keeps ours.
TEST(Merge, BothSidesEditedMergeCleanOrListConflictsAndKeepOurs) {
    struct Row {
        std::string name;
        std::vector<Edit> ours, theirs;
        std::vector<std::string> conflicts = {};
        bool largest = false;
    };
    // clang-format off
    const std::vector<Row> rows = {
        {"two shipgroups", {rename("Korvane Guard", "Korvane Wall")}, {target("Iron Chorus", "Depot Vesh")}},
        {"a deletion renumbers the other side's references",
         {removed("Amber Wing")}, {target("Echo Picket", "Relay Tallow")}},
        {"insertions on both sides, ours first", {appended("Blade Ring", "Ours Escort", "Depot Vesh")},
         {removed("Hauler Sixx"), appended("Iron Chorus", "Theirs Escort", "Echo Picket")}},
        {"a shipgroup and the briefing", {rename("Depot Vesh", "Depot Wren")}, {orient(33), zoomAt(300)}},
        {"messages", {message(0, "Ours.")}, {message(2, "Theirs.")}},
        {"each side a third of the largest mission",
         {thirdOfShipgroups(0, mission::sg::nameWidth + 1, 3)}, {thirdOfShipgroups(66, 0, 'T')}, {}, true},
        {"one field, two values", {rename("Amber Wing", "Amber Lance")}, {rename("Amber Wing", "Amber Spire")},
         {R"(shipgroups[1] "Amber Lance" .name: base "Amber Wing", ours "Amber Lance", theirs "Amber Spire")"}},
        {"a target named by each side's numbers",
         {removed("Red Lantern"), target("Korvane Guard", "Blade Ring")}, {target("Korvane Guard", "Echo Picket")},
         {R"(shipgroups[2] "Korvane Guard" .orders[0][0].target1: base 0, ours 3 "Blade Ring", theirs 8 "Echo Picket")"}},
        {"deleted against changed", {removed("Relay Tallow")}, {rename("Relay Tallow", "Relay Moss")},
         {R"(shipgroups[7] "Relay Tallow": base present, ours deleted, theirs changed)"}},
        {"changed against deleted", {rename("Relay Tallow", "Relay Moss")}, {removed("Relay Tallow")},
         {R"(shipgroups[7] "Relay Moss": base present, ours changed, theirs deleted)"}},
        {"a briefing command moved differently", {zoomAt(150)}, {zoomAt(250)},
         {"briefing.commands.BRC_ZOOM[0]: base time 0, zoomX 40, zoomY 40, "
          "ours time 150, zoomX 40, zoomY 40, theirs time 250, zoomX 40, zoomY 40"}},
        {"a message text", {message(1, "A.")}, {message(1, "B.")},
         {R"(messages[1].text: base "Korvane fighters inbound!", ours "A.", theirs "B.")"}},
    };
    // clang-format on
    const Bytes small = sample(), largest = quendar::testing::largestMissionFile();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const Bytes& base = r.largest ? largest : small;
        std::vector<Edit> both = r.ours;
        both.insert(both.end(), r.theirs.begin(), r.theirs.end());
        const Bytes ours = edited(base, r.ours);
        std::vector<std::string> conflicts;
        EXPECT_TRUE(merged(base, ours, edited(base, r.theirs), conflicts) ==
                    resaved(r.conflicts.empty() ? edited(base, both) : ours));
        EXPECT_EQ(conflicts, r.conflicts);
    }
}

}  // namespace
