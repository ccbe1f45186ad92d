#include <string>

#include "app/editor/CommandTable.h"

namespace quendar::app {

namespace {

Command make(int id, std::string menu, std::string prompt, std::string tip,
             std::string shortcut = {}) {
    Command c;
    c.id = id;
    c.menuText = std::move(menu);
    c.prompt = std::move(prompt);
    c.tooltip = std::move(tip);
    c.shortcut = std::move(shortcut);
    return c;
}

MenuEntry item(int id) {
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

// Ids of menu items that no command handles. They keep their own numbers
// (above the program's command range) so that they never collide.
constexpr int kEditCut = cmd::Cut, kEditCopy = cmd::Copy, kEditPaste = cmd::Paste;
constexpr int kAllTeams = 33001, kManualOverride = 33002, kPlugins = 33003, kContents = 33004,
              kTutorials = 33005;

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
    c.push_back(make(kEditCut, "Cu&t\tCtrl+X", "Cut the selection", "Cut", "Ctrl+X"));
    c.push_back(make(kEditCopy, "&Copy\tCtrl+C", "Copy the selection", "Copy", "Ctrl+C"));
    c.push_back(make(kEditPaste, "&Paste\tCtrl+V", "Insert the clipboard contents", "Paste",
                     "Ctrl+V"));
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
            make(cmd::System1 + k, "Set to System &" + n, "Set to System " + n, "System " + n));
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
        c.push_back(make(32872 + k, k == 0 ? "&Start point 1" : "Start point &" + n,
                         "Add start point", "Start point " + n));
    }
    const int orderIds[4] = {32908, 32905, 32906, 32907};
    for (int k = 0; k < 4; ++k) {
        const std::string n = std::to_string(k + 1);
        c.push_back(make(orderIds[k], "Order &" + n + " waypoints", "Order " + n + " waypoints",
                         "Order " + n + " waypoints"));
    }
    for (int k = 0; k < 8; ++k) {
        const std::string n = std::to_string(k + 1);
        c.push_back(
            make(32876 + k, "Waypoint &" + n, "Add waypoint or briefing point", "Waypoint " + n));
    }
    c.push_back(make(32884, "&Hyperspace point", "Add hyperspace point", "Hyperspace point"));
    c.push_back(make(32885, "&Rendezvous point", "Add rendezvous point", "Rendezvous point"));
    c.push_back(make(32886, "Hyperbouy &wizard", "Hyperbouy wizard", "Hyperbouy wizard"));
    c.push_back(make(32925, "Or&ders Wizard", "Orders Wizard", "Orders Wizard"));
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
    c.push_back(make(32833, "&Properties...", "Mission properties", "Mission properties"));
    c.push_back(make(32848, "&Systems...", "Names of the systems", "Systems"));
    c.push_back(make(32838, "&Cargoes...", "Special cargoes in the mission", "Cargoes"));
    c.push_back(make(32835, "&Validate", "Check the mission for errors", "Validate"));
    c.push_back(
        make(32900, "&Name global groups...", "Names of the global groups", "Global groups"));
    c.push_back(make(32924, "&Global goals...", "Global goals of the teams", "Global goals"));
    for (int k = 0; k < 10; ++k) {
        const std::string n = std::to_string(k + 1);
        std::string text = k < 9 ? "Team &" + n : "Team 1&0";
        c.push_back(make(32822 + k, text, "Properties of team " + n, "Team " + n));
    }
    c.push_back(make(kAllTeams, "&All Teams", "Properties of all teams", "All teams"));
    c.push_back(make(32834, "&Modify messages...", "In-flight messages", "Messages"));
    // Briefing menu
    c.push_back(make(32820, "&Introduction", "Introduction text", "Introduction"));
    c.push_back(make(32821, "&Debriefing", "Debriefing text", "Debriefing"));
    c.push_back(make(32902, "&Hints", "Hints text", "Hints"));
    c.push_back(make(32818, "&Briefing Texts", "Texts of the briefing", "Briefing texts"));
    c.push_back(make(32819, "Briefing &Tags", "Tags of the briefing", "Briefing tags"));
    c.push_back(make(cmd::ResetBriefing1, "Reset Briefing &1", "Reset the first briefing",
                     "Reset briefing 1"));
    c.push_back(make(cmd::ResetBriefing2, "Reset Briefing &2", "Reset the second briefing",
                     "Reset briefing 2"));
    c.push_back(
        make(kManualOverride, "&Manual Override", "Edit the briefing by hand", "Manual override"));
    // Briefing toolbars (the string table's prompt and tooltip halves)
    struct P {
        int id;
        const char* prompt;
        const char* tip;
    };
    const P briefing[] = {
        {32800, "Play briefing", "Play"},
        {32801, "Stop briefing", "Stop"},
        {32802, "Forward one step", "Step forward"},
        {32803, "Back one step", "Step backward"},
        {32804, "Go to the end of the briefing", "Go to end"},
        {32854, "Step forward to next action", "Next action"},
        {32855, "Step back to previous action", "Last action"},
        {32850, "Set the speed of the briefing during play to slow", "Slow Speed"},
        {32851, "Set the speed of the briefing during play to normal", "Normal Speed"},
        {32852, "Set the speed of the briefing during play to fast", "Fast Speed"},
        {32856, "", "Step 1"},
        {32857, "", "Step 2"},
        {32858, "", "Step 3"},
        {32859, "", "Step 4"},
        {32860, "", "Step 5"},
        {32921, "Lock briefing positon and zoom", "Lock briefing"},
        {32849, "Select/Move objects in the briefing", "Select/Move"},
        {32839, "Show ship on the briefing", "Show ship"},
        {32891, "Move a ship on the briefing", "Move ship"},
        {32892, "Show technical data about a ship at this point", "Tech data"},
        {32840, "Select a ship", "Add selection"},
        {32871, "Rotate craft", "Rotate craft"},
        {32870, "Add instruction text", "Add instruction"},
        {32841, "Add texts onto the briefing", "Add texts"},
        {32842, "Move the briefing screen", "Move briefing"},
        {32843, "Zoom the briefing screen", "Zoom"},
        {32844, "Hide a ship on the briefing", "Hide ship"},
        {32853, "Hide all selections", "Hide selections"},
        {32845, "Delete texts from the briefing", "Delete texts"},
        {32847, "Change current region in the briefing", "Change region"},
        {32846, "Add 'Skip To' point here", "Skip to"},
        {32865, "Mark this position as the end of the briefing", "End mark"},
        {32864, "Toggle showing the Changing region and Technical data images", "Toggle images"},
        {32922, "Toggle hints in the briefing editor", "Toggle hints"},
        {32926, "Undo last action", "Undo"},
        {32928, "Redo last action", "Redo"},
        {32935, "Assign teams to this briefing", "Assign teams"},
        {cmd::NextBriefing, "Next briefing", "Next briefing"},
        {32861, "Delete briefing commands", "Delete commands"},
        {32862, "Briefing Wizard", "Briefing Wizard"},
        {32923, "Briefing lenght", "Briefing lenght"},
    };
    for (const P& p : briefing) c.push_back(make(p.id, "", p.prompt, p.tip));
    // Help
    c.push_back(make(kContents, "&Contents", "Help contents", "Contents"));
    c.push_back(make(kTutorials, "&Tutorials", "Tutorials", "Tutorials"));
    c.push_back(make(kPlugins, "&Plug-ins", "Plug-ins", "Plug-ins"));
    c.push_back(make(cmd::Info, "&Info...", "Program information", "Info"));
    return c;
}

