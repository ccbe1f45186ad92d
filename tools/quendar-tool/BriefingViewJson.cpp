#include "BriefingViewJson.h"

namespace quendar::tool {

using nlohmann::json;

json briefingViewJson(const briefing::BriefingView& v) {
    json j;
    j["time"] = v.time;
    j["regionTime"] = v.regionTime;
    j["bottomText"] = v.bottomText ? json(*v.bottomText) : json(nullptr);
    j["techData"] = v.techData;
    j["regionScreen"] = v.regionScreen;
    j["ships"] = json::array();
    for (const auto& s : v.ships)
        j["ships"].push_back({{"slot", s.slot},
                              {"craftType", s.craftType},
                              {"iff", s.iff},
                              {"x", s.x},
                              {"y", s.y},
                              {"direction", s.direction}});
    j["selections"] = json::array();
    for (const auto& s : v.selections)
        j["selections"].push_back({{"slot", s.slot}, {"ship", s.ship.slot}});
    j["tags"] = json::array();
    for (const auto& t : v.tags)
        j["tags"].push_back(
            {{"slot", t.slot}, {"tag", t.tag}, {"x", t.x}, {"y", t.y}, {"colour", t.colour}});
    const auto& l = v.lockedView;
    j["lockedView"] = {{"zoom", l.zoom}, {"x", l.x}, {"y", l.y}, {"region", l.region}};
    return j;
}

}  // namespace quendar::tool
