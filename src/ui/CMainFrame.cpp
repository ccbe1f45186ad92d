#include "ui/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <utility>

#include "app/files/FileCommands.h"
#include "app/files/PreferencesFile.h"
#include "app/frame/FormWiring.h"
#include "briefing/BriefingView.h"
#include "map/BriefingPictures.h"
#include "map/IconImages.h"
#include "map/MapDisplayForms.h"
#include "mission/ShipgroupRecord.h"
#include "ui/CSliderBar.h"
#include "ui/ChangesDock.h"
#include "ui/FlowDock.h"
#include "ui/FrameSettings.h"
#include "ui/MapWindow.h"
#include "ui/OrdersWizardWindow.h"
#include "ui/ProblemsDock.h"
#include "ui/QtClipboard.h"
#include "ui/QtPlaybackTimer.h"
#include "ui/QtSettleClock.h"
#include "ui/StartPictures.h"
#include "ui/TextConversions.h"
#include "ui/ToolbarIcons.h"

namespace quendar::ui {

using app::Pane;

// Every service the frame logic delegates. A mission opened or written goes
// to the front of the recent missions.
class CMainFrame::Services final : public app::FrameServices {
  public:
    explicit Services(CMainFrame& frame)
        : m_frame(frame),
          m_editor(frame.m_editor),
          m_prompter(frame.m_prompter),
          m_prefs(frame.m_folder.preferencesFile()) {}

    bool provides(app::Service) const override { return true; }
    bool readPreferences() override {
        return app::readPreferencesFile(m_prefs, m_editor.settings).status ==
               app::PreferencesStatus::Loaded;
    }
    void writePreferences() override {
        app::writePreferencesFile(m_prefs, m_editor.settings, m_prompter);
    }
    // The same reset as New, without its question (craft list included).
    void resetMission() override { app::newMission(m_editor, m_prompter, false); }
    bool newMission(bool ask) override { return app::newMission(m_editor, m_prompter, ask); }
    bool openMission() override {
        return recent(app::openMission(m_editor, m_prompter, m_frame.m_chooser));
    }
    bool openMissionPath(const std::string& path) override {
        return recent(app::openMissionPath(m_editor, m_prompter, path));
    }
    bool saveMission() override {
        return recent(
            app::saveMission(m_editor, m_prompter, m_frame.m_formWiring->checksBeforeSave()));
    }
    bool saveMissionAs() override {
        return recent(app::saveMissionAs(m_editor, m_prompter, m_frame.m_chooser,
                                         m_frame.m_formWiring->checksBeforeSave()));
    }
    std::string windowTitle() override { return app::windowTitle(m_editor); }
    bool offerRecovery() override {
        return m_frame.m_recovery && m_frame.m_recovery->offerLeftovers(m_prompter);
    }
    std::unique_ptr<core::FormModel> coordinatesForm() override {
        return std::make_unique<map::CoordinatesPropertiesForm>(m_editor.settings);
    }
    std::unique_ptr<core::FormModel> mapPropertiesForm() override {
        return std::make_unique<map::MapPropertiesForm>(m_editor.settings, m_editor.mapView);
    }
    std::unique_ptr<core::FormModel> axisForm() override {
        return std::make_unique<map::AxisPropertiesForm>(m_editor.settings);
    }

  private:
    bool recent(bool ok) {
        m_frame.noteRecent(ok);
        return ok;
    }

    CMainFrame& m_frame;
    app::Editor& m_editor;
    core::Prompter& m_prompter;
    const std::string m_prefs;
};

CMainFrame::CMainFrame(app::Editor& editor, FrameOptions options)
    : m_editor(editor),
      m_options(std::move(options)),
      m_folder(m_options.dataDir),
      m_qtPrompter(this),
      m_qtChooser(this),
      m_prompter(m_options.prompter ? *m_options.prompter : m_qtPrompter),
      m_chooser(m_options.chooser ? *m_options.chooser : m_qtChooser),
      m_forms(this) {
    setWindowTitle(app::kStartTitle);
    setAcceptDrops(true);
    m_forms.actionGroups = &m_editor.journal;
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);

