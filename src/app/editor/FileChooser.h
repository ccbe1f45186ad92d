#pragma once

#include <optional>
#include <string>

namespace quendar::app {

// The open and save file dialogs, behind a toolkit-free interface.
struct FileDialogRequest {
    std::string filter;            // "Mission Files (*.tie)|*.tie|All Files (*.*)|*.*||"
    std::string defaultExtension;  // "tie"
    std::string initialName;       // folder + "\\*.tie" or "*.tie"
    bool promptOverwrite = false;  // save dialogs ask before replacing a file
};

class FileChooser {
  public:
    virtual ~FileChooser() = default;
    virtual std::optional<std::string> chooseOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> chooseSave(const FileDialogRequest& request) = 0;
};

}  // namespace quendar::app
