#include "MissionSummary.h"

#include <algorithm>
#include <numeric>

#include "settings/MessagesForm.h"
#include "shipgroup/MissionNames.h"

namespace quendar::app {

using mission::Table;

namespace {
MissionSummary::Message summarizeMessage(const mission::MissionStore& store, int i) {
    namespace msg = settings::msg;
    auto at = [&store, i](int offset) {
        return static_cast<int>(store.byte(Table::Messages, i, offset));
    };
    MissionSummary::Message m;
    m.index = i;
    m.text = store.text(Table::Messages, i, msg::text, msg::textWidth);
    m.colour = at(msg::colour);
    for (int k = 0; k < 4; ++k) {
        const int b = msg::triggers[k];
        m.triggers[k] = {at(b), at(b + 1), at(b + 2), at(b + 3), at(b + 4), at(b + 5)};
    }
    m.join12 = at(msg::join12);
    m.join34 = at(msg::join34);
    m.joinConditions = at(msg::joinConditions);
    for (int t = 0; t < 8; ++t) m.teams[t] = at(msg::teams + t);
    m.delayMinutes = at(msg::delayMinutes);
    m.delaySeconds = at(msg::delaySeconds);
    if (i < msg::noteSlots) m.note = store.text(Table::MessageNotes, i, 0, mission::kNoteSize);
    return m;
}
}  // namespace

MissionSummary summarize(const Editor& editor) {
    MissionSummary m;
    const mission::MissionStore& store = editor.store;
    m.path = store.missionPath;

    const int ns = std::clamp(store.shipgroupCount, 0, mission::kMaxShipgroups);
    for (int i = 0; i < ns; ++i) {
        const mission::ShipgroupView r(store, i);
        MissionSummary::Shipgroup g;
        g.index = i;
        g.name = r.name();
        g.craftType = r.craftType();
        g.craftName = editor.craftList.name(g.craftType);
        g.count = r.craftCount();
        g.iff = r.iff();
        g.team = r.team();
        g.playerCraft = r.playerCraft();
        g.start = r.startPoint(0);
        g.startRegion = r.startPointRegion(0);
        m.shipgroups.push_back(std::move(g));
    }
    const int nm = std::clamp(store.messageCount, 0, mission::kMaxMessages);
    for (int i = 0; i < nm; ++i) {
        m.messages.push_back(summarizeMessage(store, i));
    }
    for (int t = 0; t < mission::kTeams; ++t) m.teamNames.push_back(shipgroup::teamName(store, t));
    for (const auto& r : shipgroup::regionNames(store)) m.regionNames.push_back(r);
    m.cargoNames = shipgroup::specialCargoNames(store);
    m.introduction = store.text(Table::Introduction, 0, 0, mission::kLongTextSize);
    m.debriefing = store.text(Table::Debriefing, 0, 0, mission::kLongTextSize);
    m.hints = store.text(Table::Hints, 0, 0, mission::kLongTextSize);

    const briefing::BriefingModel& b = editor.briefing;
    m.briefingLength = b.briefingLength();
    m.briefingEndTime = b.briefingEndTime();
    for (int k = 0; k < briefing::kKindCount; ++k) {
        const auto kind = static_cast<briefing::Kind>(k);
        m.commandCounts.push_back({std::string(briefing::kindInfo(kind).name), b.count(kind)});
    }

    // Commands in the order a save writes them: by time; among equal times
    // the kind scanned last comes first, and within a kind list order.
    struct Ref {
        int time;
        int scanPos;
        int index;
        briefing::Kind kind;
    };
    std::vector<Ref> refs;
    for (int pos = 0; pos < briefing::kKindCount; ++pos) {
        const briefing::Kind kind = briefing::kSaveScanOrder[pos];
        const auto recs = b.records(kind);
        for (int i = 0; i < static_cast<int>(recs.size()); ++i) {
            refs.push_back({recs[i].time, pos, i, kind});
        }
    }
    std::stable_sort(refs.begin(), refs.end(), [](const Ref& a, const Ref& c) {
        if (a.time != c.time) return a.time < c.time;
        if (a.scanPos != c.scanPos) return a.scanPos > c.scanPos;
        return a.index < c.index;
    });
    for (const Ref& r : refs) {
        const briefing::Record& rec = b.record(r.kind, r.index);
        MissionSummary::Command c;
        c.kind = std::string(briefing::kindInfo(r.kind).name);
        c.time = rec.time;
        for (int p = 0; p < briefing::kindInfo(r.kind).paramCount; ++p)
            c.params.push_back(rec.param(p));
        m.commands.push_back(std::move(c));
    }
    return m;
}

}  // namespace quendar::app
