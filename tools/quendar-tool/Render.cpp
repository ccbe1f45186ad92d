#include "Render.h"

#include <cstdio>
#include <iostream>

#include "app/animation/AnimationExport.h"
#include "briefing/BriefingView.h"
#include "map/BriefingLayer.h"
#include "map/BriefingPictures.h"
#include "map/MapRenderer.h"

#ifdef QUENDAR_TOOL_RENDER
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include "ui/BriefingPicture.h"
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

int renderAnimation(app::Editor& editor, const RenderOptions& o, int w, int h) {
    app::AnimationRange range{
        o.from, o.to.value_or(std::min(editor.briefing.briefingEndTime(), app::kLastAnimationTime)),
        o.fps};
    if (const std::string problem = app::animationRangeProblem(range); !problem.empty()) {
        std::cerr << "quendar-tool: " << problem << " (--from " << range.from << ", --to "
                  << range.to << ", --fps " << range.fps << ")\n";
        return 2;
    }
    ui::BriefingPicture picture(editor.store, editor.settings, editor.viewSwitches, editor.icons, w,
                                h);
    app::AnimationProgress progress;
    const app::AnimationOutcome outcome = app::exportAnimation(
        editor.briefing, picture, range, *app::animationFormatOf(o.out), o.out, progress);
    if (outcome.status != app::AnimationOutcome::Status::Written) {
        std::cerr << "quendar-tool: " << outcome.message << "\n";
        return 2;
    }
    return 0;
}

}  // namespace

bool renderAvailable() { return true; }

int checkAnimationOptions(const RenderOptions& o) {
    if (!o.animate) return 0;
    if (!app::animationFormatOf(o.out)) {
        std::cerr << "quendar-tool: " << o.out << ": an animation is written as .webp or .gif\n";
        return 2;
    }
    if (o.fps < app::kMinAnimationFps || o.fps > app::kMaxAnimationFps) {
        std::cerr << "quendar-tool: --fps is " << app::kMinAnimationFps << ".."
                  << app::kMaxAnimationFps << "\n";
        return 2;
    }
    return 0;
}

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

    editor.icons.loadFile(o.icons);
    if (!editor.icons.available())
        std::cerr << "quendar-tool: no icons from " << o.icons << "; craft are not drawn\n";
    if (o.animate) return renderAnimation(editor, o, w, h);
    QImage image(w, h, QImage::Format_RGB32);
    if (o.briefing) {
        ui::BriefingPicture picture(editor.store, editor.settings, editor.viewSwitches,
                                    editor.icons, w, h);
        picture.paint(briefing::briefingViewAt(editor.briefing, o.time));
        image = picture.image();
    } else {
        // The editor's start view: origin in the middle, X-Y projection.
        editor.settings.projection = 0;
        map::MapView& view = editor.mapView;
        view.resize(w, h);
        view.applyBriefingView(o.zoom, 0, 0, o.region - 1);
        map::MapRenderer renderer(editor.icons);
        ui::QPainterCanvas canvas(image);
        renderer.paint(canvas, {editor.store, editor.settings, view, editor.viewSwitches, nullptr});
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

int checkAnimationOptions(const RenderOptions&) { return 0; }

int renderMission(app::Editor&, const RenderOptions&) {
    std::cerr << "quendar-tool: this build cannot draw pictures (built without Qt)\n";
    return 1;
}

#endif

}  // namespace quendar::tool
