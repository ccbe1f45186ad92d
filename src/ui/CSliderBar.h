#pragma once

#include <QSlider>
#include <QToolBar>
#include <functional>

namespace quendar::ui {

// The briefing commands toolbar: a toolbar that carries the briefing time
// slider and hands its horizontal scroll notifications to the briefing
// playback (which then refreshes the time display and the map).
class CSliderBar : public QToolBar {
    Q_OBJECT
public:
    CSliderBar(const QString& title, QWidget* parent) : QToolBar(title, parent) {
        m_slider = new QSlider(Qt::Horizontal, this);
        m_slider->setObjectName("briefingTimeSlider");
        m_slider->setRange(0, 3000);
        m_slider->setSingleStep(10);
        m_slider->setPageStep(100);
        connect(m_slider, &QSlider::valueChanged, this, [this](int v) {
            if (!m_moving && timeChanged) timeChanged(v);
        });
    }
    QSlider* slider() const { return m_slider; }
    // Moves the slider without sending the notification back.
    void showTime(int t) {
        m_moving = true;
        m_slider->setValue(t);
        m_moving = false;
    }

    std::function<void(int)> timeChanged;

private:
    QSlider* m_slider;
    bool m_moving = false;
};

}  // namespace quendar::ui
