#pragma once

#include "settings/SettingsForm.h"

namespace quendar::settings {

// "Special cargoes in the mission": the names of the 16 special cargoes,
// stored at every keystroke, 19 characters each.
class CargoesForm : public SettingsForm {
  public:
    explicit CargoesForm(const shipgroup::ShipgroupContext& ctx);
};

// "Introduction / Debriefing / Hint messages": one of the three long texts.
// The edit shows line breaks as "\n"; the store holds them as CR LF. Only "OK"
// stores the text (cut to 4095 characters); any other way of closing leaves
// the stored text as it was.
class LongTextForm : public SettingsForm {
  public:
    enum class Which { Introduction, Debriefing, Hints };
    LongTextForm(const shipgroup::ShipgroupContext& ctx, Which which);

  private:
    mission::Table m_table;
    std::string m_text;  // as stored: line breaks are CR LF
};

constexpr int kLongTextLimit = 4095;

// "\r\n" -> "\n" for an edit, and back: every "\n" not already preceded by
// "\r" becomes "\r\n".
std::string toEditLines(std::string_view stored);
std::string toStoredLines(std::string_view edited);

}  // namespace quendar::settings
