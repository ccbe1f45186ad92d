#include "app/briefedit/BriefingTimeDisplay.h"

#include "briefing/BriefingKinds.h"

namespace quendar::app {

using namespace quendar::briefing;

std::string briefingTimeText(int time) {
    const int h = unitsToHundredths(time);
    return std::to_string(h / 6000) + ":" + std::to_string((h / 100) % 60) + ":" +
           std::to_string(h % 100);
}

std::string currentCommandText(const BriefingModel& briefing, int time) {
    std::string text;
    int matches = 0;
    auto scan = [&](Kind kind) {
        for (const Record& r : briefing.records(kind)) {
            if (r.time != time) continue;
            text = std::string(kindInfo(kind).statusText);
            ++matches;
        }
    };
    static constexpr Kind before[] = {
        BRC_LOWER,   BRC_SHOW,    BRC_COORD,   BRC_ORIENT,  BRC_SELECT1, BRC_SELECT2,
        BRC_SELECT3, BRC_SELECT4, BRC_SELECT5, BRC_SELECT6, BRC_SELECT7, BRC_SELECT8,
        BRC_TAG1,    BRC_TAG2,    BRC_TAG3,    BRC_TAG4,    BRC_TAG5,    BRC_TAG6,
        BRC_TAG7,    BRC_TAG8,    BRC_MOVEMAP, BRC_ZOOM,    BRC_REGION,  BRC_SKIP};
    for (Kind k : before) scan(k);
    if (time == briefing.briefingLength()) {
        text = "END BRIEFING";
        matches = 0;  // the end mark starts the count again
    }
    for (Kind k : {BRC_TECH, BRC_CLEARSEL, BRC_CLEARTAGS}) scan(k);
    return matches > 1 ? "Multiple commands" : text;
}

bool sliderInput(BriefingModel& briefing, SliderRequest request, int position) {
    const int t = briefing.currentTime();
    const int step = briefing.playback().stepSize;
    const int end = briefing.briefingEndTime();
    int next = t;
    switch (request) {
        case SliderRequest::LineLeft:
            next = t - step;
            if (next < 0) return false;
            break;
        case SliderRequest::LineRight:
            next = t + step;
            if (next >= end) return false;
            break;
        case SliderRequest::PageLeft:
            next = t - 2 * step;
            if (next <= 0) return false;
            break;
        case SliderRequest::PageRight:
            next = t + 2 * step;
            if (next >= end) return false;
            break;
        case SliderRequest::Thumb:
            next = position;
            if (next >= end) return false;
            break;
    }
    briefing.setCurrentTime(next);
    return true;
}

}  // namespace quendar::app
