// The main frame's part of the Problems panel: the dock below the map, its
// View menu item, the count in the status bar and the settle timer.
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "ui/CMainFrame.h"
#include "ui/ProblemsDock.h"
#include "ui/TextConversions.h"

namespace quendar::ui {

void CMainFrame::buildProblemsPanel() {
    m_lintTimer = new QTimer(this);
    m_lintTimer->setSingleShot(true);
    connect(m_lintTimer, &QTimer::timeout, this, [this] { m_problems->tick(); });

    app::ProblemHooks hooks;
    hooks.selectShipgroup = [this](int i) {
        if (m_port->briefingMode()) m_logic->leaveBriefingMode();
        m_logic->selectShipgroup(i);
    };
    hooks.setRegion = [this](int r) {
        if (m_port->briefingMode()) return;
        m_port->setRegion(r);
        repaintMap();
    };
    hooks.openForm = [this](app::FormKey key) {
        m_logic->openModeless(key);
        return m_forms.model(key);
    };
    hooks.runCommand = [this](app::CommandId id,
                              const std::function<void(core::FormModel&)>& prepare) {
        m_logic->runCommandWith(id, prepare);
    };
    hooks.showBriefing = [this] {
        if (!m_port->briefingMode()) m_logic->enterBriefingMode();
        m_logic->refreshBriefingTime();
        if (m_port->briefingMode()) m_port->applyBriefingView();
        repaintMap();
    };
    hooks.rereadViews = [this] { m_logic->rereadViews(); };
    hooks.schedule = [this](int64_t ms) { m_lintTimer->start(static_cast<int>(ms)); };
    m_problems = std::make_unique<app::ProblemsPanel>(m_editor, std::move(hooks));

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
