#include "app/files/MissionChecks.h"

#include "mission/Validation.h"

namespace quendar::app {

void validateMission(Editor& editor, core::Prompter& prompter) {
    const auto findings = mission::runChecks(editor.store, editor.settings.checkFileNames != 0,
                                             editor.store.missionPath, true);
    for (const auto& f : findings) prompter.tell(f.text, f.caption, f.icon);
}

void checkBeforeSave(const Editor& editor, ChecksBeforeSave& checks) {
    if (editor.settings.runEccBeforeSave) checks.runChecks();
}

ValidationBox::ValidationBox(std::function<void()> checks)
    : core::FormModel("", true), m_checks(std::move(checks)) {
    label("text", kText, "");
}

void ValidationBox::tick() {
    // The message boxes of the checks run their own event loops, in which the
    // timer keeps ticking: only the first tick counts.
    if (m_state != State::Waiting) return;
    m_state = State::Running;
    if (m_checks) m_checks();
    m_state = State::Done;
    requestClose(true);
}

}  // namespace quendar::app
