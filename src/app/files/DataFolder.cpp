#include "app/files/DataFolder.h"

#include <filesystem>
#include <system_error>

namespace quendar::app {

namespace fs = std::filesystem;

std::vector<std::string> dataFolderCandidates(const std::string& executableDir) {
    if (executableDir.empty()) return {};
    const fs::path exe(executableDir);
    return {(exe / ".." / "share" / "quendar").lexically_normal().string(),
            (exe / "share" / "quendar").lexically_normal().string()};
}

std::string findDataFolder(const std::string& executableDir,
                           const std::function<bool(const std::string&)>& isFile) {
    auto exists = [&](const std::string& p) {
        if (isFile) return isFile(p);
        std::error_code ec;
        return fs::is_regular_file(p, ec);
    };
    for (const std::string& dir : dataFolderCandidates(executableDir)) {
        if (exists((fs::path(dir) / kDataMarker).string())) return dir;
    }
    return {};
}

std::string executableDir() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec || self.empty()) return {};
    return self.parent_path().string();
}

std::string bundledDataFolder() { return findDataFolder(executableDir()); }

}  // namespace quendar::app
