// The rules over the in-flight messages and the global goals.
#include "lint/RuleSet.h"
#include "mission/GlobalGoalRecord.h"
#include "mission/MessageRecord.h"
#include "settings/GoalTables.h"
#include "shipgroup/CodeTables.h"

namespace quendar::lint {

namespace {

using mission::Table;
namespace msg = mission::msg;
namespace goal = mission::goal;

constexpr int kColours = 6;
const char* const kKindFields[3] = {"primary", "prevent", "secondary"};

void lintMessage(const RuleInput& in, int i, std::vector<Problem>& out) {
    const auto& s = in.store;
    auto at = [i](int offset, FieldName field) {
        return Location{Area::Message, i, offset, -1, -1, -1, field};
    };
    auto get = [&](int offset) { return s.byte(Table::Messages, i, offset); };
    if (get(msg::text) == 0)
        report(out, code::EmptyMessage, at(msg::text, "text"), {"the message has no text"});
    for (int k = 0; k < 4; ++k)
        checkTrigger(in,
                     {at(-1, FieldName("trigger").append(k + 1)), Table::Messages, i,
                      msg::triggers[k], shipgroup::kAmounts},
                     out);
    auto imp = [&](int k) { return impossible(s, Table::Messages, i, msg::triggers[k]); };
    if (neverHolds(imp(0), imp(1), get(msg::join12), imp(2), imp(3), get(msg::join34),
                   get(msg::joinConditions)))
        report(out, code::MessageNever, at(msg::triggers[0], "triggers"),
               {"\"FALSE - Impossible condition\" keeps the triggers from ever holding, so the "
                "message is never shown"});
    if (get(msg::colour) >= kColours)
        report(out, code::MessageColour, at(msg::colour, "colour"),
               {"colour %0 is not one of the six colours (0..5)", {get(msg::colour)}});
}

void lintGlobalGoal(const RuleInput& in, int team, int kind, int g, std::vector<Problem>& out) {
    const int base = goal::blockOffset(kind);
    FieldName field("team");
    field.append(team + 1).append(".").append(kKindFields[kind]).append(".goal").append(g + 1);
    Location where{Area::GlobalGoal, (team * 3 + kind) * 4 + g, -1, -1, -1, -1, field};
    checkTrigger(
        in,
        {where, Table::GlobalGoals, team, base + goal::triggerOffsets[g], settings::kGoalAmounts},
        out);
}

}  // namespace

void lintMessagesAndGoals(const RuleInput& in, std::vector<Problem>& out) {
    for (int i = 0; i < in.store.messageCount && i < mission::kMaxMessages; ++i)
        lintMessage(in, i, out);
    for (int team = 0; team < mission::kTeams; ++team)
        for (int kind = 0; kind < 3; ++kind)
            for (int g = 0; g < 4; ++g) lintGlobalGoal(in, team, kind, g, out);
}

}  // namespace quendar::lint
