// When calendar records occur, and the arithmetic of the painted months.

#include "organizer/calendar.h"

#include "database/database.h"
#include "organizer/counts.h"
#include "platform/daynumber.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include <QTemporaryDir>

namespace {

TCalItemRec record(const char *text, QDate date, const char *repetition, int mode = 0, int from = 800, int to = 900)
{
    TCalItemRec r;
    r.text = text;
    r.date = daynumber::fromdate(date);
    r.repetition = repetition;
    r.timemode = quint8(mode);
    r.timefrom = qint16(from);
    r.timeto = qint16(to);
    return r;
}

} // namespace

TEST(Occurrence, OnceWeeklyAndMonthly)
{
    const QDate monday(2026, 12, 7);
    // Weekly on Mondays, dated next year: every Monday, this week too.
    const TCalItemRec weekly = record("Gym", QDate(2027, 6, 1), "w1000000");
    EXPECT_TRUE(occurstoday(weekly, monday));
    EXPECT_TRUE(occurstoday(weekly, monday.addDays(-70)));
    EXPECT_FALSE(occurstoday(weekly, monday.addDays(1)));
    EXPECT_TRUE(occurstoday(record("Sunday", monday, "w0000001"), QDate(2026, 12, 13)));

    // Monthly on the 31st in every month: only months that have a 31st.
    const TCalItemRec monthly = record("Rent", QDate(2026, 1, 31), "m111111111111");
    EXPECT_TRUE(occurstoday(monthly, QDate(2027, 1, 31)));
    EXPECT_TRUE(occurstoday(monthly, QDate(2027, 3, 31)));
    EXPECT_FALSE(occurstoday(monthly, QDate(2027, 4, 30)));
    EXPECT_FALSE(occurstoday(record("Feb only", QDate(2026, 1, 15), "m010000000000"), QDate(2027, 1, 15)));
    EXPECT_TRUE(occurstoday(record("Feb only", QDate(2026, 1, 15), "m010000000000"), QDate(2027, 2, 15)));

    // Once: only the calendar date counts, not the time of day.
    TCalItemRec timed = record("Dentist", monday, "0");
    timed.date += 0.6; // 14:24
    EXPECT_TRUE(occurstoday(timed, monday));
    EXPECT_FALSE(occurstoday(timed, monday.addDays(1)));

    // Malformed texts and emptied records never occur.
    for (const char *bad : {"", "x1111111", "W1111111", "1", "w", "m", "00"})
        EXPECT_FALSE(occurstoday(record("Bad", monday, bad), monday)) << bad;
    EXPECT_FALSE(occurstoday(record("", monday, "0"), monday));
    TCalItemRec nodate = record("No date", monday, "m111111111111");
    nodate.date = std::nan("");
    EXPECT_FALSE(occurstoday(nodate, monday));
}

TEST(Occurrence, TheMarkedDaysAgreeWithTheRule)
{
    std::vector<TCalItemRec> items = {
        record("a", QDate(2026, 11, 3), "0"),
        record("b", QDate(2020, 1, 30), "m100000000001"),
        record("c", QDate(2026, 1, 1), "w0010000"),
        record("", QDate(2026, 11, 4), "0"),
        record("e", QDate(2025, 12, 31), "m111111111111"),
    };
    const QDate first(2026, 11, 1), last(2027, 2, 28);
    const QList<bool> marked = dayswithrecords(items, first, last);
    ASSERT_EQ(marked.size(), first.daysTo(last) + 1);
    for (QDate d = first; d <= last; d = d.addDays(1)) {
        bool any = false;
        for (const TCalItemRec &r : items)
            any = any || occurstoday(r, d);
        ASSERT_EQ(marked[first.daysTo(d)], any) << d.toString(Qt::ISODate).toStdString();
    }
    EXPECT_EQ(dayrecords(items, QDate(2026, 12, 30)), QList<int>({1, 2}));
}

