#pragma once

#include <functional>

#include "app/editor/Editor.h"
#include "core/FormModel.h"
#include "core/Prompter.h"

namespace quendar::app {

// Runs the mission checks on the open mission with the editor's settings,
// makes the two corrections and shows every finding in its message box.
void validateMission(Editor& editor, core::Prompter& prompter);

// How the checks before a save are shown: the window shows its check box
// (the frame implements it), a save without a window goes straight through
// the prompter (PromptedChecks).
class ChecksBeforeSave {
  public:
    virtual ~ChecksBeforeSave() = default;
    virtual void runChecks() = 0;
};

// The checks with every finding in its message box, no box around them.
class PromptedChecks final : public ChecksBeforeSave {
  public:
    PromptedChecks(Editor& editor, core::Prompter& prompter)
        : m_editor(editor), m_prompter(prompter) {}
    void runChecks() override { validateMission(m_editor, m_prompter); }

  private:
    Editor& m_editor;
    core::Prompter& m_prompter;
};

// The check before a save, when the preference asks for it. It never stops
// the save.
void checkBeforeSave(const Editor& editor, ChecksBeforeSave& checks);

// The small box without caption and buttons that says "Error checking and
// correction...". One second after it appears (its first tick) it runs the
// checks, still showing, and then closes itself. Should its window go without
// a tick all the same, the one who showed it runs the checks (runChecksOnce).
class ValidationBox : public core::FormModel {
  public:
    enum class State { Waiting, Running, Done };
    static constexpr int kStartDelayMs = 1000;
    static constexpr const char* kText = "Error checking and correction...";

    explicit ValidationBox(std::function<void()> checks);
    int timerInterval() const override { return m_state == State::Waiting ? kStartDelayMs : 0; }
    void tick() override;
    // No caption bar, and no closing it (Escape, the close button) before
    // the checks have run.
    bool hasCaption() const override { return false; }
    bool mayClose() const override { return m_state == State::Done; }
    State state() const { return m_state; }
    // Runs the checks unless they have run.
    void runChecksOnce() { tick(); }

  private:
    std::function<void()> m_checks;
    State m_state = State::Waiting;
};

}  // namespace quendar::app
