#include "core/FormModel.h"

#include <cctype>
#include <cstdint>

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

// --- Builders

Control& FormModel::control(ControlKind kind, std::string id, std::string label,
                            std::string group) {
    Control c;
    c.id = std::move(id);
    c.kind = kind;
    c.label = std::move(label);
    c.group = std::move(group);
    return add(std::move(c));
}

Control& FormModel::label(std::string id, std::string text, std::string group,
                          std::function<std::string()> shown) {
    Control& c = control(ControlKind::StaticText, std::move(id), std::move(text), std::move(group));
    c.text = std::move(shown);
    return c;
}

Control& FormModel::button(std::string id, std::string label, std::string group,
                           std::function<void()> press) {
    Control& c = control(ControlKind::Button, std::move(id), std::move(label), std::move(group));
    c.press = std::move(press);
    return c;
}

Control& FormModel::closeButton(std::string id, std::string label, bool accept,
                                std::function<void()> before) {
    return button(std::move(id), std::move(label), "", [this, accept, before] {
        if (before) before();
        requestClose(accept);
    });
}

Control& FormModel::picture(std::string id, std::string group, std::function<RgbaImage()> image) {
    Control& c = control(ControlKind::Picture, std::move(id), "", std::move(group));
    c.image = std::move(image);
    return c;
}

Control& FormModel::checkBox(std::string id, std::string label, std::string group, Binding b) {
    Control& c = control(ControlKind::CheckBox, std::move(id), std::move(label), std::move(group));
    c.value = std::move(b.get);
    c.setValue = std::move(b.set);
    return c;
}

Control& FormModel::checkBox(std::string id, std::string label, std::string group, int& flag) {
    return checkBox(std::move(id), std::move(label), std::move(group),
                    {[&flag] { return flag ? 1 : 0; }, [&flag](int v) { flag = v ? 1 : 0; }});
}

Control& FormModel::toggleBox(std::string id, std::string label, std::string group, Binding b) {
    return checkBox(
        std::move(id), std::move(label), std::move(group),
        {[get = b.get] { return get() == 1 ? 1 : 0; }, [b](int) { b.set(b.get() == 1 ? 0 : 1); }});
}

namespace {
Control& bind(Control& c, ItemsFn items, Binding b) {
    c.items = std::move(items);
    c.value = std::move(b.get);
    c.setValue = std::move(b.set);
    return c;
}
}  // namespace

Control& FormModel::dropDown(std::string id, std::string label, std::string group, ItemsFn items,
                             Binding b) {
    return bind(control(ControlKind::DropDown, std::move(id), std::move(label), std::move(group)),
                std::move(items), std::move(b));
}

Control& FormModel::listBox(std::string id, std::string label, std::string group, ItemsFn items,
                            Binding b) {
    return bind(control(ControlKind::ListBox, std::move(id), std::move(label), std::move(group)),
                std::move(items), std::move(b));
}

Control& FormModel::radioGroup(std::string id, std::string label, std::string group, ItemsFn items,
                               Binding b) {
    return bind(control(ControlKind::RadioGroup, std::move(id), std::move(label), std::move(group)),
                std::move(items), std::move(b));
}

Control& FormModel::choice(ControlKind kind, std::string id, std::string label, std::string group,
                           ItemsFn items, int& state, std::function<void(int)> after) {
    Control& c = control(kind, std::move(id), std::move(label), std::move(group));
    c.items = items;
    c.value = [&state, items] { return shown(state, items().size()); };
    c.setValue = [&state, items, after](int v) {
        if (shown(v, items().size()) < 0) return;
        state = v;
        if (after) after(v);
    };
    return c;
}

Control& FormModel::dropDown(std::string id, std::string label, std::string group, ItemsFn items,
                             int& state, std::function<void(int)> after) {
    return choice(ControlKind::DropDown, std::move(id), std::move(label), std::move(group),
                  std::move(items), state, std::move(after));
}

Control& FormModel::listBox(std::string id, std::string label, std::string group, ItemsFn items,
                            int& state, std::function<void(int)> after) {
    return choice(ControlKind::ListBox, std::move(id), std::move(label), std::move(group),
                  std::move(items), state, std::move(after));
}

