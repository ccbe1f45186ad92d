#pragma once

namespace quendar::mission {

// A team's 368-byte global goal record: two bytes the writer sets (3, 0), then
// one 122-byte block per goal kind (primary, prevent, secondary). Inside a
// block: the four goal triggers, the three joins and the points.
namespace goal {
constexpr int size = 368;
constexpr int writerBytes = 0, writerWidth = 2;
constexpr int blockStart = 2, blockSize = 122, kinds = 3;
constexpr int blockOffset(int kind) { return blockStart + kind * blockSize; }
constexpr int triggerOffsets[4] = {0, 6, 16, 22};
constexpr int join12 = 14, join34 = 30, joinPairs = 49;
constexpr int points = 51, pointsStep = 25;  // the points shown are the byte times 25
constexpr int textLimit = 63;
}  // namespace goal

}  // namespace quendar::mission
