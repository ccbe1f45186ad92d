#pragma once

#include <string_view>

#include "shipgroup/ShipgroupContext.h"

namespace quendar::shipgroup {

// The list operations: they keep between 1 and kMaxListedShipgroups
// shipgroups, act on the store at once and broadcast the shipgroup events the
// list forms, the selector and the open forms follow.
constexpr int kMaxListedShipgroups = 199;

// The record a deletion leaves in the slot it frees: "Noname", one craft of
// type 1, no special cargo, nothing specified, AI skill "Novice", every trigger
// "TRUE - No condition", method "Hyperspace".
void writeEmptyShipgroup(mission::MissionStore& store, int slot, int globalUnit);

// Whether the records behind a deleted shipgroup moved down (Delete selected)
// or nothing moved (Delete last).
enum class Shift { Later, None };

// The "Drop off" order's deployed shipgroup once that shipgroup is deleted: no
// shipgroup of the list ever has this number.
constexpr int kNoDeployedShipgroup = 255;

// After shipgroup `deleted` left the list, every reference of the first
// `count` shipgroups to a shipgroup is brought in line: a reference to the
// deleted one becomes "None" (type 0, number 0; a "Drop off" order's deployed
// group becomes kNoDeployedShipgroup); with Shift::Later a reference to a later
// one counts one lower, with Shift::None it stays as it was.
void renumberReferences(mission::MissionStore& store, int count, int deleted, Shift shift);

// The same for the triggers that live outside the shipgroup records: the
// global goals of every team and the triggers of the mission's messages. The
// briefing names its ships by briefing slots, not shipgroups, and is left alone.
void renumberOutsideReferences(mission::MissionStore& store, int deleted, Shift shift);

class ShipgroupList {
  public:
    explicit ShipgroupList(const ShipgroupContext& ctx) : m_ctx(ctx) {}

    // Each returns whether it changed the mission.
    bool select(int index);
    bool add(std::string_view name);
    bool copy();
    bool deleteSelected();
    bool deleteLast();

  private:
    void writeHeaderCount();
    void clearTexts(int slot);
    void moveTexts(int from, int to);
    void finishDeletion();

    const ShipgroupContext& m_ctx;
};

}  // namespace quendar::shipgroup
