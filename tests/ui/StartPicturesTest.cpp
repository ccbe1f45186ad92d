#include <gtest/gtest.h>

#include <QImage>

#include "QtTestApp.h"
#include "ui/StartPictures.h"

using namespace quendar;

// The splash picture drawn on its own thread (while this one draws its texts
// too) has the pixels of the one drawn when the splash is shown; asked again,
// it is drawn afresh.
TEST(SplashAhead, DrawsThePictureTheSplashDraws) {
    test::qtApp();
    ui::SplashAhead ahead;
    const QImage here = ui::splashImage();
    const QImage first = ahead.take();
    const QImage again = ahead.take();
    ASSERT_FALSE(here.isNull());
    EXPECT_EQ(first, here);
    EXPECT_EQ(again, here);
}
