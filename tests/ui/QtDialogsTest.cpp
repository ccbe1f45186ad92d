#include <gtest/gtest.h>

#include "QtTestApp.h"
#include "app/editor/Editor.h"
#include "app/files/FileCommands.h"
#include "ui/QtDialogs.h"
#include "ui/TextConversions.h"

using namespace quendar::ui;
using quendar::core::Answer;
using quendar::core::Buttons;
using quendar::core::Icon;

TEST(QtDialogs, FilterFolderAndExtension) {
    quendar::test::qtApp();
    EXPECT_EQ(translateFilter("Mission Files (*.tie)|*.tie|All Files (*.*)|*.*||"),
              "Mission Files (*.tie);;All Files (*.*)");
    EXPECT_EQ(translateFilter("Texts|*.txt;*.doc||"), "Texts (*.txt *.doc)");
    EXPECT_EQ(translateFilter(""), "");

    EXPECT_EQ(initialFolder("C:\\Missions\\*.tie"), "C:/Missions");
    EXPECT_EQ(initialFolder("/home/pilot/missions/*.tie"), "/home/pilot/missions");
    EXPECT_EQ(initialFolder("*.tie"), "");
    EXPECT_EQ(initialFolder("/*.tie"), "/");

    EXPECT_EQ(withDefaultExtension("/m/raid", "tie"), "/m/raid.tie");
    EXPECT_EQ(withDefaultExtension("/m/raid.TIE", "tie"), "/m/raid.TIE");
    EXPECT_EQ(withDefaultExtension("/m/raid", ""), "/m/raid");

    // 8-bit texts survive the trip through the toolkit's strings.
    const std::string latin =
        "Gr\xfc\xdf"
        "e";
    EXPECT_EQ(toLatin(fromLatin(latin)), latin);

    // Paths keep every character; titles show a UTF-8 path as written and
    // fall back to 8-bit characters for bytes that are not UTF-8.
    const QString odd = QString::fromUtf8("/m/\xc3\xa9t\xc3\xa9 \xe6\x98\x9f.tie");
    EXPECT_EQ(fromPath(toPath(odd)), odd);
    EXPECT_EQ(fromMixed("Quendar - /m/\xc3\xa9t\xc3\xa9.tie"),
              QString::fromUtf8("Quendar - /m/\xc3\xa9t\xc3\xa9.tie"));
    EXPECT_EQ(fromMixed("Gr\xfc\xdf"), QString::fromLatin1("Gr\xfc\xdf"));
}

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

TEST(QtDialogs, PrompterShowsTheBoxAndReturnsTheAnswer) {
    quendar::test::qtApp();
    QtPrompter prompter(nullptr);
    auto answerWith = [](QMessageBox::StandardButton which, QString* text, QString* title,
                         QMessageBox::Icon* icon) {
        QTimer::singleShot(0, [=] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            *text = box->text();
            *title = box->windowTitle();
            *icon = box->icon();
            box->button(which)->click();
        });
    };
    QString text, title;
    QMessageBox::Icon icon;
    answerWith(QMessageBox::Cancel, &text, &title, &icon);
    EXPECT_EQ(prompter.ask("Are you sure?", "Exit", Buttons::OkCancel, Icon::Question),
              Answer::Cancel);
    EXPECT_EQ(text, "Are you sure?");
    EXPECT_EQ(title, "Exit");
    EXPECT_EQ(icon, QMessageBox::Question);

    answerWith(QMessageBox::Yes, &text, &title, &icon);
    EXPECT_EQ(prompter.ask("Do you want to reset the briefing?", "Warning", Buttons::YesNo,
                           Icon::Exclamation),
              Answer::Yes);
    EXPECT_EQ(icon, QMessageBox::Warning);

    answerWith(QMessageBox::Ok, &text, &title, &icon);
    prompter.tell("See next version", "Function not implemented");
    EXPECT_EQ(title, "Function not implemented");
}

// A mission path is shown as typed, tags and all, not as markup.
TEST(QtDialogs, MessageBoxesShowPathsAsPlainText) {
    quendar::test::qtApp();
    quendar::app::Editor editor;
    QtPrompter prompter(nullptr);
    QString text;
    Qt::TextFormat format = Qt::RichText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        format = box->textFormat();
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_FALSE(quendar::app::openMissionPath(editor, prompter, "/nowhere/<b>big</b> & co.tie"));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_TRUE(text.contains("<b>big</b> & co.tie")) << text.toStdString();
}

#include <QKeyEvent>
#include <functional>

// The recovery offer spells out its two buttons, and Escape keeps the file
// (Cancel); the unsaved-changes question answers Save, Discard or Cancel.
TEST(QtDialogs, RestoreAndUnsavedChangesQuestions) {
    quendar::test::qtApp();
    QtPrompter prompter(nullptr);
    // Runs `act` on the box once it is shown; collects the visible buttons' texts.
    auto withBox = [](QStringList* texts, std::function<void(QMessageBox*)> act) {
        QTimer::singleShot(0, [=] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* b : box->buttons())
                if (!b->isHidden()) texts->append(b->text().remove('&'));
            act(box);
        });
    };
    auto press = [](const QString& text) {
        return [text](QMessageBox* box) {
            for (QAbstractButton* b : box->buttons())
                if (b->text().remove('&') == text) b->click();
        };
    };
    auto escape = [](QMessageBox* box) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &esc);
    };
    const struct {
        Buttons buttons;
        std::function<void(QMessageBox*)> act;
        Answer answer;
    } rows[] = {
        {Buttons::RestoreDiscard, press("Restore"), Answer::Restore},
        {Buttons::RestoreDiscard, press("Discard"), Answer::Discard},
        {Buttons::RestoreDiscard, escape, Answer::Cancel},
        {Buttons::SaveDiscardCancel, press("Save"), Answer::Save},
        {Buttons::SaveDiscardCancel, press("Discard"), Answer::Discard},
        {Buttons::SaveDiscardCancel, escape, Answer::Cancel},
    };
    for (const auto& row : rows) {
        QStringList texts;
        withBox(&texts, row.act);
        EXPECT_EQ(prompter.ask("question", "caption", row.buttons, Icon::Question), row.answer);
        texts.sort();
        EXPECT_EQ(texts, row.buttons == Buttons::RestoreDiscard
                             ? QStringList({"Discard", "Restore"})
                             : QStringList({"Cancel", "Discard", "Save"}));
    }
}
