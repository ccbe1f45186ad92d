#include "ui/MapWindow.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
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

void MapWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_rightDown) m_rightMoved = true;
    m_view.setMouse(pos.x(), pos.y());
    if (mouseMoved) mouseMoved();
}

void MapWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    m_view.setMouse(pos.x(), pos.y());
    if (event->button() == Qt::RightButton) {
        m_rightDown = true;
        m_rightMoved = false;
    } else if (event->button() == Qt::LeftButton && leftClick) {
        leftClick(pos.x(), pos.y());
    }
}

void MapWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && m_rightDown) {
        m_rightDown = false;
        if (!m_rightMoved && rightClick) rightClick();
    }
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
