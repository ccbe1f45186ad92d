#include "briefing/BriefingTexts.h"

#include "briefing/BriefingModel.h"

namespace quendar::briefing {

std::string listFullText(int droppedCommands) {
    return "The briefing holds more commands of one kind than the editor can keep.\n" +
           std::to_string(droppedCommands) +
           " command(s) were left out; saving this mission will not write them back.";
}

std::string eventAreaFullText(int unwrittenCommands) {
    return "The briefing is too long for the mission file.\n" + std::to_string(unwrittenCommands) +
           " of the latest command(s) cannot be saved. Delete some briefing commands to keep "
           "them all.";
}

std::vector<Notice> parseNotices(const ParseResult& result, bool afterSave) {
    std::vector<Notice> notices;
    const std::string_view caption = afterSave ? kFatalLoadingErrorCaption : kFatalErrorCaption;
    if (result.status == ParseStatus::UnknownCommand)
        notices.push_back({std::string(kUnknownCommandText), caption});
    else if (result.status == ParseStatus::NoEndCommand)
        notices.push_back({std::string(kNoEndCommandText), caption});
    if (result.droppedCommands > 0)
        notices.push_back({listFullText(result.droppedCommands), kBriefingWarningCaption});
    return notices;
}

std::optional<Notice> saveNotice(const SerializeResult& result) {
    if (result.unwritten <= 0) return std::nullopt;
    return Notice{eventAreaFullText(result.unwritten), kBriefingWarningCaption};
}

}  // namespace quendar::briefing
