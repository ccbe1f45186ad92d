#include "app/MissionIO.h"

#include "briefing/BriefingTexts.h"
#include "mission/NewMission.h"

namespace quendar::app {

namespace {

constexpr std::string_view kDamagedCaption = "Damaged mission file";

// What the caller shows after briefing 1 was unpacked; `caption` is "Fatal
// error" on Open and "Fatal loading error" after a save.
void reportParse(const briefing::ParseResult& r, std::string_view caption,
                 std::vector<Message>& out) {
    using briefing::ParseStatus;
    switch (r.status) {
        case ParseStatus::Ok: break;
        case ParseStatus::UnknownCommand:
            out.push_back({std::string(briefing::kUnknownCommandText), std::string(caption),
                           core::Icon::Error});
            break;
        case ParseStatus::NoEndCommand:
            out.push_back({std::string(briefing::kNoEndCommandText), std::string(caption),
                           core::Icon::Error});
            break;
        case ParseStatus::ListFull: break;
    }
    if (r.droppedCommands > 0) {
        out.push_back({briefing::listFullText(r.droppedCommands),
                       std::string(briefing::kBriefingWarningCaption), core::Icon::Exclamation});
    }
}

}  // namespace

void resetEditorToNewMission(Editor& editor) {
    mission::resetToNewMission(editor.store);
    editor.briefing.resetForNewMission();
    editor.viewSwitches.resetViewControl();
    editor.mapTool = 0;
    editor.craftList.load(editor.craftListPath);  // a missing file keeps the list
}

LoadOutcome loadMissionBytes(Editor& editor, std::span<const uint8_t> file) {
    LoadOutcome out;
    resetEditorToNewMission(editor);
    out.report = mission::readMission(file, editor.store);
    // A file too short for its own counts loads anyway (the missing bytes read
    // as 255), but the designer is told, so that a damaged file is not saved
    // over a good copy unawares.
    if (out.report.shortFile()) {
        out.messages.push_back(
            {"The mission file is shorter than its contents require; it may be damaged.\n"
             "The missing bytes were read as 255.",
             std::string(kDamagedCaption), core::Icon::Exclamation});
    }
    reportParse(editor.briefing.parseBriefing(), briefing::kFatalErrorCaption, out.messages);
    return out;
}

BuildOutcome packBriefing(Editor& editor) {
    BuildOutcome outcome;
    const briefing::SerializeResult packed = editor.briefing.serializeBriefing();
    if (packed.unwritten > 0) {
        outcome.messages.push_back({briefing::eventAreaFullText(packed.unwritten),
                                    std::string(briefing::kBriefingWarningCaption),
                                    core::Icon::Exclamation});
    }
    return outcome;
}

std::vector<uint8_t> buildMissionImage(Editor& editor, BuildOutcome* outcome) {
    BuildOutcome packed = packBriefing(editor);
    if (outcome) *outcome = std::move(packed);
    return mission::writeMission(editor.store);
}

std::vector<Message> reloadBriefingAfterSave(Editor& editor) {
    std::vector<Message> out;
    reportParse(editor.briefing.reparseAfterSave(), briefing::kFatalLoadingErrorCaption, out);
    return out;
}

void show(core::Prompter& prompter, const std::vector<Message>& messages) {
    for (const Message& m : messages) prompter.tell(m.text, m.caption, m.icon);
}

}  // namespace quendar::app
