// The Overview as the main window fills it.

#include "mainwindow/form1.h"

#include "database/database.h"
#include "database/settings.h"
#include "mainwindow/overviewpage.h"
#include "mainwindow/tips.h"
#include "moon/tmoon.h"
#include "platform/clock.h"
#include "platform/daynumber.h"
#include "testsupport.h"
#include "widgets/language.h"
#include "widgets/linklabel.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>

using testsupport::RecordingPrompter;

namespace {

class OverviewTest : public ::testing::Test
{
protected:
    OverviewTest()
    {
        EXPECT_TRUE(form.FormCreate());
    }

    QString shown(const char *name) const
    {
        return form.overview()->findChild<QLabel *>(QLatin1String(name))->text();
    }
    QTreeWidget *countlist() const { return form.findChild<QTreeWidget *>(QStringLiteral("countlist")); }
    QString tip(int place) const { return shown(place == 0 ? "tiplabel1" : "tiplabel2"); }

    QStringList countcaptions() const
    {
        QStringList out;
        for (int i = 0; i < countlist()->topLevelItemCount(); ++i)
            out << countlist()->topLevelItem(i)->text(0);
        return out;
    }

    QTemporaryDir dir;
    Database db{dir.filePath(QStringLiteral("Quillmoter/"))};
    Settings settings;
    Language language;
    RecordingPrompter answers;
    QDateTime clock{QDate(2026, 12, 8), QTime(10, 0)};
    Clock programclock;
    // The clock goes by `clock` before the window is made.
    bool sourced = [this] {
        programclock.setsource([this] { return clock; });
        return true;
    }();
    TForm1 form{db, settings, language, programclock, {}, [] { return false; }};
};

} // namespace

using testsupport::contact;

TEST_F(OverviewTest, TheDayBlockShowsTodayFromTheChosenList)
{
    db.createfolders();
    db.contacts = {contact("Kv\u011bta", 10, 12, 2010, 8, 12)};
    db.savecontacts();
    ASSERT_TRUE(form.programstart());
    EXPECT_EQ(programclock.lastday(), QDate(2026, 12, 8));
    EXPECT_EQ(shown("daylabel"), QStringLiteral("8"));
    EXPECT_TRUE(shown("datelabel").contains(QStringLiteral("8.")));
    EXPECT_EQ(shown("namedaytext"), QStringLiteral("Kv\u011btoslava, from contacts: Kv\u011bta"));
    EXPECT_EQ(shown("birthdaytext"), QStringLiteral("Kv\u011bta(16), in 2 days"));
    EXPECT_EQ(shown("namedaynexttext"), QStringLiteral("Kv\u011bta, TODAY!"));

    // Another list, chosen in the settings, is loaded and shown at once.
    settings.settext(Setting::annilang, QStringLiteral("slovak"));
    EXPECT_TRUE(shown("namedaytext").startsWith(QStringLiteral("Mar\u00edna")));

    // A list that is not there is reported, and the choice goes back.
    settings.settext(Setting::annilang, QStringLiteral("klingon"));
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(settings.text(Setting::annilang), QStringLiteral("slovak"));
    EXPECT_TRUE(shown("namedaytext").startsWith(QStringLiteral("Mar\u00edna")));
}

TEST_F(OverviewTest, TheDateLineNamesTheWeekWithEvenAndOddTimetables)
{
    ASSERT_TRUE(form.programstart());
    settings.settext(Setting::dateformat, QStringLiteral("yyyy-mm-dd"));
    EXPECT_EQ(shown("datelabel"), QStringLiteral("2026-12-08"));
    settings.setflag(Setting::twoweeks, true);
    // 8 December 2026 lies in ISO week 50.
    EXPECT_EQ(shown("datelabel"), QStringLiteral("2026-12-08, even week"));
    clock = QDateTime(QDate(2026, 12, 14), QTime(8, 0));
    form.overview()->refreshday();
    EXPECT_EQ(shown("datelabel"), QStringLiteral("2026-12-14, odd week"));
}

