#include "app/files/WorkingFolder.h"

#include <filesystem>
#include <system_error>

namespace quendar::app {

std::string WorkingFolder::dataFile(const std::string& name) const {
    std::error_code ec;
    if (std::filesystem::is_regular_file(name, ec)) return name;
    if (!m_dataDir.empty()) {
        const auto installed = std::filesystem::path(m_dataDir) / name;
        if (std::filesystem::is_regular_file(installed, ec)) return installed.string();
    }
    return name;
}

}  // namespace quendar::app
