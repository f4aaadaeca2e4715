// The shadow, the two pictures and the TMoon control.

#include "moon/almanac.h"
#include "moon/moonphase.h"
#include "moon/ui/tmoon.h"
#include "platform/daynumber.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QPixmap>

#include <functional>
#include <limits>

namespace {

const QColor untouched(200, 30, 60);

// Pixels surely inside the disc and surely outside it (the painted disc lies
// between radius - 0.5 and radius + 0.5 of the centre).
int distance2(int x, int y, QPoint c)
{
    return (x - c.x()) * (x - c.x()) + (y - c.y()) * (y - c.y());
}
bool inside(int x, int y, const TMoonSizeRow &row)
{
    return 4 * distance2(x, y, row.centre) <= (2 * row.radius - 1) * (2 * row.radius - 1);
}
bool outside(int x, int y, const TMoonSizeRow &row)
{
    return 4 * distance2(x, y, row.centre) > (2 * row.radius + 1) * (2 * row.radius + 1);
}

bool black(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(0, 0, 0);
}

// A plain picture of the size, with the shadow of `phase`.
QImage shadowed(const TMoonSizeRow &row, long double phase)
{
    QImage image(row.width, row.height, QImage::Format_ARGB32);
    image.fill(untouched);
    moon::drawmoonshadow(image, row.centre, row.radius, phase);
    return image;
}

void forevery(const QImage &image, const std::function<void(int, int)> &check)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            check(x, y);
}

int blackcount(const QImage &image)
{
    int n = 0;
    forevery(image, [&](int x, int y) { n += black(image, x, y); });
    return n;
}

class MoonShadow : public ::testing::TestWithParam<TMoonSize>
{
protected:
    const TMoonSizeRow &row = moonsizes[GetParam()];
};

} // namespace

TEST_P(MoonShadow, NewMoonDarkensTheWholeDiscAndNothingElse)
{
    for (long double phase : {180.0L, 178.0L, 183.0L}) {
        const QImage image = shadowed(row, phase);
        forevery(image, [&](int x, int y) {
            if (inside(x, y, row)) {
                EXPECT_TRUE(black(image, x, y)) << x << ',' << y << " at " << double(phase);
            }
            if (outside(x, y, row)) {
                EXPECT_EQ(image.pixelColor(x, y), untouched) << x << ',' << y;
            }
        });
    }
}

TEST_P(MoonShadow, FullMoonDarkensOnePixelAtEachRowsEdge)
{
    const int r = row.radius;
    const QPoint c = row.centre;
    const QImage waxing = shadowed(row, 0);
    const QImage waning = shadowed(row, 360.0L - 1e-12L);
    EXPECT_EQ(blackcount(waxing), 2 * r + 1);
    EXPECT_EQ(blackcount(waning), 2 * r + 1);
    // The left edge while waxing, the right edge while waning.
    EXPECT_TRUE(black(waxing, c.x() - r, c.y()));
    EXPECT_FALSE(black(waxing, c.x() + r, c.y()));
    EXPECT_TRUE(black(waning, c.x() + r, c.y()));
    EXPECT_FALSE(black(waning, c.x() - r, c.y()));
    forevery(waxing, [&](int x, int y) {
        if (inside(x, y, row) && x > c.x() - r + 1) {
            EXPECT_FALSE(black(waxing, x, y)) << x << ',' << y;
        }
    });
}

// Northern hemisphere: the waxing Moon is lit on the right.
TEST_P(MoonShadow, QuartersDarkenOneHalf)
{
    const QPoint c = row.centre;
    const QImage first = shadowed(row, 90);
    const QImage last = shadowed(row, 270);
    forevery(first, [&](int x, int y) {
        if (!inside(x, y, row))
            return;
        EXPECT_EQ(black(first, x, y), x <= c.x()) << "first quarter " << x << ',' << y;
        EXPECT_EQ(black(last, x, y), x >= c.x()) << "last quarter " << x << ',' << y;
    });
}

TEST_P(MoonShadow, CrescentsAndGibbousPhasesSitOnTheirSides)
{
    const int r = row.radius;
    const int x0 = row.centre.x();
    const int y = row.centre.y();
    const int near = r / 3, far = r - 2; // from the centre
    struct Case {
        long double phase;
        bool farleft, nearleft, nearright, farright; // dark?
    } cases[] = {
        {45, true, false, false, false},  // waxing gibbous
        {135, true, true, true, false},   // waxing crescent
        {225, false, true, true, true},   // waning crescent
        {315, false, false, false, true}, // waning gibbous
    };
    for (const Case &k : cases) {
        const QImage image = shadowed(row, k.phase);
        EXPECT_EQ(black(image, x0 - far, y), k.farleft) << double(k.phase);
        EXPECT_EQ(black(image, x0 - near, y), k.nearleft) << double(k.phase);
        EXPECT_EQ(black(image, x0 + near, y), k.nearright) << double(k.phase);
        EXPECT_EQ(black(image, x0 + far, y), k.farright) << double(k.phase);
    }
}

INSTANTIATE_TEST_SUITE_P(BothSizes, MoonShadow, ::testing::Values(ms64, ms32),
                         [](const auto &info) { return info.param == ms64 ? "ms64" : "ms32"; });