    // The map pane starts from the map defaults; its icons load at start-up.
    m_renderer = std::make_unique<map::MapRenderer>(m_editor.icons);
    m_briefingLayer = std::make_unique<map::BriefingLayer>(m_editor.icons);
    m_mapWindow = new MapWindow(m_editor.mapView, this);
    m_mapWindow->paintMap = [this](QPainter& p, const QSize& s) { paintMap(p, s); };
    setCentralWidget(m_mapWindow);
    setFocusProxy(m_mapWindow);  // the frame passes the keyboard focus to the map

    m_editor.craftListPath = m_folder.dataFile("SHIPLIST.TXT");
    m_port = std::make_unique<app::MapViewPort>(m_editor.mapView, m_editor.viewSwitches,
                                                m_editor.settings, m_editor.briefing.playback(),
                                                &m_editor.briefing);
    m_mapWindow->lockEngaged = [this] { return m_port->lockEngaged(); };
    m_services = std::make_unique<Services>(*this);
    m_logic = std::make_unique<app::FrameLogic>(m_editor, m_commands, *this, *m_port, m_prompter,
                                                *m_services);
    // The briefing tools ask the lock's hint for the briefing bar.
    m_briefingTools =
        std::make_unique<app::BriefingTools>(m_editor, m_prompter, *this, *m_logic, *m_logic);
    m_playTimer = std::make_unique<QtPlaybackTimer>(this);
    m_briefingBar = std::make_unique<app::BriefingBar>(m_editor, m_commands, *this, *m_port,
                                                       *m_logic, *m_playTimer, *m_briefingTools);
    m_playTimer->onTick = [this] { m_briefingBar->tick(); };
    m_briefingDialogs = std::make_unique<app::BriefingDialogs>(m_editor, m_commands, *this, *m_port,
                                                               *m_logic, m_prompter);
    // The mouse on the map goes to the map tools; the window only translates.
    // In briefing mode the clicks go on to the briefing tools.
    m_briefingTools->bindCommands(m_commands);
    m_mapListener = mapListener();  // the frame logic, and the right click's menu (FrameFlow.cpp)
    m_mapTools = std::make_unique<app::MapTools>(m_editor, m_prompter, *this, *m_mapListener,
                                                 *m_briefingTools);
    m_mapTools->bindCommands(m_commands);
    m_mapWindow->pointer = [this](const map::PointerEvent& e) { m_mapTools->pointer(e); };
    m_mapWindow->key = [this](app::MapKey k, bool shift, uint64_t time) {
        return m_mapTools->key(k, shift, time);
    };
    m_mapWindow->keyReleased = [this](uint64_t time) { m_mapTools->keyReleased(time); };
    m_mapWindow->tooltipAt = [this](int x, int y) {
        return m_mapTools->selection().tooltipAt(x, y);
    };
    m_clipboard = std::make_unique<QtClipboard>();
    m_shipgroupClipboard = std::make_unique<app::ShipgroupClipboard>(
        m_editor, m_mapTools->selection(), m_prompter, *m_clipboard, m_messagePane);
    m_shipgroupClipboard->bindCommands(m_commands);
    m_mapWindow->pasteAt = [this](int x, int y) {
        if (m_shipgroupClipboard->pasteAt(x, y)) repaintMap();
    };
    m_mapWindow->dragging = [this] { return m_mapTools->dragTimerWanted(); };
    m_mapWindow->dragTick = [this] { m_mapTools->tick(); };
    m_mapWindow->cursorShape = [this] { return m_mapTools->cursor(); };
    m_commands.bind(app::cmd::Info, [this] { showAbout(); });
    m_formWiring = std::make_unique<app::FormWiring>(*m_logic, m_editor, m_prompter);

