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
    void clear();

    const std::vector<std::string>& paths() const { return m_paths; }
    std::vector<Entry> entries() const;
    bool empty() const { return m_paths.empty(); }

    // Loads a stored list as it is read back from the settings: empty and
    // repeated entries are dropped, at most eight kept, order kept.
    void load(const std::vector<std::string>& stored);

    // Several editors share the stored list. Each keeps what it changed
    // since its last write (adds, removals, a clear) and, to write, merges
    // the list as it is stored now with those changes, under a lock: a
    // mission opened in either editor stays listed. merge() makes the list
    // the stored one with this editor's changes on top; stored() says that
    // the result was written, so the changes are in the stored list now.
    void merge(const std::vector<std::string>& stored);
    void stored() { m_changes.clear(); }

    // The menu text of entry `index` (0-based): "&1 name.tie  (folder)". The
    // number is the accelerator; '&' in the path is doubled so it shows.
    // A folder under `home` is shown as "~/...".
    static std::string menuText(int index, const std::string& path, const std::string& home);

  private:
    void put(const std::string& path, bool front);
    struct Change {
        enum class Kind { Add, Remove, Clear } kind;
        std::string path;
    };
    void apply(const Change& change);
    FileTest m_isFile;
    std::vector<std::string> m_paths;
    std::vector<Change> m_changes;  // since the last write
};

}  // namespace quendar::app
