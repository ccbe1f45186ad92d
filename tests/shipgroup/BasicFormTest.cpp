#include <gtest/gtest.h>

#include "Fixture.h"
#include "shipgroup/BasicForm.h"
#include "shipgroup/CodeTables.h"
#include "shipgroup/CraftPicture.h"

namespace quendar::shipgroup::test {
namespace {

using enum ShipgroupEvent;

TEST(BasicForm, CategoryAndCraftChoiceWriteTheTypeAtOnce) {
    Fixture f(2);
    f.put(0, sg::craftType, 4);
    BasicForm form(f.ctx);
    f.open.push_back(&form);
    EXPECT_EQ(form.title(), "Shipgroup - Basic properties");
    const auto cats = form.itemsOf("category");
    ASSERT_GE(cats.size(), 3u);
    EXPECT_EQ(cats[1], "Fighters");
    EXPECT_EQ(form.valueOf("category"), 1);
    EXPECT_EQ(form.itemsOf("craft"), (std::vector<std::string>{"Kestrel", "Heron"}));
    EXPECT_EQ(form.valueOf("craft"), 1);
    EXPECT_EQ(form.textOf("flyability"), "Flyable");

    const int freighters = 2;
    ASSERT_EQ(cats[freighters], "Freighters");
    form.choose("category", freighters);
    EXPECT_EQ(f.at(0, sg::craftType), 20);  // the first craft, before any craft is picked
    EXPECT_EQ(form.valueOf("craft"), 0);
    EXPECT_EQ(form.textOf("flyability"), "Not flyable");
    form.choose("craft", 1);
    EXPECT_EQ(f.at(0, sg::craftType), 21);
    EXPECT_EQ(f.at(1, sg::craftType), 1);
    EXPECT_TRUE(f.prompter.asked.empty());
}

TEST(BasicForm, UnknownCraftTypeIsReportedOnEveryShow) {
    Fixture f(1);
    f.put(0, sg::craftType, 255);
    BasicForm form(f.ctx);
    f.open.push_back(&form);
    EXPECT_EQ(f.prompter.asked,
              (std::vector<std::string>{"Unknown shiptype: Ship is not in the database"}));
    EXPECT_EQ(form.valueOf("category"), -1);
    EXPECT_TRUE(form.itemsOf("craft").empty());
    f.events.notify(ShipgroupEvent::CurrentChanged);
    EXPECT_EQ(f.prompter.asked.size(), 2u);
    EXPECT_EQ(f.at(0, sg::craftType), 255);  // stays until the user picks a type
    form.choose("waves", 0);                 // the rest of the form works
    EXPECT_EQ(f.at(0, sg::waves), 0);
}

TEST(BasicForm, NumberOfShipsAndSpecialCargoCraft) {
    Fixture f(1);
    BasicForm form(f.ctx);
    f.open.push_back(&form);
    form.choose("craftCount", 4);
    form.choose("craftCount", 2);
    EXPECT_EQ(f.at(0, sg::craftCount), 2);
    EXPECT_EQ(f.at(0, sg::specialCargoCraft), 2);
    f.put(0, sg::specialCargoIndex, 3);
    form.choose("craftCount", 7);
    EXPECT_EQ(f.at(0, sg::craftCount), 7);
    EXPECT_EQ(f.at(0, sg::specialCargoCraft), 2);

    form.choose("waves", 0);
    EXPECT_EQ(f.at(0, sg::waves), 0);
    EXPECT_EQ(form.itemsOf("waves")[0], "1");
    f.chooseAndExpect(form, 0,
                      {{"waves", 28, sg::waves},
                       {"status2", 18, sg::status2},
                       {"countermeasure", 3, sg::countermeasure},
                       {"pilot", 12, sg::playerCraft}});
}

TEST(BasicForm, TextsTeamsAndRadio) {
    Fixture f(1);
    f.store.setText(Table::Teams, 0, 2, 20, "Home Fleet");
    f.store.setText(Table::Header, 0, 20, 20, "Pirates");
    BasicForm form(f.ctx);
    f.open.push_back(&form);
    f.sent.clear();
    form.type("name", "A very long name indeed");
    EXPECT_EQ(f.rec(0).name(), "A very long name in");
    EXPECT_EQ(f.sent, (Sent{Renamed}));
    // Leaving the edit tells every form: renamed, then current changed.
    f.sent.clear();
    form.finishEditing("name");
    EXPECT_EQ(f.sent, (Sent{Renamed, CurrentChanged}));
    f.sent.clear();
    form.finishEditing("cargo");
    EXPECT_TRUE(f.sent.empty());
    form.type("cargo", "Ore");
    EXPECT_EQ(f.store.text(Table::Shipgroups, 0, sg::cargo, 20), "Ore");

    const auto teams = form.itemsOf("team");
    ASSERT_EQ(teams.size(), 10u);
    EXPECT_EQ(teams[0], "Home Fleet");
    EXPECT_EQ(teams[1], "");  // an empty name is an empty line here ...
    const auto radio = form.itemsOf("radio");
    ASSERT_EQ(radio.size(), 17u);  // Off, teams 1..8, players 1..8
    EXPECT_EQ(radio[1], "Home Fleet");
    EXPECT_EQ(radio[2], "Team 2");  // ... and "Team n" in the radio list
    EXPECT_EQ(radio[16], "Player 8");
    EXPECT_EQ(form.itemsOf("iff")[2], "Pirates");
}

TEST(BasicForm, BackdropNowChangesOnlyItsFiveFields) {
    Fixture f(2);
    f.store.setText(Table::Shipgroups, 1, sg::name, 20, "Red Squadron Leader");
    f.store.setText(Table::Shipgroups, 1, sg::cargo, 20, "Spare parts");
    f.put(1, sg::iff, 1);
    f.put(1, sg::arrivalTrigger1, 2);
    f.put(1, sg::orderOffset(0, 0), 7);
    f.store.currentShipgroup = 1;
    BasicForm form(f.ctx);
    f.open.push_back(&form);
    EXPECT_FALSE(form.find("backdrop")->isEnabled());
    const auto before = std::vector<uint8_t>(f.store.slot(Table::Shipgroups, 1).begin(),
                                             f.store.slot(Table::Shipgroups, 1).end());
    f.sent.clear();
    form.click("backdropNow");
    EXPECT_EQ(f.rec(1).name(), "1.0 1.0 1.0  Leader");  // the old tail stays
    EXPECT_EQ(f.store.text(Table::Shipgroups, 1, sg::cargo, 20), "1.0 e parts");
    EXPECT_EQ(f.store.text(Table::Shipgroups, 1, sg::comment, 20), "2.0 ");
    EXPECT_EQ(f.at(1, sg::craftType), kBackdropCraft);
    EXPECT_EQ(f.at(1, sg::backdrop), 3);
    auto after = f.store.slot(Table::Shipgroups, 1);
    for (int b = 0; b < mission::kShipgroupSize; ++b) {
        const bool listed = (b < 12) || (b >= sg::cargo && b < sg::cargo + 4) ||
                            (b >= sg::comment && b < sg::comment + 4) || b == sg::craftType ||
                            b == sg::backdrop;
        if (!listed) {
            ASSERT_EQ(after[b], before[b]) << "byte " << b;
        }
    }
    EXPECT_EQ(f.sent, (Sent{Renamed, CurrentChanged}));
    EXPECT_TRUE(form.find("backdrop")->isEnabled());
    EXPECT_EQ(form.find("name")->label, "Color intensity (RGB)");
    EXPECT_EQ(form.find("cargo")->label, "Brightness:");
    EXPECT_EQ(form.itemsOf("craft"), (std::vector<std::string>{"Backdrop"}));
    form.choose("backdrop", 9);
    EXPECT_EQ(f.at(1, sg::backdrop), 9);

    // Back to a craft: the labels return.
    form.choose("category", 1);
    EXPECT_EQ(form.find("name")->label, "Name");
    EXPECT_EQ(form.find("cargo")->label, "Default cargo");
    EXPECT_FALSE(form.find("backdrop")->isEnabled());
}

TEST(CraftPicture, BackdropSphereAndEnlargedIcon) {
    Fixture f(1);
    const auto bd = craftPicture(f.ctx, kBackdropCraft, 5);
    ASSERT_EQ(bd.width, kPictureWidth);
    ASSERT_EQ(bd.height, kPictureHeight);
    const uint32_t bg = bd.at(0, 0);
    EXPECT_NE(bd.at(32 + 25, 20 + 25), bg);  // inside the 50 x 50 square
    EXPECT_EQ(bd.at(31, 45), bg);
    EXPECT_EQ(bd.at(32 + 50, 45), bg);
    EXPECT_NE(craftPicture(f.ctx, kBackdropCraft, 6).pixels, bd.pixels);

    // With icons: the icon grows by the largest whole factor that fits, centred;
    // black icon pixels stay background.
    core::RgbaImage icon(10, 6, core::rgb(0, 0, 0));
    icon.set(0, 0, core::rgb(255, 0, 0));
    f.port.icon = icon;
    const auto pic = craftPicture(f.ctx, 4, 0);
    const int factor = 11;  // min(118 / 10, 74 / 6) = min(11, 12)
    const int ox = (118 - 10 * factor) / 2, oy = (74 - 6 * factor) / 2;
    EXPECT_EQ(pic.at(ox, oy), core::rgb(255, 0, 0));
    EXPECT_EQ(pic.at(ox + factor - 1, oy + factor - 1), core::rgb(255, 0, 0));
    EXPECT_EQ(pic.at(ox + factor, oy), pic.at(0, 0));
    // An icon larger than the frame shrinks to fit it: 128 x 128 becomes 74 x 74.
    core::RgbaImage big(128, 128, core::rgb(0, 0, 0));
    big.set(127, 127, core::rgb(0, 255, 0));
    f.port.icon = big;
    const auto shrunk = craftPicture(f.ctx, 4, 0);
    EXPECT_EQ(shrunk.at((118 - 74) / 2 + 73, 73), core::rgb(0, 255, 0));
    EXPECT_EQ(shrunk.at((118 - 74) / 2 + 72, 72), shrunk.at(0, 0));
    // Without an icon the drawn silhouette differs between types.
    f.port.icon = core::RgbaImage();
    EXPECT_NE(craftPicture(f.ctx, 4, 0).pixels, craftPicture(f.ctx, 5, 0).pixels);
}

}  // namespace
}  // namespace quendar::shipgroup::test
