#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/editor/FileChooser.h"
#include "core/Prompter.h"

namespace quendar::testing {

// A message box that records what it was shown and answers from a script
// (when the script is empty: OK, Yes, Restore, or Discard for the
// unsaved-changes question).
class ScriptedPrompter : public core::Prompter {
  public:
    struct Shown {
        std::string text;
        std::string caption;
        core::Buttons buttons;
        core::Icon icon;
    };
    core::Answer ask(std::string_view text, std::string_view caption, core::Buttons buttons,
                     core::Icon icon) override {
        shown.push_back({std::string(text), std::string(caption), buttons, icon});
        if (!answers.empty()) {
            const auto a = answers.front();
            answers.pop_front();
            return a;
        }
        switch (buttons) {
            case core::Buttons::YesNo: return core::Answer::Yes;
            case core::Buttons::RestoreDiscard: return core::Answer::Restore;
            case core::Buttons::SaveDiscardCancel: return core::Answer::Discard;
            default: return core::Answer::Ok;
        }
    }
    std::vector<Shown> shown;
    std::deque<core::Answer> answers;
};

// File dialogs that return scripted paths; an empty script is Cancel.
class ScriptedChooser : public app::FileChooser {
  public:
    std::optional<std::string> chooseOpen(const app::FileDialogRequest& r) override {
        requests.push_back(r);
        return next(opens);
    }
    std::optional<std::string> chooseSave(const app::FileDialogRequest& r) override {
        requests.push_back(r);
        return next(saves);
    }
    std::deque<std::string> opens;
    std::deque<std::string> saves;
    std::vector<app::FileDialogRequest> requests;

  private:
    static std::optional<std::string> next(std::deque<std::string>& q) {
        if (q.empty()) return std::nullopt;
        std::string p = q.front();
        q.pop_front();
        return p;
    }
};

}  // namespace quendar::testing
