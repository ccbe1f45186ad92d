#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/editor/CommandIds.h"

namespace quendar::app {

// One command of the menus and toolbars. The text fields are data; the three
// functions are bound at run time by whoever handles the command. A command
// without a handler is shown disabled.
struct Command {
    CommandId id = CommandId::None;
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
    std::string text;                // submenus only
    CommandId id = CommandId::None;  // commands only
    bool separator = false;
    std::vector<MenuEntry> children;
    bool isSubmenu() const { return !separator && id == CommandId::None; }
};

enum class Dock { Top, Bottom, Left, Right };

// A toolbar slot: a command's button, a separator or a control.
enum class Slot {
    Command,
    Separator,
    ShipgroupSelector,  // the drop-down on toolbar 145 (control id 32796)
    TimeSlider,         // the briefing time slider on toolbar 151 (control id 32863)
};
struct ToolbarItem {
    constexpr ToolbarItem(CommandId id) : slot(Slot::Command), command(id) {}  // NOLINT: a button
    constexpr ToolbarItem(Slot s) : slot(s) {}                                 // NOLINT: a control
    Slot slot;
    CommandId command = CommandId::None;
    bool operator==(const ToolbarItem&) const = default;
};
constexpr Slot kSeparator = Slot::Separator;
constexpr Slot kShipgroupSelector = Slot::ShipgroupSelector;
constexpr Slot kTimeSlider = Slot::TimeSlider;
constexpr int kSelectorWidth = 100;
constexpr int kSliderWidth = 323;

struct ToolbarDef {
    int id = 0;
    std::string title;
    std::vector<ToolbarItem> items;
    int buttonWidth = 16;
    int buttonHeight = 15;
    Dock dock = Dock::Top;
    int leftOf = 0;  // docked in the same row, to the left of this toolbar
    bool visible = true;
};

// The toolbar ids, in the order the frame creates them.
constexpr int kMapToolbar = 128, kBriefingToolsBar = 147, kSelectorBar = 145,
              kBriefingEditBar = 153, kBriefingCommandsBar = 151, kControlBar = 135;

class CommandTable {
  public:
    CommandTable();

    Command* find(CommandId id);
    const Command* find(CommandId id) const;
    const std::vector<Command>& commands() const { return m_commands; }
    const std::vector<MenuEntry>& menus() const { return m_menus; }
    const std::vector<ToolbarDef>& toolbars() const { return m_toolbars; }
    const ToolbarDef* toolbar(int id) const;

    // Gives a command its handler and rules; unknown ids are ignored.
    void bind(CommandId id, std::function<void()> execute, std::function<bool()> enabled = {},
              std::function<bool()> checked = {});
    // Runs the command when it is enabled; true when it ran.
    bool execute(CommandId id);

    // Every command id the menu tree names, in menu order.
    std::vector<CommandId> menuIds() const;

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
