// The clock's hands, the countdown to the bell and the lesson in progress.

#include "mainwindow/lessonstatus.h"

#include "database/recordrules.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

TLessonRec lesson(qint8 week, qint8 day, int start, int end, const char *subject, const char *room = "")
{
    TLessonRec l;
    l.week = week;
    l.day = day;
    l.start = start;
    l.end = end;
    l.subject = subject;
    l.classroom = room;
    return l;
}

// Wednesday 9 December 2026.
QDateTime wednesday(int h, int m, int s = 0)
{
    return QDateTime(QDate(2026, 12, 9), QTime(h, m, s));
}

} // namespace

TEST(Clock, HandsEndWhereTheTimeSays)
{
    // 3:00:00: minute and second hands straight up, 40 long; hour hand right, 30 long.
    EXPECT_EQ(clockhandpoint(0 * 0.10471975511965978, 3), QPoint(60, 20));
    EXPECT_EQ(clockhandpoint(3 * 0.5235987755982989, 4), QPoint(90, 60));
    // Ends are cut towards zero: half past points down, a hair left of the
    // centre line, so its end lies one pixel short.
    EXPECT_EQ(clockhandpoint(30 * 0.10471975511965978, 3), QPoint(59, 100));
    // 10:59: the hour hand 59/120 radians past ten o'clock.
    const QPoint ten = clockhandpoint(10 * 0.5235987755982989 + 59 / 120.0, 4);
    EXPECT_EQ(ten, QPoint(int(std::cos(10 * 0.5235987755982989 + 59 / 120.0 - 1.5707963267948966) * 30 + 60),
                          int(std::sin(10 * 0.5235987755982989 + 59 / 120.0 - 1.5707963267948966) * 30 + 60)));
    EXPECT_LT(ten.x(), 60);
    EXPECT_LT(ten.y(), 60);

    QImage face(120, 120, QImage::Format_ARGB32);
    face.fill(Qt::white);
    const QImage analog = drawclock(face, QTime(3, 0, 0), false).toImage();
    EXPECT_EQ(analog.pixelColor(60, 30), QColor(255, 0, 0)) << "the second hand is drawn last";
    EXPECT_EQ(analog.pixelColor(80, 60), QColor(128, 128, 128));
    EXPECT_EQ(analog.pixelColor(30, 90), QColor(Qt::white));
}

// The digital time sits in its cell from (20, 44) down, and "hh:mm" ends
// before the seconds begin, whatever the digits.
TEST(LessonStatus, TheDigitalClocksTimeNeverRunsIntoItsSeconds)
{
    QImage face(120, 120, QImage::Format_ARGB32);
    face.fill(Qt::white);
    for (const QTime time : {QTime(10, 59, 30), QTime(23, 58, 58), QTime(0, 0, 0)}) {
        const QImage clock = drawclock(face, time, true).toImage();
        auto dark = [&](int x, int y) { return qGray(clock.pixel(x, y)) < 128; };
        auto darkcolumn = [&](int x) {
            for (int y = 0; y < clock.height(); ++y) {
                if (dark(x, y))
                    return true;
            }
            return false;
        };
        int top = clock.height(), lefttext = 120, rightofhours = -1;
        for (int y = 0; y < clock.height(); ++y) {
            for (int x = 0; x < digitalsecondsx; ++x) {
                if (dark(x, y)) {
                    top = std::min(top, y);
                    lefttext = std::min(lefttext, x);
                    rightofhours = std::max(rightofhours, x);
                }
            }
        }
        const QString at = time.toString();
        EXPECT_GE(top, 44) << at.toStdString();
        EXPECT_LE(top, 50) << at.toStdString();
        EXPECT_GE(lefttext, 20) << at.toStdString();
        EXPECT_LT(rightofhours, digitalsecondsx - 1) << at.toStdString() << ": the minutes reach the seconds";
        EXPECT_FALSE(darkcolumn(digitalsecondsx - 1)) << at.toStdString();
        bool seconds = false;
        for (int x = digitalsecondsx; x < 120; ++x)
            seconds = seconds || darkcolumn(x);
        EXPECT_TRUE(seconds) << at.toStdString();
    }
}

