#pragma once

#include <array>
#include <string>
#include <vector>

#include "shipgroup/CodeTables.h"

namespace quendar::settings {

// The lists of the global goals and in-flight message forms. They are the
// trigger tables of the shipgroup editor with a few labels of their own.
using shipgroup::Labels;

constexpr int kGoalAmounts = 51;
constexpr int kGoalParameters = 256;

// The trigger amounts continued to code 50.
const Labels& goalAmountLabels();
// Subject types with "Team", "All teams except" and "Global Unit".
const Labels& goalSubjectTypeLabels();
// The conditions as a goal reads them: "must ..." for primary and secondary
// goals, "musn't ..." for prevent goals.
const Labels& goalKindConditionLabels(bool prevent);
// "Parameter  - None", the four region names, "5" .. "255".
Labels goalParameterLabels(const std::array<std::string, 4>& regionNames);
// The goal kinds: "Primary condition", "Prevent condition", "Secondary condition".
const Labels& goalKindLabels();

// Subject types of the message triggers: code 23 has no name there.
const Labels& messageSubjectTypeLabels();

}  // namespace quendar::settings
