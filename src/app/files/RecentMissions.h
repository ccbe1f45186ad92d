#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quendar::app {

// The File menu's list of recently opened or saved missions: the newest
// first, each path once, at most eight. Paths are the system's bytes, made
// absolute when added so that a change of working folder keeps them valid.
class RecentMissions {
  public:
    static constexpr int kCapacity = 8;
    using FileTest = std::function<bool(const std::string&)>;

    struct Entry {
        std::string path;
        bool missing = false;  // no file there now: shown greyed
    };

    // `isFile` decides whether a listed file still exists (tests script it).
    explicit RecentMissions(FileTest isFile = {});

    // Moves `path` to the front (adding it when new); the oldest falls off.
    void add(const std::string& path);
    bool remove(const std::string& path);
    // Drops every entry whose file is gone; returns how many went.
    int removeMissing();
    void clear() { m_paths.clear(); }

    const std::vector<std::string>& paths() const { return m_paths; }
    std::vector<Entry> entries() const;
    bool empty() const { return m_paths.empty(); }

    // Loads a stored list as it is read back from the settings: empty and
    // repeated entries are dropped, at most eight kept, order kept.
    void load(const std::vector<std::string>& stored);

    // The menu text of entry `index` (0-based): "&1 name.tie  (folder)". The
    // number is the accelerator; '&' in the path is doubled so it shows.
    // A folder under `home` is shown as "~/...".
    static std::string menuText(int index, const std::string& path, const std::string& home);

  private:
    void put(const std::string& path, bool front);
    FileTest m_isFile;
    std::vector<std::string> m_paths;
};

}  // namespace quendar::app
