#include <algorithm>
#include <tuple>

#include "briefing/BriefingModel.h"
#include "lint/Lint.h"
#include "lint/RuleSet.h"
#include "mission/ShipgroupRecord.h"

namespace quendar::lint {

namespace {

using S = Severity;

const std::vector<Rule> kRules = {
    {code::OrderTarget, S::Error, "An order target of type Flightgroup names a shipgroup the mission does not have."},
    {code::DeployedGroup, S::Error, "A drop-off order deploys a shipgroup the mission does not have."},
    {code::Mothership, S::Error, "An arrival or departure by hangar names a mothership the mission does not have."},
    {code::OwnMothership, S::Error, "A shipgroup arrives or departs by hangar with itself as the mothership."},
    {code::TriggerSubject, S::Error, "A trigger of type Flightgroup names a shipgroup the mission does not have."},
    {code::CraftTypeMissing, S::Error, "A craft type has no entry in the craft list."},
    {code::CraftTypeUnused, S::Warning, "A craft type is an unused entry of the craft list."},
    {code::OrderCode, S::Warning, "An order code lies outside the order list."},
    {code::TriggerCode, S::Warning, "A trigger's condition, subject type or amount, or an order target's type, lies outside its list."},
    {code::ShipgroupCode, S::Warning, "A shipgroup field holds a value its list does not have."},
    {code::Iff, S::Error, "A shipgroup's IFF lies outside the mission's six IFFs."},
    {code::Team, S::Error, "A shipgroup's team lies outside the ten teams."},
    {code::HyperRegion, S::Error, "A hyperspace order goes to a region outside the four regions."},
    {code::MessageColour, S::Warning, "A message colour lies outside the six IFF colours."},
    {code::Method, S::Warning, "An arrival or departure method lies outside its list."},
    {code::StartRegion, S::Error, "An enabled start point lies in a region outside the four regions."},
    {code::DuplicateName, S::Warning, "Two shipgroups have the same name, and the lists show only names."},
    {code::EmptyMessage, S::Warning, "An in-flight message has no text."},
    {code::MessageNever, S::Warning, "An in-flight message can never be shown: its triggers need an impossible condition."},
    {code::ArrivalNever, S::Warning, "A shipgroup can never arrive: its arrival triggers need an impossible condition."},
    {code::AfterLength, S::Warning, "A briefing command lies after the briefing's length and never plays."},
    {code::SlotNeverShown, S::Warning, "A briefing command names a ship slot that no command shows at or before its time."},
    {code::TagIndex, S::Error, "A briefing tag names an entry past the tag table."},
    {code::TextIndex, S::Error, "A bottom text names an entry past the text table."},
    {code::BriefingRegion, S::Error, "The briefing changes to a region outside the four regions."},
    {code::ZeroZoom, S::Warning, "The briefing zooms the map to 0."},
    {code::EventAreaFull, S::Warning, "The briefing's event area is more than 95 % full."},
    {code::BriefingColour, S::Warning, "A briefing ship's IFF or a tag's colour lies outside the six IFFs."},
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

void report(std::vector<Problem>& out, std::string_view c, Location where, std::string text,
            std::optional<Fix> fix) {
    const Rule* rule = findRule(c);
    out.push_back({rule ? rule->code : c, rule ? rule->severity : Severity::Warning, std::move(where),
                   std::move(text), std::move(fix)});
}

std::string shipgroupRef(int number, int count) {
    return "shipgroup #" + std::to_string(number) + ", but the mission has " + std::to_string(count) +
           (count == 1 ? " shipgroup" : " shipgroups");
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
            return "briefing " + at.field + " at " + std::to_string(at.index);
    }
    return at.field;
}

std::string problemLine(const Problem& p, const mission::MissionStore& store) {
    return std::string(p.code) + " " + std::string(severityName(p.severity)) + " " +
           locationText(p.location, store) + ": " + p.text;
}

void sortProblems(std::vector<Problem>& problems) {
    // Problems are large; sort their positions by a key of plain numbers and
    // move each problem once. The field's byte offset (or the command's kind)
    // stands for the field, so no text is compared but the codes.
    auto key = [](const Problem& p) {
        const Location& l = p.location;
        return std::make_tuple(static_cast<int>(l.area), l.index, l.offset, l.command, p.code);
    };
    std::vector<std::pair<decltype(key(problems.front())), size_t>> order;
    order.reserve(problems.size());
    for (size_t i = 0; i < problems.size(); ++i) order.emplace_back(key(problems[i]), i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    // Place position i's problem by following each cycle of the permutation.
    for (size_t i = 0; i < order.size(); ++i) {
        if (order[i].second == i) continue;
        Problem held = std::move(problems[i]);
        size_t at = i;
        while (order[at].second != i) {
            const size_t from = order[at].second;
            problems[at] = std::move(problems[from]);
            order[at].second = at;
            at = from;
        }
        problems[at] = std::move(held);
        order[at].second = at;
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
    const int condition = s.byte(p.table, p.slot, p.offset);
    const int subjectType = s.byte(p.table, p.slot, p.offset + 1);
    const int subject = s.byte(p.table, p.slot, p.offset + 2);
    const int amount = s.byte(p.table, p.slot, p.offset + 3);
    auto at = [&](int field, const char* name) {
        Location l = p.where;
        l.offset = p.offset + field;
        l.field += name;
        return l;
    };
    if (condition >= kConditionCount)
        report(out, code::TriggerCode, at(0, ".condition"),
               "condition code " + std::to_string(condition) + " is not one of the 51 conditions (0..50)");
    if (subjectType >= kSubjectTypeCount)
        report(out, code::TriggerCode, at(1, ".subjectType"),
               "subject type " + std::to_string(subjectType) + " is not one of the 27 subject types (0..26)");
    if (amount >= p.amounts)
        report(out, code::TriggerCode, at(3, ".amount"),
               "amount code " + std::to_string(amount) + " is not one of the " +
                   std::to_string(p.amounts) + " amounts (0.." + std::to_string(p.amounts - 1) + ")");
    if (subjectType == 1 && subject >= s.shipgroupCount) {
        Fix fix{Fix::Kind::SetBytes, "Set the subject to none", p.table, p.slot, p.offset + 1, {0, 0}, 2};
        report(out, code::TriggerSubject, at(2, ".subject"),
               "the subject names " + shipgroupRef(subject, s.shipgroupCount), std::move(fix));
    }
}

// --- the whole pass ----------------------------------------------------------------

void lintMission(const mission::MissionStore& store, const briefing::BriefingModel& briefing,
                 const mission::CraftList& craftList, std::vector<Problem>& out) {
    const RuleInput in{store, briefing, craftList};
    out.clear();
    lintShipgroups(in, out);
    lintMessagesAndGoals(in, out);
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
    store.setBytes(fix.table, fix.slot, fix.offset,
                   std::span<const uint8_t>(fix.bytes.data(), static_cast<size_t>(fix.byteCount)));
    return true;
}

}  // namespace quendar::lint
