#pragma once

#include <QImage>
#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/briefedit/BriefingBar.h"
#include "app/briefedit/BriefingDialogs.h"
#include "app/briefedit/BriefingTools.h"
#include "app/changes/ChangesPanel.h"
#include "app/editor/CommandTable.h"
#include "app/editor/Editor.h"
#include "app/files/Recovery.h"
#include "app/files/WorkingFolder.h"
#include "app/flowview/FlowView.h"
#include "app/frame/FormWiring.h"
#include "app/frame/FrameLogic.h"
#include "app/frame/PanelWiring.h"
#include "app/mapedit/MapTools.h"
#include "app/mapedit/MapViewPort.h"
#include "app/mapedit/ShipgroupClipboard.h"
#include "app/problems/ProblemsPanel.h"
#include "map/BriefingLayer.h"
#include "map/IconTable.h"
#include "map/MapRenderer.h"
#include "map/MapView.h"
#include "map/ViewSwitches.h"
#include "ui/FormBinder.h"
#include "ui/QtDialogs.h"

class QAction;
class QComboBox;
class QDialog;
class QLabel;
class QPushButton;
class QTimer;
class QToolBar;

namespace quendar::ui {

class AnimationExporter;
class CSliderBar;
class FlowDock;
class ReferencesDock;
class QtPlaybackTimer;
class MapWindow;
class ProblemsDock;
class ChangesDock;
class QtSettleClock;
class RecentMenu;
class SplashForm;

struct FrameOptions {
    std::string dataDir;                  // the installed data folder (fallback for data files)
    core::Prompter* prompter = nullptr;   // tests script these; default: message boxes
    app::FileChooser* chooser = nullptr;  // default: the file dialogs
    bool showSplash = true;
    // The splash picture when it is drawn ahead (see SplashAhead); empty: drawn when shown.
    std::function<QImage()> splashPicture;
    // Where the window layout and the recent missions are kept; empty: the
    // window keeps nothing (tests).
    QString settingsFile;
    // Where the recovery files are kept (the user's state folder); empty: none (tests).
    std::string recoveryFolder;
};

// The main window: menus, six dockable toolbars, the status bar and the map
// pane, all built from the command table; the frame logic decides what they do.
class CMainFrame : public QMainWindow, public app::FrameView {
    Q_OBJECT
  public:
    CMainFrame(app::Editor& editor, FrameOptions options);
    ~CMainFrame() override;

    // Start-up after the window is shown: splash, new mission, qd.dat and the
    // first-run sequence; the splash closes when it ends. Then the offer of
    // what crashed editors left: true when a mission was restored.
    bool startUp();
    // A mission path from the command line or a drop.
    bool openMissionPath(const std::string& path, bool ask);
    // The size, position and toolbar layout of the last session, if kept.
    bool restoreLayout();
    RecentMenu* recentMenu() const { return m_recent; }

    app::CommandTable& commands() { return m_commands; }
    app::FrameLogic& logic() { return *m_logic; }
    app::MapTools& mapTools() { return *m_mapTools; }
    app::ShipgroupClipboard& shipgroupClipboard() { return *m_shipgroupClipboard; }
    FormHost& forms() { return m_forms; }
    MapWindow* mapWindow() const { return m_mapWindow; }
    map::MapView& mapView() { return m_editor.mapView; }
    map::ViewSwitches& viewSwitches() { return m_editor.viewSwitches; }
    QComboBox* selector() const { return m_selector; }
    CSliderBar* sliderBar() const { return m_sliderBar; }
    app::BriefingBar& briefingBar() { return *m_briefingBar; }
    QtPlaybackTimer& playbackTimer() { return *m_playTimer; }
    QToolBar* toolbar(int id) const;
    QAction* action(app::CommandId id) const;
    QLabel* pane(app::Pane pane) const;
    const app::WorkingFolder& folder() const { return m_folder; }
    // View > Problems and the problem count in the status bar.
    app::ProblemsPanel& problems() { return *m_problems; }
    ProblemsDock* problemsDock() const { return m_problemsDock; }
    QPushButton* problemCount() const { return m_problemCount; }
    // View > Changes and File > Compare With.
    app::ChangesPanel& changes() { return *m_changes; }
    ChangesDock* changesDock() const { return m_changesDock; }
    QAction* compareWithAction() const { return m_compareWith; }
    // Briefing > Export Animation... and the export that runs.
    AnimationExporter* animationExporter() const { return m_animationExporter; }
    // View > Mission Flow and Edit > Find References (FrameFlow.cpp).
    app::FlowView& flowView() { return *m_flow; }
    FlowDock* flowDock() const { return m_flowDock; }
    ReferencesDock* referencesDock() const { return m_referencesDock; }
    void findReferences(int shipgroup);
    // Sets every action's enabled and checked state from the command table.
    void updateCommandStates();
    // Tests script the first-run picture: called once it shows; must close it.
    std::function<void(QDialog&)> pictureHook;

