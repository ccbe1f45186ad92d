// Undo and redo of the program's own operations, through the forms, the list
// operations, the map tools, the wizards and the correction pass, checked on
// the whole file image the mission would be saved as.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UndoFixture.h"
#include "app/files/MissionChecks.h"
#include "mission/ShipgroupRecord.h"
#include "settings/GlobalGoalsForm.h"
#include "settings/MessagesForm.h"

using namespace quendar;
using map::PointerAction;
using map::PointerButton;
using mission::Table;
using shipgroup::FormKind;
namespace sg = mission::sg;

namespace {

// A trigger's subject type 1 names a shipgroup; arrival method 1 is "Hangar".
constexpr uint8_t kShipgroupSubject = 1, kHangar = 1;

struct UndoActionsTest : ::testing::Test, app::test::UndoFixture {
    std::vector<uint8_t> opened;

    void SetUp() override {
        open(app::test::sampleMissionFile());
        ASSERT_EQ(editor.store.shipgroupCount, 10);
        ASSERT_EQ(editor.store.messageCount, 3);
        opened = image();
    }
    int cell(int shipgroup, int offset) const {
        return editor.store.byte(Table::Shipgroups, shipgroup, offset);
    }
    void leftClick(int x, int y, bool shift = false, bool control = false) {
        tools.pointer({PointerAction::Press, PointerButton::Left, shift, control, x, y});
        tools.pointer({PointerAction::Release, PointerButton::Left, shift, control, x, y});
    }

    // One action was recorded under `name`; undo gives `before` back, redo
    // the state after it. Leaves the action done.
    void expectOneStep(const std::vector<uint8_t>& before, const std::string& name) {
        SCOPED_TRACE(name);
        const auto after = image();
        EXPECT_NE(after, before) << "the action changed nothing";
        EXPECT_EQ(editor.journal.undoName(), name);
        const int count = editor.store.shipgroupCount, messages = editor.store.messageCount;
        ASSERT_TRUE(undo());
        EXPECT_TRUE(image() == before) << "undo did not restore the file image";
        ASSERT_TRUE(redo());
        EXPECT_TRUE(image() == after) << "redo did not give the changed image";
        EXPECT_EQ(editor.store.shipgroupCount, count);
        EXPECT_EQ(editor.store.messageCount, messages);
    }
};

}  // namespace

TEST_F(UndoActionsTest, OneChangeOfEveryControlKindIsOneStep) {
    auto& basic = openShipgroupForm(FormKind::Basic);
    auto& goals = openShipgroupForm(FormKind::Goals);
    auto& options = openShipgroupForm(FormKind::Options);
    auto& list = openShipgroupForm(FormKind::Shipgroups);
    auto& messages = add(std::make_unique<settings::MessagesForm>(ctx));
    auto& globals = add(std::make_unique<settings::GlobalGoalsForm>(ctx));
    editor.store.currentShipgroup = 1;
    refresh();
    // A goal that is switched off, so that the tri-state switches it on and
    // the slider is enabled after it.
    int goal = 0;
    while (goal < 8) {
        goals.choose("goal", goal);
        if (goals.valueOf("enabled") == 0) break;
        ++goal;
    }
    ASSERT_LT(goal, 8);

    struct Step {
        const char* kind;
        std::function<void()> run;
        std::string name;
    };
    const int count = basic.valueOf("craftCount");
    const std::vector<Step> steps = {
        {"drop-down", [&] { basic.choose("craftCount", count == 2 ? 3 : 2); },
         "Edit Number of ships"},
        {"multi-list",
         [&] {
             options.select("warheads", {0, 2});
         },
         "Edit Warheads"},
        {"check box", [&] { messages.choose("team3", 1); },
         "Edit " + messages.find("team3")->label},
        {"tri-state", [&] { goals.choose("enabled", 1); }, "Edit Enable this goal"},
        {"slider", [&] { goals.choose("slider", 9); }, "Edit slider"},
        {"slider drag", [&] { globals.dragThumb("points", 12); },
         "Edit " + globals.find("points")->group},
        {"radio group", [&] { messages.choose("join12", messages.valueOf("join12") == 1 ? 0 : 1); },
         "Edit Condition 1"},
        {"edit",
         [&] {
             basic.type("name", "Slate Wing");
             basic.finishEditing("name");
         },
         "Edit Name"},
        {"number edit", [&] { messages.type("minutes", "47"); }, "Edit Minute"},
        {"button", [&] { list.click("add"); }, "Add shipgroup"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.kind);
        const auto before = image();
        const size_t actions = editor.journal.actionCount();
        step.run();
        EXPECT_EQ(editor.journal.actionCount(), actions + 1);
        expectOneStep(before, step.name);
    }

    // A list box that only selects writes nothing: no step, and Undo still
    // takes back the last real change.
    const size_t actions = editor.journal.actionCount();
    list.choose("list", 4);
    EXPECT_EQ(editor.store.currentShipgroup, 4);
    EXPECT_EQ(editor.journal.actionCount(), actions);
    EXPECT_EQ(editor.journal.undoName(), "Add shipgroup");

    // Everything taken back: the opened mission, not modified.
    while (undo()) {
    }
    EXPECT_TRUE(image() == opened);
    EXPECT_FALSE(editor.journal.modified());
}

