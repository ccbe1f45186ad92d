#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "briefing/BriefingForms.h"
#include "briefing/SelectShipForm.h"
#include "briefing/StringTableForms.h"
#include "mission/CraftList.h"
#include "mission/MissionStore.h"
#include "support/FormFixture.h"

namespace quendar::briefing {
namespace {

using Lines = std::vector<std::string>;

// The briefing of a mission in memory; the prompter records every box.
class BriefingFormsTest : public ::testing::Test, public quendar::testing::FormFixture {
  protected:
    BriefingModel model{store};
};

TEST_F(BriefingFormsTest, LengthFormConvertsBothWaysAndLowersTheMarkOnClose) {
    ASSERT_EQ(model.briefingEndTime(), 3000);
    {
        BriefingLengthForm form(model);
        // 3000 × 0.071 lies just below 213 and is cut.
        EXPECT_EQ(form.textOf("seconds"), "212");
        EXPECT_EQ(form.textOf("units"), "3000");
        EXPECT_EQ(form.textOf("note"), "One briefing unit = about 0.071 second");
        form.type("seconds", "213");
        EXPECT_EQ(model.briefingEndTime(), 3000);
        form.type("seconds", "100");
        EXPECT_EQ(model.briefingEndTime(), 1408);
        // The other edit keeps what it showed while one is typed into.
        EXPECT_EQ(form.textOf("units"), "3000");
        form.type("units", "2000");
        EXPECT_EQ(model.briefingEndTime(), 2000);
        EXPECT_EQ(form.textOf("seconds"), "100");
        EXPECT_EQ(model.briefingLength(), 3000);  // nothing lowered while open
        form.closing();
    }
    EXPECT_EQ(model.briefingLength(), 2000);

    // A later end time leaves the mark alone; text that is no number gives 0,
    // and a number beyond the command times stays a command time.
    model.setBriefingLength(1500);
    BriefingLengthForm form(model);
    form.type("units", "4000");
    form.closing();
    EXPECT_EQ(model.briefingLength(), 1500);
    form.type("units", "12x");
    EXPECT_EQ(model.briefingEndTime(), 0);
    form.type("units", "70000");
    EXPECT_EQ(model.briefingEndTime(), 65534);
    form.type("seconds", "-5");
    EXPECT_EQ(model.briefingEndTime(), 0);
    form.closing();
    EXPECT_EQ(model.briefingLength(), 0);
}

TEST_F(BriefingFormsTest, DeleteCommandsListsInKindOrderAndDeletesByPosition) {
    model.appendCommand(BRC_ZOOM, 0, {120, 120});
    model.appendCommand(BRC_SHOW, 7, {1, 5, 0});
    model.appendCommand(BRC_SHOW, 0, {2, 6, 1});
    model.appendCommand(BRC_SHOW, 0, {3, 7, 2});
    DeleteCommandsForm form(model, prompter);
    watch(form);
    EXPECT_EQ(form.itemsOf("commands"),
              (Lines{"Show ship on the map", "Show ship on the map", "Zoom map"}));

    form.click("delete");  // nothing selected
    EXPECT_EQ(model.totalCount(), 4);

    // The second line is the second show command at time 0: list index 2.
    form.choose("commands", 1);
    form.click("debug");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "CMD: BRC_SHOW");
    EXPECT_EQ(prompter.shown[0].text, "0 3 0 7 0 2 0");
    form.click("delete");
    ASSERT_EQ(model.count(BRC_SHOW), 2);
    EXPECT_EQ(model.record(BRC_SHOW, 0).time, 7);
    EXPECT_EQ(model.record(BRC_SHOW, 1).param(0), 2);
    EXPECT_EQ(form.itemsOf("commands"), (Lines{"Show ship on the map", "Zoom map"}));
    EXPECT_EQ(form.valueOf("commands"), -1);

