#include "app/editor/CommandTable.h"

namespace quendar::app {

CommandTable::CommandTable()
    : m_commands(commandDefinitions()), m_menus(menuTree()), m_toolbars(toolbarLayout()) {}

Command* CommandTable::find(int id) {
    for (auto& c : m_commands)
        if (c.id == id) return &c;
    return nullptr;
}

const Command* CommandTable::find(int id) const {
    for (const auto& c : m_commands)
        if (c.id == id) return &c;
    return nullptr;
}

const ToolbarDef* CommandTable::toolbar(int id) const {
    for (const auto& t : m_toolbars)
        if (t.id == id) return &t;
    return nullptr;
}

void CommandTable::bind(int id, std::function<void()> execute, std::function<bool()> enabled,
                        std::function<bool()> checked) {
    Command* c = find(id);
    if (!c) return;
    c->execute = std::move(execute);
    c->enabled = std::move(enabled);
    c->checked = std::move(checked);
}

bool CommandTable::execute(int id) {
    Command* c = find(id);
    if (!c || !c->isEnabled()) return false;
    // Copy first: a handler may rebind its own command.
    auto run = c->execute;
    run();
    return true;
}

namespace {
void collect(const std::vector<MenuEntry>& entries, std::vector<int>& out) {
    for (const auto& e : entries) {
        if (e.separator) continue;
        if (e.isSubmenu())
            collect(e.children, out);
        else
            out.push_back(e.id);
    }
}
}  // namespace

std::vector<int> CommandTable::menuIds() const {
    std::vector<int> ids;
    collect(m_menus, ids);
    return ids;
}

}  // namespace quendar::app
