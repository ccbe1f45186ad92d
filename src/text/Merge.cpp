#include "text/Merge.h"

#include <algorithm>
#include <array>
#include <optional>

#include "briefing/BriefingModel.h"
#include "mission/MissionStore.h"
#include "shipgroup/ShipgroupList.h"
#include "text/CommandFields.h"
#include "text/DiffParts.h"
#include "text/FieldTable.h"
#include "text/JsonText.h"

namespace quendar::text {

using mission::MissionStore;
using mission::Table;

std::string Conflict::text() const {
    return path + ": base " + base + ", ours " + ours + ", theirs " + theirs;
}

namespace {

using Bytes = std::span<const uint8_t>;

bool same(Bytes a, Bytes b) { return std::equal(a.begin(), a.end(), b.begin(), b.end()); }

// The three-way rule for one field: the side that changed it wins; both
// changed alike is no conflict; both changed differently keeps ours.
struct Choice {
    bool theirs = false;
    bool conflict = false;
};
Choice choose(Bytes b, Bytes o, Bytes t) {
    if (same(o, b)) return {!same(t, b), false};
    return {false, !same(t, b) && !same(o, t)};
}

// A record list merged against its base: each entry names the record on each
// side (-1: that side lacks it).
struct Entry {
    int b = -1, o = -1, t = -1;
};

// One side's alignment with the base: its partner of every base record and
// the records it inserted before base record k (k = nb: at the end).
struct Threads {
    std::vector<int> ofBase;
    std::vector<std::vector<int>> gaps;
    Threads(const RecordPairs& pairs, int nb)
        : ofBase(static_cast<size_t>(nb), -1), gaps(static_cast<size_t>(nb) + 1) {
        int next = nb;
        for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) {
            if (it->first >= 0) {
                next = it->first;
                ofBase[static_cast<size_t>(next)] = it->second;
            } else {
                auto& gap = gaps[static_cast<size_t>(next)];
                gap.insert(gap.begin(), it->second);
            }
        }
    }
    // Pairs a base item this side lacks with one it inserted that `similar`
    // relates to it anywhere in the list: a briefing command moved past others
    // in time order is the same command, moved.
    template <typename Similar>
    void pairMoved(Similar similar) {
        for (size_t k = 0; k < ofBase.size(); ++k) {
            if (ofBase[k] >= 0) continue;
            for (auto& gap : gaps) {
                const auto it = std::find_if(
                    gap.begin(), gap.end(), [&](int x) { return similar(static_cast<int>(k), x); });
                if (it == gap.end()) continue;
                ofBase[k] = *it;
                gap.erase(it);
                break;
            }
        }
    }
};

// Interleaves the two sides' lists over the base: at each gap ours' insertions,
// then theirs' (one copy when both inserted the same records), then the base
// record when either side still has it.
template <typename Twin>
std::vector<Entry> interleave(const Threads& o, const Threads& t, int nb, Twin twin) {
    std::vector<Entry> seq;
    for (int k = 0; k <= nb; ++k) {
        const auto& go = o.gaps[static_cast<size_t>(k)];
        const auto& gt = t.gaps[static_cast<size_t>(k)];
        bool twins = go.size() == gt.size();
        for (size_t i = 0; twins && i < go.size(); ++i) twins = twin(go[i], gt[i]);
        if (twins) {
            for (size_t i = 0; i < go.size(); ++i) seq.push_back({-1, go[i], gt[i]});
        } else {
            for (int x : go) seq.push_back({-1, x, -1});
            for (int x : gt) seq.push_back({-1, -1, x});
        }
        if (k == nb) break;
        const int ob = o.ofBase[static_cast<size_t>(k)], tb = t.ofBase[static_cast<size_t>(k)];
        if (ob >= 0 || tb >= 0) seq.push_back({k, ob, tb});
    }
    return seq;
}

// Shipgroup numbers of each side as the merged list numbers them.
struct NumberMaps {
    std::vector<int> b, o, t;
    NumberMaps(const std::vector<Entry>& seq, int nb, int no, int nt)
        : b(static_cast<size_t>(nb), shipgroup::kClearReference),
          o(static_cast<size_t>(no), shipgroup::kClearReference),
          t(static_cast<size_t>(nt), shipgroup::kClearReference) {
        for (size_t i = 0; i < seq.size(); ++i) {
            const int n = static_cast<int>(i);
            if (seq[i].b >= 0) b[static_cast<size_t>(seq[i].b)] = n;
            if (seq[i].o >= 0) o[static_cast<size_t>(seq[i].o)] = n;
            if (seq[i].t >= 0) t[static_cast<size_t>(seq[i].t)] = n;
        }
    }
};

// A copy of a side's store with every shipgroup reference renumbered through
// `map`, as Paste and Delete renumber; numbers the side does not have stay.
MissionStore renumbered(const MissionStore& store, const std::vector<int>& map) {
    MissionStore s(store);
    const auto f = [&map](int v) {
        return v >= 0 && v < static_cast<int>(map.size()) ? map[static_cast<size_t>(v)] : v;
    };
    const int n = std::clamp(s.shipgroupCount, 0, mission::kMaxShipgroups);
    for (int i = 0; i < n; ++i) shipgroup::remapReferences(s, i, f);
    shipgroup::remapOutsideReferences(s, f);
    return s;
}

// The fields of a record kept in tables of their own (order and goal texts).
std::vector<const FlatField*> slotFields(const RecordLayout& l) {
    std::vector<const FlatField*> out;
    for (const FlatField& f : flatFields(l))
        if (f.at.node->form == Form::StringSlot) out.push_back(&f);
    return out;
}

std::span<uint8_t> slotOf(MissionStore& s, const FlatField& f, int record) {
    return s.mutableSlot(f.at.node->ext, f.at.node->extSlot(record, f.at.path()));
}

bool sameRecord(const RecordLayout& l, const MissionStore& x, int i, const MissionStore& y, int j) {
    if (!same(x.slot(l.table, i), y.slot(l.table, j))) return false;
    for (const FlatField* f : slotFields(l))
        if (!same(stringSlotOf(x, f->at, i), stringSlotOf(y, f->at, j))) return false;
    return true;
}

void copyRecord(const RecordLayout& l, const MissionStore& from, int i, MissionStore& to, int j) {
    const auto src = from.slot(l.table, i);
    std::copy(src.begin(), src.end(), to.mutableSlot(l.table, j).begin());
    for (const FlatField* f : slotFields(l)) {
        const auto s = stringSlotOf(from, f->at, i);
        std::copy(s.begin(), s.end(), slotOf(to, *f, j).begin());
    }
}

class Merger {
  public:
    Merger(const MissionRef& base, const MissionRef& ours, const MissionRef& theirs,
           MergeTarget out)
        : m_base(base), m_ours(ours), m_theirs(theirs), m_out(out) {}

