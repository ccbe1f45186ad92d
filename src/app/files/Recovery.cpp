#include "app/files/Recovery.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "app/files/MissionIO.h"

namespace quendar::app {

namespace {
constexpr std::string_view kCannotKeep = "The recovery file cannot be written: ";
constexpr std::string_view kCannotRestore = "The recovery file cannot be read: ";

uint64_t startStamp() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
}  // namespace

Recovery::Recovery(Editor& editor, StatusPort& status, std::string folder)
    : m_editor(editor), m_status(status), m_folder(std::move(folder)), m_stamp(startStamp()) {
    if (!makePrivateFolder(m_folder, &m_folderProblem))
        m_folderProblem = "The recovery folder " + m_folder + " cannot be used: " + m_folderProblem;
    else
        m_folderProblem.clear();
    nameFile();
    m_settledConn = m_editor.missionSettled.connect([this] { discard(); });
}

Recovery::~Recovery() {
    // A normal exit: the mission was either saved or given up with "Are you
    // sure?", so its recovery file goes.
    finishWrite();
    discard();
    if (m_lock) m_lock->removeAndRelease();
}

// --- writing ----------------------------------------------------------------------

void Recovery::tick() {
    collect(false);
    // A save in progress: what the lists and the block hold is in between.
    if (writing() || m_editor.savesRunning > 0) return;
    const mission::ChangeJournal& journal = m_editor.journal;
    if (!journal.modified()) {
        // Undone back to the saved state: nothing left to recover.
        if (m_onDisk) discard();
        return;
    }
    if (m_writtenRevision == journal.revision()) return;
    const Clock::time_point now = Clock::now();
    if (now - m_lastStart < interval || now < m_retryAt) return;
    m_lastStart = now;
    if (!claimLock()) return;
    startWrite();
}

void Recovery::nameFile() {
    m_file = (std::filesystem::path(m_folder) / recoveryFileName(::getpid(), m_stamp)).string();
}

// A link, a file of another user or anything but a regular file at the
// file's or the lock's name is never written through: the name moves on.
bool Recovery::claimLock() {
    if (m_lock && mission::privateNameUsable(m_file)) return true;
    if (m_lock) {
        // Something was planted at the name since: this editor's own file
        // is gone anyway; the name moves on.
        m_lock->removeAndRelease();
        m_lock.reset();
        m_onDisk = false;
        m_writtenRevision.reset();
    }
    FileLock::Outcome outcome;
    std::string reason;
    for (int attempt = 0; attempt < 8 && !m_lock; ++attempt) {
        if (attempt > 0 || !mission::privateNameUsable(m_file) ||
            !mission::privateNameUsable(lockPathOf(m_file))) {
            ++m_stamp;
            nameFile();
            if (!mission::privateNameUsable(m_file) ||
                !mission::privateNameUsable(lockPathOf(m_file)))
                continue;
        }
        m_lock = FileLock::acquire(lockPathOf(m_file), true, &outcome, &reason);
        if (outcome != FileLock::Outcome::HeldElsewhere && errno != ELOOP && errno != EPERM) break;
    }
    if (m_lock) return true;
    m_retryAt = Clock::now() + retryDelay;
    report(m_folderProblem.empty() ? std::string(kCannotKeep) + reason : m_folderProblem);
    return false;
}

void Recovery::startWrite() {
    // The only part on the window's thread: a copy of the tables, and the
    // briefing lists packed into the copy's block (the live lists, the
    // playback and the live block stay as they are).
    auto copy = std::make_unique<mission::MissionStore>(m_editor.store);
    m_editor.briefing.packInto(*copy);
    // The file as this mission last saw it: a restore compares it, and the
    // restored mission's Save asks before it overwrites another's change.
    std::optional<mission::FileIdentity> onDisk;
    if (m_editor.diskFile && m_editor.diskFile->path == copy->missionPath)
        onDisk = m_editor.diskFile->identity;
    // Restored from another folder, the mission still saves to its own file.
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(copy->missionPath, ec);
    if (!ec) copy->missionPath = absolute.lexically_normal().string();
    m_jobRevision = m_editor.journal.revision();
    uint64_t generation;
    {
        std::lock_guard<std::mutex> guard(m_fileMutex);
        generation = m_generation;
    }
    m_workerDone.store(false);
    m_worker = std::thread(
        [this, copy = std::move(copy), generation, target = m_file, hooks = writeHooks, onDisk] {
            mission::FileError error;
            const bool ok = mission::writeFileAtomicStream(
                target, [&](mission::ByteSink& out) { writeRecoveryImage(*copy, out, onDisk); },
                &error, hooks, mission::FileKind::Private);
            bool stale;
            {
                // Discarded while it was written: what was written goes too.
                std::lock_guard<std::mutex> guard(m_fileMutex);
                stale = generation != m_generation;
                if (stale && ok) ::unlink(target.c_str());
            }
            m_jobOk = ok;
            m_jobStale = stale;
            m_jobError = error.reason;
            m_workerDone.store(true, std::memory_order_release);
        });
}

void Recovery::collect(bool wait) {
    if (!m_worker.joinable()) return;
    if (!wait && !m_workerDone.load(std::memory_order_acquire)) return;
    m_worker.join();
    if (m_jobStale) return;
    if (m_jobOk) {
        m_onDisk = true;
        m_writtenRevision = m_jobRevision;
        m_failureTold = false;
    } else {
        // The file on disk, if any, is the previous one, still whole.
        m_retryAt = Clock::now() + retryDelay;
        report(std::string(kCannotKeep) + m_jobError);
    }
}

void Recovery::finishWrite() { collect(true); }

void Recovery::report(const std::string& text) {
    if (m_failureTold) return;
    m_failureTold = true;
    m_status.showStatus(text);
}

void Recovery::discard() {
    {
        std::lock_guard<std::mutex> guard(m_fileMutex);
        ++m_generation;
        ::unlink(m_file.c_str());
    }
    m_onDisk = false;
    m_writtenRevision.reset();
    m_retryAt = {};
}

// --- start-up ---------------------------------------------------------------------

bool Recovery::offerLeftovers(core::Prompter& prompter) {
    std::vector<Leftover> leftovers = findLeftovers(m_folder);
    for (Leftover& l : leftovers) {
        std::tm when{};
        localtime_r(&l.written, &when);
        const core::Answer answer = prompter.ask(
            restoreQuestion(l.missionPath, when, changedSince(l.missionPath, l.onDisk)),
            kRestoreCaption, core::Buttons::RestoreDiscard, core::Icon::Question);
        // Only Discard deletes; a box closed without an answer keeps the
        // file for the next start.
        if (answer == core::Answer::Discard) removeLeftover(l);
        if (answer != core::Answer::Restore) continue;
        if (restore(l, prompter)) {
            adopt(l);
            return true;
        }
    }
    return false;
}

bool Recovery::restore(Leftover& leftover, core::Prompter& prompter) {
    mission::FileError error;
    const auto file = mission::FileBytes::open(leftover.file, &error);
    const auto image = file ? readRecoveryImage(file->bytes()) : std::nullopt;
    if (!image) {
        if (error.reason.empty()) error.reason = "the file is not whole";
        prompter.tell(std::string(kCannotRestore) + error.reason, kRestoreCaption,
                      core::Icon::Error);
        return false;
    }
    m_editor.closeModelessForms.notify();
    LoadOutcome outcome;
    {
        mission::ChangeJournal::Pause pause(m_editor.journal);
        outcome = loadMissionBytes(m_editor, image->mission);
    }
    m_editor.store.missionPath = image->missionPath;
    // Save compares the file with the one these changes were made on.
    if (image->onDisk)
        m_editor.diskFile = Editor::DiskFile{image->missionPath, *image->onDisk};
    else
        m_editor.diskFile.reset();
    // Nothing to undo, and the mission differs from its file on disk until
    // it is saved.
    m_editor.journal.clear();
    m_editor.journal.markUnsaved();
    show(prompter, outcome.messages);
    m_editor.shipgroupEvents.notify(ShipgroupEvent::ListCleared);
    m_editor.missionReplaced.notify();
    return true;
}

// The restored file becomes this editor's own: it stays until this editor's
// first write replaces it, so a crash right after the restore loses nothing.
void Recovery::adopt(Leftover& leftover) {
    discard();
    if (claimLock() && std::rename(leftover.file.c_str(), m_file.c_str()) == 0) {
        m_onDisk = true;
        m_writtenRevision = m_editor.journal.revision();
        leftover.lock.removeAndRelease();
    }
}

}  // namespace quendar::app
