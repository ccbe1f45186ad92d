#include <gtest/gtest.h>

#include "Fixture.h"
#include "shipgroup/CodeTables.h"
#include "shipgroup/GoalsForm.h"
#include "shipgroup/OptionsForm.h"

namespace quendar::shipgroup::test {
namespace {

TEST(GoalsForm, ThreeStateBoxConditionAndBonusPoints) {
    Fixture f(2);
    f.store.currentShipgroup = 1;
    const int g3 = sg::goalOffset(2);
    f.put(1, g3 + 4, 2);    // undetermined
    f.put(1, g3 + 40, 99);  // a byte the form does not own
    GoalsForm form(f.ctx);
    f.open.push_back(&form);
    EXPECT_EQ(form.title(), "Shipgroup - goals");
    EXPECT_EQ(form.valueOf("enabled"), 0);
    EXPECT_FALSE(form.find("condition")->isEnabled());
    EXPECT_FALSE(form.find("slider")->isEnabled());
    form.choose("condition", 2);  // disabled: nothing happens
    EXPECT_EQ(f.at(1, sg::goalOffset(0) + 1), 0);

    form.choose("goal", 2);
    EXPECT_EQ(form.valueOf("enabled"), 2);
    EXPECT_TRUE(form.find("condition")->isEnabled());
    form.choose("enabled", 1);
    EXPECT_EQ(f.at(1, g3 + 4), 1);
    form.choose("enabled", 0);
    EXPECT_EQ(f.at(1, g3 + 4), 0);
    EXPECT_FALSE(form.find("amount")->isEnabled());
    EXPECT_FALSE(form.find("before")->isEnabled());

    // Choosing "be destroyed" for a disabled goal: the box is disabled, so
    // the user enables it first; a condition other than 0 keeps it on.
    form.choose("enabled", 1);
    form.choose("condition", 0);
    EXPECT_EQ(f.at(1, g3 + 4), 1);
    f.put(1, g3 + 4, 2);
    form.choose("condition", 2);
    EXPECT_EQ(f.at(1, g3 + 1), 2);
    EXPECT_EQ(f.at(1, g3 + 4), 1);
    EXPECT_EQ(form.itemsOf("condition")[2], "be destroyed");

    form.choose("slider", 4);
    EXPECT_EQ(f.at(1, g3 + 3), 4);
    EXPECT_EQ(form.textOf("points"), "100");
    form.choose("argument", 3);
    form.choose("amount", 18);
    EXPECT_EQ(f.at(1, g3 + 0), 3);
    EXPECT_EQ(f.at(1, g3 + 2), 18);
    EXPECT_EQ(f.at(1, g3 + 40), 99);

    form.type("failure", std::string(80, 'x'));
    form.choose("goal", 0);
    EXPECT_EQ(f.store.text(Table::ShipgroupGoalStrings, mission::shipgroupGoalStringIndex(1, 2, 2),
                           0, 64),
              std::string(63, 'x'));
    EXPECT_EQ(form.textOf("failure"), "");
    EXPECT_EQ(f.at(0, g3 + 0), 0);  // the other shipgroup is untouched
}

TEST(AdvancedForm, SpecialCargoSpecifiedAndGlobalUnit) {
    Fixture f(1);
    f.store.setText(Table::SpecialCargo, 0, 0, 20, "Secret plans");
    f.put(0, sg::craftCount, 4);
    AdvancedForm form(f.ctx);
    f.open.push_back(&form);
    EXPECT_EQ(form.valueOf("noCargo"), 1);
    EXPECT_FALSE(form.find("cargo")->isEnabled());
    form.choose("noCargo", 0);
    EXPECT_EQ(f.at(0, sg::specialCargoIndex), 0);  // the first cargo
    EXPECT_TRUE(form.find("cargo")->isEnabled());
    EXPECT_EQ(form.itemsOf("cargo")[0], "Secret plans");
    form.choose("cargo", 5);
    EXPECT_EQ(f.at(0, sg::specialCargoIndex), 5);
    form.choose("noCargo", 1);
    EXPECT_EQ(f.at(0, sg::specialCargoIndex), 255);
    EXPECT_EQ(f.at(0, sg::specialCargoCraft), 4);
    EXPECT_EQ(form.valueOf("cargoCraft"), 4);

    f.chooseAndExpect(form, 0, {{"randomize", 1, sg::specialCargoRandom}});
    EXPECT_FALSE(form.find("cargoCraft")->isEnabled());
    f.put(0, sg::specialCargoRandom, 7);
    EXPECT_EQ(form.valueOf("randomize"), 1);
    form.choose("randomize", 0);
    EXPECT_EQ(f.at(0, sg::specialCargoRandom), 0);

    EXPECT_FALSE(form.find("info2")->isEnabled());
    form.choose("specified2", 1);
    EXPECT_EQ(f.at(0, sg::additionalInfo2Enable), 0);
    f.chooseAndExpect(form, 0, {{"info2", 19, sg::additionalInfo2}});
    form.choose("specified2", 0);
    EXPECT_EQ(f.at(0, sg::additionalInfo2Enable), 255);
    EXPECT_EQ(f.at(0, sg::additionalInfo1Enable), 255);

    EXPECT_EQ(form.valueOf("numbered"), 0);
    form.choose("globalUnit", 3);
    EXPECT_EQ(f.at(0, sg::globalUnit), 3);
    EXPECT_EQ(form.valueOf("numbered"), 1);
    EXPECT_FALSE(form.find("numbered")->isEnabled());
    chooseAll(form, {{"formation", 12}, {"distance", 200}});
    f.expectBytes(Table::Shipgroups, 0, {{sg::formation, 12}, {sg::formationDistance, 200}});
    EXPECT_EQ(form.itemsOf("formation")[12], "Formation 12");

    EXPECT_EQ(f.refreshesAfter(form, {ShipgroupEvent::Advanced, ShipgroupEvent::CurrentChanged,
                                      ShipgroupEvent::Waypoints}),
              2);
}

TEST(OptionsForm, PackedAccessoryLists) {
    Fixture f(1);
    OptionsForm form(f.ctx);
    f.open.push_back(&form);
    form.select("warheads", {7, 2});  // "Ion Pulse", "Missile"
    const std::vector<int> packed{3, 8, 0, 0, 0, 0, 0, 0};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(f.at(0, sg::optionalWarheads + k), packed[k]);
    EXPECT_EQ(form.find("warheads")->selection(), (std::vector<int>{2, 7}));
    form.select("beams", {0, 1, 2, 3});
    EXPECT_EQ(f.at(0, sg::optionalBeams + 3), 4);
    EXPECT_EQ(f.at(0, sg::optionalBeams + 4), 0);
    form.select("beams", {});
    EXPECT_EQ(f.at(0, sg::optionalBeams), 0);
    // A stored list with gaps and foreign codes shows what it can.
    f.put(0, sg::optionalCountermeasures, 9);
    f.put(0, sg::optionalCountermeasures + 1, 2);
    EXPECT_EQ(form.find("countermeasures")->selection(), (std::vector<int>{1}));
    form.select("countermeasures", {2, 0});
    EXPECT_EQ(f.at(0, sg::optionalCountermeasures), 1);
    EXPECT_EQ(f.at(0, sg::optionalCountermeasures + 1), 3);
    EXPECT_EQ(f.at(0, sg::optionalCountermeasures + 2), 0);
}

TEST(OptionsForm, UserDefinedShips) {
    Fixture f(1);
    f.put(0, sg::optionalShipType + 3, 4);
    f.put(0, sg::optionalShipCount + 3, 2);
    f.put(0, sg::optionalShipWaves + 3, 1);
    OptionsForm form(f.ctx);
    f.open.push_back(&form);
    EXPECT_FALSE(form.find("lines")->isEnabled());
    form.choose("lines", 3);  // disabled until "USER DEFINED"
    EXPECT_EQ(form.chosenLine(), 0);
    form.choose("mode", kOptionalShipUserDefined);
    EXPECT_EQ(f.at(0, sg::optionalShipMode), 4);
    ASSERT_TRUE(form.find("lines")->isEnabled());
    EXPECT_EQ(form.itemsOf("lines")[3], "2 wave(s) of 2 Fighters class Heron");
    form.choose("lines", 3);
    EXPECT_EQ(form.valueOf("waves"), 1);
    EXPECT_EQ(form.valueOf("count"), 2);
    EXPECT_EQ(form.itemsOf("craft"), (std::vector<std::string>{"Kestrel", "Heron"}));
    EXPECT_EQ(form.valueOf("craft"), 1);

    form.choose("category", 2);  // Freighters: the first craft is written at once
    EXPECT_EQ(f.at(0, sg::optionalShipType + 3), 20);
    form.choose("craft", 1);
    EXPECT_EQ(f.at(0, sg::optionalShipType + 3), 21);
    form.choose("waves", 0);
    form.choose("count", 12);
    EXPECT_EQ(f.at(0, sg::optionalShipWaves + 3), 0);
    EXPECT_EQ(f.at(0, sg::optionalShipCount + 3), 12);
    EXPECT_EQ(form.itemsOf("lines")[3], "1 wave(s) of 12 Freighters class Barge");
    EXPECT_EQ(f.at(0, sg::optionalShipType + 2), 0);
    EXPECT_TRUE(f.prompter.asked.empty());

    f.put(0, sg::optionalShipType + 5, 255);
    form.choose("lines", 5);
    EXPECT_EQ(f.prompter.asked,
              (std::vector<std::string>{"Unknown shiptype: Ship is not in the database"}));
    EXPECT_EQ(form.valueOf("category"), -1);
}

}  // namespace
}  // namespace quendar::shipgroup::test
