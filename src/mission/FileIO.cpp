#include "mission/FileIO.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

namespace quendar::mission {

namespace fs = std::filesystem;

namespace {
void fail(FileError* error, const std::string& reason) {
    if (error) error->reason = reason;
}
std::string systemReason() { return std::strerror(errno); }
}  // namespace

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path, FileError* error) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        fail(error, systemReason());
        return std::nullopt;
    }
    std::vector<uint8_t> data;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long size = std::ftell(f);
        if (size > 0) data.reserve(static_cast<size_t>(size));
        std::fseek(f, 0, SEEK_SET);
    }
    uint8_t buf[1 << 16];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
    const bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad) {
        fail(error, "read error");
        return std::nullopt;
    }
    return data;
}

void ByteSink::zeros(size_t n) {
    static const uint8_t kZeros[4096] = {};
    while (n > 0) {
        const size_t k = std::min(n, sizeof kZeros);
        put(kZeros, k);
        n -= k;
    }
}

FileBytes::FileBytes(FileBytes&& o) noexcept
    : m_mappedBytes(o.m_mappedBytes), m_mapped(o.m_mapped), m_copy(std::move(o.m_copy)) {
    o.m_mapped = false;
    o.m_mappedBytes = {};
}

FileBytes& FileBytes::operator=(FileBytes&& o) noexcept {
    if (this != &o) {
        release();
        m_mappedBytes = o.m_mappedBytes;
        m_mapped = o.m_mapped;
        m_copy = std::move(o.m_copy);
        o.m_mapped = false;
        o.m_mappedBytes = {};
    }
    return *this;
}

FileBytes::~FileBytes() { release(); }

void FileBytes::release() {
    if (m_mapped) ::munmap(const_cast<uint8_t*>(m_mappedBytes.data()), m_mappedBytes.size());
    m_mapped = false;
    m_mappedBytes = {};
}

std::optional<FileBytes> FileBytes::open(const std::string& path, FileError* error) {
    // A regular file is mapped: its pages come straight from the file cache.
    // Anything else (a pipe, an empty file, a failed mapping) is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
            void* p = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (p != MAP_FAILED) {
                ::close(fd);
                FileBytes f;
                f.m_mapped = true;
                f.m_mappedBytes = {static_cast<const uint8_t*>(p), static_cast<size_t>(st.st_size)};
                return f;
            }
        }
        ::close(fd);
    }
    auto data = readWholeFile(path, error);
    if (!data) return std::nullopt;
    FileBytes f;
    f.m_copy = std::move(*data);
    return f;
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

bool writeFileAtomic(const std::string& path, std::span<const uint8_t> data, FileError* error,
                     const ChunkWriter& writeChunk) {
    return writeFileAtomicStream(
        path, [&](ByteSink& out) { out.put(data); }, error, writeChunk);
}

bool writeFileAtomicStream(const std::string& path, const std::function<void(ByteSink&)>& produce,
                           FileError* error, const ChunkWriter& writeChunk) {
    const fs::path target(path);
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code ec;
    if (fs::is_directory(target, ec)) {
        fail(error, "Is a directory");
        return false;
    }

    // A file the user may not write stays as it is, even though the folder
    // would let us replace it.
    if (fs::exists(target, ec) && ::access(target.c_str(), W_OK) != 0) {
        fail(error, systemReason());
        return false;
    }

    std::random_device rd;
    std::string tempName(".");
    tempName += target.filename().string();
    tempName += ".tmp";
    tempName += std::to_string(rd() % 1000000);
    const fs::path temp = folder / tempName;
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        fail(error, systemReason());
        return false;
    }
    ChunkSink sink(f, writeChunk);
    produce(sink);
    bool ok = sink.finish();
    std::string reason = sink.reason();
    if (ok && std::fflush(f) != 0) {
        ok = false;
        reason = systemReason();
    }
    if (ok && ::fsync(::fileno(f)) != 0) {
        ok = false;
        reason = systemReason();
    }
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        reason = systemReason();
    }
    if (ok) {
        // Keep the permissions of a file that is being replaced.
        if (fs::exists(target, ec)) {
            const auto perms = fs::status(target, ec).permissions();
            if (!ec) fs::permissions(temp, perms, ec);
        }
        fs::rename(temp, target, ec);
        if (ec) {
            ok = false;
            reason = ec.message();
        }
    }
    if (!ok) {
        fs::remove(temp, ec);
        fail(error, reason);
    }
    return ok;
}

}  // namespace quendar::mission
