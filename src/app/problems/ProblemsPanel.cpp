#include "app/problems/ProblemsPanel.h"

#include "app/editor/FramePorts.h"
#include "core/FormModel.h"
#include "lint/Lint.h"
#include "mission/ShipgroupRecord.h"
#include "settings/GlobalGoalsForm.h"
#include "settings/MessagesForm.h"

namespace quendar::app {

namespace {

namespace sg = mission::sg;

// The modeless form that edits the shipgroup field at `offset`.
FormKey formOfField(int offset) {
    if (offset >= sg::orders && offset < sg::goals) return form::Orders;
    if (offset >= sg::goals && offset < sg::startPoints) return form::Goals;
    if (offset >= sg::startPoints && offset < sg::startPointRegion + 4) return form::Waypoints;
    if (offset >= sg::optionalWarheads && offset < sg::backdrop) return form::Options;
    if ((offset >= sg::arrivalTrigger1 && offset < sg::departureTrigger1) ||
        (offset >= sg::arrivalMothership1 && offset <= sg::arrivalMethod2))
        return form::Arrival;
    if ((offset >= sg::departureTrigger1 && offset <= sg::departureDelaySeconds) ||
        (offset >= sg::departureMothership1 && offset <= sg::departureMethod2))
        return form::Departure;
    switch (offset) {
        case sg::additionalInfo1Enable:
        case sg::additionalInfo2Enable:
        case sg::additionalInfo1:
        case sg::additionalInfo2:
        case sg::specialCargoIndex:
        case sg::specialCargoCraft:
        case sg::specialCargoRandom:
        case sg::formation:
        case sg::formationDistance:
        case sg::globalGroup:
        case sg::globalUnit: return form::Advanced;
        default: return form::Basic;
    }
}

// Steps the messages or global goals form to the problem's entry, as the
// user would with its own controls.
void showEntry(core::FormModel& f, const ProblemTarget& t) {
    if (t.entry < 0) return;
    if (auto* messages = dynamic_cast<settings::MessagesForm*>(&f)) {
        messages->showMessage(t.entry);
    } else if (dynamic_cast<settings::GlobalGoalsForm*>(&f)) {
        f.choose("team", t.entry / 12);
        f.choose("kind", t.entry / 4 % 3);
        f.click("goal" + std::to_string(t.entry % 4 + 1));
    }
}

}  // namespace

ProblemTarget targetOf(const lint::Location& at, const mission::MissionStore& store) {
    ProblemTarget t;
    switch (at.area) {
        case lint::Area::Shipgroup: {
            t.shipgroup = at.index;
            t.form = formOfField(at.offset);
            // The order's own region; else where the group starts.
            const int start = mission::ShipgroupView(store, at.index).startPointRegion(0);
            t.region = at.region >= 0 ? at.region : start < 4 ? start : -1;
            if (t.form == form::Orders) {
                t.orderRegion = at.region;
                t.orderSlot = at.slot;
            }
            break;
        }
        case lint::Area::Message:
        case lint::Area::GlobalGoal:
            t.command = at.area == lint::Area::Message ? cmd::Messages : cmd::GlobalGoals;
            t.entry = at.index;
            break;
        case lint::Area::Briefing:
            t.briefing = true;
            t.briefingTime = at.index;
            break;
    }
    return t;
}

ProblemsPanel::ProblemsPanel(Editor& editor, ProblemNavigator& navigator, MissionViews& views,
                             SettleClock& clock)
    : m_editor(editor), m_navigator(navigator), m_views(views), m_settle(clock, kSettleMs) {
    m_journalConn = m_editor.journal.changed.connect([this] { noteChange(); });
    m_replacedConn = m_editor.missionReplaced.connect([this] { noteChange(); });
}

bool ProblemsPanel::tick() {
    if (!m_settle.due()) return false;
    refresh();
    return true;
}

void ProblemsPanel::refresh() {
    lint::lintMission(m_editor.store, m_editor.briefing, m_editor.craftList, m_problems);
    m_settle.looked();
    changed.notify();
}

std::string ProblemsPanel::countsText() const {
    return lint::countsText(lint::countProblems(m_problems));
}

std::vector<std::string> ProblemsPanel::row(int index) const {
    if (!valid(index)) return {};
    const lint::Problem& p = m_problems[index];
    return {std::string(p.code), std::string(lint::severityName(p.severity)),
            lint::locationText(p.location, m_editor.store), p.text.str()};
}

ProblemTarget ProblemsPanel::target(int index) const {
    return valid(index) ? targetOf(m_problems[index].location, m_editor.store) : ProblemTarget{};
}

void ProblemsPanel::goTo(int index) {
    if (valid(index)) goTo(target(index));
}

void ProblemsPanel::goTo(const lint::Location& where) { goTo(targetOf(where, m_editor.store)); }

void ProblemsPanel::goTo(const ProblemTarget& t) {
    if (t.shipgroup >= 0 && t.shipgroup < m_editor.store.shipgroupCount)
        m_navigator.selectShipgroup(t.shipgroup);
    if (t.region >= 0) m_navigator.setRegion(t.region);
    if (t.form) {
        core::FormModel* f = m_navigator.openForm(*t.form);
        if (f && t.orderRegion >= 0) {
            f->choose("region", t.orderRegion);
            f->choose("slot", t.orderSlot);
            f->refreshed.notify();
        }
    }
    if (t.briefing) {
        if (t.briefingTime >= 0) m_editor.briefing.setCurrentTime(t.briefingTime);
        m_navigator.showBriefing();
    }
    if (t.command != CommandId::None)
        m_navigator.runCommand(t.command, [&t](core::FormModel& f) { showEntry(f, t); });
}

std::string ProblemsPanel::fixLabel(int index) const {
    return valid(index) && m_problems[index].fix ? std::string(m_problems[index].fix->label)
                                                 : std::string();
}

bool ProblemsPanel::applyFix(int index) {
    // A list that missed the last change may point at a command that moved:
    // look again and fix the same problem, if it is still there.
    if (stale() && valid(index)) {
        const lint::Problem wanted = m_problems[index];
        refresh();
        index = -1;
        for (size_t k = 0; k < m_problems.size(); ++k)
            if (m_problems[k].code == wanted.code && m_problems[k].location == wanted.location)
                index = static_cast<int>(k);
    }
    if (!valid(index) || !m_problems[index].fix) return false;
    const lint::Fix fix = *m_problems[index].fix;
    bool done = false;
    {
        core::ActionScope scope(m_editor.journal, fix.label);
        done = lint::applyFix(m_editor.store, m_editor.briefing, fix);
    }
    m_views.rereadViews();
    refresh();
    return done;
}

}  // namespace quendar::app
