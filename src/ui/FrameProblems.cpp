// The main frame's part of the Problems panel: the dock below the map, its
// View menu item, the count in the status bar and the settle timer.
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "ui/CMainFrame.h"
#include "ui/ProblemsDock.h"
#include "ui/QtSettleClock.h"
#include "ui/TextConversions.h"

namespace quendar::ui {

void CMainFrame::buildProblemsPanel() {
    connect(m_lintClock->timer(), &QTimer::timeout, this, [this] { m_problems->tick(); });

    m_problemsDock = new ProblemsDock(*m_problems, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_problemsDock);
    m_problemsDock->hide();
    QAction* toggle = m_problemsDock->toggleViewAction();
    toggle->setText("&Problems");
    toggle->setStatusTip("Show or hide the problems of the mission");
    for (QAction* top : menuBar()->actions())
        if (top->menu() && top->text() == "&View") top->menu()->addAction(toggle);

    m_problemCount = new QPushButton(this);
    m_problemCount->setObjectName("problemCount");
    m_problemCount->setFlat(true);
    m_problemCount->setToolTip("Open the Problems panel");
    statusBar()->addPermanentWidget(m_problemCount);
    connect(m_problemCount, &QPushButton::clicked, this, [this] {
        m_problemsDock->show();
        m_problemsDock->raise();
    });
    auto recount = [this] { m_problemCount->setText(fromLatin(m_problems->countsText())); };
    m_problemCountConn = m_problems->changed.connect(recount);
    m_problems->refresh();
}

}  // namespace quendar::ui
