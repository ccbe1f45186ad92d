// The Problems panel without its window: when it looks again, what a
// double-click opens, and fixes as named actions that Undo takes back.
#include <gtest/gtest.h>

#include "app/frame/FrameLogic.h"
#include "app/problems/ProblemsPanel.h"
#include "core/FormModel.h"
#include "mission/NewMission.h"
#include "settings/GlobalGoalsForm.h"
#include "settings/MessagesForm.h"
#include "support/ScriptedUi.h"
#include "support/StubPorts.h"

namespace quendar::app {
namespace {

using mission::Table;

struct FakeForm : core::FormModel {
    FakeForm() : FormModel("Orders", false) {}
};

struct PanelFixture : ::testing::Test, ProblemNavigator, MissionViews, SettleClock {
    Editor editor;
    int64_t clock = 1000;
    std::vector<int64_t> scheduled;
    std::vector<std::string> calls;
    FakeForm ordersForm;
    core::Notifier<core::ShipgroupEvent> events;
    quendar::testing::ScriptedPrompter prompter;
    quendar::testing::StubShipgroupPort port;
    shipgroup::ShipgroupContext ctx{editor.store, events, prompter, port};
    std::unique_ptr<ProblemsPanel> panel;

    int64_t nowMs() const override { return clock; }
    void schedule(int64_t ms) override { scheduled.push_back(ms); }
    void selectShipgroup(int i) override { calls.push_back("select " + std::to_string(i)); }
    void setRegion(int r) override { calls.push_back("region " + std::to_string(r)); }
    core::FormModel* openForm(FormKey key) override {
        calls.push_back(std::string("open ") + formName(key));
        return key == form::Orders ? &ordersForm : nullptr;
    }
    // The two mission-wide forms, as their menu commands make them.
    void runCommand(CommandId id, const std::function<void(core::FormModel&)>& prepare) override {
        calls.push_back("command " + std::to_string(idNumber(id)));
        if (id == cmd::Messages) {
            settings::MessagesForm f(ctx);
            prepare(f);
            calls.push_back("message " + std::to_string(f.current()));
        } else if (id == cmd::GlobalGoals) {
            settings::GlobalGoalsForm f(ctx);
            prepare(f);
            calls.push_back("goal " + std::to_string(f.team()) + " " + std::to_string(f.kind()) +
                            " " + std::to_string(f.goal()));
        }
    }
    void showBriefing() override { calls.push_back("briefing"); }
    void rereadViews() override { calls.push_back("reread"); }

