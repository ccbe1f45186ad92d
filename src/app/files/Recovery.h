#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/editor/Editor.h"
#include "app/editor/StatusPort.h"
#include "app/files/RecoveryFile.h"
#include "core/Prompter.h"
#include "mission/FileIO.h"

namespace quendar::app {

// The recovery file of one editor. While the mission differs from what was
// last opened or saved, a copy of it (briefing lists packed in, its path
// made absolute) is kept in the user's recovery folder, rewritten at most every `interval` when
// something changed. The copy and the packing happen in tick(); writing, fsync and the rename
// happen on a worker thread, one write at a time. The file goes when the mission is saved, replaced
// by New or Open, back at its saved state, and when the editor closes normally (the destructor).
//
// Failures (a read-only or full folder) never reach the mission: the file is
// simply not there, tick() keeps returning at once, and `status` is told once
// (again only after a write has worked in between): the window's message pane.
class Recovery {
  public:
    Recovery(Editor& editor, StatusPort& status, std::string folder = ".");
    ~Recovery();
    Recovery(const Recovery&) = delete;
    Recovery& operator=(const Recovery&) = delete;

    // Called by the window's timer. Returns at once while a write runs.
    void tick();
    // Removes this editor's recovery file now; the next change writes a new one.
    void discard();

    // At start-up: offers each recovery file no running editor holds, newest
    // first. Restore makes it the open mission (modified, its own path kept)
    // and ends the offers (older ones wait for the next start); Discard
    // deletes it, and a box closed without an answer keeps it for the next
    // start; both go on with the next. True when a mission was restored.
    bool offerLeftovers(core::Prompter& prompter);

    // The least time between the starts of two writes.
    std::chrono::milliseconds interval{1500};
    // After a failed write, the next try waits this long.
    std::chrono::milliseconds retryDelay{30000};
    // Test seam: makes the worker's writing fail.
    mission::WriteHooks writeHooks;

    // Waits for a write in progress and takes its outcome (tests, exit).
    void finishWrite();
    bool writing() const { return m_worker.joinable(); }
    const std::string& filePath() const { return m_file; }
    // This editor's file is on disk (as far as this editor knows).
    bool onDisk() const { return m_onDisk; }

  private:
    using Clock = std::chrono::steady_clock;
    void nameFile();
    bool claimLock();
    void startWrite();
    void collect(bool wait);
    void report(const std::string& text);
    bool restore(Leftover& leftover, core::Prompter& prompter);
    void adopt(Leftover& leftover);

    Editor& m_editor;
    StatusPort& m_status;
    std::string m_folder;
    std::string m_folderProblem;  // why the folder cannot be used, told once
    uint64_t m_stamp;             // in the file's name; moves on when the name is taken
    std::string m_file;
    std::optional<FileLock> m_lock;
    core::Notifier<>::Connection m_settledConn;

    // The worker and what it hands back (read after the join).
    std::thread m_worker;
    std::atomic<bool> m_workerDone{false};
    bool m_jobOk = false;
    bool m_jobStale = false;
    std::string m_jobError;
    uint64_t m_jobRevision = 0;
    // discard() moves the generation on; a write that started before it
    // removes what it wrote.
    std::mutex m_fileMutex;
    uint64_t m_generation = 0;

    bool m_onDisk = false;
    std::optional<uint64_t> m_writtenRevision;
    bool m_failureTold = false;
    Clock::time_point m_lastStart{};
    Clock::time_point m_retryAt{};
};

}  // namespace quendar::app
