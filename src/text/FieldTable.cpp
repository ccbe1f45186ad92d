#include "text/FieldTable.h"

#include <array>
#include <charconv>

#include "mission/CraftList.h"
#include "mission/GlobalGoalRecord.h"
#include "mission/MessageRecord.h"
#include "mission/MissionRecords.h"
#include "mission/ShipgroupRecord.h"
#include "mission/TriggerRecord.h"
#include "shipgroup/CodeTables.h"
#include "shipgroup/MissionNames.h"

namespace quendar::text {

using mission::Table;
namespace sg = mission::sg;
namespace msg = mission::msg;
namespace goal = mission::goal;
namespace tr = mission::trigger;
namespace od = mission::sg::order;
namespace pt = mission::sg::point;
namespace gf = mission::sg::goalField;

// Texts kept in tables of their own lie at no offset of the record.
constexpr int kOutside = 0;

namespace {

constexpr Node B(std::string_view n, int off, Codes c = Codes::None, int typeOff = 0) {
    return Node{.name = n,
                .offset = off,
                .width = 1,
                .form = Form::Byte,
                .codes = c,
                .typeOffset = typeOff};
}
constexpr Node W(std::string_view n, int off) {
    return Node{.name = n, .offset = off, .width = 2, .form = Form::Word};
}
constexpr Node S(std::string_view n, int off) {
    return Node{.name = n, .offset = off, .width = 2, .form = Form::Signed};
}
constexpr Node T(std::string_view n, int off, int width) {
    return Node{.name = n, .offset = off, .width = width, .form = Form::Text};
}
constexpr Node L(std::string_view n, int off, int width) {
    return Node{.name = n, .offset = off, .width = width, .form = Form::Bytes};
}
constexpr Node G(std::string_view n, int off, std::span<const Node> element, int count, int stride,
                 bool trim = false) {
    return Node{.name = n,
                .offset = off,
                .width = 0,
                .form = Form::Group,
                .element = element,
                .count = count,
                .stride = stride,
                .trim = trim};
}
constexpr Node Gat(std::string_view n, int off, std::span<const Node> element,
                   std::span<const int> at, bool trim = false) {
    return Node{.name = n,
                .offset = off,
                .width = 0,
                .form = Form::Group,
                .element = element,
                .offsets = at,
                .trim = trim};
}
constexpr Node Obj(std::string_view n, int off, std::span<const Node> element, int tag) {
    return Node{
        .name = n, .offset = off, .width = 0, .form = Form::Group, .element = element, .tag = tag};
}
constexpr Node Str(Table t, int (*slot)(int, std::span<const int>)) {
    return Node{.name = "",
                .width = mission::kShortStringSize,
                .form = Form::StringSlot,
                .ext = t,
                .extSlot = slot};
}

// The six bytes of a trigger.
constexpr Node kTrigger[] = {
    B("condition", tr::condition, Codes::Condition),
    B("subjectType", tr::subjectType, Codes::SubjectType),
    B("subject", tr::subject, Codes::Subject, tr::subjectType),
    B("amount", tr::amount, Codes::Amount),
    B("param1", tr::param1, Codes::Param1),
    B("param2", tr::param2),
};

// --- header
namespace hd = mission::header;
constexpr Node kIffName[] = {T("", kOutside, hd::iffNameWidth)};
constexpr Node kHeader[] = {
    W("formatNumber", hd::formatNumber),
    // The writer puts the counts' low bytes here; the high bytes are kept.
    Node{.name = "", .offset = hd::shipgroupCount, .width = 1, .form = Form::Derived},
    Node{.name = "", .offset = hd::messageCount, .width = 1, .form = Form::Derived},
    G("iffNames", hd::iffNames, kIffName, hd::iffNameCount, hd::iffNameWidth),
};

constexpr Node kCargo[] = {T("name", mission::cargo::name, mission::cargo::nameWidth)};
constexpr Node kOptions[] = {B("startingHangar", mission::options::startingHangar)};

// --- shipgroup
constexpr int kArrivalAt[] = {0, sg::arrivalTrigger2 - sg::arrivalTrigger1,
                              sg::arrivalTrigger3 - sg::arrivalTrigger1,
                              sg::arrivalTrigger4 - sg::arrivalTrigger1};
constexpr int kDepartureAt[] = {0, sg::departureTrigger2 - sg::departureTrigger1};
constexpr Node kWaypoint[] = {S("x", pt::x), S("y", pt::y), S("z", pt::z),
                              W("enabled", pt::enabled)};
constexpr Node kOrder[] = {
    B("order", od::code, Codes::Order),
    B("throttle", od::throttle, Codes::Throttle),
    B("orderParam1", od::param1, Codes::OrderParam1, od::code),
    B("orderParam2", od::param2, Codes::OrderParam2, od::code),
    B("orderParam3", od::param3),
    B("orderParam4", od::param4),
    B("target3Type", od::target3Type, Codes::TargetType),
    B("target4Type", od::target4Type, Codes::TargetType),
    B("target3", od::target3, Codes::Target, od::target3Type),
    B("target4", od::target4, Codes::Target, od::target4Type),
    B("target34Flag", od::target34Flag),
    B("orderParam5", od::param5),
    B("target1Type", od::target1Type, Codes::TargetType),
    B("target1", od::target1, Codes::Target, od::target1Type),
    B("target2Type", od::target2Type, Codes::TargetType),
    B("target2", od::target2, Codes::Target, od::target2Type),
    B("target12Flag", od::target12Flag),
    B("orderParam6", od::param6),
    B("orderParam7", od::param7),
    B("orderParam8", od::param8),
    G("waypoints", sg::orderWaypoints, kWaypoint, sg::waypointCount, sg::waypointSize, true),
    Node{.name = "text",
         .width = mission::kShortStringSize,
         .form = Form::StringSlot,
         .ext = Table::OrderStrings,
         .extSlot =
             [](int rec, std::span<const int> i) {
                 return mission::orderStringIndex(rec, i[0], i[1]);
             }},
};
constexpr Node kRegionOrders[] = {
    G("", kOutside, kOrder, sg::ordersPerRegion, sg::orderSize, true)};
constexpr Node kGoalMessage[] = {
    Str(Table::ShipgroupGoalStrings, [](int rec, std::span<const int> i) {
        return mission::shipgroupGoalStringIndex(rec, i[0], i[1]);
    })};
constexpr Node kGoal[] = {
    B("goalArgument", gf::argument, Codes::GoalArgument),
    B("goalCondition", gf::condition, Codes::GoalCondition),
    B("goalAmount", gf::amount, Codes::Amount),
    B("goalPoints", gf::points),
    B("goalEnabled", gf::enabled),
    G("messages", kOutside, kGoalMessage, 3, 0),
};
constexpr Node kStartPoint[] = {S("x", pt::x), S("y", pt::y), S("z", pt::z),
                                W("enabled", pt::enabled)};

constexpr Node kShipgroup[] = {
    T("name", sg::name, sg::nameWidth),
    B("additionalInfo1Enable", sg::additionalInfo1Enable),
    B("additionalInfo2Enable", sg::additionalInfo2Enable),
    B("additionalInfo1", sg::additionalInfo1, Codes::AdditionalInfo),
    B("additionalInfo2", sg::additionalInfo2, Codes::AdditionalInfo),
    B("specialCargoIndex", sg::specialCargoIndex),
    T("cargo", sg::cargo, sg::cargoWidth),
    T("comment", sg::comment, sg::commentWidth),
    B("specialCargoCraft", sg::specialCargoCraft),
    B("specialCargoRandom", sg::specialCargoRandom),
    B("craftType", sg::craftType, Codes::CraftType),
    B("craftCount", sg::craftCount, Codes::CraftCount),
    B("status1", sg::status1, Codes::Status),
    B("warhead", sg::warhead, Codes::Warhead),
    B("beam", sg::beam, Codes::Beam),
    B("iff", sg::iff, Codes::Iff),
    B("team", sg::team, Codes::Team),
    B("aiSkill", sg::aiSkill, Codes::AiSkill),
    B("markings", sg::markings, Codes::Marking),
    B("radio", sg::radio, Codes::Radio),
    B("formation", sg::formation),
    B("formationDistance", sg::formationDistance),
    B("globalGroup", sg::globalGroup),
    B("waves", sg::waves),
    B("playerCraft", sg::playerCraft, Codes::Pilot),
    Gat("arrivalTriggers", sg::arrivalTrigger1, kTrigger, kArrivalAt),
    B("arrivalValueA", sg::arrivalValueA),
    B("arrivalValueB", sg::arrivalValueB),
    B("arrivalOr12", sg::arrivalOr12),
    B("arrivalValueC", sg::arrivalValueC),
    B("arrivalValueD", sg::arrivalValueD),
    B("arrivalOr34", sg::arrivalOr34),
    B("arrivalOrConditions", sg::arrivalOrConditions),
    B("arrivalDelayMinutes", sg::arrivalDelayMinutes),
    B("arrivalDelaySeconds", sg::arrivalDelaySeconds),
    Gat("departureTriggers", sg::departureTrigger1, kTrigger, kDepartureAt),
    B("departureValueA", sg::departureValueA),
    B("departureValueB", sg::departureValueB),
    B("departureOr", sg::departureOr),
    B("departureDelayMinutes", sg::departureDelayMinutes),
    B("departureDelaySeconds", sg::departureDelaySeconds),
    B("arrivalMothership1", sg::arrivalMothership1, Codes::Shipgroup),
    B("arrivalMethod1", sg::arrivalMethod1, Codes::Method),
    B("arrivalMothership2", sg::arrivalMothership2, Codes::Shipgroup),
    B("arrivalMethod2", sg::arrivalMethod2, Codes::Method),
    B("departureMothership1", sg::departureMothership1, Codes::Shipgroup),
    B("departureMethod1", sg::departureMethod1, Codes::Method),
    B("departureMothership2", sg::departureMothership2, Codes::Shipgroup),
    B("departureMethod2", sg::departureMethod2, Codes::Method),
    G("orders", sg::orders, kRegionOrders, sg::regionCount, sg::orderRegionStride),
    G("goals", sg::goals, kGoal, sg::goalCount, sg::goalSize, true),
    G("startPoints", sg::startPoints, kStartPoint, sg::startPointCount, sg::startPointSize),
    L("startPointRegion", sg::startPointRegion, sg::startPointCount),
    B("countermeasure", sg::countermeasure, Codes::Countermeasure),
    B("status2", sg::status2, Codes::Status),
    B("globalUnit", sg::globalUnit),
    L("optionalWarheads", sg::optionalWarheads, sg::optionalWarheadCount),
    L("optionalBeams", sg::optionalBeams, sg::optionalBeamCount),
    L("optionalCountermeasures", sg::optionalCountermeasures, sg::optionalCountermeasureCount),
    B("optionalShipMode", sg::optionalShipMode, Codes::ShipMode),
    L("optionalShipType", sg::optionalShipType, sg::optionalShipSlots),
    L("optionalShipCount", sg::optionalShipCount, sg::optionalShipSlots),
    L("optionalShipWaves", sg::optionalShipWaves, sg::optionalShipSlots),
    B("backdrop", sg::backdrop),
};

// --- in-flight message
constexpr int kMessageTriggersAt[] = {0, msg::triggers[1] - msg::triggers[0],
                                      msg::triggers[2] - msg::triggers[0],
                                      msg::triggers[3] - msg::triggers[0]};
constexpr Node kMessage[] = {
    B("number", msg::number),
    T("text", msg::text, msg::textWidth),
    L("teams", msg::teams, msg::teamCount),
    Gat("triggers", msg::triggers[0], kTrigger, kMessageTriggersAt),
    B("join12", msg::join12),
    B("join34", msg::join34),
    B("joinConditions", msg::joinConditions),
    B("delaySeconds", msg::delaySeconds),
    B("delayMinutes", msg::delayMinutes),
    B("colour", msg::colour, Codes::Iff),
};

// --- global goals: three blocks of 122 bytes after two bytes the writer sets
constexpr Node kGoalText[] = {Str(Table::GlobalGoalStrings, [](int team, std::span<const int> i) {
    return mission::globalGoalStringIndex(team, i[0], i[1], i[2]);
})};
constexpr Node kGlobalGoal[] = {
    B("condition", tr::condition, Codes::Condition),
    B("subjectType", tr::subjectType, Codes::SubjectType),
    B("subject", tr::subject, Codes::Subject, tr::subjectType),
    B("amount", tr::amount, Codes::Amount),
    B("param1", tr::param1, Codes::Param1),
    B("param2", tr::param2),
    G("texts", kOutside, kGoalText, 3, 0),
};
constexpr Node kGoalBlock[] = {
    Gat("goals", kOutside, kGlobalGoal, goal::triggerOffsets, true),
    B("join12", goal::join12),
    B("join34", goal::join34),
    B("joinPairs", goal::joinPairs),
    B("points", goal::points),
};
constexpr Node kGlobalGoals[] = {
    Node{
        .name = "", .offset = goal::writerBytes, .width = goal::writerWidth, .form = Form::Derived},
    Obj("primary", goal::blockOffset(0), kGoalBlock, 0),
    Obj("prevent", goal::blockOffset(1), kGoalBlock, 1),
    Obj("secondary", goal::blockOffset(2), kGoalBlock, 2),
};

// --- team
namespace tm = mission::team;
constexpr Node kTeam[] = {
    T("name", tm::name, tm::nameWidth),
    T("victoryMessage1", tm::victoryMessage1, tm::messageWidth),
    T("victoryMessage2", tm::victoryMessage2, tm::messageWidth),
    T("failureMessage1", tm::failureMessage1, tm::messageWidth),
    T("failureMessage2", tm::failureMessage2, tm::messageWidth),
    T("outstandingMessage1", tm::outstandingMessage1, tm::messageWidth),
    T("outstandingMessage2", tm::outstandingMessage2, tm::messageWidth),
};

static_assert(std::size(kShipgroup) <= kMostNodes && std::size(kOrder) <= kMostNodes &&
              std::size(kMessage) <= kMostNodes && std::size(kTeam) <= kMostNodes);

void markOwned(std::span<const Node> nodes, int base, std::vector<bool>& owned) {
    for (const Node& n : nodes) {
        if (n.isGroup()) {
            const int k = n.count == 0 && n.offsets.empty() ? 1 : n.elements();
            for (int i = 0; i < k; ++i) markOwned(n.element, base + n.elementOffset(i), owned);
        } else if (n.form != Form::StringSlot) {
            for (int b = 0; b < n.width; ++b)
                owned[static_cast<size_t>(base + n.offset + b)] = true;
        }
    }
}

RecordLayout makeLayout(std::string_view name, Table t, std::span<const Node> nodes) {
    RecordLayout l{name, t, nodes,
                   std::vector<bool>(static_cast<size_t>(mission::shapeOf(t).slotSize))};
    markOwned(nodes, 0, l.owned);
    return l;
}

void flatten(std::span<const Node> nodes, int base, FieldAt ctx, const std::string& prefix,
             std::vector<FlatField>& out) {
    for (const Node& n : nodes) {
        std::string path = prefix;
        if (!n.name.empty()) {
            if (!path.empty()) path += '.';
            path += n.name;
        }
        if (!n.isGroup()) {
            if (n.form == Form::Derived) continue;
            FieldAt f = ctx;
            f.node = &n;
            f.offset = base + n.offset;
            f.elementBase = base;
            out.push_back({path, f});
            continue;
        }
        if (n.count == 0 && n.offsets.empty()) {
            FieldAt inner = ctx;
            inner.indices[static_cast<size_t>(inner.depth++)] = n.tag;
            flatten(n.element, base + n.offset, inner, path, out);
            continue;
        }
        for (int i = 0; i < n.elements(); ++i) {
            FieldAt inner = ctx;
            inner.indices[static_cast<size_t>(inner.depth++)] = i;
            flatten(n.element, base + n.elementOffset(i), inner,
                    path + "[" + std::to_string(i) + "]", out);
        }
    }
}

// Every record layout, built on first use; the order is the accessors' below.
const std::array<RecordLayout, 7>& layouts() {
    static const std::array<RecordLayout, 7> all = {
        makeLayout("header", Table::Header, kHeader),
        makeLayout("specialCargoes", Table::SpecialCargo, kCargo),
        makeLayout("missionOptions", Table::MissionOptions, kOptions),
        makeLayout("shipgroups", Table::Shipgroups, kShipgroup),
        makeLayout("messages", Table::Messages, kMessage),
        makeLayout("globalGoals", Table::GlobalGoals, kGlobalGoals),
        makeLayout("teams", Table::Teams, kTeam)};
    return all;
}

}  // namespace

const RecordLayout& headerLayout() { return layouts()[0]; }
const RecordLayout& specialCargoLayout() { return layouts()[1]; }
const RecordLayout& missionOptionsLayout() { return layouts()[2]; }
const RecordLayout& shipgroupLayout() { return layouts()[3]; }
const RecordLayout& messageLayout() { return layouts()[4]; }
const RecordLayout& globalGoalLayout() { return layouts()[5]; }
const RecordLayout& teamLayout() { return layouts()[6]; }

const std::vector<FlatField>& flatFields(const RecordLayout& layout) {
    // One list per layout, built on first use; the layouts are fixed.
    auto build = [](const RecordLayout& l) {
        std::vector<FlatField> out;
        flatten(l.nodes, 0, FieldAt{}, "", out);
        return out;
    };
    static const std::vector<FlatField> lists[] = {
        build(layouts()[0]), build(layouts()[1]), build(layouts()[2]), build(layouts()[3]),
        build(layouts()[4]), build(layouts()[5]), build(layouts()[6])};
    for (size_t i = 0; i < layouts().size(); ++i)
        if (&layouts()[i] == &layout) return lists[i];
    static const std::vector<FlatField> none;
    return none;
}

const FlatField* fieldAtOffset(const RecordLayout& layout, int offset) {
    for (const FlatField& f : flatFields(layout))
        if (f.at.node->form != Form::StringSlot && offset >= f.at.offset &&
            offset < f.at.offset + f.at.node->width)
            return &f;
    return nullptr;
}

int numberAt(std::span<const uint8_t> rec, const Node& node, int offset) {
    const auto at = [&](int k) -> int {
        const size_t i = static_cast<size_t>(offset + k);
        return i < rec.size() ? rec[i] : 0;
    };
    switch (node.form) {
        case Form::Word: return at(0) | (at(1) << 8);
        case Form::Signed: return static_cast<int16_t>(static_cast<uint16_t>(at(0) | (at(1) << 8)));
        default: return at(0);
    }
}

std::span<const uint8_t> stringSlotOf(const mission::MissionStore& store, const FieldAt& f,
                                      int record) {
    return store.slot(f.node->ext, f.node->extSlot(record, f.path()));
}

// --- names of codes

CodeNames::CodeNames(const mission::MissionStore& store, const mission::CraftList* craftList)
    : m_store(store),
      m_craft(craftList),
      m_regions(shipgroup::regionNames(store)),
      m_param1(shipgroup::param1Labels(m_regions, shipgroup::LabelSet::Arrival)),
      m_additionalInfo(shipgroup::additionalInfoLabels(m_regions)),
      m_iff(shipgroup::iffLabels(store)),
      m_iffSubjects(shipgroup::iffSubjectLabels(store)),
      m_radio(shipgroup::radioLabels(store)),
      m_teams(shipgroup::teamLabels(store)),
      m_groups(shipgroup::shipgroupNames(store)) {}

bool CodeNames::namesShipgroup(Codes codes, int typeValue) {
    switch (codes) {
        case Codes::Shipgroup: return true;
        case Codes::Subject:
        case Codes::Target: return typeValue == shipgroup::kSubjectFlightgroup;
        case Codes::OrderParam1:
            return shipgroup::orderParams(typeValue).list1 == shipgroup::ParamList::Shipgroups;
        case Codes::OrderParam2:
            return shipgroup::orderParams(typeValue).list2 == shipgroup::ParamList::Shipgroups;
        default: return false;
    }
}

std::string_view CodeNames::name(Codes codes, int v, int typeValue) const {
    using namespace shipgroup;
    const auto from = [v](const std::vector<std::string>& labels) -> std::string_view {
        return v >= 0 && v < static_cast<int>(labels.size())
                   ? std::string_view(labels[static_cast<size_t>(v)])
                   : std::string_view();
    };
    const auto craft = [&]() -> std::string_view {
        return m_craft && m_craft->loaded() && v >= 0 && v < 255
                   ? std::string_view(m_craft->name(v))
                   : std::string_view();
    };
    const auto group = [&] {
        return v < m_store.shipgroupCount ? from(m_groups) : std::string_view();
    };
    const auto byList = [&](ParamList list) -> std::string_view {
        switch (list) {
            case ParamList::Loops: return v == 0 ? "Unlimited" : "";
            case ParamList::Shipgroups: return group();
            case ParamList::Regions:
                return v >= 0 && v < 4 ? std::string_view(m_regions[static_cast<size_t>(v)]) : "";
            case ParamList::Numbers: break;
        }
        return "";
    };
    std::string_view s;
    switch (codes) {
        case Codes::None: break;
        case Codes::CraftType: s = craft(); break;
        case Codes::Condition: s = from(conditionLabels()); break;
        case Codes::GoalCondition: s = from(goalConditionLabels()); break;
        case Codes::SubjectType: s = from(subjectTypeLabels(LabelSet::Arrival)); break;
        case Codes::TargetType: s = from(subjectTypeLabels(LabelSet::OrderTarget)); break;
        case Codes::Subject:
        case Codes::Target:
            if (typeValue == kSubjectFlightgroup)
                s = group();
            else if (typeValue == kSubjectShipType)
                s = craft();
            else if (typeValue == kSubjectIff)
                s = from(m_iffSubjects);
            else if (typeValue == kSubjectShipCategory && codes == Codes::Target)
                s = from(targetCategoryLabels());
            break;
        case Codes::Amount: s = from(amountLabels()); break;
        case Codes::Param1: s = from(m_param1); break;
        case Codes::OrderParam1: s = byList(orderParams(typeValue).list1); break;
        case Codes::OrderParam2: s = byList(orderParams(typeValue).list2); break;
        case Codes::Order: s = from(orderLabels()); break;
        case Codes::Throttle: s = from(throttleLabels()); break;
        case Codes::Status: s = from(statusLabels()); break;
        case Codes::Warhead: s = from(warheadLabels()); break;
        case Codes::Beam: s = from(beamLabels()); break;
        case Codes::Countermeasure: s = from(countermeasureLabels()); break;
        case Codes::Marking: s = from(markingLabels()); break;
        case Codes::AiSkill: s = from(aiSkillLabels()); break;
        case Codes::CraftCount: s = from(craftCountLabels()); break;
        case Codes::Pilot: s = from(pilotLabels()); break;
        case Codes::GoalArgument: s = from(goalArgumentLabels()); break;
        case Codes::AdditionalInfo: s = from(m_additionalInfo); break;
        case Codes::Method: s = from(methodLabels()); break;
        case Codes::Shipgroup: s = group(); break;
        case Codes::Iff: s = from(m_iff); break;
        case Codes::Team: s = from(m_teams); break;
        case Codes::Radio: s = from(m_radio); break;
        case Codes::ShipMode: s = from(optionalShipModeLabels()); break;
    }
    // An entry that only repeats the number says nothing more.
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    return s == std::string_view(digits, static_cast<size_t>(end - digits)) ? std::string_view()
                                                                            : s;
}

}  // namespace quendar::text
