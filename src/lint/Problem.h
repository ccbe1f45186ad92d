#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "briefing/BriefingKinds.h"
#include "mission/MissionStore.h"

namespace quendar::lint {

// Error: the game will misbehave. Warning: probably unintended, or a value
// whose effect in the game nobody knows.
enum class Severity : uint8_t { Error, Warning };

// What a problem sits in, in the order the list shows them.
enum class Area : uint8_t { Shipgroup, Message, GlobalGoal, Briefing };

// A field's name, held inside the problem so that a list of thousands needs
// no allocation: "region1.order2.target3", "team10.secondary.goal4.subjectType".
// Longer names are cut at kCapacity characters.
class FieldName {
  public:
    static constexpr size_t kCapacity = 39;

    FieldName() = default;
    FieldName(std::string_view s) { append(s); }
    FieldName(const char* s) : FieldName(std::string_view(s)) {}
    FieldName(const std::string& s) : FieldName(std::string_view(s)) {}

    // Inline: a list of thousands builds its names here.
    FieldName& append(std::string_view s) {
        const size_t n = std::min(s.size(), kCapacity - m_size);
        std::memcpy(m_chars.data() + m_size, s.data(), n);
        m_size = static_cast<uint8_t>(m_size + n);
        return *this;
    }
    FieldName& append(int number) {
        if (number >= 0 && number < 10) {
            const char digit = static_cast<char>('0' + number);
            return append(std::string_view(&digit, 1));
        }
        char digits[12];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        return append(std::string_view(digits, static_cast<size_t>(end - digits)));
    }

    std::string_view view() const { return {m_chars.data(), m_size}; }
    std::string str() const { return std::string(view()); }
    bool empty() const { return m_size == 0; }
    bool operator==(const FieldName& o) const { return view() == o.view(); }

  private:
    std::array<char, kCapacity> m_chars{};
    uint8_t m_size = 0;
};
std::string operator+(std::string s, const FieldName& f);
std::ostream& operator<<(std::ostream& os, const FieldName& f);

// Where a problem sits. `index` is the shipgroup number, the message index,
// the global goal (team, kind, goal) as ((team * 3 + kind) * 4 + goal), or
// for the briefing the command's time (-1 for the briefing as a whole).
// `offset` is the field's byte offset in its record (shipgroup, message,
// global goal record); for the briefing the command's kind.
struct Location {
    Area area = Area::Shipgroup;
    int index = -1;
    int offset = -1;
    int command = -1;  // briefing: position in its kind's list
    int region = -1;   // shipgroup: the region the field belongs to, if any
    int slot = -1;     // shipgroup: the order slot the field belongs to, if any
    FieldName field;   // "region1.order1.target1", "trigger2.subject", "BRC_TAG3"

    bool operator==(const Location&) const = default;
};

// A one-step correction: bytes written into a record, or a briefing command
// taken out. `label` names the action in the panel and in Edit > Undo.
struct Fix {
    enum class Kind { SetBytes, RemoveCommand };
    Kind kind = Kind::SetBytes;
    std::string_view label;
    mission::Table table = mission::Table::Shipgroups;
    int slot = 0;
    int offset = 0;
    std::array<uint8_t, 2> bytes{};
    int byteCount = 0;
    briefing::Kind command = briefing::BRC_SKIP;
    int commandIndex = -1;
    // Two bytes apart (a reference's type and number that do not stand side
    // by side): the second byte goes to this offset instead of the next one.
    int secondOffset = -1;

    bool operator==(const Fix&) const = default;
};

// A problem's sentence, kept as its pattern and up to three numbers and
// written out only when shown: "%0".."%2" stand for the numbers, "%s1" for an
// "s" unless number 1 is 1. The pattern is a string literal.
struct Text {
    Text() = default;
    Text(const char* p, std::array<int, 3> a = {}, std::shared_ptr<const std::string> w = {})
        : pattern(p), args(a), words(std::move(w)) {}

    const char* pattern = "";
    std::array<int, 3> args{};
    // "%w": words only known when the rule runs (the chain a "never" comes
    // from); shared, so that copying a problem stays cheap.
    std::shared_ptr<const std::string> words;

    std::string str() const;
    bool operator==(const Text& o) const;
};

struct Problem {
    std::string_view code;  // "Q101"
    Severity severity = Severity::Error;
    Location location;
    Text text;
    std::optional<Fix> fix;

    bool operator==(const Problem&) const = default;
};

// One rule: its stable code, its severity and the sentence `--rules` prints.
struct Rule {
    std::string_view code;
    Severity severity;
    std::string_view sentence;
};

const std::vector<Rule>& rules();
const Rule* findRule(std::string_view code);

std::string_view severityName(Severity s);  // "error", "warning"
// "shipgroup #3 \"Red Wing\" orders[1][0].target1", "message 2 text",
// "global goal team 1 primary goal 2 subject", "briefing BRC_TAG1 2 at 140"
// (the second tag 1 command).
std::string locationText(const Location& location, const mission::MissionStore& store);
// "CODE severity location: text"
std::string problemLine(const Problem& p, const mission::MissionStore& store);

// Sorts by location (area, index, field, command), then by code.
void sortProblems(std::vector<Problem>& problems);

struct Counts {
    int errors = 0;
    int warnings = 0;
};
Counts countProblems(const std::vector<Problem>& problems);
// "2 errors, 5 warnings", "1 error, 0 warnings", "No problems".
std::string countsText(const Counts& counts);

}  // namespace quendar::lint
