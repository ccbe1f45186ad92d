#include "settings/SettingsForm.h"

#include "shipgroup/ShipgroupForm.h"

namespace quendar::settings {

using core::Control;
using core::ControlKind;

SettingsForm::SettingsForm(const shipgroup::ShipgroupContext& ctx, std::string title)
    : core::FormModel(std::move(title), true), m_ctx(ctx) {}

Control& SettingsForm::textEdit(std::string id, std::string label, std::string group,
                                std::function<ByteRef()> field, int width, int limit) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::Edit;
    c.label = std::move(label);
    c.group = std::move(group);
    c.maxLength = limit;
    c.text = [this, field, width] {
        const ByteRef r = field();
        return store().text(r.table, r.slot, r.offset, width);
    };
    c.setText = [this, field, width, limit](const std::string& t) {
        const ByteRef r = field();
        store().setText(r.table, r.slot, r.offset, width, std::string_view(t).substr(0, limit));
    };
    return add(std::move(c));
}

Control& SettingsForm::byteList(std::string id, std::string label, std::string group, ItemsFn items,
                                RefFn ref, std::function<void(int)> after) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::DropDown;
    c.label = std::move(label);
    c.group = std::move(group);
    c.items = items;
    c.value = [this, items, ref] { return shown(get(ref()), items().size()); };
    c.setValue = [this, ref, after](int v) {
        if (v < 0) return;
        put(ref(), v);
        if (after) after(v);
    };
    return add(std::move(c));
}

Control& SettingsForm::joinRadio(std::string id, std::string label, std::string group, RefFn ref) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::RadioGroup;
    c.label = std::move(label);
    c.group = std::move(group);
    c.items = [] { return std::vector<std::string>{"And", "Or"}; };
    c.value = [this, ref] { return get(ref()) == 1 ? 1 : 0; };
    c.setValue = [this, ref](int v) { put(ref(), v == 1 ? 1 : 0); };
    return add(std::move(c));
}

Control& SettingsForm::numberEdit(std::string id, std::string label, std::string group, RefFn ref) {
    Control c;
    c.id = id;
    c.kind = ControlKind::NumberEdit;
    c.label = std::move(label);
    c.group = std::move(group);
    c.minimum = 0;
    // While the user types, the edit keeps the typed text as long as it
    // stands for the stored byte ("007", ""), so a refresh never fights it.
    c.text = [this, id, ref] {
        const int stored = get(ref());
        auto it = m_typed.find(id);
        if (it != m_typed.end() && (shipgroup::parseNumber(it->second) & 0xFF) == stored)
            return it->second;
        return std::to_string(stored);
    };
    c.setText = [this, id, ref](const std::string& t) {
        m_typed[id] = t;
        put(ref(), shipgroup::parseNumber(t) & 0xFF);
    };
    return add(std::move(c));
}

Control& SettingsForm::button(std::string id, std::string label, std::string group,
                              std::function<void()> press) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::Button;
    c.label = std::move(label);
    c.group = std::move(group);
    c.press = std::move(press);
    return add(std::move(c));
}

Control& SettingsForm::label(std::string id, std::string text, std::string group,
                             std::function<std::string()> shown) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::StaticText;
    c.label = std::move(text);
    c.group = std::move(group);
    c.text = std::move(shown);
    return add(std::move(c));
}

Control& SettingsForm::okButton(std::function<void()> before) {
    return button("ok", "OK", "", [this, before] {
        if (before) before();
        requestClose(true);
    });
}

}  // namespace quendar::settings
