#pragma once

// Every place that names one shipgroup: exactly the fields a deletion of that
// shipgroup renumbers or clears.
#include <string>
#include <vector>

#include "mission/MissionStore.h"

namespace quendar::flow {

enum class ReferenceKind : uint8_t {
    ArrivalTrigger,
    DepartureTrigger,
    ArrivalMothership,
    DepartureMothership,
    OrderTarget,
    DropOff,
    GlobalGoal,
    Message,
};

struct Reference {
    ReferenceKind kind = ReferenceKind::ArrivalTrigger;
    mission::Table table = mission::Table::Shipgroups;
    int slot = 0;                 // the shipgroup, message or team whose record holds it
    int offset = 0;               // the byte that holds the number
    int which = 0;                // the trigger, method pair or target, from 0
    int region = -1, order = -1;  // order targets and drop-offs
    int goalKind = -1;            // global goals: primary, prevent, secondary
};

// In the order of the records: shipgroups (triggers, motherships, orders),
// then the global goals team by team, then the messages.
std::vector<Reference> findReferences(const mission::MissionStore& store, int shipgroup);

// "arrival.trigger2.subject", "region1.order2.target3", "team1.primary.goal4.subject".
std::string referenceField(const Reference& r);
// "arrival trigger", "order target", "mothership" ...
std::string referenceWhat(const Reference& r);

}  // namespace quendar::flow
