// The main frame's part of the mission's logic: the Mission Flow dock (laid out
// by Graphviz on a worker thread), Edit > Find References and its dock, and
// the map's right-click menu of the current shipgroup.
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "app/mapedit/MapTools.h"
#include "flow/GraphLayout.h"
#include "ui/CMainFrame.h"
#include "ui/FlowDock.h"
#include "ui/MapWindow.h"

namespace quendar::ui {

// What the view model and the references list ask of the frame.
class CMainFrame::FlowPortImpl : public app::FlowPort {
  public:
    explicit FlowPortImpl(CMainFrame& frame) : m_frame(frame) {}
    void selectShipgroup(int index) override { m_frame.m_panels->showShipgroup(index); }
    void goTo(const lint::Location& where) override { m_frame.m_problems->goTo(where); }
    void findReferences(int shipgroup) override { m_frame.findReferences(shipgroup); }
    void schedule(int ms) override {
        if (!m_frame.m_flowTimer->isActive() || m_frame.m_flowTimer->remainingTime() > ms)
            m_frame.m_flowTimer->start(ms);
    }

  private:
    CMainFrame& m_frame;
};

void CMainFrame::buildFlowView() {
    m_flowTimer = new QTimer(this);
    m_flowTimer->setSingleShot(true);
    m_flowPort = std::make_unique<FlowPortImpl>(*this);
    m_flow = std::make_unique<app::FlowView>(m_editor, *m_flowPort, flow::layoutGraph);
    m_references = std::make_unique<app::ReferenceList>(m_editor, *m_flowPort);
    connect(m_flowTimer, &QTimer::timeout, this, [this] {
        // A hidden view waits: it looks again when shown.
        if (m_flowDock->isVisible() || m_flow->layoutRunning()) m_flow->tick();
    });

    m_flowDock = new FlowDock(*m_flow, this);
    addDockWidget(Qt::RightDockWidgetArea, m_flowDock);
    m_flowDock->hide();
    connect(m_flowDock, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        if (shown) m_flow->tick();
    });
    m_flowDock->picture()->nodeMenu = [this](int node, const QPoint& at) {
        const int g = m_flow->shipgroupOf(node);
        QMenu menu(this);
        menu.addAction("Find &References", [this, g] { findReferences(g); });
        menu.addAction("&Arrival...", [this, node] { m_flow->doubleClick(node); });
        menu.exec(at);
    };
    m_referencesDock = new ReferencesDock(*m_references, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_referencesDock);
    m_referencesDock->hide();
    m_referencesConn = m_editor.journal.changed.connect([this] {
        if (m_referencesDock->isVisible()) m_references->refresh();
    });

    for (QAction* top : menuBar()->actions()) {
        if (!top->menu() || top->text() != "&View") continue;
        QAction* toggle = m_flowDock->toggleViewAction();
        toggle->setText("Mission &Flow");
        toggle->setStatusTip(
            "Show or hide what waits for what in the mission, and what never happens");
        top->menu()->addAction(toggle);
    }
    m_commands.bind(
        app::cmd::FindReferences, [this] { findReferences(m_editor.store.currentShipgroup); },
        [this] { return m_editor.store.currentShipgroup < m_editor.store.shipgroupCount; });
}

// The map tools' listener: the frame logic, except that a right click on the
// current shipgroup offers its menu; anywhere else it opens Basic properties
// as before.
class CMainFrame::MapRightClick : public app::MapToolsListener {
  public:
    explicit MapRightClick(CMainFrame& frame) : m_frame(frame) {}
    void mouseMoved() override { m_frame.m_logic->mouseMoved(); }
    void reopenBasic() override { m_frame.mapRightClick(); }

  private:
    CMainFrame& m_frame;
};

std::unique_ptr<app::MapToolsListener> CMainFrame::mapListener() {
    return std::make_unique<MapRightClick>(*this);
}

void CMainFrame::mapRightClick() {
    const int at =
        m_mapTools->selection().shipgroupAt(m_editor.mapView.mouseX(), m_editor.mapView.mouseY());
    if (at < 0 || at != m_editor.store.currentShipgroup || !m_flowDock)
        return m_logic->reopenBasic();
    QMenu menu(this);
    menu.addAction("&Basic properties...", [this] { m_logic->reopenBasic(); });
    menu.addAction("Find &References", [this, at] { findReferences(at); });
    menu.addAction("Show in Mission &Flow", [this, at] {
        m_flowDock->show();
        m_flowDock->raise();
        m_flow->refresh();
        m_flowDock->reveal(at);
    });
    menu.exec(QCursor::pos());
}

void CMainFrame::findReferences(int shipgroup) {
    m_references->find(shipgroup);
    m_referencesDock->show();
    m_referencesDock->raise();
}

}  // namespace quendar::ui
