#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "QtTestApp.h"
#include "app/mapedit/MapTools.h"
#include "support/ScriptedUi.h"
#include "support/StubPorts.h"
#include "ui/MapWindow.h"

using namespace quendar;

namespace {
void send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
void wheel(QWidget* w, int delta) {
    QWheelEvent e(QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}
}  // namespace

TEST(MapWindow, SizeScrollBarsWheelAndMouse) {
    test::qtApp();
    app::Editor editor;
    quendar::testing::ScriptedPrompter prompter;
    quendar::testing::StubFrameView frameView;
    quendar::testing::StubMapListeners listeners;
    app::MapTools tools(editor, prompter, frameView, listeners, listeners);
    map::MapView& view = editor.mapView;
    bool locked = false;
    int& moves = listeners.moves;
    int& rightClicks = listeners.basics;
    ui::MapWindow w(view, nullptr);
    w.lockEngaged = [&] { return locked; };
    w.pointer = [&](const map::PointerEvent& e) { tools.pointer(e); };
    w.dragging = [&] { return tools.dragTimerWanted(); };
    w.dragTick = [&] { tools.tick(); };
    w.cursorShape = [&] { return tools.cursor(); };
    w.resize(820, 620);
    w.show();
    QCoreApplication::processEvents();

    // The first size notifications put the origin in the middle.
    const int vw = w.viewport()->width(), vh = w.viewport()->height();
    EXPECT_EQ(view.width(), vw);
    EXPECT_EQ(view.scrollX(), -(vw / 2));
    EXPECT_EQ(view.scrollY(), -(vh / 2));
    QScrollBar* h = w.horizontalScrollBar();
    EXPECT_EQ(h->minimum(), -204 * 100);
    EXPECT_EQ(h->maximum(), 204 * 100 - vw);
    EXPECT_EQ(h->value(), view.scrollX());

    // Line and page steps as the map defines them.
    const int x0 = view.scrollX();
    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view.scrollX(), x0 + 10);
    h->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(view.scrollX(), x0 + 10 - 150);
    EXPECT_EQ(h->value(), view.scrollX());
    w.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(view.scrollY(), -(vh / 2) - 10);

    // Under the briefing lock the bars and the wheel are refused.
    locked = true;
    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view.scrollX(), x0 - 140);
    EXPECT_EQ(h->value(), view.scrollX()) << "the bar shows the refused position";
    wheel(w.viewport(), 120);
    EXPECT_EQ(view.zoom(), 100);
    locked = false;
    wheel(w.viewport(), 120);
    EXPECT_EQ(view.zoom(), 110);
    wheel(w.viewport(), -120);
    EXPECT_EQ(view.zoom(), 100);

    // Mouse moves reach the view and the frame's read-out.
    send(w.viewport(), QEvent::MouseMove, QPoint(vw / 2 + 1, vh / 2), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view.mouseX(), vw / 2 + 1);
    EXPECT_EQ(moves, 1);

    // A right click without a drag asks for the Basic form; a drag does not.
    send(w.viewport(), QEvent::MouseButtonPress, QPoint(50, 50), Qt::RightButton, Qt::RightButton);
    send(w.viewport(), QEvent::MouseButtonRelease, QPoint(50, 50), Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(rightClicks, 1);
    send(w.viewport(), QEvent::MouseButtonPress, QPoint(50, 50), Qt::RightButton, Qt::RightButton);
    const int sx = view.scrollX();
    send(w.viewport(), QEvent::MouseMove, QPoint(80, 60), Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(view.scrollX(), sx + 40) << "a move of 30 pixels to the right";
    EXPECT_EQ(w.horizontalScrollBar()->value(), view.scrollX());
    EXPECT_EQ(w.viewport()->cursor().shape(), Qt::ClosedHandCursor);
    send(w.viewport(), QEvent::MouseButtonRelease, QPoint(80, 60), Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(rightClicks, 1);
    EXPECT_EQ(w.viewport()->cursor().shape(), Qt::ArrowCursor);
}
