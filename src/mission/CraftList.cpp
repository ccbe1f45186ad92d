#include "mission/CraftList.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "mission/FileIO.h"

namespace quendar::mission {

// SHIPLIST.TXT, one craft type per line, no other separators:
//
//   nine ignored characters, the craft type number and "!", then the craft
//   name, category, flyability label, text field 4 and text field 5, each up
//   to the next ",", any blanks and tabs, numbers 1..7 each followed by ","
//   and number 8 followed by the end of the line.
//
// A field is read up to its separator wherever that is, so a line with fewer
// fields than this runs on into the next line and takes it as part of itself;
// that is how the format has always behaved and files may rely on it.
//
// Where the format leaves room, this reader decides:
// - CR LF line ends read exactly like LF line ends.
// - Empty lines (nothing but blanks and tabs) between craft lines are skipped,
//   so a stray blank line cannot shift the nine ignored characters into the
//   next line.
// - A text longer than its slot is cut to fit (39 characters for the name and
//   category, 19 for the three short texts); the rest of the line still counts.
// - A line whose craft type number lies outside 0..254 is read and dropped.
// - The end of the file ends reading. A last line that lacks only its line
//   break is taken; a line that stops earlier is dropped.
// - Numbers convert leniently (leading white space skipped, optional sign,
//   stop at the first non-digit, empty gives 0) and saturate at the 32-bit
//   limits instead of overflowing.

namespace {

class Cursor {
  public:
    explicit Cursor(std::string_view text) : m_text(text) {}

    size_t remaining() const { return m_text.size() - m_pos; }
    void skip(size_t n) { m_pos += std::min(n, remaining()); }

    // Characters up to `stop`, which is consumed. False when the text ends first.
    bool readUntil(char stop, std::string& out) {
        const size_t end = m_text.find(stop, m_pos);
        if (end == std::string_view::npos) {
            m_pos = m_text.size();
            return false;
        }
        out.assign(m_text.substr(m_pos, end - m_pos));
        m_pos = end + 1;
        return true;
    }

    // The rest of the line; the line break is consumed. A last line without a
    // line break gives the rest of the text.
    void readToLineEnd(std::string& out) {
        const size_t start = m_pos;
        if (!readUntil('\n', out)) out.assign(m_text.substr(start));
    }

    // Skips lines that hold nothing but blanks and tabs.
    void skipEmptyLines() {
        for (;;) {
            size_t p = m_pos;
            while (p < m_text.size() && (m_text[p] == ' ' || m_text[p] == '\t')) ++p;
            if (p < m_text.size() && m_text[p] == '\n') {
                m_pos = p + 1;
            } else {
                return;
            }
        }
    }

  private:
    std::string_view m_text;
    size_t m_pos = 0;
};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

int32_t lenientNumber(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && isSpace(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int64_t value = 0;
    constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = std::min(value * 10 + (s[i] - '0'), limit);
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

std::string withoutCarriageReturns(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out.push_back(text[i]);
    }
    return out;
}

void cutTo(std::string& s, int length, CraftListReport& report) {
    if (s.size() > static_cast<size_t>(length)) {
        s.resize(static_cast<size_t>(length));
        ++report.fieldsCut;
    }
}

constexpr int kIgnoredCharacters = 9;
constexpr int kCheckedCharacters = 3;  // the end of the file is looked for in these

// Reads one craft line into `entry`; returns the craft type number, or nullopt
// when the text ends before the line is complete.
std::optional<int64_t> readLine(Cursor& in, CraftEntry& entry) {
    in.skipEmptyLines();
    if (in.remaining() < kCheckedCharacters) return std::nullopt;
    in.skip(kIgnoredCharacters);

    std::string field;
    if (!in.readUntil('!', field)) return std::nullopt;
    const int64_t type = lenientNumber(field);

    for (std::string* text :
         {&entry.name, &entry.category, &entry.flyability, &entry.field4, &entry.field5}) {
        if (!in.readUntil(',', *text)) return std::nullopt;
    }
    for (int k = 0; k < kCraftNumbers - 1; ++k) {
        if (!in.readUntil(',', field)) return std::nullopt;
        entry.numbers[k] = lenientNumber(field);
    }
    in.readToLineEnd(field);
    entry.numbers[kCraftNumbers - 1] = lenientNumber(field);
    return type;
}

}  // namespace

CraftList::CraftList() {
    const CraftEntry empty{"", "", "", "", "", {}};
    m_entries.fill(empty);
    m_blank = empty;
}

CraftListReport CraftList::parse(std::string_view text) {
    CraftListReport report;
    m_entries.fill(CraftEntry{});

    const std::string clean = withoutCarriageReturns(text);
    Cursor in(clean);
    for (;;) {
        CraftEntry entry;
        const std::optional<int64_t> type = readLine(in, entry);
        if (!type) break;
        if (*type < 0 || *type >= kCraftTypes) {
            ++report.linesRejected;
            continue;
        }
        cutTo(entry.name, kCraftNameLength, report);
        cutTo(entry.category, kCraftNameLength, report);
        cutTo(entry.flyability, kCraftShortTextLength, report);
        cutTo(entry.field4, kCraftShortTextLength, report);
        cutTo(entry.field5, kCraftShortTextLength, report);
        m_entries[static_cast<size_t>(*type)] = std::move(entry);
        ++report.linesTaken;
    }

    m_loaded = true;
    buildCategories();
    return report;
}

CraftListLoad CraftList::load(const std::string& path, CraftListReport* report) {
    const auto data = readWholeFile(path);
    if (!data) return CraftListLoad::NotFound;
    const CraftListReport r =
        parse(std::string_view(reinterpret_cast<const char*>(data->data()), data->size()));
    if (report) *report = r;
    return CraftListLoad::Loaded;
}

const CraftEntry& CraftList::entry(int craftType) const {
    if (craftType < 0 || craftType >= kCraftTypes) return m_blank;
    return m_entries[static_cast<size_t>(craftType)];
}

CraftLocation CraftList::locate(int craftType) const {
    for (size_t c = 0; c < m_categories.size(); ++c) {
        const auto& members = m_categories[c].members;
        for (size_t m = 0; m < members.size(); ++m) {
            if (members[m].craftType == craftType) {
                return {static_cast<int>(c), static_cast<int>(m)};
            }
        }
    }
    return {};
}

void CraftList::buildCategories() {
    m_categories.clear();
    for (int t = 0; t < kCraftTypes; ++t) {
        const CraftEntry& e = m_entries[static_cast<size_t>(t)];
        CraftCategory* home = nullptr;
        for (auto& c : m_categories) {
            if (c.name == e.category) {
                home = &c;
                break;
            }
        }
        if (!home) {
            m_categories.push_back({e.category, {}});
            home = &m_categories.back();
        }
        home->members.push_back({e.name, t});
    }
}

}  // namespace quendar::mission