TEST(LessonStatus, CountdownText)
{
    EXPECT_EQ(minutestotext(75, 10), QStringLiteral("1 hours, 15 mins and 49 secs"));
    EXPECT_EQ(minutestotext(60, 0), QStringLiteral("1 hours, 59 secs"));
    EXPECT_EQ(minutestotext(0, 59), QStringLiteral("0 secs"));
    EXPECT_EQ(minutestotext(14, 20), QStringLiteral("14 mins and 39 secs"));
}

TEST(LessonStatus, InALessonInABreakAndAroundTheDay)
{
    std::vector<TLessonRec> t = {
        lesson(-1, 3, 480, 525, "Maths", "B12"), lesson(-1, 3, 535, 580, "", ""), lesson(-1, 3, 600, 645, "Art", "A1"),
        lesson(-2, 3, 480, 525, "Odd maths"), lesson(1, 3, 480, 525, "Lecture"),
    };
    int none = -1;
    sorttimetable(t, none);

    LessonStatus s = lessonstatus(t, wednesday(8, 30, 20), -1, 0, false);
    EXPECT_EQ(s.current, QStringLiteral("Maths"));
    EXPECT_EQ(s.rings, QStringLiteral("14 mins and 39 secs"));
    EXPECT_EQ(s.next, QStringLiteral("No lesson")) << "the next lesson has no subject";
    EXPECT_EQ(s.room, QStringLiteral("None"));
    EXPECT_GE(s.currentlesson, 0);
    EXPECT_EQ(t[s.currentlesson].subject, QStringLiteral("Maths"));

    s = lessonstatus(t, wednesday(9, 50), -1, 0, false); // ten minutes before Art
    EXPECT_EQ(s.current, QStringLiteral("Break"));
    EXPECT_EQ(s.next, QStringLiteral("Art"));
    EXPECT_EQ(s.room, QStringLiteral("A1"));
    EXPECT_EQ(s.rings, QStringLiteral("9 mins and 59 secs"));

    s = lessonstatus(t, wednesday(7, 30), -1, 0, false); // thirty minutes before the first
    EXPECT_EQ(s.current, QStringLiteral("No lesson"));
    EXPECT_EQ(s.next, QStringLiteral("Maths"));

    s = lessonstatus(t, wednesday(10, 30), -1, 0, false); // the last lesson
    EXPECT_EQ(s.current, QStringLiteral("Art"));
    EXPECT_EQ(s.next, QStringLiteral("No lesson"));
    EXPECT_EQ(s.room, QStringLiteral("None"));

    s = lessonstatus(t, wednesday(12, 0), -1, 0, false); // after school
    EXPECT_EQ(s.current, QStringLiteral("No lesson"));
    EXPECT_EQ(s.rings, QStringLiteral("Never"));
    EXPECT_EQ(s.currentlesson, -1);

    // Other weeks and modes.
    EXPECT_EQ(lessonstatus(t, wednesday(8, 0), -2, 0, false).current, QStringLiteral("Odd maths"));
    EXPECT_EQ(lessonstatus(t, wednesday(8, 0), 1, 0, false).current, QStringLiteral("Lecture"));
}

TEST(LessonStatus, WeekendsAndTheDayNumbers)
{
    std::vector<TLessonRec> t = {lesson(-1, 6, 480, 525, "Saturday club"), lesson(-1, 1, 480, 525, "Sunday first")};
    const QDateTime saturday(QDate(2026, 12, 12), QTime(8, 0));
    LessonStatus s = lessonstatus(t, saturday, -1, 0, false);
    EXPECT_EQ(s.current, QStringLiteral("It's weekend!"));
    EXPECT_EQ(s.next, QStringLiteral("It's weekend!"));
    EXPECT_EQ(s.room, QStringLiteral("It's weekend!"));
    EXPECT_EQ(s.rings, QStringLiteral("It's weekend!"));
    EXPECT_EQ(lessonstatus(t, saturday, -1, 0, true).current, QStringLiteral("Saturday club"));
    // With the week starting on Sunday and weekends taught, Sunday is day 1.
    const QDateTime sunday(QDate(2026, 12, 13), QTime(8, 0));
    EXPECT_EQ(lessonstatus(t, sunday, -1, 1, true).current, QStringLiteral("Sunday first"));
    // Without weekends the rows stay Monday first: Friday is no weekend.
    const QDateTime friday(QDate(2026, 12, 11), QTime(8, 0));
    EXPECT_NE(lessonstatus(t, friday, -1, 1, false).current, QStringLiteral("It's weekend!"));
}
