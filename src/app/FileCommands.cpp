#include "app/FileCommands.h"

#include "app/MissionChecks.h"
#include "app/MissionIO.h"
#include "briefing/BriefingTexts.h"
#include "mission/FileIO.h"

namespace quendar::app {

using core::Answer;
using core::Buttons;
using core::Icon;

namespace {
constexpr std::string_view kTitlePrefix = "Quendar - ";
constexpr std::string_view kCannotOpenCaption = "Cannot open file";
constexpr std::string_view kAreYouSure = "Are you sure?";
constexpr std::string_view kDiscardCaption = "Discard last mission";
constexpr std::string_view kFilter = "Mission Files (*.tie)|*.tie|All Files (*.*)|*.*||";

// The path, then the system's reason on a line of its own.
std::string cannotOpenText(const std::string& path, const mission::FileError& error) {
    if (error.reason.empty()) return path;
    return path + "\n\n" + error.reason;
}
}  // namespace

// A "*" after the file name while the mission differs from the file.
std::string windowTitle(const Editor& editor) {
    return std::string(kTitlePrefix) + editor.store.missionPath +
           (editor.journal.modified() ? "*" : "");
}

FileDialogRequest missionDialogRequest(const Editor& editor, bool save) {
    FileDialogRequest r;
    r.filter = std::string(kFilter);
    r.defaultExtension = "tie";
    // The folder is followed by a backslash; a folder written with forward
    // slashes gets a forward slash, so a Unix path stays a valid path.
    const std::string& dir = editor.settings.missionDirectory;
    if (dir.empty() || dir.back() == '\\' || dir.back() == '/') {
        r.initialName = dir + "*.tie";
    } else if (dir.find('/') != std::string::npos && dir.find('\\') == std::string::npos) {
        r.initialName = dir + "/*.tie";
    } else {
        r.initialName = dir + "\\*.tie";
    }
    r.promptOverwrite = save;
    return r;
}

bool newMission(Editor& editor, core::Prompter& prompter, bool ask) {
    if (ask &&
        prompter.ask(kAreYouSure, kDiscardCaption, Buttons::OkCancel, Icon::Exclamation) !=
            Answer::Ok) {
        return false;
    }
    resetEditorToNewMission(editor);
    editor.shipgroupEvents.notify(kEventListCleared);
    editor.shipgroupEvents.notify(kEventListRefilled);
    editor.shipgroupEvents.notify(kEventCurrentChanged);
    editor.missionReplaced.notify();
    editor.missionSettled.notify();
    return true;
}

bool openMission(Editor& editor, core::Prompter& prompter, FileChooser& chooser) {
    const auto path = chooser.chooseOpen(missionDialogRequest(editor, false));
    if (!path) return false;
    return openMissionPath(editor, prompter, *path);
}

// A file that cannot be read leaves everything as it was, the mission path and
// title included: otherwise a later Save would write the previous mission
// under the name of the file that failed to open.
bool openMissionPath(Editor& editor, core::Prompter& prompter, const std::string& path) {
    mission::FileError error;
    const auto file = mission::FileBytes::open(path, &error);
    if (!file) {
        prompter.tell(cannotOpenText(path, error), kCannotOpenCaption, Icon::Error);
        return false;
    }
    editor.closeModelessForms.notify();
    const LoadOutcome outcome = loadMissionBytes(editor, file->bytes(), file->shrank());
    editor.store.missionPath = path;
    show(prompter, outcome.messages);
    editor.shipgroupEvents.notify(kEventListCleared);
    editor.missionReplaced.notify();
    editor.missionSettled.notify();
    return true;
}

bool saveMission(Editor& editor, core::Prompter& prompter, const mission::WriteHooks& hooks) {
    // First the place to write: the temporary file beside the target (a link
    // is followed to the file it names) and the right to replace the target.
    // When either fails nothing else happens: no question, no packing, the
    // briefing lists and the time position as they were.
    mission::FileError error;
    const std::string path = editor.store.missionPath;
    auto pending = mission::PendingFile::begin(path, &error);
    if (!pending) {
        prompter.tell(cannotOpenText(path, error), kCannotOpenCaption, Icon::Error);
        return false;
    }

    // The mission checks (when the preference asks for them) may correct the
    // store; their corrections are saved, and they never stop the Save.
    checkBeforeSave(editor, prompter);
    if (editor.briefing.lengthMarkAfterEnd()) {
        if (prompter.ask(briefing::kSavingProblemText, briefing::kSavingProblemCaption,
                         Buttons::OkCancel, Icon::Exclamation) == Answer::Ok) {
            core::ActionScope scope(editor.journal, "Correct briefing length");
            editor.briefing.correctLengthMark();
        }
    }
    // Packing and the re-read of briefing 1 belong to the last action: undoing
    // it after the save also takes back the new order of the lists.
    editor.journal.beginAmend();
    show(prompter, packBriefing(editor).messages);

    // The file is written as it is produced, without a copy of it in memory.
    const bool written = pending->commit(
        [&](mission::ByteSink& out) { mission::writeMission(editor.store, out); }, &error, hooks);
    if (!written) {
        prompter.tell(cannotOpenText(path, error), kCannotOpenCaption, Icon::Error);
    }
    // The lists are rebuilt from the packed block either way, so that they
    // equal what a save writes.
    show(prompter, reloadBriefingAfterSave(editor));
    editor.journal.endAction();
    if (written) editor.journal.markSaved();
    if (written) editor.missionSettled.notify();
    return written;
}

bool saveMissionAs(Editor& editor, core::Prompter& prompter, FileChooser& chooser) {
    const auto path = chooser.chooseSave(missionDialogRequest(editor, true));
    if (!path) return false;
    // A save that fails keeps the name of the file the mission came from, so
    // the title never names a file that does not hold this mission.
    const std::string previous = editor.store.missionPath;
    editor.store.missionPath = *path;
    const bool written = saveMission(editor, prompter);
    if (!written) editor.store.missionPath = previous;
    return written;
}

}  // namespace quendar::app
