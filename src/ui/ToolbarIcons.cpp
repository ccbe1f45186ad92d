#include "ui/ToolbarIcons.h"

#include <cmath>
#include <algorithm>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include "app/CommandTable.h"

namespace quendar::ui {

namespace {

const QColor kInk(30, 30, 30);
const QColor kBlue(40, 90, 200);
const QColor kRed(200, 40, 40);
const QColor kGreen(30, 140, 60);
const QColor kAmber(220, 150, 20);

void text(QPainter& p, const QRectF& r, const QString& s, const QColor& c, double size,
          bool bold = true) {
    QFont f("Sans");
    f.setPixelSize(static_cast<int>(size));
    f.setBold(bold);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, s);
}

// A magnifier with a plus or minus.
void magnifier(QPainter& p, const QRectF& r, bool plus) {
    const double s = std::min(r.width(), r.height());
    QRectF lens(r.left() + s * 0.1, r.top() + s * 0.1, s * 0.6, s * 0.6);
    p.setPen(QPen(kInk, s * 0.1));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(lens);
    p.setPen(QPen(kInk, s * 0.14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(lens.right() - s * 0.05, lens.bottom() - s * 0.05),
               QPointF(r.left() + s * 0.92, r.top() + s * 0.92));
    p.setPen(QPen(kBlue, s * 0.09));
    const QPointF c = lens.center();
    p.drawLine(QPointF(c.x() - s * 0.17, c.y()), QPointF(c.x() + s * 0.17, c.y()));
    if (plus) p.drawLine(QPointF(c.x(), c.y() - s * 0.17), QPointF(c.x(), c.y() + s * 0.17));
}

// Two axes with their letters.
void axes(QPainter& p, const QRectF& r, const QString& h, const QString& v) {
    const double s = r.height();
    p.setPen(QPen(kInk, s * 0.08));
    const QPointF o(r.left() + s * 0.25, r.top() + s * 0.25);
    p.drawLine(o, QPointF(r.right() - s * 0.1, o.y()));
    p.drawLine(o, QPointF(o.x(), r.bottom() - s * 0.1));
    text(p, QRectF(r.center().x() - s * 0.1, r.top() + s * 0.3, s * 0.6, s * 0.45), h, kRed, s * 0.42);
    text(p, QRectF(r.left() + s * 0.3, r.center().y(), s * 0.45, s * 0.5), v, kBlue, s * 0.42);
}

void flag(QPainter& p, const QRectF& r, const QColor& c, const QString& label) {
    const double s = r.height();
    p.setPen(QPen(kInk, s * 0.08));
    p.drawLine(QPointF(r.left() + s * 0.2, r.top() + s * 0.1), QPointF(r.left() + s * 0.2, r.bottom()));
    p.setBrush(c);
    p.drawRect(QRectF(r.left() + s * 0.2, r.top() + s * 0.1, r.width() * 0.6, s * 0.5));
    if (!label.isEmpty())
        text(p, QRectF(r.left() + s * 0.2, r.top() + s * 0.1, r.width() * 0.6, s * 0.5), label,
             Qt::white, s * 0.42);
}

void waypoint(QPainter& p, const QRectF& r, int n) {
    const double s = r.height();
    p.setPen(QPen(kInk, s * 0.06));
    p.setBrush(QColor(255, 240, 150));
    QPolygonF diamond;
    const QPointF c = r.center();
    diamond << QPointF(c.x(), r.top() + 1) << QPointF(r.right() - 1, c.y())
            << QPointF(c.x(), r.bottom() - 1) << QPointF(r.left() + 1, c.y());
    p.drawPolygon(diamond);
    text(p, r, QString::number(n), kInk, s * 0.55);
}

void triangle(QPainter& p, const QRectF& r, bool right, double dx = 0) {
    const double s = r.height();
    QPolygonF t;
    const double l = r.left() + dx + s * 0.25, w = s * 0.45;
    if (right) t << QPointF(l, r.top() + s * 0.2) << QPointF(l + w, r.center().y()) << QPointF(l, r.bottom() - s * 0.2);
    else t << QPointF(l + w, r.top() + s * 0.2) << QPointF(l, r.center().y()) << QPointF(l + w, r.bottom() - s * 0.2);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(t);
}

void bar(QPainter& p, const QRectF& r, double x) {
    const double s = r.height();
    p.fillRect(QRectF(r.left() + x, r.top() + s * 0.2, s * 0.12, s * 0.6), kInk);
}

void wand(QPainter& p, const QRectF& r) {
    const double s = r.height();
    p.setPen(QPen(QColor(110, 70, 30), s * 0.12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + s * 0.2, r.bottom() - s * 0.15), QPointF(r.center().x() + s * 0.15, r.center().y() - s * 0.05));
    p.setPen(QPen(kAmber, s * 0.08));
    const QPointF c(r.center().x() + s * 0.25, r.top() + s * 0.3);
    for (int k = 0; k < 4; ++k) {
        const double a = k * 3.14159 / 4;
        p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * s * 0.22, c - QPointF(std::cos(a), std::sin(a)) * s * 0.22);
    }
}

void paint(QPainter& p, int id, const QRectF& r) {
    namespace cmd = app::cmd;
    const double s = r.height();
    if (id >= 32771 && id <= 32774) {
        static const char* roman[] = {"I", "II", "III", "IV"};
        p.setPen(QPen(kBlue, s * 0.06));
        p.setBrush(QColor(225, 235, 255));
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
        text(p, r, roman[id - 32771], kBlue, s * 0.5);
    } else if (id == cmd::ZoomIn || id == cmd::ZoomOut) {
        magnifier(p, r, id == cmd::ZoomIn);
    } else if (id == cmd::ViewXY) {
        axes(p, r, "X", "Y");
    } else if (id == cmd::ViewYZ) {
        axes(p, r, "Y", "Z");
    } else if (id == cmd::ViewXZ) {
        axes(p, r, "X", "Z");
    } else if (id == cmd::Centre) {
        p.setPen(QPen(kRed, s * 0.08));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(r.center(), s * 0.3, s * 0.3);
        p.drawLine(QPointF(r.center().x(), r.top() + 1), QPointF(r.center().x(), r.bottom() - 1));
        p.drawLine(QPointF(r.left() + 1, r.center().y()), QPointF(r.right() - 1, r.center().y()));
    } else if (id >= 32872 && id <= 32875) {
        flag(p, r, kGreen, "S");
    } else if (id == 32908 || (id >= 32905 && id <= 32907)) {
        const int n = id == 32908 ? 1 : id - 32903;
        flag(p, r, kBlue, QString::number(n));
    } else if (id >= 32876 && id <= 32883) {
        waypoint(p, r, id - 32875);
    } else if (id == 32886) {
        p.setPen(QPen(kBlue, s * 0.08));
        p.setBrush(QColor(200, 220, 255));
        p.drawEllipse(r.center(), s * 0.35, s * 0.35);
        text(p, r, "H", kBlue, s * 0.5);
    } else if (id == 32925 || id == 32862) {
        wand(p, r);
    } else if (id == cmd::ShowOnMap) {
        p.setPen(QPen(kRed, s * 0.1));
        p.drawEllipse(r.center(), s * 0.3, s * 0.3);
        p.setBrush(kRed);
        p.drawEllipse(r.center(), s * 0.08, s * 0.08);
    } else if (id == 32800) {
        triangle(p, r, true);
    } else if (id == 32801) {
        p.fillRect(QRectF(r.center().x() - s * 0.25, r.top() + s * 0.25, s * 0.5, s * 0.5), kRed);
    } else if (id == 32802) {
        triangle(p, r, true, -s * 0.1);
        bar(p, r, s * 0.65);
    } else if (id == 32803) {
        bar(p, r, s * 0.12);
        triangle(p, r, false, s * 0.05);
    } else if (id == 32804) {
        bar(p, r, s * 0.1);
        triangle(p, r, false, s * 0.05);
        triangle(p, r, false, s * 0.35);
    } else if (id == 32854) {
        triangle(p, r, true, -s * 0.15);
        triangle(p, r, true, s * 0.15);
    } else if (id == 32855) {
        triangle(p, r, false, -s * 0.15);
        triangle(p, r, false, s * 0.15);
    } else if (id >= 32856 && id <= 32860) {
        text(p, r, QString("%1x").arg(id - 32855), kInk, s * 0.6);
    } else if (id >= 32850 && id <= 32852) {
        static const char* speed[] = {">", ">>", ">>>"};
        text(p, r, speed[id - 32850], kGreen, s * 0.6);
    } else if (id == 32921) {
        // A padlock.
        p.setPen(QPen(kInk, s * 0.09));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(r.center().x() - s * 0.2, r.top() + s * 0.1, s * 0.4, s * 0.5), 0, 180 * 16);
        p.fillRect(QRectF(r.center().x() - s * 0.3, r.center().y() - s * 0.05, s * 0.6, s * 0.45), kAmber);
    } else if (id == 32926 || id == 32928) {
        p.setPen(QPen(kBlue, s * 0.1));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(r.center().x() - s * 0.3, r.top() + s * 0.2, s * 0.6, s * 0.6), 0, 180 * 16);
        text(p, r, id == 32926 ? "Undo" : "Redo", kInk, s * 0.38, false);
    } else {
        return;  // handled by the text picture below
    }
}

