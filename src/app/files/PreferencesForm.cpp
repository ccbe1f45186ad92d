#include "app/files/PreferencesForm.h"

namespace quendar::app {

using core::Control;
using core::ControlKind;

namespace {
Control make(std::string id, ControlKind kind, std::string label, std::string group = "") {
    Control c;
    c.id = std::move(id);
    c.kind = kind;
    c.label = std::move(label);
    c.group = std::move(group);
    return c;
}
}  // namespace

PreferencesForm::PreferencesForm(core::DisplaySettings& settings)
    : FormModel("Quendar Preferences", true),
      m_settings(settings),
      m_directory(settings.missionDirectory) {
    auto& dir = add(make("directory", ControlKind::Edit, "", "Default directory for missions"));
    dir.maxLength = kMaxDirectory;
    dir.width = 300;
    dir.text = [this] { return m_directory; };
    dir.setText = [this](const std::string& t) { m_directory = t; };

    auto& ecc =
        add(make("ecc", ControlKind::CheckBox, "Run ECC before saving a mission (Recommended)",
                 "Error checking && correction"));
    ecc.value = [this] { return m_settings.runEccBeforeSave ? 1 : 0; };
    ecc.setValue = [this](int v) { m_settings.runEccBeforeSave = v ? 1 : 0; };

    auto& names = add(make("names", ControlKind::CheckBox, "Check for incorrect mission filenames",
                           "Error checking && correction"));
    names.value = [this] { return m_settings.checkFileNames ? 1 : 0; };
    names.setValue = [this](int v) { m_settings.checkFileNames = v ? 1 : 0; };

    add(make("ok", ControlKind::Button, "OK")).press = [this] {
        m_settings.missionDirectory = m_directory.substr(0, kMaxDirectory);
        requestClose(true);
    };
    add(make("cancel", ControlKind::Button, "Cancel")).press = [this] { requestClose(false); };
}

}  // namespace quendar::app
