#include "ui/MapWindow.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

namespace quendar::ui {

using map::ScrollAxis;
using map::ScrollRequest;

MapWindow::MapWindow(map::MapView& view, QWidget* parent)
    : QAbstractScrollArea(parent), m_view(view) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setMouseTracking(true);
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
    m_dragTimer->setInterval(10);
    connect(m_dragTimer, &QTimer::timeout, this, [this] {
        if (dragTick) dragTick();
        afterLogic();
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
    ScrollRequest req;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            req = ScrollRequest::LineUp;
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            req = ScrollRequest::LineDown;
            break;
        case QAbstractSlider::SliderPageStepSub:
            req = ScrollRequest::PageUp;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            req = ScrollRequest::PageDown;
            break;
        case QAbstractSlider::SliderMove:
            req = ScrollRequest::ThumbTrack;
            break;
        default:
            req = ScrollRequest::ThumbPosition;
            break;
    }
    m_view.scroll(axis, req, bar->sliderPosition(), locked());
    // The view decides; the bar shows what it decided (also when it refused).
    const int pos = axis == ScrollAxis::Horizontal ? m_view.scrollX() : m_view.scrollY();
    bar->setSliderPosition(pos);
    viewport()->update();
}

void MapWindow::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
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
        case Qt::LeftButton:
            e.button = PointerButton::Left;
            break;
        case Qt::RightButton:
            e.button = PointerButton::Right;
            break;
        case Qt::MiddleButton:
            e.button = PointerButton::Middle;
            break;
        default:
            e.button = PointerButton::None;
            break;
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

void MapWindow::mouseMoveEvent(QMouseEvent* event) { deliver(event, map::PointerAction::Move); }
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
    m_view.wheel(delta, false);
    sizeNotification();
    viewport()->update();
    event->accept();
}

}  // namespace quendar::ui
