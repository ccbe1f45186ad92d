#include "mission/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>
#include <random>

namespace quendar::mission {

namespace {

void fail(FileError* error, const std::string& reason) {
    if (error) error->reason = reason;
}
std::string systemReason() { return std::strerror(errno); }

// The process's umask, read without changing it (umask() would, for a moment,
// under the recovery writer's thread too).
mode_t currentUmask() {
    std::FILE* f = std::fopen("/proc/self/status", "re");
    mode_t mask = 022;
    if (!f) return mask;
    char line[256];
    while (std::fgets(line, sizeof line, f)) {
        unsigned value = 0;
        if (std::sscanf(line, "Umask: %o", &value) == 1) {
            mask = static_cast<mode_t>(value & 0777);
            break;
        }
    }
    std::fclose(f);
    return mask;
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

  private:
    int m_fd;
};

// Why a file of this kind is not read, or an empty string when it may be.
std::string refusal(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
    if (!S_ISREG(st.st_mode)) return "Not a regular file (a device, a pipe or a socket)";
    if (static_cast<uint64_t>(st.st_size) > kMaxReadBytes) return "File too large";
    return {};
}

FileIdentity identityFrom(const struct stat& st) {
    return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
            static_cast<uint64_t>(st.st_size), static_cast<int64_t>(st.st_mtim.tv_sec),
            static_cast<int64_t>(st.st_mtim.tv_nsec)};
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

std::optional<FileIdentity> identityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return identityFrom(st);
}

std::optional<FileBytes> FileBytes::open(const std::string& path, FileError* error,
                                         const ReadHooks& hooks) {
    // Opened without waiting: a pipe with no writer would otherwise hold the
    // open forever. The kind of file is checked before a byte is read.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) {
        fail(error, systemReason());
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        fail(error, systemReason());
        return std::nullopt;
    }
    if (std::string why = refusal(st); !why.empty()) {
        fail(error, why);
        return std::nullopt;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    if (hooks.afterStat) hooks.afterStat();

    // The reported size is a hint: one byte more is asked for, so a file
    // that has not changed ends in one read and one empty read; a file that
    // grew is followed up to the bound; one that shrank ends early.
    const size_t hint = static_cast<size_t>(st.st_size);
    FileBytes out;
    // A block may come larger than asked; reading stays within the bound.
    size_t capacity = 0;
    const auto take = [&capacity](size_t n) {
        LargeBlock block = allocateBlock(n, &capacity);
        capacity = std::min(capacity, kMaxReadBytes + 1);
        return block;
    };
    LargeBlock buffer = take(hint + 1);
    size_t got = 0;
    for (;;) {
        if (got == capacity) {
            if (capacity > kMaxReadBytes) {
                fail(error, "File too large");
                return std::nullopt;
            }
            LargeBlock grown =
                take(std::min(std::max(capacity * 2, size_t{1} << 16), kMaxReadBytes + 1));
            std::memcpy(grown.get(), buffer.get(), got);
            buffer = std::move(grown);
        }
        const ssize_t n = ::read(fd.get(), buffer.get() + got, capacity - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(error, systemReason());
            return std::nullopt;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    if (got > kMaxReadBytes) {
        fail(error, "File too large");
        return std::nullopt;
    }
    out.m_data = std::move(buffer);
    out.m_size = got;
    out.m_shrank = got < hint;
    out.m_identity = identityFrom(st);
    struct stat after {};
    if (::fstat(fd.get(), &after) == 0) {
        const FileIdentity now = identityFrom(after);
        out.m_changed = now.size != out.m_identity.size || now.seconds != out.m_identity.seconds ||
                        now.nanoseconds != out.m_identity.nanoseconds;
    }
    return out;
}

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path, FileError* error) {
    auto file = FileBytes::open(path, error);
    if (!file) return std::nullopt;
    const auto bytes = file->bytes();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void ByteSink::zeros(size_t n) {
    static const uint8_t kZeros[4096] = {};
    while (n > 0) {
        const size_t k = std::min(n, sizeof kZeros);
        put(kZeros, k);
        n -= k;
    }
}

std::string resolveSaveTarget(const std::string& path) {
    std::string current = path;
    // A loop of links ends after as many steps as the system allows itself.
    for (int hop = 0; hop < 40; ++hop) {
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), buf, sizeof buf);
        if (n < 0 || static_cast<size_t>(n) >= sizeof buf) break;
        std::string next(buf, static_cast<size_t>(n));
        if (next.empty()) break;
        if (next.front() != '/') {
            const std::string folder = folderOf(current);
            next = folder == "/" ? "/" + next : folder + "/" + next;
        }
        current = std::move(next);
    }
    return current;
}

namespace {
// Collects the produced bytes into chunks and hands each to the writer; after
// the first failure nothing more is written.
class ChunkSink : public ByteSink {
  public:
    ChunkSink(std::FILE* f, const ChunkWriter& writer) : m_file(f), m_writer(writer) {
        m_buffer.reserve(kChunk);
    }
    using ByteSink::put;
    void put(const uint8_t* data, size_t size) override {
        while (size > 0 && m_ok) {
            const size_t k = std::min(size, kChunk - m_buffer.size());
            m_buffer.insert(m_buffer.end(), data, data + k);
            data += k;
            size -= k;
            if (m_buffer.size() == kChunk) flush();
        }
    }
    bool finish() {
        flush();
        return m_ok;
    }
    const std::string& reason() const { return m_reason; }

