#include <algorithm>
#include <charconv>
#include <cstring>
#include <ostream>
#include <tuple>

#include "briefing/BriefingModel.h"
#include "lint/Lint.h"
#include "lint/RuleSet.h"
#include "mission/ShipgroupRecord.h"
#include "mission/TriggerRecord.h"

namespace quendar::lint {

namespace {

const std::vector<Rule> kRules = {
    code::OrderTarget,
    code::DeployedGroup,
    code::Mothership,
    code::OwnMothership,
    code::TriggerSubject,
    code::CraftTypeMissing,
    code::CraftTypeUnused,
    code::OrderCode,
    code::TriggerCode,
    code::ShipgroupCode,
    code::Iff,
    code::Team,
    code::HyperRegion,
    code::MessageColour,
    code::Method,
    code::StartRegion,
    code::DuplicateName,
    code::EmptyMessage,
    code::MessageNever,
    code::ArrivalNever,
    code::AfterLength,
    code::SlotNeverShown,
    code::TagIndex,
    code::TextIndex,
    code::BriefingRegion,
    code::ZeroZoom,
    code::EventAreaFull,
    code::BriefingColour,
    code::ChainNever,
    code::HangarNever,
    code::MessageChainNever,
    code::GoalNever,
};

constexpr int kConditionCount = 51;
constexpr int kSubjectTypeCount = 27;
constexpr int kImpossible = 10;  // "FALSE - Impossible condition"

}  // namespace

const std::vector<Rule>& rules() { return kRules; }

const Rule* findRule(std::string_view c) {
    for (const auto& r : kRules)
        if (r.code == c) return &r;
    return nullptr;
}

std::string_view severityName(Severity s) { return s == Severity::Error ? "error" : "warning"; }

std::string operator+(std::string s, const FieldName& f) { return s.append(f.view()); }

std::ostream& operator<<(std::ostream& os, const FieldName& f) { return os << f.view(); }

std::string Text::str() const {
    std::string out;
    for (const char* c = pattern; *c; ++c) {
        const bool plural = c[0] == '%' && c[1] == 's' && c[2] >= '0' && c[2] <= '2';
        if (plural) {
            if (args[c[2] - '0'] != 1) out += 's';
            c += 2;
        } else if (c[0] == '%' && c[1] == 'w') {
            if (words) out += *words;
            ++c;
        } else if (c[0] == '%' && c[1] >= '0' && c[1] <= '2') {
            out += std::to_string(args[c[1] - '0']);
            ++c;
        } else {
            out += *c;
        }
    }
    return out;
}

bool Text::operator==(const Text& o) const {
    const bool sameWords = words == o.words || (words && o.words && *words == *o.words);
    return args == o.args && std::strcmp(pattern, o.pattern) == 0 && sameWords;
}

std::string locationText(const Location& at, const mission::MissionStore& store) {
    auto withField = [&](std::string s) { return at.field.empty() ? s : s + " " + at.field; };
    switch (at.area) {
        case Area::Shipgroup:
            return withField("shipgroup #" + std::to_string(at.index) + " \"" +
                             mission::ShipgroupView(store, at.index).name() + "\"");
        case Area::Message: return withField("message " + std::to_string(at.index + 1));
        case Area::GlobalGoal: return withField("global goal");
        case Area::Briefing:
            if (at.index < 0) return withField("briefing");
            // The command's place in its kind's list tells apart two of one
            // kind at one time.
            return "briefing " + at.field +
                   (at.command >= 0 ? " " + std::to_string(at.command + 1) : "") + " at " +
                   std::to_string(at.index);
    }
    return at.field.str();
}

std::string problemLine(const Problem& p, const mission::MissionStore& store) {
    return std::string(p.code) + " " + std::string(severityName(p.severity)) + " " +
           locationText(p.location, store) + ": " + p.text.str();
}

namespace {

// A problem's place in the list as two words of plain numbers, compared as
// the fields are: area, index and offset (below 65535 in every record), then
// command and the code's four characters ("Q101"). The field's byte offset
// (or the command's kind) stands for the field, so no text is compared but
// the codes. Ties keep the order the rules found them in.
struct SortKey {
    uint64_t high, low;
    uint32_t at;  // the problem's position
    bool operator<(const SortKey& o) const {
        return high != o.high ? high < o.high : low != o.low ? low < o.low : at < o.at;
    }
};

SortKey sortKey(const Problem& p, size_t at) {
    auto ordered = [](int v) { return static_cast<uint32_t>(v) ^ 0x80000000u; };
    const Location& l = p.location;
    uint64_t code = 0;
    for (size_t k = 0; k < 4; ++k)
        code = code << 8 | (k < p.code.size() ? static_cast<uint8_t>(p.code[k]) : 0u);
    const uint64_t offset = static_cast<uint16_t>(l.offset + 1);
    return SortKey{
        uint64_t{static_cast<uint8_t>(l.area)} << 48 | uint64_t{ordered(l.index)} << 16 | offset,
        uint64_t{ordered(l.command)} << 32 | code, static_cast<uint32_t>(at)};
}

// Sorts problems[first, first + keys.size()) whose keys are `keys`, moving
// each problem once by following the cycles of the permutation.
void sortRange(std::vector<Problem>& problems, size_t first, std::vector<SortKey>& keys) {
    std::sort(keys.begin(), keys.end());
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].at == first + i) continue;
        Problem held = std::move(problems[first + i]);
        size_t at = i;
        while (keys[at].at != first + i) {
            const size_t from = keys[at].at - first;
            problems[first + at] = std::move(problems[first + from]);
            keys[at].at = static_cast<uint32_t>(first + at);
            at = from;
        }
        problems[first + at] = std::move(held);
        keys[at].at = static_cast<uint32_t>(first + at);
    }
}

}  // namespace

