#include "shipgroup/ShipgroupList.h"

#include <algorithm>
#include <string>

#include "core/ActionGroups.h"
#include "mission/ChangeJournal.h"
#include "mission/NewMission.h"
#include "mission/ShipgroupRecord.h"
#include "mission/ShipgroupTexts.h"
#include "shipgroup/CodeTables.h"

namespace quendar::shipgroup {

using mission::MissionStore;
using mission::Table;
namespace sg = mission::sg;

namespace {
constexpr int kHeaderShipgroupCount = 2;

// Order record fields that name targets: (type, target).
constexpr int kTargetPairs[4][2] = {{12, 13}, {14, 15}, {6, 8}, {7, 9}};
constexpr int kOrderParam2 = 3;

// Rewrites one (type, number) pair through `map`; `shipgroupType` is the type
// value that makes the number a shipgroup. A cleared pair becomes "None".
int remapPair(MissionStore& s, int slot, int typeOffset, int numberOffset, int shipgroupType,
              const ReferenceMap& map, Table table = Table::Shipgroups) {
    if (s.byte(table, slot, typeOffset) != shipgroupType) return 0;
    const int number = s.byte(table, slot, numberOffset);
    const int to = map(number);
    if (to == kClearReference) {
        s.setByte(table, slot, typeOffset, 0);
        s.setByte(table, slot, numberOffset, 0);
        return 1;
    }
    if (to != number) s.setByte(table, slot, numberOffset, static_cast<uint8_t>(to));
    return 0;
}

// What a deletion does to a reference: the deleted shipgroup's become "None";
// later numbers count one lower only when the records behind it moved down.
ReferenceMap afterDeletion(int deleted, Shift shift) {
    return [deleted, shift](int number) {
        if (number == deleted) return kClearReference;
        return number > deleted && shift == Shift::Later ? number - 1 : number;
    };
}

void moveTexts(MissionStore& s, int from, int to) {
    for (int g = 0; g < 8; ++g)
        for (int k = 0; k < 3; ++k)
            s.copySlot(Table::ShipgroupGoalStrings, mission::shipgroupGoalStringIndex(from, g, k),
                       mission::shipgroupGoalStringIndex(to, g, k));
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k)
            s.copySlot(Table::OrderStrings, mission::orderStringIndex(from, r, k),
                       mission::orderStringIndex(to, r, k));
}

// Trigger records outside the shipgroup table: the four triggers of each goal
// kind of each team's global goals, and the four triggers of each message.
constexpr int kGlobalGoalBlock = 2, kGlobalGoalBlockSize = 122;
constexpr int kGlobalGoalTriggers[] = {0, 6, 16, 22};
constexpr int kMessageTriggers[] = {92, 98, 108, 114};
}  // namespace

void writeEmptyShipgroup(MissionStore& store, int slot, int globalUnit) {
    if (store.slot(Table::Shipgroups, slot).empty()) return;
    mission::setEmptyShipgroup(store, slot);
    // A new mission makes its groups "Veteran"; a slot freed by a deletion
    // starts at "Novice".
    store.setByte(Table::Shipgroups, slot, sg::aiSkill, 0);
    store.setByte(Table::Shipgroups, slot, sg::globalUnit, static_cast<uint8_t>(globalUnit));
}