    buildActions();
    buildMenus();
    buildToolbars();
    buildStatusBar();
    m_lintClock = std::make_unique<QtSettleClock>(this);
    m_changesClock = std::make_unique<QtSettleClock>(this);
    m_panels = std::make_unique<app::PanelWiring>(m_editor, *m_logic, *m_port, *this, *m_lintClock,
                                                  *m_changesClock);
    m_problems = &m_panels->problems();
    m_changes = &m_panels->changes();
    buildProblemsPanel();
    buildChangesPanel();
    buildAnimationExport();
    buildFlowView();
    // Room for the map toolbar and the control bar on their rows.
    QSize size(1280, 860);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size);

    // The time slider asks the briefing playback for each move.
    m_sliderBar->input = [this](app::SliderRequest r, int p) {
        return m_logic->timeSliderInput(r, p);
    };

    // Enable and check marks follow the rules while the program idles.
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, &CMainFrame::updateCommandStates);
    idle->start(150);
    updateCommandStates();

    // While the mission is modified, a copy of it is kept for the next start
    // after a crash; each tick returns at once (the writing has its thread).
    if (!m_options.recoveryFolder.empty()) {
        m_recovery =
            std::make_unique<app::Recovery>(m_editor, m_messagePane, m_options.recoveryFolder);
        auto* keep = new QTimer(this);
        connect(keep, &QTimer::timeout, this, [this] { m_recovery->tick(); });
        keep->start(2000);
    }
}

CMainFrame::~CMainFrame() {
    // The recovery file goes first, while the window it reports to is whole.
    m_recovery.reset();
    // The dock shows the panel model, which goes before the window's children.
    delete m_problemsDock;
    delete m_changesDock;
    delete m_flowDock;
    delete m_referencesDock;
}

// --- building ---------------------------------------------------------------------

void CMainFrame::buildActions() {
    for (const app::Command& c : m_commands.commands()) {
        QString text = fromLatin(c.menuText.empty() ? c.tooltip : c.menuText);
        auto* a = new QAction(text, this);
        a->setToolTip(fromLatin(c.tooltip));
        a->setStatusTip(fromLatin(c.prompt));
        if (!c.shortcut.empty())
            a->setShortcuts(QKeySequence::listFromString(fromLatin(c.shortcut)));
        const app::CommandId id = c.id;
        connect(a, &QAction::triggered, this, [this, id] {
            m_commands.execute(id);
            updateCommandStates();
        });
        addAction(a);  // shortcuts work while the menu bar is hidden too
        m_actions[id] = a;
    }
}

namespace {
void fillMenu(QMenu* menu, const std::vector<app::MenuEntry>& entries,
              const std::map<app::CommandId, QAction*>& actions) {
    for (const auto& e : entries) {
        if (e.separator) {
            menu->addSeparator();
        } else if (e.isSubmenu()) {
            fillMenu(menu->addMenu(fromLatin(e.text)), e.children, actions);
        } else if (auto it = actions.find(e.id); it != actions.end()) {
            menu->addAction(it->second);
        }
    }
}
}  // namespace

void CMainFrame::buildMenus() {
    QMenu* fileMenu = nullptr;
    for (const auto& top : m_commands.menus()) {
        QMenu* menu = menuBar()->addMenu(fromLatin(top.text));
        fillMenu(menu, top.children, m_actions);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
        if (!fileMenu) fileMenu = menu;
    }
    // The recent missions sit above Exit, between separators of their own.
    QAction* exit = action(app::cmd::Exit);
    if (fileMenu && exit) {
        auto* recent = new QMenu("Recent &Missions", fileMenu);
        recent->setObjectName("recentMissions");
        fileMenu->insertMenu(exit, recent);
        fileMenu->insertSeparator(exit);
        m_recent = new RecentMenu(m_options.settingsFile, recent, this);
        m_recent->open = [this](const std::string& path) { openMissionPath(path, true); };
    }
}

void CMainFrame::noteRecent(bool ok) {
    if (ok && m_recent && !m_editor.store.missionPath.empty())
        m_recent->add(m_editor.store.missionPath);
}

bool CMainFrame::restoreLayout() { return restoreWindowLayout(m_options.settingsFile, *this); }

