#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/editor/CommandIds.h"
#include "app/editor/Editor.h"
#include "app/editor/FormKeys.h"
#include "app/editor/FramePorts.h"
#include "app/editor/SettleTimer.h"
#include "core/Notifier.h"
#include "lint/Problem.h"

namespace quendar::core {
class FormModel;
}

namespace quendar::app {

// Where a double-click on a problem goes: the shipgroup to select (and the
// region to show), the modeless form that edits the field, the order to show
// in it, a menu command that opens a mission-wide form, or a briefing time.
struct ProblemTarget {
    int shipgroup = -1, region = -1;
    std::optional<FormKey> form;
    int orderRegion = -1, orderSlot = -1;
    CommandId command = CommandId::None;
    bool briefing = false;
    int briefingTime = -1;  // -1: the briefing as a whole, its time stays
    // The entry the mission-wide form shows: the message, or the global goal
    // as ((team * 3 + kind) * 4 + goal).
    int entry = -1;
    bool operator==(const ProblemTarget&) const = default;
};

// The form that edits a field of a lint location.
ProblemTarget targetOf(const lint::Location& location, const mission::MissionStore& store);

// Where a double-click takes the user: the frame implements it.
class ProblemNavigator {
  public:
    virtual ~ProblemNavigator() = default;
    virtual void selectShipgroup(int index) = 0;
    virtual void setRegion(int region) = 0;
    // Opens a modeless form by key and returns its model (none if it failed).
    virtual core::FormModel* openForm(FormKey key) = 0;
    // Runs a menu command; a modal form it opens goes to `prepare` first.
    virtual void runCommand(CommandId command,
                            const std::function<void(core::FormModel&)>& prepare) = 0;
    // Puts the briefing on screen at its current time.
    virtual void showBriefing() = 0;
};

// The Problems panel without its window: the problems of the open mission,
// the status bar count, when to look again after a change, where a
// double-click goes and the fixes as named, journalled actions.
//
// A change (any journal notice, New, Open) makes the list stale; it is looked
// at again kSettleMs after the last change, so typing never waits for it.
class ProblemsPanel {
  public:
    static constexpr int kSettleMs = 400;

    // `views` reads the mission again after a fix; `clock` runs the settle timer.
    ProblemsPanel(Editor& editor, ProblemNavigator& navigator, MissionViews& views,
                  SettleClock& clock);

    // --- freshness: the window's single-shot timer follows these
    // The mission changed (the journal and New/Open call it themselves).
    void noteChange() { m_settle.noteChange(); }
    bool stale() const { return m_settle.stale(); }
    // Milliseconds until the list is due (0 when due now; -1 when fresh).
    int64_t msUntilDue() const { return m_settle.msUntilDue(); }
    // The timer fired: looks again when due (true), else asks for the timer again.
    bool tick();
    // Looks again now.
    void refresh();

    const std::vector<lint::Problem>& problems() const { return m_problems; }
    std::string countsText() const;
    // The four columns of a row: code, severity, location, text.
    std::vector<std::string> row(int index) const;

    ProblemTarget target(int index) const;
    void goTo(int index);
    // Goes to any place as a double-click on a problem does.
    void goTo(const ProblemTarget& t);
    // Goes to any location as to a problem's (Find References, the Flow view).
    void goTo(const lint::Location& where);
    // The fix a row offers, empty when none.
    std::string fixLabel(int index) const;
    // Applies the fix as one action named after it; the list is looked at
    // again at once. False when the row has no fix or it no longer fits.
    bool applyFix(int index);

    // Sent after every look (the dock refills, the status bar recounts).
    core::Notifier<> changed;

  private:
    bool valid(int index) const {
        return index >= 0 && index < static_cast<int>(m_problems.size());
    }

    Editor& m_editor;
    ProblemNavigator& m_navigator;
    MissionViews& m_views;
    SettleTimer m_settle;
    std::vector<lint::Problem> m_problems;
    core::Notifier<>::Connection m_journalConn;
    core::Notifier<>::Connection m_replacedConn;
};

}  // namespace quendar::app