    form.choose("commands", 0);
    form.click("delete");
    EXPECT_EQ(form.itemsOf("commands"), Lines{"Zoom map"});
    EXPECT_EQ(model.count(BRC_ZOOM), 1);
    // A zoom has no debug box.
    form.choose("commands", 0);
    form.click("debug");
    EXPECT_EQ(prompter.shown.size(), 1u);
    form.click("ok");
    EXPECT_EQ(closes, 1);
}

TEST(DeleteCommandsDebug, ShowsTheStoredBytesOfEachParameter) {
    Record coord;
    coord.params[0] = {4, 0};
    coord.params[1] = {255, -1};  // x = -1
    coord.params[2] = {44, 1};    // y = 300
    auto box = DeleteCommandsForm::debugBox(BRC_COORD, coord);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "CMD: BRC_COORD");
    EXPECT_EQ(box->text, "0 4 0 255 -1 44 1");

    Record lower;
    lower.params[0] = {300, 0};  // an index kept whole in the record
    box = DeleteCommandsForm::debugBox(BRC_LOWER, lower);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "CMD: BRC_LOWER");
    EXPECT_EQ(box->text, "0 300 0");

    Record orient;
    orient.codeHigh = 1;
    orient.params[0] = {9, 0};
    orient.params[1] = {3, 0};
    box = DeleteCommandsForm::debugBox(BRC_ORIENT, orient);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "1 9 0 3 0");
    EXPECT_FALSE(DeleteCommandsForm::debugBox(BRC_TAG1, orient));
}

TEST_F(BriefingFormsTest, WizardShiftsCommandsAfterTheCurrentTimeOnEachPress) {
    model.appendCommand(BRC_COORD, 120, {1, 5, 5});
    model.appendCommand(BRC_COORD, 100, {1, 0, 0});
    model.appendCommand(BRC_SKIP, 50);
    model.setCurrentTime(100);
    BriefingWizardForm form(model);
    form.type("delta", "-150");
    form.click("modify");
    EXPECT_EQ(model.record(BRC_COORD, 0).time, -30);
    EXPECT_EQ(model.record(BRC_COORD, 1).time, 100);
    EXPECT_EQ(model.record(BRC_SKIP, 0).time, 50);
    form.click("modify");  // -30 is no longer after the current time
    EXPECT_EQ(model.record(BRC_COORD, 0).time, -30);

    model.appendCommand(BRC_ZOOM, 101, {50, 50});
    form.type("delta", "+25");
    form.click("modify");
    form.click("modify");
    EXPECT_EQ(model.record(BRC_ZOOM, 0).time, 151);
    form.type("delta", "abc");
    form.click("modify");
    EXPECT_EQ(model.record(BRC_ZOOM, 0).time, 151);
    EXPECT_EQ(model.briefingEndTime(), 3000);
    EXPECT_EQ(model.briefingLength(), 3000);
}

TEST_F(BriefingFormsTest, AssignTeamsStoresOnlyOnOk) {
    for (int t = 0; t < 8; ++t) model.setTeamSeesBriefing(t, t != 2);
    const Lines names{"Alpha", "Beta", "Gamma", "D", "E", "F", "G", "H"};
    {
        AssignTeamsForm form(model, [&] { return names; });
        EXPECT_EQ(form.textOf("team2"), "Beta");
        EXPECT_EQ(form.valueOf("team3"), 0);
        EXPECT_EQ(form.valueOf("team1"), 1);
        form.choose("team3", 1);
        form.choose("team8", 0);
        form.click("cancel");
        EXPECT_FALSE(form.accepted);
    }
    EXPECT_FALSE(model.teamSeesBriefing(2));
    EXPECT_TRUE(model.teamSeesBriefing(7));
    AssignTeamsForm form(model, [&] { return names; });
    form.choose("team3", 1);
    form.choose("team8", 0);
    form.click("ok");
    EXPECT_TRUE(model.teamSeesBriefing(2));
    EXPECT_FALSE(model.teamSeesBriefing(7));
    EXPECT_EQ(store.byte(mission::Table::Briefing1, 0, 17418 + 7), 0);
    EXPECT_EQ(store.byte(mission::Table::Briefing1, 0, 17418 + 2), 1);
}

