#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <fstream>

#include "WindowFixture.h"
#include "mission/MissionFile.h"
#include "mission/NewMission.h"
#include "mission/ShipgroupRecord.h"

using namespace quendar;
namespace sg = mission::sg;
using mission::Table;

namespace {

// The window on the bundled sample mission; every shipgroup form is opened
// from the control bar and driven through its widgets.
class ShipgroupFormsTest : public test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        writePreferences();
        m_path = copySample("sample.tie");
        makeFrame().startUp();
        ASSERT_TRUE(frame->openMissionPath(m_path, false));
        ASSERT_GE(editor.store.shipgroupCount, 3);
    }

    ui::FormDialog& open(app::CommandId command, app::FormKey key) {
        EXPECT_TRUE(trigger(command));
        ui::FormDialog* d = frame->forms().dialog(key);
        EXPECT_NE(d, nullptr) << key;
        return *d;
    }
    void row(ui::FormDialog& d, const char* id, int r) {
        widget<QListWidget>(d, id)->setCurrentRow(r);
    }
    int at(int offset) const {
        return editor.store.byte(Table::Shipgroups, editor.store.currentShipgroup, offset);
    }

    std::string m_path;
};

}  // namespace

TEST_F(ShipgroupFormsTest, ListFormsAddCopyDeleteAndFollowTheSelection) {
    auto& list = open(app::cmd::Shipgroups, app::form::Shipgroups);
    const int n = editor.store.shipgroupCount;
    EXPECT_EQ(widget<QListWidget>(list, "list")->count(), n);
    row(list, "list", 1);
    EXPECT_EQ(editor.store.currentShipgroup, 1);
    EXPECT_EQ(frame->selector()->currentIndex(), 1);

    auto& basic = open(app::cmd::Basic, app::form::Basic);
    type(list, "name", "Night Watch");
    widget<QPushButton>(list, "add")->click();
    EXPECT_EQ(editor.store.shipgroupCount, n + 1);
    EXPECT_EQ(widget<QListWidget>(list, "list")->currentRow(), n);
    EXPECT_EQ(widget<QLineEdit>(basic, "name")->text(), "Night Watch");
    EXPECT_EQ(frame->selector()->count(), n + 1);

    widget<QPushButton>(list, "copy")->click();
    EXPECT_EQ(editor.store.shipgroupCount, n + 2);
    widget<QPushButton>(list, "deleteSelected")->click();  // the scripted answer is Yes
    EXPECT_EQ(editor.store.shipgroupCount, n + 1);
    EXPECT_EQ(editor.store.currentShipgroup, n);  // the new last one
    EXPECT_EQ(widget<QListWidget>(list, "list")->currentRow(), n);

    // The Basic form's "Options..." and the list's buttons open forms.
    widget<QPushButton>(list, "open6")->click();
    EXPECT_NE(frame->forms().dialog(app::form::Goals), nullptr);

    auto& view = open(app::cmd::ShipgroupsView, app::form::ShipgroupsView);
    auto* order2 = widget<QCheckBox>(view, "order2");
    const bool before = frame->viewSwitches().showOrderWaypoints[1];
    order2->click();
    EXPECT_EQ(frame->viewSwitches().showOrderWaypoints[1], !before);
    EXPECT_FALSE(widget<QCheckBox>(view, "ships")->isEnabled());
}

TEST_F(ShipgroupFormsTest, BasicArrivalAndDepartureWriteTheirBytes) {
    frame->logic().selectShipgroup(2);
    auto& basic = open(app::cmd::Basic, app::form::Basic);
    choose(basic, "craftCount", 5);
    EXPECT_EQ(at(sg::craftCount), 5);
    type(basic, "cargo", "Medical supplies");
    EXPECT_EQ(editor.store.text(Table::Shipgroups, 2, sg::cargo, 20), "Medical supplies");
    EXPECT_FALSE(widget<QLabel>(basic, "picture")->pixmap().isNull());
    widget<QPushButton>(basic, "backdropNow")->click();
    EXPECT_EQ(at(sg::craftType), 183);
    EXPECT_TRUE(widget<QComboBox>(basic, "backdrop")->isEnabled());

    auto& arrival = open(app::cmd::Arrival, app::form::Arrival);
    choose(arrival, "method2", 1);
    choose(arrival, "mothership2", 1);
    EXPECT_EQ(at(sg::arrivalMethod2), 1);
    EXPECT_EQ(at(sg::arrivalMothership2), 1);
    widget<QWidget>(arrival, "or12")->findChild<QButtonGroup*>("group")->button(1)->click();
    EXPECT_EQ(at(sg::arrivalOr12), 1);
    type(arrival, "minutes", "12");
    EXPECT_EQ(at(sg::arrivalDelayMinutes), 12);

    auto& departure = open(app::cmd::Departure, app::form::Departure);
    const int m1 = at(sg::departureMethod1), s1 = at(sg::departureMothership1);
    choose(departure, "method2", 1);
    EXPECT_EQ(at(sg::departureMethod2), 1);
    EXPECT_EQ(at(sg::arrivalMethod2), 1);
    EXPECT_EQ(at(sg::departureMethod1), m1);
    EXPECT_EQ(at(sg::departureMothership1), s1);
    EXPECT_EQ(at(sg::arrivalMothership2), 1);

    // Another shipgroup in the selector: the open forms show it.
    frame->logic().selectShipgroup(0);
    EXPECT_EQ(widget<QLineEdit>(basic, "name")->text(),
              QString::fromLatin1(editor.store.text(Table::Shipgroups, 0, sg::name, 19)));
}