void CMainFrame::buildToolbars() {
    // Created in the frame's order; placed as the layout says.
    for (const app::ToolbarDef& bar : m_commands.toolbars()) {
        QToolBar* tb = bar.id == app::kBriefingCommandsBar
                           ? (m_sliderBar = new CSliderBar(fromLatin(bar.title), this))
                           : new QToolBar(fromLatin(bar.title), this);
        tb->setObjectName(QString("toolbar%1").arg(bar.id));
        tb->setAllowedAreas(Qt::AllToolBarAreas);
        // Buttons are drawn half again as large as the old 16 x 15 cells, so
        // the pictures read at a glance; the wide word buttons grow less.
        const int w = bar.buttonWidth > 2 * bar.buttonHeight ? bar.buttonWidth * 5 / 4
                                                             : bar.buttonWidth * 3 / 2;
        const QSize icon(w, bar.buttonHeight * 3 / 2);
        tb->setIconSize(icon);
        for (const app::ToolbarItem& item : bar.items) {
            if (item.slot == app::Slot::Separator) {
                tb->addSeparator();
            } else if (item.slot == app::Slot::ShipgroupSelector) {
                m_selector = new QComboBox(tb);
                m_selector->setObjectName("shipgroupSelector");
                m_selector->setFixedWidth(app::kSelectorWidth * 3 / 2);
                m_selector->setToolTip("Current shipgroup");
                connect(m_selector, &QComboBox::activated, this,
                        [this](int i) { m_logic->selectShipgroup(i); });
                tb->addWidget(m_selector);
            } else if (item.slot == app::Slot::TimeSlider) {
                m_sliderBar->slider()->setFixedWidth(app::kSliderWidth);
                tb->addWidget(m_sliderBar->slider());
            } else if (QAction* a = action(item.command)) {
                a->setIcon(toolbarIcon(item.command, icon.width(), icon.height()));
                tb->addAction(a);
            }
        }
        m_toolbars[bar.id] = tb;
    }
    auto area = [](app::Dock d) {
        switch (d) {
            case app::Dock::Top: return Qt::TopToolBarArea;
            case app::Dock::Bottom: return Qt::BottomToolBarArea;
            case app::Dock::Left: return Qt::LeftToolBarArea;
            case app::Dock::Right: return Qt::RightToolBarArea;
        }
        return Qt::TopToolBarArea;
    };
    // 128 and 145 share the first top row, the control bar has its own; at
    // the bottom 153 sits left of 147, and the slider bar below them.
    for (int id :
         {app::kMapToolbar, app::kBriefingToolsBar, app::kBriefingCommandsBar, app::kControlBar}) {
        const app::ToolbarDef* bar = m_commands.toolbar(id);
        if (id == app::kControlBar) addToolBarBreak(Qt::TopToolBarArea);
        if (id == app::kBriefingCommandsBar) addToolBarBreak(Qt::BottomToolBarArea);
        addToolBar(area(bar->dock), m_toolbars[id]);
    }
    for (int id : {app::kSelectorBar, app::kBriefingEditBar}) {
        const app::ToolbarDef* bar = m_commands.toolbar(id);
        insertToolBar(m_toolbars[bar->leftOf], m_toolbars[id]);
    }
    for (const app::ToolbarDef& bar : m_commands.toolbars())
        if (!bar.visible) m_toolbars[bar.id]->hide();
}

void CMainFrame::buildStatusBar() {
    auto* bar = statusBar();
    auto add = [&](Pane p, const QString& name, int width, bool permanent) {
        auto* l = plainLabel({}, this);
        l->setObjectName(name);
        l->setMinimumWidth(width);
        l->setFrameShape(QFrame::StyledPanel);
        if (permanent)
            bar->addPermanentWidget(l);
        else
            bar->addWidget(l, 1);
        if (p != Pane::Message || !permanent) m_panes[p] = l;
        return l;
    };
    add(Pane::Message, "messagePane", 200, false)->setText("Ready");
    add(Pane::PositionX, "Position X", 60, true);
    add(Pane::PositionY, "Position Y", 60, true);
    add(Pane::BrTime, "Br Time", 70, true);
    add(Pane::CurrentCommand, "Current Briefing Command", 160, true);
    for (const char* key : {"CAP", "NUM", "SCRL"}) {
        auto* l = new QLabel(key, this);
        l->setEnabled(false);
        bar->addPermanentWidget(l);
    }
}

