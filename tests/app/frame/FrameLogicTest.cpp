#include <gtest/gtest.h>

#include <map>

#include "FrameLogicFixture.h"
#include "app/files/PreferencesForm.h"
#include "app/frame/PanelWiring.h"
#include "briefing/BriefingKinds.h"
#include "mission/ShipgroupRecord.h"

using namespace quendar;
using namespace quendar::app;
using namespace quendar::app::test;

TEST(FrameLogic, StartUpRunsTheFirstRunSequenceOnlyWithoutValidPreferences) {
    Fixture f;
    f.prefsValid = false;
    f.logic.startUp();
    EXPECT_EQ(f.view.modal,
              (std::vector<std::string>{"picture", "Quendar Preferences", "Coordinates Properties",
                                        "Map Properties", "Axis properties"}));
    EXPECT_EQ(f.writes, 1) << "qd.dat written once, at the end";
    EXPECT_EQ(f.view.title, "Quendar - Vexion Mission Editor");
    EXPECT_EQ(f.view.selector, std::vector<std::string>{"Noname"});

    Fixture g;
    g.editor.settings.projection = 2;
    g.logic.startUp();
    EXPECT_TRUE(g.view.modal.empty());
    EXPECT_EQ(g.writes, 0);
    EXPECT_EQ(g.map.proj, 2) << "the map starts in the stored projection";
}

TEST(FrameLogic, RelaysShipgroupEventsAsTheTableSays) {
    Fixture f;
    f.editor.store.shipgroupCount = 3;
    for (int i = 0; i < 3; ++i)
        mission::ShipgroupRecord(f.editor.store, i)
            .setName("Group number " + std::to_string(i) + " long name");
    auto list = f.openForm(form::Shipgroups);
    auto view = f.openForm(form::ShipgroupsView);
    auto basic = f.openForm(form::Basic);
    auto adv = f.openForm(form::Advanced);
    auto way = f.openForm(form::Waypoints);
    auto wizard = f.openForm(form::OrdersWizard);
    auto arrival = f.openForm(form::Arrival);
    auto departure = f.openForm(form::Departure);
    auto orders = f.openForm(form::Orders);
    auto options = f.openForm(form::Options);
    auto goals = f.openForm(form::Goals);

    f.editor.shipgroupEvents.notify(ShipgroupEvent::ListCleared);
    ASSERT_EQ(f.view.selector.size(), 3u);
    EXPECT_EQ(f.view.selector[1], "Group number 1 long") << "19 characters";
    EXPECT_EQ(list->got, Events{ShipgroupEvent::ListCleared});
    list->got.clear();
    view->got.clear();

    f.logic.selectShipgroup(2);  // the selector's third entry
    EXPECT_EQ(f.editor.store.currentShipgroup, 2);
    EXPECT_EQ(f.view.selected, 2);
    EXPECT_EQ(list->got, Events{ShipgroupEvent::CurrentChanged});
    EXPECT_EQ(view->got, Events{ShipgroupEvent::CurrentChanged});
    // All nine forms that show the current shipgroup reload.
    for (auto* form : {basic.get(), arrival.get(), departure.get(), orders.get(), way.get(),
                       adv.get(), options.get(), goals.get(), wizard.get()})
        EXPECT_EQ(form->got, Events{ShipgroupEvent::Reload}) << form->title();

    f.logic.selectShipgroup(7);  // beyond the list: ignored
    EXPECT_EQ(f.editor.store.currentShipgroup, 2);

    for (auto* form : {list.get(), basic.get(), adv.get(), way.get()}) form->got.clear();
    f.editor.store.shipgroupCount = 4;
    f.editor.store.currentShipgroup = 3;
    mission::ShipgroupRecord(f.editor.store, 3).setName("Added");
    f.editor.shipgroupEvents.notify(ShipgroupEvent::Added);
    EXPECT_EQ(f.view.selector.back(), "Added");
    EXPECT_EQ(f.view.selected, 3);
    EXPECT_EQ(basic->got, Events{ShipgroupEvent::Reload}) << "Added reloads Basic only";
    EXPECT_TRUE(adv->got.empty());

    mission::ShipgroupRecord(f.editor.store, 3).setName("Renamed");
    f.editor.shipgroupEvents.notify(ShipgroupEvent::Renamed);
    EXPECT_EQ(f.view.selector[3], "Renamed");

    f.editor.shipgroupEvents.notify(ShipgroupEvent::Advanced);
    f.editor.shipgroupEvents.notify(ShipgroupEvent::Waypoints);
    EXPECT_EQ(adv->got, Events{ShipgroupEvent::Advanced});
    EXPECT_EQ(way->got, Events{ShipgroupEvent::Waypoints});
    // The list forms get every event first.
    EXPECT_EQ(list->got, (Events{ShipgroupEvent::Added, ShipgroupEvent::Renamed,
                                 ShipgroupEvent::Advanced, ShipgroupEvent::Waypoints}));

    // Open closes every modeless form.
    f.editor.closeModelessForms.notify();
    EXPECT_TRUE(f.view.open.empty());
}

