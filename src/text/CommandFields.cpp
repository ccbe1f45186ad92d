#include "text/CommandFields.h"

#include <algorithm>

#include "briefing/BriefingModel.h"

namespace quendar::text {

using namespace briefing;

std::span<const ParamName> commandParams(Kind kind) {
    static constexpr ParamName kLower[] = {{"text"}};
    static constexpr ParamName kMove[] = {{"x"}, {"y"}};
    static constexpr ParamName kZoom[] = {{"zoomX"}, {"zoomY"}};
    static constexpr ParamName kSelect[] = {{"ship"}};
    static constexpr ParamName kTag[] = {{"tag"}, {"x"}, {"y"}, {"colour", Codes::Iff}};
    static constexpr ParamName kShow[] = {
        {"ship"}, {"craftType", Codes::CraftType}, {"iff", Codes::Iff}};
    static constexpr ParamName kTech[] = {{"on"}, {"ship"}};
    static constexpr ParamName kCoord[] = {{"ship"}, {"x"}, {"y"}};
    static constexpr ParamName kOrient[] = {{"ship"}, {"direction"}};
    static constexpr ParamName kRegion[] = {{"region"}};
    switch (kind) {
        case BRC_LOWER: return kLower;
        case BRC_MOVEMAP: return kMove;
        case BRC_ZOOM: return kZoom;
        case BRC_SHOW: return kShow;
        case BRC_TECH: return kTech;
        case BRC_COORD: return kCoord;
        case BRC_ORIENT: return kOrient;
        case BRC_REGION: return kRegion;
        default:
            if (kind >= BRC_SELECT1 && kind <= BRC_SELECT8) return kSelect;
            if (kind >= BRC_TAG1 && kind <= BRC_TAG8) return kTag;
            return {};
    }
}

std::optional<Kind> kindNamed(std::string_view name) {
    for (int k = 0; k < kKindCount; ++k)
        if (kindInfo(static_cast<Kind>(k)).name == name) return static_cast<Kind>(k);
    return std::nullopt;
}

int packedEventBytes(const BriefingModel& model) {
    int bytes = kEndCommandSize;
    for (int k = 0; k < kKindCount; ++k) {
        for (const Record& r : model.records(static_cast<Kind>(k)))
            if (r.time >= 0 && r.time < kWrittenMark) bytes += encodedSize(static_cast<Kind>(k));
    }
    // A full area is cut before the first command that does not fit, at most
    // one command (12 bytes) before its end.
    return bytes <= kEventAreaSize ? bytes : kEventAreaSize - 12;
}

std::vector<CommandAt> commandsInTextOrder(const BriefingModel& model) {
    std::vector<CommandAt> out;
    for (int r = 0; r < kKindCount; ++r) {
        const Kind kind = kSaveScanOrder[static_cast<size_t>(kKindCount - 1 - r)];
        const auto recs = model.records(kind);
        for (int i = 0; i < static_cast<int>(recs.size()); ++i)
            out.push_back({recs[static_cast<size_t>(i)].time, r, kind, i});
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const CommandAt& a, const CommandAt& b) { return a.time < b.time; });
    return out;
}

}  // namespace quendar::text
