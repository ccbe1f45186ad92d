#include "briefing/BriefingForm.h"

#include <charconv>

namespace quendar::briefing {

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
