#include "ui/CSliderBar.h"

#include <algorithm>

namespace quendar::ui {

CSliderBar::CSliderBar(const QString& title, QWidget* parent) : QToolBar(title, parent) {
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName("briefingTimeSlider");
    m_slider->setRange(0, 3000);
    m_slider->setSingleStep(10);
    m_slider->setPageStep(100);
    connect(m_slider, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (m_moving || !input) return;
        app::SliderRequest r;
        switch (action) {
            case QAbstractSlider::SliderSingleStepSub:
                r = app::SliderRequest::LineLeft;
                break;
            case QAbstractSlider::SliderSingleStepAdd:
                r = app::SliderRequest::LineRight;
                break;
            case QAbstractSlider::SliderPageStepSub:
                r = app::SliderRequest::PageLeft;
                break;
            case QAbstractSlider::SliderPageStepAdd:
                r = app::SliderRequest::PageRight;
                break;
            case QAbstractSlider::SliderMove:
                r = app::SliderRequest::Thumb;
                break;
            default:
                return;  // the ends of the bar are no briefing request
        }
        const int shown = input(r, m_slider->sliderPosition());
        m_moving = true;
        m_slider->setSliderPosition(shown);
        m_moving = false;
    });
}

void CSliderBar::showTime(int t) {
    m_moving = true;
    m_slider->setValue(t);
    m_moving = false;
}

void CSliderBar::setEndTime(int end) {
    m_moving = true;
    m_slider->setRange(0, std::max(0, end));
    m_moving = false;
}

}  // namespace quendar::ui
