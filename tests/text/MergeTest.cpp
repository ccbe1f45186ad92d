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
Bytes randomFile(uint32_t seed, int groups, int messages) {
    mission::MissionStore s;
    quendar::testing::fillRandomMission(s, seed, groups, messages);
    return mission::writeMission(s);
}

// A mission after some edits, saved and opened again.
Bytes edited(const Bytes& file, const std::vector<Edit>& edits) {
    auto e = opened(file);
    for (const Edit& edit : edits) edit(*e);
    return app::buildMissionImage(*e);
}

text::MissionRef ref(const app::Editor& e) { return {e.store, e.briefing, &e.craftList}; }

Bytes merged(const Bytes& b, const Bytes& o, const Bytes& t,
             std::vector<std::string>* conflicts = nullptr) {
    auto eb = opened(b), eo = opened(o), et = opened(t), out = opened(o);
    text::MergeOutcome m;
    {
        mission::ChangeJournal::Pause pause(out->journal);
        m = text::mergeMissions(ref(*eb), ref(*eo), ref(*et), {out->store, out->briefing});
    }
    EXPECT_EQ(m.error, "");
    for (const auto& c : m.conflicts)
        if (conflicts)
            conflicts->push_back(c.text());
        else
            ADD_FAILURE() << c.text();
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
        const int at = mission::sg::orderOffset(0, 0);
        e.store.setByte(Table::Shipgroups, group(e, who), at + 12, 1);
        e.store.setByte(Table::Shipgroups, group(e, who), at + 13,
                        static_cast<uint8_t>(group(e, whom)));
    };
}
Edit removed(std::string who) {
    return [=](app::Editor& e) { shipgroup::removeShipgroup(e.store, group(e, who)); };
}
Edit removedAt(int i) {
    return [=](app::Editor& e) { shipgroup::removeShipgroup(e.store, i); };
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

TEST(Merge, OneSidedOrTwiceTheSameEditGivesTheEditedMission) {
    struct Case {
        std::string name;
        Bytes base;
        std::vector<Edit> edits;
    };
    std::vector<Case> cases = {
        {"sample",
         sample(),
         {rename("Blade Ring", "Blade Halo"), target("Korvane Guard", "Relay Tallow"),
          removed("Hauler Sixx"), appended("Iron Chorus", "Late Picket", "Echo Picket"), orient(33),
          zoomAt(200), message(1, "Hold.")}},
        {"largest",
         quendar::testing::largestMissionFile(),
         {removedAt(40), orient(5), message(254, "x")}},
    };
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        const int groups = static_cast<int>(seed * 9 % 60) + 2,
                  messages = static_cast<int>(seed % 5);
        auto file = randomFile(seed, groups, messages);
        auto e = opened(file);
        const std::string first = e->store.text(Table::Shipgroups, 0, 0, 20);
        const std::string last = e->store.text(Table::Shipgroups, groups - 1, 0, 20);
        cases.push_back(
            {"random " + std::to_string(seed),
             file,
             {rename(first, "Renamed"), removed(last), appended("Renamed", "Added", "Renamed")}});
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes x = edited(c.base, c.edits);
        const Bytes resaved = app::buildMissionImage(*opened(x));
        EXPECT_TRUE(merged(c.base, x, c.base) == resaved) << "merge(B, X, B)";
        EXPECT_TRUE(merged(c.base, c.base, x) == resaved) << "merge(B, B, X)";
        EXPECT_TRUE(merged(c.base, x, x) == resaved) << "merge(B, X, X)";
    }
}

