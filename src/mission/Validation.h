#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Prompter.h"
#include "mission/MissionStore.h"

namespace quendar::mission {

// One message of the mission checks, in the order the checks find them.
struct Finding {
    std::string caption;
    std::string text;
    core::Icon icon = core::Icon::Exclamation;
};

// The file part of a path: what follows its last '/' or '\'.
std::string_view fileNamePart(std::string_view path);
// Whether a file name has the form the game expects: "1b", a digit, "m", a
// digit, then "w", "b" or "g" (or "f" and one of them), then a dot or the end.
// Case does not matter; what follows the dot is not looked at.
bool missionFileNameCorrect(std::string_view fileName);

// The mission checks, in order: the file name (only when `checkFileNames`),
// the shipgroups' craft counts and player craft, the number of player
// shipgroups and the team of the first. With `correct` the two corrections
// (craft count 0 -> 1, player craft down to the craft count) are made in the
// store; without it the store is left alone and the findings are the same.
std::vector<Finding> runChecks(MissionStore& store, bool checkFileNames, std::string_view path,
                               bool correct = true);

}  // namespace quendar::mission
