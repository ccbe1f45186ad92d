#include <gtest/gtest.h>

#include "SettingsFixture.h"
#include "settings/MissionForms.h"
#include "settings/TextForms.h"

namespace quendar::settings::test {
namespace {

TEST(MissionPropertiesForm, IffNamesAreCutTo19AndTheFixedNamesCannotChange) {
    SettingsFixture f;
    MissionPropertiesForm form(f.ctx);
    EXPECT_EQ(form.title(), "Mission Properties");
    form.type("iff3", std::string(25, 'Q'));
    // IFF 3's name lies at header bytes 40..59.
    EXPECT_EQ(f.store.text(Table::Header, 0, 40, 20), std::string(19, 'Q'));
    EXPECT_EQ(f.at(Table::Header, 0, 59), 0);
    EXPECT_EQ(form.textOf("iff3"), std::string(19, 'Q'));
    form.type("iff5", "Vanguard");
    EXPECT_EQ(f.store.text(Table::Header, 0, 80, 20), "Vanguard");

    EXPECT_EQ(form.textOf("iff0"), "Rebel");
    EXPECT_EQ(form.textOf("iff1"), "Imperial");
    EXPECT_FALSE(form.find("iff0")->isEnabled());
    EXPECT_FALSE(form.find("iff1")->isEnabled());

    const auto hangars = form.itemsOf("hangar");
    ASSERT_EQ(hangars.size(), 19u);
    EXPECT_EQ(hangars[3], "3");
    EXPECT_EQ(hangars[4], "No hangar");
    EXPECT_EQ(hangars[5], "Inside Battle Station");
    EXPECT_EQ(hangars[6], "Heavy Cruiser");
    EXPECT_EQ(hangars[7], "Home Base");
    EXPECT_EQ(hangars[8], "8");
    EXPECT_EQ(hangars[18], "18");
    form.choose("hangar", 6);
    EXPECT_EQ(f.at(Table::MissionOptions, 0, 0), 6);
}

TEST(TeamsPropertiesForm, OpeningAndClosingChangesNothingAndTypingClearsTheField) {
    SettingsFixture f;
    f.store.currentTeam = 3;
    const std::string full(64, 'v');
    f.store.setText(Table::Teams, 3, 36, 64, full);  // victory line 1, no terminator
    f.store.setText(Table::Teams, 3, 2, 20, std::string(20, 'n'));
    f.store.setByte(Table::Teams, 3, 30, 7);  // behind the name, not edited
    const std::string before = f.bytesOf(Table::Teams, 3);
    {
        TeamsPropertiesForm form(f.ctx);
        EXPECT_EQ(form.textOf("line1"), full);
        form.click("ok");
        EXPECT_TRUE(form.accepted);
    }
    EXPECT_EQ(f.bytesOf(Table::Teams, 3), before);

    TeamsPropertiesForm form(f.ctx);
    form.type("line4", std::string(70, 'f'));  // failure line 2: bytes 228..291
    EXPECT_EQ(f.store.text(Table::Teams, 3, 228, 64), std::string(64, 'f'));
    form.type("line4", "lost");
    EXPECT_EQ(f.at(Table::Teams, 3, 232), 0);
    EXPECT_EQ(f.at(Table::Teams, 3, 291), 0);
    form.type("name", "Night Wardens of the Rim");
    EXPECT_EQ(f.store.text(Table::Teams, 3, 2, 20), "Night Wardens of th");
    EXPECT_EQ(f.at(Table::Teams, 3, 21), 0);
    form.type("line6", "x");  // outstanding line 2 at 356
    EXPECT_EQ(f.at(Table::Teams, 3, 356), 'x');
    EXPECT_EQ(f.at(Table::Teams, 3, 30), 7);
    EXPECT_EQ(f.at(Table::Teams, 2, 356), 0) << "other teams stay";
}

TEST(SystemsForm, BytesBehindTheTerminatorKeepTheirValues) {
    SettingsFixture f;
    const std::string region3 = f.bytesOf(Table::RegionNames, 2);
    auto slot = f.store.mutableSlot(Table::RegionNames, 1);
    std::fill(slot.begin(), slot.end(), uint8_t{'x'});
    SystemsForm form(f.ctx);
    EXPECT_EQ(form.title(), "Systems in the missions");
    form.type("system2", "Ab");
    EXPECT_EQ(f.at(Table::RegionNames, 1, 0), 'A');
    EXPECT_EQ(f.at(Table::RegionNames, 1, 1), 'b');
    EXPECT_EQ(f.at(Table::RegionNames, 1, 2), 0);
    EXPECT_EQ(f.at(Table::RegionNames, 1, 3), 'x');
    EXPECT_EQ(f.at(Table::RegionNames, 1, 131), 'x');
    form.type("system2", std::string(140, 'r'));
    EXPECT_EQ(f.at(Table::RegionNames, 1, 130), 'r');
    EXPECT_EQ(f.at(Table::RegionNames, 1, 131), 0);
    EXPECT_EQ(f.bytesOf(Table::RegionNames, 2), region3);
}

TEST(GlobalGroupsForm, StepsStopAtTheEndsAndNamesGoToTheGroupShown) {
    SettingsFixture f;
    GlobalGroupsForm form(f.ctx);
    auto caption = [&] { return form.find("name")->groupCaption(); };
    EXPECT_EQ(caption(), "Global group 1");
    form.click("previous");
    EXPECT_EQ(form.group(), 0);
    for (int i = 0; i < 31; ++i) form.click("next");
    EXPECT_EQ(caption(), "Global group 32");
    form.click("next");
    EXPECT_EQ(form.group(), 31);
    form.type("name", std::string(90, 'g'));
    EXPECT_EQ(f.store.text(Table::GlobalGroupNames, 31, 0, 87), std::string(85, 'g'));
    EXPECT_EQ(f.at(Table::GlobalGroupNames, 31, 85), 0);
    EXPECT_EQ(f.at(Table::GlobalGroupNames, 31, 86), 0);
    form.click("previous");
    EXPECT_EQ(caption(), "Global group 31");
    EXPECT_EQ(form.textOf("name"), "");
}

TEST(CargoesAndTexts, CargoNamesCutAt19AndLongTextsStoreOnlyOnOk) {
    SettingsFixture f;
    f.store.setByte(Table::SpecialCargo, 4, 20, 42);  // past the name: carried
    {
        CargoesForm form(f.ctx);
        EXPECT_EQ(form.title(), "Special cargoes in the mission");
        form.type("cargo5", "Sealed crates of seeds");  // 22 characters
        EXPECT_EQ(f.store.text(Table::SpecialCargo, 4, 0, 20), "Sealed crates of se");
        EXPECT_EQ(f.at(Table::SpecialCargo, 4, 19), 0);
        EXPECT_EQ(f.at(Table::SpecialCargo, 4, 20), 42);
        EXPECT_EQ(f.at(Table::SpecialCargo, 5, 0), 0);
    }
    {
        LongTextForm hints(f.ctx, LongTextForm::Which::Hints);
        EXPECT_EQ(hints.textOf("caption"), "Hints text");
        EXPECT_EQ(hints.textOf("text"), "");
        EXPECT_TRUE(hints.find("text")->multiLine);
    }
    {
        LongTextForm intro(f.ctx, LongTextForm::Which::Introduction);
        EXPECT_EQ(intro.textOf("caption"), "Introduction text");
        intro.type("text", "First line\nSecond line");
        EXPECT_EQ(f.store.text(Table::Introduction, 0, 0, 4096), "") << "nothing before OK";
        intro.click("ok");
        EXPECT_EQ(f.store.text(Table::Introduction, 0, 0, 4096), "First line\r\nSecond line");
    }
    {
        // Shown with plain line breaks; closed without OK: the text stays.
        LongTextForm intro(f.ctx, LongTextForm::Which::Introduction);
        EXPECT_EQ(intro.textOf("text"), "First line\nSecond line");
        intro.type("text", "thrown away");
    }
    EXPECT_EQ(f.store.text(Table::Introduction, 0, 0, 4096), "First line\r\nSecond line");
    {
        LongTextForm debrief(f.ctx, LongTextForm::Which::Debriefing);
        EXPECT_EQ(debrief.textOf("caption"), "Debriefing text");
        debrief.type("text", std::string(5000, 'd'));
        debrief.click("ok");
        EXPECT_EQ(f.store.text(Table::Debriefing, 0, 0, 4096), std::string(4095, 'd'));
        EXPECT_EQ(f.at(Table::Debriefing, 0, 4095), 0);
    }
    EXPECT_EQ(toStoredLines("a\r\nb\nc"), "a\r\nb\r\nc");
}

}  // namespace
}  // namespace quendar::settings::test
