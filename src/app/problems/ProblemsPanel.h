#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/editor/CommandIds.h"
#include "app/editor/Editor.h"
#include "app/editor/FormKeys.h"
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

// What the panel asks of the frame. Unset hooks are skipped.
struct ProblemHooks {
    std::function<void(int)> selectShipgroup;
    std::function<void(int)> setRegion;
    // Opens a modeless form by key and returns its model (none if it failed).
    std::function<core::FormModel*(FormKey)> openForm;
    // Runs a menu command; a modal form it opens goes to `prepare` first.
    std::function<void(CommandId, const std::function<void(core::FormModel&)>&)> runCommand;
    // After a fix: every view reads the mission again.
    std::function<void()> rereadViews;
    // Puts the briefing on screen at its current time.
    std::function<void()> showBriefing;
    // The clock (milliseconds; default: a steady clock) and the window's
    // single-shot timer: call tick() after this many milliseconds.
    std::function<int64_t()> now;
    std::function<void(int64_t)> schedule;
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

    ProblemsPanel(Editor& editor, ProblemHooks hooks);

    // --- freshness: the window's single-shot timer follows these
    // The mission changed (the journal and New/Open call it themselves).
    void noteChange();
    bool stale() const { return m_stale; }
    // Milliseconds until the list is due (0 when due now; -1 when fresh).
    int64_t msUntilDue() const;
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
    ProblemHooks m_hooks;
    std::vector<lint::Problem> m_problems;
    bool m_stale = true;
    int64_t m_dueAt = 0;
    core::Notifier<>::Connection m_journalConn;
    core::Notifier<>::Connection m_replacedConn;
};

}  // namespace quendar::app
