#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include "QtTestApp.h"
#include "ui/ToolbarIcons.h"

using namespace quendar;

namespace {
QImage painted(const QIcon& icon, QSize size, QIcon::Mode mode) {
    QImage img(size + QSize(6, 4), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    icon.paint(&p, img.rect(), Qt::AlignCenter, mode);
    return img;
}
}  // namespace

// The toolbar pictures are drawn when first shown; whatever a button or a
// menu asks of one (any size, state, screen ratio) gives the pixels the picture
// drawn at once gives: a word, a glyph, a wide button and an id without a glyph.
TEST(ToolbarIcons, DrawnWhenShownGivesThePixelsOfTheDrawnPicture) {
    test::qtApp();
    struct Row {
        app::CommandId id;
        int width, height;
    };
    using app::cmd;
    for (const Row r :
         {Row{cmd::System1, 24, 22}, Row{cmd::SelectMove, 24, 22}, Row{cmd::Step1, 40, 22},
          Row{cmd::MapMode, 80, 22}, Row{cmd::Contents, 24, 22}}) {
        const QIcon lazy = ui::toolbarIcon(r.id, r.width, r.height);
        const QIcon now = ui::drawToolbarIcon(r.id, r.width, r.height);
        ASSERT_FALSE(lazy.isNull()) << app::idNumber(r.id);
        const QSize size(r.width, r.height);
        EXPECT_EQ(lazy.actualSize(size), now.actualSize(size)) << app::idNumber(r.id);
        EXPECT_EQ(lazy.availableSizes(), now.availableSizes()) << app::idNumber(r.id);
        for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
            for (qreal ratio : {1.0, 2.0}) {
                const QPixmap a = lazy.pixmap(size, ratio, mode), b = now.pixmap(size, ratio, mode);
                EXPECT_EQ(a.devicePixelRatio(), b.devicePixelRatio()) << app::idNumber(r.id);
                EXPECT_EQ(a.toImage(), b.toImage())
                    << app::idNumber(r.id) << " mode " << mode << " ratio " << ratio;
            }
            EXPECT_EQ(painted(lazy, size, mode), painted(now, size, mode)) << app::idNumber(r.id);
        }
    }
}
