// Draws the application icon: one list of shapes on a 512 x 512 canvas,
// written out as an SVG and painted into PNGs at the usual theme sizes.
//
//   quendar-appicon OUTDIR
//
// writes OUTDIR/quendar.svg and OUTDIR/<N>x<N>/apps/quendar.png.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Shape {
    enum Kind { RoundedSquare, Line, Ring, Dot, Polygon } kind;
    std::vector<double> p;  // square: x y size radius; line: x1 y1 x2 y2; ring/dot: cx cy r
    const char* colour;
    double width = 0;  // stroke width of lines and rings
};

// A dark chart of four regions, an orbit ring, a dotted flight path and a
// dart-shaped craft heading out of the upper right corner.
const std::vector<Shape>& design() {
    static const std::vector<Shape> shapes = {
        {Shape::RoundedSquare, {24, 24, 464, 96}, "#16233f"},
        {Shape::Line, {144, 56, 144, 456}, "#22365e", 6},
        {Shape::Line, {368, 56, 368, 456}, "#22365e", 6},
        {Shape::Line, {56, 144, 456, 144}, "#22365e", 6},
        {Shape::Line, {56, 368, 456, 368}, "#22365e", 6},
        {Shape::Line, {256, 40, 256, 472}, "#35598f", 10},
        {Shape::Line, {40, 256, 472, 256}, "#35598f", 10},
        {Shape::Ring, {256, 256, 150}, "#4fa3d9", 14},
        {Shape::Dot, {118, 394, 22}, "#7fd1ae"},
        {Shape::Dot, {188, 324, 18}, "#7fd1ae"},
        {Shape::Dot, {252, 260, 15}, "#7fd1ae"},
        {Shape::Polygon, {410, 102, 284, 170, 334, 186, 346, 236}, "#f2a541"},
        {Shape::Polygon, {410, 102, 334, 186, 346, 236}, "#c97d1c"},
    };
    return shapes;
}

std::string svg() {
    std::string s =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"512\" height=\"512\" "
        "viewBox=\"0 0 512 512\">\n";
    auto num = [](double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", v);
        return std::string(buf);
    };
    for (const Shape& sh : design()) {
        const auto& p = sh.p;
        switch (sh.kind) {
            case Shape::RoundedSquare:
                s += "  <rect x=\"" + num(p[0]) + "\" y=\"" + num(p[1]) + "\" width=\"" +
                     num(p[2]) + "\" height=\"" + num(p[2]) + "\" rx=\"" + num(p[3]) +
                     "\" fill=\"" + sh.colour + "\"/>\n";
                break;
            case Shape::Line:
                s += "  <line x1=\"" + num(p[0]) + "\" y1=\"" + num(p[1]) + "\" x2=\"" + num(p[2]) +
                     "\" y2=\"" + num(p[3]) + "\" stroke=\"" + sh.colour + "\" stroke-width=\"" +
                     num(sh.width) + "\" stroke-linecap=\"round\"/>\n";
                break;
            case Shape::Ring:
                s += "  <circle cx=\"" + num(p[0]) + "\" cy=\"" + num(p[1]) + "\" r=\"" +
                     num(p[2]) + "\" fill=\"none\" stroke=\"" + sh.colour + "\" stroke-width=\"" +
                     num(sh.width) + "\"/>\n";
                break;
            case Shape::Dot:
                s += "  <circle cx=\"" + num(p[0]) + "\" cy=\"" + num(p[1]) + "\" r=\"" +
                     num(p[2]) + "\" fill=\"" + sh.colour + "\"/>\n";
                break;
            case Shape::Polygon: {
                s += "  <polygon points=\"";
                for (size_t i = 0; i + 1 < p.size(); i += 2)
                    s += (i ? " " : "") + num(p[i]) + "," + num(p[i + 1]);
                s += "\" fill=\"" + std::string(sh.colour) + "\"/>\n";
                break;
            }
        }
    }
    return s + "</svg>\n";
}

QImage paint(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 512.0, size / 512.0);
    for (const Shape& sh : design()) {
        const auto& p = sh.p;
        const QColor colour(sh.colour);
        QPen pen(colour, sh.width, Qt::SolidLine, Qt::RoundCap);
        switch (sh.kind) {
            case Shape::RoundedSquare: {
                QPainterPath path;
                path.addRoundedRect(QRectF(p[0], p[1], p[2], p[2]), p[3], p[3]);
                painter.fillPath(path, colour);
                break;
            }
            case Shape::Line:
                painter.setPen(pen);
                painter.drawLine(QPointF(p[0], p[1]), QPointF(p[2], p[3]));
                break;
            case Shape::Ring:
                painter.setPen(pen);
                painter.setBrush(Qt::NoBrush);
                painter.drawEllipse(QPointF(p[0], p[1]), p[2], p[2]);
                break;
            case Shape::Dot:
                painter.setPen(Qt::NoPen);
                painter.setBrush(colour);
                painter.drawEllipse(QPointF(p[0], p[1]), p[2], p[2]);
                break;
            case Shape::Polygon: {
                QPolygonF poly;
                for (size_t i = 0; i + 1 < p.size(); i += 2) poly << QPointF(p[i], p[i + 1]);
                painter.setPen(Qt::NoPen);
                painter.setBrush(colour);
                painter.drawPolygon(poly);
                break;
            }
        }
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quendar-appicon OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    std::ofstream file(QDir(out).filePath("quendar.svg").toStdString());
    if (!(file << svg()) || !file.flush()) {
        std::fprintf(stderr, "quendar-appicon: cannot write the SVG icon\n");
        return 1;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString dir = QDir(out).filePath(QString("%1x%1/apps").arg(size));
        if (!QDir().mkpath(dir) || !paint(size).save(QDir(dir).filePath("quendar.png"), "PNG")) {
            std::fprintf(stderr, "quendar-appicon: cannot write the %d pixel icon\n", size);
            return 1;
        }
    }
    return 0;
}
