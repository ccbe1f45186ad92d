#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quendar::app {

// Where the bundled craft list, icons and sample mission are found. Both
// programs look, relative to their own executable's folder, first at
// `../share/quendar` (an installed prefix: bin/ next to share/; also a build
// folder's tools/ next to its share/), then at `share/quendar` (a build
// folder, whose build step copies data/ there, so a copied build folder
// still finds it). A folder counts only when it holds the craft list.
std::vector<std::string> dataFolderCandidates(const std::string& executableDir);

// The first candidate that holds `SHIPLIST.TXT`, or "" when none does.
// `isFile` is the file test (tests script it).
std::string findDataFolder(const std::string& executableDir,
                           const std::function<bool(const std::string&)>& isFile = {});

// The folder of the running executable ("" when the system cannot say).
std::string executableDir();

// findDataFolder(executableDir()).
std::string bundledDataFolder();

inline constexpr const char* kDataMarker = "SHIPLIST.TXT";

}  // namespace quendar::app
