#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

#include "app/files/MissionIO.h"
#include "mission/ChangeJournal.h"
#include "mission/FileIO.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/ShipgroupList.h"
#include "support/LargestMission.h"
#include "text/Merge.h"

// Under the address checker a merge is some fifty times slower: the laws are checked there on
// the sample and three generated missions; the plain build adds the largest and seventeen more.
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
using Edits = std::vector<Edit>;
using Texts = std::vector<std::string>;

std::unique_ptr<app::Editor> opened(const Bytes& file) {
    auto e = std::make_unique<app::Editor>();
    e->craftListPath = QUENDAR_DATA_DIR "/SHIPLIST.TXT";
    e->settings.runEccBeforeSave = 0;
    app::resetEditorToNewMission(*e);
    app::loadMissionBytes(*e, file);
    return e;
}

// A mission after some edits (none: as it is), saved and opened again.
Bytes edited(const Bytes& file, const Edits& edits = {}) {
    auto e = opened(file);
    for (const Edit& edit : edits) edit(*e);
    return app::buildMissionImage(*e);
}

text::MissionRef ref(const app::Editor& e) { return {e.store, e.briefing, &e.craftList}; }
// Merges the sides' edits of `base` (none: `base` itself) into ours, then theirs applied to it
// (ours alone when the sides are the same or conflict), with `want` listed as conflicts.
void expectMerge(const Bytes& base, const Edits& o, const Edits& t, const Texts& want = {}) {
    const Bytes ours = o.empty() ? base : edited(base, o),
                theirs = t.empty() ? base : edited(base, t);
    auto eb = opened(base), eo = opened(ours), et = opened(theirs), out = opened(ours);
    mission::ChangeJournal::Pause pause(out->journal);
    const auto m = text::mergeMissions(ref(*eb), ref(*eo), ref(*et), {out->store, out->briefing});
    EXPECT_EQ(m.error, "");
    Texts conflicts;
    for (const auto& c : m.conflicts) conflicts.push_back(c.text());
    EXPECT_EQ(conflicts, want);
    EXPECT_TRUE(app::buildMissionImage(*out) ==
                edited(want.empty() && ours != theirs ? edited(ours, t) : ours));
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
// Moves the first zoom command (time 0; the other is at 240) to another time.
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

// Edits of different parts merge as if applied one after the other; a field both sides changed
// differently, or a shipgroup one side deleted and the other changed, is listed by path with the
// three values and keeps ours. Red Lantern is shipgroup 0, Amber Wing 1. The laws, on the sample,
// largest and generated missions: merge(B, X, B), merge(B, B, X) and merge(B, X, X) are X.
TEST(Merge, EditsOfBothSidesMergeOrListConflictsAndKeepOurs) {
    using Row = std::tuple<std::string, Edits, Edits, Texts>;
    // clang-format off
    const std::vector<Row> rows = {
        {"theirs deletes shipgroup 0: ours' references to it clear, later ones count one lower; theirs' new 0 stays",
         {target("Echo Picket", "Relay Tallow"), target("Korvane Guard", "Red Lantern")},
         {removed("Red Lantern"), target("Blade Ring", "Amber Wing")}, {}},
        {"insertions on both sides, ours first", {appended("Blade Ring", "Ours Escort", "Depot Vesh")},
         {removed("Hauler Sixx"), appended("Iron Chorus", "Theirs Escort", "Echo Picket")}, {}},
        {"a shipgroup and the briefing", {rename("Depot Vesh", "Depot Wren")}, {orient(33), zoomAt(300)}, {}},
        {"messages", {message(0, "Ours.")}, {message(2, "Theirs.")}, {}},
        {"one field, two values", {rename("Amber Wing", "Amber Lance")}, {rename("Amber Wing", "Amber Spire")},
         {R"(shipgroups[1] "Amber Lance" .name: base "Amber Wing", ours "Amber Lance", theirs "Amber Spire")"}},
        {"a target named by each side's numbers",
         {removed("Red Lantern"), target("Korvane Guard", "Blade Ring")}, {target("Korvane Guard", "Echo Picket")},
         {R"(shipgroups[2] "Korvane Guard" .orders[0][0].target1: base 0, ours 3 "Blade Ring", theirs 8 "Echo Picket")"}},
        {"deleted against changed", {removed("Relay Tallow")}, {rename("Relay Tallow", "Relay Moss")},
         {R"(shipgroups[7] "Relay Tallow": base present, ours deleted, theirs changed)"}},
        {"changed against deleted", {rename("Relay Tallow", "Relay Moss")}, {removed("Relay Tallow")},
         {R"(shipgroups[7] "Relay Moss": base present, ours changed, theirs deleted)"}},
        // Each side moves it past the other zoom command: still the same command, moved.
        {"a briefing command moved differently", {zoomAt(300)}, {zoomAt(250)},
         {"briefing.commands.BRC_ZOOM[0]: base time 0, zoomX 40, zoomY 40, "
          "ours time 300, zoomX 40, zoomY 40, theirs time 250, zoomX 40, zoomY 40"}},
        {"a message text", {message(1, "A.")}, {message(1, "B.")},
         {R"(messages[1].text: base "Korvane fighters inbound!", ours "A.", theirs "B.")"}},
    };
    // clang-format on
    const Bytes sample = *mission::readWholeFile(QUENDAR_DATA_DIR "/samples/lantern-run.tie");
    for (const auto& [name, ours, theirs, conflicts] : rows) {
        SCOPED_TRACE(name);
        expectMerge(sample, ours, theirs, conflicts);
    }
    const auto laws = [](const std::string& name, const Bytes& base, Edits x) {
        for (const auto& [o, t, law] : {std::tuple{x, Edits{}, "merge(B, X, B)"},
                                        {{}, x, "merge(B, B, X)"},
                                        {x, x, "merge(B, X, X)"}}) {
            SCOPED_TRACE(name + " " + law);
            expectMerge(base, o, t);
        }
    };
    laws("sample", sample,
         {rename("Blade Ring", "Blade Halo"), target("Korvane Guard", "Relay Tallow"),
          removed("Hauler Sixx"), appended("Iron Chorus", "Late Picket", "Echo Picket"), orient(33),
          zoomAt(200), message(1, "Hold.")});
    const Bytes largest = quendar::testing::largestMissionFile();
    if (!kAddressChecked)
        laws("largest", largest,
             {[](app::Editor& e) { shipgroup::removeShipgroup(e.store, 40); }, orient(5),
              message(254, "x")});
    for (uint32_t seed = 1; seed <= (kAddressChecked ? 3u : 20u); ++seed) {
        // The last one fills every slot the file has, beyond what Add allows.
        const int groups = seed == 20 ? 255 : static_cast<int>(seed * 9 % 60) + 2;
        mission::MissionStore s;
        quendar::testing::fillRandomMission(s, seed, groups, static_cast<int>(seed % 5));
        laws("random " + std::to_string(seed), mission::writeMission(s),
             {rename(s.text(Table::Shipgroups, 0, 0, 20), "Renamed"),
              removed(s.text(Table::Shipgroups, groups - 1, 0, 20)),
              appended("Renamed", "Added", "Renamed")});
    }
    SCOPED_TRACE("each side a third of the largest mission");
    // clang-format off
    expectMerge(largest,
                {[](app::Editor& e) { for (int i = 0; i < 66; ++i) e.store.setByte(Table::Shipgroups, i, mission::sg::nameWidth + 1, 3); }},
                {[](app::Editor& e) { for (int i = 66; i < 132; ++i) e.store.setByte(Table::Shipgroups, i, 0, 'T'); }});
    // clang-format on
}

}  // namespace
