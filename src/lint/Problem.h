#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "briefing/BriefingKinds.h"
#include "mission/MissionStore.h"

namespace quendar::lint {

// Error: the game will misbehave. Warning: probably unintended, or a value
// whose effect in the game nobody knows.
enum class Severity { Error, Warning };

// What a problem sits in, in the order the list shows them.
enum class Area { Shipgroup, Message, GlobalGoal, Briefing };

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
    std::string field;  // "orders[1][0].target1", "trigger2.subject", "BRC_TAG3"

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

    bool operator==(const Fix&) const = default;
};

struct Problem {
    std::string_view code;  // "Q101"
    Severity severity = Severity::Error;
    Location location;
    std::string text;
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
// "global goal team 1 primary goal 2 subject", "briefing BRC_TAG1 at 140".
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
