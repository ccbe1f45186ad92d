#include "mission/ShipgroupTexts.h"

namespace quendar::mission {

void clearShipgroupTexts(MissionStore& store, int shipgroup) {
    for (int g = 0; g < 8; ++g)
        for (int k = 0; k < 3; ++k) {
            store.fillBytes(Table::ShipgroupGoalStrings, shipgroupGoalStringIndex(shipgroup, g, k),
                            0, kShortStringSize, 0);
        }
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k) {
            store.fillBytes(Table::OrderStrings, orderStringIndex(shipgroup, r, k), 0,
                            kShortStringSize, 0);
        }
}

}  // namespace quendar::mission
