#include "ui/ToolbarIcons.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "app/editor/CommandTable.h"

namespace quendar::ui {

using app::cmd;
using app::CommandId;

namespace {

const QColor kInk(30, 30, 30);
const QColor kBlue(40, 90, 200);
const QColor kRed(200, 40, 40);
const QColor kGreen(30, 140, 60);
const QColor kAmber(220, 150, 20);

void text(QPainter& p, const QRectF& r, const QString& s, const QColor& c, double size,
          bool bold = true) {
    QFont f("Sans");
    f.setBold(bold);
    // Shrink the letters until the word fits its button.
    for (int px = static_cast<int>(size); px >= 6; --px) {
        f.setPixelSize(px);
        if (QFontMetricsF(f).horizontalAdvance(s) <= r.width() - 2) break;
    }
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
    text(p, QRectF(r.center().x() - s * 0.1, r.top() + s * 0.3, s * 0.6, s * 0.45), h, kRed,
         s * 0.42);
    text(p, QRectF(r.left() + s * 0.3, r.center().y(), s * 0.45, s * 0.5), v, kBlue, s * 0.42);
}

void flag(QPainter& p, const QRectF& r, const QColor& c, const QString& label) {
    const double s = r.height();
    p.setPen(QPen(kInk, s * 0.08));
    p.drawLine(QPointF(r.left() + s * 0.2, r.top() + s * 0.1),
               QPointF(r.left() + s * 0.2, r.bottom()));
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
    if (right)
        t << QPointF(l, r.top() + s * 0.2) << QPointF(l + w, r.center().y())
          << QPointF(l, r.bottom() - s * 0.2);
    else
        t << QPointF(l + w, r.top() + s * 0.2) << QPointF(l, r.center().y())
          << QPointF(l + w, r.bottom() - s * 0.2);
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
    p.drawLine(QPointF(r.left() + s * 0.2, r.bottom() - s * 0.15),
               QPointF(r.center().x() + s * 0.15, r.center().y() - s * 0.05));
    p.setPen(QPen(kAmber, s * 0.08));
    const QPointF c(r.center().x() + s * 0.25, r.top() + s * 0.3);
    for (int k = 0; k < 4; ++k) {
        const double a = k * 3.14159 / 4;
        p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * s * 0.22,
                   c - QPointF(std::cos(a), std::sin(a)) * s * 0.22);
    }
}

// A small craft seen from above, nose to the right.
void ship(QPainter& p, const QRectF& r, const QColor& c = QColor(60, 120, 200)) {
    const double s = r.height();
    QPolygonF t;
    t << QPointF(r.left() + s * 0.15, r.top() + s * 0.2)
      << QPointF(r.left() + s * 0.85, r.center().y())
      << QPointF(r.left() + s * 0.15, r.bottom() - s * 0.2)
      << QPointF(r.left() + s * 0.3, r.center().y());
    p.setPen(QPen(kInk, s * 0.05));
    p.setBrush(c);
    p.drawPolygon(t);
}

void redCross(QPainter& p, const QRectF& r) {
    const double s = r.height();
    p.setPen(QPen(kRed, s * 0.12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + s * 0.5, r.top() + s * 0.5),
               QPointF(r.right() - s * 0.05, r.bottom() - s * 0.05));
    p.drawLine(QPointF(r.left() + s * 0.5, r.bottom() - s * 0.05),
               QPointF(r.right() - s * 0.05, r.top() + s * 0.5));
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& c, double width) {
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0) return;
    const QPointF u = d / len, n(-u.y(), u.x());
    const double h = width * 2.5;
    QPolygonF head;
    head << to << to - u * h + n * h * 0.6 << to - u * h - n * h * 0.6;
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
}

void corners(QPainter& p, const QRectF& r, const QColor& c) {
    const double s = r.height(), k = s * 0.25;
    p.setPen(QPen(c, s * 0.08));
    const QRectF b = r.adjusted(s * 0.08, s * 0.08, -s * 0.08, -s * 0.08);
    p.drawLine(b.topLeft(), b.topLeft() + QPointF(k, 0));
    p.drawLine(b.topLeft(), b.topLeft() + QPointF(0, k));
    p.drawLine(b.topRight(), b.topRight() - QPointF(k, 0));
    p.drawLine(b.topRight(), b.topRight() + QPointF(0, k));
    p.drawLine(b.bottomLeft(), b.bottomLeft() + QPointF(k, 0));
    p.drawLine(b.bottomLeft(), b.bottomLeft() - QPointF(0, k));
    p.drawLine(b.bottomRight(), b.bottomRight() - QPointF(k, 0));
    p.drawLine(b.bottomRight(), b.bottomRight() - QPointF(0, k));
}