TEST_F(BriefingFormsTest, TagsAddGoesAfterTheSelectionOrToEntryZero) {
    BriefingStringsForm form(store, StringTable::Tags);
    EXPECT_EQ(form.itemsOf("entries").size(), 128u);
    EXPECT_EQ(form.find("comment"), nullptr);
    form.type("text", "Convoy");
    form.click("add");
    EXPECT_EQ(briefingString(store, StringTable::Tags, 0), "Convoy");
    EXPECT_EQ(form.valueOf("entries"), 0);
    EXPECT_EQ(form.textOf("text"), "");

    setBriefingString(store, StringTable::Tags, 5, "Five");
    form.choose("entries", 5);
    EXPECT_EQ(form.textOf("text"), "Five");
    form.type("text", "Six");
    form.click("add");
    EXPECT_EQ(briefingString(store, StringTable::Tags, 6), "Six");
    EXPECT_EQ(briefingString(store, StringTable::Tags, 5), "Five");
    EXPECT_EQ(form.valueOf("entries"), 6);
    EXPECT_EQ(form.itemsOf("entries")[6], "Six");

    // Nothing after the 128th entry.
    form.choose("entries", 127);
    form.type("text", "Overflow");
    form.click("add");
    EXPECT_EQ(form.valueOf("entries"), 127);
    for (const auto& s : briefingStrings(store, StringTable::Tags)) EXPECT_NE(s, "Overflow");

    form.choose("entries", 6);
    form.type("text", std::string(300, 'w'));
    form.click("modify");
    EXPECT_EQ(briefingString(store, StringTable::Tags, 6), std::string(254, 'w'));
    form.click("delete");
    EXPECT_EQ(briefingString(store, StringTable::Tags, 6), "");
    EXPECT_EQ(form.itemsOf("entries")[6], "");
}

TEST_F(BriefingFormsTest, TextsCarryACommentAndIgnoreButtonsWithoutSelection) {
    BriefingStringsForm form(store, StringTable::Texts);
    form.type("text", "Escort the freighters");
    form.type("comment", std::string(120, 'c'));
    form.click("modify");  // nothing selected
    form.click("delete");
    EXPECT_EQ(briefingString(store, StringTable::Texts, 0), "");
    form.click("add");
    EXPECT_EQ(briefingString(store, StringTable::Texts, 0), "Escort the freighters");
    EXPECT_EQ(textComment(store, 0), std::string(99, 'c'));
    EXPECT_EQ(store.byte(mission::Table::BriefingTextNotes, 0, 99), 0);

    form.type("text", "Second");
    form.type("comment", "note");
    form.click("add");
    EXPECT_EQ(briefingString(store, StringTable::Texts, 1), "Second");
    form.choose("entries", 0);
    EXPECT_EQ(form.textOf("comment"), std::string(99, 'c'));
    form.click("delete");
    EXPECT_EQ(briefingString(store, StringTable::Texts, 0), "");
    EXPECT_EQ(textComment(store, 0), "");
    EXPECT_EQ(textComment(store, 1), "note");
}

TEST_F(BriefingFormsTest, PickersReportOnlyWhatTheUserChose) {
    setBriefingString(store, StringTable::Texts, 3, "Hold position");
    {
        SelectTextForm form(store);
        watch(form);
        EXPECT_EQ(form.itemsOf("texts")[3], "Hold position");
        form.click("ok");  // no line: nothing to add
        EXPECT_EQ(closes, 1);
        EXPECT_FALSE(form.accepted);
        EXPECT_FALSE(form.chosen());
    }
    {
        SelectTextForm form(store);
        form.choose("texts", 3);
        form.click("ok");
        EXPECT_EQ(form.chosen(), 3);
    }
    const Lines colours{"Rebel", "Imperial", "Blue", "Gold", "Red", "Violet"};
    SelectTextColourForm form(
        store, [&] { return colours; }, 9);
    EXPECT_EQ(form.itemsOf("colour"), colours);
    EXPECT_EQ(form.valueOf("colour"), 0);
    EXPECT_EQ(form.textIndex(), 9);  // the earlier pick stands until a line is chosen
    form.choose("colour", 4);
    form.choose("colour", 6);  // no such colour
    form.choose("tags", 7);
    form.click("ok");
    EXPECT_TRUE(form.accepted);
    EXPECT_EQ(form.textIndex(), 7);
    EXPECT_EQ(form.colour(), 4);
}