TEST_F(UndoActionsTest, TypingIsOneStepUntilTheEditIsLeft) {
    auto& basic = openShipgroupForm(FormKind::Basic);
    const std::string original = basic.textOf("name");
    for (const char* t : {"K", "Ke", "Kes", "Kest"}) basic.type("name", t);
    EXPECT_EQ(editor.journal.actionCount(), 1u);
    basic.finishEditing("name");
    basic.type("name", "Kestx");
    basic.type("name", "Kestxy");
    EXPECT_EQ(editor.journal.actionCount(), 2u) << "typing after leaving the edit is a new step";
    // Another control in between also splits the run.
    basic.choose("aiSkill", basic.valueOf("aiSkill") == 2 ? 1 : 2);
    basic.type("name", "Kestxyz");
    EXPECT_EQ(editor.journal.actionCount(), 4u);

    ASSERT_TRUE(undo());
    EXPECT_EQ(basic.textOf("name"), "Kestxy");
    ASSERT_TRUE(undo());
    ASSERT_TRUE(undo());
    EXPECT_EQ(basic.textOf("name"), "Kest");
    ASSERT_TRUE(undo());
    EXPECT_EQ(basic.textOf("name"), original);
    EXPECT_TRUE(image() == opened);
    ASSERT_TRUE(redo());
    EXPECT_EQ(basic.textOf("name"), "Kest");
}

