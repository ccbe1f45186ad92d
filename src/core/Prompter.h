#pragma once

#include <string>
#include <string_view>

namespace quendar::core {

// The message boxes of the program, behind a toolkit-free interface. The
// window implements it with real message boxes; tests and the command-line
// tool script or print it.
//
// SaveDiscardCancel is the unsaved-changes question ("Save", "Discard",
// "Cancel"); RestoreDiscard the recovery offer ("Restore", "Discard"). Closing
// a box or Escape answers Cancel: for the recovery offer that is "not now".
enum class Buttons { Ok, OkCancel, YesNo, SaveDiscardCancel, RestoreDiscard };
enum class Icon { None, Information, Exclamation, Question, Error };
enum class Answer { Ok, Cancel, Yes, No, Save, Discard, Restore };

class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual Answer ask(std::string_view text, std::string_view caption, Buttons buttons,
                       Icon icon) = 0;
    void tell(std::string_view text, std::string_view caption, Icon icon = Icon::None) {
        ask(text, caption, Buttons::Ok, icon);
    }
};

}  // namespace quendar::core
