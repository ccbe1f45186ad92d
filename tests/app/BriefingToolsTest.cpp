#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/BriefingTools.h"
#include "app/MotionWizardForm.h"
#include "briefing/ShipPicking.h"
#include "support/ScriptedUi.h"

namespace quendar::app {
namespace {

using namespace briefing;

class BriefingToolsTest : public ::testing::Test {
  protected:
    BriefingToolsTest() {
        editor.viewSwitches.briefingMode = true;
        editor.settings.briefingHints = 0;
        tools.runModal = [this](core::FormModel& f) {
            titles.push_back(f.title());
            if (pick) pick(f);
            return f.accepted;
        };
        tools.status = [this](const std::string& s) { status = s; };
    }
    void show(int32_t t, int slot, int type, int iff = 0) {
        editor.briefing.appendCommand(BRC_SHOW, t, {slot, type, iff});
    }
    void move(int32_t t, int slot, int x, int y) {
        editor.briefing.appendCommand(BRC_COORD, t, {slot, x, y});
    }
    // Undoes every entry; returns how many there were.
    int undoAll() {
        int n = 0;
        while (editor.briefing.undoLog().undo(editor.briefing, true)) ++n;
        return n;
    }

    Editor editor;
    testing::ScriptedPrompter prompter;
    BriefingTools tools{editor, prompter};
    std::function<void(core::FormModel&)> pick;  // what the user does in a picker
    std::vector<std::string> titles;
    std::string status;
};

TEST_F(BriefingToolsTest, HintsAskFirstAndNoActivatesNothing) {
    editor.settings.briefingHints = 1;
    prompter.answers = {core::Answer::No};
    tools.run(bcmd::ShowShip);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Briefing hints");
    EXPECT_EQ(prompter.shown[0].buttons, core::Buttons::YesNo);
    EXPECT_EQ(prompter.shown[0].text.rfind("Add new ship to the briefing map or change", 0), 0u);
    EXPECT_EQ(editor.mapTool, 0);
    prompter.answers = {core::Answer::No};
    tools.run(bcmd::Zoom);
    EXPECT_EQ(editor.briefing.count(BRC_ZOOM), 0);

    tools.run(bcmd::AddSelection);  // answered Yes
    EXPECT_EQ(editor.mapTool, 201);
    EXPECT_EQ(status, "Choose a slot on the upper toolbar");
    // Tools without a hint never ask.
    const size_t asked = prompter.shown.size();
    tools.run(bcmd::Rotate);
    tools.run(bcmd::SkipTo);
    EXPECT_EQ(prompter.shown.size(), asked);
    EXPECT_EQ(editor.briefing.count(BRC_SKIP), 1);
}

TEST_F(BriefingToolsTest, NewShipTakesTheLowestFreeSlotAndCancelAddsNothing) {
    show(0, 0, 5);
    show(0, 1, 6);
    show(10, 2, 7);
    show(20, 2, 0);  // hidden before T
    show(80, 3, 8);  // shown later: the slot is taken
    editor.briefing.setCurrentTime(50);
    EXPECT_EQ(lowestFreeSlot(editor.briefing, 50), 2);
    tools.run(bcmd::ShowShip);
    EXPECT_EQ(status, "R-click:new,or select");

    tools.rightClick();  // the picker closed without Ok
    EXPECT_EQ(editor.briefing.count(BRC_SHOW), 5);
    EXPECT_EQ(editor.mapTool, 200);
    EXPECT_EQ(undoAll(), 0);

    pick = [](core::FormModel& f) {
        f.choose("iff", 1);
        f.click("ok");
    };
    tools.rightClick();
    ASSERT_EQ(editor.briefing.count(BRC_SHOW), 6);
    const Record& r = editor.briefing.record(BRC_SHOW, 5);
    EXPECT_EQ(r.time, 50);
    EXPECT_EQ(r.param(0), 2);
    EXPECT_EQ(r.param(1), 1);  // preset craft type 1
    EXPECT_EQ(r.param(2), 1);
    EXPECT_EQ(editor.mapTool, 0);
    EXPECT_EQ(undoAll(), 1);
    EXPECT_EQ(editor.briefing.count(BRC_SHOW), 5);

    // Slot 3 is free again once its later show is hidden at T.
    show(50, 2, 9);
    show(50, 3, 0);
    EXPECT_EQ(lowestFreeSlot(editor.briefing, 50), 3);
}

TEST_F(BriefingToolsTest, HitTestIsStrictAndTheHighestSlotWins) {
    show(0, 3, 5);
    show(0, 7, 0);  // type 0 is hit like any other
    move(0, 7, 10, 0);
    EXPECT_EQ(hitTest(editor.briefing, 0, 5, 0), (PickedShip{7, 0, 0}));
    EXPECT_EQ(hitTest(editor.briefing, 0, -19, 19), (PickedShip{3, 5, 0}));
    EXPECT_FALSE(hitTest(editor.briefing, 0, -20, 0));
    EXPECT_FALSE(hitTest(editor.briefing, 0, 0, 20));
    EXPECT_EQ(hitTest(editor.briefing, 0, 29, 0), (PickedShip{7, 0, 0}));

    // A selection click 25 units from every ship adds nothing; the tool waits.
    tools.run(bcmd::AddSelection);
    tools.slotButtons().choose(2);  // slot 3
    EXPECT_EQ(editor.mapTool, 403);
    EXPECT_TRUE(tools.slotButtons().checked(2));
    tools.leftClickAt(0, 25);
    EXPECT_EQ(editor.briefing.count(BRC_SELECT3), 0);
    EXPECT_EQ(editor.mapTool, 403);
    tools.leftClickAt(5, 0);
    ASSERT_EQ(editor.briefing.count(BRC_SELECT3), 1);
    EXPECT_EQ(editor.briefing.record(BRC_SELECT3, 0).param(0), 7);
    EXPECT_EQ(editor.mapTool, 0);
    EXPECT_EQ(undoAll(), 1);
    EXPECT_EQ(editor.briefing.count(BRC_SELECT3), 0);
}

TEST_F(BriefingToolsTest, SimpleMovingStepsFromTheStartPositionAndLogsWhatWasAdded) {
    show(0, 4, 5);
    editor.briefing.setCurrentTime(100);
    std::shared_ptr<core::FormModel> shown;
    tools.showMotionWizard = [&](std::shared_ptr<core::FormModel> f) { shown = f; };
    tools.run(bcmd::MoveShip);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->title(), "Briefing Editor - Motion Wizard");
    EXPECT_EQ(shown->textOf("comments"), "Select a ship on the map.");
    EXPECT_FALSE(shown->find("motion")->itemEnabled(1));
    tools.leftClickAt(3, 3);
    EXPECT_EQ(tools.motionShip(), 4);
    EXPECT_EQ(shown->textOf("comments"), "Select one of the four motion type.");
    EXPECT_TRUE(shown->find("motion")->itemEnabled(1));
    EXPECT_FALSE(shown->find("motion")->itemEnabled(2));
    shown->choose("motion", 1);
    EXPECT_EQ(tools.motionStep(), kSimpleMoving);