bool briefingGlyph(QPainter& p, CommandId id, const QRectF& r) {
    const double s = r.height();
    const QPointF c = r.center();
    switch (id) {
        case cmd::SelectMove: {  // select/move: a pointer
            QPolygonF ptr;
            ptr << QPointF(r.left() + s * 0.25, r.top() + s * 0.1)
                << QPointF(r.left() + s * 0.25, r.bottom() - s * 0.15)
                << QPointF(r.left() + s * 0.45, r.bottom() - s * 0.35)
                << QPointF(r.left() + s * 0.65, r.bottom() - s * 0.1)
                << QPointF(r.left() + s * 0.75, r.bottom() - s * 0.2)
                << QPointF(r.left() + s * 0.55, r.bottom() - s * 0.42)
                << QPointF(r.left() + s * 0.8, r.bottom() - s * 0.45);
            p.setPen(QPen(kInk, s * 0.05));
            p.setBrush(Qt::white);
            p.drawPolygon(ptr);
            return true;
        }
        case cmd::ShowShip:  // show ship
            ship(p, r);
            text(p, QRectF(r.left() + s * 0.5, r.top(), s * 0.5, s * 0.5), "+", kGreen, s * 0.6);
            return true;
        case cmd::MoveShip:  // move ship
            ship(p, r.adjusted(-s * 0.1, 0, 0, 0));
            arrow(p, QPointF(c.x(), r.bottom() - s * 0.12),
                  QPointF(r.right() - s * 0.05, r.bottom() - s * 0.12), kGreen, s * 0.08);
            return true;
        case cmd::TechData:  // technical data
            p.setPen(QPen(kBlue, s * 0.08));
            p.setBrush(QColor(225, 235, 255));
            p.drawEllipse(c, s * 0.4, s * 0.4);
            text(p, r, "i", kBlue, s * 0.65);
            return true;
        case cmd::AddSelection:  // add selection
            ship(p, r.adjusted(s * 0.1, s * 0.1, -s * 0.1, -s * 0.1));
            corners(p, r, kAmber);
            return true;
        case cmd::HideSelections:  // hide selections
            corners(p, r, kAmber);
            redCross(p, r);
            return true;
        case cmd::RotateCraft: {  // rotate
            p.setPen(QPen(kBlue, s * 0.09));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(c.x() - s * 0.32, c.y() - s * 0.32, s * 0.64, s * 0.64), 60 * 16,
                      270 * 16);
            arrow(p, QPointF(c.x() + s * 0.05, r.top() + s * 0.18),
                  QPointF(c.x() + s * 0.2, r.top() + s * 0.2), kBlue, s * 0.09);
            return true;
        }
        case cmd::AddInstruction:  // instruction text at the bottom
            text(p, QRectF(r.left(), r.top(), s, s * 0.7), "T", kInk, s * 0.6);
            p.fillRect(QRectF(r.left() + s * 0.1, r.bottom() - s * 0.22, s * 0.8, s * 0.14),
                       kAmber);
            return true;
        case cmd::AddTexts:  // add texts
            text(p, r, "T", kInk, s * 0.8);
            return true;
        case cmd::DeleteTexts:  // delete texts
            text(p, r.adjusted(-s * 0.15, -s * 0.1, 0, 0), "T", kInk, s * 0.7);
            redCross(p, r);
            return true;
        case cmd::MoveBriefing: {  // move the briefing screen
            const double d = s * 0.4, w = s * 0.08;
            arrow(p, c, c + QPointF(d, 0), kInk, w);
            arrow(p, c, c - QPointF(d, 0), kInk, w);
            arrow(p, c, c + QPointF(0, d), kInk, w);
            arrow(p, c, c - QPointF(0, d), kInk, w);
            return true;
        }
        case cmd::ZoomBriefing:  // zoom the briefing screen
            magnifier(p, r, true);
            return true;
        case cmd::HideShip:  // hide ship
            ship(p, r.adjusted(-s * 0.1, -s * 0.1, 0, 0));
            redCross(p, r);
            return true;
        case cmd::ChangeRegion:  // change region
            p.setPen(QPen(kBlue, s * 0.07));
            p.setBrush(QColor(200, 230, 255));
            p.drawEllipse(c, s * 0.38, s * 0.38);
            p.drawLine(QPointF(c.x() - s * 0.38, c.y()), QPointF(c.x() + s * 0.38, c.y()));
            p.drawEllipse(c, s * 0.15, s * 0.38);
            return true;
        case cmd::SkipTo:  // skip-to point
            triangle(p, r, true, -s * 0.2);
            triangle(p, r, true, s * 0.05);
            bar(p, r, s * 0.78);
            return true;
        case cmd::EndMark: {  // end mark: a chequered flag
            p.setPen(QPen(kInk, s * 0.07));
            p.drawLine(QPointF(r.left() + s * 0.2, r.top() + s * 0.1),
                       QPointF(r.left() + s * 0.2, r.bottom()));
            const double q = s * 0.2;
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 3; ++x)
                    p.fillRect(QRectF(r.left() + s * 0.22 + x * q, r.top() + s * 0.1 + y * q, q, q),
                               (x + y) % 2 ? Qt::white : kInk);
            return true;
        }
        case cmd::ToggleImages: {  // toggle images: a framed picture
            const QRectF f = r.adjusted(s * 0.08, s * 0.15, -s * 0.08, -s * 0.15);
            p.setPen(QPen(kInk, s * 0.06));
            p.setBrush(QColor(200, 230, 255));
            p.drawRect(f);
            QPolygonF hill;
            hill << f.bottomLeft()
                 << QPointF(f.left() + f.width() * 0.4, f.top() + f.height() * 0.35)
                 << f.bottomRight();
            p.setBrush(kGreen);
            p.drawPolygon(hill);
            return true;
        }
        case cmd::ToggleHints:  // toggle hints
            p.setPen(QPen(kInk, s * 0.06));
            p.setBrush(QColor(255, 250, 200));
            p.drawRoundedRect(r.adjusted(s * 0.08, s * 0.08, -s * 0.08, -s * 0.25), s * 0.15,
                              s * 0.15);
            text(p, r.adjusted(0, -s * 0.1, 0, -s * 0.15), "?", kBlue, s * 0.55);
            return true;
        case cmd::BriefingUndo:
        case cmd::BriefingRedo: {  // undo and redo: a curved arrow
            const bool undo = id == cmd::BriefingUndo;
            p.setPen(QPen(kBlue, s * 0.1));
            p.setBrush(Qt::NoBrush);
            QPainterPath path;
            const QPointF a(c.x() + (undo ? s * 0.45 : -s * 0.45), c.y() + s * 0.3);
            const QPointF b(c.x() + (undo ? -s * 0.35 : s * 0.35), c.y() - s * 0.1);
            path.moveTo(a);
            path.quadTo(QPointF(a.x(), c.y() - s * 0.35), b);
            p.drawPath(path);
            arrow(p, b + QPointF(undo ? s * 0.1 : -s * 0.1, -s * 0.05), b, kBlue, s * 0.1);
            return true;
        }
        default: return false;
    }
}

