// Where lessons lie in the painted timetable, which one a point hits, how a
// held lesson moves, and what the painter puts into the picture.

#include "school/timetableview.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QLocale>

namespace {

TLessonRec lesson(int day, int start, int end, int week = 1, int number = 0, qint32 color = 0xFFFFFF,
                  const char *subject = "")
{
    TLessonRec l;
    l.day = qint8(day);
    l.start = start;
    l.end = end;
    l.week = qint8(week);
    l.number = qint8(number);
    l.color = color;
    l.subject = QString::fromLatin1(subject);
    return l;
}

TtView timelineview()
{
    TtView v;
    v.weekcode = 1;
    v.timelinetype = true;
    v.lessoninpixels = 75;
    v.firstminute = 8 * 60;
    v.lastminute = 18 * 60;
    return v;
}

TtView tableview(int showlessons = 8)
{
    TtView v;
    v.weekcode = -1;
    v.lessoninpixels = 75;
    v.showlessons = showlessons;
    return v;
}

// The colour a Windows-style $00BBGGRR value stands for.
QRgb rgbof(qint32 colour)
{
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// Inside a lesson's rounded rectangle, clear of its text.
QPoint lessonpoint(const TtView &v, const TLessonRec &l)
{
    return {ttlessonx(v, l, false) - 4, l.day * ttrowheight + tttop + 26};
}

constexpr qint32 red = 237 + 28 * 256 + 36 * 65536;
constexpr qint32 blue = 77 + 109 * 256 + 243 * 65536;

} // namespace

TEST(TimetableGeometry, RoundingGoesHalfToEven)
{
    EXPECT_EQ(ttround(2.5), 2);
    EXPECT_EQ(ttround(3.5), 4);
    EXPECT_EQ(ttround(-2.5), -2);
    EXPECT_EQ(ttround(2.6), 3);
    // Garbage minutes from a damaged file stay a number.
    EXPECT_EQ(ttround(1e300), 1000000000);

    TtView v = timelineview();
    // 75 pixels an hour: one minute is 1.25 pixels.
    EXPECT_EQ(ttminutestox(v, 480), 60);
    EXPECT_EQ(ttminutestox(v, 482), 62); // 62.5
    EXPECT_EQ(ttminutestox(v, 486), 68); // 67.5
    EXPECT_EQ(ttminutestox(v, 540), 135);
    EXPECT_EQ(ttxtominutes(v, 60), 480);
    EXPECT_EQ(ttxtominutes(v, 61), 481); // 0.8
    v.lessoninpixels = 40; // 1.5 minutes a pixel
    EXPECT_EQ(ttxtominutes(v, 61), 482); // 1.5
    EXPECT_EQ(ttxtominutes(v, 63), 484); // 4.5
    // Before the first minute the picture goes left of the lessons' column.
    EXPECT_EQ(ttminutestox(v, 420), 20);
}

TEST(TimetableGeometry, LessonEdgesByMode)
{
    const TLessonRec l = lesson(2, 535, 580, -1, 3);
    const TtView table = tableview();
    EXPECT_EQ(ttlessonx(table, l, true), 3 * 75 + 60);
    EXPECT_EQ(ttlessonx(table, l, false), 4 * 75 + 60);
    const TtView timeline = timelineview();
    EXPECT_EQ(ttlessonx(timeline, l, true), ttminutestox(timeline, 535));
    EXPECT_EQ(ttlessonx(timeline, l, false), ttminutestox(timeline, 580));

    EXPECT_EQ(ttpicturewidth(tableview(8)), 8 * 75 + 60);
    EXPECT_EQ(ttpicturewidth(timeline), 10 * 75 + 60);
    TtView narrow = timeline;
    narrow.lessoninpixels = 7;
    narrow.lastminute = 8 * 60 + 50; // 5.83 pixels
    EXPECT_EQ(ttpicturewidth(narrow), 66);
}

TEST(TimetableGeometry, DamagedTimelineRangeFallsBackToTheSchoolDay)
{
    const TtRange normal = ttrange(QTime(7, 30), QTime(16, 15));
    EXPECT_EQ(normal.firstminute, 450);
    EXPECT_EQ(normal.lastminute, 975);
    for (const auto &[start, end] : {std::pair{QTime(18, 0), QTime(8, 0)}, std::pair{QTime(10, 0), QTime(10, 0)},
                                     std::pair{QTime(), QTime(12, 0)}, std::pair{QTime(8, 0), QTime()}}) {
        const TtRange r = ttrange(start, end);
        EXPECT_EQ(r.firstminute, 480);
        EXPECT_EQ(r.lastminute, 1080);
    }
}

TEST(TimetableGeometry, HitTestFindsTheTopmostShownLesson)
{
    const TtView v = timelineview();
    std::vector<TLessonRec> t = {
        lesson(1, 480, 540),          // 60..135
        lesson(1, 510, 600),          // 97..210, over the first
        lesson(1, 480, 540, 2),       // another week
        lesson(6, 480, 540),          // Saturday
    };
    EXPECT_EQ(tthittest(t, v, 70, 45), 0);
    EXPECT_EQ(tthittest(t, v, 100, 45), 1) << "the later lesson is on top";
    EXPECT_EQ(tthittest(t, v, 200, 45), 1);
    // Edges: the top row line and the left edge belong to the lesson, the
    // bottom line and the right edge do not.
    EXPECT_EQ(tthittest(t, v, 60, 40), 0);
    EXPECT_EQ(tthittest(t, v, 60, 39), -1);
    EXPECT_EQ(tthittest(t, v, 70, 70), -1);
    EXPECT_EQ(tthittest(t, v, ttminutestox(v, 600), 45), -1);
    EXPECT_EQ(tthittest(t, v, 59, 45), -1);
    // Saturday only with weekend education.
    EXPECT_EQ(tthittest(t, v, 70, 6 * 30 + 15), -1);
    TtView weekend = v;
    weekend.weekendeducation = true;
    EXPECT_EQ(tthittest(t, weekend, 70, 6 * 30 + 15), 3);

    // In the Table mode a lesson beyond the shown columns is not painted and
    // not hit.
    std::vector<TLessonRec> table = {lesson(1, 0, 0, -1, 2), lesson(1, 0, 0, -1, 9)};
    const TtView tv = tableview(8);
    EXPECT_EQ(tthittest(table, tv, 2 * 75 + 61, 45), 0);
    EXPECT_EQ(tthittest(table, tv, 9 * 75 + 61, 45), -1);
}

TEST(TimetableGeometry, HeldLessonMovesInFiveMinuteStepsWithinTheRange)
{
    const TtView v = timelineview();
    TLessonRec l = lesson(1, 480, 525);
    // x = 62 is minute 482: not a step, the lesson stays.
    ttdragstep(l, v, {62, 45}, 0);
    EXPECT_EQ(l.start, 480);
    ttdragstep(l, v, {ttminutestox(v, 490), 45}, 0);
    EXPECT_EQ(l.start, 490);
    EXPECT_EQ(l.end, 535);
    ttdragstep(l, v, {ttminutestox(v, 493), 45}, 0);
    EXPECT_EQ(l.start, 490) << "493 is between two steps";
    // The grab point counts: held 25 pixels (20 minutes) inside the lesson.
    ttdragstep(l, v, {ttminutestox(v, 620), 45}, 25);
    EXPECT_EQ(l.start, 600);
    // Never before the first minute nor after the last.
    ttdragstep(l, v, {-500, 45}, 0);
    EXPECT_EQ(l.start, 480);
    ttdragstep(l, v, {5000, 45}, 0);
    EXPECT_EQ(l.start, 1035);
    EXPECT_EQ(l.end, 1080);

    // A range starting between steps: its first minute is no step.
    TtView odd = v;
    odd.firstminute = 483;
    TLessonRec m = lesson(1, 500, 545);
    ttdragstep(m, odd, {-500, 45}, 0);
    EXPECT_EQ(m.start, 500);

    // A lesson longer than the range stays at the first minute.
    TLessonRec longer = lesson(1, 420, 1200);
    ttdragstep(longer, v, {-500, 45}, 0);
    EXPECT_EQ(longer.start, 480);
    EXPECT_EQ(longer.end, 1260);
    ttdragstep(longer, v, {5000, 45}, 0);
    EXPECT_EQ(longer.start, 480);
}

TEST(TimetableGeometry, HeldLessonTakesTheDayOfTheRowUnderThePointer)
{
    TtView v = timelineview();
    TLessonRec l = lesson(3, 480, 525);
    ttdragstep(l, v, {60, 5}, 0);
    EXPECT_EQ(l.day, 1) << "the header";
    ttdragstep(l, v, {60, -40}, 0);
    EXPECT_EQ(l.day, 1) << "above the box";
    ttdragstep(l, v, {60, 2 * 30 + 10}, 0);
    EXPECT_EQ(l.day, 2);
    ttdragstep(l, v, {60, 3 * 30 + 9}, 0);
    EXPECT_EQ(l.day, 2);
    ttdragstep(l, v, {60, 400}, 0);
    EXPECT_EQ(l.day, 5) << "below the last row";
    v.weekendeducation = true;
    ttdragstep(l, v, {60, 400}, 0);
    EXPECT_EQ(l.day, 7);
    ttdragstep(l, v, {60, 6 * 30 + 12}, 0);
    EXPECT_EQ(l.day, 6);
}

TEST(TimetableGeometry, ShadesAndTimes)
{
    EXPECT_EQ(ttshadecolor(0x808080, 0.3), 0xA6A6A6); // 166.4
    EXPECT_EQ(ttshadecolor(0xFFFFFF, 0.3), 0xFFFFFF);
    EXPECT_EQ(ttshadecolor(0x0000C8, 0.3), 0x0000FF); // 260 is limited
    EXPECT_EQ(ttshadecolor(qint32(0xFF000010), 0.3), 0x000015) << "bits above the colour are dropped";
    EXPECT_EQ(ttshadecolor(0x000005, 0.3), 0x000006); // 6.5 to the even 6
    EXPECT_EQ(ttformattime(425), QStringLiteral("7:05"));
    EXPECT_EQ(ttformattime(810), QStringLiteral("13:30"));
    EXPECT_EQ(ttformattime(0), QStringLiteral("0:00"));
}

TEST(TimetableGeometry, DayNamesFollowTheWeekStartOnlyWithWeekendRows)
{
    const QLocale locale = QLocale::system();
    TtView v;
    v.weekstarts = 1;
    EXPECT_EQ(ttdaynames(v).front(), locale.dayName(1, QLocale::LongFormat));
    v.weekendeducation = true;
    EXPECT_EQ(ttdaynames(v).front(), locale.dayName(7, QLocale::LongFormat));
    EXPECT_EQ(ttdaynames(v).back(), locale.dayName(6, QLocale::LongFormat));
    v.weekstarts = 0;
    EXPECT_EQ(ttdaynames(v).back(), locale.dayName(7, QLocale::LongFormat));
}

TEST(TimetablePainter, TableModeDrawsOnlyTheShownColumns)
{
    const TtView v = tableview(8);
    std::vector<TLessonRec> t;
    for (int n = 0; n < 15; ++n)
        t.push_back(lesson(1, 480 + n * 50, 525 + n * 50, -1, n, red));
    t.push_back(lesson(2, 480, 525, -2, 0, blue)); // another week
    const QImage picture = ttpaint(t, v, 1.0, ttpictureheight);
    EXPECT_EQ(picture.width(), 8 * 75 + 60);
    EXPECT_EQ(picture.height(), ttpictureheight);
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(picture.pixel(lessonpoint(v, t[n])), rgbof(red)) << "column " << n;
    EXPECT_EQ(picture.pixel(lessonpoint(v, lesson(2, 0, 0, -1, 0))), qRgb(255, 255, 255));
    // The outline is black.
    EXPECT_EQ(picture.pixel(ttlessonx(v, t[2], true), 55), qRgb(0, 0, 0));
    // Headers and times are written above the rows, and nothing into the
    // day names' column from the lessons.
    bool inked = false;
    for (int x = 60; x < picture.width() && !inked; ++x) {
        for (int y = 0; y < 40 && !inked; ++y)
            inked = picture.pixel(x, y) != qRgb(255, 255, 255);
    }
    EXPECT_TRUE(inked);
}

TEST(TimetablePainter, HoveredLessonIsLighterAndTheLaterLessonOnTop)
{
    TtView v = timelineview();
    const qint32 grey = 0x808080;
    std::vector<TLessonRec> t = {lesson(1, 480, 600, 1, 0, grey), lesson(1, 540, 660, 1, 0, blue)};
    QImage picture = ttpaint(t, v, 1.0, ttpictureheight);
    const QPoint overlap(ttminutestox(v, 570), 60);
    EXPECT_EQ(picture.pixel(overlap), rgbof(blue));
    EXPECT_EQ(picture.pixel(ttminutestox(v, 500), 60), rgbof(grey));
    v.hovered = 0;
    picture = ttpaint(t, v, 1.0, ttpictureheight);
    EXPECT_EQ(picture.pixel(ttminutestox(v, 500), 60), rgbof(0xA6A6A6));
    EXPECT_EQ(picture.pixel(overlap), rgbof(blue));

    // A lesson being placed is drawn highlighted, under the others.
    v.hovered = -1;
    v.placing = true;
    v.inhand = lesson(3, 480, 525, 1, 0, grey);
    picture = ttpaint(t, v, 1.0, ttpictureheight);
    EXPECT_EQ(picture.pixel(lessonpoint(v, v.inhand)), rgbof(0xA6A6A6));
    v.inhand.week = 2;
    picture = ttpaint(t, v, 1.0, ttpictureheight);
    EXPECT_EQ(picture.pixel(lessonpoint(v, v.inhand)), qRgb(255, 255, 255)) << "of another week";
}

TEST(TimetablePainter, WeekendRowsOnlyWithWeekendEducation)
{
    TtView v = timelineview();
    const std::vector<TLessonRec> t = {lesson(6, 480, 600, 1, 0, red), lesson(7, 480, 600, 1, 0, red)};
    QImage picture = ttpaint(t, v, 1.0, ttpictureheight);
    EXPECT_EQ(picture.pixel(lessonpoint(v, t[0])), qRgb(255, 255, 255));
    v.weekendeducation = true;
    picture = ttpaint(t, v, 1.0, ttpictureheight);
    EXPECT_EQ(picture.pixel(lessonpoint(v, t[0])), rgbof(red));
    EXPECT_EQ(picture.pixel(lessonpoint(v, t[1])), rgbof(red));
}

TEST(TimetablePainter, ElapsedTimeOutlinesTodayOnlyOnTheScreenTimeline)
{
    TtView v = timelineview();
    v.showelapsed = true;
    v.now = QDateTime(QDate(2026, 12, 8), QTime(10, 0)); // a Tuesday: row 2
    const std::vector<TLessonRec> none;
    const QRgb marker = qRgb(255, 0, 0);
    QImage picture = ttpaint(none, v, 1.0, ttpictureheight);
    EXPECT_EQ(picture.pixel(100, 2 * 30 + 10), marker) << "top edge";
    EXPECT_EQ(picture.pixel(ttminutestox(v, 600) - 1, 85), marker) << "right edge at now";
    EXPECT_EQ(picture.pixel(ttminutestox(v, 600) + 5, 2 * 30 + 10), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(100, 85), qRgb(255, 255, 255)) << "no fill";

    auto hasmarker = [&](const QImage &image) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) == marker)
                    return true;
            }
        }
        return false;
    };
    EXPECT_FALSE(hasmarker(ttpaint(none, v, 2.0, ttpictureheight))) << "never printed";
    TtView table = v;
    table.timelinetype = false;
    table.weekcode = -1;
    EXPECT_FALSE(hasmarker(ttpaint(none, table, 1.0, ttpictureheight)));
    TtView off = v;
    off.showelapsed = false;
    EXPECT_FALSE(hasmarker(ttpaint(none, off, 1.0, ttpictureheight)));
    // Saturday has no row without weekend education.
    TtView saturday = v;
    saturday.now = QDateTime(QDate(2026, 12, 12), QTime(10, 0));
    EXPECT_FALSE(hasmarker(ttpaint(none, saturday, 1.0, ttpictureheight)));
    saturday.weekendeducation = true;
    saturday.weekstarts = 1; // Saturday is row 7
    picture = ttpaint(none, saturday, 1.0, ttpictureheight);
    EXPECT_EQ(picture.pixel(100, 7 * 30 + 10), marker);
}

TEST(TimetablePainter, ScaleMultipliesThePicture)
{
    const TtView v = tableview(4);
    const std::vector<TLessonRec> t = {lesson(2, 480, 525, -1, 1, red)};
    const QImage picture = ttpaint(t, v, 2.5, ttpictureheight);
    EXPECT_EQ(picture.width(), ttround((4 * 75 + 60) * 2.5));
    EXPECT_EQ(picture.height(), ttround(ttpictureheight * 2.5));
    // The middle of the lesson, scaled.
    EXPECT_EQ(picture.pixel(ttround((75 + 60 + 70) * 2.5), ttround(95 * 2.5)), rgbof(red));
}
