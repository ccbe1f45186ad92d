#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTextCursor>

#include "QtTestApp.h"
#include "app/files/MissionChecks.h"
#include "ui/FormBinder.h"

using namespace quendar;
using core::ControlKind;

namespace {

// A small form touching every kind of control the binder knows.
struct SampleForm : core::FormModel {
    int choice = 1, check = 0, radio = 2, slider = 5, pressed = 0, every = 4, finished = 0;
    std::string name = "Alpha";
    std::vector<std::string> list{"One", "Two", "Three"};

    SampleForm() : FormModel("Sample && Test", true) {
        auto& drop = add(make("drop", ControlKind::DropDown, "Pick"));
        drop.items = [this] { return list; };
        drop.value = [this] { return choice; };
        drop.setValue = [this](int v) { choice = v; };
        auto& chk =
            add(make("check", ControlKind::CheckBox, "Error checking && correction", "Box"));
        chk.value = [this] { return check; };
        chk.setValue = [this](int v) { check = v; };
        auto& rg = add(make("radio", ControlKind::RadioGroup, "", "Box"));
        rg.items = [] { return std::vector<std::string>{"Blue", "Red", "Green"}; };
        rg.value = [this] { return radio; };
        rg.setValue = [this](int v) { radio = v; };
        rg.itemEnabled = [](int i) { return i != 1; };
        auto& ed = add(make("name", ControlKind::Edit, "Name"));
        ed.maxLength = 8;
        ed.text = [this] { return name; };
        ed.setText = [this](const std::string& t) { name = t; };
        ed.editingFinished = [this] { ++finished; };
        auto& sl = add(make("slider", ControlKind::Slider, ""));
        sl.maximum = 10;
        sl.value = [this] { return slider; };
        sl.setValue = [this](int v) { slider = v; };
        auto& num = add(make("every", ControlKind::NumberEdit, "Lines after every"));
        num.value = [this] { return every; };
        num.setValue = [this](int v) { every = v; };
        add(make("note", ControlKind::StaticText, "Cargo && crew"));
        add(make("picture", ControlKind::Picture, "")).image = [] {
            core::RgbaImage img(3, 2, core::rgb(0, 0, 255));
            img.set(2, 1, core::rgb(255, 0, 0));
            return img;
        };
        // Enabled only while the check box is on: the binder must follow.
        auto& grow = add(make("grow", ControlKind::Button, "Grow"));
        grow.press = [this] {
            ++pressed;
            list.push_back("Four");
            refreshed.notify();
        };
        grow.enabled = [this] { return check == 1; };
        add(make("ok", ControlKind::Button, "OK")).press = [this] { requestClose(true); };
    }
    static core::Control make(std::string id, ControlKind kind, std::string label,
                              std::string group = "") {
        core::Control c;
        c.id = std::move(id);
        c.kind = kind;
        c.label = std::move(label);
        c.group = std::move(group);
        return c;
    }
};

}  // namespace

TEST(FormBinder, WiresEveryControlBothWays) {
    test::qtApp();
    SampleForm form;
    ui::FormDialog dlg(form, nullptr);
    EXPECT_EQ(dlg.windowTitle(), "Sample && Test");

    auto* drop = qobject_cast<QComboBox*>(dlg.widgetFor("drop"));
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(drop->count(), 3);
    EXPECT_EQ(drop->currentIndex(), 1);
    drop->activated(2);  // as the user picking the third entry
    EXPECT_EQ(form.choice, 2);

    auto* note = qobject_cast<QLabel*>(dlg.widgetFor("note"));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text(), "Cargo & crew");

    auto* picture = qobject_cast<QLabel*>(dlg.widgetFor("picture"));
    ASSERT_NE(picture, nullptr);
    const QImage shown = picture->pixmap().toImage();
    EXPECT_EQ(shown.size(), QSize(3, 2));
    EXPECT_EQ(shown.pixelColor(2, 1), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(0, 0, 255));

    auto* grow = qobject_cast<QPushButton*>(dlg.widgetFor("grow"));
    ASSERT_NE(grow, nullptr);
    EXPECT_FALSE(grow->isEnabled());
    auto* check = qobject_cast<QCheckBox*>(dlg.widgetFor("check"));
    ASSERT_NE(check, nullptr);
    check->click();
    EXPECT_EQ(form.check, 1);
    EXPECT_TRUE(grow->isEnabled()) << "a change re-reads the enable rules";
    grow->click();
    EXPECT_EQ(form.pressed, 1);
    EXPECT_EQ(drop->count(), 4) << "refreshed reloads the items";

    auto radios = dlg.widgetFor("radio")->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 3);
    EXPECT_TRUE(radios[2]->isChecked());
    EXPECT_FALSE(radios[1]->isEnabled());
    radios[0]->click();
    EXPECT_EQ(form.radio, 0);

    auto* edit = qobject_cast<QLineEdit*>(dlg.widgetFor("name"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "Alpha");
    EXPECT_EQ(edit->maxLength(), 8);
    edit->clear();
    QTest::keyClicks(edit, "Beta");
    EXPECT_EQ(form.name, "Beta");
    EXPECT_EQ(form.finished, 0);  // typing is not finishing
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(form.finished, 1);

    // Number edits take digits only and hand the number to the model.
    auto* every = qobject_cast<QLineEdit*>(dlg.widgetFor("every"));
    ASSERT_NE(every, nullptr);
    EXPECT_EQ(every->text(), "4");
    every->selectAll();
    QTest::keyClicks(every, "3x00");
    EXPECT_EQ(every->text(), "300");
    EXPECT_EQ(form.every, 300);

    auto* slider = qobject_cast<QSlider*>(dlg.widgetFor("slider"));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->value(), 5);
    slider->setValue(7);
    EXPECT_EQ(form.slider, 7);

    // A change made behind the dialog's back shows after `refreshed`.
    form.choice = 0;
    form.refreshed.notify();
    EXPECT_EQ(drop->currentIndex(), 0);
}

