#include "app/files/MissionIO.h"

#include "briefing/BriefingTexts.h"
#include "mission/NewMission.h"

namespace quendar::app {

namespace {

constexpr std::string_view kDamagedCaption = "Damaged mission file";

// The briefing's notices as message boxes: warnings with the exclamation
// icon, the reasons unpacking stopped with the error icon.
Message toMessage(const briefing::Notice& n) {
    const bool warning = n.caption == briefing::kBriefingWarningCaption;
    return {n.text, std::string(n.caption), warning ? core::Icon::Exclamation : core::Icon::Error};
}

void reportParse(const briefing::ParseResult& r, bool afterSave, std::vector<Message>& out) {
    for (const briefing::Notice& n : briefing::parseNotices(r, afterSave))
        out.push_back(toMessage(n));
}

}  // namespace

// New and Open replace the mission: nothing of it is journalled, and the
// journal starts again from the mission as it then is.
void resetEditorToNewMission(Editor& editor) {
    {
        mission::ChangeJournal::Pause pause(editor.journal);
        mission::resetToNewMission(editor.store);
        editor.briefing.resetForNewMission();
    }
    editor.journal.clear();
    editor.viewSwitches.resetViewControl();
    editor.mapTool = {};
    // A missing file keeps the list; no path at all means no craft names are
    // needed (a resave copies craft types as numbers).
    if (!editor.craftListPath.empty()) editor.craftList.load(editor.craftListPath);
}

LoadOutcome loadMissionBytes(Editor& editor, std::span<const uint8_t> file, bool shrankWhileRead,
                             bool changedWhileRead) {
    LoadOutcome out;
    mission::ChangeJournal::Pause pause(editor.journal);
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
    } else if (shrankWhileRead) {
        out.messages.push_back(
            {"The mission file became shorter while it was read; it may be damaged.\n"
             "Only the bytes that were there were read.",
             std::string(kDamagedCaption), core::Icon::Exclamation});
    } else if (changedWhileRead) {
        out.messages.push_back(
            {"The mission file was changed by another program while it was read; it may be "
             "damaged.",
             std::string(kDamagedCaption), core::Icon::Exclamation});
    }
    reportParse(editor.briefing.parseBriefing(), false, out.messages);
    editor.journal.clear();
    return out;
}

BuildOutcome packBriefing(Editor& editor) {
    BuildOutcome outcome;
    if (auto notice = briefing::saveNotice(editor.briefing.packForSave()))
        outcome.messages.push_back(toMessage(*notice));
    return outcome;
}

std::vector<uint8_t> buildMissionImage(Editor& editor, BuildOutcome* outcome) {
    BuildOutcome packed = packBriefing(editor);
    if (outcome) *outcome = std::move(packed);
    return mission::writeMission(editor.store);
}

std::vector<Message> reloadBriefingAfterSave(Editor& editor) {
    std::vector<Message> out;
    reportParse(editor.briefing.reparseAfterSave(), true, out);
    return out;
}

void show(core::Prompter& prompter, const std::vector<Message>& messages) {
    for (const Message& m : messages) prompter.tell(m.text, m.caption, m.icon);
}

}  // namespace quendar::app
