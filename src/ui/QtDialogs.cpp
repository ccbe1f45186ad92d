#include "ui/QtDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "ui/TextConversions.h"

namespace quendar::ui {

using core::Answer;
using core::Buttons;
using core::Icon;

void setBoxText(QMessageBox& box, const QString& text, const QString& caption) {
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setWindowTitle(caption);
}

namespace {
// "Restore" and "Discard"; Escape and the close button answer Cancel
// ("later") through a hidden button, since a box without an escape button
// can be neither escaped nor closed.
Answer askRestore(QMessageBox& box) {
    QPushButton* restore = box.addButton(QStringLiteral("Restore"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(QMessageBox::Cancel);
    later->hide();
    box.setEscapeButton(later);
    box.setDefaultButton(restore);
    box.exec();
    if (box.clickedButton() == restore) return Answer::Restore;
    if (box.clickedButton() == discard) return Answer::Discard;
    return Answer::Cancel;
}
}  // namespace

Answer QtPrompter::ask(std::string_view text, std::string_view caption, Buttons buttons,
                       Icon icon) {
    QMessageBox box(m_parent);
    setBoxText(box, fromMixed(text), fromMixed(caption));
    switch (icon) {
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Icon::Error: box.setIcon(QMessageBox::Critical); break;
        case Icon::None: break;
    }
    switch (buttons) {
        case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case Buttons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case Buttons::SaveDiscardCancel:
            box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Save);
            // Spelled as the question says, whatever the desktop's theme calls them.
            box.button(QMessageBox::Save)->setText(QStringLiteral("Save"));
            box.button(QMessageBox::Discard)->setText(QStringLiteral("Discard"));
            box.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancel"));
            break;
        case Buttons::RestoreDiscard: return askRestore(box);
    }
    const int r = box.exec();
    switch (r) {
        case QMessageBox::Ok: return Answer::Ok;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Save: return Answer::Save;
        case QMessageBox::Discard: return Answer::Discard;
        default:
            // Closing the box counts as its negative answer.
            return buttons == Buttons::YesNo ? Answer::No
                   : buttons == Buttons::Ok  ? Answer::Ok
                                             : Answer::Cancel;
    }
}

QString translateFilter(const std::string& filter) {
    const QStringList parts = fromLatin(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed();
        if (name.isEmpty() && patterns.isEmpty()) break;  // the "||" that ends the list
        QString pat = patterns;
        pat.replace(';', ' ');
        // The dialog takes its patterns from the parentheses of the name.
        out << (name.contains('(') ? name : name + " (" + pat + ")");
    }
    return out.join(";;");
}

QString initialFolder(const std::string& initialName) {
    QString s = fromPath(initialName);
    s.replace('\\', '/');
    const int slash = s.lastIndexOf('/');
    if (slash < 0) return {};
    return s.left(slash == 0 ? 1 : slash);
}

QString withDefaultExtension(const QString& path, const std::string& extension) {
    if (extension.empty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + "." + fromLatin(extension);
}

std::optional<std::string> QtFileChooser::chooseOpen(const app::FileDialogRequest& request) {
    QFileDialog dlg(m_parent, "Open", initialFolder(request.initialName),
                    translateFilter(request.filter));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    // The old dialog accepted names of files that do not exist; so does this one,
    // and the open command reports them.
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setDefaultSuffix(fromLatin(request.defaultExtension));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return toPath(QDir::toNativeSeparators(dlg.selectedFiles().first()));
}

std::optional<std::string> QtFileChooser::chooseSave(const app::FileDialogRequest& request) {
    QFileDialog dlg(m_parent, "Save As", initialFolder(request.initialName),
                    translateFilter(request.filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(fromLatin(request.defaultExtension));
    if (!request.promptOverwrite) dlg.setOption(QFileDialog::DontConfirmOverwrite);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return toPath(withDefaultExtension(dlg.selectedFiles().first(), request.defaultExtension));
}

}  // namespace quendar::ui
