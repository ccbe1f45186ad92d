// The editor's entry point: the application object, the editor state and the
// main window. An optional argument names a mission to open at start.
#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

#include "app/Editor.h"
#include "ui/CMainFrame.h"

#ifndef QUENDAR_DATA_DIR
#define QUENDAR_DATA_DIR ""
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("Vexion Mission Editor");

    quendar::app::Editor editor;
    quendar::ui::FrameOptions options;
    options.dataDir = QUENDAR_DATA_DIR;
    quendar::ui::CMainFrame frame(editor, options);
    frame.show();
    frame.startUp();

    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) frame.openMissionPath(quendar::ui::toPath(args.at(1)), false);
    return app.exec();
}
