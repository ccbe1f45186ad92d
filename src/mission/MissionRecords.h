#pragma once

namespace quendar::mission {

// The header: the format number, the two counts the writer sets (their low
// bytes) and the names of IFF 2..5.
namespace header {
constexpr int formatNumber = 0;
constexpr int shipgroupCount = 2, messageCount = 4;
constexpr int iffNames = 20, iffNameWidth = 20, iffNameCount = 4;
}  // namespace header

// A special cargo record: its name, then bytes no editor touches.
namespace cargo {
constexpr int name = 0, nameWidth = 20;
}  // namespace cargo

// The mission options block.
namespace options {
constexpr int startingHangar = 0;
}  // namespace options

// A 487-byte team record: its name and the six lines of its end messages.
namespace team {
constexpr int name = 2, nameWidth = 20;
constexpr int messageWidth = 64;
constexpr int victoryMessage1 = 36, victoryMessage2 = 100;
constexpr int failureMessage1 = 164, failureMessage2 = 228;
constexpr int outstandingMessage1 = 292, outstandingMessage2 = 356;
}  // namespace team

}  // namespace quendar::mission