    int closes = 0;
    auto conn = shown->closeRequested.connect([&] { ++closes; });
    editor.briefing.setCurrentTime(100);
    tools.leftClickAt(100, -35);  // no time has passed: nothing
    EXPECT_EQ(editor.briefing.count(BRC_COORD), 0);
    editor.briefing.setCurrentTime(110);
    tools.leftClickAt(100, -35);
    ASSERT_EQ(editor.briefing.count(BRC_COORD), 10);
    for (int k = 0; k < 10; ++k) {
        const Record& r = editor.briefing.record(BRC_COORD, k);
        EXPECT_EQ(r.time, 100 + k);
        EXPECT_EQ(r.param(0), 4);
        EXPECT_EQ(r.param(1), 10 * k);
        EXPECT_EQ(r.param(2), -3 * k);
    }
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(tools.motionStep(), kPickShip);
    EXPECT_EQ(editor.mapTool, 0);
    EXPECT_EQ(undoAll(), 1);
    EXPECT_EQ(editor.briefing.count(BRC_COORD), 0);
}

TEST(SimpleMove, FillsTheListOnlyAsFarAsItHoldsAndStartsWhereTheShipStood) {
    mission::MissionStore store;
    BriefingModel model(store);
    model.appendCommand(BRC_SHOW, 0, {1, 5, 0});
    model.appendCommand(BRC_COORD, 5, {1, 50, -50});
    model.appendCommand(BRC_COORD, 30, {1, 999, 999});  // after the start: not used
    EXPECT_EQ(shipPositionAt(model, 1, 10), (ShipPosition{50, -50}));
    EXPECT_EQ(shipPositionAt(model, 2, 10), (ShipPosition{0, 0}));
    for (int i = model.count(BRC_COORD); i < 995; ++i) model.appendCommand(BRC_COORD, 1, {9, 0, 0});
    // 20 steps wanted, 5 fit; the steps go toward zero (-7 / 20 -> 0).
    EXPECT_EQ(appendSimpleMove(model, 1, 10, 30, 50 + 61, -57), 5);
    EXPECT_EQ(model.count(BRC_COORD), 1000);
    EXPECT_EQ(model.record(BRC_COORD, 999).param(1), 50 + 4 * 3);
    EXPECT_EQ(model.record(BRC_COORD, 999).param(2), -50);
    EXPECT_EQ(appendSimpleMove(model, 1, 10, 30, 0, 0), 0);
    EXPECT_EQ(appendSimpleMove(model, 1, 10, 10, 0, 0), 0);
}

TEST_F(BriefingToolsTest, TechDataButtonTurnsShownDataOffWithoutAClick) {
    show(0, 6, 5);
    editor.briefing.setCurrentTime(20);
    tools.run(bcmd::TechData);
    EXPECT_EQ(editor.mapTool, 215);
    EXPECT_EQ(status, "Select ship");
    tools.leftClickAt(0, 0);
    ASSERT_EQ(editor.briefing.count(BRC_TECH), 1);
    EXPECT_EQ(editor.briefing.record(BRC_TECH, 0).param(0), 1);
    EXPECT_EQ(editor.briefing.record(BRC_TECH, 0).param(1), 6);

    editor.briefing.setCurrentTime(40);
    tools.run(bcmd::TechData);
    ASSERT_EQ(editor.briefing.count(BRC_TECH), 2);
    const Record& off = editor.briefing.record(BRC_TECH, 1);
    EXPECT_EQ(off.time, 40);
    EXPECT_EQ(off.param(0), 0);
    EXPECT_EQ(off.param(1), 6);
    EXPECT_EQ(status, "End techdata");
    EXPECT_EQ(editor.mapTool, 0);
    EXPECT_EQ(undoAll(), 2);
}

TEST_F(BriefingToolsTest, TagToolTakesTextAndColourBeforeTheClick) {
    tools.run(bcmd::AddTexts);
    EXPECT_EQ(editor.mapTool, 204);
    EXPECT_TRUE(tools.slotButtons().enabled(0));
    tools.slotButtons().choose(4);  // closed without Ok: still waiting for a slot
    EXPECT_EQ(editor.mapTool, 204);
    pick = [](core::FormModel& f) {
        f.choose("tags", 7);
        f.choose("colour", 2);
        f.click("ok");
    };
    tools.slotButtons().choose(4);
    EXPECT_EQ(titles.back(), "Select text and colour");
    EXPECT_EQ(editor.mapTool, 415);
    EXPECT_EQ(status, "Click on the map");
    pick = nullptr;
    editor.briefing.setCurrentTime(12);
    tools.leftClickAt(-300, 44);
    ASSERT_EQ(editor.briefing.count(BRC_TAG5), 1);
    const Record& r = editor.briefing.record(BRC_TAG5, 0);
    EXPECT_EQ(r.time, 12);
    EXPECT_EQ(r.param(0), 7);
    EXPECT_EQ(r.param(1), -300);
    EXPECT_EQ(r.param(2), 44);
    EXPECT_EQ(r.param(3), 2);
    EXPECT_EQ(titles.size(), 2u);  // the click opened nothing
    EXPECT_EQ(editor.mapTool, 0);
}

TEST_F(BriefingToolsTest, LimitsRefuseSilentlyAndCancelledPickersAddNothing) {
    for (int i = 0; i < 499; ++i) editor.briefing.appendCommand(BRC_ZOOM, i, {50, 50});
    tools.run(bcmd::Zoom);
    EXPECT_EQ(editor.briefing.count(BRC_ZOOM), 499);
    EXPECT_TRUE(prompter.shown.empty());
    editor.briefing.deleteCommand(BRC_ZOOM, 0);
    tools.run(bcmd::Zoom);
    EXPECT_EQ(editor.briefing.count(BRC_ZOOM), 499);
    EXPECT_EQ(status, "Zooming");

    // Select text with Ok but no line, then rotate closed without Ok.
    pick = [](core::FormModel& f) { f.click("ok"); };
    tools.run(bcmd::AddInstruction);
    EXPECT_EQ(titles.back(), "Select text");
    EXPECT_EQ(editor.briefing.count(BRC_LOWER), 0);
    show(0, 2, 5);
    pick = nullptr;
    tools.run(bcmd::Rotate);
    tools.leftClickAt(0, 0);
    EXPECT_EQ(titles.back(), "Rotating craft");
    EXPECT_EQ(editor.briefing.count(BRC_ORIENT), 0);
    EXPECT_EQ(editor.mapTool, 202);
    pick = [](core::FormModel& f) {
        f.click("rotate");
        f.click("rotate");
        f.click("ok");
    };
    tools.leftClickAt(0, 0);
    ASSERT_EQ(editor.briefing.count(BRC_ORIENT), 1);
    EXPECT_EQ(editor.briefing.record(BRC_ORIENT, 0).param(1), 2);
    EXPECT_EQ(editor.mapTool, 0);

    // End mark and hide ship.
    editor.briefing.setCurrentTime(77);
    tools.run(bcmd::EndMark);
    EXPECT_EQ(editor.briefing.briefingLength(), 77);
    EXPECT_EQ(status, "END BRIEFING");
    tools.run(bcmd::HideShip);
    tools.leftClickAt(1, 1);
    EXPECT_EQ(editor.briefing.record(BRC_SHOW, 1).param(1), 0);
    EXPECT_EQ(undoAll(), 2);  // the hide and the rotation
}

}  // namespace
}  // namespace quendar::app
