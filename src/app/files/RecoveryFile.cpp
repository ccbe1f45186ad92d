#include "app/files/RecoveryFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <system_error>

#include "mission/MissionFile.h"

namespace quendar::app {

namespace {

constexpr std::string_view kNamePrefix = ".quendar-";
constexpr std::string_view kNameSuffix = ".recovery";
constexpr std::string_view kLockSuffix = ".lock";

// Passes the bytes on and counts them.
class CountingSink : public mission::ByteSink {
  public:
    explicit CountingSink(mission::ByteSink& inner) : m_inner(inner) {}
    using ByteSink::put;
    void put(const uint8_t* data, size_t size) override {
        m_inner.put(data, size);
        m_count += size;
    }
    size_t count() const { return m_count; }

  private:
    mission::ByteSink& m_inner;
    size_t m_count = 0;
};

void putLength(mission::ByteSink& out, uint64_t n) {
    const auto v = static_cast<uint32_t>(n);
    const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                          static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    out.put(b, 4);
}

size_t lengthAt(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<size_t>(bytes[at]) | static_cast<size_t>(bytes[at + 1]) << 8 |
           static_cast<size_t>(bytes[at + 2]) << 16 | static_cast<size_t>(bytes[at + 3]) << 24;
}

bool endsWith(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// The recovery file a temporary file of an interrupted write belongs to:
// FileIO names them "." + target name + ".tmp" + digits.
std::string ownerOfTemp(std::string_view name) {
    if (name.size() < 2 || name[0] != '.') return {};
    const size_t tmp = name.rfind(".tmp");
    if (tmp == std::string_view::npos || tmp + 4 == name.size()) return {};
    if (name.find_first_not_of("0123456789", tmp + 4) != std::string_view::npos) return {};
    const std::string_view owner = name.substr(1, tmp - 1);
    return isRecoveryFileName(owner) ? std::string(owner) : std::string();
}

}  // namespace

// --- the file image --------------------------------------------------------------

void writeRecoveryImage(mission::MissionStore& copy, mission::ByteSink& out,
                        const std::optional<mission::FileIdentity>& onDisk) {
    CountingSink counted(out);
    mission::writeMission(copy, counted);
    const std::string& path = copy.missionPath;
    const size_t pathLength = std::min(path.size(), kMaxRecoveryPath);
    out.put(reinterpret_cast<const uint8_t*>(path.data()), pathLength);
    const mission::FileIdentity id = onDisk.value_or(mission::FileIdentity{});
    const uint64_t fields[] = {onDisk ? 1u : 0u,
                               id.device,
                               id.inode,
                               id.size,
                               static_cast<uint64_t>(id.seconds),
                               static_cast<uint64_t>(id.nanoseconds)};
    for (uint64_t v : fields) {
        putLength(out, static_cast<uint32_t>(v));
        putLength(out, static_cast<uint32_t>(v >> 32));
    }
    putLength(out, counted.count());
    putLength(out, pathLength);
    out.put(reinterpret_cast<const uint8_t*>(kRecoveryMark.data()), kRecoveryMark.size());
}

std::optional<RecoveredImage> readRecoveryImage(std::span<const uint8_t> file) {
    if (file.size() < kRecoveryFooterSize) return std::nullopt;
    const size_t footer = file.size() - kRecoveryFooterSize;
    const auto markIs = [&](std::string_view mark) {
        return std::equal(mark.begin(), mark.end(), file.begin() + footer + 8);
    };
    const bool withIdentity = markIs(kRecoveryMark);
    if (!withIdentity && !markIs(kRecoveryMarkWithoutIdentity)) return std::nullopt;
    const size_t identity = withIdentity ? kRecoveryIdentitySize : 0;
    const size_t missionLength = lengthAt(file, footer);
    const size_t pathLength = lengthAt(file, footer + 4);
    if (missionLength == 0 || pathLength > kMaxRecoveryPath || missionLength > footer ||
        footer - missionLength != pathLength + identity)
        return std::nullopt;
    RecoveredImage out;
    out.mission = file.first(missionLength);
    out.missionPath.assign(reinterpret_cast<const char*>(file.data() + missionLength), pathLength);
    if (!withIdentity) return out;
    uint64_t v[6];
    for (size_t k = 0; k < 6; ++k) {
        const size_t at = missionLength + pathLength + 8 * k;
        v[k] = lengthAt(file, at) | static_cast<uint64_t>(lengthAt(file, at + 4)) << 32;
    }
    if (v[0] > 1) return std::nullopt;
    if (v[0] == 1)
        out.onDisk = mission::FileIdentity{v[1], v[2], v[3], static_cast<int64_t>(v[4]),
                                           static_cast<int64_t>(v[5])};
    return out;
}

// --- the folder -------------------------------------------------------------------

std::string recoveryFolderFor(const char* stateHome, const char* home) {
    if (stateHome && stateHome[0] == '/') return std::string(stateHome) + "/quendar/recovery";
    if (home && home[0] == '/') return std::string(home) + "/.local/state/quendar/recovery";
    return {};
}

bool makePrivateFolder(const std::string& folder, std::string* reason) {
    auto failed = [&](const std::string& why) {
        if (reason) *reason = why;
        return false;
    };
    if (folder.empty()) return failed("no folder");
    // Each missing folder on the way is made for the user alone.
    for (size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
        const std::string part = folder.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return failed(std::strerror(errno));
        if (at == std::string::npos) break;
    }
    // The folder, and its parent when it is the program's own "quendar"
    // (made by an earlier start, perhaps with a wider mode), are this user's
    // and for the user alone: a wider mode is tightened, another owner's
    // folder refused.
    std::vector<std::string> own{folder};
    const std::filesystem::path parent = std::filesystem::path(folder).parent_path();
    if (parent.filename() == "quendar") own.push_back(parent.string());
    for (const std::string& f : own) {
        struct stat st {};
        if (::lstat(f.c_str(), &st) != 0) return failed(std::strerror(errno));
        if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
            return failed("not a folder of this user");
        if ((st.st_mode & 077) != 0 && ::chmod(f.c_str(), st.st_mode & 0700) != 0)
            return failed(std::strerror(errno));
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) return failed(std::strerror(errno));
    return true;
}

// --- names ------------------------------------------------------------------------

std::string recoveryFileName(long pid, uint64_t stamp) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%llx", static_cast<unsigned long long>(stamp));
    return std::string(kNamePrefix) + std::to_string(pid) + "-" + hex + std::string(kNameSuffix);
}

bool isRecoveryFileName(std::string_view name) {
    return name.size() > kNamePrefix.size() + kNameSuffix.size() &&
           name.substr(0, kNamePrefix.size()) == kNamePrefix && endsWith(name, kNameSuffix) &&
           name.find('/') == std::string_view::npos;
}

std::string lockPathOf(const std::string& recoveryPath) {
    return recoveryPath + std::string(kLockSuffix);
}

// --- the lock ---------------------------------------------------------------------

std::optional<FileLock> FileLock::acquire(const std::string& path, bool create, Outcome* outcome,
                                          std::string* reason) {
    auto failed = [&](Outcome o) -> std::optional<FileLock> {
        if (outcome) *outcome = o;
        if (reason) *reason = std::strerror(errno);
        return std::nullopt;
    };
    const int flags = O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | (create ? O_CREAT : 0);
    int fd = ::open(path.c_str(), O_RDWR | flags, 0600);
    // A lock file on a read-only file system can still be locked for reading.
    if (fd < 0 && (errno == EROFS || errno == EACCES)) fd = ::open(path.c_str(), O_RDONLY | flags);
    if (fd < 0) return failed(Outcome::Failed);
    // Only a regular file of this user: a lock file someone else planted
    // could be held by them for ever, or stand for a file they can replace.
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        ::close(fd);
        errno = EPERM;
        return failed(Outcome::Failed);
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int why = errno;
        ::close(fd);
        errno = why;
        return failed(why == EWOULDBLOCK ? Outcome::HeldElsewhere : Outcome::Failed);
    }
    if (outcome) *outcome = Outcome::Acquired;
    return FileLock(fd, path);
}

