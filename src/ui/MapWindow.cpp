#include "ui/MapWindow.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <optional>

#include "ui/SliderActions.h"

namespace quendar::ui {

using map::ScrollAxis;
using map::ScrollRequest;

MapWindow::MapWindow(map::MapView& view, QWidget* parent)
    : QAbstractScrollArea(parent), m_view(view) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setMouseTracking(true);
    // Every paint covers the whole map pane, so the toolkit need not clear
    // it first (a whole-window fill on every scroll step).
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setSingleStep(10);
        bar->setPageStep(150);
        bar->setTracking(true);
    }
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int a) { onScrollAction(ScrollAxis::Horizontal, a); });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int a) { onScrollAction(ScrollAxis::Vertical, a); });
    m_dragTimer = new QTimer(this);
    m_dragTimer->setObjectName("dragTimer");
    m_dragTimer->setInterval(10);
    connect(m_dragTimer, &QTimer::timeout, this, [this] {
        if (dragTick) dragTick();
        afterLogic();
    });
    // Resting the mouse on a shipgroup for half a second names it.
    m_hoverTimer = new QTimer(this);
    m_hoverTimer->setSingleShot(true);
    m_hoverTimer->setInterval(500);
    connect(m_hoverTimer, &QTimer::timeout, this, [this] {
        const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
        if (!tooltipAt || !viewport()->rect().contains(at)) return;
        const std::string text = tooltipAt(at.x(), at.y());
        if (!text.empty())
            QToolTip::showText(viewport()->mapToGlobal(at), QString::fromStdString(text),
                               viewport());
    });
}

void MapWindow::syncScrollBars() {
    m_syncing = true;
    auto apply = [this](QScrollBar* bar, map::ScrollRange r, int pos) {
        const QSignalBlocker block(bar);
        if (m_view.hasScrollRanges()) bar->setRange(r.minimum, std::max(r.minimum, r.maximum));
        bar->setValue(pos);
        bar->setSliderPosition(pos);
    };
    apply(horizontalScrollBar(), m_view.horizontalRange(), m_view.scrollX());
    apply(verticalScrollBar(), m_view.verticalRange(), m_view.scrollY());
    m_syncing = false;
}

void MapWindow::sizeNotification() {
    m_view.sizeNotification();
    syncScrollBars();
}

void MapWindow::onScrollAction(ScrollAxis axis, int action) {
    if (m_syncing) return;
    QScrollBar* bar = axis == ScrollAxis::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    using R = ScrollRequest;
    const R req =
        sliderRequest<R>(action, {R::LineUp, R::LineDown, R::PageUp, R::PageDown, R::ThumbTrack})
            .value_or(R::ThumbPosition);
    m_view.scroll(axis, req, bar->sliderPosition(), locked());
    // The view decides; the bar shows what it decided (also when it refused).
    const int pos = axis == ScrollAxis::Horizontal ? m_view.scrollX() : m_view.scrollY();
    bar->setSliderPosition(pos);
    viewport()->update();
}

void MapWindow::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    // On a scaled screen the map's texts are drawn at the screen's pixels.
    m_frame.setScale(viewport()->devicePixelRatioF());
    if (paintMap)
        paintMap(p, viewport()->size());
    else
        p.fillRect(viewport()->rect(), Qt::black);
}

void MapWindow::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    m_view.resize(viewport()->width(), viewport()->height());
    syncScrollBars();
}

void MapWindow::deliver(QMouseEvent* event, map::PointerAction action) {
    using map::PointerButton;
    map::PointerEvent e;
    e.action = action;
    switch (event->button()) {
        case Qt::LeftButton: e.button = PointerButton::Left; break;
        case Qt::RightButton: e.button = PointerButton::Right; break;
        case Qt::MiddleButton: e.button = PointerButton::Middle; break;
        default: e.button = PointerButton::None; break;
    }
    e.shift = event->modifiers().testFlag(Qt::ShiftModifier);
    e.control = event->modifiers().testFlag(Qt::ControlModifier);
    const QPoint pos = event->position().toPoint();
    e.x = pos.x();
    e.y = pos.y();
    // A press gives the map the keyboard focus first.
    if (action == map::PointerAction::Press || action == map::PointerAction::DoubleClick)
        setFocus(Qt::MouseFocusReason);
    if (pointer) pointer(e);
    event->accept();
    afterLogic();
}

