#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "briefing/BriefingForm.h"
#include "briefing/BriefingModel.h"
#include "core/Prompter.h"

namespace quendar::briefing {

// "Briefing length": despite its title it sets the briefing end time, in
// seconds or in briefing units. The edit not being typed into keeps the text
// it showed when the form opened. However the form closes, a length mark after
// the new end time is pulled back to it; the caller then resets the time
// slider's range and the locked view.
class BriefingLengthForm : public BriefingForm {
  public:
    // End times are command times, so a typed number is kept within 0..65534.
    static constexpr int kMaxEndTime = 65534;
    // What the change journal calls the changes made in the form.
    static constexpr const char* kActionName = "Briefing length";

    explicit BriefingLengthForm(BriefingModel& model);
    void closing() override;

  private:
    BriefingModel& m_model;
    std::string m_seconds;
    std::string m_units;
};

// "Delete commands at current time-position": the commands at the current
// time in listing order; a line is deleted by its position in that order.
class DeleteCommandsForm : public BriefingForm {
  public:
    static constexpr const char* kActionName = "Delete commands";
    DeleteCommandsForm(BriefingModel& model, core::Prompter& prompter);

    // The message box "Debug (in beta)" shows for a command: caption
    // "CMD: BRC_..." and the stored numbers after the time. None for the kinds
    // the button ignores.
    struct DebugBox {
        std::string caption;
        std::string text;
    };
    static std::optional<DebugBox> debugBox(Kind kind, const Record& record);

  private:
    BriefingModel& m_model;
    core::Prompter& m_prompter;
    int m_row = -1;
};

// "Briefing Wizard": "Modify" shifts every command after the current time by
// the signed number typed, once per press.
class BriefingWizardForm : public BriefingForm {
  public:
    static constexpr const char* kActionName = "Briefing Wizard";
    explicit BriefingWizardForm(BriefingModel& model);

  private:
    BriefingModel& m_model;
    std::string m_delta = "0";
};

// "Assign teams to this briefing": eight check boxes over the team flags of
// briefing 1, stored together by "OK"; "Cancel" stores nothing.
class AssignTeamsForm : public BriefingForm {
  public:
    static constexpr const char* kActionName = "Assign teams";
    AssignTeamsForm(BriefingModel& model, std::function<std::vector<std::string>()> teamNames);

  private:
    BriefingModel& m_model;
    std::array<int, kTeamFlagCount> m_checked{};
};

}  // namespace quendar::briefing
