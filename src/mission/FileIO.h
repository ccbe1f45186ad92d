#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "mission/LargeBlock.h"

namespace quendar::mission {

struct FileError {
    std::string reason;  // the system's words, for the message box
};

// Where a writer puts its bytes, in order.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void put(const uint8_t* data, size_t size) = 0;
    void put(std::span<const uint8_t> bytes) { put(bytes.data(), bytes.size()); }
    void put(uint8_t byte) { put(&byte, 1); }
    void zeros(size_t n);
};

class VectorSink : public ByteSink {
  public:
    explicit VectorSink(std::vector<uint8_t>& out) : m_out(out) {}
    using ByteSink::put;
    void put(const uint8_t* data, size_t size) override {
        m_out.insert(m_out.end(), data, data + size);
    }

  private:
    std::vector<uint8_t>& m_out;
};

// What tells a file's contents apart on disk without reading them: the file
// (device and inode), its size and its modification time.
struct FileIdentity {
    uint64_t device = 0, inode = 0, size = 0;
    int64_t seconds = 0, nanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
};
// The identity of the file `path` names (a link is followed); none when it
// cannot be found.
std::optional<FileIdentity> identityOf(const std::string& path);

// Mission files and the program's data files are far smaller than this; a
// larger file is refused before it is read.
constexpr size_t kMaxReadBytes = size_t{16} << 20;

// Test seams for reading: `afterStat` runs once the file is open and its size
// known, before the first byte is read (a test truncates the file there).
struct ReadHooks {
    std::function<void()> afterStat;
};

// A whole file's bytes, read into memory. Only regular files are read: a
// directory, a device or a pipe is refused at once (a pipe is opened without
// waiting for a writer), and so is a file larger than kMaxReadBytes. The size
// the file system reports is only a hint: a file that shrinks while it is read
// gives the bytes that were there, and `shrank()` says so.
class FileBytes {
  public:
    static std::optional<FileBytes> open(const std::string& path, FileError* error = nullptr,
                                         const ReadHooks& hooks = {});
    std::span<const uint8_t> bytes() const { return {m_data.get(), m_size}; }
    // Hands the bytes over to a reader that keeps them; nothing is left here.
    LargeBlock takeData() {
        m_size = 0;
        return std::move(m_data);
    }
    bool shrank() const { return m_shrank; }
    // The size or the modification time was different after the read: the
    // file was rewritten while it was read.
    bool changedWhileRead() const { return m_changed; }
    // The file as it was when it was opened.
    const FileIdentity& identity() const { return m_identity; }

  private:
    LargeBlock m_data;  // not cleared first: every byte kept is read
    size_t m_size = 0;
    bool m_shrank = false;
    bool m_changed = false;
    FileIdentity m_identity;
};

// Reads a whole file into memory, with the same checks as FileBytes.
std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path,
                                                  FileError* error = nullptr);

// The file a save to `path` writes: a symbolic link is followed (through any
// number of links, relative ones taken from the link's folder) to the file it
// names, so the link itself stays. A path that is not a link comes back as it
// is.
std::string resolveSaveTarget(const std::string& path);

// Test seams for writing. `writeChunk` replaces fwrite and returns the number
// of bytes written; `flush` replaces fflush and `sync` fsync (0 = success,
// otherwise they set errno and return -1).
using ChunkWriter = std::function<size_t(const uint8_t* data, size_t size, std::FILE* file)>;
struct WriteHooks {
    ChunkWriter writeChunk;
    std::function<int(std::FILE*)> flush;
    std::function<int(int fd)> sync;
};

// A crash-safe replacement of one file, in two steps. `begin` resolves the
// target and checks that an existing target may be written and that its
// folder takes new files; it leaves nothing behind. `commit` creates the
// temporary file beside the target, writes the bytes into it, flushes it and
// forces it to disk, and only then renames it over the target and forces the
// folder to disk. On any failure the temporary file
// is removed and an existing target stays untouched; so it is when a pending
// replacement is dropped without a commit.
//
// A private file (the editor's own: recovery copies) is different: its name
// is never resolved through a link, and a link, a file of another user or
// anything but a regular file at that name is refused; the temporary file
// and so the result are readable by the user alone. A mission file's
// temporary file is created for the user alone too, then given the mode of
// the file it replaces (a new file: the mode the umask allows).
enum class FileKind { Mission, Private };
class PendingFile {
  public:
    static std::optional<PendingFile> begin(const std::string& path, FileError* error = nullptr,
                                            FileKind kind = FileKind::Mission);
    PendingFile(PendingFile&& other) noexcept;
    PendingFile& operator=(PendingFile&&) = delete;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile();

    bool commit(const std::function<void(ByteSink&)>& produce, FileError* error = nullptr,
                const WriteHooks& hooks = {});
    const std::string& target() const { return m_target; }
    const std::string& tempPath() const { return m_temp; }

  private:
    PendingFile() = default;
    bool create(FileError* error);
    void discard();
    std::string m_target;
    std::string m_temp;
    std::FILE* m_file = nullptr;
    FileKind m_kind = FileKind::Mission;
    bool m_done = false;  // commit ran
};

// Both steps at once, for callers with nothing to do in between.
bool writeFileAtomic(const std::string& path, std::span<const uint8_t> data,
                     FileError* error = nullptr, const WriteHooks& hooks = {});
bool writeFileAtomicStream(const std::string& path, const std::function<void(ByteSink&)>& produce,
                           FileError* error = nullptr, const WriteHooks& hooks = {},
                           FileKind kind = FileKind::Mission);
// A private file may be written at `path`: nothing is there, or a regular
// file of this user (never a link).
bool privateNameUsable(const std::string& path);

}  // namespace quendar::mission