// --- start-up and commands ---------------------------------------------------------

bool CMainFrame::startUp() {
    QPointer<SplashForm> splash;
    if (m_options.showSplash) {
        splash =
            new SplashForm(nullptr, m_options.splashPicture ? m_options.splashPicture() : QImage());
        splash->show();
    }
    // The map window's icons (a missing or damaged file is reported; the map
    // then draws without craft pictures).
    m_editor.icons.loadFile(m_folder.dataFile(map::kIconFileName)).report(m_prompter);
    m_renderer->iconsChanged();
    m_briefingLayer->iconsChanged();
    // The briefing pictures are drawn before the first paint in briefing mode.
    m_briefingPicturesWanted = m_editor.icons.available();
    m_logic->startUp();
    m_mapWindow->sizeNotification();
    updateCommandStates();
    if (splash) splash->finish();
    const bool restored = m_logic->offerRecovery();
    if (restored) updateCommandStates();
    return restored;
}

bool CMainFrame::openMissionPath(const std::string& path, bool ask) {
    const bool ok = m_logic->openPath(path, ask);
    updateCommandStates();
    return ok;
}

void CMainFrame::updateCommandStates() {
    for (const app::Command& c : m_commands.commands()) {
        QAction* a = action(c.id);
        if (!a) continue;
        a->setEnabled(c.isEnabled());
        if (c.currentText) a->setText(fromLatin(c.shownText()));
        a->setCheckable(c.checkable());
        if (c.checkable()) a->setChecked(c.isChecked());
    }
}

QToolBar* CMainFrame::toolbar(int id) const {
    auto it = m_toolbars.find(id);
    return it == m_toolbars.end() ? nullptr : it->second;
}

