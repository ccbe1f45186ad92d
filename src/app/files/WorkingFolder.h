#pragma once

#include <string>

namespace quendar::app {

// The editor reads SHIPLIST.TXT, iconslist.dat and qd.dat from its working
// folder. When the working folder lacks one of the two data files, the copy in
// the installed data folder is used instead, so a fresh start finds the
// bundled craft list and icons. qd.dat is always the working folder's own.
class WorkingFolder {
  public:
    explicit WorkingFolder(std::string dataDir = {}) : m_dataDir(std::move(dataDir)) {}

    // The path to read `name` from: the working folder's file when it exists,
    // else the data folder's, else `name` itself (the reader reports it).
    std::string dataFile(const std::string& name) const;
    std::string preferencesFile() const { return "qd.dat"; }
    const std::string& dataDir() const { return m_dataDir; }

  private:
    std::string m_dataDir;
};

}  // namespace quendar::app