Control& FormModel::radioGroup(std::string id, std::string label, std::string group, ItemsFn items,
                               int& state, std::function<void(int)> after) {
    return choice(ControlKind::RadioGroup, std::move(id), std::move(label), std::move(group),
                  std::move(items), state, std::move(after));
}

Control& FormModel::selectionList(std::string id, std::string label, std::string group,
                                  ItemsFn items, int& row, std::function<void(int)> after) {
    Control& c = control(ControlKind::ListBox, std::move(id), std::move(label), std::move(group));
    c.items = items;
    c.value = [&row] { return row; };
    c.setValue = [&row, items, after](int v) {
        row = shown(v, items().size());
        if (after) after(row);
    };
    return c;
}

Control& FormModel::multiList(std::string id, std::string label, std::string group, ItemsFn items,
                              std::function<std::vector<int>()> selection,
                              std::function<void(const std::vector<int>&)> setSelection) {
    Control& c = control(ControlKind::MultiList, std::move(id), std::move(label), std::move(group));
    c.items = std::move(items);
    c.selection = std::move(selection);
    c.setSelection = std::move(setSelection);
    return c;
}

Control& FormModel::byteList(std::string id, std::string label, std::string group, ItemsFn items,
                             Binding b, std::function<void(int)> after) {
    return dropDown(std::move(id), std::move(label), std::move(group), items,
                    {[items, get = b.get] { return shown(get(), items().size()); },
                     [set = b.set, after](int v) {
                         if (v < 0 || v > 255) return;
                         set(v);
                         if (after) after(v);
                     }});
}

Control& FormModel::joinRadio(std::string id, std::string label, std::string group, Binding b) {
    return radioGroup(std::move(id), std::move(label), std::move(group), fixed({"And", "Or"}),
                      {[get = b.get] { return get() == 1 ? 1 : 0; },
                       [set = b.set](int v) { set(v == 1 ? 1 : 0); }});
}

Control& FormModel::numberEdit(std::string id, std::string label, std::string group, Binding b,
                               bool isSigned, std::function<void()> after) {
    Control& c = control(ControlKind::NumberEdit, id, std::move(label), std::move(group));
    c.minimum = isSigned ? -128 : 0;
    c.maximum = isSigned ? 127 : 255;
    const auto place = [b] { return b.place ? b.place() : 0; };
    c.value = [get = b.get, isSigned] {
        const int v = get();
        return isSigned ? static_cast<int>(static_cast<int8_t>(v)) : v;
    };
    c.text = [this, id, get = b.get, place, value = c.value] {
        const auto it = m_typed.find(id);
        if (it != m_typed.end() && it->second.place == place() &&
            (parseNumber(it->second.text) & 0xFF) == get())
            return it->second.text;
        return std::to_string(value());
    };
    c.setText = [this, id, set = b.set, place, after](const std::string& t) {
        m_typed[id] = {t, place()};
        set(parseNumber(t) & 0xFF);
        if (after) after();
    };
    c.setValue = [set = b.set, after](int v) {
        set(v & 0xFF);
        if (after) after();
    };
    return c;
}

Control& FormModel::textEdit(std::string id, std::string label, std::string group, TextBinding b) {
    Control& c = control(ControlKind::Edit, std::move(id), std::move(label), std::move(group));
    c.maxLength = b.limit;
    c.text = std::move(b.get);
    c.setText = std::move(b.set);
    return c;
}

Control& FormModel::slider(std::string id, std::string group, Binding b, int minimum, int maximum) {
    Control& c = control(ControlKind::Slider, std::move(id), "", std::move(group));
    c.minimum = minimum;
    c.maximum = maximum;
    c.value = std::move(b.get);
    c.setValue = std::move(b.set);
    return c;
}

TextBinding heldText(std::string& text, int limit, std::function<void(const std::string&)> after) {
    return {[&text] { return text; },
            [&text, limit, after](const std::string& t) {
                text = limit > 0 && t.size() > static_cast<size_t>(limit) ? t.substr(0, limit) : t;
                if (after) after(text);
            },
            limit};
}

int parseNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long v = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > 1'000'000) break;  // far beyond any field; only the low byte is kept anyway
    }
    return static_cast<int>(negative ? -v : v);
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
