#include "Render.h"

#include <cstdio>
#include <iostream>

#include "briefing/BriefingView.h"
#include "map/BriefingLayer.h"
#include "map/BriefingPictures.h"
#include "map/MapRenderer.h"

#ifdef QUENDAR_TOOL_RENDER
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include "ui/QPainterCanvas.h"
#endif

namespace quendar::tool {

#ifdef QUENDAR_TOOL_RENDER

namespace {

bool parseSize(const std::string& text, int& w, int& h) {
    char x = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &rest) != 3 || (x != 'x' && x != 'X'))
        return false;
    return w >= 1 && h >= 1 && w <= 16384 && h <= 16384;
}

// The toolkit warns on standard error when the session has no runtime folder,
// which a command line run often lacks and which drawing a picture never
// needs; every other message is printed as the toolkit would print it.
void quietRuntimeFolder(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (type == QtWarningMsg && msg.startsWith("QStandardPaths: XDG_RUNTIME_DIR")) return;
    std::cerr << qFormatLogMessage(type, context, msg).toLocal8Bit().constData() << "\n";
}

}  // namespace

bool renderAvailable() { return true; }

int renderMission(app::Editor& editor, const RenderOptions& o) {
    int w = 0, h = 0;
    if (!parseSize(o.size, w, h)) {
        std::cerr << "quendar-tool: --size wants WIDTHxHEIGHT, for example 1920x1080\n";
        return 2;
    }
    if (o.region < 1 || o.region > 4) {
        std::cerr << "quendar-tool: --region is 1..4\n";
        return 2;
    }
    if (o.zoom < 1 || o.zoom > 255) {
        std::cerr << "quendar-tool: --zoom is 1..255 pixels per km\n";
        return 2;
    }

    // The toolkit draws texts without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietRuntimeFolder);
    int argc = 1;
    char name[] = "quendar-tool";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    // The editor's start view: origin in the middle, X-Y projection.
    editor.icons.loadFile(o.icons);
    if (!editor.icons.available())
        std::cerr << "quendar-tool: no icons from " << o.icons << "; craft are not drawn\n";
    editor.settings.projection = 0;
    map::MapView& view = editor.mapView;
    view.resize(w, h);
    if (o.briefing) {
        editor.viewSwitches.briefingMode = true;
        editor.briefing.playback().briefingMode = true;
        editor.briefing.setCurrentTime(o.time);
        const briefing::LockedView lv = briefing::lockedViewAt(editor.briefing, o.time);
        view.applyBriefingView(lv.zoom, lv.x, lv.y, lv.region);
    } else {
        view.applyBriefingView(o.zoom, 0, 0, o.region - 1);
    }

    map::MapRenderer renderer(editor.icons);
    if (editor.icons.available())
        renderer.setBriefingPictures(map::technicalDataPicture(), map::regionChangePicture());
    map::BriefingLayer layer(editor.icons);
    QImage image(w, h, QImage::Format_RGB32);
    {
        ui::QPainterCanvas canvas(image);
        map::PaintInput in{editor.store, editor.settings, view, editor.viewSwitches, nullptr};
        briefing::BriefingView state;
        map::BriefingFrame frame;
        if (o.briefing) {
            state = briefing::briefingViewAt(editor.briefing, o.time);
            frame = layer.frame(state, editor.store, view);
            in.briefing = &frame;
        }
        renderer.paint(canvas, in);
    }
    QImageWriter writer(QString::fromLocal8Bit(o.out.c_str()), "png");
    if (!writer.write(image)) {
        std::cerr << "quendar-tool: cannot write " << o.out << ": "
                  << writer.errorString().toLocal8Bit().constData() << "\n";
        return 1;
    }
    return 0;
}

#else

bool renderAvailable() { return false; }

int renderMission(app::Editor&, const RenderOptions&) {
    std::cerr << "quendar-tool: this build cannot draw pictures (built without Qt)\n";
    return 1;
}

#endif

}  // namespace quendar::tool
