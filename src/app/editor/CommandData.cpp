#include <string>

#include "app/editor/CommandTable.h"

namespace quendar::app {

namespace {

Command make(CommandId id, std::string menu, std::string prompt, std::string tip,
             std::string shortcut = {}) {
    Command c;
    c.id = id;
    c.menuText = std::move(menu);
    c.prompt = std::move(prompt);
    c.tooltip = std::move(tip);
    c.shortcut = std::move(shortcut);
    return c;
}

MenuEntry item(CommandId id) {
    MenuEntry e;
    e.id = id;
    return e;
}
MenuEntry separator() {
    MenuEntry e;
    e.separator = true;
    return e;
}
MenuEntry submenu(std::string text, std::vector<MenuEntry> children) {
    MenuEntry e;
    e.text = std::move(text);
    e.children = std::move(children);
    return e;
}

}  // namespace

std::vector<Command> commandDefinitions() {
    std::vector<Command> c;
    // File
    c.push_back(make(cmd::New, "&New", "Create a new mission", "New", "Ctrl+N"));
    c.push_back(make(cmd::Open, "&Open...", "Open an existing mission", "Open", "Ctrl+O"));
    c.push_back(make(cmd::Save, "&Save", "Save the mission", "Save", "Ctrl+S"));
    c.push_back(make(cmd::SaveAs, "Save &as...", "Save the mission with a new name", "Save as",
                     "Ctrl+Shift+S"));
    c.push_back(make(cmd::Exit, "E&xit", "Quit the application", "Exit"));
    // Edit: Undo and Redo take back and put back whole actions; the clipboard
    // items are shown, never handled.
    c.push_back(make(cmd::Undo, "&Undo\tCtrl+Z", "Undo the last action", "Undo", "Ctrl+Z"));
    c.push_back(make(cmd::Redo, "&Redo\tCtrl+Y", "Redo the last undone action", "Redo",
                     "Ctrl+Y; Ctrl+Shift+Z"));
    c.push_back(make(cmd::Cut, "Cu&t\tCtrl+X", "Cut the selection", "Cut", "Ctrl+X"));
    c.push_back(make(cmd::Copy, "&Copy\tCtrl+C", "Copy the selection", "Copy", "Ctrl+C"));
    c.push_back(
        make(cmd::Paste, "&Paste\tCtrl+V", "Insert the clipboard contents", "Paste", "Ctrl+V"));
    c.push_back(make(cmd::FindReferences, "Find &References\tCtrl+Shift+F",
                     "List every place that names the current shipgroup", "Find references",
                     "Ctrl+Shift+F"));
    // View
    c.push_back(
        make(cmd::ViewToolbar, "&Toolbar", "Show or hide the map toolbar", "Toggle toolbar"));
    c.push_back(make(cmd::ViewStatusBar, "&Status Bar", "Show or hide the status bar",
                     "Toggle status bar"));
    c.push_back(
        make(cmd::ViewControlBar, "&Control Bar", "Show or hide the control bar", "Control bar"));
    c.push_back(make(cmd::ViewShipgroups, "S&hipgroups", "Show or hide the shipgroup selector",
                     "Shipgroups"));
    c.push_back(make(cmd::ViewBriefingBar, "&Briefing Bar", "Show or hide the briefing bars",
                     "Briefing bar"));
    c.push_back(make(cmd::AutoBriefingBars, "A&uto Show/Hide Briefing bars",
                     "Auto hide and show briefing bars if checked", "Auto briefing bars"));
    c.push_back(make(cmd::Coordinates, "C&oordinates...", "Set which map coordinates are shown",
                     "Coordinates"));
    c.push_back(make(cmd::MapProperties, "&Map Properties...", "Set the map colours and grid lines",
                     "Map properties"));
    c.push_back(
        make(cmd::AxisProperties, "&Axis Properties...", "Set the map axes", "Axis properties"));
    c.push_back(
        make(cmd::Preferences, "&Preferences...", "Set the editor preferences", "Preferences"));
    // Map
    for (int k = 0; k < 4; ++k) {
        const std::string n = std::to_string(k + 1);
        c.push_back(
            make(kSystemCommands[k], "Set to System &" + n, "Set to System " + n, "System " + n));
    }
    c.push_back(make(cmd::ZoomIn, "Zoom &In", "Zoom In", "Zoom In"));
    c.push_back(make(cmd::ZoomOut, "Zoom &Out", "Zoom Out", "Zoom Out"));
    c.push_back(make(cmd::ViewXY, "Set to X-Y View", "Set to X-Y View", "X-Y"));
    c.push_back(make(cmd::ViewXZ, "Set to X-Z View", "Set to X-Z View", "X-Z"));
    c.push_back(make(cmd::ViewYZ, "Set to Y-Z View", "Set to Y-Z View", "Y-Z"));
    c.push_back(make(cmd::Centre, "Move to &center position", "Move to center position", "Center"));
    // Add (map tools)
    for (int k = 0; k < 4; ++k) {
        const std::string n = std::to_string(k + 1);
        c.push_back(make(kStartPointCommands[k], k == 0 ? "&Start point 1" : "Start point &" + n,
                         "Add start point", "Start point " + n));
    }
    for (int k = 0; k < 4; ++k) {
        const std::string n = std::to_string(k + 1);
        c.push_back(make(kOrderWaypointCommands[k], "Order &" + n + " waypoints",
                         "Order " + n + " waypoints", "Order " + n + " waypoints"));
    }
    for (int k = 0; k < 8; ++k) {
        const std::string n = std::to_string(k + 1);
        c.push_back(make(kWaypointCommands[k], "Waypoint &" + n, "Add waypoint or briefing point",
                         "Waypoint " + n));
    }
    c.push_back(make(cmd::HyperspacePoint, "&Hyperspace point", "Add hyperspace point",
                     "Hyperspace point"));
    c.push_back(make(cmd::RendezvousPoint, "&Rendezvous point", "Add rendezvous point",
                     "Rendezvous point"));
    c.push_back(
        make(cmd::HyperbuoyWizard, "Hyperbouy &wizard", "Hyperbouy wizard", "Hyperbouy wizard"));
    c.push_back(make(cmd::OrdersWizard, "Or&ders Wizard", "Orders Wizard", "Orders Wizard"));
    // Shipgroup selector bar and control bar
    c.push_back(make(cmd::ShowOnMap, "", "Show on map", "Show on map"));
    c.push_back(make(cmd::MapMode, "", "Show the map", "Map"));
    c.push_back(make(cmd::BriefingMode, "", "Show the briefing", "Briefing"));
    c.push_back(make(cmd::Shipgroups, "", "Open the shipgroup list", "Shipgroups"));
    c.push_back(make(cmd::ShipgroupsView, "", "Open the shipgroup list with the view control",
                     "Shipgroups&Viewcontrol"));
    c.push_back(make(cmd::Basic, "", "Basic properties of the current shipgroup", "Basic"));
    c.push_back(make(cmd::Advanced, "", "Advanced options of the current shipgroup", "Advanced"));
    c.push_back(make(cmd::Arrival, "", "Arrival of the current shipgroup", "Arrival"));
    c.push_back(make(cmd::Departure, "", "Departure of the current shipgroup", "Departure"));
    c.push_back(make(cmd::Orders, "", "Orders of the current shipgroup", "Orders"));
    c.push_back(make(cmd::Waypoints, "", "Waypoints of the current shipgroup", "Waypoints"));
    c.push_back(make(cmd::Goals, "", "Goals of the current shipgroup", "Goals"));
    c.push_back(make(cmd::Options, "", "Optional equipment of the current shipgroup", "Options"));
    // Mission, Globals, Teams, Messages
    c.push_back(
        make(cmd::MissionProperties, "&Properties...", "Mission properties", "Mission properties"));
    c.push_back(make(cmd::Systems, "&Systems...", "Names of the systems", "Systems"));
    c.push_back(make(cmd::Cargoes, "&Cargoes...", "Special cargoes in the mission", "Cargoes"));
    c.push_back(make(cmd::Validate, "&Validate", "Check the mission for errors", "Validate"));
    c.push_back(make(cmd::GlobalGroups, "&Name global groups...", "Names of the global groups",
                     "Global groups"));
    c.push_back(
        make(cmd::GlobalGoals, "&Global goals...", "Global goals of the teams", "Global goals"));
    for (int k = 0; k < 10; ++k) {
        const std::string n = std::to_string(k + 1);
        std::string text = k < 9 ? "Team &" + n : "Team 1&0";
        c.push_back(make(kTeamCommands[k], text, "Properties of team " + n, "Team " + n));
    }
    c.push_back(make(cmd::AllTeams, "&All Teams", "Properties of all teams", "All teams"));
    c.push_back(make(cmd::Messages, "&Modify messages...", "In-flight messages", "Messages"));
    // Briefing menu
    c.push_back(make(cmd::Introduction, "&Introduction", "Introduction text", "Introduction"));
    c.push_back(make(cmd::Debriefing, "&Debriefing", "Debriefing text", "Debriefing"));
    c.push_back(make(cmd::Hints, "&Hints", "Hints text", "Hints"));
    c.push_back(
        make(cmd::BriefingTexts, "&Briefing Texts", "Texts of the briefing", "Briefing texts"));
    c.push_back(make(cmd::BriefingTags, "Briefing &Tags", "Tags of the briefing", "Briefing tags"));
    c.push_back(make(cmd::ResetBriefing1, "Reset Briefing &1", "Reset the first briefing",
                     "Reset briefing 1"));
    c.push_back(make(cmd::ResetBriefing2, "Reset Briefing &2", "Reset the second briefing",
                     "Reset briefing 2"));
    c.push_back(make(cmd::ManualOverride, "&Manual Override", "Edit the briefing by hand",
                     "Manual override"));
    // Briefing toolbars (the string table's prompt and tooltip halves)
    struct P {
        CommandId id;
        const char* prompt;
        const char* tip;
    };
    const P briefing[] = {
        {cmd::Play, "Play briefing", "Play"},
        {cmd::Stop, "Stop briefing", "Stop"},
        {cmd::StepForward, "Forward one step", "Step forward"},
        {cmd::StepBackward, "Back one step", "Step backward"},
        {cmd::GoToEnd, "Go to the end of the briefing", "Go to end"},
        {cmd::NextAction, "Step forward to next action", "Next action"},
        {cmd::LastAction, "Step back to previous action", "Last action"},
        {cmd::SlowSpeed, "Set the speed of the briefing during play to slow", "Slow Speed"},
        {cmd::NormalSpeed, "Set the speed of the briefing during play to normal", "Normal Speed"},
        {cmd::FastSpeed, "Set the speed of the briefing during play to fast", "Fast Speed"},
        {cmd::Step1, "", "Step 1"},
        {cmd::Step2, "", "Step 2"},
        {cmd::Step3, "", "Step 3"},
        {cmd::Step4, "", "Step 4"},
        {cmd::Step5, "", "Step 5"},
        {cmd::LockBriefing, "Lock briefing positon and zoom", "Lock briefing"},
        {cmd::SelectMove, "Select/Move objects in the briefing", "Select/Move"},
        {cmd::ShowShip, "Show ship on the briefing", "Show ship"},
        {cmd::MoveShip, "Move a ship on the briefing", "Move ship"},
        {cmd::TechData, "Show technical data about a ship at this point", "Tech data"},
        {cmd::AddSelection, "Select a ship", "Add selection"},
        {cmd::RotateCraft, "Rotate craft", "Rotate craft"},
        {cmd::AddInstruction, "Add instruction text", "Add instruction"},
        {cmd::AddTexts, "Add texts onto the briefing", "Add texts"},
        {cmd::MoveBriefing, "Move the briefing screen", "Move briefing"},
        {cmd::ZoomBriefing, "Zoom the briefing screen", "Zoom"},
        {cmd::HideShip, "Hide a ship on the briefing", "Hide ship"},
        {cmd::HideSelections, "Hide all selections", "Hide selections"},
        {cmd::DeleteTexts, "Delete texts from the briefing", "Delete texts"},
        {cmd::ChangeRegion, "Change current region in the briefing", "Change region"},
        {cmd::SkipTo, "Add 'Skip To' point here", "Skip to"},
        {cmd::EndMark, "Mark this position as the end of the briefing", "End mark"},
        {cmd::ToggleImages, "Toggle showing the Changing region and Technical data images",
         "Toggle images"},
        {cmd::ToggleHints, "Toggle hints in the briefing editor", "Toggle hints"},
        {cmd::BriefingUndo, "Undo last action", "Undo"},
        {cmd::BriefingRedo, "Redo last action", "Redo"},
        {cmd::AssignTeams, "Assign teams to this briefing", "Assign teams"},
        {cmd::NextBriefing, "Next briefing", "Next briefing"},
        {cmd::DeleteCommands, "Delete briefing commands", "Delete commands"},
        {cmd::BriefingWizard, "Briefing Wizard", "Briefing Wizard"},
        {cmd::BriefingLength, "Briefing lenght", "Briefing lenght"},
    };
    for (const P& p : briefing) c.push_back(make(p.id, "", p.prompt, p.tip));
    // Help
    c.push_back(make(cmd::Contents, "&Contents", "Help contents", "Contents"));
    c.push_back(make(cmd::Tutorials, "&Tutorials", "Tutorials", "Tutorials"));
    c.push_back(make(cmd::Plugins, "&Plug-ins", "Plug-ins", "Plug-ins"));
    c.push_back(make(cmd::Info, "&Info...", "Program information", "Info"));
    return c;
}

std::vector<MenuEntry> menuTree() {
    std::vector<MenuEntry> m;
    m.push_back(submenu("&File", {item(cmd::New), item(cmd::Open), item(cmd::Save),
                                  item(cmd::SaveAs), separator(), item(cmd::Exit)}));
    m.push_back(submenu(
        "&Edit", {item(cmd::Undo), item(cmd::Redo), separator(), item(cmd::Cut), item(cmd::Copy),
                  item(cmd::Paste), separator(), item(cmd::FindReferences)}));
    m.push_back(submenu("&View", {item(cmd::ViewToolbar), item(cmd::ViewStatusBar),
                                  item(cmd::ViewControlBar), item(cmd::ViewShipgroups),
                                  item(cmd::ViewBriefingBar), item(cmd::AutoBriefingBars),
                                  separator(), item(cmd::Coordinates), item(cmd::MapProperties),
                                  item(cmd::AxisProperties), separator(), item(cmd::Preferences)}));
    m.push_back(submenu(
        "&Map", {item(cmd::System1), item(cmd::System2), item(cmd::System3), item(cmd::System4),
                 separator(), item(cmd::ZoomIn), item(cmd::ZoomOut), separator(), item(cmd::ViewXY),
                 item(cmd::ViewXZ), item(cmd::ViewYZ), separator(), item(cmd::Centre), separator(),
                 item(cmd::Order1Waypoints), item(cmd::Order2Waypoints), item(cmd::Order3Waypoints),
                 item(cmd::Order4Waypoints)}));
    std::vector<MenuEntry> add{item(cmd::StartPoint1), item(cmd::StartPoint2),
                               item(cmd::StartPoint3), item(cmd::StartPoint4), separator()};
    for (int k = 0; k < 8; ++k) add.push_back(item(kWaypointCommands[k]));
    add.push_back(separator());
    add.push_back(item(cmd::HyperspacePoint));
    add.push_back(item(cmd::RendezvousPoint));
    m.push_back(submenu("&Add", std::move(add)));
    m.push_back(submenu(
        "&Mission",
        {item(cmd::MissionProperties), item(cmd::Systems), item(cmd::Cargoes), separator(),
         item(cmd::Validate), separator(), item(cmd::HyperbuoyWizard), item(cmd::OrdersWizard)}));
    m.push_back(submenu("&Globals", {item(cmd::GlobalGroups), item(cmd::GlobalGoals)}));
    std::vector<MenuEntry> teams;
    for (int k = 0; k < 10; ++k) teams.push_back(item(kTeamCommands[k]));
    teams.push_back(separator());
    teams.push_back(item(cmd::AllTeams));
    m.push_back(submenu("&Teams", std::move(teams)));
    m.push_back(submenu("M&essages", {item(cmd::Messages)}));
    m.push_back(submenu(
        "&Briefing",
        {item(cmd::Introduction), item(cmd::Debriefing), item(cmd::Hints), separator(),
         item(cmd::BriefingTexts), item(cmd::BriefingTags), separator(), item(cmd::ResetBriefing1),
         item(cmd::ResetBriefing2), separator(), item(cmd::ManualOverride)}));
    m.push_back(submenu("&Help", {item(cmd::Contents), item(cmd::Tutorials), item(cmd::Plugins),
                                  separator(), item(cmd::Info)}));
    return m;
}

std::vector<ToolbarDef> toolbarLayout() {
    const Slot S = kSeparator;
    std::vector<ToolbarDef> t;
    t.push_back({kMapToolbar,
                 "Map tools",
                 {cmd::System1,
                  cmd::System2,
                  cmd::System3,
                  cmd::System4,
                  S,
                  cmd::ZoomIn,
                  cmd::ZoomOut,
                  S,
                  cmd::ViewXY,
                  cmd::ViewYZ,
                  cmd::ViewXZ,
                  S,
                  cmd::Centre,
                  S,
                  cmd::StartPoint1,
                  S,
                  cmd::Order1Waypoints,
                  cmd::Order2Waypoints,
                  cmd::Order3Waypoints,
                  cmd::Order4Waypoints,
                  S,
                  cmd::Waypoint1,
                  cmd::Waypoint2,
                  cmd::Waypoint3,
                  cmd::Waypoint4,
                  cmd::Waypoint5,
                  cmd::Waypoint6,
                  cmd::Waypoint7,
                  cmd::Waypoint8,
                  S,
                  cmd::HyperbuoyWizard,
                  S,
                  cmd::OrdersWizard},
                 16,
                 15,
                 Dock::Top,
                 0,
                 true});
    t.push_back({kBriefingToolsBar,
                 "Briefing tools",
                 {cmd::GoToEnd,
                  cmd::LastAction,
                  cmd::StepBackward,
                  cmd::Stop,
                  cmd::Play,
                  cmd::StepForward,
                  cmd::NextAction,
                  S,
                  cmd::SelectMove,
                  cmd::ShowShip,
                  cmd::MoveShip,
                  cmd::TechData,
                  cmd::AddSelection,
                  cmd::RotateCraft,
                  cmd::AddInstruction,
                  cmd::AddTexts,
                  cmd::MoveBriefing,
                  cmd::ZoomBriefing,
                  cmd::HideShip,
                  cmd::HideSelections,
                  cmd::DeleteTexts,
                  cmd::ChangeRegion,
                  S,
                  cmd::SkipTo,
                  cmd::EndMark,
                  S,
                  cmd::LockBriefing,
                  cmd::ToggleImages,
                  cmd::ToggleHints},
                 16,
                 15,
                 Dock::Bottom,
                 0,
                 false});
    t.push_back({kSelectorBar,
                 "Shipgroups",
                 {kShipgroupSelector, cmd::ShowOnMap},
                 16,
                 15,
                 Dock::Top,
                 kMapToolbar,
                 true});
    t.push_back({kBriefingEditBar,
                 "Briefing edit",
                 {cmd::BriefingUndo, cmd::BriefingRedo, S, cmd::AssignTeams, cmd::NextBriefing},
                 32,
                 15,
                 Dock::Bottom,
                 kBriefingToolsBar,
                 false});
    t.push_back({kBriefingCommandsBar,
                 "Briefing commands",
                 {cmd::Step1, cmd::Step2, cmd::Step3, cmd::Step4, cmd::Step5, S,
                  cmd::DeleteCommands, cmd::BriefingWizard, S, cmd::SlowSpeed, cmd::NormalSpeed,
                  cmd::FastSpeed, cmd::BriefingLength, S, kTimeSlider},
                 32,
                 15,
                 Dock::Bottom,
                 0,
                 false});
    t.push_back({kControlBar,
                 "Control bar",
                 {cmd::MapMode, cmd::BriefingMode, cmd::Shipgroups, cmd::ShipgroupsView, cmd::Basic,
                  cmd::Advanced, cmd::Arrival, cmd::Departure, cmd::Orders, cmd::Waypoints,
                  cmd::Goals, cmd::Options},
                 64,
                 15,
                 Dock::Top,
                 0,
                 true});
    return t;
}

}  // namespace quendar::app
