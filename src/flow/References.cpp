// The walk follows the deletion's own (shipgroup/ShipgroupList.cpp): the same
// fields, the same types that make a number a shipgroup.
#include "flow/References.h"

#include <algorithm>

#include "mission/ShipgroupRecord.h"
#include "settings/GlobalGoalsForm.h"
#include "settings/MessagesForm.h"
#include "shipgroup/CodeTables.h"
#include "shipgroup/ShipgroupList.h"

namespace quendar::flow {

namespace {

using mission::Table;
namespace sg = mission::sg;
namespace msg = settings::msg;
namespace goal = settings::goal;

const char* const kGoalKinds[3] = {"primary", "prevent", "secondary"};

}  // namespace

std::vector<Reference> findReferences(const mission::MissionStore& s, int d) {
    std::vector<Reference> out;
    const int count = std::clamp(s.shipgroupCount, 0, mission::kMaxShipgroups);
    if (d < 0 || d >= count) return out;
    // A (type, number) pair that names shipgroup d.
    auto pair = [&](Table t, int slot, int typeOffset, int numberOffset, int shipgroupType,
                    Reference r) {
        if (s.byte(t, slot, typeOffset) != shipgroupType || s.byte(t, slot, numberOffset) != d)
            return;
        r.table = t;
        r.slot = slot;
        r.offset = numberOffset;
        out.push_back(r);
    };
    const int triggers[6] = {sg::arrivalTrigger1, sg::arrivalTrigger2,   sg::arrivalTrigger3,
                             sg::arrivalTrigger4, sg::departureTrigger1, sg::departureTrigger2};
    const int targetTypes[4] = {sg::order::target1Type, sg::order::target2Type,
                                sg::order::target3Type, sg::order::target4Type};
    const int targets[4] = {sg::order::target1, sg::order::target2, sg::order::target3,
                            sg::order::target4};
    const int methods[4][2] = {{sg::arrivalMethod1, sg::arrivalMothership1},
                               {sg::arrivalMethod2, sg::arrivalMothership2},
                               {sg::departureMethod1, sg::departureMothership1},
                               {sg::departureMethod2, sg::departureMothership2}};
    for (int i = 0; i < count; ++i) {
        for (int k = 0; k < 6; ++k)
            pair(Table::Shipgroups, i, triggers[k] + 1, triggers[k] + 2,
                 shipgroup::kSubjectFlightgroup,
                 {k < 4 ? ReferenceKind::ArrivalTrigger : ReferenceKind::DepartureTrigger,
                  {},
                  0,
                  0,
                  k < 4 ? k : k - 4});
        for (int k = 0; k < 4; ++k)
            pair(Table::Shipgroups, i, methods[k][0], methods[k][1], shipgroup::kMethodHangar,
                 {k < 2 ? ReferenceKind::ArrivalMothership : ReferenceKind::DepartureMothership,
                  {},
                  0,
                  0,
                  k % 2});
        for (int region = 0; region < 4; ++region) {
            for (int slot = 0; slot < 4; ++slot) {
                const int o = sg::orderOffset(region, slot);
                for (int k = 0; k < 4; ++k)
                    pair(Table::Shipgroups, i, o + targetTypes[k], o + targets[k],
                         shipgroup::kSubjectFlightgroup,
                         {ReferenceKind::OrderTarget, {}, 0, 0, k, region, slot});
                if (d != shipgroup::kNoDeployedShipgroup)
                    pair(Table::Shipgroups, i, o + sg::order::code, o + sg::order::param2,
                         shipgroup::kOrderDropOff,
                         {ReferenceKind::DropOff, {}, 0, 0, 0, region, slot});
            }
        }
    }
    for (int team = 0; team < mission::kTeams; ++team)
        for (int kind = 0; kind < 3; ++kind)
            for (int g = 0; g < 4; ++g) {
                const int at = goal::blockStart + kind * goal::blockSize + goal::triggerOffsets[g];
                pair(Table::GlobalGoals, team, at + 1, at + 2, shipgroup::kSubjectFlightgroup,
                     {ReferenceKind::GlobalGoal, {}, 0, 0, g, -1, -1, kind});
            }
    const int messages = std::clamp(s.messageCount, 0, mission::kMaxMessages);
    for (int m = 0; m < messages; ++m)
        for (int k = 0; k < 4; ++k)
            pair(Table::Messages, m, msg::triggers[k] + 1, msg::triggers[k] + 2,
                 shipgroup::kSubjectFlightgroup, {ReferenceKind::Message, {}, 0, 0, k});
    return out;
}

std::string referenceField(const Reference& r) {
    const std::string n = std::to_string(r.which + 1);
    switch (r.kind) {
        case ReferenceKind::ArrivalTrigger: return "arrival.trigger" + n + ".subject";
        case ReferenceKind::DepartureTrigger: return "departure.trigger" + n + ".subject";
        case ReferenceKind::ArrivalMothership: return "arrival.mothership" + n;
        case ReferenceKind::DepartureMothership: return "departure.mothership" + n;
        case ReferenceKind::OrderTarget:
        case ReferenceKind::DropOff:
            return "region" + std::to_string(r.region + 1) + ".order" +
                   std::to_string(r.order + 1) +
                   (r.kind == ReferenceKind::DropOff ? ".param2" : ".target" + n);
        case ReferenceKind::GlobalGoal:
            return "team" + std::to_string(r.slot + 1) + "." + kGoalKinds[r.goalKind] + ".goal" +
                   n + ".subject";
        case ReferenceKind::Message: return "trigger" + n + ".subject";
    }
    return {};
}

std::string referenceWhat(const Reference& r) {
    switch (r.kind) {
        case ReferenceKind::ArrivalTrigger: return "arrival trigger";
        case ReferenceKind::DepartureTrigger: return "departure trigger";
        case ReferenceKind::ArrivalMothership: return "arrival mothership";
        case ReferenceKind::DepartureMothership: return "departure mothership";
        case ReferenceKind::OrderTarget: return "order target";
        case ReferenceKind::DropOff: return "drop-off";
        case ReferenceKind::GlobalGoal: return "global goal";
        case ReferenceKind::Message: return "message trigger";
    }
    return {};
}

}  // namespace quendar::flow