TEST(FrameLogic, BriefingModeWithAndWithoutAutomaticBars) {
    Fixture f;
    auto bars = [&] {
        return std::vector<bool>{f.view.bars[147], f.view.bars[151], f.view.bars[153]};
    };
    f.editor.mapTool = MapTool::Waypoint1;
    f.map.z = 140;
    ASSERT_TRUE(f.commands.execute(cmd::BriefingMode));
    EXPECT_TRUE(f.map.mode);
    EXPECT_EQ(f.editor.mapTool, CurrentTool{});
    EXPECT_EQ(f.editor.savedMapZoom, 140);
    EXPECT_EQ(bars(), (std::vector<bool>{true, true, true}));
    f.map.z = 32;  // the briefing view's zoom
    ASSERT_TRUE(f.commands.execute(cmd::MapMode));
    EXPECT_EQ(f.map.z, 140);
    EXPECT_EQ(bars(), (std::vector<bool>{false, false, false}));

    // Off: the bars stay as they are, in either state; the zoom still comes back.
    ASSERT_TRUE(f.commands.execute(cmd::AutoBriefingBars));
    f.view.bars[147] = true;  // shown by hand before entering
    f.commands.execute(cmd::BriefingMode);
    EXPECT_EQ(bars(), (std::vector<bool>{true, false, false}));
    f.map.z = 60;
    f.commands.execute(cmd::MapMode);
    EXPECT_EQ(bars(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(f.map.z, 140);

    // "&Briefing Bar" shows all three when 147 is hidden, else hides all three.
    f.view.bars[147] = false;
    f.view.bars[151] = true;
    f.commands.execute(cmd::ViewBriefingBar);
    EXPECT_EQ(bars(), (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(f.commands.find(cmd::ViewBriefingBar)->isChecked());
    f.commands.execute(cmd::ViewBriefingBar);
    EXPECT_EQ(bars(), (std::vector<bool>{false, false, false}));
}

TEST(FrameLogic, LockRefusalsProjectionRulesAndReadout) {
    Fixture f;
    f.commands.execute(cmd::ViewYZ);
    EXPECT_EQ(f.map.proj, 2);
    f.commands.execute(cmd::BriefingMode);
    EXPECT_EQ(f.map.proj, 0) << "briefing mode shows X-Y";
    EXPECT_FALSE(f.commands.find(cmd::ViewXZ)->isEnabled());
    EXPECT_TRUE(f.commands.find(cmd::ViewXY)->isEnabled());
    EXPECT_TRUE(f.commands.find(cmd::ViewXY)->isChecked());
    EXPECT_FALSE(f.commands.find(cmd::ZoomIn)->isEnabled());
    EXPECT_FALSE(f.commands.find(cmd::Centre)->isEnabled());

    f.commands.find(cmd::ZoomOut)->execute();
    EXPECT_EQ(f.view.panes[Pane::Message], kZoomLocked);
    EXPECT_EQ(f.map.z, 100);
    f.commands.execute(cmd::System4);
    EXPECT_EQ(f.view.panes[Pane::Message], kRegionLocked);
    EXPECT_EQ(f.map.reg, 0);
    EXPECT_FALSE(f.logic.wheelAllowed());

    // Unlocked, the same commands work.
    f.map.lock = false;
    f.commands.execute(cmd::System4);
    EXPECT_EQ(f.map.reg, 3);
    EXPECT_TRUE(f.commands.find(cmd::System4)->isChecked());
    const int notes = f.view.sizeNotes;
    f.commands.execute(cmd::ZoomIn);
    EXPECT_EQ(f.map.z, 120);
    // The step sends its own size notification; the frame only has the
    // scroll bars follow, so the notification is not counted twice.
    EXPECT_EQ(f.view.sizeNotes, notes);
    EXPECT_EQ(f.view.scrollSyncs, 1);

    f.logic.mouseMoved();
    EXPECT_EQ(f.view.panes[Pane::PositionX], "-0.05");
    EXPECT_EQ(f.view.panes[Pane::PositionY], "2.50");
}

TEST(FrameLogic, PreferencesCancelKeepsTheChecksAndStillWrites) {
    Fixture f;
    f.editor.settings.missionDirectory = "/missions";
    f.view.onModal = [](core::FormModel& form) {
        form.click("ecc");  // nothing: check boxes are chosen, not clicked
        form.choose("ecc", 0);
        form.type("directory", "/elsewhere");
        form.click("cancel");
    };
    f.commands.execute(cmd::Preferences);
    EXPECT_EQ(f.editor.settings.runEccBeforeSave, 0);
    EXPECT_EQ(f.editor.settings.missionDirectory, "/missions") << "Cancel drops the folder text";
    EXPECT_EQ(f.writes, 1);

    f.view.onModal = [](core::FormModel& form) {
        form.type("directory", std::string(300, 'd'));
        form.click("ok");
    };
    f.commands.execute(cmd::Preferences);
    EXPECT_EQ(f.editor.settings.missionDirectory.size(), 254u);
    EXPECT_EQ(f.writes, 2);

    // Each display dialog repaints and rewrites qd.dat; Map Properties also
    // re-applies the scroll ranges.
    const int notes = f.view.sizeNotes;
    for (CommandId id : {cmd::Coordinates, cmd::MapProperties, cmd::AxisProperties})
        f.commands.execute(id);
    EXPECT_EQ(f.writes, 5);
    EXPECT_EQ(f.view.sizeNotes, notes + 1);
    EXPECT_EQ(f.view.modal.back(), "Axis properties");
}

TEST(FrameLogic, FormsOpenOnRequestAndModalCommandsSendTheirEvent) {
    Fixture f;
    EXPECT_FALSE(f.commands.find(cmd::Arrival)->isEnabled()) << "no form registered yet";
    int made = 0;
    f.logic.registerForm(form::Arrival, cmd::Arrival, [&](Editor&) {
        ++made;
        return std::make_shared<RecordingForm>("Arrival");
    });
    EXPECT_TRUE(f.commands.execute(cmd::Arrival));
    // A form's button asks for it by key; an open one is replaced by a fresh one.
    std::weak_ptr<core::FormModel> first = f.view.open.at(form::Arrival);
    f.editor.openFormRequested.notify(form::Arrival);
    EXPECT_EQ(made, 2);
    EXPECT_TRUE(first.expired()) << "the old form was closed first";
    EXPECT_NE(f.view.openForm(form::Arrival), nullptr);
    f.editor.openFormRequested.notify(form::MotionWizard);  // no factory: nothing opens
    EXPECT_EQ(f.view.open.size(), 1u);

    auto list = f.openForm(form::Shipgroups);
    f.logic.bindModalForm(
        cmd::MissionProperties,
        [](Editor&) { return std::make_unique<RecordingForm>("Mission Properties"); },
        ShipgroupEvent::IffNames);
    const int repaints = f.view.repaints;
    EXPECT_TRUE(f.commands.execute(cmd::MissionProperties));
    EXPECT_EQ(f.view.modal.back(), "Mission Properties");
    EXPECT_EQ(list->got, Events{ShipgroupEvent::IffNames});
    EXPECT_GT(f.view.repaints, repaints);
    f.editor.mapChanged.notify();
    EXPECT_GT(f.view.repaints, repaints + 1);
}

TEST(FrameLogic, ResetBriefingCommands) {
    Fixture f;
    ASSERT_TRUE(f.editor.briefing.appendCommand(briefing::BRC_SKIP, 120));
    f.editor.briefing.setCurrentTime(120);
    f.prompter.answers = {core::Answer::No};
    EXPECT_TRUE(f.commands.execute(cmd::ResetBriefing1));
    EXPECT_EQ(f.prompter.shown.back().text, "Do you want to reset the briefing?");
    EXPECT_EQ(f.prompter.shown.back().caption, "Warning");
    EXPECT_EQ(f.prompter.shown.back().buttons, core::Buttons::YesNo);
    EXPECT_EQ(f.editor.briefing.count(briefing::BRC_SKIP), 1) << "No keeps the briefing";

    f.prompter.answers = {core::Answer::Yes};
    f.commands.execute(cmd::ResetBriefing1);
    EXPECT_EQ(f.editor.briefing.count(briefing::BRC_SKIP), 0);
    EXPECT_EQ(f.view.panes[Pane::BrTime], briefingTimeText(f.editor.briefing.currentTime()));

    f.commands.execute(cmd::ResetBriefing2);
    EXPECT_EQ(f.prompter.shown.back().text, "See next version");
    EXPECT_EQ(f.prompter.shown.back().caption, "Function not implemented");
}

namespace {

// One line of the literal menu tree: "[Title]" opens a submenu, "]" closes
// it, "---" is a separator, and a command is its id with the text the menu
// must show ("" where the text is not pinned here).
struct MenuLine {
    const char* kind;
    int id;
    const char* text;
};

void flatten(const std::vector<MenuEntry>& entries, std::vector<std::string>& out,
             const CommandTable& commands) {
    for (const MenuEntry& e : entries) {
        if (e.separator) {
            out.push_back("---");
        } else if (e.isSubmenu()) {
            out.push_back("[" + e.text + "]");
            flatten(e.children, out, commands);
            out.push_back("]");
        } else {
            const Command* c = commands.find(e.id);
            out.push_back(std::to_string(idNumber(e.id)) + " " + (c ? c->shownText() : "?"));
        }
    }
}

}  // namespace

TEST(FrameLogic, MenuTreeOrderTextsAndDisabledItemsMatchTheLiteralTree) {
    // clang-format off
    const MenuLine tree[] = {
        {"[&File]", 0, ""}, {"", 57600, "&New"}, {"", 32888, "&Open..."}, {"", 57603, "&Save"},
        {"", 32890, "Save &as..."}, {"---", 0, ""}, {"", 57665, "E&xit"}, {"]", 0, ""},
        {"[&Edit]", 0, ""}, {"", 57643, "&Undo\tCtrl+Z"}, {"", 57644, "&Redo\tCtrl+Y"},
        {"---", 0, ""}, {"", 57635, ""}, {"", 57634, ""},
        {"", 57637, ""}, {"---", 0, ""}, {"", 33330, ""}, {"]", 0, ""},
        {"[&View]", 0, ""}, {"", 59392, "&Toolbar"}, {"", 59393, "&Status Bar"},
        {"", 32795, "&Control Bar"}, {"", 32796, "S&hipgroups"}, {"", 32805, "&Briefing Bar"},
        {"", 32898, "A&uto Show/Hide Briefing bars"}, {"---", 0, ""},
        {"", 32775, "C&oordinates..."}, {"", 32776, "&Map Properties..."},
        {"", 32783, "&Axis Properties..."}, {"---", 0, ""}, {"", 32930, "&Preferences..."},
        {"]", 0, ""},
        {"[&Map]", 0, ""}, {"", 32771, ""}, {"", 32772, ""}, {"", 32773, ""}, {"", 32774, ""},
        {"---", 0, ""}, {"", 32778, ""}, {"", 32779, ""}, {"---", 0, ""}, {"", 32780, ""},
        {"", 32782, ""}, {"", 32781, ""}, {"---", 0, ""}, {"", 32784, ""}, {"---", 0, ""},
        {"", 32908, ""}, {"", 32905, ""}, {"", 32906, ""}, {"", 32907, ""}, {"]", 0, ""},
        {"[&Add]", 0, ""}, {"", 32872, "&Start point 1"}, {"", 32873, ""}, {"", 32874, ""},
        {"", 32875, ""}, {"---", 0, ""}, {"", 32876, ""}, {"", 32877, ""}, {"", 32878, ""},
        {"", 32879, ""}, {"", 32880, ""}, {"", 32881, ""}, {"", 32882, ""},
        {"", 32883, "Waypoint &8"}, {"---", 0, ""}, {"", 32884, ""}, {"", 32885, ""},
        {"]", 0, ""},
        {"[&Mission]", 0, ""}, {"", 32833, ""}, {"", 32848, ""}, {"", 32838, ""}, {"---", 0, ""},
        {"", 32835, ""}, {"---", 0, ""}, {"", 32886, ""}, {"", 32925, ""}, {"]", 0, ""},
        {"[&Globals]", 0, ""}, {"", 32900, ""}, {"", 32924, ""}, {"]", 0, ""},
        {"[&Teams]", 0, ""}, {"", 32822, "Team &1"}, {"", 32823, "Team &2"},
        {"", 32824, "Team &3"}, {"", 32825, "Team &4"}, {"", 32826, "Team &5"},
        {"", 32827, "Team &6"}, {"", 32828, "Team &7"}, {"", 32829, "Team &8"},
        {"", 32830, "Team &9"}, {"", 32831, "Team 1&0"}, {"---", 0, ""},
        {"", 33001, "&All Teams"}, {"]", 0, ""},
        {"[M&essages]", 0, ""}, {"", 32834, "&Modify messages..."}, {"]", 0, ""},
        {"[&Briefing]", 0, ""}, {"", 32820, ""}, {"", 32821, ""}, {"", 32902, ""},
        {"---", 0, ""}, {"", 32818, ""}, {"", 32819, ""}, {"---", 0, ""},
        {"", 32936, "Reset Briefing &1"}, {"", 32937, "Reset Briefing &2"}, {"---", 0, ""},
        {"", 33002, "&Manual Override"}, {"]", 0, ""},
        {"[&Help]", 0, ""}, {"", 33004, "&Contents"}, {"", 33005, "&Tutorials"},
        {"", 33003, "&Plug-ins"}, {"---", 0, ""}, {"", 57664, "&Info..."}, {"]", 0, ""},
    };
    // clang-format on
    Fixture f;
    std::vector<std::string> shown;
    flatten(f.commands.menus(), shown, f.commands);
    ASSERT_EQ(shown.size(), std::size(tree));
    for (size_t i = 0; i < shown.size(); ++i) {
        const MenuLine& l = tree[i];
        if (l.id == 0) {
            EXPECT_EQ(shown[i], l.kind) << "line " << i;
            continue;
        }
        const std::string id = std::to_string(l.id);
        EXPECT_EQ(shown[i].substr(0, id.size() + 1), id + " ") << "line " << i;
        if (*l.text) {
            EXPECT_EQ(shown[i], id + " " + l.text) << "line " << i;
        }
    }

    // Items without a handler are disabled, and stay so: Cut, Copy and Paste,
    // "All Teams", "Manual Override", "Plug-ins", "Contents", "Tutorials".
    // The Add menu's tools belong to the map tools, which this
    // fixture does not wire, so here they have no handler either. Exit and
    // the View commands work from the start (New, Open and the saves come
    // with the window's file services).
    // Undo and Redo have nothing to do in a new mission.
    std::vector<CommandId> disabled{cmd::Undo,
                                    cmd::Redo,
                                    cmd::Cut,
                                    cmd::Copy,
                                    cmd::Paste,
                                    cmd::AllTeams,
                                    cmd::ManualOverride,
                                    cmd::Plugins,
                                    cmd::Contents,
                                    cmd::Tutorials,
                                    cmd::HyperspacePoint,
                                    cmd::RendezvousPoint};
    disabled.insert(disabled.end(), kStartPointCommands.begin(), kStartPointCommands.end());
    disabled.insert(disabled.end(), kWaypointCommands.begin(), kWaypointCommands.end());
    for (CommandId id : disabled) {
        const Command* c = f.commands.find(id);
        ASSERT_NE(c, nullptr) << idNumber(id);
        EXPECT_FALSE(c->isEnabled()) << idNumber(id);
    }
    for (CommandId id :
         {cmd::Exit, cmd::ViewToolbar, cmd::ViewStatusBar, cmd::ViewControlBar, cmd::ViewShipgroups,
          cmd::ViewBriefingBar, cmd::AutoBriefingBars, cmd::Coordinates, cmd::MapProperties,
          cmd::AxisProperties, cmd::Preferences})
        EXPECT_TRUE(f.commands.find(id)->isEnabled()) << idNumber(id);
}

TEST(FrameLogic, EditUndoAndRedoNameTheActionAndEveryViewReadsTheMissionAgain) {
    Fixture f;
    f.logic.startUp();
    f.editor.journal.clear();
    auto basic = std::make_shared<RecordingForm>("Basic");
    f.view.open[form::Basic] = basic;
    int refreshes = 0;
    auto conn = basic->refreshed.connect([&] { ++refreshes; });
    Command* undo = f.commands.find(cmd::Undo);
    Command* redo = f.commands.find(cmd::Redo);
    EXPECT_EQ(undo->shortcut, "Ctrl+Z");
    EXPECT_EQ(redo->shortcut, "Ctrl+Y; Ctrl+Shift+Z");

    {
        core::ActionScope a(f.editor.journal, "Add shipgroup");
        f.editor.store.setText(mission::Table::Shipgroups, 1, 0, 20, "Quill");
        f.editor.store.shipgroupCount = 2;
        f.editor.store.currentShipgroup = 1;
    }
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(undo->shownText(), "&Undo Add shipgroup\tCtrl+Z");

    ASSERT_TRUE(f.commands.execute(cmd::Undo));
    EXPECT_EQ(f.editor.store.shipgroupCount, 1);
    EXPECT_EQ(f.editor.store.currentShipgroup, 0);  // the selection follows the list
    EXPECT_EQ(f.view.selector.size(), 1u);
    EXPECT_EQ(basic->got, (Events{ShipgroupEvent::Reload}));
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(undo->shownText(), "&Undo\tCtrl+Z");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->shownText(), "&Redo Add shipgroup\tCtrl+Y");

    ASSERT_TRUE(f.commands.execute(cmd::Redo));
    EXPECT_EQ(f.editor.store.shipgroupCount, 2);
    EXPECT_EQ(f.view.selector, (std::vector<std::string>{"Noname", "Quill"}));
    EXPECT_FALSE(redo->isEnabled());
}

// A click in the Flow view or the references list: the briefing is left, the
// shipgroup becomes current and the map shows the region it starts in (none
// when its start point lies in no region); no form opens.
TEST(PanelWiring, ShowShipgroupLeavesTheBriefingAndShowsItsStartRegion) {
    struct Clock : SettleClock {
        int64_t nowMs() const override { return 0; }
        void schedule(int64_t) override {}
    } clock;
    for (const auto& [startRegion, shown] : {std::pair{0, 0}, {3, 3}, {4, 1}}) {
        Fixture f;
        PanelWiring panels(f.editor, f.logic, f.map, f.view, clock, clock);
        f.editor.store.shipgroupCount = 3;
        f.editor.store.setByte(mission::Table::Shipgroups, 1, 3498, uint8_t(startRegion));
        f.map.reg = 1;
        f.logic.enterBriefingMode();
        const int repaints = f.view.repaints;
        panels.showShipgroup(1);
        EXPECT_FALSE(f.map.mode) << startRegion;
        EXPECT_EQ(f.editor.store.currentShipgroup, 1);
        EXPECT_EQ(f.map.reg, shown) << startRegion;
        EXPECT_GT(f.view.repaints, repaints);
        EXPECT_TRUE(f.view.open.empty());
    }
}
