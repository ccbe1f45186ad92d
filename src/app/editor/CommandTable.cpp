#include "app/editor/CommandTable.h"

#include <ostream>

namespace quendar::app {

CommandTable::CommandTable()
    : m_commands(commandDefinitions()), m_menus(menuTree()), m_toolbars(toolbarLayout()) {}

Command* CommandTable::find(CommandId id) {
    for (auto& c : m_commands)
        if (c.id == id) return &c;
    return nullptr;
}

const Command* CommandTable::find(CommandId id) const {
    for (const auto& c : m_commands)
        if (c.id == id) return &c;
    return nullptr;
}

const ToolbarDef* CommandTable::toolbar(int id) const {
    for (const auto& t : m_toolbars)
        if (t.id == id) return &t;
    return nullptr;
}

void CommandTable::bind(CommandId id, std::function<void()> execute, std::function<bool()> enabled,
                        std::function<bool()> checked) {
    Command* c = find(id);
    if (!c) return;
    c->execute = std::move(execute);
    c->enabled = std::move(enabled);
    c->checked = std::move(checked);
}

bool CommandTable::execute(CommandId id) {
    Command* c = find(id);
    if (!c || !c->isEnabled()) return false;
    // Copy first: a handler may rebind its own command.
    auto run = c->execute;
    run();
    return true;
}

std::ostream& operator<<(std::ostream& out, CommandId id) { return out << idNumber(id); }

namespace {
void collect(const std::vector<MenuEntry>& entries, std::vector<CommandId>& out) {
    for (const auto& e : entries) {
        if (e.separator) continue;
        if (e.isSubmenu())
            collect(e.children, out);
        else
            out.push_back(e.id);
    }
}
}  // namespace

std::vector<CommandId> CommandTable::menuIds() const {
    std::vector<CommandId> ids;
    collect(m_menus, ids);
    return ids;
}

}  // namespace quendar::app
