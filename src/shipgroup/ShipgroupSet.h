#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "mission/MissionStore.h"

namespace quendar::mission {
class CraftList;
}

namespace quendar::shipgroup {

// Shipgroups taken out of one mission to be put into another (or the same):
// each record with its goal and order texts, the numbers they had, and which
// open mission they came from, so that references among them can follow them
// and references to the rest can be kept where they still mean the same.
struct ShipgroupSet {
    struct Member {
        int number = 0;                   // in the mission it came from
        std::vector<uint8_t> record;      // the whole shipgroup record
        std::vector<uint8_t> goalTexts;   // 8 goals x 3 texts, one short string each
        std::vector<uint8_t> orderTexts;  // 4 regions x 4 orders, one short string each
    };
    // The open mission the set came from, as it was when taken, or just after
    // the cut (see ShipgroupClipboard); empty: none.
    std::string source;
    // The members were cut: in `source` the shipgroups behind them have moved
    // down, and a reference to one of those counts lower.
    bool cut = false;
    std::vector<Member> members;  // in list order
};

// The set of shipgroups `numbers` (ascending, each below the count).
ShipgroupSet takeSet(const mission::MissionStore& store, std::span<const int> numbers,
                     std::string source);

// The private clipboard form and back. Anything that is not a well-formed set
// (wrong tag, sizes, numbers repeated or out of range) reads as nothing.
std::vector<uint8_t> encodeSet(const ShipgroupSet& set);
std::optional<ShipgroupSet> decodeSet(std::span<const uint8_t> bytes);

// One readable line per shipgroup of `numbers`: number, name, craft, count,
// IFF, team and start point 1 (km, region).
std::string describeShipgroups(const mission::MissionStore& store, std::span<const int> numbers,
                               const mission::CraftList* crafts);

// "7 Red Lance: 3 x Kestrel, IFF Rebel, team Blue" for shipgroup i of a store.
std::string shipgroupSummary(const mission::MissionStore& store, int shipgroup,
                             const mission::CraftList* crafts);

// Most shipgroups a paste may fill the mission to.
constexpr int kMaxPastedShipgroups = 200;

struct PasteOutcome {
    bool pasted = false;
    int first = 0;  // number of the first pasted shipgroup
    int count = 0;
    int cleared = 0;  // references to shipgroups outside the set made "None"
};

// Appends the set after the last shipgroup. References among the members
// follow them to their new numbers; references to other shipgroups are kept
// only when `target` is `source`, unchanged (so the shipgroup they name is
// certainly the one meant), otherwise cleared as a deletion clears them. Refuses (nothing
// written) when the members do not all fit under kMaxPastedShipgroups. The
// shipgroup count follows; the header's count, events and current shipgroup
// are the caller's.
PasteOutcome pasteSet(mission::MissionStore& store, const ShipgroupSet& set,
                      const std::string& target);

// Removes shipgroups `numbers` (ascending) as Delete selected removes one,
// the highest first.
void removeSet(mission::MissionStore& store, std::span<const int> numbers);

}  // namespace quendar::shipgroup
