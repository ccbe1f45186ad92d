// The rules over the shipgroup records: references to other shipgroups, codes
// outside their lists, start point regions and names the lists cannot tell
// apart.
#include <unordered_map>

#include "lint/RuleSet.h"
#include "mission/CraftList.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/CodeTables.h"
#include "shipgroup/MissionNames.h"

namespace quendar::lint {

namespace {

namespace sg = mission::sg;
using mission::Table;

constexpr int kIffs = 6;
constexpr int kRegions = 4;
constexpr int kLastCraftType = mission::kCraftTypes - 1;
constexpr int kTriggerAmounts = shipgroup::kAmounts;

// A field whose value indexes a list of the shipgroup forms.
struct CodeField {
    int offset;
    const char* field;
    int size;  // the list's entries
};

std::string regionText(int code) {
    return "region code " + std::to_string(code) + " is not one of the four regions (0..3)";
}

class ShipgroupPass {
  public:
    ShipgroupPass(const RuleInput& in, std::vector<Problem>& out)
        : m_in(in), m_s(in.store), m_out(out), m_count(in.store.shipgroupCount) {
        namespace t = shipgroup;
        const int radios = static_cast<int>(t::radioLabels(m_s).size());
        auto n = [](const t::Labels& l) { return static_cast<int>(l.size()); };
        m_codes = {
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
        };
        m_goalArguments = n(t::goalArgumentLabels());
    }

    void run() {
        std::unordered_map<std::string, int> firstByName;
        for (int i = 0; i < m_count; ++i) {
            m_i = i;
            const mission::ShipgroupView g(m_s, i);
            auto [it, fresh] = firstByName.emplace(g.name(), i);
            if (!fresh)
                report(m_out, code::DuplicateName, at(sg::name, "name"),
                       "has the same name as shipgroup #" + std::to_string(it->second));
            identity(g);
            arrivalAndDeparture();
            for (int r = 0; r < kRegions; ++r)
                for (int slot = 0; slot < 4; ++slot) order(r, slot);
            goals();
            startPoints();
        }
    }

  private:
    int get(int offset) const { return m_s.byte(Table::Shipgroups, m_i, offset); }
    Location at(int offset, std::string field, int region = -1, int slot = -1) const {
        Location l{Area::Shipgroup, m_i, offset, -1, region, slot, std::move(field)};
        return l;
    }
    Fix setByte(std::string_view label, int offset, uint8_t value) const {
        return Fix{Fix::Kind::SetBytes, label, Table::Shipgroups, m_i, offset, {value, 0}, 1};
    }

    void craftType(int type, int offset, const std::string& field) {
        if (type > kLastCraftType) {
            report(m_out, code::CraftTypeMissing, at(offset, field),
                   "craft type " + std::to_string(type) + " has no entry in the craft list (0..254)");
        } else if (m_in.craftList.loaded() && m_in.craftList.name(type) == "Unused") {
            report(m_out, code::CraftTypeUnused, at(offset, field),
                   "craft type " + std::to_string(type) + " is \"Unused\" in the craft list");
        }
    }

    void identity(const mission::ShipgroupView& g) {
        craftType(g.craftType(), sg::craftType, "craftType");
        if (get(sg::optionalShipMode) == shipgroup::kOptionalShipUserDefined) {
            for (int k = 0; k < 10; ++k)
                if (get(sg::optionalShipCount + k) > 0)
                    craftType(get(sg::optionalShipType + k), sg::optionalShipType + k,
                              "optionalShip" + std::to_string(k + 1) + ".craftType");
        }
        if (g.iff() >= kIffs)
            report(m_out, code::Iff, at(sg::iff, "iff"),
                   "IFF " + std::to_string(g.iff()) + " is not one of the six IFFs (0..5)");
        if (g.team() >= mission::kTeams)
            report(m_out, code::Team, at(sg::team, "team"),
                   "team code " + std::to_string(g.team()) + " is not one of the ten teams (0..9)");
        for (const CodeField& f : m_codes) {
            const int v = get(f.offset);
            if (v >= f.size)
                report(m_out, code::ShipgroupCode, at(f.offset, f.field),
                       "value " + std::to_string(v) + " is not in its list of " + std::to_string(f.size));
        }
        const int cargo = get(sg::specialCargoIndex);
        if (cargo >= 16 && cargo != shipgroup::kNoSpecialCargo)
            report(m_out, code::ShipgroupCode, at(sg::specialCargoIndex, "specialCargoIndex"),
                   "special cargo " + std::to_string(cargo) + " is neither one of the 16 cargoes nor 255 (none)");
        for (int k = 0; k < 2; ++k) {
            const int info = get(sg::additionalInfo1 + k);
            if (get(sg::additionalInfo1Enable + k) != shipgroup::kNotSpecified && info > 60)
                report(m_out, code::ShipgroupCode, at(sg::additionalInfo1 + k, "additionalInfo" + std::to_string(k + 1)),
                       "additional information " + std::to_string(info) + " is not in its list of 61");
        }
    }

