#include "shipgroup/CraftCatalogue.h"

#include "mission/CraftList.h"

namespace quendar::shipgroup {

CatalogueSpot lookUpCraft(const mission::CraftList* crafts, int craftType,
                          core::Prompter& prompter) {
    if (crafts) {
        const auto& cats = crafts->categories();
        for (size_t c = 0; c < cats.size(); ++c)
            for (size_t e = 0; e < cats[c].members.size(); ++e)
                if (cats[c].members[e].craftType == craftType)
                    return {static_cast<int>(c), static_cast<int>(e)};
    }
    prompter.tell("Ship is not in the database", "Unknown shiptype");
    return {};
}

std::vector<std::string> categoryNames(const mission::CraftList* crafts) {
    std::vector<std::string> out;
    if (crafts)
        for (const auto& c : crafts->categories()) out.push_back(c.name);
    return out;
}

std::string categoryName(const mission::CraftList* crafts, int category) {
    if (!crafts || category < 0 || category >= static_cast<int>(crafts->categories().size()))
        return {};
    return crafts->categories()[category].name;
}

std::vector<std::string> craftNamesIn(const mission::CraftList* crafts, int category) {
    std::vector<std::string> out;
    if (!crafts || category < 0 || category >= static_cast<int>(crafts->categories().size()))
        return out;
    for (const auto& m : crafts->categories()[category].members) out.push_back(m.name);
    return out;
}

int craftCodeAt(const mission::CraftList* crafts, int category, int entry) {
    if (!crafts || category < 0 || category >= static_cast<int>(crafts->categories().size()))
        return -1;
    const auto& members = crafts->categories()[category].members;
    if (entry < 0 || entry >= static_cast<int>(members.size())) return -1;
    return members[entry].craftType;
}

std::vector<std::string> allCraftNames(const mission::CraftList* crafts) {
    std::vector<std::string> out;
    out.reserve(mission::kCraftTypes);
    for (int t = 0; t < mission::kCraftTypes; ++t) out.push_back(craftName(crafts, t));
    return out;
}

std::string craftName(const mission::CraftList* crafts, int craftType) {
    return crafts ? crafts->name(craftType) : std::string();
}

std::string flyabilityLabel(const mission::CraftList* crafts, int craftType) {
    return crafts ? crafts->flyability(craftType) : std::string();
}

}  // namespace quendar::shipgroup