    MergeOutcome run();

  private:
    void conflict(std::string path, std::string b, std::string o, std::string t) {
        m_conflicts.push_back({std::move(path), std::move(b), std::move(o), std::move(t)});
    }
    std::vector<Entry> sequence(const RecordLayout& l, int nb, int no, int nt) const;
    bool keep(const RecordLayout& l, const Entry& e, const MissionStore& b, const MissionStore& o,
              const MissionStore& t, bool report);
    void mergeRecord(const RecordLayout& l, const Entry& e, int to, const std::string& label);
    void mergeList(const RecordLayout& l, const std::vector<Entry>& seq);
    void mergeFixed(const RecordLayout& l, int n);
    void mergeTexts(Table t, const std::string& name);
    void mergeBlock(Table t, const std::string& name);
    template <typename Report>
    void mergeBytes(Bytes b, Bytes o, Bytes t, std::span<uint8_t> dst, int from, int to,
                    const std::vector<bool>* skip, Report report);
    void mergeBriefing();
    std::vector<briefing::Record> mergeKind(briefing::Kind kind);

    const MissionRef& m_base;
    const MissionRef& m_ours;
    const MissionRef& m_theirs;
    MergeTarget m_out;
    // The three stores with their shipgroup references in the merged numbers.
    MissionStore m_b, m_o, m_t;
    std::vector<Conflict> m_conflicts;
};

std::vector<Entry> Merger::sequence(const RecordLayout& l, int nb, int no, int nt) const {
    const Threads o(alignRecords(m_base, m_ours, l, nb, no), nb);
    const Threads t(alignRecords(m_base, m_theirs, l, nb, nt), nb);
    return interleave(
        o, t, nb, [&](int x, int y) { return sameRecord(l, m_ours.store, x, m_theirs.store, y); });
}

// A record one side deleted stays only when the other side changed it: then
// it is a conflict, and the merge keeps ours.
bool Merger::keep(const RecordLayout& l, const Entry& e, const MissionStore& b,
                  const MissionStore& o, const MissionStore& t, bool report) {
    if (e.b < 0 || (e.o >= 0 && e.t >= 0)) return true;
    const bool oursKept = e.o >= 0;
    const bool changed = oursKept ? !sameRecord(l, o, e.o, b, e.b) : !sameRecord(l, t, e.t, b, e.b);
    if (changed && report)
        conflict(oursKept ? recordText(m_ours, l, e.o) : recordText(m_base, l, e.b), "present",
                 oursKept ? "changed" : "deleted", oursKept ? "deleted" : "changed");
    return oursKept && changed;
}

template <typename Report>
void Merger::mergeBytes(Bytes b, Bytes o, Bytes t, std::span<uint8_t> dst, int from, int to,
                        const std::vector<bool>* skip, Report report) {
    int runStart = -1;
    const auto flush = [&](int end) {
        if (runStart < 0) return;
        const auto part = [&](Bytes x) {
            return hexText(
                x.subspan(static_cast<size_t>(runStart), static_cast<size_t>(end - runStart)));
        };
        report(runStart, part(b), part(o), part(t));
        runStart = -1;
    };
    for (int i = from; i < to; ++i) {
        const size_t k = static_cast<size_t>(i);
        if (skip && (*skip)[k]) {
            flush(i);
            continue;
        }
        const Choice c = choose(b.subspan(k, 1), o.subspan(k, 1), t.subspan(k, 1));
        dst[k] = c.theirs ? t[k] : o[k];
        if (c.conflict && runStart < 0) runStart = i;
        if (!c.conflict) flush(i);
    }
    flush(to);
}

void Merger::mergeRecord(const RecordLayout& l, const Entry& e, int to, const std::string& label) {
    MissionStore& out = m_out.store;
    const auto rb = m_b.slot(l.table, e.b), ro = m_o.slot(l.table, e.o),
               rt = m_t.slot(l.table, e.t);
    auto dst = out.mutableSlot(l.table, to);
    std::copy(ro.begin(), ro.end(), dst.begin());
    for (const FlatField& f : flatFields(l)) {
        const Node& n = *f.at.node;
        Bytes xb, xo, xt;
        std::span<uint8_t> target;
        if (n.form == Form::StringSlot) {
            xb = stringSlotOf(m_b, f.at, e.b), xo = stringSlotOf(m_o, f.at, e.o),
            xt = stringSlotOf(m_t, f.at, e.t);
            target = slotOf(out, f, to);
        } else {
            const auto at = static_cast<size_t>(f.at.offset), w = static_cast<size_t>(n.width);
            xb = rb.subspan(at, w), xo = ro.subspan(at, w), xt = rt.subspan(at, w);
            target = dst.subspan(at, w);
        }
        const Choice c = choose(xb, xo, xt);
        const Bytes from = c.theirs ? xt : xo;
        std::copy(from.begin(), from.end(), target.begin());
        if (c.conflict)
            conflict(label + "." + f.path, fieldText(m_base, l, e.b, f),
                     fieldText(m_ours, l, e.o, f), fieldText(m_theirs, l, e.t, f));
    }
    mergeBytes(rb, ro, rt, dst, 0, static_cast<int>(dst.size()), &l.owned,
               [&](int at, std::string b, std::string o, std::string t) {
                   conflict(label + ".rest[" + std::to_string(at) + "]", b, o, t);
               });
}

void Merger::mergeList(const RecordLayout& l, const std::vector<Entry>& seq) {
    for (size_t i = 0; i < seq.size(); ++i) {
        const Entry& e = seq[i];
        const int to = static_cast<int>(i);
        if (e.b >= 0 && e.o >= 0 && e.t >= 0)
            mergeRecord(l, e, to,
                        recordText(m_ours, l, e.o) + (l.table == Table::Shipgroups ? " " : ""));
        else if (e.o >= 0)
            copyRecord(l, m_o, e.o, m_out.store, to);
        else
            copyRecord(l, m_t, e.t, m_out.store, to);
    }
}

void Merger::mergeFixed(const RecordLayout& l, int n) {
    for (int i = 0; i < n; ++i)
        mergeRecord(
            l, {i, i, i}, i,
            n > 1 ? std::string(l.name) + "[" + std::to_string(i) + "]" : std::string(l.name));
}

void Merger::mergeTexts(Table t, const std::string& name) {
    const int n = mission::shapeOf(t).slots;
    for (int i = 0; i < n; ++i) {
        const auto xb = m_b.slot(t, i), xo = m_o.slot(t, i), xt = m_t.slot(t, i);
        const Choice c = choose(xb, xo, xt);
        if (c.theirs) std::copy(xt.begin(), xt.end(), m_out.store.mutableSlot(t, i).begin());
        if (c.conflict) {
            const auto shown = [](Bytes x) {
                return quotedText(withoutPadding(
                    x.first(static_cast<size_t>(std::find(x.begin(), x.end(), 0) - x.begin()))));
            };
            conflict(n > 1 ? name + "[" + std::to_string(i) + "]" : name, shown(xb), shown(xo),
                     shown(xt));
        }
    }
}

void Merger::mergeBlock(Table t, const std::string& name) {
    const auto b = m_b.slot(t, 0);
    mergeBytes(b, m_o.slot(t, 0), m_t.slot(t, 0), m_out.store.mutableSlot(t, 0), 0,
               static_cast<int>(b.size()), nullptr,
               [&](int at, std::string xb, std::string xo, std::string xt) {
                   conflict(name + "[" + std::to_string(at) + "]", xb, xo, xt);
               });
}

// One kind's commands as lists of (time, parameters): a command added on
// either side is kept, one removed on either side is removed, one changed on
// both sides differently is a conflict and keeps ours.
std::vector<briefing::Record> Merger::mergeKind(briefing::Kind kind) {
    using briefing::Record;
    const auto rb = m_base.briefing.records(kind), ro = m_ours.briefing.records(kind),
               rt = m_theirs.briefing.records(kind);
    const int nb = static_cast<int>(rb.size());
    const auto align = [&](std::span<const Record> other) {
        return Threads(alignSequences(
                           nb, static_cast<int>(other.size()),
                           [&](int i, int j) {
                               return rb[static_cast<size_t>(i)] == other[static_cast<size_t>(j)];
                           },
                           [&](int i, int j) {
                               return rb[static_cast<size_t>(i)].params ==
                                      other[static_cast<size_t>(j)].params;
                           }),
                       nb);
    };
    Threads o = align(ro), t = align(rt);
    const auto moved = [&](std::span<const Record> other) {
        return [&rb, other](int i, int j) {
            return rb[static_cast<size_t>(i)].params == other[static_cast<size_t>(j)].params;
        };
    };
    o.pairMoved(moved(ro));
    t.pairMoved(moved(rt));
    std::vector<Record> out;
    const auto seq = interleave(o, t, nb, [&](int x, int y) {
        return ro[static_cast<size_t>(x)] == rt[static_cast<size_t>(y)];
    });
    const std::string name = "briefing.commands." + std::string(briefing::kindInfo(kind).name);
    for (const Entry& e : seq) {
        const std::optional<Record> vb =
            e.b >= 0 ? std::optional(rb[static_cast<size_t>(e.b)]) : std::nullopt;
        const std::optional<Record> vo =
            e.o >= 0 ? std::optional(ro[static_cast<size_t>(e.o)]) : std::nullopt;
        const std::optional<Record> vt =
            e.t >= 0 ? std::optional(rt[static_cast<size_t>(e.t)]) : std::nullopt;
        if (!vb) {
            out.push_back(vo ? *vo : *vt);
            continue;
        }
        const bool oursChanged = vo != vb, theirsChanged = vt != vb;
        const std::optional<Record>& taken = oursChanged || !theirsChanged ? vo : vt;
        if (oursChanged && theirsChanged && vo != vt) {
            const auto shown = [&](const MissionRef& m, const std::optional<Record>& r) {
                return r ? commandText(m, kind, *r) : std::string("removed");
            };
            conflict(name + "[" + std::to_string(e.b) + "]", shown(m_base, vb), shown(m_ours, vo),
                     shown(m_theirs, vt));
        }
        if (taken) out.push_back(*taken);
    }
    return out;
}

void Merger::mergeBriefing() {
    using namespace briefing;
    // The block's own bytes: the length mark, the team flags and whatever lies
    // behind the commands. The commands' bytes are rewritten from the lists.
    const auto bb = m_b.slot(Table::Briefing1, 0), bo = m_o.slot(Table::Briefing1, 0),
               bt = m_t.slot(Table::Briefing1, 0);
    auto block = m_out.store.mutableSlot(Table::Briefing1, 0);
    const int end = kEventAreaStart +
                    std::max({packedEventBytes(m_base.briefing), packedEventBytes(m_ours.briefing),
                              packedEventBytes(m_theirs.briefing)});
    const auto silent = [](int, std::string, std::string, std::string) {};
    const auto rest = [&](int at, std::string b, std::string o, std::string t) {
        conflict("briefing.rest[" + std::to_string(at) + "]", b, o, t);
    };
    mergeBytes(bb, bo, bt, block, 0, kEventAreaStart, nullptr,
               [&](int at, std::string b, std::string o, std::string t) {
                   if (at >= 4) rest(at, b, o, t);
               });
    mergeBytes(bb, bo, bt, block, kEventAreaStart, end, nullptr, silent);
    mergeBytes(bb, bo, bt, block, end, kTeamFlagsOffset, nullptr, rest);
    for (int i = 0; i < kTeamFlagCount; ++i) {
        const int at = kTeamFlagsOffset + i;
        mergeBytes(bb, bo, bt, block, at, at + 1, nullptr,
                   [&](int, std::string b, std::string o, std::string t) {
                       conflict("briefing.teams[" + std::to_string(i) + "]", b, o, t);
                   });
    }
    mergeBytes(bb, bo, bt, block, kTeamFlagsOffset + kTeamFlagCount, static_cast<int>(block.size()),
               nullptr, rest);

    const auto scalar = [&](const char* name, int b, int o, int t) {
        if (o != b && t != b && o != t)
            conflict(std::string("briefing.") + name, std::to_string(b), std::to_string(o),
                     std::to_string(t));
        return o == b ? t : o;
    };
    const int length = scalar("briefingLength", m_base.store.briefingLength,
                              m_ours.store.briefingLength, m_theirs.store.briefingLength);
    const int endTime =
        scalar("endTime", m_base.briefing.briefingEndTime(), m_ours.briefing.briefingEndTime(),
               m_theirs.briefing.briefingEndTime());

    std::array<std::vector<Record>, kKindCount> lists;
    for (int k = 0; k < kKindCount; ++k)
        lists[static_cast<size_t>(k)] = mergeKind(static_cast<Kind>(k));

    // The lists go into the event area as a save writes them (by time; at one
    // time the kind a save scans later first) and are read back by the
    // briefing's own reader; then the block gets its own bytes back.
    const auto encode = [&](const std::array<std::vector<Record>, kKindCount>& from) {
        struct Item {
            int32_t time;
            Kind kind;
            const Record* r;
        };
        std::vector<Item> items;
        for (int r = 0; r < kKindCount; ++r) {
            const Kind kind = kSaveScanOrder[static_cast<size_t>(kKindCount - 1 - r)];
            for (const Record& rec : from[static_cast<size_t>(kind)])
                items.push_back({rec.time, kind, &rec});
        }
        std::stable_sort(items.begin(), items.end(),
                         [](const Item& a, const Item& b) { return a.time < b.time; });
        std::vector<uint8_t> stream;
        const auto word = [&](int w) {
            stream.push_back(static_cast<uint8_t>(w & 0xFF));
            stream.push_back(static_cast<uint8_t>((w >> 8) & 0xFF));
        };
        for (const Item& it : items) {
            const KindInfo& info = kindInfo(it.kind);
            word(it.time);
            word(info.code | (it.r->codeHigh << 8));
            for (int p = 0; p < info.paramCount; ++p) word(it.r->param(p));
        }
        word(endTime);
        word(kEndCode);
        return stream;
    };
    std::vector<uint8_t> stream = encode(lists);
    bool fits = static_cast<int>(stream.size()) <= kEventAreaSize;
    for (int k = 0; k < kKindCount; ++k)
        fits = fits && static_cast<int>(lists[static_cast<size_t>(k)].size()) <=
                           kindInfo(static_cast<Kind>(k)).capacity;
    if (!fits) {
        conflict("briefing.commands", "fits", "fits",
                 "the merged commands do not fit the briefing's lists");
        for (int k = 0; k < kKindCount; ++k) {
            const auto r = m_ours.briefing.records(static_cast<Kind>(k));
            lists[static_cast<size_t>(k)].assign(r.begin(), r.end());
        }
        stream = encode(lists);
    }
    block[0] = block[2] = static_cast<uint8_t>(length & 0xFF);
    block[1] = block[3] = static_cast<uint8_t>((length >> 8) & 0xFF);
    const std::vector<uint8_t> kept(block.begin(), block.end());
    std::copy(stream.begin(), stream.end(), block.begin() + kEventAreaStart);
    m_out.briefing.parseBriefing();
    std::copy(kept.begin(), kept.end(), block.begin());
    m_out.store.briefingLength = length;
}

MergeOutcome Merger::run() {
    const auto count = [](int n, int max) { return std::clamp(n, 0, max); };
    const int gb = count(m_base.store.shipgroupCount, mission::kMaxShipgroups),
              go = count(m_ours.store.shipgroupCount, mission::kMaxShipgroups),
              gt = count(m_theirs.store.shipgroupCount, mission::kMaxShipgroups);
    const RecordLayout& groups = shipgroupLayout();

    // Which records a one-sided deletion takes away depends on whether the
    // other side changed them, judged with every side numbered as if all were
    // kept; the final numbers follow from that.
    std::vector<Entry> seq = sequence(groups, gb, go, gt);
    if (std::any_of(seq.begin(), seq.end(),
                    [](const Entry& e) { return e.b >= 0 && (e.o < 0 || e.t < 0); })) {
        const NumberMaps all(seq, gb, go, gt);
        const MissionStore b = renumbered(m_base.store, all.b), o = renumbered(m_ours.store, all.o),
                           t = renumbered(m_theirs.store, all.t);
        std::vector<Entry> kept;
        for (const Entry& e : seq)
            if (keep(groups, e, b, o, t, true)) kept.push_back(e);
        seq = std::move(kept);
    }
    // A merge adds shipgroups up to the list's own limit, as Add and Paste do;
    // a side that already holds more (the file has room for 255) keeps them.
    const int most = std::max({shipgroup::kMaxListedShipgroups, go, gt});
    if (static_cast<int>(seq.size()) > most)
        return {{},
                "the merged mission would hold " + std::to_string(seq.size()) +
                    " shipgroups; at most " + std::to_string(most) + " fit"};
    const NumberMaps numbers(seq, gb, go, gt);
    m_b = renumbered(m_base.store, numbers.b);
    m_o = renumbered(m_ours.store, numbers.o);
    m_t = renumbered(m_theirs.store, numbers.t);

    const RecordLayout& messages = messageLayout();
    const int mb = count(m_base.store.messageCount, mission::kMaxMessages),
              mo = count(m_ours.store.messageCount, mission::kMaxMessages),
              mt = count(m_theirs.store.messageCount, mission::kMaxMessages);
    std::vector<Entry> mseq;
    for (const Entry& e : sequence(messages, mb, mo, mt))
        if (keep(messages, e, m_b, m_o, m_t, true)) mseq.push_back(e);
    if (static_cast<int>(mseq.size()) > mission::kMaxMessages)
        return {{},
                "the merged mission would hold " + std::to_string(mseq.size()) +
                    " messages; at most " + std::to_string(mission::kMaxMessages) + " fit"};
    // Conflicts in the diff's order: the deletion conflicts found above go
    // with their lists.
    std::vector<Conflict> deletions = std::move(m_conflicts);
    m_conflicts.clear();

    MissionStore& out = m_out.store;
    const std::string path = out.missionPath;
    out = m_o;
    out.missionPath = path;
    out.shipgroupCount = static_cast<int>(seq.size());
    out.messageCount = static_cast<int>(mseq.size());
    mergeFixed(headerLayout(), 1);
    mergeTexts(Table::RegionNames, "regionNames");
    mergeFixed(specialCargoLayout(), 16);
    mergeTexts(Table::GlobalGroupNames, "globalGroupNames");
    mergeBlock(Table::Block3480, "block3480");
    mergeFixed(missionOptionsLayout(), 1);
    mergeList(groups, seq);
    mergeList(messages, mseq);
    m_conflicts.insert(m_conflicts.end(), deletions.begin(), deletions.end());
    mergeFixed(globalGoalLayout(), mission::kTeams);
    mergeFixed(teamLayout(), mission::kTeams);
    mergeTexts(Table::Briefing1Tags, "briefing.tags");
    mergeTexts(Table::Briefing1Texts, "briefing.texts");
    mergeTexts(Table::BriefingTextNotes, "briefing.textNotes");
    mergeBriefing();
    mergeBlock(Table::Briefing2, "briefing2.block");
    mergeTexts(Table::Briefing2Tags, "briefing2.tags");
    mergeTexts(Table::Briefing2Texts, "briefing2.texts");
    mergeBlock(Table::Block6268, "block6268");
    mergeTexts(Table::MessageNotes, "messageNotes");
    mergeTexts(Table::NotesC, "notesC");
    mergeTexts(Table::NotesD, "notesD");
    mergeTexts(Table::NotesE, "notesE");
    mergeBlock(Table::Block417, "block417");
    mergeTexts(Table::Debriefing, "debriefing");
    mergeTexts(Table::Hints, "hints");
    mergeTexts(Table::Introduction, "introduction");
    return {std::move(m_conflicts), {}};
}

}  // namespace

MergeOutcome mergeMissions(const MissionRef& base, const MissionRef& ours, const MissionRef& theirs,
                           MergeTarget out) {
    return Merger(base, ours, theirs, out).run();
}

}  // namespace quendar::text
