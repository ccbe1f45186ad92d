#include "app/files/FileCommands.h"

#include "app/files/MissionChecks.h"
#include "app/files/MissionIO.h"
#include "briefing/BriefingTexts.h"
#include "mission/FileIO.h"

namespace quendar::app {

using core::Answer;
using core::Buttons;
using core::Icon;

namespace {
constexpr std::string_view kTitlePrefix = "Quendar - ";
constexpr std::string_view kCannotOpenCaption = "Cannot open file";
constexpr std::string_view kChangedCaption = "File changed";
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

std::string fileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string saveChangesQuestion(const std::string& missionPath) {
    return "Save changes to " + fileNameOf(missionPath) + " before closing?";
}

bool confirmLeaving(Editor& editor, core::Prompter& prompter, const LeaveQuestion* plain,
                    const std::function<bool()>& save) {
    const LeaveQuestion& look = plain ? *plain : kDiscardQuestion;
    if (editor.journal.modified()) {
        switch (prompter.ask(saveChangesQuestion(editor.store.missionPath), look.caption,
                             Buttons::SaveDiscardCancel, look.icon)) {
            case Answer::Save: return save && save();
            case Answer::Discard: return true;
            default: return false;
        }
    }
    return !plain ||
           prompter.ask(plain->text, plain->caption, Buttons::OkCancel, plain->icon) == Answer::Ok;
}

bool newMission(Editor& editor, core::Prompter& prompter, bool ask) {
    if (ask && !confirmLeaving(editor, prompter, &kDiscardQuestion,
                               [&] { return saveMission(editor, prompter); })) {
        return false;
    }
    resetEditorToNewMission(editor);
    editor.diskFile.reset();
    editor.shipgroupEvents.notify(ShipgroupEvent::ListCleared);
    editor.shipgroupEvents.notify(ShipgroupEvent::ListRefilled);
    editor.shipgroupEvents.notify(ShipgroupEvent::CurrentChanged);
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
    const LoadOutcome outcome =
        loadMissionBytes(editor, file->bytes(), file->shrank(), file->changedWhileRead());
    editor.store.missionPath = path;
    editor.diskFile = Editor::DiskFile{path, file->identity()};
    show(prompter, outcome.messages);
    editor.shipgroupEvents.notify(ShipgroupEvent::ListCleared);
    editor.missionReplaced.notify();
    editor.missionSettled.notify();
    return true;
}

namespace {
// While it lives, the recovery writer leaves the mission alone.
class SaveRunning {
  public:
    explicit SaveRunning(Editor& e) : m_e(e) { ++m_e.savesRunning; }
    ~SaveRunning() { end(); }
    SaveRunning(const SaveRunning&) = delete;
    SaveRunning& operator=(const SaveRunning&) = delete;
    void end() {
        if (m_running) --m_e.savesRunning;
        m_running = false;
    }

  private:
    Editor& m_e;
    bool m_running = true;
};
}  // namespace

bool fileChangedOnDisk(const Editor& editor) {
    if (!editor.diskFile || editor.diskFile->path != editor.store.missionPath) return false;
    const auto now = mission::identityOf(editor.store.missionPath);
    return now && *now != editor.diskFile->identity;
}

std::string changedOnDiskQuestion(const std::string& missionPath) {
    return fileNameOf(missionPath) +
           " was changed by another program since you opened it. Overwrite it?";
}

bool saveMission(Editor& editor, core::Prompter& prompter, const mission::WriteHooks& hooks) {
    PromptedChecks checks(editor, prompter);
    return saveMission(editor, prompter, checks, hooks);
}

bool saveMission(Editor& editor, core::Prompter& prompter, ChecksBeforeSave& checks,
                 const mission::WriteHooks& hooks) {
    // Another program changed the file since it was opened or saved here:
    // No leaves the file and the mission as they are.
    if (fileChangedOnDisk(editor) &&
        prompter.ask(changedOnDiskQuestion(editor.store.missionPath), kChangedCaption,
                     Buttons::YesNo, Icon::Exclamation) != Answer::Yes)
        return false;
    SaveRunning running(editor);
    // First the place to write: the temporary file beside the target (a link
    // is followed to the file it names) and the right to replace the target.
    // When either fails nothing else happens: no question, no packing, the
    // briefing lists and the time position as they were.
    mission::FileError error;
    const std::string path = editor.store.missionPath;
    auto pending = mission::PendingFile::begin(path, &error);
    if (!pending) {
        running.end();
        prompter.tell(cannotOpenText(path, error), kCannotOpenCaption, Icon::Error);
        return false;
    }

    // The mission checks (when the preference asks for them) may correct the
    // store; their corrections are saved, and they never stop the Save.
    checkBeforeSave(editor, checks);
    if (editor.briefing.lengthMarkAfterEnd()) {
        if (prompter.ask(briefing::kSavingProblemText, briefing::kSavingProblemCaption,
                         Buttons::OkCancel, Icon::Exclamation) == Answer::Ok) {
            core::ActionScope scope(editor.journal, "Correct briefing length");
            editor.briefing.correctLengthMark();
        }
    }
    // Packing leaves the lists as they are; the warning about commands that
    // did not fit waits until the file is written.
    const BuildOutcome packed = packBriefing(editor);

    // The file is written as it is produced, without a copy of it in memory.
    // The writer copies the counts into the header: the save's own
    // bookkeeping, not a change of the user's.
    const bool written = pending->commit(
        [&](mission::ByteSink& out) {
            mission::ChangeJournal::Pause pause(editor.journal);
            mission::writeMission(editor.store, out);
        },
        &error, hooks);
    // After a write the lists are rebuilt from the packed block, so that they
    // equal what was saved. A failed write leaves them as they were: nothing
    // of the mission is lost to a full disk.
    std::vector<Message> reread;
    if (written)
        reread = reloadBriefingAfterSave(editor);
    else
        editor.briefing.saveFailed();
    running.end();
    if (written) {
        editor.journal.markSaved();
        if (const auto now = mission::identityOf(path))
            editor.diskFile = Editor::DiskFile{path, *now};
        else
            editor.diskFile.reset();
        editor.missionSettled.notify();
    }

    show(prompter, packed.messages);
    if (!written) prompter.tell(cannotOpenText(path, error), kCannotOpenCaption, Icon::Error);
    show(prompter, reread);
    return written;
}

bool saveMissionAs(Editor& editor, core::Prompter& prompter, FileChooser& chooser) {
    PromptedChecks checks(editor, prompter);
    return saveMissionAs(editor, prompter, chooser, checks);
}

bool saveMissionAs(Editor& editor, core::Prompter& prompter, FileChooser& chooser,
                   ChecksBeforeSave& checks) {
    const auto path = chooser.chooseSave(missionDialogRequest(editor, true));
    if (!path) return false;
    // A save that fails keeps the name of the file the mission came from, so
    // the title never names a file that does not hold this mission.
    const std::string previous = editor.store.missionPath;
    editor.store.missionPath = *path;
    const bool written = saveMission(editor, prompter, checks);
    if (!written) editor.store.missionPath = previous;
    return written;
}

}  // namespace quendar::app