void sortProblems(std::vector<Problem>& problems) {
    // The rules report area by area and, in most areas, record by record, and
    // mostly in the order of the record's fields: the list falls into runs of
    // one record (area and index), each ordered on its own and most already
    // in order. An area whose records come out of order (the briefing, kind
    // by kind) is sorted as one range, and a list whose areas come out of
    // order is sorted whole.
    std::vector<SortKey> keys;
    const auto sortFrom = [&](size_t first, size_t last) {
        size_t i = first + 1;
        for (SortKey before = sortKey(problems[first], first); i < last; ++i) {
            const SortKey key = sortKey(problems[i], i);
            if (key < before) break;
            before = key;
        }
        if (i == last) return;  // in order already
        keys.clear();
        for (size_t k = first; k < last; ++k) keys.push_back(sortKey(problems[k], k));
        sortRange(problems, first, keys);
    };
    const size_t n = problems.size();
    const auto same = [&](size_t i, size_t j) {
        return problems[i].location.area == problems[j].location.area &&
               problems[i].location.index == problems[j].location.index;
    };
    size_t areaStart = 0;
    for (size_t i = 0; i < n;) {
        const Location& at = problems[i].location;
        if (i > 0 && problems[i - 1].location.area != at.area) {
            if (problems[i - 1].location.area > at.area) return sortFrom(0, n);
            areaStart = i;
        } else if (i > 0 && problems[i - 1].location.index > at.index) {
            // Records out of order: the rest of the area as one range.
            size_t end = i;
            while (end < n && problems[end].location.area == at.area) ++end;
            sortFrom(areaStart, end);
            i = end;
            continue;
        }
        size_t j = i + 1;
        while (j < n && same(i, j)) ++j;
        if (j - i > 1) sortFrom(i, j);
        i = j;
    }
}

Counts countProblems(const std::vector<Problem>& problems) {
    Counts c;
    for (const auto& p : problems) (p.severity == Severity::Error ? c.errors : c.warnings)++;
    return c;
}

std::string countsText(const Counts& c) {
    if (c.errors == 0 && c.warnings == 0) return "No problems";
    return std::to_string(c.errors) + (c.errors == 1 ? " error, " : " errors, ") +
           std::to_string(c.warnings) + (c.warnings == 1 ? " warning" : " warnings");
}

// --- shared trigger checks -------------------------------------------------------

bool impossible(const mission::MissionStore& s, mission::Table t, int slot, int offset) {
    return s.byte(t, slot, offset) == kImpossible;
}

