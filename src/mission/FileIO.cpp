#include "mission/FileIO.h"

#include <unistd.h>

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

bool writeFileAtomic(const std::string& path, std::span<const uint8_t> data, FileError* error,
                     const ChunkWriter& writeChunk) {
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
    bool ok = true;
    std::string reason;
    size_t done = 0;
    while (ok && done < data.size()) {
        const size_t chunk = std::min<size_t>(data.size() - done, 1 << 16);
        const size_t n = writeChunk ? writeChunk(data.data() + done, chunk, f)
                                    : std::fwrite(data.data() + done, 1, chunk, f);
        if (n != chunk) {
            ok = false;
            reason = errno ? systemReason() : "write error";
        }
        done += n;
    }
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
