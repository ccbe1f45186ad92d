// The rules over the shipgroup records: references to other shipgroups, codes
// outside their lists, start point regions and names the lists cannot tell
// apart.
#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "lint/RuleSet.h"
#include "mission/CraftList.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/CodeTables.h"
#include "shipgroup/MissionNames.h"

namespace quendar::lint {

namespace {

namespace sg = mission::sg;
namespace od = mission::sg::order;
namespace gf = mission::sg::goalField;
using mission::Table;

constexpr int kIffs = 6;
constexpr int kRegions = 4;
constexpr size_t kShownName = 19;  // characters of a name the lists show
constexpr int kLastCraftType = mission::kCraftTypes - 1;
constexpr int kTriggerAmounts = shipgroup::kAmounts;

// A field whose value indexes a list of the shipgroup forms.
struct CodeField {
    int offset;
    const char* field;
    int size;  // the list's entries
};
constexpr int kCodeFields = 12;

class ShipgroupPass {
  public:
    ShipgroupPass(const RuleInput& in, std::vector<Problem>& out)
        : m_in(in), m_s(in.store), m_out(out), m_count(in.store.shipgroupCount) {
        namespace t = shipgroup;
        const int radios = static_cast<int>(t::radioLabels(m_s).size());
        auto n = [](const t::Labels& l) { return static_cast<int>(l.size()); };
        m_codes = {{
            {sg::craftCount, "craftCount", n(t::craftCountLabels())},
            {sg::status1, "status1", n(t::statusLabels())},
            {sg::warhead, "warhead", n(t::warheadLabels())},
            {sg::beam, "beam", n(t::beamLabels())},
            {sg::aiSkill, "aiSkill", n(t::aiSkillLabels())},
            {sg::markings, "markings", n(t::markingLabels())},
            {sg::radio, "radio", radios},
            {sg::waves, "waves", n(t::wavesLabels())},
            {sg::playerCraft, "playerCraft", n(t::pilotLabels())},
            {sg::countermeasure, "countermeasure", n(t::countermeasureLabels())},
            {sg::status2, "status2", n(t::statusLabels())},
            {sg::optionalShipMode, "optionalShipMode", n(t::optionalShipModeLabels())},
        }};
        m_goalArguments = n(t::goalArgumentLabels());
        // The parameter lists of every order, looked up once per pass.
        for (size_t c = 0; c < m_params.size(); ++c) m_params[c] = paramLists(static_cast<int>(c));
    }

    void run() {
        // Names point into the store's records, which the pass only reads.
        std::unordered_map<std::string_view, int> firstByName, firstByShown;
        firstByName.reserve(static_cast<size_t>(std::max(m_count, 0)));
        firstByShown.reserve(static_cast<size_t>(std::max(m_count, 0)));
        for (int i = 0; i < m_count; ++i) {
            m_i = i;
            m_record = m_s.slot(Table::Shipgroups, i);
            const mission::ShipgroupView g(m_s, i);
            auto [it, fresh] = firstByName.emplace(name(), i);
            // The lists show the first 19 characters: names that differ only
            // after them look the same there.
            auto [shownIt, shownFresh] = firstByShown.emplace(name().substr(0, kShownName), i);
            if (!fresh)
                report(m_out, code::DuplicateName, at(sg::name, "name"),
                       {"has the same name as shipgroup #%0", {it->second}});
            else if (!shownFresh)
                report(m_out, code::DuplicateName, at(sg::name, "name"),
                       {"has a name that looks the same as shipgroup #%0's in the lists, which "
                        "show 19 characters",
                        {shownIt->second}});
            // The checks go through the record in the order of its fields,
            // so the problems come out in the list's order.
            identity(g);
            arrivalAndDeparture();
            for (int r = 0; r < kRegions; ++r)
                for (int slot = 0; slot < 4; ++slot) order(r, slot);
            goals();
            startPoints();
            options();
        }
    }

