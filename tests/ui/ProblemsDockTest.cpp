// The Problems panel in the window: a reference broken through a form shows
// in the status bar count, a double-click opens the form, the fix and Undo.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "WindowFixture.h"
#include "ui/ProblemsDock.h"

using namespace quendar;

namespace {

class ProblemsDock : public test::WindowTest {};

TEST_F(ProblemsDock, BreakThroughAFormSeeTheCountGoThereFixAndUndo) {
    writePreferences();
    {
        ui::CMainFrame& frame = makeFrame();
        frame.startUp();
        frame.show();
        QCoreApplication::processEvents();

        ui::ProblemsDock* dock = frame.problemsDock();
        QPushButton* count = frame.problemCount();
        ASSERT_TRUE(dock && count);
        EXPECT_FALSE(dock->isVisible()) << "hidden until asked for";
        EXPECT_EQ(count->text(), "No problems");
        const auto* view =
            qobject_cast<QMenu*>(dock->toggleViewAction()->associatedObjects().value(0));
        EXPECT_TRUE(view && view->title() == "&View");

        // The only shipgroup arrives from a hangar: its own (mothership 0).
        frame.logic().openModeless(app::form::Arrival);
        ui::FormDialog* arrival = frame.forms().dialog(app::form::Arrival);
        ASSERT_TRUE(arrival);
        auto* method = qobject_cast<QComboBox*>(arrival->widgetFor("method1"));
        ASSERT_TRUE(method);
        method->setCurrentIndex(1);
        Q_EMIT method->activated(1);  // what a pick from the list sends
        EXPECT_EQ(editor.store.byte(mission::Table::Shipgroups, 0, 195), 1);
        EXPECT_TRUE(frame.problems().stale());
        EXPECT_TRUE(QTest::qWaitFor([&] { return count->text() == "1 error, 0 warnings"; }, 3000))
            << count->text().toStdString();

        count->click();
        EXPECT_TRUE(dock->isVisible());
        ASSERT_EQ(dock->list()->topLevelItemCount(), 1);
        EXPECT_EQ(dock->list()->topLevelItem(0)->text(0), "Q104");
        EXPECT_EQ(dock->list()->topLevelItem(0)->text(2),
                  "shipgroup #0 \"Noname\" arrival.mothership1");

        // Going there opens the Arrival form again (a fresh window).
        frame.forms().close(app::form::Arrival);
        dock->activate(0);
        EXPECT_TRUE(frame.forms().isOpen(app::form::Arrival));

        dock->list()->setCurrentItem(dock->list()->topLevelItem(0));
        EXPECT_TRUE(dock->fixButton()->isEnabled());
        EXPECT_EQ(dock->fixButton()->text(), "Set the method to hyperspace");
        dock->fixButton()->click();
        EXPECT_EQ(count->text(), "No problems");
        EXPECT_EQ(dock->list()->topLevelItemCount(), 0);
        EXPECT_EQ(editor.journal.undoName(), "Set the method to hyperspace");
        arrival = frame.forms().dialog(app::form::Arrival);
        ASSERT_TRUE(arrival);
        EXPECT_EQ(qobject_cast<QComboBox*>(arrival->widgetFor("method1"))->currentIndex(), 0)
            << "the open form shows the fix";

        frame.updateCommandStates();
        frame.action(app::cmd::Undo)->trigger();
        EXPECT_TRUE(QTest::qWaitFor([&] { return count->text() == "1 error, 0 warnings"; }, 3000));
        EXPECT_EQ(dock->list()->topLevelItemCount(), 1);
    }
}

}  // namespace
