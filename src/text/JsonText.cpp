#include "text/JsonText.h"

#include <array>
#include <vector>

namespace quendar::text {

void appendQuoted(std::string& out, std::span<const uint8_t> bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (uint8_t c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    out += '"';
}

void appendQuoted(std::string& out, std::string_view bytes) {
    appendQuoted(out, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()),
                                               bytes.size()));
}

std::optional<size_t> latin1(std::string_view utf8, std::span<uint8_t> out) {
    // Written without a branch on the character's width: mission texts mix
    // both widths at random, which a predictor cannot follow.
    const auto* s = reinterpret_cast<const uint8_t*>(utf8.data());
    const size_t size = utf8.size();
    size_t n = 0;
    for (size_t i = 0; i < size; ++n) {
        const uint8_t c = s[i];
        const bool two = c >= 0x80;
        if (two && ((c & 0xFE) != 0xC2 || i + 1 >= size)) return std::nullopt;
        const uint8_t next = s[i + two];
        const auto value = static_cast<uint8_t>(two ? (c << 6) | (next & 0x3F) : c);
        if (n < out.size()) out[n] = value;
        i += 1 + static_cast<size_t>(two);
    }
    return n;
}

std::span<const uint8_t> withoutPadding(std::span<const uint8_t> field) {
    size_t n = field.size();
    while (n > 0 && field[n - 1] == 0) --n;
    return field.first(n);
}

void appendHex(std::string& out, std::span<const uint8_t> bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (uint8_t b : bytes) {
        out += kHex[b >> 4];
        out += kHex[b & 15];
    }
}

std::string hex(std::span<const uint8_t> bytes) {
    std::string s;
    s.reserve(bytes.size() * 2);
    appendHex(s, bytes);
    return s;
}

std::optional<std::vector<uint8_t>> unhex(std::string_view text) {
    static constexpr auto kDigit = [] {
        std::array<int8_t, 256> d{};
        d.fill(-1);
        for (int c = 0; c < 10; ++c) d[static_cast<size_t>('0' + c)] = static_cast<int8_t>(c);
        for (int c = 0; c < 6; ++c) {
            d[static_cast<size_t>('a' + c)] = static_cast<int8_t>(10 + c);
            d[static_cast<size_t>('A' + c)] = static_cast<int8_t>(10 + c);
        }
        return d;
    }();
    if (text.size() % 2) return std::nullopt;
    std::vector<uint8_t> out(text.size() / 2);
    for (size_t i = 0; i < out.size(); ++i) {
        const int hi = kDigit[static_cast<uint8_t>(text[2 * i])],
                  lo = kDigit[static_cast<uint8_t>(text[2 * i + 1])];
        if ((hi | lo) < 0) return std::nullopt;
        out[i] = static_cast<uint8_t>(hi * 16 + lo);
    }
    return out;
}

PathPlace placeOfPath(std::string_view json, std::string_view target, int skip) {
    struct Frame {
        bool object;
        bool expectKey = true;
        std::string key;
        int index = 0;
    };
    std::vector<Frame> stack;
    int line = 1;
    const auto pathNow = [&] {
        std::string p;
        for (const Frame& f : stack) {
            if (f.object) {
                if (!p.empty()) p += '.';
                p += f.key;
            } else {
                p += '[' + std::to_string(f.index) + ']';
            }
        }
        return p;
    };
    const auto atValue = [&] { return pathNow() == target && skip-- == 0; };
    for (size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        switch (c) {
            case '\n': ++line; break;
            case ' ':
            case '\t':
            case '\r': break;
            case '{':
            case '[':
                if (atValue()) return {line, json.substr(i, json.find('\n', i) - i)};
                stack.push_back(Frame{c == '{', true, {}, 0});
                break;
            case '}':
            case ']':
                if (!stack.empty()) stack.pop_back();
                break;
            case ',':
                if (!stack.empty()) {
                    if (stack.back().object)
                        stack.back().expectKey = true;
                    else
                        ++stack.back().index;
                }
                break;
            case ':':
                if (!stack.empty()) stack.back().expectKey = false;
                break;
            case '"': {
                const size_t start = i;
                std::string s;
                for (++i; i < json.size() && json[i] != '"'; ++i) {
                    if (json[i] == '\\' && i + 1 < json.size()) ++i;
                    s += json[i];
                }
                if (!stack.empty() && stack.back().object && stack.back().expectKey) {
                    stack.back().key = s;
                } else if (atValue()) {
                    return {line, json.substr(start, i + 1 - start)};
                }
                break;
            }
            default: {
                const size_t start = i;
                while (i + 1 < json.size() && json[i + 1] != ',' && json[i + 1] != '}' &&
                       json[i + 1] != ']' && json[i + 1] != '\n' && json[i + 1] != ' ')
                    ++i;
                if (atValue()) return {line, json.substr(start, i + 1 - start)};
            }
        }
    }
    return {};
}

}  // namespace quendar::text
