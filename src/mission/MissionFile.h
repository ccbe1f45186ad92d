#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "mission/FileIO.h"
#include "mission/MissionStore.h"

namespace quendar::mission {

// Section sizes that the reader and the writer share.
constexpr size_t kHeaderEnd = 9200;  // sections 1..6
constexpr size_t kGapBytes = 720;    // written between the order strings and the three texts
constexpr size_t kTailTexts = 3 * kLongTextSize;

struct ReadReport {
    size_t fileSize = 0;
    // Bytes the reader took from beyond the end of the file (they read as 255).
    size_t bytesPastEnd = 0;
    // The three texts found from the end overlap the sections before them.
    bool textsOverlap = false;
    bool shortFile() const { return bytesPastEnd > 0 || textsOverlap; }
};

// Fills the store's tables from a whole mission file held in memory. The store
// is expected to be in the new-mission state: slots behind the file's counts
// keep what they hold. Bytes read beyond the end of the buffer arrive as 255.
// Only the low bytes of the two header counts are used; the counters beside
// the tables are set from them. Briefing 1's block is copied raw; unpacking it
// is the briefing model's job.
ReadReport readMission(std::span<const uint8_t> file, MissionStore& store);

// Builds the whole file image from the store. The two counters are copied into
// the header's low count bytes first (the high bytes stay as read). Briefing
// 1's block must already be packed.
std::vector<uint8_t> writeMission(MissionStore& store);
// The same, streamed into a sink (a file being written, for one).
void writeMission(MissionStore& store, ByteSink& out);

// Size of the file that writeMission would produce.
size_t missionFileSize(const MissionStore& store);

}  // namespace quendar::mission
