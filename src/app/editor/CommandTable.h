#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quendar::app {

// One command of the menus and toolbars. The text fields are data; the three
// functions are bound at run time by whoever handles the command. A command
// without a handler is shown disabled.
struct Command {
    int id = 0;
    std::string menuText;  // "&Open..."; empty for toolbar-only commands
    std::string prompt;    // status-bar prompt
    std::string tooltip;
    // Portable key sequence text, "Ctrl+Shift+S"; several keys are separated
    // by "; " ("Ctrl+Y; Ctrl+Shift+Z").
    std::string shortcut;
    // The menu text as it is now ("&Undo Delete shipgroup\tCtrl+Z"); empty:
    // menuText.
    std::function<std::string()> currentText;
    std::function<bool()> enabled;
    std::function<bool()> checked;
    std::function<void()> execute;

    bool isEnabled() const { return execute && (!enabled || enabled()); }
    std::string shownText() const { return currentText ? currentText() : menuText; }
    bool isChecked() const { return checked && checked(); }
    bool checkable() const { return static_cast<bool>(checked); }
};

// An entry of the menu tree: a command (id), a separator, or a submenu.
struct MenuEntry {
    std::string text;  // submenus only
    int id = 0;        // commands only
    bool separator = false;
    std::vector<MenuEntry> children;
    bool isSubmenu() const { return !separator && id == 0; }
};

enum class Dock { Top, Bottom, Left, Right };

// Toolbar slots that hold a control instead of a button.
constexpr int kSeparator = 0;
constexpr int kShipgroupSelector = -1;  // the drop-down on toolbar 145 (control id 32796)
constexpr int kTimeSlider = -2;  // the briefing time slider on toolbar 151 (control id 32863)
constexpr int kSelectorWidth = 100;
constexpr int kSliderWidth = 323;

struct ToolbarDef {
    int id = 0;
    std::string title;
    std::vector<int> items;  // command ids, kSeparator, kShipgroupSelector, kTimeSlider
    int buttonWidth = 16;
    int buttonHeight = 15;
    Dock dock = Dock::Top;
    int leftOf = 0;  // docked in the same row, to the left of this toolbar
    bool visible = true;
};

// The toolbar ids, in the order the frame creates them.
constexpr int kMapToolbar = 128, kBriefingToolsBar = 147, kSelectorBar = 145,
              kBriefingEditBar = 153, kBriefingCommandsBar = 151, kControlBar = 135;

// Command ids the frame logic refers to by name.
namespace cmd {
constexpr int New = 57600, Open = 32888, Save = 57603, SaveAs = 32890, Exit = 57665;
constexpr int Undo = 57643, Redo = 57644;
constexpr int Cut = 57635, Copy = 57634, Paste = 57637;
constexpr int ViewToolbar = 59392, ViewStatusBar = 59393, ViewControlBar = 32795,
              ViewShipgroups = 32796, ViewBriefingBar = 32805, AutoBriefingBars = 32898;
constexpr int Coordinates = 32775, MapProperties = 32776, AxisProperties = 32783,
              Preferences = 32930;
constexpr int System1 = 32771, ZoomIn = 32778, ZoomOut = 32779, ViewXY = 32780, ViewYZ = 32781,
              ViewXZ = 32782, Centre = 32784;
constexpr int MapMode = 32785, BriefingMode = 32791;
constexpr int Shipgroups = 32786, ShipgroupsView = 32790, Basic = 32787, Arrival = 32788,
              Departure = 32789, Orders = 32792, Waypoints = 32793, Advanced = 32794,
              Options = 32931, Goals = 32899;
constexpr int ShowOnMap = 32798, ResetBriefing1 = 32936, ResetBriefing2 = 32937, Info = 57664;
constexpr int NextBriefing = 32934;
// The mission's logic: Edit > Find References (the View menu's Mission Flow is
// its dock's own toggle, as Problems is).
constexpr int FindReferences = 33330;
}  // namespace cmd

class CommandTable {
  public:
    CommandTable();

    Command* find(int id);
    const Command* find(int id) const;
    const std::vector<Command>& commands() const { return m_commands; }
    const std::vector<MenuEntry>& menus() const { return m_menus; }
    const std::vector<ToolbarDef>& toolbars() const { return m_toolbars; }
    const ToolbarDef* toolbar(int id) const;

    // Gives a command its handler and rules; unknown ids are ignored.
    void bind(int id, std::function<void()> execute, std::function<bool()> enabled = {},
              std::function<bool()> checked = {});
    // Runs the command when it is enabled; true when it ran.
    bool execute(int id);

    // Every command id the menu tree names, in menu order.
    std::vector<int> menuIds() const;

  private:
    std::vector<Command> m_commands;
    std::vector<MenuEntry> m_menus;
    std::vector<ToolbarDef> m_toolbars;
};

// The data behind the table (CommandData.cpp).
std::vector<Command> commandDefinitions();
std::vector<MenuEntry> menuTree();
std::vector<ToolbarDef> toolbarLayout();

}  // namespace quendar::app
