#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/briefedit/BriefingHints.h"
#include "app/briefedit/BriefingTools.h"
#include "app/briefedit/MotionWizardForm.h"
#include "briefing/SelectShipForm.h"
#include "briefing/ShipPicking.h"
#include "support/ScriptedUi.h"

namespace quendar::app {
namespace {

using namespace briefing;

// The window as the tools see it: the pickers (answered by `pick`), the
// command pane and the Motion Wizard; the rest is inert.
class ToolsView : public FrameView {
  public:
    void setTitle(const std::string&) override {}
    bool isToolbarVisible(int) const override { return true; }
    void setToolbarVisible(int, bool) override {}
    bool isStatusBarVisible() const override { return true; }
    void setStatusBarVisible(bool) override {}
    void setPaneText(Pane p, const std::string& t) override {
        if (p == Pane::CurrentCommand) status = t;
    }
    void fillSelector(const std::vector<std::string>&, int) override {}
    void selectInSelector(int) override {}
    void appendToSelector(const std::string&) override {}
    void replaceInSelector(int, const std::string&) override {}
    void repaintMap() override {}
    void mapSizeChanged() override {}
    bool runModal(core::FormModel& f) override {
        titles.push_back(f.title());
        if (pick) pick(f);
        return f.accepted;
    }
    void showModeless(FormKey key, std::shared_ptr<core::FormModel> f) override {
        if (key == form::MotionWizard) wizard = std::move(f);
    }
    void closeModeless(FormKey) override {}
    core::FormModel* openForm(FormKey) override { return nullptr; }
    void showFirstRunPicture() override {}
    void closeWindow() override {}
    void showBriefingTime(int, int) override {}

