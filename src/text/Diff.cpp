#include <algorithm>
#include <functional>

#include "briefing/BriefingModel.h"
#include "mission/MessageRecord.h"
#include "mission/MissionStore.h"
#include "mission/ShipgroupRecord.h"
#include "text/CommandFields.h"
#include "text/DiffParts.h"
#include "text/FieldTable.h"
#include "text/JsonText.h"
#include "text/MissionText.h"

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

std::vector<uint8_t> owned(std::span<const uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }

std::span<const uint8_t> fieldBytes(const Side& s, const RecordLayout& l, int record,
                                    const FlatField& f) {
    if (f.at.node->form == Form::StringSlot)
        return shortString(stringSlotOf(s.m.store, f.at, record));
    return s.m.store.slot(l.table, record)
        .subspan(static_cast<size_t>(f.at.offset), static_cast<size_t>(f.at.node->width));
}

int typeOf(std::span<const uint8_t> rec, const FieldAt& f) {
    return rec[static_cast<size_t>(f.elementBase + f.node->typeOffset)];
}

FieldValue number(int v, std::string_view name = {}) {
    FieldValue x;
    x.kind = FieldValue::Kind::Number;
    x.number = v;
    x.name = name;
    return x;
}
FieldValue bytesOf(FieldValue::Kind kind, std::span<const uint8_t> bytes) {
    FieldValue x;
    x.kind = kind;
    x.bytes = owned(bytes);
    return x;
}

FieldValue valueOf(const Side& s, const RecordLayout& l, int record, const FlatField& f) {
    const Node& n = *f.at.node;
    const auto rec = s.m.store.slot(l.table, record);
    switch (n.form) {
        case Form::Text:
        case Form::StringSlot:
            return bytesOf(FieldValue::Kind::Text, withoutPadding(fieldBytes(s, l, record, f)));
        case Form::Bytes:
            return bytesOf(FieldValue::Kind::Numbers, withoutPadding(fieldBytes(s, l, record, f)));
        default: {
            const int v = numberAt(rec, n, f.at.offset);
            return number(v, n.codes == Codes::None ? std::string_view()
                                                    : s.names.name(n.codes, v, typeOf(rec, f.at)));
        }
    }
}

// Shipgroup numbers of A as B numbers them (-1: the group is gone).
using Renumbering = std::vector<int>;

void compareRecords(const Side& a, const Side& b, const RecordLayout& l, int ia, int ib,
                    const std::string& prefix, const std::string& label, const Renumbering& map,
                    std::vector<Difference>& out) {
    const auto ra = a.m.store.slot(l.table, ia);
    const auto rb = b.m.store.slot(l.table, ib);
    for (const FlatField& f : flatFields(l)) {
        const Node& n = *f.at.node;
        bool same;
        if (n.codes != Codes::None && CodeNames::namesShipgroup(n.codes, typeOf(ra, f.at)) &&
            CodeNames::namesShipgroup(n.codes, typeOf(rb, f.at))) {
            const int va = numberAt(ra, n, f.at.offset), vb = numberAt(rb, n, f.at.offset);
            const int mapped =
                va < static_cast<int>(map.size()) ? map[static_cast<size_t>(va)] : va;
            // A number naming a shipgroup that is gone, left as it was, is
            // no reference (a mothership of a group that does not use one).
            same = mapped == vb || (mapped < 0 && va == vb);
        } else {
            const auto fa = fieldBytes(a, l, ia, f), fb = fieldBytes(b, l, ib, f);
            same = std::equal(fa.begin(), fa.end(), fb.begin(), fb.end());
        }
        if (!same)
            out.push_back({prefix + "." + f.path, label, Difference::Change::Changed,
                           valueOf(a, l, ia, f), valueOf(b, l, ib, f)});
    }
    for (const Run& r :
         differingRuns(ra, rb, [&](int i) { return !l.owned[static_cast<size_t>(i)]; }))
        out.push_back({prefix + ".rest[" + std::to_string(r.offset) + "]", label,
                       Difference::Change::Changed, bytesOf(FieldValue::Kind::Hex, r.bytes),
                       bytesOf(FieldValue::Kind::Hex,
                               rb.subspan(static_cast<size_t>(r.offset), r.bytes.size()))});
}