std::vector<MenuEntry> menuTree() {
    std::vector<MenuEntry> m;
    m.push_back(submenu("&File", {item(cmd::New), item(cmd::Open), item(cmd::Save),
                                  item(cmd::SaveAs), separator(), item(cmd::Exit)}));
    m.push_back(submenu("&Edit", {item(cmd::Undo), item(cmd::Redo), separator(), item(kEditCut),
                                  item(kEditCopy), item(kEditPaste), separator(),
                                  item(cmd::FindReferences)}));
    m.push_back(submenu("&View", {item(cmd::ViewToolbar), item(cmd::ViewStatusBar),
                                  item(cmd::ViewControlBar), item(cmd::ViewShipgroups),
                                  item(cmd::ViewBriefingBar), item(cmd::AutoBriefingBars),
                                  separator(), item(cmd::Coordinates), item(cmd::MapProperties),
                                  item(cmd::AxisProperties), separator(), item(cmd::Preferences)}));
    m.push_back(
        submenu("&Map", {item(32771), item(32772), item(32773), item(32774), separator(),
                         item(cmd::ZoomIn), item(cmd::ZoomOut), separator(), item(cmd::ViewXY),
                         item(cmd::ViewXZ), item(cmd::ViewYZ), separator(), item(cmd::Centre),
                         separator(), item(32908), item(32905), item(32906), item(32907)}));
    std::vector<MenuEntry> add{item(32872), item(32873), item(32874), item(32875), separator()};
    for (int k = 0; k < 8; ++k) add.push_back(item(32876 + k));
    add.push_back(separator());
    add.push_back(item(32884));
    add.push_back(item(32885));
    m.push_back(submenu("&Add", std::move(add)));
    m.push_back(submenu("&Mission", {item(32833), item(32848), item(32838), separator(),
                                     item(32835), separator(), item(32886), item(32925)}));
    m.push_back(submenu("&Globals", {item(32900), item(32924)}));
    std::vector<MenuEntry> teams;
    for (int k = 0; k < 10; ++k) teams.push_back(item(32822 + k));
    teams.push_back(separator());
    teams.push_back(item(kAllTeams));
    m.push_back(submenu("&Teams", std::move(teams)));
    m.push_back(submenu("M&essages", {item(32834)}));
    m.push_back(
        submenu("&Briefing", {item(32820), item(32821), item(32902), separator(), item(32818),
                              item(32819), separator(), item(cmd::ResetBriefing1),
                              item(cmd::ResetBriefing2), separator(), item(kManualOverride)}));
    m.push_back(submenu("&Help", {item(kContents), item(kTutorials), item(kPlugins), separator(),
                                  item(cmd::Info)}));
    return m;
}