FileLock::FileLock(FileLock&& o) noexcept : m_fd(o.m_fd), m_path(std::move(o.m_path)) {
    o.m_fd = -1;
}

FileLock& FileLock::operator=(FileLock&& o) noexcept {
    if (this != &o) {
        release();
        m_fd = o.m_fd;
        m_path = std::move(o.m_path);
        o.m_fd = -1;
    }
    return *this;
}

void FileLock::removeAndRelease() {
    if (m_fd >= 0) ::unlink(m_path.c_str());
    release();
}

void FileLock::release() {
    if (m_fd >= 0) ::close(m_fd);  // closing the last descriptor lets the lock go
    m_fd = -1;
}

// --- leftovers --------------------------------------------------------------------

std::vector<Leftover> findLeftovers(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<Leftover> out;
    std::map<std::string, std::vector<std::string>> temps;  // recovery name -> its temporary files
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (isRecoveryFileName(name)) {
            names.push_back(name);
        } else if (std::string owner = ownerOfTemp(name); !owner.empty()) {
            temps[owner].push_back(it->path().string());
        } else if (endsWith(name, kLockSuffix) && isRecoveryFileName(std::string_view(name).substr(
                                                      0, name.size() - kLockSuffix.size()))) {
            temps[name.substr(0, name.size() - kLockSuffix.size())];  // a lock file alone
        }
    }
    const fs::path dir(folder);
    for (const std::string& name : names) {
        const std::string file = (dir / name).string();
        FileLock::Outcome outcome;
        auto lock = FileLock::acquire(lockPathOf(file), true, &outcome);
        if (!lock) continue;  // a running editor's, or the lock cannot be tested
        struct stat st {};
        if (::stat(file.c_str(), &st) != 0) {
            // Its editor removed it while we looked: the lock file goes too.
            if (errno == ENOENT) lock->removeAndRelease();
            continue;
        }
        const auto bytes = mission::readWholeFile(file);
        const auto image = bytes ? readRecoveryImage(*bytes) : std::nullopt;
        if (!image) continue;  // unreadable or not whole: left as it is
        out.push_back(
            Leftover{file, image->missionPath, image->onDisk, st.st_mtime, std::move(*lock)});
    }
    // Temporary files of writes that were cut off, and lock files without a
    // recovery file, when their editor is gone.
    for (const auto& [owner, files] : temps) {
        const std::string file = (dir / owner).string();
        FileLock::Outcome outcome;
        const bool ours =
            std::any_of(out.begin(), out.end(), [&](const Leftover& l) { return l.file == file; });
        std::optional<FileLock> lock;
        if (!ours) {
            lock = FileLock::acquire(lockPathOf(file), false, &outcome);
            if (!lock && !(outcome == FileLock::Outcome::Failed && errno == ENOENT)) continue;
        }
        for (const std::string& t : files) ::unlink(t.c_str());
        if (lock && ::access(file.c_str(), F_OK) != 0) lock->removeAndRelease();
    }
    std::stable_sort(out.begin(), out.end(), [](const Leftover& a, const Leftover& b) {
        return a.written != b.written ? a.written > b.written : a.file > b.file;
    });
    return out;
}

bool removeLeftover(Leftover& leftover) {
    if (::unlink(leftover.file.c_str()) != 0 && errno != ENOENT) return false;
    leftover.lock.removeAndRelease();
    return true;
}

std::string restoreQuestion(const std::string& missionPath, const std::tm& written,
                            bool changedOnDisk) {
    const size_t slash = missionPath.find_last_of('/');
    const std::string name =
        slash == std::string::npos ? missionPath : missionPath.substr(slash + 1);
    char when[32];
    if (std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &written) == 0) when[0] = '\0';
    std::string text = "Restore the unsaved changes to " + name + " from " + when + "?";
    if (changedOnDisk)
        text += "\n\n" + name + " has changed on disk since these changes were made.";
    return text;
}

bool changedSince(const std::string& missionPath,
                  const std::optional<mission::FileIdentity>& onDisk) {
    if (!onDisk) return false;
    const auto now = mission::identityOf(missionPath);
    return now && *now != *onDisk;
}

}  // namespace quendar::app
