#pragma once

#include <string>
#include <vector>

#include "core/Prompter.h"

namespace quendar::mission {
class CraftList;
}

namespace quendar::shipgroup {

// Where a craft type sits in the catalogue: the first entry, walking the
// categories in order, whose code equals the type.
struct CatalogueSpot {
    int category = -1;
    int entry = -1;
    bool found() const { return category >= 0 && entry >= 0; }
};

// The catalogue lookup the Basic, Options and wizard forms share. When the
// type is in no category it tells the user "Ship is not in the database".
CatalogueSpot lookUpCraft(const mission::CraftList* crafts, int craftType,
                          core::Prompter& prompter);

std::vector<std::string> categoryNames(const mission::CraftList* crafts);
std::string categoryName(const mission::CraftList* crafts, int category);
// The craft names of one category and the code of one of its entries (-1 when
// there is no such entry).
std::vector<std::string> craftNamesIn(const mission::CraftList* crafts, int category);
int craftCodeAt(const mission::CraftList* crafts, int category, int entry);
// The 255 craft-type names in code order (the "Ship type" subject list).
std::vector<std::string> allCraftNames(const mission::CraftList* crafts);
std::string craftName(const mission::CraftList* crafts, int craftType);
std::string flyabilityLabel(const mission::CraftList* crafts, int craftType);

}  // namespace quendar::shipgroup
