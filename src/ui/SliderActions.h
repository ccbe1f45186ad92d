#pragma once

#include <QAbstractSlider>
#include <array>
#include <cstddef>
#include <optional>

namespace quendar::ui {

// What a slider's action asks for, given the requests that stand for its
// five steps in the order: a line back, a line on, a page back, a page on,
// the thumb dragged. Any other action (the ends of the bar) asks for nothing.
template <typename Request>
std::optional<Request> sliderRequest(int action, const std::array<Request, 5>& requests) {
    constexpr int kActions[] = {QAbstractSlider::SliderSingleStepSub,
                                QAbstractSlider::SliderSingleStepAdd,
                                QAbstractSlider::SliderPageStepSub,
                                QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderMove};
    for (std::size_t i = 0; i < requests.size(); ++i)
        if (kActions[i] == action) return requests[i];
    return std::nullopt;
}

}  // namespace quendar::ui
