#include "core/FormModel.h"

namespace quendar::core {

Control* FormModel::find(std::string_view id) {
    for (auto& c : m_controls)
        if (c.id == id) return &c;
    return nullptr;
}

const Control* FormModel::find(std::string_view id) const {
    for (const auto& c : m_controls)
        if (c.id == id) return &c;
    return nullptr;
}

// "Name" for an edit labelled "&Name:", else the group's caption or the id.
std::string FormModel::actionName(const Control& c) const {
    std::string name = displayLabel(c.label);
    while (!name.empty() && (name.back() == ':' || name.back() == ' ')) name.pop_back();
    if (name.empty()) name = c.group;
    if (name.empty()) name = c.id;
    return c.kind == ControlKind::Button ? name : "Edit " + name;
}

void FormModel::choose(std::string_view id, int index) {
    if (Control* c = find(id); c && c->setValue && c->isEnabled()) {
        // Steps of one slider join, as a drag does, and so do the digits
        // typed into a number edit.
        const bool runs = c->kind == ControlKind::Slider || c->kind == ControlKind::NumberEdit;
        ActionScope scope(m_actions, actionName(*c), runs ? c : nullptr);
        c->setValue(index);
    }
}

void FormModel::type(std::string_view id, const std::string& text) {
    Control* c = find(id);
    if (!c || !c->isEnabled()) return;
    std::string t = text;
    if (c->maxLength > 0 && static_cast<int>(t.size()) > c->maxLength) t.resize(c->maxLength);
    if (c->setText) {
        ActionScope scope(m_actions, actionName(*c), c);
        c->setText(t);
    }
}

void FormModel::finishEditing(std::string_view id) {
    Control* c = find(id);
    if (c && c->editingFinished && c->isEnabled()) {
        ActionScope scope(m_actions, actionName(*c), c);
        c->editingFinished();
    }
    if (m_actions) m_actions->breakMerge();
}

void FormModel::select(std::string_view id, const std::vector<int>& rows) {
    if (Control* c = find(id); c && c->setSelection && c->isEnabled()) {
        ActionScope scope(m_actions, actionName(*c));
        c->setSelection(rows);
    }
}

void FormModel::click(std::string_view id) {
    if (Control* c = find(id); c && c->press && c->isEnabled()) {
        ActionScope scope(m_actions, actionName(*c));
        c->press();
    }
}

void FormModel::dragThumb(std::string_view id, int value) {
    if (Control* c = find(id); c && c->thumbMoved && c->isEnabled()) {
        ActionScope scope(m_actions, actionName(*c), c);
        c->thumbMoved(value);
    }
}

int FormModel::valueOf(std::string_view id) const {
    const Control* c = find(id);
    return c && c->value ? c->value() : -1;
}

std::string FormModel::textOf(std::string_view id) const {
    const Control* c = find(id);
    if (!c) return {};
    if (c->text) return c->text();
    return c->label;
}

std::vector<std::string> FormModel::itemsOf(std::string_view id) const {
    const Control* c = find(id);
    return c && c->items ? c->items() : std::vector<std::string>{};
}

std::string displayLabel(std::string_view label) {
    std::string out;
    out.reserve(label.size());
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&') {
            if (i + 1 < label.size() && label[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += label[i];
    }
    return out;
}

}  // namespace quendar::core
