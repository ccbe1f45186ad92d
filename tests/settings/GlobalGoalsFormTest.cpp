#include <gtest/gtest.h>

#include "SettingsFixture.h"
#include "settings/GlobalGoalsForm.h"

namespace quendar::settings::test {
namespace {

TEST(GlobalGoalsForm, PointsAreStoredOnlyFromTheThumb) {
    SettingsFixture f;
    GlobalGoalsForm form(f.ctx);
    EXPECT_EQ(form.title(), "Global Goals");
    form.dragThumb("points", 40);
    // Team 1, primary goals: the points byte is 2 + 51 of the record.
    EXPECT_EQ(f.at(Table::GlobalGoals, 0, 53), 40);
    EXPECT_EQ(form.textOf("pointsText"), "1000");
    form.choose("points", 41);  // keyboard or a click beside the thumb
    EXPECT_EQ(form.valueOf("points"), 41);
    EXPECT_EQ(f.at(Table::GlobalGoals, 0, 53), 40);
    EXPECT_EQ(form.textOf("pointsText"), "1000");
    // Secondary goals of the same team have their own points (2 + 244 + 51).
    form.choose("kind", 2);
    EXPECT_EQ(form.valueOf("points"), 0);
    form.dragThumb("points", 255);
    EXPECT_EQ(f.at(Table::GlobalGoals, 0, 297), 255);
    EXPECT_EQ(form.textOf("pointsText"), "6375");
}

TEST(GlobalGoalsForm, KindDecidesTheWordingAndTheThirdText) {
    SettingsFixture f;
    // Team 1, prevent goals, goal 1: condition 2 at 2 + 122.
    f.store.setByte(Table::GlobalGoals, 0, 124, 2);
    f.store.setByte(Table::GlobalGoals, 0, 2 + 3, 45);  // primary goal 1 amount
    GlobalGoalsForm form(f.ctx);
    EXPECT_FALSE(form.find("goal1")->isEnabled());
    EXPECT_TRUE(form.find("goal2")->isEnabled());
    EXPECT_EQ(form.itemsOf("condition")[2], "must be destroyed");
    EXPECT_TRUE(form.find("text3")->isEnabled());
    EXPECT_EQ(form.valueOf("amount"), 45);
    expectItems(form, "amount", 51,
                {{45, "Unknown - 45"}, {17, "66 %"}, {36, "Unknown - 36"}, {50, "Unknown - 50"}});

    form.choose("kind", 1);
    EXPECT_EQ(form.valueOf("condition"), 2);
    expectItems(form, "condition", 51,
                {{2, "musn't be destroyed"},
                 {0, "TRUE - No condition"},
                 {10, "FALSE - Impossible condition"},
                 {23, "musn't run out of missiles"},
                 {45, "musn't withdrawn"},
                 {46, "Unknown - 46"}});
    EXPECT_FALSE(form.find("text3")->isEnabled());
    form.type("text3", "ignored");
    EXPECT_EQ(f.store.text(Table::GlobalGoalStrings, 5, 0, 64), "");
    form.choose("kind", 2);
    EXPECT_EQ(form.itemsOf("condition")[7], "must finish docking");
    EXPECT_EQ(form.itemsOf("condition")[47], "must arrive in sector");
}

TEST(GlobalGoalsForm, PickersAddressTheRightBytesAndTexts) {
    SettingsFixture f;
    GlobalGoalsForm form(f.ctx);
    form.choose("team", 1);
    form.choose("kind", 1);
    form.click("goal3");
    EXPECT_FALSE(form.find("goal3")->isEnabled());
    // Team 2, prevent, goal 3: the trigger starts at 2 + 122 + 16 = 140.
    chooseAll(form, {{"condition", 8}, {"subjectType", 12}, {"amount", 4}, {"parameter", 200}});
    f.expectBytes(Table::GlobalGoals, 1, {{140, 8}, {141, 12}, {143, 4}, {144, 200}});
    EXPECT_EQ(form.itemsOf("subjectType")[12], "Team");
    EXPECT_EQ(form.itemsOf("subjectType")[21], "All teams except");
    EXPECT_EQ(form.itemsOf("subjectType")[23], "Global Unit");
    EXPECT_EQ(form.itemsOf("subjectType")[6], "Unknown - 6");
    const auto subjects = form.itemsOf("subject");
    ASSERT_EQ(subjects.size(), 256u);
    EXPECT_EQ(subjects[0], "0");
    EXPECT_EQ(subjects[255], "255");
    form.choose("subject", 9);
    EXPECT_EQ(f.at(Table::GlobalGoals, 1, 142), 9);
    form.choose("subjectType", 5);  // the stored subject stays
    EXPECT_EQ(f.at(Table::GlobalGoals, 1, 142), 9);
    EXPECT_EQ(form.valueOf("subject"), -1) << "outside the six IFF entries";
    const auto params = form.itemsOf("parameter");
    ASSERT_EQ(params.size(), 256u);
    EXPECT_EQ(params[0], "Parameter  - None");
    EXPECT_EQ(params[5], "5");
    EXPECT_EQ(params[255], "255");

    form.choose("join12", 1);
    form.choose("join34", 1);
    form.choose("joinPairs", 1);
    EXPECT_EQ(f.at(Table::GlobalGoals, 1, 124 + 14), 1);
    EXPECT_EQ(f.at(Table::GlobalGoals, 1, 124 + 30), 1);
    EXPECT_EQ(f.at(Table::GlobalGoals, 1, 124 + 49), 1);
    EXPECT_EQ(f.at(Table::GlobalGoals, 0, 124 + 14), 0);

    // Team 10, secondary, goal 4: texts 0 and 1 are entries 357 and 358;
    // text 2 of that goal would be entry 359.
    form.choose("team", 9);
    form.choose("kind", 2);
    form.click("goal4");
    form.type("text1", std::string(70, 'a'));
    form.type("text2", "Keep the beacon lit");
    EXPECT_EQ(f.store.text(Table::GlobalGoalStrings, 357, 0, 64), std::string(63, 'a'));
    EXPECT_EQ(f.at(Table::GlobalGoalStrings, 357, 63), 0);
    EXPECT_EQ(f.store.text(Table::GlobalGoalStrings, 358, 0, 64), "Keep the beacon lit");
    EXPECT_EQ(mission::globalGoalStringIndex(9, 2, 3, 2), 359);
    form.choose("team", 0);
    form.choose("kind", 0);
    form.click("goal1");
    form.type("text3", "first");
    EXPECT_EQ(f.store.text(Table::GlobalGoalStrings, 2, 0, 64), "first");
}

// Every goal condition 0..47 in both wordings; codes without a wording read
// "Unknown - n" in both.
TEST(GlobalGoalsForm, EveryGoalWordingAndGoalFoursTrigger) {
    const std::pair<int, const char*> verbs[] = {
        {1, "arrive"},
        {2, "be destroyed"},
        {3, "be attacked"},
        {4, "be captured"},
        {5, "be inspected"},
        {6, "be boarded"},
        {7, "finish docking"},
        {8, "be disabled"},
        {9, "survive"},
        {12, "complete its mission"},
        {19, "be dropped off"},
        {20, "be reinforced"},
        {21, "at 0% shields"},
        {22, "at 50% hull"},
        {23, "run out of missiles"},
        {25, "be dropped off"},
        {32, "initiate docking"},
        {45, "withdrawn"},
        {47, "arrive in sector"},
    };
    SettingsFixture f;
    GlobalGoalsForm form(f.ctx);
    const auto must = form.itemsOf("condition");
    form.choose("kind", 1);
    const auto mustNot = form.itemsOf("condition");
    ASSERT_GE(must.size(), 48u);
    ASSERT_GE(mustNot.size(), 48u);
    for (int code = 0; code <= 47; ++code) {
        std::string primary = "Unknown - " + std::to_string(code), prevent = primary;
        if (code == 0) primary = prevent = "TRUE - No condition";
        if (code == 10) primary = prevent = "FALSE - Impossible condition";
        for (const auto& [c, verb] : verbs)
            if (c == code) {
                primary = std::string("must ") + verb;
                prevent = std::string("musn't ") + verb;
            }
        EXPECT_EQ(must[code], primary) << code;
        EXPECT_EQ(mustNot[code], prevent) << code;
    }

    // Team 1, prevent, goal 4: its trigger starts at 2 + 122 + 22 = 146.
    form.click("goal4");
    form.choose("condition", 9);
    form.choose("subjectType", 1);
    form.choose("subject", 3);
    form.choose("amount", 2);
    form.choose("parameter", 4);
    for (const auto& [offset, value] : {std::pair{146, 9}, {147, 1}, {148, 3}, {149, 2}, {150, 4}})
        EXPECT_EQ(f.at(Table::GlobalGoals, 0, offset), value) << offset;
    EXPECT_EQ(f.at(Table::GlobalGoals, 0, 140), 0) << "goal 3's trigger stays";
}

}  // namespace
}  // namespace quendar::settings::test