mission::CraftList shipList() {
    mission::CraftList list;
    list.parse(
        "CRAFT    1!Dart,Fighter,Flyable,Known,Skirmish,\t0,0,0,0,0,0,0,0\n"
        "CRAFT    2!Lance,Fighter,Flyable,Known,Skirmish,\t0,0,0,0,0,0,0,0\n"
        "CRAFT    5!Hauler,Freighter,Not flyable,Known,Skirmish,\t0,0,0,0,0,0,0,0\n"
        "CRAFT    6!Barge,Freighter,Mission only,Known,Skirmish,\t0,0,0,0,0,0,0,0\n");
    return list;
}

TEST_F(BriefingFormsTest, SelectShipFindsThePresetAndFollowsTheLists) {
    const mission::CraftList list = shipList();
    const Lines iffs{"Rebel", "Imperial", "Blue", "Gold", "Red", "Violet"};
    // A picture whose width tells which type it shows.
    SelectShipForm form(
        list, [&] { return iffs; }, 6, 1, [](int type) { return core::RgbaImage(type, 1); });
    form.opened(prompter);
    EXPECT_EQ(form.find("picture")->image().width, 6);
    EXPECT_TRUE(prompter.shown.empty());
    const Lines cats = form.itemsOf("category");
    // Categories come in the order of their first craft type: type 0 is "None".
    ASSERT_EQ(cats, (Lines{"None", "Fighter", "Freighter"}));
    EXPECT_EQ(form.valueOf("category"), 2);
    EXPECT_EQ(form.itemsOf("type"), (Lines{"Hauler", "Barge"}));
    EXPECT_EQ(form.valueOf("type"), 1);
    EXPECT_EQ(form.textOf("flyable"), "Mission only");
    EXPECT_EQ(form.valueOf("iff"), 1);
    EXPECT_FALSE(form.find("backdrop")->isEnabled());
    EXPECT_EQ(form.textOf("backdropNote"), "To use backdrop select it from type");

    form.choose("category", 1);  // Fighter: its first type is chosen
    EXPECT_EQ(form.itemsOf("type"), (Lines{"Dart", "Lance"}));
    EXPECT_EQ(form.valueOf("type"), 0);
    EXPECT_EQ(form.craftType(), 1);
    form.choose("type", 1);
    EXPECT_EQ(form.find("picture")->image().width, 2);
    form.choose("iff", 3);
    EXPECT_EQ(form.textOf("flyable"), "Flyable");
    form.click("ok");
    EXPECT_TRUE(form.accepted);
    EXPECT_EQ(form.craftType(), 2);
    EXPECT_EQ(form.iff(), 3);
}

TEST_F(BriefingFormsTest, SelectShipWithAnUnknownTypeSaysSoAndSelectsNothing) {
    const mission::CraftList list = shipList();
    // Every number 0..254 has an entry; a stored type byte of 255 has none.
    SelectShipForm form(
        list,
        [] {
            return Lines{"Rebel", "Imperial"};
        },
        255, 0);
    form.opened(prompter);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Ship is not in the database");
    EXPECT_EQ(prompter.shown[0].caption, "Unknown shiptype");
    EXPECT_EQ(form.valueOf("category"), -1);
    EXPECT_TRUE(form.itemsOf("type").empty());
    form.choose("type", 0);  // an empty list chooses nothing
    EXPECT_EQ(form.craftType(), 255);
    EXPECT_EQ(form.textOf("flyable"), "");
}

}  // namespace
}  // namespace quendar::briefing