int remapReferences(MissionStore& s, int i, const ReferenceMap& map) {
    const int triggers[] = {sg::arrivalTrigger1, sg::arrivalTrigger2,   sg::arrivalTrigger3,
                            sg::arrivalTrigger4, sg::departureTrigger1, sg::departureTrigger2};
    int cleared = 0;
    for (int t : triggers) cleared += remapPair(s, i, t + 1, t + 2, kSubjectFlightgroup, map);
    // A mothership is a shipgroup only when its method is "Hangar". The
    // departure motherships have bytes of their own and are kept in line
    // like the arrival ones.
    cleared += remapPair(s, i, sg::arrivalMethod1, sg::arrivalMothership1, kMethodHangar, map);
    cleared += remapPair(s, i, sg::arrivalMethod2, sg::arrivalMothership2, kMethodHangar, map);
    cleared += remapPair(s, i, sg::departureMethod1, sg::departureMothership1, kMethodHangar, map);
    cleared += remapPair(s, i, sg::departureMethod2, sg::departureMothership2, kMethodHangar, map);
    for (int region = 0; region < 4; ++region) {
        for (int slot = 0; slot < 4; ++slot) {
            const int o = sg::orderOffset(region, slot);
            for (const auto& p : kTargetPairs)
                cleared += remapPair(s, i, o + p[0], o + p[1], kSubjectFlightgroup, map);
            // "Drop off" names the shipgroup it deploys in its second
            // parameter; it follows the list like the targets. Its list has
            // no "None" entry, so a deployed group that is gone becomes
            // kNoDeployedShipgroup, a number no shipgroup of the list
            // carries: the order never deploys some other live group.
            if (s.byte(Table::Shipgroups, i, o) != kOrderDropOff) continue;
            const int p = s.byte(Table::Shipgroups, i, o + kOrderParam2);
            if (p == kNoDeployedShipgroup) continue;
            const int to = map(p);
            if (to == kClearReference) {
                s.setByte(Table::Shipgroups, i, o + kOrderParam2, kNoDeployedShipgroup);
                ++cleared;
            } else if (to != p) {
                s.setByte(Table::Shipgroups, i, o + kOrderParam2, static_cast<uint8_t>(to));
            }
        }
    }
    return cleared;
}

int remapOutsideReferences(MissionStore& s, const ReferenceMap& map) {
    int cleared = 0;
    for (int team = 0; team < mission::kTeams; ++team)
        for (int kind = 0; kind < 3; ++kind)
            for (int t : kGlobalGoalTriggers) {
                const int at = kGlobalGoalBlock + kind * kGlobalGoalBlockSize + t;
                cleared += remapPair(s, team, at + 1, at + 2, kSubjectFlightgroup, map,
                                     Table::GlobalGoals);
            }
    const int messages = std::clamp(s.messageCount, 0, mission::kMaxMessages);
    for (int m = 0; m < messages; ++m)
        for (int t : kMessageTriggers)
            cleared += remapPair(s, m, t + 1, t + 2, kSubjectFlightgroup, map, Table::Messages);
    return cleared;
}

void renumberReferences(MissionStore& s, int count, int d, Shift shift) {
    const ReferenceMap map = afterDeletion(d, shift);
    for (int i = 0; i < count; ++i) remapReferences(s, i, map);
}

void renumberOutsideReferences(MissionStore& s, int d, Shift shift) {
    remapOutsideReferences(s, afterDeletion(d, shift));
}

void removeShipgroup(MissionStore& s, int d) {
    const int n = s.shipgroupCount;
    if (d < 0 || d >= n) return;
    // The goal and order texts move with their records; otherwise every
    // shipgroup behind the deleted one would show its successor's texts.
    for (int i = d + 1; i < n; ++i) {
        s.copySlot(Table::Shipgroups, i, i - 1);
        moveTexts(s, i, i - 1);
    }
    renumberReferences(s, n - 1, d, Shift::Later);
    renumberOutsideReferences(s, d, Shift::Later);
    writeEmptyShipgroup(s, n - 1, 0);
    mission::clearShipgroupTexts(s, n - 1);
    s.shipgroupCount = n - 1;
}

void ShipgroupList::writeHeaderCount() {
    m_ctx.store.setByte(Table::Header, 0, kHeaderShipgroupCount,
                        static_cast<uint8_t>(m_ctx.store.shipgroupCount));
}

namespace {
// A new shipgroup stands at the end of the list and is the current one.
bool announceAdded(const ShipgroupContext& ctx) {
    ctx.broadcast(ShipgroupEvent::Added);
    ctx.broadcast(ShipgroupEvent::CurrentChanged);
    ctx.repaint();
    return true;
}
}  // namespace

void ShipgroupList::clearTexts(int slot) { mission::clearShipgroupTexts(m_ctx.store, slot); }