TEST(CalendarText, CaptionsFollowTheTimeMode)
{
    const QDate d(2026, 12, 8);
    EXPECT_EQ(calcaption(record("Trip#take a map", d, "0", 0, 705, 900)), QStringLiteral("Trip"));
    EXPECT_EQ(calcaption(record("Exam", d, "0", 1, 705, 900)), QStringLiteral("7:05 Exam"));
    EXPECT_EQ(calcaption(record("Lunch", d, "0", 2, 1000, 1130)), QStringLiteral("10:00 - 11:30 Lunch"));
    EXPECT_EQ(calcaption(record("Odd", d, "0", 7, 1000, 1130)), QStringLiteral("10:00 - 11:30 Odd"));
    EXPECT_EQ(calcaption(record("Neg", d, "0", 200, 1000, 1130)), QStringLiteral("Neg")) << "not positive as a signed byte";

    EXPECT_EQ(itemimageindex(3, false), 6);
    EXPECT_EQ(itemimageindex(3, true), 7);
    EXPECT_EQ(itemimageindex(9, true), 1);
    EXPECT_EQ(itemimageindex(-4, false), 0);

    EXPECT_EQ(htmltocolor("437ebb"), 0x43u + 0x7Eu * 256 + 0xBBu * 65536);
    EXPECT_EQ(htmltocolor("#65a7eb"), 0x65u + 0xA7u * 256 + 0xEBu * 65536);
    EXPECT_EQ(htmltocolor("zz0000"), 0u);
    EXPECT_EQ(htmltocolor("12345"), 0u);
    EXPECT_EQ(firsttwochars(QStringLiteral("Monday")), QStringLiteral("Mo"));
    EXPECT_EQ(nextmonth(12), 1);
    EXPECT_EQ(nextmonth(5), 6);
}

TEST(CalendarMonths, BlocksCarryAcrossYearsAnyNumberOfTimes)
{
    EXPECT_EQ(addmonths(11, 2026, 0), std::make_pair(11, 2026));
    EXPECT_EQ(addmonths(11, 2026, 1), std::make_pair(12, 2026));
    EXPECT_EQ(addmonths(11, 2026, 2), std::make_pair(1, 2027));
    EXPECT_EQ(addmonths(11, 2026, 26), std::make_pair(1, 2029));
    EXPECT_EQ(addmonths(1, 2026, -1), std::make_pair(12, 2025));
    EXPECT_EQ(addmonths(1, 2026, -25), std::make_pair(12, 2023));
    EXPECT_EQ(calgeometry::blockcount(595), 3);
    EXPECT_EQ(calgeometry::blockcount(99), 0);
}

TEST(CalendarMonths, FirstColumnFollowsTheWeekStart)
{
    // 1 March 2026 is a Sunday.
    EXPECT_EQ(weekdaycolumn(QDate(2026, 3, 1), 1), 0);
    EXPECT_EQ(weekdaycolumn(QDate(2026, 3, 1), 0), 6);
    EXPECT_EQ(weekdaycolumn(QDate(2026, 3, 2), 0), 0);
    EXPECT_EQ(weekdaycolumn(QDate(2026, 3, 2), 1), 1);
}

TEST(CalendarMonths, OnlyAClickOnAPaintedDaySelectsIt)
{
    // November 2026 starts on a Sunday: column 6 with Monday first.
    const int blocks = 3;
    auto hit = [&](int x, int y, int weekstarts = 0) { return calendarhit(QPoint(x, y), 11, 2026, weekstarts, blocks); };
    EXPECT_EQ(hit(15 + 25 * 6 + 3, 95), QDate(2026, 11, 1));
    EXPECT_EQ(hit(15 + 3, 95 + 20), QDate(2026, 11, 2));
    EXPECT_EQ(hit(15 + 3, 95, 1), QDate(2026, 11, 1)) << "Sunday first";
    // Second block: December 2026 (starts Tuesday, column 1).
    EXPECT_EQ(hit(15 + 25 + 3, 165 + 95), QDate(2026, 12, 1));
    // Third block carries into the next year.
    EXPECT_EQ(hit(15 + 25 * 4 + 3, 330 + 95), QDate(2027, 1, 1));

    EXPECT_FALSE(hit(15 + 3, 95)) << "before the first day";
    EXPECT_FALSE(hit(15 + 25 * 7 + 3, 95 + 20)) << "an eighth column";
    EXPECT_FALSE(hit(40, 72)) << "the weekday initials";
    EXPECT_FALSE(hit(40, 55)) << "the month's title bar";
    EXPECT_FALSE(hit(40, 165 + 72)) << "the second block's initials";
    EXPECT_FALSE(hit(5, 120)) << "left of the first column";
    EXPECT_FALSE(hit(40, 3 * 165 + 100)) << "below the last block";
    EXPECT_FALSE(hit(15 + 25 * 2, 95 + 20 * 5)) << "after the month's last day";
}