TEST_F(OverviewTest, TheCountListFollowsShowTabs)
{
    db.createfolders();
    db.tasks.resize(3);
    db.tasks[0].text = "a";
    db.tasks[1].text = "b";
    db.tasks[1].done = true;
    db.savetasks();
    ASSERT_TRUE(form.programstart());
    EXPECT_EQ(countcaptions(), QStringList({"Contacts", "Calendar", "Tasks", "Notes"}));
    EXPECT_EQ(countlist()->topLevelItem(2)->text(1), QStringLiteral("1/2"));

    settings.setflag(buttonvisible(3), false);
    EXPECT_EQ(countcaptions(), QStringList({"Contacts", "Calendar", "Notes"}));
    settings.setflag(buttonvisible(4), false); // Marks has no count row
    EXPECT_EQ(countcaptions(), QStringList({"Contacts", "Calendar", "Notes"}));
}

// The Overview follows the database by itself: a calendar record saved on
// another page shows in its coming week and its count at once.
TEST_F(OverviewTest, TheComingWeekAndTheCountsFollowTheCalendar)
{
    ASSERT_TRUE(form.programstart());
    auto *week = form.overview()->findChild<QTreeView *>(QStringLiteral("ListView2"));
    ASSERT_TRUE(week);
    EXPECT_EQ(week->model()->rowCount(), 0);
    TCalItemRec r;
    r.text = "Concert";
    r.date = daynumber::fromdate(QDate(2026, 12, 10));
    r.repetition = "0";
    db.calitems.push_back(r);
    db.savecalitems();
    ASSERT_EQ(week->model()->rowCount(), 3);
    EXPECT_EQ(testsupport::listrows(week).value(2), QStringLiteral("Concert"));
    EXPECT_EQ(countlist()->topLevelItem(1)->text(1), QStringLiteral("1/1"));

    // The next day, today's records lead the list.
    clock = QDateTime(QDate(2026, 12, 10), QTime(0, 0, 1));
    programclock.checkday();
    ASSERT_EQ(week->model()->rowCount(), 1);
    EXPECT_EQ(shown("daylabel"), QStringLiteral("10"));
}

TEST_F(OverviewTest, OptionsShowAndHideItsParts)
{
    ASSERT_TRUE(form.programstart());
    form.show();
    OverviewPage *o = form.overview();
    EXPECT_EQ(shown("welcome"), QStringLiteral("Welcome to Quillmoter organizer!"));
    settings.settext(Setting::welcomenote, QStringLiteral("Good luck in the exams"));
    EXPECT_EQ(shown("welcome"), QStringLiteral("Good luck in the exams"));

    auto visible = [o](const QString &caption) {
        for (QLabel *label : o->findChildren<QLabel *>()) {
            if (label->text() == caption)
                return label->isVisible();
        }
        return false;
    };
    EXPECT_TRUE(visible("Upcoming name day:"));
    settings.setflag(Setting::shownamedays, false);
    EXPECT_FALSE(visible("Name day:"));
    EXPECT_FALSE(visible("Upcoming name day:"));
    EXPECT_TRUE(visible("Upcoming birthday:"));
    settings.setflag(Setting::shownamedays, true);
    settings.setflag(Setting::countanniversaries, false);
    EXPECT_TRUE(visible("Name day:"));
    EXPECT_FALSE(visible("Upcoming birthday:"));
    EXPECT_FALSE(visible("Upcoming name day:"));

    settings.setflag(Setting::showmoon, false);
    EXPECT_FALSE(o->findChild<QWidget *>(QStringLiteral("Moon1"))->isVisible());
    settings.setflag(Setting::hidetips, true);
    EXPECT_FALSE(o->findChild<QWidget *>(QStringLiteral("tipbox1"))->isVisible());
    EXPECT_FALSE(o->findChild<QWidget *>(QStringLiteral("tipbox2"))->isVisible());
}

TEST_F(OverviewTest, TwoDifferentTipsOrAsManyAsThereAre)
{
    form.overview()->tips = {QStringLiteral("3$The one and only tip that is long enough.")};
    ASSERT_TRUE(form.programstart());
    form.show();
    EXPECT_EQ(tip(0), QStringLiteral("The one and only tip that is long enough."));
    EXPECT_EQ(tip(1), QString());

    form.hide();
    form.overview()->tips = builtintips().mid(0, 2);
    form.show();
    EXPECT_NE(tip(0), tip(1));

    form.hide();
    form.overview()->tips.clear(); // a language file without tips
    form.show();
    EXPECT_FALSE(tip(0).isEmpty()) << "the tips shown before stay";
}