bool ShipgroupList::select(int index) {
    if (index < 0 || index >= m_ctx.store.shipgroupCount) return false;
    m_ctx.store.currentShipgroup = index;
    m_ctx.broadcast(ShipgroupEvent::CurrentChanged);
    return true;
}

bool ShipgroupList::add(std::string_view name) {
    auto& s = m_ctx.store;
    if (s.shipgroupCount >= kMaxListedShipgroups) return false;
    core::ActionScope action(s.journal(), "Add shipgroup");
    s.shipgroupCount += 1;
    s.currentShipgroup = s.shipgroupCount - 1;
    writeHeaderCount();
    // The slot keeps the empty record it already holds; only characters 0..18
    // of the name are replaced.
    s.setText(Table::Shipgroups, s.currentShipgroup, sg::name, sg::nameWidth - 1,
              name.substr(0, sg::nameWidth - 1));
    clearTexts(s.currentShipgroup);
    return announceAdded(m_ctx);
}

bool ShipgroupList::copy() {
    auto& s = m_ctx.store;
    if (s.shipgroupCount >= kMaxListedShipgroups) return false;
    const int from = std::clamp(s.currentShipgroup, 0, s.shipgroupCount - 1);
    core::ActionScope action(s.journal(), "Copy shipgroup");
    s.shipgroupCount += 1;
    const int to = s.shipgroupCount - 1;
    s.copySlot(Table::Shipgroups, from, to);
    // Goal and order texts live outside the record and are not copied; the
    // copy starts with empty ones rather than whatever the slot held before.
    clearTexts(to);
    s.currentShipgroup = to;
    return announceAdded(m_ctx);
}

void ShipgroupList::finishDeletion() {
    auto& s = m_ctx.store;
    // The deletions leave currentShipgroup where it was; when that is now one
    // past the end, the new last shipgroup becomes current, so the forms
    // always show and edit a shipgroup of the list.
    if (s.currentShipgroup >= s.shipgroupCount) s.currentShipgroup = s.shipgroupCount - 1;
    if (s.currentShipgroup < 0) s.currentShipgroup = 0;
    m_ctx.broadcast(ShipgroupEvent::ListCleared);
    m_ctx.broadcast(ShipgroupEvent::ListRefilled);
    m_ctx.broadcast(ShipgroupEvent::CurrentChanged);
    writeHeaderCount();
    m_ctx.repaint();
}

bool ShipgroupList::deleteLast() {
    auto& s = m_ctx.store;
    if (s.shipgroupCount < 2) return false;
    if (m_ctx.prompter.ask("Are you sure?", "Deleting last shipgroup", core::Buttons::YesNo,
                           core::Icon::Exclamation) != core::Answer::Yes)
        return false;
    core::ActionScope action(s.journal(), "Delete shipgroup");
    const int last = s.shipgroupCount - 1;
    // References to the removed shipgroup become "None": left alone they
    // would name whatever shipgroup a later Add or Copy puts in its slot.
    // Nothing else moves, so no other reference changes: one that already
    // named a shipgroup past the end stays as it was.
    renumberReferences(s, last, last, Shift::None);
    renumberOutsideReferences(s, last, Shift::None);
    writeEmptyShipgroup(s, last, 1);
    // The texts of the removed shipgroup go with it, so that a later Add does
    // not inherit them.
    clearTexts(last);
    s.shipgroupCount -= 1;
    finishDeletion();
    return true;
}

bool ShipgroupList::deleteSelected() {
    auto& s = m_ctx.store;
    const int n = s.shipgroupCount;
    const int d = s.currentShipgroup;
    if (n < 2 || d < 0 || d >= n) return false;
    if (m_ctx.prompter.ask("Are you sure?", "Deleting selected shipgroup", core::Buttons::YesNo,
                           core::Icon::Exclamation) != core::Answer::Yes)
        return false;
    core::ActionScope action(s.journal(), "Delete shipgroup");
    removeShipgroup(s, d);
    finishDeletion();
    return true;
}

}  // namespace quendar::shipgroup
