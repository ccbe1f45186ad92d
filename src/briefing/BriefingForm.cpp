#include "briefing/BriefingForm.h"

#include <charconv>

namespace quendar::briefing {

using core::Control;
using core::ControlKind;

Control& BriefingForm::button(std::string id, std::string label, std::function<void()> press,
                              std::string group) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::Button;
    c.label = std::move(label);
    c.group = std::move(group);
    c.press = std::move(press);
    return add(std::move(c));
}

Control& BriefingForm::label(std::string id, std::string text, std::string group) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::StaticText;
    c.label = std::move(text);
    c.group = std::move(group);
    return add(std::move(c));
}

Control& BriefingForm::listBox(std::string id, std::string label,
                               std::function<std::vector<std::string>()> items, int& row,
                               std::function<void(int)> after) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::ListBox;
    c.label = std::move(label);
    c.items = items;
    c.value = [&row] { return row; };
    c.setValue = [&row, items, after](int v) {
        const int n = static_cast<int>(items().size());
        row = v >= 0 && v < n ? v : -1;
        if (after) after(row);
    };
    return add(std::move(c));
}

Control& BriefingForm::closeButton(std::string id, std::string label, bool accept,
                                   std::function<void()> before) {
    return button(std::move(id), std::move(label), [this, accept, before] {
        if (before) before();
        requestClose(accept);
    });
}

long long typedNumber(const std::string& text, bool allowSign) {
    size_t b = text.find_first_not_of(" \t");
    size_t e = text.find_last_not_of(" \t");
    if (b == std::string::npos) return 0;
    std::string_view s(text.data() + b, e - b + 1);
    if (!allowSign && !s.empty() && (s.front() == '-' || s.front() == '+')) return 0;
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    long long v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size()) return 0;
    return v;
}

}  // namespace quendar::briefing
