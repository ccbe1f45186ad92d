#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/editor/Editor.h"
#include "app/editor/FramePorts.h"
#include "app/editor/SettleTimer.h"
#include "core/Notifier.h"
#include "lint/Problem.h"
#include "text/MissionText.h"

namespace quendar::app {

// One line of the panel: a difference in the diff's words, and the place in
// the editor's mission it lies at (none for a record that is gone or a part
// no form shows).
struct Change {
    text::Difference difference;
    std::optional<lint::Location> place;
    bool revertible = false;
};

// Reads a mission file into `into` as Open does; false when it cannot be read.
class MissionLoader {
  public:
    virtual ~MissionLoader() = default;
    virtual bool load(const std::string& path, Editor& into) = 0;
};

// Goes to a place as a double-click in the Problems panel does.
class PlaceNavigator {
  public:
    virtual ~PlaceNavigator() = default;
    virtual void goTo(const lint::Location& place) = 0;
};

// The Changes panel without its window. It compares the mission in the editor
// with the file it was opened from or last saved to (read again whenever Open
// or Save changed that file), or with any other mission file chosen by
// Compare With. Like the Problems panel, a change makes the list stale and it
// is looked at again kSettleMs after the last one.
class ChangesPanel {
  public:
    static constexpr int kSettleMs = 400;

    // `views` reads the mission again after a revert; `clock` runs the settle timer.
    ChangesPanel(Editor& editor, MissionLoader& loader, PlaceNavigator& navigator,
                 MissionViews& views, SettleClock& clock);
    ~ChangesPanel();

    void noteChange() { m_settle.noteChange(); }
    bool stale() const { return m_settle.stale(); }
    int64_t msUntilDue() const { return m_settle.msUntilDue(); }
    bool tick();
    void refresh();

    // Compares with another mission file from now on; false (and the
    // comparison as it was) when it cannot be read.
    bool compareWith(const std::string& path);
    // Back to the mission's own file.
    void compareWithSaved();
    bool comparingWithOther() const { return !m_otherPath.empty(); }
    // The line above the list: what is compared with what.
    std::string referenceText() const;

    const std::vector<Change>& changes() const { return m_changes; }
    // A row as `quendar-tool diff` prints it.
    std::string row(int index) const;
    void goTo(int index);
    bool canRevert(int index) const {
        return valid(index) && m_changes[static_cast<size_t>(index)].revertible;
    }
    // Puts the field back to the compared file's value as one action.
    bool revert(int index);

    // Sent after every look.
    core::Notifier<> changed;

  private:
    bool valid(int index) const { return index >= 0 && index < static_cast<int>(m_changes.size()); }
    bool haveReference();

    Editor& m_editor;
    MissionLoader& m_loader;
    PlaceNavigator& m_navigator;
    MissionViews& m_views;
    SettleTimer m_settle;
    std::unique_ptr<Editor> m_reference;
    bool m_loaded = false;
    std::optional<Editor::DiskFile> m_loadedFrom;
    std::string m_otherPath;
    std::vector<Change> m_changes;
    core::Notifier<>::Connection m_journalConn;
    core::Notifier<>::Connection m_replacedConn;
};

}  // namespace quendar::app
