#include "platform/daynumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(DayNumber, CountsDaysFromTheLastDaysOf1899)
{
    EXPECT_EQ(daynumber::fromdate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(daynumber::fromdate(QDate(1900, 1, 1)), 2.0);
    EXPECT_EQ(daynumber::fromdate(QDate(2000, 1, 1)), 36526.0);
    EXPECT_EQ(daynumber::fromdate(QDate(2026, 12, 8)), 46364.0);
    EXPECT_EQ(daynumber::fromdate(QDate(1899, 12, 29)), -1.0);
    EXPECT_TRUE(std::isnan(daynumber::fromdate(QDate())));

    EXPECT_EQ(daynumber::todate(36526.0), QDate(2000, 1, 1));
    EXPECT_EQ(daynumber::todate(46364.0), QDate(2026, 12, 8));
}

TEST(DayNumber, TheTimeIsTheFractionAndTheDateIsCutTowardsZero)
{
    EXPECT_EQ(daynumber::fraction(QTime(6, 0)), 0.25);
    EXPECT_EQ(daynumber::fraction(QTime(18, 0)), 0.75);
    EXPECT_EQ(daynumber::fromdatetime(QDateTime(QDate(2000, 1, 1), QTime(12, 0))), 36526.5);

    EXPECT_EQ(daynumber::todate(36526.999), QDate(2000, 1, 1));
    EXPECT_EQ(daynumber::totime(36526.75), QTime(18, 0));
    EXPECT_EQ(daynumber::todatetime(36526.25), QDateTime(QDate(2000, 1, 1), QTime(6, 0)));

    // Before the first day the whole part counts back, the fraction forward.
    EXPECT_EQ(daynumber::todate(-1.25), QDate(1899, 12, 29));
    EXPECT_EQ(daynumber::totime(-1.25), QTime(6, 0));
    EXPECT_EQ(daynumber::fromdatetime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
}

TEST(DayNumber, NumbersThatAreNoDateGiveInvalidResults)
{
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity(), 1e300, -1e300}) {
        EXPECT_FALSE(daynumber::todate(bad).isValid()) << bad;
        EXPECT_FALSE(daynumber::totime(bad).isValid()) << bad;
        EXPECT_FALSE(daynumber::todatetime(bad).isValid()) << bad;
    }
    // Rounding up to the next day's midnight stays within the day.
    EXPECT_EQ(daynumber::totime(0.99999999999), QTime(23, 59, 59, 999));
}
