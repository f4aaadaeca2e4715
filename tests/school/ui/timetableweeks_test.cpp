// Which week and mode the timetable shows.

#include "school/timetablemodel.h"
#include "school/ui/timetablepage.h"
#include "school/ui/timetableprint.h"

#include "database/database.h"
#include "database/settings.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

TEST(TimetableWeeks, WeekCodesOfBothModes)
{
    EXPECT_EQ(weekcodefor(1, 0), -1);
    EXPECT_EQ(weekcodefor(2, 0), -2);
    EXPECT_EQ(weekcodefor(2, 1), 2);
    EXPECT_EQ(weekcodefor(-1, 1), 1);
    EXPECT_EQ(weekcodefor(0, 0), 0);
}

TEST(TimetableWeeks, ThisWeekAroundTheYearsEnd)
{
    // 31 December 2026 and 1 January 2027 lie in ISO week 53 of 2026 (odd).
    EXPECT_EQ(thisweek(QDate(2026, 12, 31), true), 2);
    EXPECT_EQ(thisweek(QDate(2027, 1, 1), true), 2);
    EXPECT_EQ(thisweek(QDate(2027, 1, 4), true), 2); // week 1
    EXPECT_EQ(thisweek(QDate(2027, 1, 11), true), 1); // week 2
    EXPECT_EQ(thisweek(QDate(2026, 12, 28), true), 2);
    // Without the option always week 1.
    EXPECT_EQ(thisweek(QDate(2027, 1, 1), false), 1);
}

TEST(TimetableWeeks, SwitchingExchangesOnlyOneModesWeeks)
{
    std::vector<TLessonRec> t(4);
    t[0].week = -1;
    t[1].week = -2;
    t[2].week = 1;
    t[3].week = 2;
    switchweeks(t, 0);
    EXPECT_EQ(t[0].week, -2);
    EXPECT_EQ(t[1].week, -1);
    EXPECT_EQ(t[2].week, 1);
    EXPECT_EQ(t[3].week, 2);
    switchweeks(t, 1);
    EXPECT_EQ(t[2].week, 2);
    EXPECT_EQ(t[3].week, 1);
    EXPECT_EQ(t[0].week, -2);
}

TEST(TimetablePage, AWeekOrModeChangeForgetsTheSelection)
{
    QTemporaryDir dir;
    Database db(dir.path());
    Settings settings;
    Clock clock;
    clock.setsource([] { return QDateTime(QDate(2027, 1, 11), QTime(8, 0)); }); // ISO week 2
    Tprintttform printform;
    TimetablePage page(db, settings, clock, printform);
    auto *evenbutton = page.findChild<QToolButton *>(QStringLiteral("evenbutton"));
    auto *switchbutton = page.findChild<QPushButton *>(QStringLiteral("SpeedButton3"));
    ASSERT_TRUE(evenbutton && switchbutton);
    QSignalSpy changes(&page, &TimetablePage::weekchanged);

    page.BitBtn29Click();
    EXPECT_EQ(page.weekspin, 1);
    EXPECT_EQ(page.weekcode, -1);

    page.selectedlesson = 5;
    page.hoveredlesson = 3;
    page.oddbuttonClick();
    EXPECT_EQ(page.weekcode, -2);
    EXPECT_EQ(page.selectedlesson, -1);
    EXPECT_EQ(page.hoveredlesson, -1);

    page.selectedlesson = 4;
    settings.setnumber(Setting::tttype, 1);
    EXPECT_EQ(page.weekcode, 2);
    EXPECT_EQ(page.selectedlesson, -1);
    EXPECT_GE(changes.count(), 3);

    // The option shows the week buttons and picks the current week.
    settings.setflag(Setting::twoweeks, true);
    EXPECT_FALSE(evenbutton->isHidden());
    EXPECT_TRUE(evenbutton->isChecked()) << "ISO week 2 is even";
    settings.setflag(Setting::twoweeks, false);
    EXPECT_TRUE(switchbutton->isHidden());
    EXPECT_EQ(page.weekspin, 1);
}

TEST(TimetablePage, SwitchWeeksSavesAndClearsTheSelection)
{
    QTemporaryDir dir;
    Database db(dir.path());
    Settings settings;
    db.loadtimetable();
    Clock clock;
    Tprintttform printform;
    TimetablePage page(db, settings, clock, printform);
    page.selectedlesson = 2;
    page.SpeedButton3Click();
    EXPECT_EQ(page.selectedlesson, -1);
    Database reread(dir.path());
    reread.loadtimetable();
    int first = 0;
    for (const TLessonRec &l : reread.timetable)
        first += l.week == -1 ? 1 : 0;
    EXPECT_EQ(first, 105);
    EXPECT_EQ(reread.timetable.front().week, -2);
}
