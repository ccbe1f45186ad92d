#pragma once

namespace quendar::mission {

// Byte offsets inside a 162-byte in-flight message record.
namespace msg {
constexpr int size = 162;
constexpr int number = 0;
constexpr int text = 2, textWidth = 64, textLimit = 63;
constexpr int teams = 82, teamCount = 8;  // teams 1..8, one byte each
constexpr int triggers[4] = {92, 98, 108, 114};
constexpr int join12 = 106, join34 = 122, joinConditions = 124;
constexpr int delaySeconds = 140, delayMinutes = 141, colour = 142;
constexpr int noteLimit = 99, noteSlots = 64;
}  // namespace msg

}  // namespace quendar::mission
