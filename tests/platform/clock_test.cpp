#include "platform/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <QSignalSpy>

// The day changes once, however often it is asked, even when the work done
// for the new day asks again meanwhile.
TEST(Clock, ADayChangeIsToldOnceAndSettledBeforeItIsTold)
{
    Clock clock;
    QDateTime now(QDate(2026, 12, 31), QTime(23, 59, 59));
    clock.setsource([&now] { return now; });
    QSignalSpy changes(&clock, &Clock::daychanged);
    EXPECT_FALSE(clock.checkday());
    EXPECT_EQ(clock.lastday(), QDate(2026, 12, 31));

    now = QDateTime(QDate(2027, 1, 1), QTime(0, 0, 1));
    int nested = 0;
    QObject::connect(&clock, &Clock::daychanged, [&] { nested += clock.checkday() ? 1 : 0; });
    EXPECT_TRUE(clock.checkday());
    EXPECT_EQ(nested, 0);
    EXPECT_FALSE(clock.checkday());
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toDate(), QDate(2027, 1, 1));
    EXPECT_EQ(clock.lastday(), QDate(2027, 1, 1));
    EXPECT_EQ(clock.today(), QDate(2027, 1, 1));
}

TEST(Clock, TheSystemTimeIsTheLocalTimeOfTheZone)
{
    for (int i = 0; i < 3; ++i) {
        const QDateTime ours = Clock::systemnow();
        const QDateTime system = QDateTime::currentDateTime();
        EXPECT_LE(std::abs(ours.msecsTo(system)), 1000);
        EXPECT_EQ(ours.offsetFromUtc(), system.offsetFromUtc());
        // Read as local wall time, whatever the form it is carried in.
        EXPECT_LE(std::abs(QDateTime(ours.date(), ours.time()).msecsTo(system)), 1000);
    }
}
