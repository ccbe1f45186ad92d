#include "briefing/BriefingTexts.h"

namespace quendar::briefing {

std::string listFullText(int droppedCommands) {
    return "The briefing holds more commands of one kind than the editor can keep.\n" +
           std::to_string(droppedCommands) +
           " command(s) were left out; saving this mission will not write them back.";
}

std::string eventAreaFullText(int unwrittenCommands) {
    return "The briefing is too long for the mission file.\n" +
           std::to_string(unwrittenCommands) +
           " of the latest command(s) cannot be saved. Delete some briefing commands to keep "
           "them all.";
}

}  // namespace quendar::briefing
