#pragma once

#include <string>

#include "mission/DisplaySettings.h"
#include "mission/FormModel.h"

namespace quendar::app {

// "Quendar Preferences": the folder for missions and the two checks of the
// save path. The check boxes change their settings at once (Cancel keeps
// them); the folder is taken only by OK, at most 254 characters.
class PreferencesForm : public mission::FormModel {
  public:
    explicit PreferencesForm(mission::DisplaySettings& settings);

    static constexpr int kMaxDirectory = 254;

  private:
    mission::DisplaySettings& m_settings;
    std::string m_directory;  // the edit's text until OK
};

}  // namespace quendar::app