// A record's content with its shipgroup references left out: records that
// only moved compare equal.
uint64_t contentKey(const Side& s, const RecordLayout& l, int record) {
    uint64_t h = 1469598103934665603ull;
    const auto mix = [&](uint64_t v) { h = (h ^ v) * 1099511628211ull; };
    const auto rec = s.m.store.slot(l.table, record);
    for (const FlatField& f : flatFields(l)) {
        if (f.at.node->codes != Codes::None &&
            CodeNames::namesShipgroup(f.at.node->codes, typeOf(rec, f.at))) {
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
void matchRuns(
    const std::vector<int>& xa, const std::vector<int>& xb, Eq equal, Pairs& out,
    const std::function<void(const std::vector<int>&, const std::vector<int>&, Pairs&)>& gap) {
    const size_t na = xa.size(), nb = xb.size();
    std::vector<std::vector<int>> lcs(na + 1, std::vector<int>(nb + 1));
    for (size_t i = na; i-- > 0;)
        for (size_t j = nb; j-- > 0;)
            lcs[i][j] = equal(xa[i], xb[j]) ? lcs[i + 1][j + 1] + 1
                                            : std::max(lcs[i + 1][j], lcs[i][j + 1]);
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

// What is left of a stretch: each item of A is paired with the item of B
// nearest to it, in order, when that costs less than calling one removed and
// the other added (an alignment of least cost; `distance` is 0 for equal items,
// 1 for items with nothing in common). A stretch too long to weigh every pair
// is paired by position.
template <typename Distance>
void byLikeness(const std::vector<int>& a, const std::vector<int>& b, Distance distance,
                Pairs& out) {
    constexpr double kUnpaired = 0.35;
    const size_t na = a.size(), nb = b.size();
    if (na == 0 || nb == 0 || na * nb > 10000) return byPosition(a, b, out);
    std::vector<std::vector<double>> cost(na + 1, std::vector<double>(nb + 1));
    for (size_t i = 0; i <= na; ++i) cost[i][0] = kUnpaired * static_cast<double>(i);
    for (size_t j = 0; j <= nb; ++j) cost[0][j] = kUnpaired * static_cast<double>(j);
    for (size_t i = 1; i <= na; ++i)
        for (size_t j = 1; j <= nb; ++j)
            cost[i][j] = std::min({cost[i - 1][j] + kUnpaired, cost[i][j - 1] + kUnpaired,
                                   cost[i - 1][j - 1] + distance(a[i - 1], b[j - 1])});
    Pairs reversed;
    size_t i = na, j = nb;
    while (i > 0 || j > 0) {
        if (i > 0 && j > 0 && cost[i][j] == cost[i - 1][j - 1] + distance(a[i - 1], b[j - 1])) {
            reversed.push_back({a[--i], b[--j]});
        } else if (i > 0 && cost[i][j] == cost[i - 1][j] + kUnpaired) {
            reversed.push_back({a[--i], -1});
        } else {
            reversed.push_back({-1, b[--j]});
        }
    }
    out.insert(out.end(), reversed.rbegin(), reversed.rend());
}

// Gap: how the stretches between equal items are paired.
template <typename Eq, typename Gap>
Pairs align(int na, int nb, Eq equal, Gap gap) {
    std::vector<int> xa(static_cast<size_t>(na)), xb(static_cast<size_t>(nb));
    for (int i = 0; i < na; ++i) xa[static_cast<size_t>(i)] = i;
    for (int j = 0; j < nb; ++j) xb[static_cast<size_t>(j)] = j;
    Pairs out;
    matchRuns(xa, xb, equal, out, gap);
    return out;
}

std::string recordPath(const RecordLayout& l, int i) {
    return std::string(l.name) + "[" + std::to_string(i) + "]";
}
// A shipgroup is named beside its path.
std::string recordLabel(const Side& s, const RecordLayout& l, int i) {
    if (l.table != Table::Shipgroups) return {};
    const auto name = withoutPadding(s.m.store.slot(l.table, i).first(mission::sg::nameWidth));
    return {name.begin(), name.end()};
}

Pairs alignedRecords(const Side& a, const Side& b, const RecordLayout& l, int na, int nb) {
    std::vector<uint64_t> ka, kb;
    for (int i = 0; i < na; ++i) ka.push_back(contentKey(a, l, i));
    for (int j = 0; j < nb; ++j) kb.push_back(contentKey(b, l, j));
    // Within a changed stretch, a record keeps its partner when its first
    // bytes (a shipgroup's name, a message's text) are the same; the others
    // pair with the record most like them.
    const auto sameName = [&](int i, int j) {
        const size_t n = l.table == Table::Shipgroups ? mission::sg::nameWidth
                         : l.table == Table::Messages ? mission::msg::text + mission::msg::textWidth
                                                      : 0;
        const auto x = a.m.store.slot(l.table, i).first(n), y = b.m.store.slot(l.table, j).first(n);
        return n > 0 && std::equal(x.begin(), x.end(), y.begin(), y.end());
    };
    // The share of the fields in use on either side that differ.
    const auto distance = [&](int i, int j) {
        const auto x = a.m.store.slot(l.table, i), y = b.m.store.slot(l.table, j);
        size_t differ = 0, used = 0;
        for (const FlatField& f : flatFields(l)) {
            if (f.at.node->form == Form::StringSlot) continue;
            const auto o = static_cast<size_t>(f.at.offset),
                       w = static_cast<size_t>(f.at.node->width);
            const auto fx = x.subspan(o, w), fy = y.subspan(o, w);
            const auto zero = [](uint8_t c) { return c == 0; };
            if (std::all_of(fx.begin(), fx.end(), zero) && std::all_of(fy.begin(), fy.end(), zero))
                continue;
            ++used;
            differ += !std::equal(fx.begin(), fx.end(), fy.begin(), fy.end());
        }
        return used == 0 ? 0.0 : static_cast<double>(differ) / static_cast<double>(used);
    };
    return align(
        na, nb,
        [&](int i, int j) { return ka[static_cast<size_t>(i)] == kb[static_cast<size_t>(j)]; },
        [&](const std::vector<int>& ga, const std::vector<int>& gb, Pairs& o) {
            matchRuns(ga, gb, sameName, o,
                      [&](const std::vector<int>& ra, const std::vector<int>& rb, Pairs& p) {
                          byLikeness(ra, rb, distance, p);
                      });
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
        if (i < 0)
            out.push_back(
                {recordPath(l, j), recordLabel(b, l, j), Difference::Change::Added, {}, {}});
        else if (j < 0)
            out.push_back(
                {recordPath(l, i), recordLabel(a, l, i), Difference::Change::Removed, {}, {}});
        else
            compareRecords(a, b, l, i, j, recordPath(l, j), recordLabel(b, l, j), refs, out);
    }
}

void compareTexts(const Side& a, const Side& b, Table t, const std::string& name, bool counted,
                  std::vector<Difference>& out) {
    const auto text = [&](const Side& s, int i) {
        auto slot = s.m.store.slot(t, i);
        if (counted)
            slot = slot.first(
                static_cast<size_t>(std::find(slot.begin(), slot.end(), 0) - slot.begin()));
        return withoutPadding(slot);
    };
    for (int i = 0; i < mission::shapeOf(t).slots; ++i) {
        const auto x = text(a, i), y = text(b, i);
        if (!std::equal(x.begin(), x.end(), y.begin(), y.end()))
            out.push_back(
                {mission::shapeOf(t).slots > 1 ? name + "[" + std::to_string(i) + "]" : name, "",
                 Difference::Change::Changed, bytesOf(FieldValue::Kind::Text, x),
                 bytesOf(FieldValue::Kind::Text, y)});
    }
}

template <typename Keep>
void compareBytes(std::span<const uint8_t> x, std::span<const uint8_t> y, const std::string& name,
                  Keep keep, std::vector<Difference>& out) {
    for (const Run& r : differingRuns(x, y, keep))
        out.push_back({name + "[" + std::to_string(r.offset) + "]", "", Difference::Change::Changed,
                       bytesOf(FieldValue::Kind::Hex, r.bytes),
                       bytesOf(FieldValue::Kind::Hex,
                               y.subspan(static_cast<size_t>(r.offset), r.bytes.size()))});
}

FieldValue commandValue(const Side& s, briefing::Kind kind, const briefing::Record& r) {
    FieldValue x;
    x.kind = FieldValue::Kind::Command;
    x.members.push_back({"time", r.time, {}});
    const auto params = commandParams(kind);
    for (size_t k = 0; k < params.size(); ++k) {
        const int v = r.param(static_cast<int>(k));
        x.members.push_back(
            {params[k].name, v,
             std::string(params[k].codes == Codes::None ? std::string_view()
                                                        : s.names.name(params[k].codes, v, 0))});
    }
    if (r.codeHigh) x.members.push_back({"codeHigh", r.codeHigh, {}});
    return x;
}

// A kind's commands in the order the text lists them: by time, among equal
// times in list order. A mission just opened holds them in the order of its
// file, one read from a text or saved in time order; both compare the same.
std::vector<briefing::Record> inTimeOrder(std::span<const briefing::Record> records) {
    std::vector<briefing::Record> out(records.begin(), records.end());
    std::stable_sort(
        out.begin(), out.end(),
        [](const briefing::Record& x, const briefing::Record& y) { return x.time < y.time; });
    return out;
}

void compareBriefing(const Side& a, const Side& b, std::vector<Difference>& out) {
    using namespace briefing;
    const auto& ma = a.m.briefing;
    const auto& mb = b.m.briefing;
    const auto scalar = [&](const char* name, int x, int y) {
        if (x != y)
            out.push_back({std::string("briefing.") + name, "", Difference::Change::Changed,
                           number(x), number(y)});
    };
    scalar("briefingLength", ma.briefingLength(), mb.briefingLength());
    scalar("endTime", ma.briefingEndTime(), mb.briefingEndTime());
    const auto ba = a.m.store.slot(Table::Briefing1, 0), bb = b.m.store.slot(Table::Briefing1, 0);
    for (int t = 0; t < kTeamFlagCount; ++t)
        scalar(("teams[" + std::to_string(t) + "]").c_str(),
               ba[static_cast<size_t>(kTeamFlagsOffset + t)],
               bb[static_cast<size_t>(kTeamFlagsOffset + t)]);
    compareTexts(a, b, Table::Briefing1Tags, "briefing.tags", true, out);
    compareTexts(a, b, Table::Briefing1Texts, "briefing.texts", true, out);
    compareTexts(a, b, Table::BriefingTextNotes, "briefing.textNotes", false, out);
    for (int k = 0; k < kKindCount; ++k) {
        const Kind kind = static_cast<Kind>(k);
        const auto ra = inTimeOrder(ma.records(kind)), rb = inTimeOrder(mb.records(kind));
        const std::string name = "briefing.commands." + std::string(kindInfo(kind).name);
        const auto pairs = align(
            static_cast<int>(ra.size()), static_cast<int>(rb.size()),
            [&](int i, int j) { return ra[static_cast<size_t>(i)] == rb[static_cast<size_t>(j)]; },
            [&](const std::vector<int>& ga, const std::vector<int>& gb, Pairs& o) {
                matchRuns(
                    ga, gb,
                    [&](int i, int j) {
                        return ra[static_cast<size_t>(i)].params ==
                               rb[static_cast<size_t>(j)].params;
                    },
                    o, byPosition);
            });
        for (auto [i, j] : pairs) {
            if (i >= 0 && j >= 0 && ra[static_cast<size_t>(i)] == rb[static_cast<size_t>(j)])
                continue;
            const std::string path = name + "[" + std::to_string(j >= 0 ? j : i) + "]";
            if (i < 0)
                out.push_back({path,
                               "",
                               Difference::Change::Added,
                               {},
                               commandValue(b, kind, rb[static_cast<size_t>(j)])});
            else if (j < 0)
                out.push_back({path,
                               "",
                               Difference::Change::Removed,
                               commandValue(a, kind, ra[static_cast<size_t>(i)]),
                               {}});
            else
                out.push_back({path, "", Difference::Change::Changed,
                               commandValue(a, kind, ra[static_cast<size_t>(i)]),
                               commandValue(b, kind, rb[static_cast<size_t>(j)])});
        }
    }
    const int endA = kEventAreaStart + packedEventBytes(ma),
              endB = kEventAreaStart + packedEventBytes(mb);
    compareBytes(
        ba, bb, "briefing.rest",
        [&](int i) {
            return (i >= kKeptBytesStart && i < kEventAreaStart) ||
                   (i >= std::max(endA, endB) && i < kTeamFlagsOffset) ||
                   i >= kTeamFlagsOffset + kTeamFlagCount;
        },
        out);
}

}  // namespace

std::vector<Difference> diffMissions(const MissionRef& ra, const MissionRef& rb) {
    const Side a(ra), b(rb);
    std::vector<Difference> out;
    // Shipgroups first: their alignment renumbers the references elsewhere.
    std::vector<Difference> groups;
    Renumbering map;
    compareAligned(a, b, shipgroupLayout(), ra.store.shipgroupCount, rb.store.shipgroupCount, map,
                   groups, &map);

    const auto fixed = [&](const RecordLayout& l, int n) {
        for (int i = 0; i < n; ++i)
            compareRecords(a, b, l, i, i, n > 1 ? recordPath(l, i) : std::string(l.name), "", map,
                           out);
    };
    fixed(headerLayout(), 1);
    compareTexts(a, b, Table::RegionNames, "regionNames", false, out);
    fixed(specialCargoLayout(), mission::shapeOf(Table::SpecialCargo).slots);
    compareTexts(a, b, Table::GlobalGroupNames, "globalGroupNames", false, out);
    const auto block = [&](Table t, const std::string& name) {
        compareBytes(
            ra.store.slot(t, 0), rb.store.slot(t, 0), name, [](int) { return true; }, out);
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

namespace {

// A text for a line: quoted, with the bytes a terminal would act on escaped.
void appendShown(std::string& out, std::span<const uint8_t> bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (uint8_t c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    out += '"';
}
void appendShown(std::string& out, std::string_view s) {
    appendShown(out,
                std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(s.data()), s.size()));
}

void appendLineValue(std::string& out, const FieldValue& v) {
    switch (v.kind) {
        case FieldValue::Kind::None: break;
        case FieldValue::Kind::Number:
            out += std::to_string(v.number);
            if (!v.name.empty()) {
                out += ' ';
                appendShown(out, v.name);
            }
            break;
        case FieldValue::Kind::Text: appendShown(out, v.bytes); break;
        case FieldValue::Kind::Numbers:
            out += '[';
            for (size_t i = 0; i < v.bytes.size(); ++i)
                out += (i ? ", " : "") + std::to_string(v.bytes[i]);
            out += ']';
            break;
        case FieldValue::Kind::Hex: appendHex(out, v.bytes); break;
        case FieldValue::Kind::Command:
            for (size_t i = 0; i < v.members.size(); ++i) {
                if (i) out += ", ";
                out += v.members[i].key;
                out += ' ' + std::to_string(v.members[i].value);
                if (!v.members[i].name.empty()) {
                    out += ' ';
                    appendShown(out, v.members[i].name);
                }
            }
            break;
    }
}

void appendJsonValue(std::string& out, const FieldValue& v) {
    switch (v.kind) {
        case FieldValue::Kind::None: out += "null"; break;
        case FieldValue::Kind::Number: out += std::to_string(v.number); break;
        case FieldValue::Kind::Text: appendQuoted(out, v.bytes); break;
        case FieldValue::Kind::Numbers:
            out += '[';
            for (size_t i = 0; i < v.bytes.size(); ++i)
                out += (i ? ", " : "") + std::to_string(v.bytes[i]);
            out += ']';
            break;
        case FieldValue::Kind::Hex:
            out += '"';
            appendHex(out, v.bytes);
            out += '"';
            break;
        case FieldValue::Kind::Command:
            out += '{';
            for (size_t i = 0; i < v.members.size(); ++i) {
                const auto& m = v.members[i];
                out += (i ? ", \"" : "\"") + std::string(m.key) + "\": " + std::to_string(m.value);
                if (!m.name.empty()) {
                    out += ", \"" + std::string(m.key) + "Name\": ";
                    appendQuoted(out, m.name);
                }
            }
            out += '}';
            break;
    }
}

}  // namespace

std::string differenceLine(const Difference& d) {
    std::string out = d.path;
    if (!d.record.empty() || d.path.starts_with("shipgroups[")) {
        // "shipgroups[3] "Korvane Guard" .orders[0][0].target1"
        const size_t end = d.path.find(']') + 1;
        out = d.path.substr(0, end) + ' ';
        appendShown(out, d.record);
        if (end < d.path.size()) out += ' ' + d.path.substr(end);
    }
    out += ": ";
    switch (d.change) {
        case Difference::Change::Added:
            out += "added";
            if (d.after.kind != FieldValue::Kind::None) out += ' ';
            appendLineValue(out, d.after);
            break;
        case Difference::Change::Removed:
            out += "removed";
            if (d.before.kind != FieldValue::Kind::None) out += ' ';
            appendLineValue(out, d.before);
            break;
        case Difference::Change::Changed:
            appendLineValue(out, d.before);
            out += " \u2192 ";
            appendLineValue(out, d.after);
            break;
    }
    return out;
}

std::string differencesAsJson(const std::vector<Difference>& list) {
    std::string out = "[";
    for (size_t i = 0; i < list.size(); ++i) {
        const Difference& d = list[i];
        out += i ? ",\n  {\"path\": " : "\n  {\"path\": ";
        appendQuoted(out, d.path);
        if (d.path.starts_with("shipgroups[")) {
            out += ", \"shipgroup\": ";
            appendQuoted(out, d.record);
        }
        if (d.change == Difference::Change::Added) out += ", \"added\": true";
        if (d.change == Difference::Change::Removed) out += ", \"removed\": true";
        const auto side = [&](const char* key, const FieldValue& v) {
            if (v.kind == FieldValue::Kind::None) return;
            out += ", \"" + std::string(key) + "\": ";
            appendJsonValue(out, v);
            if (!v.name.empty()) {
                out += ", \"" + std::string(key) + "Name\": ";
                appendQuoted(out, v.name);
            }
        };
        side("before", d.before);
        side("after", d.after);
        out += '}';
    }
    out += list.empty() ? "]\n" : "\n]\n";
    return out;
}

// --- the pieces the three-way merge and the Changes panel share with the diff

RecordPairs alignRecords(const MissionRef& a, const MissionRef& b, const RecordLayout& l, int na,
                         int nb) {
    return alignedRecords(Side(a), Side(b), l, na, nb);
}

RecordPairs alignSequences(int na, int nb, const std::function<bool(int, int)>& equal,
                           const std::function<bool(int, int)>& similar) {
    return align(na, nb, equal,
                 [&](const std::vector<int>& ga, const std::vector<int>& gb, Pairs& o) {
                     matchRuns(ga, gb, similar, o, byPosition);
                 });
}

std::string fieldText(const MissionRef& m, const RecordLayout& l, int record, const FlatField& f) {
    std::string out;
    appendLineValue(out, valueOf(Side(m), l, record, f));
    return out;
}

std::string recordText(const MissionRef& m, const RecordLayout& l, int record) {
    std::string out = recordPath(l, record);
    if (l.table == Table::Shipgroups) {
        out += ' ';
        appendShown(out, recordLabel(Side(m), l, record));
    }
    return out;
}

std::string commandText(const MissionRef& m, briefing::Kind kind, const briefing::Record& r) {
    std::string out;
    appendLineValue(out, commandValue(Side(m), kind, r));
    return out;
}

std::string quotedText(std::span<const uint8_t> bytes) {
    std::string out;
    appendShown(out, bytes);
    return out;
}

std::string hexText(std::span<const uint8_t> bytes) {
    std::string out;
    appendLineValue(out, bytesOf(FieldValue::Kind::Hex, bytes));
    return out;
}

}  // namespace quendar::text
