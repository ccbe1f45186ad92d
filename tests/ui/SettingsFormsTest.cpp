#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <optional>

#include "WindowFixture.h"
#include "mission/ShipgroupRecord.h"

using namespace quendar;
using mission::Table;

namespace {

// The window on the bundled sample mission; every mission-wide form is opened
// from its menu item and driven through its widgets while it is shown.
class SettingsFormsTest : public test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        writePreferences();
        makeFrame().startUp();
        ASSERT_TRUE(frame->openMissionPath(copySample("sample.tie"), false));
        prompter.shown.clear();
    }

    // Runs a menu command whose form is modal; `script` drives the dialog
    // and must close it.
    void run(app::CommandId command, std::function<void(ui::FormDialog&)> script) {
        bool ran = false;
        frame->forms().modalHook = [&](ui::FormDialog& d) {
            ran = true;
            script(d);
        };
        ASSERT_TRUE(trigger(command)) << command;
        frame->forms().modalHook = nullptr;
        EXPECT_TRUE(ran) << command;
    }
    static void radio(ui::FormDialog& d, const char* id, int index) {
        widget<QWidget>(d, id)->findChild<QButtonGroup*>("group")->button(index)->click();
    }
    static void press(ui::FormDialog& d, const char* id) { widget<QPushButton>(d, id)->click(); }
    int at(Table t, int slot, int offset) const { return editor.store.byte(t, slot, offset); }
};

}  // namespace

TEST_F(SettingsFormsTest, NameFormsStoreWhatIsTyped) {
    int events = 0;
    std::optional<core::ShipgroupEvent> lastEvent;
    auto conn = editor.shipgroupEvents.connect([&](core::ShipgroupEvent e) {
        ++events;
        lastEvent = e;
    });
    run(app::cmd::MissionProperties, [&](ui::FormDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Mission Properties");
        EXPECT_FALSE(widget<QLineEdit>(d, "iff0")->isEnabled());
        type(d, "iff2", "Cinder Guild of the Deep");
        choose(d, "hangar", 7);
        press(d, "ok");
    });
    EXPECT_EQ(editor.store.text(Table::Header, 0, 20, 20), "Cinder Guild of the");
    EXPECT_EQ(at(Table::MissionOptions, 0, 0), 7);
    EXPECT_EQ(lastEvent, core::ShipgroupEvent::IffNames);

    run(app::cmd::Team4, [&](ui::FormDialog& d) {  // Team 4
        EXPECT_EQ(d.windowTitle(), "Teams Properties");
        type(d, "name", "Ember Watch");
        type(d, "line3", "The convoy is lost.");
        d.reject();  // the close box keeps what was typed
    });
    EXPECT_EQ(editor.store.currentTeam, 3);
    EXPECT_EQ(editor.store.text(Table::Teams, 3, 2, 20), "Ember Watch");
    EXPECT_EQ(editor.store.text(Table::Teams, 3, 164, 64), "The convoy is lost.");
    EXPECT_EQ(lastEvent, core::ShipgroupEvent::TeamNames);

    const int before = events;
    run(app::cmd::Systems, [&](ui::FormDialog& d) {
        type(d, "system3", "Glass Shoals");
        press(d, "ok");
    });
    EXPECT_EQ(editor.store.text(Table::RegionNames, 2, 0, 132), "Glass Shoals");
    run(app::cmd::GlobalGroups, [&](ui::FormDialog& d) {
        press(d, "next");
        // The edit's own group box carries the group's name.
        auto* box = qobject_cast<QGroupBox*>(widget<QLineEdit>(d, "name")->parentWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->title(), "Global group 2");
        type(d, "name", "Picket line");
        press(d, "ok");
    });
    EXPECT_EQ(editor.store.text(Table::GlobalGroupNames, 1, 0, 87), "Picket line");
    EXPECT_EQ(events, before) << "Systems and Global groups send no event";

    run(app::cmd::Cargoes, [&](ui::FormDialog& d) {
        type(d, "cargo16", "Spare reactor coils!!");
        press(d, "ok");
    });
    EXPECT_EQ(editor.store.text(Table::SpecialCargo, 15, 0, 20), "Spare reactor coils");
    EXPECT_EQ(lastEvent, core::ShipgroupEvent::Advanced);
}