TEST(MoonShadowEdges, SkipsPixelsBeyondTheImageAndUnusablePhases)
{
    const TMoonSizeRow corner{10, 10, QPoint(0, 0), 12}; // three quarters off the image
    const QImage image = shadowed(corner, 180);
    forevery(image, [&](int x, int y) {
        if (inside(x, y, corner)) {
            EXPECT_TRUE(black(image, x, y)) << x << ',' << y;
        }
        if (outside(x, y, corner)) {
            EXPECT_EQ(image.pixelColor(x, y), untouched) << x << ',' << y;
        }
    });

    QImage other(10, 10, QImage::Format_ARGB32);
    other.fill(untouched);
    moon::drawmoonshadow(other, QPoint(5, 5), 4, std::numeric_limits<long double>::quiet_NaN());
    EXPECT_EQ(blackcount(other), 0);
    QImage null;
    moon::drawmoonshadow(null, QPoint(5, 5), 4, 180);
    EXPECT_TRUE(null.isNull());
}

// The pictures: the full Moon, its disc exactly where the table puts it.
TEST(MoonPictures, FullDiscAtTheTablesCentreAndRadius)
{
    for (TMoonSize size : {ms64, ms32}) {
        SCOPED_TRACE(moonresnames[size].toStdString());
        const TMoonSizeRow &row = moonsizes[size];
        QImage picture(moonresnames[size]);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), QSize(row.width, row.height));
        picture.convertTo(QImage::Format_ARGB32);
        forevery(picture, [&](int x, int y) {
            const QColor c = picture.pixelColor(x, y);
            if (inside(x, y, row)) {
                EXPECT_EQ(c.alpha(), 255) << x << ',' << y;
                EXPECT_GE(qGray(c.rgb()), 70) << x << ',' << y; // lit, never black
            }
            if (outside(x, y, row)) {
                EXPECT_EQ(c.alpha(), 0) << x << ',' << y;
            }
        });
        // The new Moon's shadow covers every pixel of the disc, so no lit rim stays.
        moon::drawmoonshadow(picture, row.centre, row.radius, 180);
        forevery(picture, [&](int x, int y) {
            const QColor c = picture.pixelColor(x, y);
            EXPECT_TRUE(c.alpha() == 0 || c == QColor(0, 0, 0)) << x << ',' << y;
        });
    }
}

TEST(MoonControl, StartsWithTodayInTheLargeSize)
{
    const double before = daynumber::fromdatetime(QDateTime::currentDateTime());
    TMoon moon;
    const double after = daynumber::fromdatetime(QDateTime::currentDateTime());
    EXPECT_EQ(moon.MoonSize(), ms64);
    EXPECT_EQ(moon.size(), QSize(64, 64));
    EXPECT_EQ(moon.minimumSize(), moon.maximumSize());
    EXPECT_GE(moon.Date(), before);
    EXPECT_LE(moon.Date(), after);
    EXPECT_EQ(moon.phase(), moon::putin360(moon::moonphaseangle(moon.Date())));
    EXPECT_EQ(moon.picture().size(), QSize(64, 64));
}

TEST(MoonControl, ShowsThePhaseOfTheDate)
{
    TMoon moon;
    const TMoonSizeRow &row = moonsizes[ms64];
    const int x0 = row.centre.x(), y0 = row.centre.y(), half = row.radius / 2;

    moon.setdate(almanac::newmoons[3].daynumber());
    EXPECT_NEAR(double(moon.phase()), 180, 1);
    forevery(moon.picture(), [&](int x, int y) {
        if (inside(x, y, row)) {
            EXPECT_TRUE(black(moon.picture(), x, y)) << x << ',' << y;
        }
    });

    // Written after the new Moon: the picture is reloaded, no shadow stays.
    moon.setdate(almanac::fullmoons[2].daynumber());
    EXPECT_FALSE(black(moon.picture(), x0 - half, y0));
    EXPECT_FALSE(black(moon.picture(), x0, y0));
    EXPECT_FALSE(black(moon.picture(), x0 + half, y0));

    moon.setdate(almanac::firstquarters[0].daynumber());
    EXPECT_TRUE(black(moon.picture(), x0 - half, y0));
    EXPECT_FALSE(black(moon.picture(), x0 + half, y0));

    moon.setdate(almanac::lastquarters[0].daynumber());
    EXPECT_FALSE(black(moon.picture(), x0 - half, y0));
    EXPECT_TRUE(black(moon.picture(), x0 + half, y0));

    // The widget paints its picture.
    const QImage shown = moon.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shown.size(), QSize(64, 64));
    EXPECT_EQ(shown.pixelColor(x0 + half, y0), QColor(0, 0, 0));
    EXPECT_EQ(shown.pixelColor(x0 - half, y0), moon.picture().pixelColor(x0 - half, y0));
}

TEST(MoonControl, TakesADateTimeAsWell)
{
    const QDateTime when(QDate(2025, 3, 6), QTime(16, 31));
    TMoon moon;
    moon.setdate(when);
    EXPECT_EQ(moon.Date(), daynumber::fromdatetime(when));
    EXPECT_NEAR(double(moon.phase()), 90, 1);
}

TEST(MoonControl, SwitchingToTheSmallSizeRedrawsTheSamePhase)
{
    TMoon moon;
    moon.setdate(almanac::firstquarters[1].daynumber());
    const long double phase = moon.phase();
    moon.setmoonsize(ms32);
    EXPECT_EQ(moon.MoonSize(), ms32);
    EXPECT_EQ(moon.size(), QSize(32, 32));
    EXPECT_EQ(moon.phase(), phase);

    QImage expected = QImage(moonresnames[ms32]).convertToFormat(QImage::Format_ARGB32);
    moon::drawmoonshadow(expected, moonsizes[ms32].centre, moonsizes[ms32].radius, phase);
    EXPECT_EQ(moon.picture(), expected);

    moon.setmoonsize(ms64);
    EXPECT_EQ(moon.size(), QSize(64, 64));
    EXPECT_EQ(moon.picture().size(), QSize(64, 64));
}
