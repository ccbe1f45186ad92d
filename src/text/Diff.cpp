#include <algorithm>
#include <functional>

#include "briefing/BriefingModel.h"
#include "mission/MissionStore.h"
#include "text/CommandFields.h"
#include "text/FieldTable.h"
#include "text/JsonText.h"
#include "text/MissionText.h"
#include "text/DiffParts.h"

namespace quendar::text {

using mission::MissionStore;
using mission::Table;

namespace {

struct Side {
    const MissionRef& m;
    CodeNames names;
    Side(const MissionRef& r) : m(r), names(r.store, r.craftList) {}
};

std::span<const uint8_t> shortString(std::span<const uint8_t> slot) {
    return slot.empty() || slot[0] == 0 ? slot.first(0) : withoutPadding(slot);
}

std::string quoted(std::span<const uint8_t> bytes) {
    std::string s;
    appendQuoted(s, bytes);
    return s;
}
std::string quoted(std::string_view s) {
    return quoted(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(s.data()), s.size()));
}

std::span<const uint8_t> fieldBytes(const Side& s, const RecordLayout& l, int record, const FlatField& f) {
    if (f.at.node->form == Form::StringSlot) return shortString(stringSlotOf(s.m.store, f.at, record));
    return s.m.store.slot(l.table, record).subspan(static_cast<size_t>(f.at.offset),
                                                   static_cast<size_t>(f.at.node->width));
}

int typeOf(std::span<const uint8_t> rec, const FieldAt& f) {
    return rec[static_cast<size_t>(f.elementBase + f.node->typeOffset)];
}

std::string shown(const Side& s, const RecordLayout& l, int record, const FlatField& f) {
    const Node& n = *f.at.node;
    const auto rec = s.m.store.slot(l.table, record);
    switch (n.form) {
        case Form::Text: return quoted(withoutPadding(fieldBytes(s, l, record, f)));
        case Form::StringSlot: return quoted(fieldBytes(s, l, record, f));
        case Form::Bytes: {
            std::string out = "[";
            for (uint8_t b : withoutPadding(fieldBytes(s, l, record, f)))
                out += (out.size() > 1 ? ", " : "") + std::to_string(b);
            return out + "]";
        }
        default: {
            const int v = numberAt(rec, n, f.at.offset);
            std::string out = std::to_string(v);
            if (n.codes != Codes::None) {
                const std::string_view name = s.names.name(n.codes, v, typeOf(rec, f.at));
                if (!name.empty()) out += " " + quoted(name);
            }
            return out;
        }
    }
}

// Shipgroup numbers of A as B numbers them (-1: the group is gone).
using Renumbering = std::vector<int>;

void compareRecords(const Side& a, const Side& b, const RecordLayout& l, int ia, int ib,
                    const std::string& prefix, const Renumbering& map, std::vector<Difference>& out) {
    const auto ra = a.m.store.slot(l.table, ia);
    const auto rb = b.m.store.slot(l.table, ib);
    for (const FlatField& f : flatFields(l)) {
        const Node& n = *f.at.node;
        bool same;
        if (n.codes != Codes::None && CodeNames::namesShipgroup(n.codes, typeOf(ra, f.at)) &&
            CodeNames::namesShipgroup(n.codes, typeOf(rb, f.at))) {
            const int va = numberAt(ra, n, f.at.offset), vb = numberAt(rb, n, f.at.offset);
            const int mapped = va < static_cast<int>(map.size()) ? map[static_cast<size_t>(va)] : va;
            // A number naming a shipgroup that is gone, left as it was, is
            // no reference (a mothership of a group that does not use one).
            same = mapped == vb || (mapped < 0 && va == vb);
        } else {
            const auto fa = fieldBytes(a, l, ia, f), fb = fieldBytes(b, l, ib, f);
            same = std::equal(fa.begin(), fa.end(), fb.begin(), fb.end());
        }
        if (!same) out.push_back({prefix + "." + f.path, shown(a, l, ia, f), shown(b, l, ib, f)});
    }
    for (const Run& r : differingRuns(ra, rb, [&](int i) { return !l.owned[static_cast<size_t>(i)]; }))
        out.push_back({prefix + ".rest[" + std::to_string(r.offset) + "]",
                       hex(r.bytes), hex(rb.subspan(static_cast<size_t>(r.offset), r.bytes.size()))});
}

// A record's content with its shipgroup references left out: records that
// only moved compare equal.
uint64_t contentKey(const Side& s, const RecordLayout& l, int record) {
    uint64_t h = 1469598103934665603ull;
    const auto mix = [&](uint64_t v) { h = (h ^ v) * 1099511628211ull; };
    const auto rec = s.m.store.slot(l.table, record);
    for (const FlatField& f : flatFields(l)) {
        if (f.at.node->codes != Codes::None && CodeNames::namesShipgroup(f.at.node->codes, typeOf(rec, f.at))) {
            mix(0x100);
            continue;
        }
        for (uint8_t b : fieldBytes(s, l, record, f)) mix(b);
        mix(0x200);
    }
    for (size_t i = 0; i < rec.size(); ++i)
        if (!l.owned[i]) mix(rec[i]);
    return h;
}

// Pairs of aligned positions (first: A, second: B; -1 on the side that lacks
// it), in order. Items that `equal` calls the same are matched by their
// longest common sequence; between two matches, items that `similar` relates
// (a shipgroup under its old name) are matched the same way, and what is left
// is paired by position, the surplus added or removed.
using Pairs = std::vector<std::pair<int, int>>;

template <typename Eq>
void matchRuns(const std::vector<int>& xa, const std::vector<int>& xb, Eq equal, Pairs& out,
               const std::function<void(const std::vector<int>&, const std::vector<int>&, Pairs&)>& gap) {
    const size_t na = xa.size(), nb = xb.size();
    std::vector<std::vector<int>> lcs(na + 1, std::vector<int>(nb + 1));
    for (size_t i = na; i-- > 0;)
        for (size_t j = nb; j-- > 0;)
            lcs[i][j] = equal(xa[i], xb[j]) ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    std::vector<int> gapA, gapB;
    const auto flush = [&] {
        gap(gapA, gapB, out);
        gapA.clear();
        gapB.clear();
    };
    size_t i = 0, j = 0;
    while (i < na || j < nb) {
        if (i < na && j < nb && equal(xa[i], xb[j])) {
            flush();
            out.push_back({xa[i++], xb[j++]});
        } else if (j >= nb || (i < na && lcs[i + 1][j] >= lcs[i][j + 1])) {
            gapA.push_back(xa[i++]);
        } else {
            gapB.push_back(xb[j++]);
        }
    }
    flush();
}

void byPosition(const std::vector<int>& a, const std::vector<int>& b, Pairs& out) {
    size_t k = 0;
    for (; k < a.size() && k < b.size(); ++k) out.push_back({a[k], b[k]});
    for (size_t x = k; x < a.size(); ++x) out.push_back({a[x], -1});
    for (size_t x = k; x < b.size(); ++x) out.push_back({-1, b[x]});
}

template <typename Eq, typename Similar>
Pairs align(int na, int nb, Eq equal, Similar similar) {
    std::vector<int> xa(static_cast<size_t>(na)), xb(static_cast<size_t>(nb));
    for (int i = 0; i < na; ++i) xa[static_cast<size_t>(i)] = i;
    for (int j = 0; j < nb; ++j) xb[static_cast<size_t>(j)] = j;
    Pairs out;
    matchRuns(xa, xb, equal, out, [&](const std::vector<int>& ga, const std::vector<int>& gb, Pairs& o) {
        matchRuns(ga, gb, similar, o, byPosition);
    });
    return out;
}

std::string recordLabel(const Side& s, const RecordLayout& l, int i) {
    std::string label = std::string(l.name) + "[" + std::to_string(i) + "]";
    const auto rec = s.m.store.slot(l.table, i);
    if (l.table == Table::Shipgroups) label += " " + quoted(withoutPadding(rec.first(20)));
    return label;
}

Pairs alignedRecords(const Side& a, const Side& b, const RecordLayout& l, int na, int nb) {
    std::vector<uint64_t> ka, kb;
    for (int i = 0; i < na; ++i) ka.push_back(contentKey(a, l, i));
    for (int j = 0; j < nb; ++j) kb.push_back(contentKey(b, l, j));
    return align(
        na, nb, [&](int i, int j) { return ka[static_cast<size_t>(i)] == kb[static_cast<size_t>(j)]; },
        [&](int i, int j) {
            // Within a changed stretch, a record keeps its partner when its
            // first bytes (a shipgroup's name, a message's text) are the same.
            const size_t n = l.table == Table::Shipgroups ? 20 : l.table == Table::Messages ? 66 : 0;
            const auto x = a.m.store.slot(l.table, i).first(n), y = b.m.store.slot(l.table, j).first(n);
            return n > 0 && std::equal(x.begin(), x.end(), y.begin(), y.end());
        });
}

void compareAligned(const Side& a, const Side& b, const RecordLayout& l, int na, int nb,
                    const Renumbering& map, std::vector<Difference>& out,
                    Renumbering* alignment = nullptr) {
    const auto pairs = alignedRecords(a, b, l, na, nb);
    if (alignment) {
        alignment->assign(static_cast<size_t>(na), -1);
        for (auto [i, j] : pairs)
            if (i >= 0) (*alignment)[static_cast<size_t>(i)] = j;
    }
    const Renumbering& refs = alignment ? *alignment : map;
    for (auto [i, j] : pairs) {
        if (i < 0) out.push_back({recordLabel(b, l, j), "", "added"});
        else if (j < 0) out.push_back({recordLabel(a, l, i), "removed", ""});
        else compareRecords(a, b, l, i, j, recordLabel(b, l, j) + " ", refs, out);
    }
}

void compareTexts(const Side& a, const Side& b, Table t, const std::string& name, bool counted,
                  std::vector<Difference>& out) {
    const auto text = [&](const Side& s, int i) {
        auto slot = s.m.store.slot(t, i);
        if (counted) slot = slot.first(static_cast<size_t>(std::find(slot.begin(), slot.end(), 0) - slot.begin()));
        return withoutPadding(slot);
    };
    for (int i = 0; i < mission::shapeOf(t).slots; ++i) {
        const auto x = text(a, i), y = text(b, i);
        if (!std::equal(x.begin(), x.end(), y.begin(), y.end()))
            out.push_back({mission::shapeOf(t).slots > 1 ? name + "[" + std::to_string(i) + "]" : name,
                           quoted(x), quoted(y)});
    }
}

template <typename Keep>
void compareBytes(std::span<const uint8_t> x, std::span<const uint8_t> y, const std::string& name, Keep keep,
                  std::vector<Difference>& out) {
    for (const Run& r : differingRuns(x, y, keep))
        out.push_back({name + "[" + std::to_string(r.offset) + "]",
                       hex(r.bytes), hex(y.subspan(static_cast<size_t>(r.offset), r.bytes.size()))});
}

std::string commandText(const Side& s, briefing::Kind kind, const briefing::Record& r) {
    std::string out = "time " + std::to_string(r.time);
    const auto params = commandParams(kind);
    for (size_t k = 0; k < params.size(); ++k) {
        const int v = r.param(static_cast<int>(k));
        out += ", " + std::string(params[k].name) + " " + std::to_string(v);
        if (params[k].codes != Codes::None) {
            const std::string_view name = s.names.name(params[k].codes, v, 0);
            if (!name.empty()) out += " " + quoted(name);
        }
    }
    if (r.codeHigh) out += ", codeHigh " + std::to_string(r.codeHigh);
    return out;
}

void compareBriefing(const Side& a, const Side& b, std::vector<Difference>& out) {
    using namespace briefing;
    const auto& ma = a.m.briefing;
    const auto& mb = b.m.briefing;
    const auto scalar = [&](const char* name, int x, int y) {
        if (x != y) out.push_back({std::string("briefing.") + name, std::to_string(x), std::to_string(y)});
    };
    scalar("briefingLength", ma.briefingLength(), mb.briefingLength());
    scalar("endTime", ma.briefingEndTime(), mb.briefingEndTime());
    const auto ba = a.m.store.slot(Table::Briefing1, 0), bb = b.m.store.slot(Table::Briefing1, 0);
    for (int t = 0; t < kTeamFlagCount; ++t)
        scalar(("teams[" + std::to_string(t) + "]").c_str(), ba[static_cast<size_t>(kTeamFlagsOffset + t)],
               bb[static_cast<size_t>(kTeamFlagsOffset + t)]);
    compareTexts(a, b, Table::Briefing1Tags, "briefing.tags", true, out);
    compareTexts(a, b, Table::Briefing1Texts, "briefing.texts", true, out);
    compareTexts(a, b, Table::BriefingTextNotes, "briefing.textNotes", false, out);
    for (int k = 0; k < kKindCount; ++k) {
        const Kind kind = static_cast<Kind>(k);
        const auto ra = ma.records(kind), rb = mb.records(kind);
        const std::string name = "briefing.commands." + std::string(kindInfo(kind).name);
        const auto pairs = align(
            static_cast<int>(ra.size()), static_cast<int>(rb.size()),
            [&](int i, int j) { return ra[static_cast<size_t>(i)] == rb[static_cast<size_t>(j)]; },
            [&](int i, int j) { return ra[static_cast<size_t>(i)].params == rb[static_cast<size_t>(j)].params; });
        for (auto [i, j] : pairs) {
            if (i >= 0 && j >= 0 && ra[static_cast<size_t>(i)] == rb[static_cast<size_t>(j)]) continue;
            const std::string path = name + "[" + std::to_string(j >= 0 ? j : i) + "]";
            out.push_back({path, i >= 0 ? commandText(a, kind, ra[static_cast<size_t>(i)]) : "",
                           j >= 0 ? commandText(b, kind, rb[static_cast<size_t>(j)]) : ""});
        }
    }
    const int endA = kEventAreaStart + packedEventBytes(ma), endB = kEventAreaStart + packedEventBytes(mb);
    compareBytes(ba, bb, "briefing.rest", [&](int i) {
        return (i >= 4 && i < kEventAreaStart) || (i >= std::max(endA, endB) && i < kTeamFlagsOffset) ||
               i >= kTeamFlagsOffset + kTeamFlagCount;
    }, out);
}

}  // namespace

