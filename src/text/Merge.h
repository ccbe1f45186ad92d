#pragma once

#include <string>
#include <vector>

#include "text/MissionText.h"

namespace quendar::text {

// A field both sides changed differently: its path and the three values as
// the diff shows them. The merged mission holds ours.
struct Conflict {
    std::string path;  // "shipgroups[3] \"Korvane Guard\" .orders[0][0].target1"
    std::string base, ours, theirs;
    // `path: base 6 "Depot Vesh", ours 4 "Blade Ring", theirs 7 "Late Picket"`
    std::string text() const;
};

struct MergeOutcome {
    std::vector<Conflict> conflicts;
    // Set when nothing could be merged (the merged mission would not fit);
    // the target is then left as it was.
    std::string error;
};

// Where the merge goes: a store and the briefing model bound to it. Its
// tables, counts and briefing lists are replaced; the rest of the editor state
// (path, journal) is left alone.
struct MergeTarget {
    mission::MissionStore& store;
    briefing::BriefingModel& briefing;
};

// The three-way merge of two missions that grew from one base, field by
// field. Shipgroups and messages are aligned with the base as the diff aligns
// them; records inserted on either side are kept (ours first), and every
// reference to a shipgroup follows it to its merged number as Paste and Delete
// renumber. A field takes the side that changed it; different changes on both
// sides are a conflict and keep ours, and so is a record deleted on one side
// and changed on the other. Bytes no field names merge byte by byte; briefing
// commands merge per kind as lists of (time, parameters).
MergeOutcome mergeMissions(const MissionRef& base, const MissionRef& ours, const MissionRef& theirs,
                           MergeTarget out);

}  // namespace quendar::text