void paint(QPainter& p, CommandId id, const QRectF& r) {
    const double s = r.height();
    if (briefingGlyph(p, id, r)) return;
    if (const int system = app::indexIn(app::kSystemCommands, id); system >= 0) {
        static const char* roman[] = {"I", "II", "III", "IV"};
        p.setPen(QPen(kBlue, s * 0.06));
        p.setBrush(QColor(225, 235, 255));
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
        text(p, r, roman[system], kBlue, s * 0.5);
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
    } else if (app::indexIn(app::kStartPointCommands, id) >= 0) {
        flag(p, r, kGreen, "S");
    } else if (const int order = app::indexIn(app::kOrderWaypointCommands, id); order >= 0) {
        flag(p, r, kBlue, QString::number(order + 1));
    } else if (const int point = app::indexIn(app::kWaypointCommands, id); point >= 0) {
        waypoint(p, r, point + 1);
    } else if (id == cmd::HyperbuoyWizard) {
        p.setPen(QPen(kBlue, s * 0.08));
        p.setBrush(QColor(200, 220, 255));
        p.drawEllipse(r.center(), s * 0.35, s * 0.35);
        text(p, r, "H", kBlue, s * 0.5);
    } else if (id == cmd::OrdersWizard || id == cmd::BriefingWizard) {
        wand(p, r);
    } else if (id == cmd::ShowOnMap) {
        p.setPen(QPen(kRed, s * 0.1));
        p.drawEllipse(r.center(), s * 0.3, s * 0.3);
        p.setBrush(kRed);
        p.drawEllipse(r.center(), s * 0.08, s * 0.08);
    } else if (id == cmd::Play) {
        triangle(p, r, true);
    } else if (id == cmd::Stop) {
        p.fillRect(QRectF(r.center().x() - s * 0.25, r.top() + s * 0.25, s * 0.5, s * 0.5), kRed);
    } else if (id == cmd::StepForward) {
        triangle(p, r, true, -s * 0.1);
        bar(p, r, s * 0.65);
    } else if (id == cmd::StepBackward) {
        bar(p, r, s * 0.12);
        triangle(p, r, false, s * 0.05);
    } else if (id == cmd::GoToEnd) {
        bar(p, r, s * 0.1);
        triangle(p, r, false, s * 0.05);
        triangle(p, r, false, s * 0.35);
    } else if (id == cmd::NextAction) {
        triangle(p, r, true, -s * 0.15);
        triangle(p, r, true, s * 0.15);
    } else if (id == cmd::LastAction) {
        triangle(p, r, false, -s * 0.15);
        triangle(p, r, false, s * 0.15);
    } else if (const int step = app::indexIn(app::kStepCommands, id); step >= 0) {
        text(p, r, QString("%1x").arg(step + 1), kInk, s * 0.6);
    } else if (const int speed = app::indexIn(app::kSpeedCommands, id); speed >= 0) {
        static const char* arrows[] = {">", ">>", ">>>"};
        text(p, r, arrows[speed], kGreen, s * 0.6);
    } else if (id == cmd::LockBriefing) {
        // A padlock.
        p.setPen(QPen(kInk, s * 0.09));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(r.center().x() - s * 0.2, r.top() + s * 0.1, s * 0.4, s * 0.5), 0,
                  180 * 16);
        p.fillRect(QRectF(r.center().x() - s * 0.3, r.center().y() - s * 0.05, s * 0.6, s * 0.45),
                   kAmber);
    } else {
        return;  // handled by the text picture below
    }
}

