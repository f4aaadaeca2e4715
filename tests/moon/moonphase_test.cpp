// The window-free moon computation.

#include "almanac.h"
#include "moon/moonphase.h"
#include "platform/daynumber.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>
#include <limits>
#include <numbers>

using namespace moon;

namespace {

constexpr long double pi = std::numbers::pi_v<long double>;
constexpr long double au = 149597869.0L; // km, the constant the Sun's distance uses

double at(int y, int m, int d, int h = 0, int mi = 0)
{
    return daynumber::fromdatetime(QDateTime(QDate(y, m, d), QTime(h, mi)));
}

long double phaseof(double date)
{
    return putin360(moonphaseangle(date));
}

} // namespace

TEST(MoonAngles, Putin360ReducesToTheHalfOpenCircle)
{
    // Worked examples.
    EXPECT_EQ(putin360(-30), 330);
    EXPECT_EQ(putin360(540), 180);
    EXPECT_EQ(putin360(720), 0);

    EXPECT_EQ(putin360(0), 0);
    EXPECT_EQ(putin360(360), 0);
    EXPECT_EQ(putin360(-360), 0);
    EXPECT_EQ(putin360(180), 180);
    EXPECT_EQ(putin360(-180), 180);
    EXPECT_EQ(putin360(359.5L), 359.5L);
    EXPECT_EQ(putin360(-0.5L), 359.5L);
    EXPECT_EQ(putin360(-720.25L), 359.75L);
    EXPECT_EQ(putin360(1000000.25L), 280.25L);
    EXPECT_NEAR(double(putin360(-36946.83734L)), 133.16266, 1e-9);
    // A remainder too small to survive "+ 360" gives 0, never 360.
    EXPECT_EQ(putin360(-1e-30L), 0);
    EXPECT_EQ(putin360(360 * 7 - 1e-30L), 0);
    EXPECT_TRUE(std::isnan(putin360(std::numeric_limits<long double>::quiet_NaN())));
}

TEST(MoonAngles, SineAndCosineTakeDegreesOfAnySize)
{
    EXPECT_EQ(sindeg(0), 0);
    EXPECT_NEAR(double(sindeg(30)), 0.5, 1e-15);
    EXPECT_NEAR(double(sindeg(90)), 1.0, 1e-18);
    EXPECT_NEAR(double(sindeg(-90)), -1.0, 1e-18);
    EXPECT_NEAR(double(sindeg(750)), 0.5, 1e-15);
    EXPECT_NEAR(double(sindeg(180)), 0.0, 1e-18);
    EXPECT_NEAR(double(cosdeg(0)), 1.0, 0);
    EXPECT_NEAR(double(cosdeg(180)), -1.0, 1e-18);
    EXPECT_NEAR(double(cosdeg(-60)), 0.5, 1e-15);
    EXPECT_NEAR(double(cosdeg(360.0L * 100000 + 60)), 0.5, 1e-15);
    EXPECT_NEAR(double(cosdeg(270)), 0.0, 1e-18);
}

TEST(MoonAngles, ArcsinAndArccosInRadiansUpToTheirEnds)
{
    EXPECT_EQ(arcsin(0), 0);
    EXPECT_EQ(arcsin(1), pi / 2);
    EXPECT_EQ(arcsin(-1), -pi / 2);
    EXPECT_NEAR(double(arcsin(0.5L)), double(pi / 6), 1e-15);
    EXPECT_NEAR(double(arcsin(-0.5L)), double(-pi / 6), 1e-15);
    EXPECT_EQ(arccos(1), 0);
    EXPECT_EQ(arccos(-1), pi);
    EXPECT_EQ(arccos(0), pi / 2);
    EXPECT_NEAR(double(arccos(0.5L)), double(pi / 3), 1e-15);
    for (long double x = -0.999L; x < 1; x += 0.037L) {
        EXPECT_NEAR(double(arcsin(x)), std::asin(double(x)), 1e-12) << double(x);
        EXPECT_NEAR(double(arccos(x)), std::acos(double(x)), 1e-12) << double(x);
    }
}

TEST(MoonJulianDate, CountsFromTheDayNumber)
{
    EXPECT_EQ(juliandate(at(2000, 1, 1)), 2451544.5L);
    EXPECT_EQ(juliandate(at(2000, 1, 1, 12)), 2451545.0L);
    EXPECT_EQ(juliandate(at(1899, 12, 30)), 2415018.5L);
    EXPECT_EQ(juliandate(at(1992, 4, 12)), 2448724.5L);
    EXPECT_EQ(juliandate(at(1992, 10, 13)), 2448908.5L);
    EXPECT_EQ(juliandate(at(1582, 10, 15)), 2299160.5L);
}

TEST(MoonJulianDate, IsZeroUpToTheGregorianReform)
{
    EXPECT_EQ(juliandate(at(1582, 10, 14)), 0);
    EXPECT_EQ(juliandate(at(1582, 10, 14, 18)), 0); // day numbers before 1900 count the time back
    EXPECT_EQ(juliandate(at(1582, 10, 4)), 0);
    EXPECT_EQ(juliandate(at(1000, 1, 1)), 0);
    EXPECT_EQ(juliandate(at(1, 1, 1)), 0);
    // The first day after the cut-off, taken as it comes: before 1900 the
    // time fraction is subtracted from the day, so 6:00 lies a quarter day earlier.
    EXPECT_EQ(juliandate(at(1582, 10, 15, 6)), 2299160.25L);

    // Such dates still give a phase on the circle (all the same one, as JD is 0).
    const long double old = phaseof(at(1500, 6, 1));
    EXPECT_GE(old, 0);
    EXPECT_LT(old, 360);
    EXPECT_EQ(phaseof(at(1066, 10, 14)), old);
}

