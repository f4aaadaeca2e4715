// The Overview's clock widget: shaped like its face so the box's frame
// around it is never painted over, and showing the time it was given.

#include "mainwindow/ui/clockview.h"

#include "mainwindow/lessonstatus.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QRegion>

namespace {

// A round face on the key colour's transparency, as loaded from "clock.bmp".
QImage roundface()
{
    QImage face(clocksize, clocksize, QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    QPainter p(&face);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 230, 250));
    p.drawEllipse(2, 2, clocksize - 4, clocksize - 4);
    return face;
}

} // namespace

TEST(ClockView, IsShapedLikeItsFaceAndWhatItDraws)
{
    const ClockView round(roundface());
    EXPECT_FALSE(round.mask().contains(QPoint(0, 0))) << "the box's frame shows in the corners";
    EXPECT_FALSE(round.mask().contains(QPoint(clocksize - 1, clocksize - 1)));
    EXPECT_TRUE(round.mask().contains(QPoint(60, 60)));
    EXPECT_TRUE(round.mask().contains(QPoint(4, 60)));

    // Without a face the hands and the digital time still have their room.
    QImage blank(clocksize, clocksize, QImage::Format_ARGB32_Premultiplied);
    blank.fill(Qt::transparent);
    const ClockView bare(blank);
    for (const QPoint p : {clockhandpoint(0, 3), clockhandpoint(1.5707963267948966, 3), QPoint(60, 60),
                           QPoint(digitalsecondsx + 10, 52), QPoint(22, 46)})
        EXPECT_TRUE(bare.mask().contains(p)) << p.x() << "," << p.y();

    // A face with no transparency is the whole square.
    QImage square(clocksize, clocksize, QImage::Format_RGB32);
    square.fill(Qt::gray);
    EXPECT_EQ(ClockView(square).mask(), QRegion(0, 0, clocksize, clocksize));
}

TEST(ClockView, PaintsTheFaceOnWhiteWithTheHandsOfTheTimeShown)
{
    ClockView clock(roundface());
    clock.showtime(QTime(3, 0, 0, 700), false);
    EXPECT_EQ(clock.time(), QTime(3, 0, 0)) << "to the second";
    const QImage shown = clock.grab().toImage();
    EXPECT_EQ(shown.pixelColor(60, 30), QColor(255, 0, 0)) << "the second hand at twelve";
    EXPECT_EQ(shown.pixelColor(80, 60), QColor(128, 128, 128)) << "the hour hand at three";
    EXPECT_EQ(shown.pixelColor(30, 90), QColor(230, 230, 250)) << "the face";
}
