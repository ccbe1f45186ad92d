#pragma once

#include "shipgroup/ShipgroupForm.h"

namespace quendar::shipgroup {

// The items of an order target's list for a target type.
std::vector<std::string> targetItems(const ShipgroupContext& ctx, int targetType);

// "Shipgroup - Orders ...": one of the sixteen orders of the current
// shipgroup at a time, chosen by region and slot.
//
// The waypoint fields write their byte the moment they change, like every
// other control of the program. So nothing typed is ever pending: switching
// region or slot, closing the form or following another shipgroup loses no
// waypoint, and a waypoint always lands in the order it was typed for.
class OrdersForm : public ShipgroupForm {
  public:
    explicit OrdersForm(const ShipgroupContext& ctx);
    int shownRegion() const { return m_region; }
    int shownSlot() const { return m_slot; }

  protected:
    void reload() override;

  private:
    int order(int field) const;  // byte `field` of the shown order
    void setOrder(int field, int value);
    void relabel();
    void addTargetPair(int k, int typeField, int targetField);
    void addWaypoint(int w);
    core::Binding orderByte(int field);  // byte `field` of the shown order

    int m_region = 0;
    int m_slot = 0;
};

// "Shipgroup - Waypoints ...": the four start points of the current shipgroup.
class WaypointsForm : public ShipgroupForm {
  public:
    explicit WaypointsForm(const ShipgroupContext& ctx);
    void receive(ShipgroupEvent event) override;
};

}  // namespace quendar::shipgroup