// Meeus, Example 25.a (1992 October 13, 0h): the low-accuracy solar coordinates.
TEST(MoonSunPosition, MeeusExample25a)
{
    const SunPosition sun = sunposition(2448908.5L);
    EXPECT_NEAR(double(sun.longitude), 199.90988, 1e-4);
    EXPECT_NEAR(double(sun.distance / au), 0.99766, 1e-5);
}

// Meeus, Example 47.a (1992 April 12, 0h). The mean elements used here are those of
// the book's first edition, which move the result by some 0.000005 degree.
TEST(MoonMoonPosition, MeeusExample47a)
{
    const MoonPosition moon = moonposition(2448724.5L);
    EXPECT_NEAR(double(putin360(moon.longitude)), 133.162655, 2e-5);
    EXPECT_LT(moon.longitude, 0); // not reduced: the mean longitude's own count of turns
    EXPECT_NEAR(double(moon.latitude), -3.229126, 2e-6);
    EXPECT_NEAR(double(moon.distance), 368409.7, 0.3);
}

TEST(MoonMoonPosition, TablesAreThePublishedOnes)
{
    ASSERT_EQ(table47a.size(), 60u);
    ASSERT_EQ(table47b.size(), 60u);
    // The ends of each table, the zero-longitude row included.
    EXPECT_EQ(table47a.front().l, 6288774);
    EXPECT_EQ(table47a.front().r, -20905355);
    EXPECT_EQ(table47a.back().d, 2);
    EXPECT_EQ(table47a.back().mp, -1);
    EXPECT_EQ(table47a.back().f, -2);
    EXPECT_EQ(table47a.back().l, 0);
    EXPECT_EQ(table47a.back().r, 8752);
    EXPECT_EQ(table47b.front().b, 5128122);
    EXPECT_EQ(table47b.back().b, 107);
    long zerolongitude = 0, zerodistance = 0;
    for (const auto &t : table47a) {
        zerolongitude += t.l == 0;
        zerodistance += t.r == 0;
    }
    EXPECT_EQ(zerolongitude, 1);
    EXPECT_EQ(zerodistance, 14);
}

// Meeus, Example 48.a: i = 69.0756 degrees on 1992 April 12, 0h, waxing.
// The computation uses the geometric Sun, without aberration, hence the small difference.
TEST(MoonPhaseAngle, MeeusExample48a)
{
    const long double i = moonphaseangle(at(1992, 4, 12));
    EXPECT_NEAR(double(i), 69.0756, 0.02);
}

// At new Moon the Moon stands within its latitude (up to 5.3 degrees) of the
// Sun, so i is 180 less at most that much; the day before it wanes (between
// 180 and 360), the day after it waxes (between 0 and 180).
TEST(MoonPhaseAngle, NewMoonsOf2024And2025)
{
    for (const auto &m : almanac::newmoons) {
        SCOPED_TRACE(QDate(m.year, m.month, m.day).toString(Qt::ISODate).toStdString());
        const double t = m.daynumber();
        EXPECT_NEAR(double(phaseof(t)), 180.0, 5.5);
        EXPECT_GT(phaseof(t - 1), 180);
        EXPECT_LT(phaseof(t - 1), 205);
        EXPECT_LT(phaseof(t + 1), 180);
        EXPECT_GT(phaseof(t + 1), 155);
    }
}

TEST(MoonPhaseAngle, FullMoonsOf2024And2025)
{
    for (const auto &m : almanac::fullmoons) {
        SCOPED_TRACE(QDate(m.year, m.month, m.day).toString(Qt::ISODate).toStdString());
        const double t = m.daynumber();
        const long double p = phaseof(t);
        EXPECT_LT(std::min(p, 360 - p), 5.5);
        EXPECT_GT(phaseof(t - 1), 0); // waxing, nearly full
        EXPECT_LT(phaseof(t - 1), 25);
        EXPECT_GT(phaseof(t + 1), 335); // waning, just past full
        EXPECT_LT(phaseof(t + 1), 360);
    }
}

TEST(MoonPhaseAngle, QuartersOf2024And2025)
{
    for (const auto &m : almanac::firstquarters)
        EXPECT_NEAR(double(phaseof(m.daynumber())), 90.0, 1.0) << m.year << '-' << m.month;
    for (const auto &m : almanac::lastquarters)
        EXPECT_NEAR(double(phaseof(m.daynumber())), 270.0, 1.0) << m.year << '-' << m.month;
}

// Through one lunation, hour by hour, the phase only ever falls: from about
// 180 down to 0 while waxing, then from 360 down to about 180 while waning.
// At full Moon it steps from i to 360 - i (i no less than the Moon's latitude),
// once.
TEST(MoonPhaseAngle, FallsSteadilyThroughALunation)
{
    const double start = almanac::newmoons[0].daynumber() + 0.1;
    const double end = almanac::newmoons[1].daynumber() - 0.1;
    long double previous = phaseof(start);
    EXPECT_LT(previous, 180);
    int wraps = 0;
    for (double t = start + 1.0 / 24; t < end; t += 1.0 / 24) {
        const long double p = phaseof(t);
        ASSERT_GE(p, 0);
        ASSERT_LT(p, 360);
        const long double fall = putin360(previous - p);
        ASSERT_GT(fall, 0) << t;
        if (p > previous) {
            ++wraps;
            ASSERT_LT(fall, 11) << t;
        } else {
            ASSERT_LT(fall, 1.5) << t;
        }
        previous = p;
    }
    EXPECT_EQ(wraps, 1);
    EXPECT_GT(previous, 180);
}
