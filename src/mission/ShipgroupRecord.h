#pragma once

#include <string>

#include "mission/MissionStore.h"

namespace quendar::mission {

// Byte offsets of the fields inside a 3646-byte shipgroup record. Every form
// and tool addresses the record through these names.
namespace sg {
constexpr int name = 0, nameWidth = 20;
constexpr int additionalInfo1Enable = 20;
constexpr int additionalInfo2Enable = 21;
constexpr int additionalInfo1 = 22;
constexpr int additionalInfo2 = 23;
constexpr int specialCargoIndex = 25;
constexpr int cargo = 40, cargoWidth = 20;
constexpr int comment = 60, commentWidth = 20;
constexpr int specialCargoCraft = 105;
constexpr int specialCargoRandom = 106;
constexpr int craftType = 107;
constexpr int craftCount = 108;
constexpr int status1 = 109;
constexpr int warhead = 110;
constexpr int beam = 111;
constexpr int iff = 112;
constexpr int team = 113;
constexpr int aiSkill = 114;
constexpr int markings = 115;
constexpr int radio = 116;
constexpr int formation = 118;
constexpr int formationDistance = 119;
constexpr int globalGroup = 120;
constexpr int waves = 122;
constexpr int playerCraft = 125;
constexpr int byte129 = 129;  // not edited; a new mission writes 64

// Trigger records are six bytes: condition, subjectType, subject, amount, param1, param2.
constexpr int triggerSize = 6;
constexpr int arrivalTrigger1 = 136;
constexpr int arrivalTrigger2 = 142;
constexpr int arrivalValueA = 148;
constexpr int arrivalValueB = 149;
constexpr int arrivalOr12 = 150;
constexpr int arrivalTrigger3 = 152;
constexpr int arrivalTrigger4 = 158;
constexpr int arrivalValueC = 164;
constexpr int arrivalValueD = 165;
constexpr int arrivalOr34 = 166;
constexpr int arrivalOrConditions = 168;
constexpr int arrivalDelayMinutes = 170;
constexpr int arrivalDelaySeconds = 171;
constexpr int departureTrigger1 = 172;
constexpr int departureTrigger2 = 178;
constexpr int departureValueA = 184;
constexpr int departureValueB = 185;
constexpr int departureOr = 186;
constexpr int departureDelayMinutes = 188;
constexpr int departureDelaySeconds = 189;

// Arrival and departure methods and motherships. Each of the eight settings has
// a byte of its own; the second arrival pair and both departure pairs follow
// the first arrival pair in the same mothership-then-method order.
constexpr int arrivalMothership1 = 194;
constexpr int arrivalMethod1 = 195;
constexpr int arrivalMothership2 = 196;
constexpr int arrivalMethod2 = 197;
constexpr int departureMothership1 = 198;
constexpr int departureMethod1 = 199;
constexpr int departureMothership2 = 200;
constexpr int departureMethod2 = 201;

// Orders: region-major, 4 regions x 4 slots of 148 bytes.
constexpr int orders = 202;
constexpr int orderSize = 148;
constexpr int orderRegionStride = 4 * orderSize;
constexpr int orderWaypoints = 20;  // inside an order record: 8 waypoints of 8 bytes
constexpr int waypointSize = 8;     // x, y, z, enabled: 16 bits each
constexpr int waypointCount = 8, regionCount = 4, ordersPerRegion = 4;
// Inside an order record.
namespace order {
constexpr int code = 0, throttle = 1, param1 = 2, param2 = 3, param3 = 4, param4 = 5;
constexpr int target3Type = 6, target4Type = 7, target3 = 8, target4 = 9, target34Flag = 10;
constexpr int param5 = 11;
constexpr int target1Type = 12, target1 = 13, target2Type = 14, target2 = 15, target12Flag = 16;
constexpr int param6 = 17, param7 = 18, param8 = 19;
}  // namespace order
// Inside a waypoint or a start point: three 16-bit coordinates and the enabled word.
namespace point {
constexpr int x = 0, y = 2, z = 4, enabled = 6;
}  // namespace point
constexpr int orderOffset(int region, int slot) {
    return orders + region * orderRegionStride + slot * orderSize;
}
constexpr int waypointOffset(int region, int slot, int waypoint) {
    return orderOffset(region, slot) + orderWaypoints + waypoint * waypointSize;
}

constexpr int goals = 2826;
constexpr int goalSize = 80, goalCount = 8;
constexpr int goalOffset(int goal) { return goals + goal * goalSize; }
// Inside a goal record (its three texts are kept in a table of their own).
namespace goalField {
constexpr int argument = 0, condition = 1, amount = 2, points = 3, enabled = 4;
}  // namespace goalField

constexpr int startPoints = 3466;  // 4 x (x, y, z, enabled), 16 bits each
constexpr int startPointSize = 8;
constexpr int startPointOffset(int point) { return startPoints + point * startPointSize; }
constexpr int startPointRegion = 3498, startPointCount = 4;  // one byte per start point

constexpr int countermeasure = 3527;
constexpr int status2 = 3529;
constexpr int globalUnit = 3530;
constexpr int optionalWarheads = 3532, optionalWarheadCount = 8;
constexpr int optionalBeams = 3540, optionalBeamCount = 6;
constexpr int optionalCountermeasures = 3546, optionalCountermeasureCount = 3;
constexpr int optionalShipMode = 3550;
constexpr int optionalShipType = 3551;   // 10 bytes
constexpr int optionalShipCount = 3561;  // 10 bytes
constexpr int optionalShipWaves = 3571;  // 10 bytes
constexpr int optionalShipSlots = 10;    // type, count and waves of each
constexpr int backdrop = 3602;
}  // namespace sg

// A position in mission units (1/160 km).
struct Point3 {
    int x = 0;
    int y = 0;
    int z = 0;
    int enabled = 0;  // low byte of the enabled word; 1 = in use
};

// A view of one shipgroup record. Holds no data of its own; every access goes
// through the store's checked byte API. ShipgroupRecord reads and writes;
// ShipgroupView, over a const store, only reads.
template <typename Store>
class BasicShipgroupRecord {
  public:
    BasicShipgroupRecord(Store& store, int index) : m_store(store), m_index(index) {}