TEST_F(UndoActionsTest, ListOperationsAndTheirRenumberingAreOneStepEach) {
    auto& s = editor.store;
    // References to shipgroups 2 and 3 and past them, in every place the
    // list operations renumber: an order target, arrival and departure
    // motherships, a global goal and a message trigger.
    {
        mission::ShipgroupRecord g0(s, 0);
        const int order = sg::orderOffset(0, 0);
        g0.set(order + 12, kShipgroupSubject);
        g0.set(order + 13, 3);
        g0.set(sg::arrivalMethod1, kHangar);
        g0.set(sg::arrivalMothership1, 2);
        g0.set(sg::departureMethod1, kHangar);
        g0.set(sg::departureMothership1, 7);
        s.setByte(Table::GlobalGoals, 0, 2 + 1, kShipgroupSubject);
        s.setByte(Table::GlobalGoals, 0, 2 + 2, 2);
        s.setByte(Table::Messages, 1, 92 + 1, kShipgroupSubject);
        s.setByte(Table::Messages, 1, 92 + 2, 9);
        s.setText(Table::OrderStrings, mission::orderStringIndex(4, 1, 2), 0, 64, "Hold fast");
    }
    editor.journal.clear();
    const auto start = image();

    auto& list = openShipgroupForm(FormKind::Shipgroups);
    s.currentShipgroup = 2;
    list.click("deleteSelected");
    ASSERT_EQ(s.shipgroupCount, 9);
    // The renumbering happened, and is part of the same step.
    EXPECT_EQ(cell(0, sg::arrivalMothership1), 0);
    EXPECT_EQ(cell(0, sg::orderOffset(0, 0) + 13), 2);
    EXPECT_EQ(cell(0, sg::departureMothership1), 6);
    EXPECT_EQ(s.byte(Table::GlobalGoals, 0, 2 + 2), 0);
    EXPECT_EQ(s.byte(Table::Messages, 1, 92 + 2), 8);
    EXPECT_EQ(s.text(Table::OrderStrings, mission::orderStringIndex(3, 1, 2), 0, 64), "Hold fast");
    EXPECT_EQ(editor.journal.actionCount(), 1u);
    expectOneStep(start, "Delete shipgroup");

    auto before = image();
    list.click("deleteLast");
    ASSERT_EQ(s.shipgroupCount, 8);
    EXPECT_EQ(s.byte(Table::Messages, 1, 92 + 2), 0) << "message named the last one";
    expectOneStep(before, "Delete shipgroup");

    before = image();
    list.type("name", "Amber Fold");
    list.click("add");
    ASSERT_EQ(s.shipgroupCount, 9);
    expectOneStep(before, "Add shipgroup");

    before = image();
    s.currentShipgroup = 0;
    list.click("copy");
    ASSERT_EQ(s.shipgroupCount, 10);
    expectOneStep(before, "Copy shipgroup");

    // A question answered No changes nothing and leaves no step.
    prompter.answers.push_back(core::Answer::No);
    const size_t actions = editor.journal.actionCount();
    list.click("deleteLast");
    EXPECT_EQ(editor.journal.actionCount(), actions);

    for (int k = 0; k < 4; ++k) ASSERT_TRUE(undo());
    EXPECT_FALSE(editor.journal.canUndo());
    EXPECT_TRUE(image() == start);
    EXPECT_EQ(s.shipgroupCount, 10);
}

TEST_F(UndoActionsTest, MessageAddAndDeleteAreOneStepEach) {
    auto& messages = add(std::make_unique<settings::MessagesForm>(ctx));
    messages.click("add");
    EXPECT_EQ(editor.store.messageCount, 4);
    expectOneStep(opened, "Add message");
    const auto four = image();
    messages.click("delete");
    messages.click("delete");
    EXPECT_EQ(editor.store.messageCount, 2);
    ASSERT_TRUE(undo());
    EXPECT_EQ(editor.store.messageCount, 3);
    ASSERT_TRUE(undo());
    EXPECT_TRUE(image() == four);
    EXPECT_EQ(editor.journal.undoName(), "Add message");
}

TEST_F(UndoActionsTest, MapClicksAreOneStepEach) {
    // Shift click adds, control click copies, the start point and waypoint
    // tools move points.
    auto before = image();
    leftClick(300, 200, true, false);
    ASSERT_EQ(editor.store.shipgroupCount, 11);
    expectOneStep(before, "Add shipgroup");

    before = image();
    editor.store.currentShipgroup = 3;
    leftClick(500, 250, false, true);
    ASSERT_EQ(editor.store.shipgroupCount, 12);
    expectOneStep(before, "Copy shipgroup");

    before = image();
    editor.mapTool = app::MapTool::StartPoint1;
    leftClick(620, 120);
    expectOneStep(before, "Move start point");

    before = image();
    editor.viewSwitches.currentOrder = 2;
    editor.mapTool = app::MapTool::Waypoint4;
    leftClick(100, 500);
    expectOneStep(before, "Place waypoint");

    // Panning with the right button and selecting write nothing.
    const size_t actions = editor.journal.actionCount();
    tools.pointer({PointerAction::Press, PointerButton::Right, false, false, 400, 300});
    tools.pointer({PointerAction::Release, PointerButton::Right, false, false, 400, 300});
    leftClick(400, 300);
    EXPECT_EQ(editor.journal.actionCount(), actions);

    for (int k = 0; k < 4; ++k) ASSERT_TRUE(undo());
    EXPECT_TRUE(image() == opened);
}