std::vector<ToolbarDef> toolbarLayout() {
    const int S = kSeparator;
    std::vector<ToolbarDef> t;
    t.push_back({kMapToolbar,
                 "Map tools",
                 {32771, 32772, 32773, 32774, S,     32778, 32779, S,     32780, 32781, 32782,
                  S,     32784, S,     32872, S,     32908, 32905, 32906, 32907, S,     32876,
                  32877, 32878, 32879, 32880, 32881, 32882, 32883, S,     32886, S,     32925},
                 16,
                 15,
                 Dock::Top,
                 0,
                 true});
    t.push_back({kBriefingToolsBar,
                 "Briefing tools",
                 {32804, 32855, 32803, 32801, 32800, 32802, 32854, S,     32849, 32839,
                  32891, 32892, 32840, 32871, 32870, 32841, 32842, 32843, 32844, 32853,
                  32845, 32847, S,     32846, 32865, S,     32921, 32864, 32922},
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
                 {32926, 32928, S, 32935, 32934},
                 32,
                 15,
                 Dock::Bottom,
                 kBriefingToolsBar,
                 false});
    t.push_back({kBriefingCommandsBar,
                 "Briefing commands",
                 {32856, 32857, 32858, 32859, 32860, S, 32861, 32862, S, 32850, 32851, 32852, 32923,
                  S, kTimeSlider},
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
