#pragma once

#include <functional>
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

// What a reference to a shipgroup becomes: the number it names from now on, or
// kClearReference, which makes it "None" exactly as a deletion does.
constexpr int kClearReference = -1;
using ReferenceMap = std::function<int(int number)>;

// Rewrites every reference that shipgroup `slot` holds to a shipgroup (its
// arrival and departure triggers, its motherships "Hangar", its order targets
// and a "Drop off" order's deployed group) through `map`. Returns how many
// references were cleared.
int remapReferences(mission::MissionStore& store, int slot, const ReferenceMap& map);

// The same over the triggers that live outside the shipgroup records: the
// global goals of every team and the triggers of the mission's messages.
int remapOutsideReferences(mission::MissionStore& store, const ReferenceMap& map);

// Takes shipgroup `d` out of the list: the records behind it (and their goal
// and order texts) move down, references are renumbered as Delete selected
// does, the freed last slot gets the empty record. No question, no events.
void removeShipgroup(mission::MissionStore& store, int d);

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
    void finishDeletion();

    const ShipgroupContext& m_ctx;
};

}  // namespace quendar::shipgroup
