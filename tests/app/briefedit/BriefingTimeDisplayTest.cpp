#include <gtest/gtest.h>

#include "app/briefedit/BriefingTimeDisplay.h"
#include "briefing/BriefingKinds.h"
#include "mission/MissionStore.h"

using namespace quendar;
using namespace quendar::app;
using briefing::BriefingModel;

TEST(BriefingTimeDisplay, TimeTextWithoutLeadingZeros) {
    EXPECT_EQ(briefingTimeText(0), "0:0:0");
    EXPECT_EQ(briefingTimeText(845), "0:59:99");  // 5999.5 hundredths, truncated
    EXPECT_EQ(briefingTimeText(846), "1:0:6");
    EXPECT_EQ(briefingTimeText(3000), "3:33:0");
}

TEST(BriefingTimeDisplay, CurrentCommandPane) {
    mission::MissionStore store;
    BriefingModel b(store);
    b.setBriefingLength(3000);
    ASSERT_TRUE(b.appendCommand(briefing::BRC_ZOOM, 100, {32, 32}));
    EXPECT_EQ(currentCommandText(b, 99), "");
    EXPECT_EQ(currentCommandText(b, 100), "Zooming");
    ASSERT_TRUE(b.appendCommand(briefing::BRC_SKIP, 100));
    EXPECT_EQ(currentCommandText(b, 100), "Multiple commands");

    // The length mark shows "END BRIEFING" and starts the count again: one
    // command of the last group after it shows its own text.
    b.setBriefingLength(100);
    EXPECT_EQ(currentCommandText(b, 100), "END BRIEFING");
    ASSERT_TRUE(b.appendCommand(briefing::BRC_TECH, 100, {1, 3}));
    EXPECT_EQ(currentCommandText(b, 100), "Technical data");
    ASSERT_TRUE(b.appendCommand(briefing::BRC_CLEARTAGS, 100));
    EXPECT_EQ(currentCommandText(b, 100), "Multiple commands");
}

TEST(BriefingTimeDisplay, SliderRequestsStayInsideTheBriefing) {
    mission::MissionStore store;
    BriefingModel b(store);
    b.setBriefingEndTime(50);
    b.playback().stepSize = 3;
    b.setCurrentTime(2);
    EXPECT_FALSE(sliderInput(b, SliderRequest::LineLeft, 0)) << "2 - 3 is below 0";
    EXPECT_TRUE(sliderInput(b, SliderRequest::LineRight, 0));
    EXPECT_EQ(b.currentTime(), 5);
    EXPECT_FALSE(sliderInput(b, SliderRequest::PageLeft, 0)) << "5 - 6 is not above 0";
    EXPECT_TRUE(sliderInput(b, SliderRequest::PageRight, 0));
    EXPECT_EQ(b.currentTime(), 11);
    EXPECT_TRUE(sliderInput(b, SliderRequest::Thumb, 49));
    EXPECT_EQ(b.currentTime(), 49);
    EXPECT_FALSE(sliderInput(b, SliderRequest::LineRight, 0)) << "52 is past the end";
    EXPECT_FALSE(sliderInput(b, SliderRequest::Thumb, 50)) << "the end itself is refused";
    EXPECT_EQ(b.currentTime(), 49);
}
