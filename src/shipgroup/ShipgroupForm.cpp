#include "shipgroup/ShipgroupForm.h"

#include <algorithm>
#include <cctype>

namespace quendar::shipgroup {

ShipgroupForm::ShipgroupForm(const ShipgroupContext& ctx, FormKind kind, std::string title)
    : FormModel(std::move(title), false), m_ctx(ctx), m_kind(kind) {}

void ShipgroupForm::receive(int code) {
    if (code == event::reload || code == event::advanced) reload();
}

int ShipgroupForm::currentIndex() const {
    const int n = std::max(1, m_ctx.store.shipgroupCount);
    return std::clamp(m_ctx.store.currentShipgroup, 0, n - 1);
}

mission::ShipgroupRecord ShipgroupForm::current() const {
    return mission::ShipgroupRecord(m_ctx.store, currentIndex());
}

core::Control& ShipgroupForm::byteList(std::string id, std::string label, std::string group,
                                          ItemsFn items, int offset,
                                          std::function<void(int)> after) {
    core::Control c;
    c.id = std::move(id);
    c.kind = core::ControlKind::DropDown;
    c.label = std::move(label);
    c.group = std::move(group);
    c.items = items;
    c.value = [this, items, offset] { return shown(get(offset), items().size()); };
    c.setValue = [this, offset, after](int v) {
        if (v < 0 || v > 255) return;
        set(offset, v);
        if (after) after(v);
    };
    return add(std::move(c));
}

core::Control& ShipgroupForm::textField(std::string id, std::string label, std::string group,
                                           int offset, int width, int maxLength,
                                           std::function<void()> after) {
    core::Control c;
    c.id = std::move(id);
    c.kind = core::ControlKind::Edit;
    c.label = std::move(label);
    c.group = std::move(group);
    c.maxLength = maxLength;
    c.text = [this, offset, width] {
        return m_ctx.store.text(mission::Table::Shipgroups, currentIndex(), offset, width);
    };
    c.setText = [this, offset, width, maxLength, after](const std::string& t) {
        // The whole field is cleared, then the text copied in.
        m_ctx.store.setText(mission::Table::Shipgroups, currentIndex(), offset, width,
                            std::string_view(t).substr(0, maxLength));
        if (after) after();
    };
    return add(std::move(c));
}

core::Control& ShipgroupForm::numberField(std::string id, std::string label, std::string group,
                                             std::function<int()> offset, bool isSigned,
                                             std::function<void()> after) {
    core::Control c;
    c.id = id;
    c.kind = core::ControlKind::NumberEdit;
    c.label = std::move(label);
    c.group = std::move(group);
    c.minimum = isSigned ? -128 : 0;
    c.maximum = isSigned ? 127 : 255;
    c.value = [this, offset, isSigned] {
        const int b = get(offset());
        return isSigned ? static_cast<int>(static_cast<int8_t>(b)) : b;
    };
    c.text = [this, id, offset, value = c.value] {
        const auto it = m_typed.find(id);
        const int off = offset();
        if (it != m_typed.end() && it->second.shipgroup == currentIndex() &&
            it->second.offset == off && (parseNumber(it->second.text) & 0xFF) == get(off))
            return it->second.text;
        return std::to_string(value());
    };
    // Text that is not a number stores 0; a number that does not fit keeps its
    // low byte, as the file would.
    c.setText = [this, id, offset, after](const std::string& t) {
        const int off = offset();
        m_typed[id] = {t, currentIndex(), off};
        set(off, parseNumber(t) & 0xFF);
        if (after) after();
    };
    c.setValue = [this, offset, after](int v) {
        set(offset(), v & 0xFF);
        if (after) after();
    };
    return add(std::move(c));
}

core::Control& ShipgroupForm::button(std::string id, std::string label, std::string group,
                                        std::function<void()> press) {
    core::Control c;
    c.id = std::move(id);
    c.kind = core::ControlKind::Button;
    c.label = std::move(label);
    c.group = std::move(group);
    c.press = std::move(press);
    return add(std::move(c));
}

core::Control& ShipgroupForm::staticText(std::string id, std::string label, std::string group,
                                            std::function<std::string()> text) {
    core::Control c;
    c.id = std::move(id);
    c.kind = core::ControlKind::StaticText;
    c.label = std::move(label);
    c.group = std::move(group);
    c.text = std::move(text);
    return add(std::move(c));
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

}  // namespace quendar::shipgroup