  private:
    static std::pair<shipgroup::ParamList, shipgroup::ParamList> paramLists(int orderCode) {
        const shipgroup::OrderParams p = shipgroup::orderParams(orderCode);
        return {p.list1, p.list2};
    }
    int get(int offset) const {
        return offset >= 0 && static_cast<size_t>(offset) < m_record.size() ? m_record[offset] : 0;
    }
    // The name as ShipgroupView::name() reads it, without a copy.
    std::string_view name() const {
        if (m_record.size() < static_cast<size_t>(sg::name + sg::nameWidth)) return {};
        const auto* p = reinterpret_cast<const char*>(m_record.data() + sg::name);
        return std::string_view(p, ::strnlen(p, sg::nameWidth));
    }
    Location at(int offset, FieldName field, int region = -1, int slot = -1) const {
        return Location{Area::Shipgroup, m_i, offset, -1, region, slot, field};
    }
    Fix setByte(std::string_view label, int offset, uint8_t value) const {
        return Fix{Fix::Kind::SetBytes, label, Table::Shipgroups, m_i, offset, {value, 0}, 1};
    }
    // A reference made "None" as a deletion makes it: type and number 0.
    Fix clearReference(std::string_view label, int typeOffset, int numberOffset) const {
        Fix f{Fix::Kind::SetBytes, label, Table::Shipgroups, m_i, typeOffset, {0, 0}, 2};
        f.secondOffset = numberOffset;
        return f;
    }

    void craftType(int type, int offset, const FieldName& field) {
        if (type > kLastCraftType) {
            report(m_out, code::CraftTypeMissing, at(offset, field),
                   {"craft type %0 has no entry in the craft list (0..254)", {type}});
        } else if (m_in.craftList.loaded() && m_in.craftList.name(type) == "Unused") {
            report(m_out, code::CraftTypeUnused, at(offset, field),
                   {"craft type %0 is \"Unused\" in the craft list", {type}});
        }
    }

    // The fields before the triggers.
    void identity(const mission::ShipgroupView& g) {
        for (int k = 0; k < 2; ++k) {
            const int info = get(sg::additionalInfo1 + k);
            if (get(sg::additionalInfo1Enable + k) != shipgroup::kNotSpecified && info > 60)
                report(m_out, code::ShipgroupCode,
                       at(sg::additionalInfo1 + k, FieldName("additionalInfo").append(k + 1)),
                       {"additional information %0 is not in its list of 61", {info}});
        }
        const int cargo = get(sg::specialCargoIndex);
        if (cargo >= 16 && cargo != shipgroup::kNoSpecialCargo)
            report(m_out, code::ShipgroupCode, at(sg::specialCargoIndex, "specialCargoIndex"),
                   {"special cargo %0 is neither one of the 16 cargoes nor 255 (none)", {cargo}});
        craftType(g.craftType(), sg::craftType, "craftType");
        codes(0, sg::iff);
        if (g.iff() >= kIffs)
            report(m_out, code::Iff, at(sg::iff, "iff"),
                   {"IFF %0 is not one of the six IFFs (0..5)", {g.iff()}});
        if (g.team() >= mission::kTeams)
            report(m_out, code::Team, at(sg::team, "team"),
                   {"team code %0 is not one of the ten teams (0..9)", {g.team()}});
        codes(sg::team + 1, sg::arrivalTrigger1);
    }

    // The fields behind the start points.
    void options() {
        codes(sg::startPointRegion + sg::startPointCount, sg::optionalShipType);
        if (get(sg::optionalShipMode) == shipgroup::kOptionalShipUserDefined) {
            for (int k = 0; k < sg::optionalShipSlots; ++k)
                if (get(sg::optionalShipCount + k) > 0)
                    craftType(get(sg::optionalShipType + k), sg::optionalShipType + k,
                              FieldName("optionalShip").append(k + 1).append(".craftType"));
        }
    }

