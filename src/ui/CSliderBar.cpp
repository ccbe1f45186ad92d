#include "ui/CSliderBar.h"

#include <algorithm>

#include "ui/SliderActions.h"

namespace quendar::ui {

CSliderBar::CSliderBar(const QString& title, QWidget* parent) : QToolBar(title, parent) {
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName("briefingTimeSlider");
    m_slider->setRange(0, 3000);
    m_slider->setSingleStep(10);
    m_slider->setPageStep(100);
    connect(m_slider, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (m_moving || !input) return;
        using R = app::SliderRequest;
        const auto request = sliderRequest<R>(
            action, {R::LineLeft, R::LineRight, R::PageLeft, R::PageRight, R::Thumb});
        if (!request) return;  // the ends of the bar are no briefing request
        const R r = *request;
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
