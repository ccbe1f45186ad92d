#include "app/files/PreferencesForm.h"

namespace quendar::app {

PreferencesForm::PreferencesForm(core::DisplaySettings& settings)
    : FormModel("Quendar Preferences", true),
      m_settings(settings),
      m_directory(settings.missionDirectory) {
    const std::string ecc = "Error checking && correction";
    textEdit("directory", "", "Default directory for missions",
             core::heldText(m_directory, kMaxDirectory))
        .wide(300);
    checkBox("ecc", "Run ECC before saving a mission (Recommended)", ecc,
             m_settings.runEccBeforeSave);
    checkBox("names", "Check for incorrect mission filenames", ecc, m_settings.checkFileNames);
    closeButton("ok", "OK", true,
                [this] { m_settings.missionDirectory = m_directory.substr(0, kMaxDirectory); });
    closeButton("cancel", "Cancel", false);
}

}  // namespace quendar::app