TEST(Merge, EditsOfDifferentPartsMergeAsIfAppliedOneAfterTheOther) {
    struct Row {
        std::string name;
        std::vector<Edit> ours, theirs;
    };
    const std::vector<Row> rows = {
        {"two shipgroups",
         {rename("Korvane Guard", "Korvane Wall")},
         {target("Iron Chorus", "Depot Vesh")}},
        {"a deletion renumbers the other side's references",
         {removed("Amber Wing")},
         {target("Echo Picket", "Relay Tallow")}},
        {"insertions on both sides, ours first",
         {appended("Blade Ring", "Ours Escort", "Depot Vesh")},
         {removed("Hauler Sixx"), appended("Iron Chorus", "Theirs Escort", "Echo Picket")}},
        {"a shipgroup and the briefing",
         {rename("Depot Vesh", "Depot Wren")},
         {orient(33), zoomAt(300)}},
        {"messages", {message(0, "Ours.")}, {message(2, "Theirs.")}},
    };
    const Bytes base = sample();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<Edit> both = r.ours;
        both.insert(both.end(), r.theirs.begin(), r.theirs.end());
        const Bytes expected = app::buildMissionImage(*opened(edited(base, both)));
        EXPECT_TRUE(merged(base, edited(base, r.ours), edited(base, r.theirs)) == expected);
    }
    // The same on the largest mission, each side changing a different third.
    const Bytes largest = quendar::testing::largestMissionFile();
    auto e = opened(largest);
    std::vector<Edit> ours, theirs;
    for (int i = 0; i < 66; ++i) {
        ours.push_back([i](app::Editor& x) {
            x.store.setByte(Table::Shipgroups, i, mission::sg::nameWidth + 1, 3);
        });
        theirs.push_back(
            [i](app::Editor& x) { x.store.setByte(Table::Shipgroups, 66 + i, 0, 'T'); });
    }
    std::vector<Edit> both = ours;
    both.insert(both.end(), theirs.begin(), theirs.end());
    EXPECT_TRUE(merged(largest, edited(largest, ours), edited(largest, theirs)) ==
                app::buildMissionImage(*opened(edited(largest, both))));
}

TEST(Merge, ConflictsAreListedByPathWithTheThreeValuesAndKeepOurs) {
    struct Row {
        std::string name;
        std::vector<Edit> ours, theirs;
        std::vector<std::string> conflicts;
    };
    const std::vector<Row> rows = {
        {"one field, two values",
         {rename("Amber Wing", "Amber Lance")},
         {rename("Amber Wing", "Amber Spire")},
         {R"(shipgroups[1] "Amber Lance" .name: base "Amber Wing", ours "Amber Lance", theirs "Amber Spire")"}},
        {"one field, the same value",
         {rename("Amber Wing", "Amber Lance")},
         {rename("Amber Wing", "Amber Lance")},
         {}},
        {"a target named by each side's numbers",
         {removed("Red Lantern"), target("Korvane Guard", "Blade Ring")},
         {target("Korvane Guard", "Echo Picket")},
         {R"(shipgroups[2] "Korvane Guard" .orders[0][0].target1: base 0, ours 3 "Blade Ring", theirs 8 "Echo Picket")"}},
        {"deleted against changed",
         {removed("Relay Tallow")},
         {rename("Relay Tallow", "Relay Moss")},
         {R"(shipgroups[7] "Relay Tallow": base present, ours deleted, theirs changed)"}},
        {"changed against deleted",
         {rename("Relay Tallow", "Relay Moss")},
         {removed("Relay Tallow")},
         {R"(shipgroups[7] "Relay Moss": base present, ours changed, theirs deleted)"}},
        {"a briefing command moved differently",
         {zoomAt(150)},
         {zoomAt(250)},
         {"briefing.commands.BRC_ZOOM[0]: base time 0, zoomX 40, zoomY 40, ours time 150, zoomX "
          "40, zoomY 40, "
          "theirs time 250, zoomX 40, zoomY 40"}},
        {"a message text",
         {message(1, "A.")},
         {message(1, "B.")},
         {R"(messages[1].text: base "Korvane fighters inbound!", ours "A.", theirs "B.")"}},
    };
    const Bytes base = sample();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const Bytes ours = edited(base, r.ours);
        std::vector<std::string> conflicts;
        EXPECT_TRUE(merged(base, ours, edited(base, r.theirs), &conflicts) ==
                    app::buildMissionImage(*opened(ours)));
        EXPECT_EQ(conflicts, r.conflicts);
    }
}

}  // namespace