void MapWindow::afterLogic() {
    const bool drag = dragging && dragging();
    if (drag && !m_dragTimer->isActive()) m_dragTimer->start();
    if (!drag && m_dragTimer->isActive()) m_dragTimer->stop();
    const map::CursorShape shape = cursorShape ? cursorShape() : map::CursorShape::Arrow;
    const Qt::CursorShape qt = shape == map::CursorShape::Hand    ? Qt::ClosedHandCursor
                               : shape == map::CursorShape::Cross ? Qt::CrossCursor
                                                                  : Qt::ArrowCursor;
    if (viewport()->cursor().shape() != qt) viewport()->setCursor(qt);
    if (horizontalScrollBar()->value() != m_view.scrollX() ||
        verticalScrollBar()->value() != m_view.scrollY())
        syncScrollBars();
}

bool MapWindow::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) {
        m_mouseInside = false;
        m_hoverTimer->stop();
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void MapWindow::mouseMoveEvent(QMouseEvent* event) {
    m_mouseInside = true;
    QToolTip::hideText();
    if (event->buttons() == Qt::NoButton)
        m_hoverTimer->start();
    else
        m_hoverTimer->stop();
    deliver(event, map::PointerAction::Move);
}

namespace {
// The keys the map's logic takes.
std::optional<app::MapKey> mapKey(int key) {
    switch (key) {
        case Qt::Key_Left: return app::MapKey::Left;
        case Qt::Key_Right: return app::MapKey::Right;
        case Qt::Key_Up: return app::MapKey::Up;
        case Qt::Key_Down: return app::MapKey::Down;
        case Qt::Key_Escape: return app::MapKey::Escape;
        case Qt::Key_Delete: return app::MapKey::Delete;
        default: return std::nullopt;
    }
}

bool isPasteKey(const QKeyEvent* e) {
    return e->key() == Qt::Key_V && (e->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}
}  // namespace

bool MapWindow::event(QEvent* event) {
    // Ctrl+V over the map pastes at the mouse rather than where the
    // shipgroups were: the map takes the key before the Edit menu's shortcut.
    if (event->type() == QEvent::ShortcutOverride && pasteAt &&
        isPasteKey(static_cast<QKeyEvent*>(event)) && m_mouseInside) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void MapWindow::keyPressEvent(QKeyEvent* event) {
    if (isPasteKey(event) && pasteAt && m_mouseInside) {
        pasteAt(m_view.mouseX(), m_view.mouseY());
        afterLogic();
        event->accept();
        return;
    }
    const auto k = mapKey(event->key());
    if (k && key && key(*k, event->modifiers().testFlag(Qt::ShiftModifier), event->timestamp())) {
        afterLogic();
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void MapWindow::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && mapKey(event->key()) && keyReleased)
        keyReleased(event->timestamp());
    QAbstractScrollArea::keyReleaseEvent(event);
}
void MapWindow::mousePressEvent(QMouseEvent* event) { deliver(event, map::PointerAction::Press); }
void MapWindow::mouseReleaseEvent(QMouseEvent* event) {
    deliver(event, map::PointerAction::Release);
}
void MapWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    deliver(event, map::PointerAction::DoubleClick);
}

void MapWindow::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0 && event->angleDelta().x() != 0) return;  // sideways tilt: not a zoom
    if (locked()) return;                                    // the lock refuses the wheel silently
    m_view.wheel(delta, false);  // sends the notch's one size notification
    syncScrollBars();
    viewport()->update();
    event->accept();
}

}  // namespace quendar::ui
