#pragma once

#include <QString>
#include <string>

#include "app/editor/FileChooser.h"
#include "core/Prompter.h"

class QMessageBox;
class QWidget;

namespace quendar::ui {

// Every message box of the program gets its text and caption here: shown as
// they are, never read as markup (a path such as "<b>x</b>.tie" stays as typed).
void setBoxText(QMessageBox& box, const QString& text, const QString& caption);

// Message boxes for the program's prompts.
class QtPrompter : public core::Prompter {
  public:
    explicit QtPrompter(QWidget* parent) : m_parent(parent) {}
    core::Answer ask(std::string_view text, std::string_view caption, core::Buttons buttons,
                     core::Icon icon) override;

  private:
    QWidget* m_parent;
};

// The "Name (*.a)|*.a|Other|*.b||" filter as a file dialog filter
// ("Name (*.a);;Other (*.b)").
QString translateFilter(const std::string& filter);
// The folder of an initial name such as "C:\\Missions\\*.tie" or "/home/m/*.tie"
// (backslashes read as folder marks); empty when there is none.
QString initialFolder(const std::string& initialName);
// The chosen save path with the default extension added when it has none.
QString withDefaultExtension(const QString& path, const std::string& extension);

class QtFileChooser : public app::FileChooser {
  public:
    explicit QtFileChooser(QWidget* parent) : m_parent(parent) {}
    std::optional<std::string> chooseOpen(const app::FileDialogRequest& request) override;
    std::optional<std::string> chooseSave(const app::FileDialogRequest& request) override;

  private:
    QWidget* m_parent;
};

}  // namespace quendar::ui