  private:
    static constexpr size_t kChunk = 1 << 16;
    void flush() {
        if (!m_ok || m_buffer.empty()) return;
        errno = 0;
        const size_t n = m_writer ? m_writer(m_buffer.data(), m_buffer.size(), m_file)
                                  : std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file);
        if (n != m_buffer.size()) {
            m_ok = false;
            m_reason = errno ? systemReason() : "write error";
        }
        m_buffer.clear();
    }
    std::FILE* m_file;
    const ChunkWriter& m_writer;
    std::vector<uint8_t> m_buffer;
    bool m_ok = true;
    std::string m_reason;
};
}  // namespace

bool privateNameUsable(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
    return S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

std::optional<PendingFile> PendingFile::begin(const std::string& path, FileError* error,
                                              FileKind kind) {
    PendingFile p;
    p.m_kind = kind;
    p.m_target = kind == FileKind::Private ? path : resolveSaveTarget(path);
    if (kind == FileKind::Private && !privateNameUsable(path)) {
        struct stat ls {};
        fail(error,
             ::lstat(path.c_str(), &ls) == 0 ? "Not a regular file of this user" : systemReason());
        return std::nullopt;
    }

    // An existing target must be a file the user may write: one that is
    // read-only stays as it is, even though its folder would let us replace it.
    struct stat st {};
    if (::stat(p.m_target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            fail(error, std::strerror(EISDIR));
            return std::nullopt;
        }
        if (!S_ISREG(st.st_mode)) {
            fail(error, "Not a regular file (a device, a pipe or a socket)");
            return std::nullopt;
        }
        if (::access(p.m_target.c_str(), W_OK) != 0) {
            fail(error, systemReason());
            return std::nullopt;
        }
    }

    // The folder must take a new file; the temporary file itself is made
    // only when the bytes come, so nothing is left beside the target while
    // the questions of a save are open.
    const std::string folder = folderOf(p.m_target);
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        fail(error, systemReason());
        return std::nullopt;
    }
    return p;
}

bool PendingFile::create(FileError* error) {
    const std::string folder = folderOf(m_target);
    const size_t slash = m_target.rfind('/');
    const std::string name = slash == std::string::npos ? m_target : m_target.substr(slash + 1);
    std::random_device rd;
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string temp = folder == "/" ? "/" : folder + "/";
        temp += "." + name + ".tmp" + std::to_string(rd() % 1000000);
        // O_EXCL: never through a link someone planted at the name.
        const int fd =
            ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            fail(error, systemReason());
            return false;
        }
        m_file = ::fdopen(fd, "wb");
        if (!m_file) {
            fail(error, systemReason());
            ::close(fd);
            ::unlink(temp.c_str());
            return false;
        }
        // The bytes come in large chunks already: each goes out in one write.
        std::setvbuf(m_file, nullptr, _IONBF, 0);
        m_temp = std::move(temp);
        return true;
    }
    fail(error, std::strerror(EEXIST));
    return false;
}

PendingFile::PendingFile(PendingFile&& o) noexcept
    : m_target(std::move(o.m_target)),
      m_temp(std::move(o.m_temp)),
      m_file(o.m_file),
      m_kind(o.m_kind),
      m_done(o.m_done) {
    o.m_file = nullptr;
    o.m_temp.clear();
}

PendingFile::~PendingFile() { discard(); }

void PendingFile::discard() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
    if (!m_temp.empty()) ::unlink(m_temp.c_str());
    m_temp.clear();
}

bool PendingFile::commit(const std::function<void(ByteSink&)>& produce, FileError* error,
                         const WriteHooks& hooks) {
    if (m_done) {
        fail(error, "write error");
        return false;
    }
    m_done = true;
    if (!create(error)) return false;
    ChunkSink sink(m_file, hooks.writeChunk);
    produce(sink);
    bool ok = sink.finish();
    std::string reason = sink.reason();
    // Every byte reaches the disk before the rename makes it the target.
    if (ok && (hooks.flush ? hooks.flush(m_file) : std::fflush(m_file)) != 0) {
        ok = false;
        reason = systemReason();
    }
    const int fd = ::fileno(m_file);
    if (ok && m_kind == FileKind::Mission) {
        // Keep the permissions of a file that is being replaced; a new file
        // gets what the umask allows.
        struct stat st {};
        ::fchmod(fd,
                 ::stat(m_target.c_str(), &st) == 0 ? st.st_mode & 07777 : 0666 & ~currentUmask());
    }
    // The bytes and the size reach the disk before the rename can make them
    // the target, so that after a crash the name holds the old file or the
    // whole new one, never a short one. fsync, not fdatasync: the mode set
    // above is part of the file the rename publishes, and a new file's size
    // and blocks need the same journal commit either way.
    if (ok && (hooks.sync ? hooks.sync(fd) : ::fsync(fd)) != 0) {
        ok = false;
        reason = systemReason();
    }
    const int closed = std::fclose(m_file);
    m_file = nullptr;
    if (closed != 0 && ok) {
        ok = false;
        reason = systemReason();
    }
    if (ok && ::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        ok = false;
        reason = systemReason();
    }
    if (!ok) {
        discard();
        fail(error, reason);
        return false;
    }
    m_temp.clear();
    // The rename itself reaches the disk with the folder. Without this a
    // crash could still bring the old file back under the name, the saved
    // bytes left under the temporary name: a save reported done, then lost.
    const int dir = ::open(folderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool writeFileAtomic(const std::string& path, std::span<const uint8_t> data, FileError* error,
                     const WriteHooks& hooks) {
    return writeFileAtomicStream(
        path, [&](ByteSink& out) { out.put(data); }, error, hooks);
}

bool writeFileAtomicStream(const std::string& path, const std::function<void(ByteSink&)>& produce,
                           FileError* error, const WriteHooks& hooks, FileKind kind) {
    auto pending = PendingFile::begin(path, error, kind);
    if (!pending) return false;
    return pending->commit(produce, error, hooks);
}

}  // namespace quendar::mission