TEST(FormBinder, HostRunsModalAndReplacesModeless) {
    test::qtApp();
    QWidget parent;
    ui::FormHost host(&parent);

    SampleForm modal;
    int shown = 0;
    host.modalHook = [&](ui::FormDialog& d) {
        ++shown;
        EXPECT_TRUE(d.isVisible());
        qobject_cast<QPushButton*>(d.widgetFor("ok"))->click();
    };
    EXPECT_TRUE(host.runModal(modal));
    EXPECT_EQ(shown, 1);
    // The window's close button is not OK.
    host.modalHook = [](ui::FormDialog& d) { d.close(); };
    EXPECT_FALSE(host.runModal(modal));

    auto first = std::make_shared<SampleForm>();
    ui::FormDialog* a = host.showModeless(app::form::Basic, first);
    QPointer<ui::FormDialog> guard(a);
    EXPECT_TRUE(host.isOpen(app::form::Basic));
    first->name = "Changed";
    auto second = std::make_shared<SampleForm>();
    second->name = "Fresh";
    ui::FormDialog* b = host.showModeless(app::form::Basic, second);
    EXPECT_FALSE(guard->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()) << "opening again destroys the old window";
    EXPECT_EQ(qobject_cast<QLineEdit*>(b->widgetFor("name"))->text(), "Fresh");
    EXPECT_EQ(host.model(app::form::Basic), second.get());
    host.close(app::form::Basic);
    EXPECT_FALSE(host.isOpen(app::form::Basic));
    EXPECT_EQ(host.model(app::form::Basic), nullptr);

    // A form whose own button opens it again (the window is replaced from
    // inside its handler) keeps working, and the new window shows.
    auto self = std::make_shared<SampleForm>();
    std::weak_ptr<SampleForm> weakSelf = self;
    self->find("grow")->press = [&host] {
        host.showModeless(app::form::Options, std::make_shared<SampleForm>());
    };
    self->find("grow")->enabled = {};
    ui::FormDialog* s1 = host.showModeless(app::form::Options, self);
    self.reset();
    qobject_cast<QPushButton*>(s1->widgetFor("grow"))->click();
    EXPECT_FALSE(weakSelf.expired()) << "the old model lives until its window is gone";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(weakSelf.expired());
    EXPECT_TRUE(host.isOpen(app::form::Options));
}

// A stored text shows whole, even past what typing may store, and a
// multi-line edit gives back every byte 1..255 it was given (0xA0 too);
// only its line breaks are its own.
TEST(FormBinder, EditsShowAndReturnTheStoredTextWhole) {
    test::qtApp();
    SampleForm form;
    std::string lines;
    for (int b = 1; b < 256; ++b)
        if (b != '\n' && b != '\r') lines += static_cast<char>(b);
    lines.insert(100, "\n");
    std::string typed;
    auto& many = form.controls().emplace_back(SampleForm::make("lines", ControlKind::Edit, ""));
    many.multiLine = true;
    many.text = [&] { return lines; };
    many.setText = [&](const std::string& t) { typed = t; };
    form.name = "Nine char";  // one over the limit of 8
    ui::FormDialog dlg(form, nullptr);

    auto* edit = qobject_cast<QLineEdit*>(dlg.widgetFor("name"));
    EXPECT_EQ(edit->text(), "Nine char");
    edit->setSelection(0, 1);
    QTest::keyClick(edit, 'Q');
    EXPECT_EQ(form.name, "Qine cha") << "typing stores at most the limit";

    auto* text = qobject_cast<QPlainTextEdit*>(dlg.widgetFor("lines"));
    ASSERT_NE(text, nullptr);
    QTextCursor cur = text->textCursor();
    cur.setPosition(0);
    cur.setPosition(1, QTextCursor::KeepAnchor);
    text->setTextCursor(cur);
    QTest::keyClick(text, 'Q');
    EXPECT_EQ(typed, "Q" + lines.substr(1));
}

// The checks' box has no caption bar, and neither Escape nor its close button
// take it away before its checks have run; then it closes itself.
TEST(FormBinder, ValidationBoxCannotBeClosedBeforeItsChecks) {
    test::qtApp();
    int runs = 0;
    app::ValidationBox box([&] { ++runs; });
    ui::FormDialog dlg(box, nullptr);
    EXPECT_TRUE(dlg.windowFlags() & Qt::FramelessWindowHint);
    dlg.show();
    QTest::keyClick(&dlg, Qt::Key_Escape);
    dlg.close();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(runs, 0);
    box.tick();  // the first tick of its timer
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(dlg.isVisible());
}