TEST_F(UndoActionsTest, AHyperbuoyRunIsOneStep) {
    tools.hyperbuoy().start();
    leftClick(410, 300);
    editor.mapView.setRegion(2, false);
    leftClick(390, 310);
    ASSERT_EQ(editor.store.shipgroupCount, 12);
    EXPECT_EQ(editor.journal.actionCount(), 1u) << "both clicks are one step";
    expectOneStep(opened, "Hyperbuoy wizard");

    // A second run right after is a step of its own.
    tools.hyperbuoy().start();
    leftClick(200, 300);
    editor.mapView.setRegion(1, false);
    leftClick(210, 300);
    EXPECT_EQ(editor.journal.actionCount(), 2u);
    ASSERT_TRUE(undo());
    EXPECT_EQ(editor.store.shipgroupCount, 12);

    // The beacon undone in the middle of a run: the next click does not
    // rename and link whichever shipgroup is now last, it starts over.
    const std::string lastName = editor.store.text(Table::Shipgroups, 11, sg::name, 20);
    tools.hyperbuoy().start();
    leftClick(200, 300);
    ASSERT_EQ(editor.store.shipgroupCount, 13);
    ASSERT_TRUE(undo());
    editor.mapView.setRegion(3, false);
    leftClick(220, 300);
    EXPECT_EQ(editor.store.shipgroupCount, 13);
    EXPECT_EQ(editor.mapTool, app::MapTool::EntryStep);
    EXPECT_EQ(editor.store.text(Table::Shipgroups, 11, sg::name, 20), lastName);
    EXPECT_EQ(cell(12, sg::orderOffset(3, 0)), 49) << "the new beacon leaves from region 4";
}

TEST_F(UndoActionsTest, ACorrectionPassIsOneStep) {
    auto& s = editor.store;
    s.setByte(Table::Shipgroups, 2, sg::craftCount, 0);
    s.setByte(Table::Shipgroups, 5, sg::craftCount, 2);
    s.setByte(Table::Shipgroups, 5, sg::playerCraft, 4);
    editor.journal.markSaved();
    const auto before = image();

    app::validateMission(editor, prompter);
    EXPECT_EQ(cell(2, sg::craftCount), 1);
    EXPECT_EQ(cell(5, sg::playerCraft), 2);
    expectOneStep(before, "Error correction");
    // A pass with nothing to correct leaves no step.
    const size_t actions = editor.journal.actionCount();
    app::validateMission(editor, prompter);
    EXPECT_EQ(editor.journal.actionCount(), actions);
}

TEST_F(UndoActionsTest, UndoBackToTheSavedStateClearsModified) {
    auto& basic = openShipgroupForm(FormKind::Basic);
    EXPECT_FALSE(editor.journal.modified());
    basic.choose("aiSkill", 3);
    EXPECT_TRUE(editor.journal.modified());
    ASSERT_TRUE(undo());
    EXPECT_FALSE(editor.journal.modified()) << "back at the opened state";

    basic.choose("aiSkill", 3);
    editor.journal.markSaved();
    basic.choose("waves", 2);
    EXPECT_TRUE(editor.journal.modified());
    ASSERT_TRUE(undo());
    EXPECT_FALSE(editor.journal.modified());
    ASSERT_TRUE(undo());
    EXPECT_TRUE(editor.journal.modified()) << "before the saved state is modified too";
    ASSERT_TRUE(redo());
    EXPECT_FALSE(editor.journal.modified());
}
