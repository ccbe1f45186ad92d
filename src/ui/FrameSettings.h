#pragma once

#include <QMenu>
#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "app/files/RecentMissions.h"

class QMainWindow;

namespace quendar::ui {

// The file the window's layout and the recent missions are kept in (the
// user's configuration folder, Quendar/Quendar.conf). qd.dat is not touched.
QString defaultSettingsFile();

// Size, position and toolbar layout of the main window.
void saveWindowLayout(const QString& settingsFile, const QMainWindow& window);
bool restoreWindowLayout(const QString& settingsFile, QMainWindow& window);

// File > Recent Missions: the list in the settings file and its submenu.
// Entries whose file is gone are greyed; "Remove Missing Entries" and "Clear
// List" take them away. Choosing an entry calls `open` with its path.
class RecentMenu : public QObject {
    Q_OBJECT
  public:
    RecentMenu(QString settingsFile, QMenu* menu, QObject* parent = nullptr);
    ~RecentMenu() override;

    void add(const std::string& path);
    const app::RecentMissions& list() const { return m_list; }
    QMenu* menu() const { return m_menu; }
    // Builds the entries again (also done each time the menu opens).
    void rebuild();

    std::function<void(const std::string&)> open;

  private:
    void store();
    void storeSoon();
    void scheduleRebuild();

    QString m_file;
    QMenu* m_menu;
    app::RecentMissions m_list;
    bool m_storePending = false;
};

}  // namespace quendar::ui
