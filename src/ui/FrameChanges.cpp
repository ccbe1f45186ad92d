// The main frame's part of the Changes panel: the dock beside Problems, its
// View menu item, File > Compare With and the settle timer.
#include <QMenuBar>
#include <QTimer>

#include "app/files/FileCommands.h"
#include "ui/CMainFrame.h"
#include "ui/ChangesDock.h"
#include "ui/FormBinder.h"
#include "ui/ProblemsDock.h"
#include "ui/QtSettleClock.h"

namespace quendar::ui {

namespace {

QMenu* topMenu(QMenuBar* bar, const QString& title) {
    for (QAction* top : bar->actions())
        if (top->menu() && top->text() == title) return top->menu();
    return nullptr;
}

}  // namespace

void CMainFrame::buildChangesPanel() {
    // The list is looked at only while it is on screen; a hidden panel stays
    // stale until it is shown.
    connect(m_changesClock->timer(), &QTimer::timeout, this, [this] {
        if (m_changesDock->isVisible()) m_changes->tick();
    });

    m_changesDock = new ChangesDock(*m_changes, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_changesDock);
    tabifyDockWidget(m_problemsDock, m_changesDock);
    m_changesDock->hide();
    connect(m_changesDock, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        if (shown && m_changes->stale()) m_changes->refresh();
    });
    QAction* toggle = m_changesDock->toggleViewAction();
    toggle->setText("&Changes");
    toggle->setStatusTip("Show or hide the changes since the mission was saved");
    if (QMenu* view = topMenu(menuBar(), "&View")) view->addAction(toggle);

    m_compareWith = new QAction("Compare &With...", this);
    m_compareWith->setObjectName("compareWith");
    m_compareWith->setStatusTip(
        "Show the differences between the mission and another mission file");
    connect(m_compareWith, &QAction::triggered, this, [this] {
        const auto path = m_chooser.chooseOpen(app::missionDialogRequest(m_editor, false));
        if (!path) return;
        if (!m_changes->compareWith(*path)) {
            m_prompter.tell("Cannot read " + *path, "Compare With", core::Icon::Error);
            return;
        }
        m_changesDock->show();
        m_changesDock->raise();
    });
    if (QMenu* file = topMenu(menuBar(), "&File")) {
        QAction* before = nullptr;
        const auto actions = file->actions();
        for (int i = 0; i + 1 < actions.size(); ++i)
            if (actions[i]->text().startsWith("Save &as")) before = actions[i + 1];
        file->insertAction(before, m_compareWith);
    }
}

}  // namespace quendar::ui