QAction* CMainFrame::action(app::CommandId id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QLabel* CMainFrame::pane(Pane p) const {
    auto it = m_panes.find(p);
    return it == m_panes.end() ? nullptr : it->second;
}

// The map is painted into the window's kept picture, which then goes on screen.
void CMainFrame::paintMap(QPainter& p, const QSize& size) {
    if (size.isEmpty()) return;
    map::PaintInput in{m_editor.store, m_editor.settings, m_editor.mapView, m_editor.viewSwitches,
                       nullptr};
    // In briefing mode the briefing at its current time, worked out afresh.
    briefing::BriefingView view;
    map::BriefingFrame frame;
    if (m_editor.viewSwitches.briefingMode) {
        if (std::exchange(m_briefingPicturesWanted, false))
            m_renderer->setBriefingPictures(map::technicalDataPicture(),
                                            map::regionChangePicture());
        view = briefing::briefingViewAt(m_editor.briefing, m_editor.briefing.currentTime());
        frame = m_briefingLayer->frame(view, m_editor.store, m_editor.mapView);
        in.briefing = &frame;
    }
    const map::SelectionMarks marks = m_mapTools->selection().marks();
    in.selection = &marks;
    const QImage& picture = m_mapWindow->frame().paint(*m_renderer, in, size);
    if (picture.isNull())  // no memory for the map's picture
        p.fillRect(QRect(QPoint(0, 0), size), Qt::black);
    else
        p.drawImage(0, 0, picture);
}

void CMainFrame::showAbout() {
    QDialog box(this);
    box.setWindowTitle("Vexion Mission Editor");
    auto* lay = new QVBoxLayout(&box);
    auto* top = new QLabel(&box);
    top->setPixmap(QPixmap::fromImage(splashImage()));
    lay->addWidget(top);
    auto* text = new QLabel("Quendar - Vexion Mission Editor", &box);
    text->setAlignment(Qt::AlignCenter);
    lay->addWidget(text);
    box.exec();
}

// --- app::FrameView ----------------------------------------------------------------

void CMainFrame::setTitle(const std::string& title) { setWindowTitle(fromMixed(title)); }

bool CMainFrame::isToolbarVisible(int id) const {
    QToolBar* tb = toolbar(id);
    return tb && !tb->isHidden();
}

void CMainFrame::setToolbarVisible(int id, bool visible) {
    if (QToolBar* tb = toolbar(id)) tb->setVisible(visible);
}

bool CMainFrame::isStatusBarVisible() const { return !statusBar()->isHidden(); }
void CMainFrame::setStatusBarVisible(bool visible) { statusBar()->setVisible(visible); }

void CMainFrame::setPaneText(Pane p, const std::string& text) {
    if (QLabel* l = pane(p)) l->setText(fromLatin(text));
}

void CMainFrame::fillSelector(const std::vector<std::string>& names, int current) {
    const QSignalBlocker block(m_selector);
    m_selector->clear();
    for (const auto& n : names) m_selector->addItem(fromLatin(n));
    m_selector->setCurrentIndex(current < m_selector->count() ? current : -1);
}

void CMainFrame::selectInSelector(int index) {
    const QSignalBlocker block(m_selector);
    m_selector->setCurrentIndex(index < m_selector->count() ? index : -1);
}

void CMainFrame::appendToSelector(const std::string& name) {
    const QSignalBlocker block(m_selector);
    m_selector->addItem(fromLatin(name));
}

void CMainFrame::replaceInSelector(int index, const std::string& name) {
    if (index < 0 || index >= m_selector->count()) return;
    const QSignalBlocker block(m_selector);
    m_selector->removeItem(index);
    m_selector->insertItem(index, fromLatin(name));
    m_selector->setCurrentIndex(index);
}

void CMainFrame::showBriefingTime(int time, int endTime) {
    m_sliderBar->setEndTime(endTime);
    m_sliderBar->showTime(time);
}

void CMainFrame::repaintMap() {
    // The briefing view may have moved the map: the scroll bars follow.
    if (m_editor.viewSwitches.briefingMode) m_mapWindow->syncScrollBars();
    m_mapWindow->viewport()->update();
}
void CMainFrame::mapSizeChanged() { m_mapWindow->sizeNotification(); }
void CMainFrame::mapScrollChanged() { m_mapWindow->syncScrollBars(); }

bool CMainFrame::runModal(core::FormModel& form) { return m_forms.runModal(form); }

void CMainFrame::showModeless(app::FormKey key, std::shared_ptr<core::FormModel> form) {
    auto* wizard = dynamic_cast<shipgroup::OrdersWizard*>(form.get());
    FormDialog* dlg = m_forms.showModeless(key, std::move(form));
    // Its own window: Undo and Redo reach it as the main window's keys.
    if (dlg)
        for (app::CommandId id : {app::cmd::Undo, app::cmd::Redo})
            if (auto it = m_actions.find(id); it != m_actions.end()) dlg->addAction(it->second);
    // The custom-drawn wizard has no controls: its surface fills the dialog.
    if (wizard && dlg && dlg->layout())
        dlg->layout()->addWidget(new OrdersWizardWindow(*wizard, dlg));
}

void CMainFrame::closeModeless(app::FormKey key) { m_forms.close(key); }

core::FormModel* CMainFrame::openForm(app::FormKey key) { return m_forms.model(key); }

void CMainFrame::showFirstRunPicture() {
    FirstRunPicture picture(this);
    if (pictureHook) QTimer::singleShot(0, &picture, [this, &picture] { pictureHook(picture); });
    picture.exec();
}

// --- window events -------------------------------------------------------------------

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) m_logic->windowActivated();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_logic->confirmClose()) {
        saveWindowLayout(m_options.settingsFile, *this);
        m_forms.hideAll();
        event->accept();
    } else {
        event->ignore();
    }
}

namespace {
QString droppedMission(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls()) {
        const QString path = url.toLocalFile();
        if (path.endsWith(".tie", Qt::CaseInsensitive)) return path;
    }
    return {};
}
}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedMission(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = droppedMission(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // After the drop has finished: the confirmation is a modal box.
    QTimer::singleShot(0, this, [this, path] { openMissionPath(toPath(path), true); });
}

}  // namespace quendar::ui
