#pragma once

#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "briefing/BriefingKinds.h"
#include "briefing/CommandList.h"
#include "text/FieldTable.h"
#include "text/MissionText.h"

namespace quendar::text {

// Pieces of the field-level diff that the three-way merge works with.

// Aligned positions in sequence order (first: A, second: B; -1 on the side
// that lacks the item).
using RecordPairs = std::vector<std::pair<int, int>>;

// The records 0..na-1 of A and 0..nb-1 of B aligned as the diff aligns them:
// records that only moved, or whose references to shipgroups only changed
// numbers, are partners; an inserted record has no partner.
RecordPairs alignRecords(const MissionRef& a, const MissionRef& b, const RecordLayout& l, int na,
                         int nb);

// Any two sequences: `equal` items are matched by their longest common run;
// between two matches, `similar` items, then the rest by position.
RecordPairs alignSequences(int na, int nb, const std::function<bool(int, int)>& equal,
                           const std::function<bool(int, int)>& similar);

// A field's value as a line of the diff shows it: `6 "Depot Vesh"`, `"Korvane Guard"`.
std::string fieldText(const MissionRef& m, const RecordLayout& l, int record, const FlatField& f);
// A record's path, a shipgroup's with its name: `shipgroups[3] "Korvane Guard"`, `messages[0]`.
std::string recordText(const MissionRef& m, const RecordLayout& l, int record);
// A briefing command: `time 14, ship 2, direction 1`.
std::string commandText(const MissionRef& m, briefing::Kind kind, const briefing::Record& r);
// Bytes as a quoted text, escaped as the diff escapes them, and as hex.
std::string quotedText(std::span<const uint8_t> bytes);
std::string hexText(std::span<const uint8_t> bytes);

}  // namespace quendar::text
