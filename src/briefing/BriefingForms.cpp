#include "briefing/BriefingForms.h"

#include <algorithm>

namespace quendar::briefing {

using core::heldText;

namespace {

int clampEndTime(long long v) {
    return static_cast<int>(std::clamp<long long>(v, 0, BriefingLengthForm::kMaxEndTime));
}

}  // namespace

// --- Briefing length

BriefingLengthForm::BriefingLengthForm(BriefingModel& model)
    : BriefingForm("Briefing length"), m_model(model) {
    m_seconds = std::to_string(unitsToSeconds(model.briefingEndTime()));
    m_units = std::to_string(model.briefingEndTime());
    // Named here, inside any action the form's control opens, so that the
    // journal calls the change by the form's name.
    textEdit("seconds", "seconds", "", heldText(m_seconds, 0, [this](const std::string& t) {
                 core::ActionScope scope(m_model.actionGroups(), kActionName);
                 const long long s = std::clamp<long long>(typedNumber(t, false), 0, 1000000);
                 m_model.setBriefingEndTime(clampEndTime(secondsToUnits(static_cast<double>(s))));
             }));
    textEdit("units", "briefing units", "", heldText(m_units, 0, [this](const std::string& t) {
                 core::ActionScope scope(m_model.actionGroups(), kActionName);
                 m_model.setBriefingEndTime(clampEndTime(typedNumber(t, false)));
             }));
    label("note", "One briefing unit = about 0.071 second", "");
    closeButton("ok", "OK", true);
}

void BriefingLengthForm::closing() {
    core::ActionScope scope(m_model.actionGroups(), kActionName);
    if (m_model.briefingEndTime() < m_model.briefingLength()) m_model.correctLengthMark();
}

// --- Delete commands at current time-position

DeleteCommandsForm::DeleteCommandsForm(BriefingModel& model, core::Prompter& prompter)
    : BriefingForm("Delete commands at current time-position"),
      m_model(model),
      m_prompter(prompter) {
    selectionList(
        "commands", "", "",
        [this] {
            std::vector<std::string> lines;
            for (const CommandRef& r : m_model.commandsAt(m_model.currentTime()))
                lines.emplace_back(kindInfo(r.kind).kindName);
            return lines;
        },
        m_row);
    button("delete", "Delete selected command", "", [this] {
        const auto refs = m_model.commandsAt(m_model.currentTime());
        if (m_row < 0 || m_row >= static_cast<int>(refs.size())) return;
        core::ActionScope scope(m_model.actionGroups(), kActionName);
        m_model.deleteCommand(refs[m_row].kind, refs[m_row].index);
        m_row = -1;
        refresh();
    });
    button("debug", "Debug (in beta)", "", [this] {
        const auto refs = m_model.commandsAt(m_model.currentTime());
        if (m_row < 0 || m_row >= static_cast<int>(refs.size())) return;
        const CommandRef r = refs[m_row];
        if (auto box = debugBox(r.kind, m_model.record(r.kind, r.index)))
            m_prompter.tell(box->text, box->caption);
    });
    closeButton("ok", "OK", true);
}

std::optional<DeleteCommandsForm::DebugBox> DeleteCommandsForm::debugBox(Kind kind,
                                                                         const Record& record) {
    if (kind != BRC_LOWER && kind != BRC_SHOW && kind != BRC_COORD && kind != BRC_ORIENT)
        return std::nullopt;
    const KindInfo& info = kindInfo(kind);
    DebugBox box;
    box.caption = "CMD: " + std::string(info.name);
    box.text = std::to_string(record.codeHigh);
    for (int i = 0; i < info.paramCount; ++i) {
        box.text += ' ' + std::to_string(record.params[i].low);
        box.text += ' ' + std::to_string(record.params[i].high);
    }
    return box;
}

// --- Briefing Wizard

BriefingWizardForm::BriefingWizardForm(BriefingModel& model)
    : BriefingForm("Briefing Wizard"), m_model(model) {
    const std::string group = "Briefing Times Wizard";
    label("intro", "Modify all command times from the current briefing time position by", group);
    textEdit("delta", "", group, heldText(m_delta));
    label("unit", "briefing unit", group);
    button("modify", "Modify", group, [this] {
        // Beyond the span of any command time a shift means nothing more.
        const long long d = std::clamp<long long>(typedNumber(m_delta, true), -200000, 200000);
        core::ActionScope scope(m_model.actionGroups(), kActionName);
        m_model.shiftTimes(m_model.currentTime(), static_cast<int32_t>(d));
    });
    label("note",
          "1 briefing unit = about 1/14 second, positive value means add, negative means "
          "subtraction",
          group);
    closeButton("ok", "OK", true);
}

// --- Assign teams

AssignTeamsForm::AssignTeamsForm(BriefingModel& model,
                                 std::function<std::vector<std::string>()> teamNames)
    : BriefingForm("Assign teams to this briefing"), m_model(model) {
    label("intro", "The following teams will see this briefing:", "");
    const std::vector<std::string> names = teamNames ? teamNames() : std::vector<std::string>{};
    for (int t = 0; t < kTeamFlagCount; ++t) {
        m_checked[t] = model.teamSeesBriefing(t) ? 1 : 0;
        checkBox("team" + std::to_string(t + 1),
                 t < static_cast<int>(names.size()) ? names[t] : std::string(), "", m_checked[t]);
    }
    closeButton("ok", "OK", true, [this] {
        core::ActionScope scope(m_model.actionGroups(), kActionName);
        for (int t = 0; t < kTeamFlagCount; ++t) m_model.setTeamSeesBriefing(t, m_checked[t] != 0);
    });
    closeButton("cancel", "Cancel", false);
}

}  // namespace quendar::briefing
