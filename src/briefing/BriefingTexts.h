#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendar::briefing {

// Message boxes around loading, saving and resetting briefing 1. The briefing
// model never shows them itself; the file and menu commands do, acting on the
// results the model returns.

// An unknown command stopped unpacking: caption kFatalErrorCaption on Open,
// kFatalLoadingErrorCaption when the block is read again after a save.
inline constexpr std::string_view kUnknownCommandText =
    "Unknown briefing command.\nPlease send this mission to the creator of Quendar.\nThanks.";
inline constexpr std::string_view kFatalErrorCaption = "Fatal error";
inline constexpr std::string_view kFatalLoadingErrorCaption = "Fatal loading error";

// Asked (OK / Cancel, exclamation icon) before packing when the length mark
// lies after the end command; OK applies BriefingModel::correctLengthMark().
inline constexpr std::string_view kSavingProblemCaption = "Saving problem occured";
inline constexpr std::string_view kSavingProblemText =
    "The editor detected an error in the briefing:\n\nThe briefing length mark is before the "
    "briefing end command. This problem may occur when you created this mission with QD beta 5 "
    "or an other editor that handle the briefing incorrectly.\n\nPress OK to convert this "
    "briefing and correct this problem or press CANCEL to skip this however maybe the briefing "
    "of this mission crash at the end of the briefing.";

// Reset Briefing 1 asks first (Yes / No).
inline constexpr std::string_view kResetBriefingQuestion = "Do you want to reset the briefing?";
inline constexpr std::string_view kResetBriefingCaption = "Warning";

// Reset Briefing 2 is not available.
inline constexpr std::string_view kNotImplementedText = "See next version";
inline constexpr std::string_view kNotImplementedCaption = "Function not implemented";

// The block ran to the end of its event area without an end command. Unpacking
// stops there like after an unknown command; the commands read so far stay and
// the end time keeps its previous value. Shown with the same captions.
inline constexpr std::string_view kNoEndCommandText =
    "The briefing has no end command.\nThe commands up to the end of the briefing block were "
    "loaded; the briefing end time was not changed.";

// More commands of one kind than its list holds (caption "Warning"): the
// commands that fit are kept, the rest are left out.
std::string listFullText(int droppedCommands);

// The lists hold more than the briefing block can take (caption "Warning").
// Shown before and after packing: the latest commands that do not fit are not
// saved.
std::string eventAreaFullText(int unwrittenCommands);
inline constexpr std::string_view kBriefingWarningCaption = "Warning";

struct ParseResult;
struct SerializeResult;

// A message box the caller shows (OK button).
struct Notice {
    std::string text;
    std::string_view caption;
    bool operator==(const Notice&) const = default;
};

// What to tell the user after unpacking, in order: why unpacking stopped
// early (captions "Fatal error" on Open, "Fatal loading error" after a save),
// then how many commands did not fit their lists. Empty when all went well.
std::vector<Notice> parseNotices(const ParseResult& result, bool afterSave);
// What to tell the user after packing: commands that did not fit the block.
std::optional<Notice> saveNotice(const SerializeResult& result);

}  // namespace quendar::briefing
