// The editor's entry point: the application object, the editor state and the
// main window. An optional argument names a mission to open at start.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/editor/Editor.h"
#include "app/files/DataFolder.h"
#include "app/files/RecoveryFile.h"
#include "app/frame/CommandLine.h"
#include "mission/LargeBlock.h"
#include "ui/CMainFrame.h"
#include "ui/FrameSettings.h"
#include "ui/StartPictures.h"
#include "ui/TextConversions.h"

namespace {

using quendar::app::EditorCommandLine;

// --help and --version print and return before the toolkit needs a display.
int answer(EditorCommandLine::Action action, const std::string& dataDir) {
    const std::string text = action == EditorCommandLine::Action::Help
                                 ? quendar::app::editorUsage(dataDir)
                                 : quendar::app::versionLine("quendar");
    std::fputs(text.c_str(), stdout);
    return 0;
}

// Start-up timing: with QUENDAR_QUIT_WHEN_SHOWN set in the environment the
// editor ends as soon as the window has been painted with the mission named on
// the command line, so that the time from exec to a shown window can be
// measured from outside (hyperfine, a shell's `time`).
class QuitWhenShown : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !m_quitting) {
            m_quitting = true;
            // Queued: the paint in progress finishes and reaches the screen
            // first. The measurement ends there: nothing is saved on the way out.
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    std::fflush(nullptr);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

  private:
    bool m_quitting = false;
};

}  // namespace

int main(int argc, char** argv) {
    const std::string dataDir = quendar::app::bundledDataFolder();
    const std::vector<std::string> raw(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (const auto early = quendar::app::earlyAction(raw); early != EditorCommandLine::Action::Run)
        return answer(early, dataDir);
    // Building and first painting the window fills about 11 MB of fresh
    // memory (its picture, the map's kept picture, the widgets); taken page
    // by page that costs more than all the drawing on some machines.
    quendar::mission::reserveHeap(std::size_t{16} << 20);

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("Vexion Mission Editor");

    std::vector<std::string> args;
    for (const QString& a : QCoreApplication::arguments().mid(1))
        args.push_back(quendar::ui::toPath(a));
    const EditorCommandLine line = quendar::app::parseEditorCommandLine(args);
    if (line.action == EditorCommandLine::Action::Error) {
        std::fprintf(stderr, "quendar: %s\nTry 'quendar --help'.\n", line.error.c_str());
        return 2;
    }
    if (line.action != EditorCommandLine::Action::Run) return answer(line.action, dataDir);

    // Drawn while the window is built; see SplashAhead.
    quendar::ui::SplashAhead splash;
    quendar::app::Editor editor;
    quendar::ui::FrameOptions options;
    options.splashPicture = [&splash] { return splash.take(); };
    options.dataDir = dataDir;
    options.settingsFile = quendar::ui::defaultSettingsFile();
    // Recovery files live in the user's state folder, so that an editor
    // started in any folder finds them.
    options.recoveryFolder =
        quendar::app::recoveryFolderFor(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
    quendar::ui::CMainFrame frame(editor, options);
    frame.restoreLayout();
    frame.show();
    const bool restored = frame.startUp();

    // A restored mission is not replaced without the usual question.
    if (!line.missionPath.empty()) frame.openMissionPath(line.missionPath, restored);
    // Armed after the mission is open: the next paint of any widget shows it.
    QuitWhenShown quitWhenShown;
    if (std::getenv("QUENDAR_QUIT_WHEN_SHOWN")) app.installEventFilter(&quitWhenShown);
    return app.exec();
}