TEST_F(SettingsFormsTest, GlobalGoalsThroughTheirWidgets) {
    run(app::cmd::GlobalGoals, [&](ui::FormDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Global Goals");
        choose(d, "kind", 1);
        press(d, "goal2");
        EXPECT_FALSE(widget<QPushButton>(d, "goal2")->isEnabled());
        choose(d, "condition", 2);
        EXPECT_EQ(widget<QComboBox>(d, "condition")->currentText(), "musn't be destroyed");
        radio(d, "join12", 1);
        type(d, "text2", "Keep the relay standing");
        EXPECT_FALSE(widget<QLineEdit>(d, "text3")->isEnabled());
        auto* slider = widget<QSlider>(d, "points");
        slider->setSliderDown(true);
        slider->setSliderPosition(40);
        slider->setSliderDown(false);  // released
        EXPECT_EQ(widget<QLabel>(d, "pointsText")->text(), "1000");
        slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // keyboard: not stored
        EXPECT_EQ(widget<QLabel>(d, "pointsText")->text(), "1000");
        press(d, "ok");
    });
    // Team 1, prevent goals: the block starts at 2 + 122.
    EXPECT_EQ(at(Table::GlobalGoals, 0, 124 + 6), 2);
    EXPECT_EQ(at(Table::GlobalGoals, 0, 124 + 14), 1);
    EXPECT_EQ(at(Table::GlobalGoals, 0, 124 + 51), 40);
    EXPECT_EQ(editor.store.text(Table::GlobalGoalStrings, (1 * 4 + 1) * 3 + 1, 0, 64),
              "Keep the relay standing");
}

TEST_F(SettingsFormsTest, MessagesThroughTheirWidgets) {
    const int count = editor.store.messageCount;
    run(app::cmd::Messages, [&](ui::FormDialog& d) {
        EXPECT_EQ(d.windowTitle(), "In-flight messages");
        press(d, "add");
        EXPECT_EQ(widget<QLabel>(d, "count")->text(), QString::number(count + 1));
        choose(d, "t2.amount", 4);
        radio(d, "joinConditions", 1);
        widget<QCheckBox>(d, "team2")->click();
        type(d, "minutes", "3");
        type(d, "text", "Second wave inbound");
        press(d, "ok");
    });
    EXPECT_EQ(editor.store.messageCount, count + 1);
    EXPECT_EQ(at(Table::Messages, 0, 101), 4);
    EXPECT_EQ(at(Table::Messages, 0, 124), 1);
    EXPECT_EQ(at(Table::Messages, 0, 83), 1);
    EXPECT_EQ(at(Table::Messages, 0, 141), 3);
    EXPECT_EQ(editor.store.text(Table::Messages, 0, 2, 64), "Second wave inbound");
}

TEST_F(SettingsFormsTest, LongTextsStoreOnOkOnly) {
    run(app::cmd::Introduction, [&](ui::FormDialog& d) {
        widget<QPlainTextEdit>(d, "text")->setPlainText("Fly low.\nFly fast.");
        press(d, "ok");
    });
    EXPECT_EQ(editor.store.text(Table::Introduction, 0, 0, 4096), "Fly low.\r\nFly fast.");
    const std::string hints = editor.store.text(Table::Hints, 0, 0, 4096);
    run(app::cmd::Hints, [&](ui::FormDialog& d) {
        EXPECT_EQ(widget<QLabel>(d, "caption")->text(), "Hints text");
        widget<QPlainTextEdit>(d, "text")->setPlainText("never kept");
        d.reject();
    });
    EXPECT_EQ(editor.store.text(Table::Hints, 0, 0, 4096), hints);
}

TEST_F(SettingsFormsTest, ValidateShowsTheBoxThenTheFindings) {
    editor.store.setByte(Table::Shipgroups, 0, mission::sg::craftCount, 0);
    run(app::cmd::Validate, [&](ui::FormDialog& d) {
        EXPECT_EQ(d.windowTitle(), "");
        EXPECT_EQ(widget<QLabel>(d, "text")->text(), "Error checking and correction...");
        EXPECT_TRUE(prompter.shown.empty()) << "nothing before the first tick";
        d.model().tick();  // the one-second timer
    });
    ASSERT_GE(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].caption, "Warning - filename incorrect");
    EXPECT_EQ(prompter.shown[1].caption, "Error - number of crafts is 0 - corrected");
    EXPECT_EQ(at(Table::Shipgroups, 0, mission::sg::craftCount), 1);
}