std::vector<Difference> diffMissions(const MissionRef& ra, const MissionRef& rb) {
    const Side a(ra), b(rb);
    std::vector<Difference> out;
    // Shipgroups first: their alignment renumbers the references elsewhere.
    std::vector<Difference> groups;
    Renumbering map;
    compareAligned(a, b, shipgroupLayout(), ra.store.shipgroupCount, rb.store.shipgroupCount, map, groups, &map);

    const auto fixed = [&](const RecordLayout& l, int n) {
        for (int i = 0; i < n; ++i)
            compareRecords(a, b, l, i, i, n > 1 ? std::string(l.name) + "[" + std::to_string(i) + "]"
                                                : std::string(l.name), map, out);
    };
    fixed(headerLayout(), 1);
    compareTexts(a, b, Table::RegionNames, "regionNames", false, out);
    fixed(specialCargoLayout(), 16);
    compareTexts(a, b, Table::GlobalGroupNames, "globalGroupNames", false, out);
    const auto block = [&](Table t, const std::string& name) {
        compareBytes(ra.store.slot(t, 0), rb.store.slot(t, 0), name, [](int) { return true; }, out);
    };
    block(Table::Block3480, "block3480");
    fixed(missionOptionsLayout(), 1);
    out.insert(out.end(), groups.begin(), groups.end());
    compareAligned(a, b, messageLayout(), ra.store.messageCount, rb.store.messageCount, map, out);
    fixed(globalGoalLayout(), mission::kTeams);
    fixed(teamLayout(), mission::kTeams);
    compareBriefing(a, b, out);
    block(Table::Briefing2, "briefing2.block");
    compareTexts(a, b, Table::Briefing2Tags, "briefing2.tags", true, out);
    compareTexts(a, b, Table::Briefing2Texts, "briefing2.texts", true, out);
    block(Table::Block6268, "block6268");
    compareTexts(a, b, Table::MessageNotes, "messageNotes", false, out);
    compareTexts(a, b, Table::NotesC, "notesC", false, out);
    compareTexts(a, b, Table::NotesD, "notesD", false, out);
    compareTexts(a, b, Table::NotesE, "notesE", false, out);
    block(Table::Block417, "block417");
    compareTexts(a, b, Table::Debriefing, "debriefing", false, out);
    compareTexts(a, b, Table::Hints, "hints", false, out);
    compareTexts(a, b, Table::Introduction, "introduction", false, out);
    return out;
}

// --- the pieces the three-way merge shares with the diff

RecordPairs alignRecords(const MissionRef& a, const MissionRef& b, const RecordLayout& l, int na, int nb) {
    return alignedRecords(Side(a), Side(b), l, na, nb);
}

RecordPairs alignSequences(int na, int nb, const std::function<bool(int, int)>& equal,
                           const std::function<bool(int, int)>& similar) {
    return align(na, nb, equal, similar);
}

std::string fieldText(const MissionRef& m, const RecordLayout& l, int record, const FlatField& f) {
    return shown(Side(m), l, record, f);
}

std::string recordText(const MissionRef& m, const RecordLayout& l, int record) {
    return recordLabel(Side(m), l, record);
}

std::string commandText(const MissionRef& m, briefing::Kind kind, const briefing::Record& r) {
    return commandText(Side(m), kind, r);
}

std::string quotedText(std::span<const uint8_t> bytes) { return quoted(bytes); }

}  // namespace quendar::text
