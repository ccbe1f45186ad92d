#include "app/MissionSummary.h"

#include <algorithm>
#include <numeric>

namespace quendar::app {

using mission::Table;

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
        m.messages.push_back({i, store.text(Table::Messages, i, 2, 64), store.byte(Table::Messages, i, 142)});
    }

    const briefing::BriefingModel& b = editor.briefing;
    m.briefingLength = b.briefingLength();
    m.briefingEndTime = b.briefingEndTime();
    for (int k = 0; k < briefing::kKindCount; ++k) {
        const auto kind = static_cast<briefing::Kind>(k);
        m.commandCounts.push_back({std::string(briefing::kindInfo(kind).name), b.count(kind)});
    }

    // Commands in the order a save writes them: by time; among equal times
    // the kind scanned last comes first, and within a kind the later record.
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
        return a.index > c.index;
    });
    for (const Ref& r : refs) {
        const briefing::Record& rec = b.record(r.kind, r.index);
        MissionSummary::Command c;
        c.kind = std::string(briefing::kindInfo(r.kind).name);
        c.time = rec.time;
        for (int p = 0; p < briefing::kindInfo(r.kind).paramCount; ++p) c.params.push_back(rec.param(p));
        m.commands.push_back(std::move(c));
    }
    return m;
}

}  // namespace quendar::app
