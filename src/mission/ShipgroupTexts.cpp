#include "mission/ShipgroupTexts.h"

#include <algorithm>

namespace quendar::mission {

void clearShipgroupTexts(MissionStore& store, int shipgroup) {
    for (int g = 0; g < 8; ++g)
        for (int k = 0; k < 3; ++k) {
            auto t = store.mutableSlot(Table::ShipgroupGoalStrings,
                                       shipgroupGoalStringIndex(shipgroup, g, k));
            std::fill(t.begin(), t.end(), uint8_t{0});
        }
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k) {
            auto t = store.mutableSlot(Table::OrderStrings, orderStringIndex(shipgroup, r, k));
            std::fill(t.begin(), t.end(), uint8_t{0});
        }
}

}  // namespace quendar::mission
