// The rules over the mission's logic: what never happens because of what it
// waits for. The older rules already report a "FALSE - Impossible condition"
// that decides on its own; these report only the chains, so no cause is told
// twice.
#include <memory>

#include "flow/Flow.h"
#include "lint/RuleSet.h"
#include "mission/ShipgroupRecord.h"
#include "settings/GlobalGoalsForm.h"
#include "settings/MessagesForm.h"

namespace quendar::lint {

namespace {

namespace sg = mission::sg;
namespace msg = settings::msg;
namespace goal = settings::goal;

constexpr int kPrevent = 1;
const char* const kKindFields[3] = {"primary", "prevent", "secondary"};

std::shared_ptr<const std::string> words(std::string s) {
    return std::make_shared<const std::string>(std::move(s));
}

bool teamHasPlayers(const mission::MissionStore& s, int team) {
    for (int i = 0; i < s.shipgroupCount && i < mission::kMaxShipgroups; ++i) {
        const mission::ShipgroupView g(s, i);
        if (g.team() == team && g.playerCraft() != 0) return true;
    }
    return false;
}

}  // namespace

void lintFlow(const RuleInput& in, std::vector<Problem>& out) {
    const auto& s = in.store;
    const flow::Analysis a = flow::analyse(s);
    if (a.neverCount() == 0) return;
    for (int i = 0; i < a.messageBase; ++i) {
        const flow::Node& n = a.nodes[i];
        const bool byTriggers = n.never && n.waitsFor >= 0;
        if (byTriggers && !flow::falseAlone(n))
            report(out, code::ChainNever,
                   Location{Area::Shipgroup, i, sg::arrivalTrigger1, -1, -1, -1, "arrival"},
                   {"never arrives: %w", {}, words(flow::reason(a, s, i))});
        if (n.never && n.waitsFor >= 0) continue;  // the triggers decide it already
        const int fields[2] = {sg::arrivalMothership1, sg::arrivalMothership2};
        for (int k = 0; k < 2; ++k) {
            const int mother = n.motherships[k];
            // The second method matters only as the alternative to a hangar.
            if (mother < 0 || !a.nodes[mother].never || (k == 1 && n.methods[0] == 0)) continue;
            std::string text = "the mothership " + flow::nodeName(a, s, mother) +
                               " never arrives (" + flow::reason(a, s, mother) + ")";
            text += n.never ? ", so the group never arrives"
                            : ": the group cannot come out of its hangar";
            report(out, code::HangarNever,
                   Location{Area::Shipgroup, i, fields[k], -1, -1, -1,
                            FieldName("arrival.mothership").append(k + 1)},
                   {"%w", {}, words(std::move(text))});
        }
    }
    for (int i = a.messageBase; i < a.goalBase; ++i) {
        const flow::Node& n = a.nodes[i];
        if (!n.never || flow::falseAlone(n)) continue;
        report(out, code::MessageChainNever,
               Location{Area::Message, n.index, msg::triggers[0], -1, -1, -1, "triggers"},
               {"never shown: %w", {}, words(flow::reason(a, s, i))});
    }
    for (int i = a.goalBase; i < static_cast<int>(a.nodes.size()); ++i) {
        const flow::Node& n = a.nodes[i];
        const int team = n.index / 3, kind = n.index % 3;
        if (!n.never || kind == kPrevent) continue;
        const int g = n.waitsFor >= 0 ? n.waitsFor : 0;
        FieldName field("team");
        field.append(team + 1).append(".").append(kKindFields[kind]).append(".goal").append(g + 1);
        const Location where{Area::GlobalGoal,
                             (team * 3 + kind) * 4 + g,
                             goal::blockStart + goal::blockSize * kind + goal::triggerOffsets[g],
                             -1,
                             -1,
                             -1,
                             field};
        const char* pattern =
            kind == 0 && teamHasPlayers(s, team)
                ? "the primary goals of team %0 can never be met, so the mission cannot be won: %w"
            : kind == 0 ? "the primary goals of team %0 can never be met: %w"
                        : "the secondary goals of team %0 can never be met: %w";
        report(out, code::GoalNever, where, {pattern, {team + 1}, words(flow::reason(a, s, i))});
    }
}

}  // namespace quendar::lint
