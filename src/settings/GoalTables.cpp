#include "settings/GoalTables.h"

#include <utility>

namespace quendar::settings {

using shipgroup::LabelSet;
using shipgroup::unknownLabel;

const Labels& goalAmountLabels() {
    static const Labels t = [] {
        Labels o = shipgroup::amountLabels();
        for (int i = static_cast<int>(o.size()); i < kGoalAmounts; ++i)
            o.push_back(unknownLabel(i));
        return o;
    }();
    return t;
}

const Labels& goalSubjectTypeLabels() {
    static const Labels t = [] {
        Labels o = shipgroup::subjectTypeLabels(LabelSet::Departure);
        o[12] = "Team";
        o[21] = "All teams except";
        return o;
    }();
    return t;
}

namespace {
// What a goal asks of its subject, after "must " or "musn't ".
constexpr std::pair<int, const char*> kGoalVerbs[] = {
    {1, "arrive"},
    {2, "be destroyed"},
    {3, "be attacked"},
    {4, "be captured"},
    {5, "be inspected"},
    {6, "be boarded"},
    {7, "finish docking"},
    {8, "be disabled"},
    {9, "survive"},
    {12, "complete its mission"},
    {19, "be dropped off"},
    {20, "be reinforced"},
    {21, "at 0% shields"},
    {22, "at 50% hull"},
    {23, "run out of missiles"},
    {25, "be dropped off"},
    {32, "initiate docking"},
    {45, "withdrawn"},
    {47, "arrive in sector"},
};

Labels goalConditions(const char* prefix) {
    Labels o;
    for (int i = 0; i < shipgroup::kConditions; ++i) o.push_back(unknownLabel(i));
    // "TRUE - No condition" and "FALSE - Impossible condition" read as in triggers.
    o[0] = shipgroup::conditionLabels()[0];
    o[10] = shipgroup::conditionLabels()[10];
    for (const auto& [code, verb] : kGoalVerbs) o[code] = std::string(prefix) + verb;
    return o;
}
}  // namespace

const Labels& goalKindConditionLabels(bool prevent) {
    static const Labels must = goalConditions("must ");
    static const Labels mustNot = goalConditions("musn't ");
    return prevent ? mustNot : must;
}

Labels goalParameterLabels(const std::array<std::string, 4>& regionNames) {
    Labels o = shipgroup::param1Labels(regionNames, LabelSet::Arrival);
    for (int i = static_cast<int>(o.size()); i < kGoalParameters; ++i)
        o.push_back(std::to_string(i));
    return o;
}

const Labels& goalKindLabels() {
    static const Labels t = {"Primary condition", "Prevent condition", "Secondary condition"};
    return t;
}

const Labels& messageSubjectTypeLabels() {
    static const Labels t = [] {
        Labels o = shipgroup::subjectTypeLabels(LabelSet::Arrival);
        o[23] = unknownLabel(23);
        return o;
    }();
    return t;
}

}  // namespace quendar::settings
