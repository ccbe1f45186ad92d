#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quendar::briefing {

// The briefing command kinds that have a list, numbered in the order of their
// command codes. The end command (code 34) has no list: its time is the
// briefing end time.
enum Kind : int {
    BRC_SKIP,
    BRC_LOWER,
    BRC_MOVEMAP,
    BRC_ZOOM,
    BRC_CLEARSEL,
    BRC_SELECT1,
    BRC_SELECT2,
    BRC_SELECT3,
    BRC_SELECT4,
    BRC_SELECT5,
    BRC_SELECT6,
    BRC_SELECT7,
    BRC_SELECT8,
    BRC_CLEARTAGS,
    BRC_TAG1,
    BRC_TAG2,
    BRC_TAG3,
    BRC_TAG4,
    BRC_TAG5,
    BRC_TAG6,
    BRC_TAG7,
    BRC_TAG8,
    BRC_SHOW,
    BRC_TECH,
    BRC_COORD,
    BRC_ORIENT,
    BRC_REGION,
};
constexpr int kKindCount = 27;
constexpr int kEndCode = 34;  // BRC_END
constexpr int kMaxParams = 4;

// How a parameter word is held and written. Plain parameters keep only their
// low byte in the file (the high byte is written as 0); coordinates and zoom
// values are written whole, coordinates being signed.
enum class ParamForm : uint8_t { None, Byte, Signed, Unsigned };

struct KindInfo {
    int code;
    std::string_view name;        // "BRC_SKIP"
    std::string_view kindName;    // the entry of the "Delete commands" list
    std::string_view statusText;  // the "Current Briefing Command" pane
    int paramCount;
    std::array<ParamForm, kMaxParams> params;
    int capacity;
};

const KindInfo& kindInfo(Kind kind);
constexpr bool isKind(int k) { return k >= 0 && k < kKindCount; }
// The kind whose command code is `code` (only the low byte of a code word is
// looked at by the reader); none for the end command and unknown codes.
std::optional<Kind> kindOfCode(int code);
// Bytes one command of this kind takes in the event area (4 to 12).
inline int encodedSize(Kind kind) { return 4 + 2 * kindInfo(kind).paramCount; }

constexpr Kind selectKind(int slot) { return static_cast<Kind>(BRC_SELECT1 + slot - 1); }  // 1..8
constexpr Kind tagKind(int slot) { return static_cast<Kind>(BRC_TAG1 + slot - 1); }        // 1..8

// The order in which the saver scans the lists. Among commands of equal time
// the one scanned last is written first.
inline constexpr std::array<Kind, kKindCount> kSaveScanOrder = {
    BRC_SELECT1, BRC_SELECT2, BRC_SELECT3,   BRC_SELECT4,  BRC_SELECT5, BRC_SELECT6, BRC_SELECT7,
    BRC_SELECT8, BRC_TAG1,    BRC_TAG2,      BRC_TAG3,     BRC_TAG4,    BRC_TAG5,    BRC_TAG6,
    BRC_TAG7,    BRC_TAG8,    BRC_CLEARTAGS, BRC_CLEARSEL, BRC_LOWER,   BRC_COORD,   BRC_ORIENT,
    BRC_SHOW,    BRC_REGION,  BRC_TECH,      BRC_MOVEMAP,  BRC_ZOOM,    BRC_SKIP,
};
// The order of `commandsAt`, used by the "Delete commands at current
// time-position" form.
inline constexpr std::array<Kind, kKindCount> kListingOrder = {
    BRC_LOWER,   BRC_SHOW,    BRC_COORD,   BRC_ORIENT,  BRC_SELECT1,   BRC_SELECT2,  BRC_SELECT3,
    BRC_SELECT4, BRC_SELECT5, BRC_SELECT6, BRC_SELECT7, BRC_SELECT8,   BRC_TAG1,     BRC_TAG2,
    BRC_TAG3,    BRC_TAG4,    BRC_TAG5,    BRC_TAG6,    BRC_TAG7,      BRC_TAG8,     BRC_MOVEMAP,
    BRC_ZOOM,    BRC_REGION,  BRC_TECH,    BRC_SKIP,    BRC_CLEARTAGS, BRC_CLEARSEL,
};

// The list an undo log entry names: 1 BRC_COORD, 2 BRC_ORIENT, 3 BRC_SHOW,
// 4 BRC_TECH, 5..12 BRC_SELECT1..8, 13..20 BRC_TAG1..8; none for other kinds,
// whose entries only move the log's position.
std::optional<Kind> kindOfUndoEntry(int undoKind);

// Briefing time base: one unit is 1/14 second. All conversions truncate
// toward zero, computed in double precision (so 3000 units show as 212
// seconds but 213 seconds give 3000 units). Results outside the int range are
// clamped.
int unitsToSeconds(int64_t units);
int secondsToUnits(double seconds);
int unitsToHundredths(int64_t units);

}  // namespace quendar::briefing
