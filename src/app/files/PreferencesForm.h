#pragma once

#include <string>

#include "core/DisplaySettings.h"
#include "core/FormModel.h"

namespace quendar::app {

// "Quendar Preferences": the folder for missions and the two checks of the
// save path. The check boxes change their settings at once (Cancel keeps
// them); the folder is taken only by OK, at most 254 characters.
class PreferencesForm : public core::FormModel {
  public:
    explicit PreferencesForm(core::DisplaySettings& settings);

    static constexpr int kMaxDirectory = 254;

  private:
    core::DisplaySettings& m_settings;
    std::string m_directory;  // the edit's text until OK
};

}  // namespace quendar::app