    std::function<void(core::FormModel&)> pick;  // what the user does in a picker
    std::vector<std::string> titles;
    std::string status;
    std::shared_ptr<core::FormModel> wizard;
};

struct NoTimeDisplay : BriefingTimeListener, PreferencesPort {
    void refreshBriefingTime() override {}
    void writePreferences() override {}
};

class BriefingToolsTest : public ::testing::Test {
  protected:
    BriefingToolsTest() {
        editor.viewSwitches.briefingMode = true;
        editor.settings.briefingHints = 0;
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
    ToolsView view;
    NoTimeDisplay time;
    BriefingTools tools{editor, prompter, view, time, time};
    std::function<void(core::FormModel&)>& pick = view.pick;
    std::vector<std::string>& titles = view.titles;
    std::string& status = view.status;
};

TEST_F(BriefingToolsTest, HintsAskFirstAndNoActivatesNothing) {
    editor.settings.briefingHints = 1;
    prompter.answers = {core::Answer::No};
    tools.run(cmd::ShowShip);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Briefing hints");
    EXPECT_EQ(prompter.shown[0].buttons, core::Buttons::YesNo);
    EXPECT_EQ(prompter.shown[0].text.rfind("Add new ship to the briefing map or change", 0), 0u);
    EXPECT_EQ(editor.mapTool, CurrentTool{});
    prompter.answers = {core::Answer::No};
    tools.run(cmd::ZoomBriefing);
    EXPECT_EQ(editor.briefing.count(BRC_ZOOM), 0);

    tools.run(cmd::AddSelection);  // answered Yes
    EXPECT_EQ(editor.mapTool, BriefingTool::SelectionSlot);
    EXPECT_EQ(status, "Choose a slot on the upper toolbar");
    // Tools without a hint never ask.
    const size_t asked = prompter.shown.size();
    tools.run(cmd::RotateCraft);
    tools.run(cmd::SkipTo);
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
    tools.run(cmd::ShowShip);
    EXPECT_EQ(status, "R-click:new,or select");

    tools.rightClick();  // the picker closed without Ok
    EXPECT_EQ(editor.briefing.count(BRC_SHOW), 5);
    EXPECT_EQ(editor.mapTool, BriefingTool::ShowShip);
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
    EXPECT_EQ(editor.mapTool, CurrentTool{});
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
    tools.run(cmd::AddSelection);
    tools.choosePoint(2);  // slot 3
    EXPECT_EQ(editor.mapTool, BriefingTool::Selection3);
    EXPECT_TRUE(tools.pointChecked(2));
    tools.leftClickAt(0, 25);
    EXPECT_EQ(editor.briefing.count(BRC_SELECT3), 0);
    EXPECT_EQ(editor.mapTool, BriefingTool::Selection3);
    tools.leftClickAt(5, 0);
    ASSERT_EQ(editor.briefing.count(BRC_SELECT3), 1);
    EXPECT_EQ(editor.briefing.record(BRC_SELECT3, 0).param(0), 7);
    EXPECT_EQ(editor.mapTool, CurrentTool{});
    EXPECT_EQ(undoAll(), 1);
    EXPECT_EQ(editor.briefing.count(BRC_SELECT3), 0);
}

TEST_F(BriefingToolsTest, SimpleMovingStepsFromTheStartPositionAndLogsWhatWasAdded) {
    show(0, 4, 5);
    editor.briefing.setCurrentTime(100);
    tools.run(cmd::MoveShip);
    std::shared_ptr<core::FormModel> shown = view.wizard;
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
    EXPECT_EQ(editor.mapTool, CurrentTool{});
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
    tools.run(cmd::TechData);
    EXPECT_EQ(editor.mapTool, BriefingTool::TechData);
    EXPECT_EQ(status, "Select ship");
    tools.leftClickAt(0, 0);
    ASSERT_EQ(editor.briefing.count(BRC_TECH), 1);
    EXPECT_EQ(editor.briefing.record(BRC_TECH, 0).param(0), 1);
    EXPECT_EQ(editor.briefing.record(BRC_TECH, 0).param(1), 6);

    editor.briefing.setCurrentTime(40);
    tools.run(cmd::TechData);
    ASSERT_EQ(editor.briefing.count(BRC_TECH), 2);
    const Record& off = editor.briefing.record(BRC_TECH, 1);
    EXPECT_EQ(off.time, 40);
    EXPECT_EQ(off.param(0), 0);
    EXPECT_EQ(off.param(1), 6);
    EXPECT_EQ(status, "End techdata");
    EXPECT_EQ(editor.mapTool, CurrentTool{});
    EXPECT_EQ(undoAll(), 2);
}

TEST_F(BriefingToolsTest, TagToolTakesTextAndColourBeforeTheClick) {
    tools.run(cmd::AddTexts);
    EXPECT_EQ(editor.mapTool, BriefingTool::TextSlot);
    EXPECT_TRUE(tools.pointEnabled(0));
    tools.choosePoint(4);  // closed without Ok: still waiting for a slot
    EXPECT_EQ(editor.mapTool, BriefingTool::TextSlot);
    pick = [](core::FormModel& f) {
        f.choose("tags", 7);
        f.choose("colour", 2);
        f.click("ok");
    };
    tools.choosePoint(4);
    EXPECT_EQ(titles.back(), "Select text and colour");
    EXPECT_EQ(editor.mapTool, BriefingTool::Tag5);
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
    EXPECT_EQ(editor.mapTool, CurrentTool{});
}

TEST_F(BriefingToolsTest, LimitsRefuseSilentlyAndCancelledPickersAddNothing) {
    for (int i = 0; i < 499; ++i) editor.briefing.appendCommand(BRC_ZOOM, i, {50, 50});
    tools.run(cmd::ZoomBriefing);
    EXPECT_EQ(editor.briefing.count(BRC_ZOOM), 499);
    EXPECT_TRUE(prompter.shown.empty());
    editor.briefing.deleteCommand(BRC_ZOOM, 0);
    tools.run(cmd::ZoomBriefing);
    EXPECT_EQ(editor.briefing.count(BRC_ZOOM), 499);
    EXPECT_EQ(status, "Zooming");

    // Select text with Ok but no line, then rotate closed without Ok.
    pick = [](core::FormModel& f) { f.click("ok"); };
    tools.run(cmd::AddInstruction);
    EXPECT_EQ(titles.back(), "Select text");
    EXPECT_EQ(editor.briefing.count(BRC_LOWER), 0);
    show(0, 2, 5);
    pick = nullptr;
    tools.run(cmd::RotateCraft);
    tools.leftClickAt(0, 0);
    EXPECT_EQ(titles.back(), "Rotating craft");
    EXPECT_EQ(editor.briefing.count(BRC_ORIENT), 0);
    EXPECT_EQ(editor.mapTool, BriefingTool::Rotate);
    pick = [](core::FormModel& f) {
        f.click("rotate");
        f.click("rotate");
        f.click("ok");
    };
    tools.leftClickAt(0, 0);
    ASSERT_EQ(editor.briefing.count(BRC_ORIENT), 1);
    EXPECT_EQ(editor.briefing.record(BRC_ORIENT, 0).param(1), 2);
    EXPECT_EQ(editor.mapTool, CurrentTool{});

    // End mark and hide ship.
    editor.briefing.setCurrentTime(77);
    tools.run(cmd::EndMark);
    EXPECT_EQ(editor.briefing.briefingLength(), 77);
    EXPECT_EQ(status, "END BRIEFING");
    tools.run(cmd::HideShip);
    tools.leftClickAt(1, 1);
    EXPECT_EQ(editor.briefing.record(BRC_SHOW, 1).param(1), 0);
    EXPECT_EQ(undoAll(), 2);  // the hide and the rotation
}

// Every tool button by its number: the hint it asks first (answered No it
// changes nothing), then what it does once answered Yes.
TEST_F(BriefingToolsTest, EveryToolByItsNumberWithItsHintInFull) {
    struct Row {
        CommandId id;
        const char* hint;  // nullptr: the tool asks nothing
        CurrentTool mapTool;
        const char* status;
    } rows[] = {
        {cmd::SelectMove, nullptr, CurrentTool{}, ""},
        {cmd::ShowShip,
         "Add new ship to the briefing map or change properties of existing ship on the map.\n\n"
         "How to use this tool:\n\nIf you want to add new ship to the map just press the right "
         "mouse button. In this case the ship is always placed at position 0,0. You can later "
         "move this ship to another position by another tool. If you want to change properties "
         "of an existing ship just click on a ship on the briefing map by left mouse button.\n\n"
         "If you find it hard to select a ship on the map try to magnify first.\n\nDo you want "
         "to use this tool?",
         BriefingTool::ShowShip, "R-click:new,or select"},
        {cmd::TechData,
         "Show/hide technical data about a ship.\n\nHow to use this tool:\n\nYou have to select "
         "a ship on the map. If you only want to stop showing technical data you don't have to "
         "do anything.\n\nDo you want to use this tool?",
         BriefingTool::TechData, "Select ship"},
        {cmd::AddSelection,
         "Select a ship on the briefing map.\n\nHow to use this tool:\n\nAfter selecting this "
         "tool first you have to select a slot. To do this click on a number which can be found "
         "on one of the upper toolbars. After this just select a ship on the map.\n\nIf you "
         "find it hard to select a ship try to magnify the map first.\n\nDo you want to use "
         "this tool?",
         BriefingTool::SelectionSlot, "Choose a slot on the upper toolbar"},
        {cmd::RotateCraft, nullptr, BriefingTool::Rotate, "Select ship on the map"},
        {cmd::AddTexts,
         "Add new text to the briefing map.\n\nHow to use this tool:\n\nAfter selecting this "
         "tool first you have to select a slot. To do this click on a number which can be found "
         "on one of the upper toolbars. After this just click somewhere on the map to specify "
         "the location of the text. A new window will appear where you can choose from the "
         "available briefing tags. If you haven't specified the briefing-tags yet do it before "
         "using this tool by selecting Briefing\\Briefing Tags from the menu.\n\nDo you want to "
         "use this tool?",
         BriefingTool::TextSlot, "Choose a slot on the upper toolbar."},
        {cmd::MoveBriefing,
         "Move the briefing position.\n\nHow to use this tool:\n\nLook at the current "
         "time-position. If you use this function the briefing will move to the current "
         "position at this time. So unlock the briefing by clicking on the lock/unlock button. "
         "Then move the briefing to the desired position then use this tool. Don't forget to "
         "lock again the briefing position after using this tool.\n\nDo you want to use this "
         "tool?",
         CurrentTool{}, "Moving"},
        {cmd::ZoomBriefing,
         "Zoom the briefing.\n\nHow to use this tool:\n\nLook at the current time-position. If "
         "you use this function the briefing will zoom to the current zoom at this time. So "
         "unlock the briefing by clicking on the lock/unlock button. Then zoom the briefing. "
         "After this you can use this tool. Don't forget to lock again the briefing after using "
         "this tool.\n\nDo you want to use this tool?",
         CurrentTool{}, "Zooming"},
        {cmd::HideShip,
         "Delete ship on the briefing.\n\nHow to use this tool:\n\nJust click on a ship.\n\nIf "
         "you find it difficult to select a ship try to magnify the map.\n\nDo you want to use "
         "this tool?",
         BriefingTool::HideShip, "Select ship to delete"},
        {cmd::HideSelections,
         "Delete all selections on the briefing.\n\nHow to use this tool:\n\nYou don't have to "
         "do anything.\n\nDo you want to use this tool?",
         CurrentTool{}, "Clear selections"},
        {cmd::DeleteTexts,
         "Delete all texts on the briefing.\n\nHow to use this tool:\n\nYou don't have to do "
         "anything.\n\nDo you want to use this tool?",
         CurrentTool{}, "Clear texts"},
        {cmd::ChangeRegion,
         "Change region.\n\nHow to use this tool:\n\n Before selecting this tool you have to "
         "specify the region by clicking on one of the region buttons (I II III IV) on the "
         "upper toolbar. However you should unlock the briefing first.\n\nDo you want to use "
         "this tool?",
         CurrentTool{}, "Changing system"},
        {cmd::SkipTo, nullptr, CurrentTool{}, "Skip to point"},
        {cmd::EndMark, nullptr, CurrentTool{}, "END BRIEFING"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(idNumber(r.id));
        editor.mapTool = {};
        status.clear();
        editor.settings.briefingHints = 1;
        const size_t asked = prompter.shown.size();
        if (r.hint) {
            prompter.answers = {core::Answer::No};
            tools.run(r.id);
            ASSERT_EQ(prompter.shown.size(), asked + 1);
            EXPECT_EQ(prompter.shown.back().text, r.hint);
            EXPECT_EQ(prompter.shown.back().caption, "Briefing hints");
            EXPECT_EQ(prompter.shown.back().icon, core::Icon::Information);
            EXPECT_EQ(editor.mapTool, CurrentTool{});
            EXPECT_EQ(status, "");
        }
        tools.run(r.id);  // answered Yes, or no hint at all
        EXPECT_EQ(prompter.shown.size(), asked + (r.hint ? 2 : 0));
        EXPECT_EQ(editor.mapTool, r.mapTool);
        EXPECT_EQ(status, r.status);
    }
    EXPECT_EQ(hint::kLockBriefing,
              "Lock/unlock briefing.\n\nIf you lock the briefing you can't move it or zoom "
              "however you can see what the current position/zoom of the briefing is. If you "
              "unlock the briefing you can change its position and zoom but you can't see the "
              "real position at the current briefing-time.\n\nDo you want to lock/unlock the "
              "briefing?");
    // Add instruction text opens Select text; the two toggles flip their settings.
    tools.run(cmd::AddInstruction);
    EXPECT_EQ(titles.back(), "Select text");
    const int images = editor.settings.briefingImages, hints = editor.settings.briefingHints;
    tools.run(cmd::ToggleImages);
    tools.run(cmd::ToggleHints);
    EXPECT_NE(editor.settings.briefingImages, images);
    EXPECT_NE(editor.settings.briefingHints, hints);
    tools.run(cmd::MoveShip);
    EXPECT_EQ(editor.mapTool, BriefingTool::MoveShip);
}

TEST(MotionWizardTexts, EachStepInFull) {
    const std::pair<int, const char*> rows[] = {
        {0, "Select a ship on the map."},
        {1, "Select one of the four motion type."},
        {2, "Simple reposition of the selected ship.\nJust click on the map."},
        {10,
         "Move the ship automaticly. Change briefing time to where you want the ship to stop. "
         "After this just click on the map."},
    };
    for (const auto& [step, text] : rows) EXPECT_EQ(MotionWizardForm::instruction(step), text);
}

// Move briefing: the window's centre as two quotients truncated apart,
// x from the width and y from the height.
TEST_F(BriefingToolsTest, MoveBriefingTakesTheCentreWithTwoQuotients) {
    for (int i = 0; i < map::MapView::kCentringNotifications; ++i) editor.mapView.resize(800, 600);
    editor.mapView.applyBriefingView(60, 0, 0, 0);
    editor.mapView.setScroll(-437, 100);
    tools.run(cmd::MoveBriefing);
    ASSERT_EQ(editor.briefing.count(BRC_MOVEMAP), 1);
    EXPECT_EQ(editor.briefing.record(BRC_MOVEMAP, 0).param(0), -99);   // -1165 + 1066
    EXPECT_EQ(editor.briefing.record(BRC_MOVEMAP, 0).param(1), 1066);  // 266 + 800
}

// Show ship, left click on a ship already shown: Select ship opens preset to
// its type and IFF and the new show names the same slot; a hidden ship (type
// 0) is refused. Rotate logs undo kind 2, show ship kind 3.
TEST_F(BriefingToolsTest, ShowShipChangesAShownShipAndRotateLogsKindTwo) {
    show(0, 4, 0);  // hidden
    show(0, 6, 9, 2);
    move(0, 6, 100, 100);
    editor.briefing.setCurrentTime(30);
    tools.run(cmd::ShowShip);
    tools.leftClickAt(0, 0);
    EXPECT_TRUE(titles.empty()) << "a hidden ship cannot be changed";
    EXPECT_EQ(editor.mapTool, BriefingTool::ShowShip);

    int presetType = -1, presetIff = -1;
    pick = [&](core::FormModel& f) {
        auto& form = dynamic_cast<SelectShipForm&>(f);
        presetType = form.craftType();
        presetIff = form.iff();
        f.choose("iff", 3);
        f.click("ok");
    };
    tools.leftClickAt(105, 95);
    EXPECT_EQ(presetType, 9);
    EXPECT_EQ(presetIff, 2);
    ASSERT_EQ(editor.briefing.count(BRC_SHOW), 3);
    const Record& r = editor.briefing.record(BRC_SHOW, 2);
    EXPECT_EQ(r.time, 30);
    EXPECT_EQ(r.param(0), 6);
    EXPECT_EQ(r.param(2), 3);
    EXPECT_EQ(editor.mapTool, CurrentTool{});
    ASSERT_EQ(editor.briefing.undoLog().length(), 1);
    EXPECT_EQ(editor.briefing.undoLog().entry(0).kind, 3);

    pick = [](core::FormModel& f) { f.click("ok"); };
    tools.run(cmd::RotateCraft);
    tools.leftClickAt(100, 100);
    ASSERT_EQ(editor.briefing.count(BRC_ORIENT), 1);
    ASSERT_EQ(editor.briefing.undoLog().length(), 2);
    EXPECT_EQ(editor.briefing.undoLog().entry(1).kind, 2);
    EXPECT_EQ(editor.briefing.undoLog().entry(1).count, 1);
}

}  // namespace
}  // namespace quendar::app
