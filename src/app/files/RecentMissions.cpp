#include "app/files/RecentMissions.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace quendar::app {

namespace fs = std::filesystem;

namespace {

std::string absolute(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(path, ec);
    if (ec) return path;
    return p.lexically_normal().string();
}

std::string escapeAmpersands(const std::string& s) {
    std::string out;
    for (char c : s) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

}  // namespace

RecentMissions::RecentMissions(FileTest isFile) : m_isFile(std::move(isFile)) {
    if (!m_isFile) {
        m_isFile = [](const std::string& p) {
            std::error_code ec;
            return fs::is_regular_file(p, ec);
        };
    }
}

void RecentMissions::put(const std::string& path, bool front) {
    if (path.empty()) return;
    auto it = std::find(m_paths.begin(), m_paths.end(), path);
    if (it != m_paths.end()) {
        if (!front) return;  // loading: the first occurrence stays
        m_paths.erase(it);
    }
    if (front)
        m_paths.insert(m_paths.begin(), path);
    else
        m_paths.push_back(path);
    if (m_paths.size() > static_cast<size_t>(kCapacity)) m_paths.resize(kCapacity);
}

void RecentMissions::apply(const Change& c) {
    switch (c.kind) {
        case Change::Kind::Add: put(c.path, true); break;
        case Change::Kind::Remove: std::erase(m_paths, c.path); break;
        case Change::Kind::Clear: m_paths.clear(); break;
    }
}

void RecentMissions::add(const std::string& path) {
    if (path.empty()) return;
    m_changes.push_back({Change::Kind::Add, absolute(path)});
    apply(m_changes.back());
}

bool RecentMissions::remove(const std::string& path) {
    if (std::find(m_paths.begin(), m_paths.end(), path) == m_paths.end()) return false;
    m_changes.push_back({Change::Kind::Remove, path});
    apply(m_changes.back());
    return true;
}

int RecentMissions::removeMissing() {
    int gone = 0;
    for (const std::string& p : std::vector<std::string>(m_paths))
        if (!m_isFile(p)) gone += remove(p) ? 1 : 0;
    return gone;
}

void RecentMissions::clear() {
    m_changes.clear();  // nothing before a clear matters
    m_changes.push_back({Change::Kind::Clear, {}});
    apply(m_changes.back());
}

void RecentMissions::merge(const std::vector<std::string>& stored) {
    load(stored);
    for (const Change& c : m_changes) apply(c);
}

std::vector<RecentMissions::Entry> RecentMissions::entries() const {
    std::vector<Entry> out;
    for (const std::string& p : m_paths) out.push_back({p, !m_isFile(p)});
    return out;
}

void RecentMissions::load(const std::vector<std::string>& stored) {
    m_paths.clear();
    for (const std::string& p : stored) {
        if (m_paths.size() == static_cast<size_t>(kCapacity)) break;
        put(p, false);
    }
}

std::string RecentMissions::menuText(int index, const std::string& path, const std::string& home) {
    const fs::path p(path);
    std::string folder = p.parent_path().string();
    std::string h = home;
    while (h.size() > 1 && h.back() == '/') h.pop_back();
    if (!h.empty() && h != "/") {
        if (folder == h)
            folder = "~";
        else if (folder.compare(0, h.size() + 1, h + "/") == 0)
            folder = "~" + folder.substr(h.size());
    }
    std::string text =
        "&" + std::to_string(index + 1) + " " + escapeAmpersands(p.filename().string());
    if (!folder.empty()) text += "  (" + escapeAmpersands(folder) + ")";
    return text;
}

}  // namespace quendar::app
