#pragma once

#include <QSlider>
#include <QToolBar>
#include <functional>

#include "app/briefedit/BriefingTimeDisplay.h"

namespace quendar::ui {

// The briefing commands toolbar: a toolbar that carries the briefing time
// slider and hands its scroll requests to the briefing playback, which
// decides the new time; the slider then shows that time.
class CSliderBar : public QToolBar {
    Q_OBJECT
  public:
    CSliderBar(const QString& title, QWidget* parent);
    QSlider* slider() const { return m_slider; }
    // Moves the slider to the briefing time without asking anyone.
    void showTime(int t);
    void setEndTime(int end);

    // Returns the time the slider shows after the request.
    std::function<int(app::SliderRequest, int position)> input;

  private:
    QSlider* m_slider;
    bool m_moving = false;
};

}  // namespace quendar::ui
