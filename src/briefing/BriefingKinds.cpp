#include "briefing/BriefingKinds.h"

#include <cmath>
#include <limits>

namespace quendar::briefing {

namespace {

using P = ParamForm;
constexpr P N = P::None;
constexpr P B = P::Byte;
constexpr P S = P::Signed;
constexpr P U = P::Unsigned;

// Indexed by Kind.
constexpr std::array<KindInfo, kKindCount> kKinds = {{
    {3, "BRC_SKIP", "''Skip To'' point", "Skip to point", 0, {N, N, N, N}, 500},
    {5, "BRC_LOWER", "Add instruction text", "Add bottom text", 1, {B, N, N, N}, 1000},
    {6, "BRC_MOVEMAP", "Move map to new position", "Moving", 2, {S, S, N, N}, 500},
    {7, "BRC_ZOOM", "Zoom map", "Zooming", 2, {U, U, N, N}, 500},
    {8,
     "BRC_CLEARSEL",
     "Delete selections from the ships",
     "Delete selections",
     0,
     {N, N, N, N},
     500},
    {9, "BRC_SELECT1", "Select a ship using slot 1", "Selection 1", 1, {B, N, N, N}, 500},
    {10, "BRC_SELECT2", "Select a ship using slot 2", "Selection 2", 1, {B, N, N, N}, 500},
    {11, "BRC_SELECT3", "Select a ship using slot 3", "Selection 3", 1, {B, N, N, N}, 500},
    {12, "BRC_SELECT4", "Select a ship using slot 4", "Selection 4", 1, {B, N, N, N}, 500},
    {13, "BRC_SELECT5", "Select a ship using slot 5", "Selection 5", 1, {B, N, N, N}, 500},
    {14, "BRC_SELECT6", "Select a ship using slot 6", "Selection 6", 1, {B, N, N, N}, 500},
    {15, "BRC_SELECT7", "Select a ship using slot 7", "Selection 7", 1, {B, N, N, N}, 500},
    {16, "BRC_SELECT8", "Select a ship using slot 8", "Selection 8", 1, {B, N, N, N}, 500},
    {17, "BRC_CLEARTAGS", "Delete tags from the map", "Delete texts", 0, {N, N, N, N}, 500},
    {18, "BRC_TAG1", "Add tag to map using slot 1", "Text 1", 4, {B, S, S, B}, 500},
    {19, "BRC_TAG2", "Add tag to map using slot 2", "Text 2", 4, {B, S, S, B}, 500},
    {20, "BRC_TAG3", "Add tag to map using slot 3", "Text 3", 4, {B, S, S, B}, 500},
    {21, "BRC_TAG4", "Add tag to map using slot 4", "Text 4", 4, {B, S, S, B}, 500},
    {22, "BRC_TAG5", "Add tag to map using slot 5", "Text 5", 4, {B, S, S, B}, 500},
    {23, "BRC_TAG6", "Add tag to map using slot 6", "Text 6", 4, {B, S, S, B}, 500},
    {24, "BRC_TAG7", "Add tag to map using slot 7", "Text 7", 4, {B, S, S, B}, 500},
    {25, "BRC_TAG8", "Add tag to map using slot 8", "Text 8", 4, {B, S, S, B}, 500},
    {26, "BRC_SHOW", "Show ship on the map", "Ship change", 3, {B, B, B, N}, 500},
    {27, "BRC_TECH", "Show/Hide technical data", "Technical data", 2, {B, B, N, N}, 500},
    {28, "BRC_COORD", "Move ship on the map", "New coordinates", 3, {B, S, S, N}, 1000},
    {29, "BRC_ORIENT", "Set new direction for a ship", "New orientation", 2, {B, B, N, N}, 500},
    {30, "BRC_REGION", "Change to another region", "Changing region", 1, {B, N, N, N}, 500},
}};

// Code low byte -> kind + 1 (0 = not a list command).
constexpr std::array<int8_t, 256> buildCodeIndex() {
    std::array<int8_t, 256> index{};
    for (int k = 0; k < kKindCount; ++k) index[kKinds[k].code] = static_cast<int8_t>(k + 1);
    return index;
}
constexpr std::array<int8_t, 256> kCodeIndex = buildCodeIndex();

int clampToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);  // truncates toward zero
}

}  // namespace

const KindInfo& kindInfo(Kind kind) {
    // An out-of-range kind is a programming error; answer with a harmless
    // entry rather than reading outside the table.
    return isKind(kind) ? kKinds[kind] : kKinds[BRC_SKIP];
}

std::optional<Kind> kindOfCode(int code) {
    if (code < 0 || code > 255 || kCodeIndex[code] == 0) return std::nullopt;
    return static_cast<Kind>(kCodeIndex[code] - 1);
}

std::optional<Kind> kindOfUndoEntry(int undoKind) {
    switch (undoKind) {
        case 1: return BRC_COORD;
        case 2: return BRC_ORIENT;
        case 3: return BRC_SHOW;
        case 4: return BRC_TECH;
        default: break;
    }
    if (undoKind >= 5 && undoKind <= 12) return selectKind(undoKind - 4);
    if (undoKind >= 13 && undoKind <= 20) return tagKind(undoKind - 12);
    return std::nullopt;
}

int unitsToSeconds(int64_t units) { return clampToInt(static_cast<double>(units) * 0.071); }

int secondsToUnits(double seconds) { return clampToInt(seconds * 14.084507042253522); }

int unitsToHundredths(int64_t units) { return clampToInt(static_cast<double>(units) * 7.1); }

}  // namespace quendar::briefing
