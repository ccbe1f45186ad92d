#include "ui/FrameSettings.h"

#include <QAction>
#include <QByteArray>
#include <QDir>
#include <QMainWindow>
#include <QSettings>
#include <QTimer>
#include <QVariant>
#include <QVariantList>
#include <chrono>
#include <optional>
#include <thread>

#include "app/files/RecoveryFile.h"
#include "ui/TextConversions.h"

namespace quendar::ui {

namespace {
constexpr int kLayoutVersion = 1;  // bump when the toolbars change
const char* const kRecentKey = "recent/missions";
constexpr int kStoreDelayMs = 500;
constexpr int kLockAttempts = 50, kLockWaitMs = 10;

// Paths are kept as the system's bytes; anything else in the file is skipped.
std::vector<std::string> readStored(const QSettings& s) {
    std::vector<std::string> stored;
    for (const QVariant& v : s.value(kRecentKey).toList()) {
        const QByteArray bytes = v.toByteArray();
        if (!bytes.isEmpty()) stored.emplace_back(bytes.constData(), bytes.size());
    }
    return stored;
}
}  // namespace

QString defaultSettingsFile() {
    // The native format is an INI file on this system, named Quendar.conf.
    return QSettings(QSettings::UserScope, "Quendar", "Quendar").fileName();
}

void saveWindowLayout(const QString& settingsFile, const QMainWindow& window) {
    if (settingsFile.isEmpty()) return;
    QSettings s(settingsFile, QSettings::IniFormat);
    s.setValue("window/geometry", window.saveGeometry());
    s.setValue("window/state", window.saveState(kLayoutVersion));
}

bool restoreWindowLayout(const QString& settingsFile, QMainWindow& window) {
    if (settingsFile.isEmpty()) return false;
    QSettings s(settingsFile, QSettings::IniFormat);
    const QByteArray geometry = s.value("window/geometry").toByteArray();
    const QByteArray state = s.value("window/state").toByteArray();
    bool restored = !geometry.isEmpty() && window.restoreGeometry(geometry);
    if (!state.isEmpty()) restored = window.restoreState(state, kLayoutVersion) && restored;
    return restored;
}

RecentMenu::RecentMenu(QString settingsFile, QMenu* menu, QObject* parent)
    : QObject(parent), m_file(std::move(settingsFile)), m_menu(menu) {
    if (!m_file.isEmpty()) {
        QSettings s(m_file, QSettings::IniFormat);
        m_list.load(readStored(s));
    }
    connect(m_menu, &QMenu::aboutToShow, this, &RecentMenu::rebuild);
    rebuild();
}

RecentMenu::~RecentMenu() {
    if (m_storePending) store();
}

void RecentMenu::add(const std::string& path) {
    m_list.add(path);
    storeSoon();
    scheduleRebuild();
}

// The settings file is replaced whole and synced to the disk, which takes a
// while on a busy one; an opened mission's entry is written a moment later,
// so the window shows the mission first. A menu that goes writes what waits.
void RecentMenu::storeSoon() {
    if (m_storePending) return;
    m_storePending = true;
    QTimer::singleShot(kStoreDelayMs, this, [this] {
        if (m_storePending) store();
    });
}

// The menu's actions are rebuilt after the one that was chosen has finished.
void RecentMenu::scheduleRebuild() {
    QMetaObject::invokeMethod(this, &RecentMenu::rebuild, Qt::QueuedConnection);
}

// Another editor may have written the list since it was read: the list is
// read again and this editor's changes put on top, under a lock of its own
// beside the settings file (the settings keep their own lock for a write),
// so that what either editor opened stays listed.
void RecentMenu::store() {
    m_storePending = false;
    if (m_file.isEmpty()) return;
    std::optional<app::FileLock> lock;
    const std::string lockPath = toPath(m_file) + ".recent-lock";
    for (int attempt = 0; attempt < kLockAttempts && !lock; ++attempt) {
        app::FileLock::Outcome outcome;
        lock = app::FileLock::acquire(lockPath, true, &outcome);
        if (!lock && outcome != app::FileLock::Outcome::HeldElsewhere) break;  // write anyway
        if (!lock) std::this_thread::sleep_for(std::chrono::milliseconds(kLockWaitMs));
    }
    QSettings s(m_file, QSettings::IniFormat);
    m_list.merge(readStored(s));
    QVariantList paths;
    for (const std::string& p : m_list.paths())
        paths.push_back(QByteArray(p.data(), static_cast<qsizetype>(p.size())));
    s.setValue(kRecentKey, paths);
    s.sync();
    if (s.status() == QSettings::NoError) m_list.stored();
}

void RecentMenu::rebuild() {
    // What other editors stored since shows too.
    if (!m_file.isEmpty()) {
        QSettings s(m_file, QSettings::IniFormat);
        m_list.merge(readStored(s));
    }
    m_menu->clear();
    const std::string home = toPath(QDir::homePath());
    const auto entries = m_list.entries();
    int index = 0;
    bool anyMissing = false;
    for (const auto& e : entries) {
        QAction* a =
            m_menu->addAction(fromMixed(app::RecentMissions::menuText(index++, e.path, home)));
        a->setStatusTip(fromMixed(e.path));
        a->setEnabled(!e.missing);
        anyMissing = anyMissing || e.missing;
        const std::string path = e.path;
        connect(a, &QAction::triggered, this, [this, path] {
            if (open) open(path);
        });
    }
    if (entries.empty()) m_menu->addAction("(No recent missions)")->setEnabled(false);
    m_menu->addSeparator();
    QAction* missing = m_menu->addAction("Remove Missing Entries");
    missing->setEnabled(anyMissing);
    connect(missing, &QAction::triggered, this, [this] {
        m_list.removeMissing();
        store();
        scheduleRebuild();
    });
    QAction* clear = m_menu->addAction("Clear List");
    clear->setEnabled(!entries.empty());
    connect(clear, &QAction::triggered, this, [this] {
        m_list.clear();
        store();
        scheduleRebuild();
    });
}

}  // namespace quendar::ui
