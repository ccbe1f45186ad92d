#pragma once

#include <string_view>

namespace quendar::core {

// Groups the changes of one user action (a control change, a tool click, a
// list operation, a dialog button) so that Undo takes them back together.
// Actions nest: an inner one joins the outer one. Two actions in a row with
// the same non-null merge key (keystrokes in one edit, the drag of one slider)
// become one until breakMerge() is called (the edit lost the focus).
class ActionGroups {
  public:
    virtual ~ActionGroups() = default;
    virtual void beginAction(std::string_view name, const void* mergeKey = nullptr) = 0;
    virtual void endAction() = 0;
    virtual void breakMerge() = 0;
};

// Opens an action for its lifetime; a null group does nothing.
class ActionScope {
  public:
    ActionScope(ActionGroups* groups, std::string_view name, const void* mergeKey = nullptr)
        : m_groups(groups) {
        if (m_groups) m_groups->beginAction(name, mergeKey);
    }
    ActionScope(ActionGroups& groups, std::string_view name, const void* mergeKey = nullptr)
        : ActionScope(&groups, name, mergeKey) {}
    ~ActionScope() {
        if (m_groups) m_groups->endAction();
    }
    ActionScope(const ActionScope&) = delete;
    ActionScope& operator=(const ActionScope&) = delete;

  private:
    ActionGroups* m_groups;
};

}  // namespace quendar::core