    // The code fields at offsets first..last-1.
    void codes(int first, int last) {
        for (const CodeField& f : m_codes) {
            const int v = get(f.offset);
            if (f.offset >= first && f.offset < last && v >= f.size)
                report(m_out, code::ShipgroupCode, at(f.offset, f.field),
                       {"value %0 is not in its list of %1", {v, f.size}});
        }
    }

    void arrivalAndDeparture() {
        const int triggers[6] = {sg::arrivalTrigger1, sg::arrivalTrigger2,   sg::arrivalTrigger3,
                                 sg::arrivalTrigger4, sg::departureTrigger1, sg::departureTrigger2};
        for (int k = 0; k < 6; ++k) {
            const FieldName field = k < 4 ? FieldName("arrival.trigger").append(k + 1)
                                          : FieldName("departure.trigger").append(k - 3);
            checkTrigger(
                m_in, {at(-1, field), Table::Shipgroups, m_i, triggers[k], kTriggerAmounts}, m_out);
        }
        auto imp = [&](int off) { return impossible(m_s, Table::Shipgroups, m_i, off); };
        if (neverHolds(imp(sg::arrivalTrigger1), imp(sg::arrivalTrigger2), get(sg::arrivalOr12),
                       imp(sg::arrivalTrigger3), imp(sg::arrivalTrigger4), get(sg::arrivalOr34),
                       get(sg::arrivalOrConditions)))
            report(
                m_out, code::ArrivalNever, at(sg::arrivalTrigger1, "arrival"),
                {"\"FALSE - Impossible condition\" keeps the arrival triggers from ever holding, "
                 "so the group never arrives"});

        struct Pair {
            int mothership, method;
            const char* field;
            const char* motherField;
        };
        const Pair pairs[4] = {
            {sg::arrivalMothership1, sg::arrivalMethod1, "arrival.method1", "arrival.mothership1"},
            {sg::arrivalMothership2, sg::arrivalMethod2, "arrival.method2", "arrival.mothership2"},
            {sg::departureMothership1, sg::departureMethod1, "departure.method1",
             "departure.mothership1"},
            {sg::departureMothership2, sg::departureMethod2, "departure.method2",
             "departure.mothership2"}};
        for (const Pair& p : pairs) {
            const int method = get(p.method);
            const int mother = get(p.mothership);
            const bool hangar = method != shipgroup::kMethodHyperspace;
            if (hangar && mother >= m_count) {
                report(m_out, code::Mothership, at(p.mothership, p.motherField),
                       {"the mothership is " QUENDAR_LINT_SHIPGROUP_REF, {mother, m_count}},
                       setByte("Set the method to hyperspace", p.method,
                               shipgroup::kMethodHyperspace));
            } else if (hangar && mother == m_i) {
                report(m_out, code::OwnMothership, at(p.mothership, p.motherField),
                       {"the group is its own mothership"},
                       setByte("Set the method to hyperspace", p.method,
                               shipgroup::kMethodHyperspace));
            }
            if (method >= shipgroup::kMethods)
                report(m_out, code::Method, at(p.method, p.field),
                       {"method %0 is not one of the six methods (0..5)", {method}});
        }
    }