bool neverHolds(bool t1, bool t2, int join12, bool t3, bool t4, int join34, int joinConditions) {
    // A join byte of 1 is Or; anything else is And, as the forms show it.
    auto pair = [](bool a, bool b, int join) { return join == 1 ? a && b : a || b; };
    const bool c1 = pair(t1, t2, join12);
    const bool c2 = pair(t3, t4, join34);
    return joinConditions == 1 ? c1 && c2 : c1 || c2;
}

void checkTrigger(const RuleInput& in, const TriggerPlace& p, std::vector<Problem>& out) {
    const auto& s = in.store;
    namespace tr = mission::trigger;
    const int condition = s.byte(p.table, p.slot, p.offset + tr::condition);
    const int subjectType = s.byte(p.table, p.slot, p.offset + tr::subjectType);
    const int subject = s.byte(p.table, p.slot, p.offset + tr::subject);
    const int amount = s.byte(p.table, p.slot, p.offset + tr::amount);
    auto at = [&](int field, const char* name) {
        Location l = p.where;
        l.offset = p.offset + field;
        l.field.append(name);
        return l;
    };
    if (condition >= kConditionCount)
        report(out, code::TriggerCode, at(tr::condition, ".condition"),
               {"condition code %0 is not one of the 51 conditions (0..50)", {condition}});
    if (subjectType >= kSubjectTypeCount)
        report(out, code::TriggerCode, at(tr::subjectType, ".subjectType"),
               {"subject type %0 is not one of the 27 subject types (0..26)", {subjectType}});
    if (subjectType == 1 && subject >= s.shipgroupCount) {
        // The subject type and the subject beside it both become 0.
        const Fix fix{Fix::Kind::SetBytes,
                      "Set the subject to none",
                      p.table,
                      p.slot,
                      p.offset + tr::subjectType,
                      {0, 0},
                      2};
        report(out, code::TriggerSubject, at(tr::subject, ".subject"),
               {"the subject names " QUENDAR_LINT_SHIPGROUP_REF, {subject, s.shipgroupCount}}, fix);
    }
    if (amount >= p.amounts)
        report(out, code::TriggerCode, at(tr::amount, ".amount"),
               {"amount code %0 is not one of the %1 amounts (0..%2)",
                {amount, p.amounts, p.amounts - 1}});
}

// --- the whole pass ----------------------------------------------------------------

void lintMission(const mission::MissionStore& store, const briefing::BriefingModel& briefing,
                 const mission::CraftList& craftList, std::vector<Problem>& out) {
    const RuleInput in{store, briefing, craftList};
    out.clear();
    lintShipgroups(in, out);
    lintMessagesAndGoals(in, out);
    lintFlow(in, out);
    lintBriefing(in, out);
    sortProblems(out);
}

std::vector<Problem> lintMission(const mission::MissionStore& store,
                                 const briefing::BriefingModel& briefing,
                                 const mission::CraftList& craftList) {
    std::vector<Problem> out;
    lintMission(store, briefing, craftList, out);
    return out;
}

bool applyFix(mission::MissionStore& store, briefing::BriefingModel& briefing, const Fix& fix) {
    if (fix.kind == Fix::Kind::RemoveCommand) {
        if (fix.commandIndex < 0 || fix.commandIndex >= briefing.count(fix.command)) return false;
        return briefing.deleteCommand(fix.command, fix.commandIndex);
    }
    const auto shape = mission::shapeOf(fix.table);
    const int used = fix.table == mission::Table::Shipgroups ? store.shipgroupCount
                     : fix.table == mission::Table::Messages ? store.messageCount
                                                             : shape.slots;
    if (fix.byteCount < 1 || fix.byteCount > static_cast<int>(fix.bytes.size()) || fix.slot < 0 ||
        fix.slot >= std::min(used, shape.slots) || fix.offset < 0 ||
        fix.offset + fix.byteCount > shape.slotSize)
        return false;
    if (fix.secondOffset >= 0) {
        if (fix.byteCount != 2 || fix.secondOffset >= shape.slotSize) return false;
        store.setByte(fix.table, fix.slot, fix.offset, fix.bytes[0]);
        store.setByte(fix.table, fix.slot, fix.secondOffset, fix.bytes[1]);
        return true;
    }
    store.setBytes(fix.table, fix.slot, fix.offset,
                   std::span<const uint8_t>(fix.bytes.data(), static_cast<size_t>(fix.byteCount)));
    return true;
}

}  // namespace quendar::lint