TEST(CalendarMonths, DayCellsFollowTheFirstColumn)
{
    EXPECT_EQ(calgeometry::daycell(0, 1, 6), QPoint(165, 95));
    EXPECT_EQ(calgeometry::daycell(0, 2, 6), QPoint(15, 115));
    EXPECT_EQ(calgeometry::daycell(1, 1, 0), QPoint(15, 260));
}

// Weekday initials and two-digit days must not touch their neighbours in
// the 25-pixel columns, in English or in Czech.
TEST(CalendarMonths, InitialsAndDaysLeaveAGapInTheirColumns)
{
    for (const QLocale &locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::Czech, QLocale::Czechia), QLocale(QLocale::German)}) {
        const auto [regular, bold] = calgeometry::calendarfonts(locale);
        EXPECT_TRUE(bold.bold());
        EXPECT_FALSE(regular.bold());
        EXPECT_GE(bold.pixelSize(), 10) << "still readable";
        QStringList texts;
        for (int day = 1; day <= 7; ++day)
            texts << firsttwochars(locale.dayName(day, QLocale::ShortFormat));
        for (int day = 1; day <= 31; ++day)
            texts << QString::number(day);
        for (const QFont &font : {regular, bold}) {
            const QFontMetrics metrics(font);
            for (const QString &text : texts) {
                // Drawn 5 pixels into its 25-pixel column, it ends inside it,
                // so 5 clear pixels part it from the next column's text.
                EXPECT_LT(metrics.boundingRect(text).right() + 5, 25)
                    << text.toStdString() << " in " << locale.name().toStdString();
            }
        }
    }
}

TEST(Repetition, FlagsAreStoredMondayFirst)
{
    EXPECT_EQ(weeklyrepetition({true, false, false, false, false, false, true}), QStringLiteral("w1000001"));
    EXPECT_EQ(monthlyrepetition({true, false, false, false, false, false, false, false, false, false, false, true}),
              QStringLiteral("m100000000001"));
    const std::array<bool, 7> days = weekflags(QStringLiteral("w0100001"));
    EXPECT_TRUE(days[1] && days[6] && !days[0]);
    EXPECT_FALSE(weekflags(QStringLiteral("0"))[0]);
    EXPECT_TRUE(monthflags(QStringLiteral("m000000000001"))[11]);
    EXPECT_FALSE(monthflags(QStringLiteral("m1"))[1]) << "a short text leaves the rest unticked";
}

TEST(Repetition, BirthdaysOnADayWithTheirAge)
{
    std::vector<TContactRec> contacts(3);
    contacts[0].name = "Petr";
    contacts[0].birthday = 3;
    contacts[0].birthmonth = 2;
    contacts[0].birthyear = 1990;
    contacts[1].name = "Eva";
    contacts[1].birthday = 3;
    contacts[1].birthmonth = 2;
    contacts[2].birthday = 3; // deleted contact
    contacts[2].birthmonth = 2;
    EXPECT_EQ(birthdaytext(contacts, QDate(2015, 2, 3), "nobody"), QStringLiteral("Petr(25), Eva"));
    EXPECT_EQ(birthdaytext(contacts, QDate(2015, 2, 4), "nobody"), QStringLiteral("nobody"));
}

TEST(Counts, ActiveAndTotalRecordsTasksAndContacts)
{
    QTemporaryDir dir;
    Database db(dir.path());
    const QDate today(2026, 12, 8);
    db.calitems = {record("past", today.addDays(-1), "0"), record("today", today, "0"),
                   record("future", today.addDays(3), "0"), record("weekly", today.addDays(-30), "w1111111"),
                   record("", today, "0")};
    EXPECT_EQ(countcalitems(db, today), QStringLiteral("3/4"));
    db.tasks.resize(3);
    db.tasks[0].text = "a";
    db.tasks[1].text = "b";
    db.tasks[1].done = true;
    EXPECT_EQ(counttasks(db), QStringLiteral("1/2"));
    db.contacts.resize(2);
    db.contacts[1].name = "x";
    EXPECT_EQ(countcontacts(db), QStringLiteral("1"));
    db.createfolders();
    testsupport::writefile(db.path("memos/a.rtf"), "{\\rtf1}");
    testsupport::writefile(db.path("memos/School.b.rtf"), "{\\rtf1}");
    testsupport::writefile(db.path("memos/c.txt"), "x");
    EXPECT_EQ(countmemos(db), QStringLiteral("2"));
}
