#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mission/FileIO.h"
#include "mission/MissionStore.h"

namespace quendar::app {

// The recovery file holds the mission file exactly as a save would write it,
// followed by the mission's own path, the identity of the mission's file as
// it was when last opened or saved here (48 bytes: a flag, then device,
// inode, size, seconds and nanoseconds, 64 bits each, low byte first; all
// zero when not known) and a footer of 16 bytes: the length of the mission
// bytes and of the path (32 bits each, low byte first) and the mark
// "QDRECOV2". Files of the first kind ("QDRECOV1") have no identity. The
// mission bytes are untouched; the reader strips the rest.
constexpr std::string_view kRecoveryMark = "QDRECOV2";
constexpr std::string_view kRecoveryMarkWithoutIdentity = "QDRECOV1";
constexpr size_t kRecoveryFooterSize = 16;
constexpr size_t kRecoveryIdentitySize = 48;
constexpr size_t kMaxRecoveryPath = 4096;

// Writes the file image of `copy` (a store whose briefing 1 block is already
// packed) and the trailer naming `copy.missionPath` and the identity its file
// had on disk.
void writeRecoveryImage(mission::MissionStore& copy, mission::ByteSink& out,
                        const std::optional<mission::FileIdentity>& onDisk = std::nullopt);

struct RecoveredImage {
    std::span<const uint8_t> mission;  // into the bytes given to the reader
    std::string missionPath;
    std::optional<mission::FileIdentity> onDisk;
};
// The mission bytes, the path and the identity, or nothing when the bytes do
// not end in a whole, consistent trailer.
std::optional<RecoveredImage> readRecoveryImage(std::span<const uint8_t> file);

// The folder recovery files live in, the same whatever folder the editor
// was started in: $XDG_STATE_HOME/quendar/recovery when that is an absolute
// path, else $HOME/.local/state/quendar/recovery; empty without either.
std::string recoveryFolderFor(const char* stateHome, const char* home);
// Makes `folder` and its missing parents, each for the user alone (0700). An
// existing `folder`, and its parent when that is named "quendar", must be
// this user's and are tightened to the user alone.
// False, with the reason, when it cannot be made or is not this user's folder.
bool makePrivateFolder(const std::string& folder, std::string* reason = nullptr);

// Names in the recovery folder. Each editor's file is named after its process
// and the moment its recovery object was made (a later process that gets the
// same number never takes over a crashed one's file); the dot hides it from
// folder listings and the Open dialog, since it is not a mission file on its
// own. Its lock file is the same name with ".lock" added.
std::string recoveryFileName(long pid, uint64_t stamp);
bool isRecoveryFileName(std::string_view name);
std::string lockPathOf(const std::string& recoveryPath);

// An advisory lock (flock) on a lock file, held from acquire() until the
// object is destroyed or release() is called. Locks belong to the open file,
// so a second acquire in the same process fails too.
class FileLock {
  public:
    enum class Outcome { Acquired, HeldElsewhere, Failed };
    // `create`: make the lock file when it is missing.
    static std::optional<FileLock> acquire(const std::string& path, bool create, Outcome* outcome,
                                           std::string* reason = nullptr);
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock() { release(); }

    // Removes the lock file (while still holding it), then lets go.
    void removeAndRelease();
    void release();
    const std::string& path() const { return m_path; }

  private:
    FileLock(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    int m_fd = -1;
    std::string m_path;
};

// A recovery file left by an editor that no longer runs. Its lock is held
// while the object lives, so an editor starting meanwhile leaves it alone.
struct Leftover {
    std::string file;
    std::string missionPath;
    std::optional<mission::FileIdentity> onDisk;
    std::time_t written = 0;
    FileLock lock;
};

// The leftovers in `folder`, newest first. Files a running editor holds,
// files whose lock cannot be tested and files that are not whole recovery
// files are left alone. Temporary files of interrupted writes and lock files
// without a recovery file are removed on the way when their editor no longer
// runs.
std::vector<Leftover> findLeftovers(const std::string& folder);
// Deletes a leftover (No to the question): its file, then its lock file.
// False when the file stays (the folder cannot be written).
bool removeLeftover(Leftover& leftover);

constexpr std::string_view kRestoreCaption = "Recovery";
// "Restore the unsaved changes to NAME from YYYY-MM-DD HH:MM:SS?" with the
// mission's file name (without its folders) and the time the recovery file
// was written, in local time; followed by "NAME has changed on disk since
// these changes were made." when `changedOnDisk`.
std::string restoreQuestion(const std::string& missionPath, const std::tm& written,
                            bool changedOnDisk = false);
// The file `missionPath` names is there and is not the one `onDisk` names.
bool changedSince(const std::string& missionPath,
                  const std::optional<mission::FileIdentity>& onDisk);

}  // namespace quendar::app