    int index() const { return m_index; }
    uint8_t get(int offset) const { return m_store.byte(Table::Shipgroups, m_index, offset); }
    void set(int offset, uint8_t v) { m_store.setByte(Table::Shipgroups, m_index, offset, v); }
    int16_t getSigned16(int offset) const {
        return m_store.signedWord(Table::Shipgroups, m_index, offset);
    }
    void set16(int offset, int value) {
        m_store.setWord(Table::Shipgroups, m_index, offset, static_cast<uint16_t>(value));
    }

    std::string name() const {
        return m_store.text(Table::Shipgroups, m_index, sg::name, sg::nameWidth);
    }
    void setName(std::string_view v) {
        m_store.setText(Table::Shipgroups, m_index, sg::name, sg::nameWidth, v);
    }
    int craftType() const { return get(sg::craftType); }
    int craftCount() const { return get(sg::craftCount); }
    int iff() const { return get(sg::iff); }
    int team() const { return get(sg::team); }
    int playerCraft() const { return get(sg::playerCraft); }

    Point3 startPoint(int k) const { return point(sg::startPointOffset(k)); }
    void setStartPoint(int k, const Point3& p) { setPoint(sg::startPointOffset(k), p); }
    int startPointRegion(int k) const { return get(sg::startPointRegion + k); }
    Point3 waypoint(int region, int slot, int k) const {
        return point(sg::waypointOffset(region, slot, k));
    }
    void setWaypoint(int region, int slot, int k, const Point3& p) {
        setPoint(sg::waypointOffset(region, slot, k), p);
    }

  private:
    Point3 point(int off) const {
        return {getSigned16(off), getSigned16(off + 2), getSigned16(off + 4), get(off + 6)};
    }
    void setPoint(int off, const Point3& p) {
        set16(off, p.x);
        set16(off + 2, p.y);
        set16(off + 4, p.z);
        set(off + 6, static_cast<uint8_t>(p.enabled));  // the high byte stays as read
    }

    Store& m_store;
    int m_index;
};

using ShipgroupRecord = BasicShipgroupRecord<MissionStore>;
using ShipgroupView = BasicShipgroupRecord<const MissionStore>;

}  // namespace quendar::mission