TEST_F(ShipgroupFormsTest, OrdersWaypointsGoalsAdvancedAndOptionsWriteTheirBytes) {
    auto& orders = open(app::cmd::Orders, app::form::Orders);
    choose(orders, "slot", 2);
    const int region = widget<QComboBox>(orders, "region")->currentIndex();
    ASSERT_GE(region, 0);
    const int o = sg::orderOffset(region, 2);
    choose(orders, "order", 7);
    EXPECT_EQ(at(o), 7);
    widget<QCheckBox>(orders, "target12Flag")->click();
    EXPECT_EQ(at(o + 16), 1);
    type(orders, "wp2.y.lo", "77");
    EXPECT_EQ(at(sg::waypointOffset(region, 2, 1) + 2), 77);
    type(orders, "orderText", "Strike the depot");
    EXPECT_EQ(
        editor.store.text(Table::OrderStrings, mission::orderStringIndex(0, region, 2), 0, 64),
        "Strike the depot");

    auto& waypoints = open(app::cmd::Waypoints, app::form::Waypoints);
    const int en = at(sg::startPointOffset(1) + 6);
    widget<QCheckBox>(waypoints, "sp2.enabled")->click();
    EXPECT_EQ(at(sg::startPointOffset(1) + 6), en == 1 ? 0 : 1);
    type(waypoints, "sp1.x.lo", "-2");
    EXPECT_EQ(at(sg::startPointOffset(0)), 254);

    auto& goals = open(app::cmd::Goals, app::form::Goals);
    const int g = sg::goalOffset(0);
    editor.store.setByte(Table::Shipgroups, 0, g + 4, 1);
    goals.refresh();
    widget<QSlider>(goals, "slider")->setValue(6);
    EXPECT_EQ(at(g + 3), 6);
    EXPECT_EQ(widget<QLabel>(goals, "points")->text(), "150");
    choose(goals, "condition", 2);
    EXPECT_EQ(at(g + 1), 2);
    widget<QCheckBox>(goals, "enabled")->click();
    EXPECT_EQ(at(g + 4), 0);
    EXPECT_FALSE(widget<QComboBox>(goals, "condition")->isEnabled());

    auto& advanced = open(app::cmd::Advanced, app::form::Advanced);
    choose(advanced, "globalUnit", 4);
    EXPECT_EQ(at(sg::globalUnit), 4);
    EXPECT_TRUE(widget<QCheckBox>(advanced, "numbered")->isChecked());
    const int cargo = at(sg::specialCargoIndex);
    widget<QCheckBox>(advanced, "noCargo")->click();
    EXPECT_EQ(at(sg::specialCargoIndex), cargo == 255 ? 0 : 255);

    auto& options = open(app::cmd::Options, app::form::Options);
    auto* warheads = widget<QListWidget>(options, "warheads");
    warheads->clearSelection();
    warheads->item(2)->setSelected(true);
    warheads->item(7)->setSelected(true);
    EXPECT_EQ(at(sg::optionalWarheads), 3);
    EXPECT_EQ(at(sg::optionalWarheads + 1), 8);
    EXPECT_EQ(at(sg::optionalWarheads + 2), 0);
    choose(options, "mode", 4);
    EXPECT_EQ(at(sg::optionalShipMode), 4);
    row(options, "lines", 2);
    choose(options, "count", 9);
    EXPECT_EQ(at(sg::optionalShipCount + 2), 9);

    // Saved through the window: the file holds the edits.
    frame->updateCommandStates();
    frame->action(app::cmd::Save)->trigger();
    std::ifstream in(m_path, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    mission::MissionStore back;
    mission::resetToNewMission(back);
    mission::readMission(file, back);
    EXPECT_EQ(back.byte(Table::Shipgroups, 0, sg::optionalShipCount + 2), 9);
    EXPECT_EQ(back.byte(Table::Shipgroups, 0, sg::globalUnit), 4);
    EXPECT_EQ(back.byte(Table::Shipgroups, 0, o), 7);
}