// Commands whose picture is a short word.
QString word(CommandId id) {
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
        case cmd::AssignTeams: return "Teams";
        case cmd::NextBriefing: return "Next";
        case cmd::DeleteCommands: return "Del";
        case cmd::BriefingLength: return "Len";
        default: return {};
    }
}

}  // namespace

QIcon drawToolbarIcon(CommandId commandId, int width, int height) {
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

namespace {

// Draws its picture when it is first asked for (a button or menu entry being
// painted) and answers every question as the drawn icon does: the hidden
// toolbars and the menus cost nothing until they are shown.
class DrawnWhenShown : public QIconEngine {
  public:
    DrawnWhenShown(CommandId id, int width, int height)
        : m_id(id), m_width(width), m_height(height) {}

    // The rect is placed already: the pixmap for its device pixels fills it.
    void paint(QPainter* p, const QRect& r, QIcon::Mode mode, QIcon::State state) override {
        const QPaintDevice* device = p->device();
        const qreal ratio = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
        p->drawPixmap(r, pixmap(r.size() * ratio, mode, state));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return drawn().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return drawn().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return drawn().availableSizes(mode, state);
    }
    QString key() const override { return "quendar-toolbar"; }
    QIconEngine* clone() const override {
        auto* copy = new DrawnWhenShown(m_id, m_width, m_height);
        copy->m_icon = m_icon;
        return copy;
    }
    void virtual_hook(int id, void* data) override {
        if (id != QIconEngine::ScaledPixmapHook) return QIconEngine::virtual_hook(id, data);
        auto& arg = *static_cast<QIconEngine::ScaledPixmapArgument*>(data);
        // The drawn icon is asked for the same device pixels at the same ratio.
        const QSize logical(qRound(arg.size.width() / arg.scale),
                            qRound(arg.size.height() / arg.scale));
        arg.pixmap = drawn().pixmap(logical, arg.scale, arg.mode, arg.state);
    }

  private:
    const QIcon& drawn() {
        if (m_icon.isNull()) m_icon = drawToolbarIcon(m_id, m_width, m_height);
        return m_icon;
    }

    CommandId m_id;
    int m_width, m_height;
    QIcon m_icon;
};

}  // namespace

QIcon toolbarIcon(CommandId commandId, int width, int height) {
    return QIcon(new DrawnWhenShown(commandId, width, height));
}

}  // namespace quendar::ui
