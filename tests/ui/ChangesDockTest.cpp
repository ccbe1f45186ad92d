// The Changes panel in the window: beside Problems in the View menu, the rows after an edit
// through a form, a double-click that opens the form, Revert This Change and File > Compare With.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "WindowFixture.h"
#include "core/ActionGroups.h"
#include "shipgroup/ShipgroupList.h"
#include "ui/ChangesDock.h"

using namespace quendar;

namespace {

class ChangesDock : public test::WindowTest {};

TEST_F(ChangesDock, AnEditShowsGoesThereRevertsAndCompares) {
    writePreferences();
    ui::CMainFrame& frame = makeFrame();
    frame.startUp();
    frame.show();
    ASSERT_TRUE(frame.openMissionPath(copySample("lantern-run.tie"), false));
    ui::ChangesDock* dock = frame.changesDock();
    ASSERT_TRUE(dock);
    EXPECT_FALSE(dock->isVisible());
    const auto* view = qobject_cast<QMenu*>(dock->toggleViewAction()->associatedObjects().value(0));
    EXPECT_TRUE(view && view->title() == "&View");
    dock->toggleViewAction()->trigger();
    EXPECT_EQ(dock->reference()->text(), "Changes since lantern-run.tie was saved");
    EXPECT_EQ(dock->list()->count(), 0);

    frame.logic().openModeless(app::form::Basic);
    ui::FormDialog* basic = frame.forms().dialog(app::form::Basic);
    ASSERT_TRUE(basic);
    type(*basic, "name", "Red Beacon");
    frame.forms().close(app::form::Basic);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dock->list()->count() == 1; }, 3000));
    EXPECT_EQ(
        dock->list()->item(0)->text(),
        QString::fromUtf8(R"(shipgroups[0] "Red Beacon" .name: "Red Lantern" → "Red Beacon")"));

    dock->activate(0);
    EXPECT_TRUE(frame.forms().isOpen(app::form::Basic));
    dock->list()->setCurrentRow(0);
    ASSERT_TRUE(dock->revertButton()->isEnabled());
    dock->revertButton()->click();
    EXPECT_EQ(dock->list()->count(), 0);
    EXPECT_EQ(editor.store.text(mission::Table::Shipgroups, 0, 0, 20), "Red Lantern");

    chooser.opens.push_back(QUENDAR_DATA_DIR "/samples/lantern-run.tie");
    frame.compareWithAction()->trigger();
    EXPECT_EQ(dock->reference()->text(),
              "Compared with " QUENDAR_DATA_DIR "/samples/lantern-run.tie");
    EXPECT_EQ(dock->list()->count(), 0);
    // A removed shipgroup is listed but not put back from here.
    {
        core::ActionScope scope(editor.journal, "Delete");
        shipgroup::removeShipgroup(editor.store, 9);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return dock->list()->count() > 0; }, 3000));
    dock->list()->setCurrentRow(dock->list()->count() - 1);
    EXPECT_TRUE(dock->list()->currentItem()->text().endsWith(": removed"));
    EXPECT_FALSE(dock->revertButton()->isEnabled());
}

}  // namespace