    void arrivalAndDeparture() {
        const int triggers[6] = {sg::arrivalTrigger1, sg::arrivalTrigger2, sg::arrivalTrigger3,
                                 sg::arrivalTrigger4, sg::departureTrigger1, sg::departureTrigger2};
        for (int k = 0; k < 6; ++k) {
            std::string field = k < 4 ? "arrival.trigger" + std::to_string(k + 1)
                                      : "departure.trigger" + std::to_string(k - 3);
            checkTrigger(m_in, {at(-1, field), Table::Shipgroups, m_i, triggers[k], kTriggerAmounts},
                         m_out);
        }
        auto imp = [&](int off) { return impossible(m_s, Table::Shipgroups, m_i, off); };
        if (neverHolds(imp(sg::arrivalTrigger1), imp(sg::arrivalTrigger2), get(sg::arrivalOr12),
                       imp(sg::arrivalTrigger3), imp(sg::arrivalTrigger4), get(sg::arrivalOr34),
                       get(sg::arrivalOrConditions)))
            report(m_out, code::ArrivalNever, at(sg::arrivalTrigger1, "arrival"),
                   "\"FALSE - Impossible condition\" keeps the arrival triggers from ever holding, "
                   "so the group never arrives");

        struct Pair {
            int mothership, method;
            const char* field;
            const char* motherField;
        };
        const Pair pairs[4] = {
            {sg::arrivalMothership1, sg::arrivalMethod1, "arrival.method1", "arrival.mothership1"},
            {sg::arrivalMothership2, sg::arrivalMethod2, "arrival.method2", "arrival.mothership2"},
            {sg::departureMothership1, sg::departureMethod1, "departure.method1", "departure.mothership1"},
            {sg::departureMothership2, sg::departureMethod2, "departure.method2", "departure.mothership2"}};
        for (const Pair& p : pairs) {
            const int method = get(p.method);
            if (method >= shipgroup::kMethods)
                report(m_out, code::Method, at(p.method, p.field),
                       "method " + std::to_string(method) + " is not one of the six methods (0..5)");
            if (method == shipgroup::kMethodHyperspace) continue;
            const int mother = get(p.mothership);
            const std::string field = p.motherField;
            if (mother >= m_count)
                report(m_out, code::Mothership, at(p.mothership, field),
                       "the mothership is " + shipgroupRef(mother, m_count),
                       setByte("Set the method to hyperspace", p.method, shipgroup::kMethodHyperspace));
            else if (mother == m_i)
                report(m_out, code::OwnMothership, at(p.mothership, field),
                       "the group is its own mothership",
                       setByte("Set the method to hyperspace", p.method, shipgroup::kMethodHyperspace));
        }
    }

    void order(int r, int slot) {
        const int base = sg::orderOffset(r, slot);
        const std::string prefix = "region" + std::to_string(r + 1) + ".order" + std::to_string(slot + 1);
        const int code = get(base);
        if (code >= shipgroup::kOrders)
            report(m_out, code::OrderCode, at(base, prefix + ".order", r, slot),
                   "order code " + std::to_string(code) + " is not one of the 61 orders (0..60)");
        // Targets 1..4: type and value offsets inside the order record.
        const int types[4] = {12, 14, 6, 7};
        const int values[4] = {13, 15, 8, 9};
        for (int k = 0; k < 4; ++k) {
            const int type = get(base + types[k]);
            const std::string field = prefix + ".target" + std::to_string(k + 1);
            if (type >= shipgroup::kSubjectTypes)
                report(m_out, code::TriggerCode, at(base + types[k], field + "Type", r, slot),
                       "target type " + std::to_string(type) + " is not one of the 27 types (0..26)");
            const int value = get(base + values[k]);
            if (type == shipgroup::kSubjectFlightgroup && value >= m_count)
                report(m_out, code::OrderTarget, at(base + values[k], field, r, slot),
                       "the target is " + shipgroupRef(value, m_count),
                       setByte("Set the target to none", base + types[k], shipgroup::kSubjectNone));
        }
        const shipgroup::OrderParams params = shipgroup::orderParams(code);
        if (params.list2 == shipgroup::ParamList::Shipgroups && get(base + 3) >= m_count)
            report(m_out, code::DeployedGroup, at(base + 3, prefix + ".param2", r, slot),
                   "the group to be deployed is " + shipgroupRef(get(base + 3), m_count));
        if (params.list1 == shipgroup::ParamList::Regions && get(base + 2) >= kRegions)
            report(m_out, code::HyperRegion, at(base + 2, prefix + ".param1", r, slot),
                   "the hyperspace order goes to " + regionText(get(base + 2)));
    }

    void goals() {
        for (int k = 0; k < 8; ++k) {
            const int base = sg::goalOffset(k);
            const std::string field = "goal" + std::to_string(k + 1);
            if (get(base) >= m_goalArguments)
                report(m_out, code::ShipgroupCode, at(base, field + ".argument"),
                       "value " + std::to_string(get(base)) + " is not in its list of " +
                           std::to_string(m_goalArguments));
            if (get(base + 1) >= shipgroup::kConditions)
                report(m_out, code::TriggerCode, at(base + 1, field + ".condition"),
                       "condition code " + std::to_string(get(base + 1)) +
                           " is not one of the 51 conditions (0..50)");
            if (get(base + 2) >= kTriggerAmounts)
                report(m_out, code::TriggerCode, at(base + 2, field + ".amount"),
                       "amount code " + std::to_string(get(base + 2)) + " is not one of the 37 amounts (0..36)");
        }
    }

    void startPoints() {
        for (int k = 0; k < 4; ++k) {
            const int region = get(sg::startPointRegion + k);
            if (get(sg::startPointOffset(k) + 6) != 0 && region >= kRegions)
                report(m_out, code::StartRegion,
                       at(sg::startPointRegion + k, "startPoint" + std::to_string(k + 1) + ".region"),
                       "the start point lies in " + regionText(region));
        }
    }

    const RuleInput& m_in;
    const mission::MissionStore& m_s;
    std::vector<Problem>& m_out;
    int m_count;
    int m_i = 0;
    std::vector<CodeField> m_codes;
    int m_goalArguments = 4;
};

}  // namespace

void lintShipgroups(const RuleInput& in, std::vector<Problem>& out) {
    ShipgroupPass(in, out).run();
}

}  // namespace quendar::lint