    void SetUp() override {
        mission::resetToNewMission(editor.store);
        editor.store.shipgroupCount = 3;
        for (int i = 0; i < 3; ++i) {
            mission::setEmptyShipgroup(editor.store, i);
            editor.store.setText(Table::Shipgroups, i, 0, 20, "Group " + std::to_string(i));
        }
        for (const char* id : {"region", "slot"}) {
            core::Control c;
            c.id = id;
            c.setValue = [this, id](int v) {
                calls.push_back(std::string("choose ") + id + " " + std::to_string(v));
            };
            ordersForm.controls().push_back(c);
        }
        panel = std::make_unique<ProblemsPanel>(editor, *this, *this, *this);
        panel->refresh();
    }
    // A user edit: one action of the journal.
    void edit(int group, int offset, int value) {
        core::ActionScope scope(editor.journal, "Edit");
        editor.store.setByte(Table::Shipgroups, group, offset, static_cast<uint8_t>(value));
    }
    int indexOf(std::string_view code) const {
        for (size_t i = 0; i < panel->problems().size(); ++i)
            if (panel->problems()[i].code == code) return static_cast<int>(i);
        return -1;
    }
};

TEST_F(PanelFixture, LooksAgainOnceChangesSettle) {
    EXPECT_EQ(panel->countsText(), "No problems");
    edit(1, 113, 12);  // team 13
    EXPECT_TRUE(panel->stale());
    EXPECT_EQ(scheduled, std::vector<int64_t>{400});
    clock += 300;
    edit(1, 112, 9);  // the next keystroke pushes the look back
    clock += 300;
    EXPECT_FALSE(panel->tick()) << "only 300 ms after the last change";
    EXPECT_EQ(scheduled.back(), 100);
    EXPECT_EQ(panel->countsText(), "No problems") << "not looked at yet";
    clock += 100;
    EXPECT_TRUE(panel->tick());
    EXPECT_EQ(panel->countsText(), "2 errors, 0 warnings");
    EXPECT_FALSE(panel->tick()) << "fresh";
    EXPECT_EQ(panel->msUntilDue(), -1);
    editor.missionReplaced.notify();  // New and Open
    EXPECT_TRUE(panel->stale());
}

TEST_F(PanelFixture, DoubleClickGoesToTheField) {
    struct Row {
        lint::Location at;
        ProblemTarget expected;
    };
    using lint::Area;
    editor.store.setByte(Table::Shipgroups, 2, 3498, 3);  // #2 starts in region 4
    const Row rows[] = {
        {{Area::Shipgroup, 2, 1543, -1, 2, 1, "region3.order2.target4"},
         {2, 2, form::Orders, 2, 1}},
        {{Area::Shipgroup, 2, 144, -1, -1, -1, "arrival.trigger2.subject"}, {2, 3, form::Arrival}},
        {{Area::Shipgroup, 1, 196, -1, -1, -1, "arrival.mothership2"}, {1, 0, form::Arrival}},
        {{Area::Shipgroup, 1, 198, -1, -1, -1, "departure.mothership1"}, {1, 0, form::Departure}},
        {{Area::Shipgroup, 1, 174, -1, -1, -1, "departure.trigger1.subject"},
         {1, 0, form::Departure}},
        {{Area::Shipgroup, 1, 2907, -1, -1, -1, "goal2.condition"}, {1, 0, form::Goals}},
        {{Area::Shipgroup, 1, 3499, -1, -1, -1, "startPoint2.region"}, {1, 0, form::Waypoints}},
        {{Area::Shipgroup, 1, 25, -1, -1, -1, "specialCargoIndex"}, {1, 0, form::Advanced}},
        {{Area::Shipgroup, 1, 3553, -1, -1, -1, "optionalShip3.craftType"}, {1, 0, form::Options}},
        {{Area::Shipgroup, 1, 3529, -1, -1, -1, "status2"}, {1, 0, form::Basic}},
        {{Area::Shipgroup, 1, 113, -1, -1, -1, "team"}, {1, 0, form::Basic}},
        {{Area::Message, 4, 110, -1, -1, -1, "trigger3.subject"},
         {-1, -1, std::nullopt, -1, -1, cmd::Messages, false, -1, 4}},
        {{Area::GlobalGoal, 17, 141, -1, -1, -1, "team2.prevent.goal2.subject"},
         {-1, -1, std::nullopt, -1, -1, cmd::GlobalGoals, false, -1, 17}},
        {{Area::Briefing, 140, 14, 0, -1, -1, "BRC_TAG1"},
         {-1, -1, std::nullopt, -1, -1, cmd::None, true, 140}},
    };
    for (const Row& r : rows) EXPECT_EQ(targetOf(r.at, editor.store), r.expected) << r.at.field;

    // Target 4 of region 3's second order names #9: the group, its order's
    // region, the Orders form on that order.
    edit(2, 202 + 2 * 592 + 148 + 7, 1);
    edit(2, 202 + 2 * 592 + 148 + 9, 9);
    panel->refresh();
    panel->goTo(indexOf("Q101"));
    EXPECT_EQ(calls, (std::vector<std::string>{"select 2", "region 2", "open Orders",
                                               "choose region 2", "choose slot 1"}));
    calls.clear();
    editor.briefing.appendCommand(briefing::BRC_REGION, 75, {7});
    panel->refresh();
    panel->goTo(indexOf("Q154"));
    EXPECT_EQ(calls, std::vector<std::string>{"briefing"});
    EXPECT_EQ(editor.briefing.currentTime(), 75);

    // The mission-wide forms open on the message or goal of the problem.
    calls.clear();
    editor.store.messageCount = 5;
    editor.store.setByte(Table::Messages, 3, 142, 9);  // message 4's colour
    editor.store.setByte(Table::GlobalGoals, 1, 2 + 122 * 2 + 22 + 1,
                         1);  // team 2, secondary goal 4:
    editor.store.setByte(Table::GlobalGoals, 1, 2 + 122 * 2 + 22 + 2, 40);  // shipgroup #40
    panel->refresh();
    panel->goTo(indexOf("Q118"));
    panel->goTo(indexOf("Q105"));
    EXPECT_EQ(calls, (std::vector<std::string>{"command 32834", "message 3", "command 32924",
                                               "goal 1 2 3"}));
}

TEST_F(PanelFixture, FixIsOneNamedActionThatUndoTakesBack) {
    edit(1, 194, 1), edit(1, 195, 1);   // #1 arrives from its own hangar
    edit(1, 143, 1), edit(1, 144, 30);  // trigger 2 waits for #30
    panel->refresh();
    ASSERT_EQ(panel->problems().size(), 2u);
    EXPECT_EQ(panel->fixLabel(0), "Set the subject to none");
    EXPECT_EQ(panel->fixLabel(1), "Set the method to hyperspace");

    EXPECT_TRUE(panel->applyFix(1));
    EXPECT_EQ(editor.journal.undoName(), "Set the method to hyperspace");
    EXPECT_EQ(editor.store.byte(Table::Shipgroups, 1, 195), 0);
    EXPECT_EQ(editor.store.byte(Table::Shipgroups, 1, 194), 1) << "the mothership stays";
    EXPECT_EQ(panel->countsText(), "1 error, 0 warnings") << "looked again at once";
    EXPECT_EQ(calls, std::vector<std::string>{"reread"}) << "the open forms read again";

    // A stale list fixes the same problem, found again.
    edit(1, 2, 65);
    EXPECT_TRUE(panel->stale());
    EXPECT_TRUE(panel->applyFix(0));
    EXPECT_EQ(editor.store.byte(Table::Shipgroups, 1, 143), 0);
    EXPECT_EQ(editor.store.byte(Table::Shipgroups, 1, 144), 0);
    EXPECT_EQ(panel->countsText(), "No problems");

    ASSERT_TRUE(editor.journal.undo());
    ASSERT_TRUE(editor.journal.undo());
    ASSERT_TRUE(editor.journal.undo());
    panel->refresh();
    EXPECT_EQ(panel->countsText(), "2 errors, 0 warnings");
    EXPECT_FALSE(panel->applyFix(7)) << "no such row";
}

}  // namespace
}  // namespace quendar::app
