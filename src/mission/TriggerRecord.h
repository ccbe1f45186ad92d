#pragma once

namespace quendar::mission {

// The six bytes of a trigger record, as shipgroups (arrival, departure),
// in-flight messages and global goals hold it.
namespace trigger {
constexpr int condition = 0;
constexpr int subjectType = 1;
constexpr int subject = 2;
constexpr int amount = 3;
constexpr int param1 = 4;
constexpr int param2 = 5;
constexpr int size = 6;
}  // namespace trigger

}  // namespace quendar::mission
