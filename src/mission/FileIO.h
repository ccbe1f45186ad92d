#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

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
    void put(const uint8_t* data, size_t size) override { m_out.insert(m_out.end(), data, data + size); }

private:
    std::vector<uint8_t>& m_out;
};

// A whole file's bytes, mapped read-only from the file when it can be (no
// copy), read into memory otherwise.
class FileBytes {
public:
    FileBytes() = default;
    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&& other) noexcept;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes();

    static std::optional<FileBytes> open(const std::string& path, FileError* error = nullptr);
    std::span<const uint8_t> bytes() const { return m_mapped ? m_mappedBytes : std::span<const uint8_t>(m_copy); }

private:
    void release();
    std::span<const uint8_t> m_mappedBytes;
    bool m_mapped = false;
    std::vector<uint8_t> m_copy;
};

// Reads a whole file into memory.
std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path, FileError* error = nullptr);

// Writes `data` to `path` crash-safely: the bytes go to a temporary file in the
// same folder, which is flushed to disk and renamed over the target only when
// every byte was written. On any failure the temporary file is removed, an
// existing target is left untouched and false is returned.
//
// `writeChunk` replaces fwrite (tests use it to fail half-way); it returns the
// number of bytes written.
using ChunkWriter = std::function<size_t(const uint8_t* data, size_t size, std::FILE* file)>;
bool writeFileAtomic(const std::string& path, std::span<const uint8_t> data,
                     FileError* error = nullptr, const ChunkWriter& writeChunk = {});

// The same, with the bytes produced as they are written: `produce` puts the
// whole file into the sink it is given, which passes them on in chunks.
bool writeFileAtomicStream(const std::string& path, const std::function<void(ByteSink&)>& produce,
                           FileError* error = nullptr, const ChunkWriter& writeChunk = {});

}  // namespace quendar::mission