// Commands whose picture is a short word.
QString word(int id) {
    namespace cmd = app::cmd;
    switch (id) {
    case cmd::MapMode: return "Map";
    case cmd::BriefingMode: return "Briefing";
    case cmd::Shipgroups: return "Groups";
    case cmd::ShipgroupsView: return "View ctl";
    case cmd::Basic: return "Basic";
    case cmd::Advanced: return "Advanced";
    case cmd::Arrival: return "Arrival";
    case cmd::Departure: return "Depart";
    case cmd::Orders: return "Orders";
    case cmd::Waypoints: return "Waypts";
    case cmd::Goals: return "Goals";
    case cmd::Options: return "Options";
    case 32849: return "Sel";
    case 32839: return "Show";
    case 32891: return "Move";
    case 32892: return "Tech";
    case 32840: return "Mark";
    case 32871: return "Rot";
    case 32870: return "Ins";
    case 32841: return "Txt";
    case 32842: return "Pan";
    case 32843: return "Zm";
    case 32844: return "Hide";
    case 32853: return "-Sel";
    case 32845: return "-Txt";
    case 32847: return "Reg";
    case 32846: return "Skip";
    case 32865: return "End";
    case 32864: return "Img";
    case 32922: return "Hint";
    case 32935: return "Teams";
    case 32934: return "Next";
    case 32861: return "Del";
    case 32923: return "Len";
    default: return {};
    }
}

}  // namespace

QIcon toolbarIcon(int commandId, int width, int height) {
    constexpr int scale = 2;
    QPixmap pm(width * scale, height * scale);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r(0, 0, width * scale, height * scale);
        const QString w = word(commandId);
        if (!w.isEmpty()) {
            text(p, r, w, QColor(20, 40, 90), height * scale * (width > 2 * height ? 0.62 : 0.5));
        } else {
            // Square glyphs sit centred in wider buttons.
            const double s = height * scale;
            paint(p, commandId, QRectF((width * scale - s) / 2, 0, s, s));
        }
    }
    pm.setDevicePixelRatio(scale);
    return QIcon(pm);
}

}  // namespace quendar::ui
