#pragma once

#include "mission/MissionStore.h"

namespace quendar::mission {

// Empties the goal and order texts of one shipgroup slot.
void clearShipgroupTexts(MissionStore& store, int shipgroup);

}  // namespace quendar::mission
