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

}  // namespace quendar::mission