    void order(int r, int slot) {
        const int base = sg::orderOffset(r, slot);
        // "region1.order1" and a part; built only for a problem.
        auto field = [&](const char* part, int number = 0) {
            FieldName f("region");
            f.append(r + 1).append(".order").append(slot + 1).append(part);
            return number ? f.append(number) : f;
        };
        auto there = [&](int offset, FieldName name) { return at(offset, name, r, slot); };
        const int code = get(base);
        if (code >= shipgroup::kOrders)
            report(m_out, code::OrderCode, there(base, field(".order")),
                   {"order code %0 is not one of the 61 orders (0..60)", {code}});
        const auto [list1, list2] =
            code < static_cast<int>(m_params.size()) ? m_params[code] : paramLists(code);
        const int param1 = base + od::param1, param2 = base + od::param2;
        if (list1 == shipgroup::ParamList::Regions && get(param1) >= kRegions)
            report(m_out, code::HyperRegion, there(param1, field(".param1")),
                   {"the hyperspace order goes to region code %0, which is not one of the four "
                    "regions (0..3)",
                    {get(param1)}});
        if (list2 == shipgroup::ParamList::Shipgroups && get(param2) >= m_count)
            report(m_out, code::DeployedGroup, there(param2, field(".param2")),
                   {"the group to be deployed is " QUENDAR_LINT_SHIPGROUP_REF,
                    {get(param2), m_count}});
        // Targets 1..4: type and value offsets inside the order record;
        // visited in the order of their bytes (types of 3 and 4, then their
        // values, then 1 and 2 with type and value side by side).
        const int types[4] = {od::target1Type, od::target2Type, od::target3Type, od::target4Type};
        const int values[4] = {od::target1, od::target2, od::target3, od::target4};
        auto targetType = [&](int k) {
            const int type = get(base + types[k]);
            if (type >= shipgroup::kSubjectTypes)
                report(m_out, code::TriggerCode,
                       there(base + types[k], field(".target", k + 1).append("Type")),
                       {"target type %0 is not one of the 27 types (0..26)", {type}});
        };
        auto target = [&](int k) {
            const int value = get(base + values[k]);
            if (get(base + types[k]) == shipgroup::kSubjectFlightgroup && value >= m_count)
                report(m_out, code::OrderTarget, there(base + values[k], field(".target", k + 1)),
                       {"the target is " QUENDAR_LINT_SHIPGROUP_REF, {value, m_count}},
                       clearReference("Set the target to none", base + types[k], base + values[k]));
        };
        targetType(2), targetType(3), target(2), target(3);
        targetType(0), target(0), targetType(1), target(1);
    }

    void goals() {
        for (int k = 0; k < 8; ++k) {
            const int base = sg::goalOffset(k);
            auto field = [k](const char* part) {
                return FieldName("goal").append(k + 1).append(part);
            };
            if (get(base) >= m_goalArguments)
                report(m_out, code::ShipgroupCode, at(base, field(".argument")),
                       {"value %0 is not in its list of %1", {get(base), m_goalArguments}});
            const int condition = base + gf::condition, amount = base + gf::amount;
            if (get(condition) >= shipgroup::kConditions)
                report(m_out, code::TriggerCode, at(condition, field(".condition")),
                       {"condition code %0 is not one of the 51 conditions (0..50)",
                        {get(condition)}});
            if (get(amount) >= kTriggerAmounts)
                report(m_out, code::TriggerCode, at(amount, field(".amount")),
                       {"amount code %0 is not one of the 37 amounts (0..36)", {get(amount)}});
        }
    }

    void startPoints() {
        for (int k = 0; k < 4; ++k) {
            const int region = get(sg::startPointRegion + k);
            if (get(sg::startPointOffset(k) + sg::point::enabled) != 0 && region >= kRegions)
                report(m_out, code::StartRegion,
                       at(sg::startPointRegion + k,
                          FieldName("startPoint").append(k + 1).append(".region")),
                       {"the start point lies in region code %0, which is not one of the four "
                        "regions (0..3)",
                        {region}});
        }
    }

    const RuleInput& m_in;
    const mission::MissionStore& m_s;
    std::vector<Problem>& m_out;
    int m_count;
    int m_i = 0;
    std::span<const uint8_t> m_record;
    std::array<std::pair<shipgroup::ParamList, shipgroup::ParamList>, 64> m_params{};
    std::array<CodeField, kCodeFields> m_codes{};
    int m_goalArguments = 4;
};

}  // namespace

void lintShipgroups(const RuleInput& in, std::vector<Problem>& out) {
    ShipgroupPass(in, out).run();
}

}  // namespace quendar::lint