    // --- app::FrameView
    void setTitle(const std::string& title) override;
    bool isToolbarVisible(int id) const override;
    void setToolbarVisible(int id, bool visible) override;
    bool isStatusBarVisible() const override;
    void setStatusBarVisible(bool visible) override;
    void setPaneText(app::Pane pane, const std::string& text) override;
    void fillSelector(const std::vector<std::string>& names, int current) override;
    void selectInSelector(int index) override;
    void appendToSelector(const std::string& name) override;
    void replaceInSelector(int index, const std::string& name) override;
    void repaintMap() override;
    void mapSizeChanged() override;
    void mapScrollChanged() override;
    bool runModal(core::FormModel& form) override;
    void showModeless(app::FormKey key, std::shared_ptr<core::FormModel> form) override;
    void closeModeless(app::FormKey key) override;
    core::FormModel* openForm(app::FormKey key) override;
    void showFirstRunPicture() override;
    void closeWindow() override { close(); }
    void showBriefingTime(int time, int endTime) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildActions();
    void buildMenus();
    void buildToolbars();
    void buildStatusBar();
    void buildProblemsPanel();    // FrameProblems.cpp
    void buildChangesPanel();     // FrameChanges.cpp
    void buildAnimationExport();  // FrameAnimation.cpp
    void buildFlowView();         // FrameFlow.cpp
    class MapRightClick;
    std::unique_ptr<app::MapToolsListener> mapListener();
    void mapRightClick();
    class Services;  // the frame logic's files, preferences, recovery and dialogs
    void paintMap(QPainter& p, const QSize& size);
    void showAbout();
    void noteRecent(bool ok);

    app::Editor& m_editor;
    FrameOptions m_options;
    app::WorkingFolder m_folder;
    app::CommandTable m_commands;
    std::unique_ptr<map::MapRenderer> m_renderer;
    bool m_briefingPicturesWanted = false;  // the icons loaded, the pictures not yet drawn
    QtPrompter m_qtPrompter;
    QtFileChooser m_qtChooser;
    core::Prompter& m_prompter;
    app::FileChooser& m_chooser;
    std::unique_ptr<app::MapViewPort> m_port;
    std::unique_ptr<app::FrameServices> m_services;
    std::unique_ptr<app::FrameLogic> m_logic;
    // The briefing bar's playback, its timer and the briefing layer of the map.
    std::unique_ptr<QtPlaybackTimer> m_playTimer;
    std::unique_ptr<app::BriefingBar> m_briefingBar;
    std::unique_ptr<app::BriefingDialogs> m_briefingDialogs;
    std::unique_ptr<app::BriefingTools> m_briefingTools;
    std::unique_ptr<map::BriefingLayer> m_briefingLayer;
    // The map tools' listener: the frame logic and the right click's menu.
    std::unique_ptr<app::MapToolsListener> m_mapListener;
    std::unique_ptr<app::MapTools> m_mapTools;
    // Cut, Copy and Paste of shipgroups through the system clipboard.
    std::unique_ptr<app::Clipboard> m_clipboard;
    std::unique_ptr<app::ShipgroupClipboard> m_shipgroupClipboard;
    // Declared before the form host: the forms point at what it holds, so
    // the host (and every form window) goes first.
    std::unique_ptr<app::FormWiring> m_formWiring;
    FormHost m_forms;

    MapWindow* m_mapWindow = nullptr;
    QComboBox* m_selector = nullptr;
    CSliderBar* m_sliderBar = nullptr;
    RecentMenu* m_recent = nullptr;
    std::map<int, QToolBar*> m_toolbars;
    std::map<app::CommandId, QAction*> m_actions;
    std::map<app::Pane, QLabel*> m_panes;
    // The Problems and Changes panels (their models wired by the frame
    // logic's side) and the timers that look again once changes have settled.
    std::unique_ptr<QtSettleClock> m_lintClock, m_changesClock;
    std::unique_ptr<app::PanelWiring> m_panels;
    app::ProblemsPanel* m_problems = nullptr;
    app::ChangesPanel* m_changes = nullptr;
    // The Problems dock and the status bar count.
    ProblemsDock* m_problemsDock = nullptr;
    QPushButton* m_problemCount = nullptr;
    core::Notifier<>::Connection m_problemCountConn;
    // The Changes dock and File > Compare With.
    ChangesDock* m_changesDock = nullptr;
    QAction* m_compareWith = nullptr;
    AnimationExporter* m_animationExporter = nullptr;
    // Mission Flow and Find References: the models, their docks, the timer.
    class FlowPortImpl;
    std::unique_ptr<app::FlowPort> m_flowPort;
    std::unique_ptr<app::FlowView> m_flow;
    std::unique_ptr<app::ReferenceList> m_references;
    FlowDock* m_flowDock = nullptr;
    ReferencesDock* m_referencesDock = nullptr;
    QTimer* m_flowTimer = nullptr;
    core::Notifier<>::Connection m_referencesConn;
    // The recovery file, written from its timer's ticks (none without a
    // folder); it tells its failures in the message pane.
    app::MessagePane m_messagePane{*this};
    std::unique_ptr<app::Recovery> m_recovery;
};

}  // namespace quendar::ui
