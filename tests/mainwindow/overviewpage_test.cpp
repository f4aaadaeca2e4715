// The Overview as the main window fills it.

#include "mainwindow/form1.h"

#include "database/database.h"
#include "database/settings.h"
#include "mainwindow/overviewpage.h"
#include "moon/tmoon.h"
#include "testsupport.h"
#include "widgets/language.h"
#include "widgets/linklabel.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

using testsupport::RecordingPrompter;

namespace {

class OverviewTest : public ::testing::Test
{
protected:
    OverviewTest()
    {
        form.setclock([this] { return clock; });
        EXPECT_TRUE(form.FormCreate());
    }

    QStringList countcaptions() const
    {
        QStringList out;
        for (int i = 0; i < form.Overview->countlist->topLevelItemCount(); ++i)
            out << form.Overview->countlist->topLevelItem(i)->text(0);
        return out;
    }

    QTemporaryDir dir;
    Database db{dir.filePath(QStringLiteral("Quillmoter/"))};
    Settings settings;
    Language language;
    RecordingPrompter answers;
    QDateTime clock{QDate(2026, 12, 8), QTime(10, 0)};
    TForm1 form{db, settings, language, {}, [] { return false; }};
};

} // namespace

using testsupport::contact;

TEST_F(OverviewTest, TheDayBlockShowsTodayFromTheChosenList)
{
    db.createfolders();
    db.contacts = {contact("Kv\u011bta", 10, 12, 2010, 8, 12)};
    db.savecontacts();
    ASSERT_TRUE(form.programstart());
    EXPECT_EQ(form.lastday, QDate(2026, 12, 8));
    EXPECT_EQ(form.Overview->dayNumber->text(), QStringLiteral("8"));
    EXPECT_TRUE(form.Overview->dateLine->text().contains(QStringLiteral("8.")));
    EXPECT_EQ(form.Overview->namedaytextshown(), QStringLiteral("Kv\u011btoslava, from contacts: Kv\u011bta"));
    EXPECT_EQ(form.Overview->birthdaytextshown(), QStringLiteral("Kv\u011bta(16), in 2 days"));
    EXPECT_EQ(form.Overview->namedaynexttextshown(), QStringLiteral("Kv\u011bta, TODAY!"));

    // Another list, chosen in the settings, is loaded and shown at once.
    settings.settext(Setting::annilang, QStringLiteral("slovak"));
    EXPECT_TRUE(form.Overview->namedaytextshown().startsWith(QStringLiteral("Mar\u00edna")));

    // A list that is not there is reported, and the choice goes back.
    settings.settext(Setting::annilang, QStringLiteral("klingon"));
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(settings.text(Setting::annilang), QStringLiteral("slovak"));
    EXPECT_TRUE(form.Overview->namedaytextshown().startsWith(QStringLiteral("Mar\u00edna")));
}

TEST_F(OverviewTest, TheDateLineNamesTheWeekWithEvenAndOddTimetables)
{
    ASSERT_TRUE(form.programstart());
    settings.settext(Setting::dateformat, QStringLiteral("yyyy-mm-dd"));
    EXPECT_EQ(form.Overview->dateLine->text(), QStringLiteral("2026-12-08"));
    settings.setflag(Setting::twoweeks, true);
    // 8 December 2026 lies in ISO week 50.
    EXPECT_EQ(form.Overview->dateLine->text(), QStringLiteral("2026-12-08, even week"));
    clock = QDateTime(QDate(2026, 12, 14), QTime(8, 0));
    form.refreshday();
    EXPECT_EQ(form.Overview->dateLine->text(), QStringLiteral("2026-12-14, odd week"));
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
    EXPECT_EQ(form.Overview->countlist->topLevelItem(2)->text(1), QStringLiteral("1/2"));

    settings.setflag(buttonvisible(3), false);
    EXPECT_EQ(countcaptions(), QStringList({"Contacts", "Calendar", "Notes"}));
    settings.setflag(buttonvisible(4), false); // Marks has no count row
    EXPECT_EQ(countcaptions(), QStringList({"Contacts", "Calendar", "Notes"}));
}

TEST_F(OverviewTest, OptionsShowAndHideItsParts)
{
    ASSERT_TRUE(form.programstart());
    form.show();
    OverviewPage *o = form.Overview;
    EXPECT_EQ(o->welcome->text(), QStringLiteral("Welcome to Quillmoter organizer!"));
    settings.settext(Setting::welcomenote, QStringLiteral("Good luck in the exams"));
    EXPECT_EQ(o->welcome->text(), QStringLiteral("Good luck in the exams"));

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
    EXPECT_FALSE(o->Moon1->isVisible());
    settings.setflag(Setting::hidetips, true);
    EXPECT_FALSE(o->tipboxes[0]->isVisible());
    EXPECT_FALSE(o->tipboxes[1]->isVisible());
}

TEST_F(OverviewTest, TwoDifferentTipsOrAsManyAsThereAre)
{
    form.tips = {QStringLiteral("3$The one and only tip that is long enough.")};
    ASSERT_TRUE(form.programstart());
    form.show();
    EXPECT_EQ(form.Overview->tiplabels[0]->text(), QStringLiteral("The one and only tip that is long enough."));
    EXPECT_EQ(form.Overview->tiplabels[1]->text(), QString());

    form.hide();
    form.tips = builtintips().mid(0, 2);
    form.show();
    EXPECT_NE(form.Overview->tiplabels[0]->text(), form.Overview->tiplabels[1]->text());

    form.hide();
    form.tips.clear(); // a language file without tips
    form.show();
    EXPECT_FALSE(form.Overview->tiplabels[0]->text().isEmpty()) << "the tips shown before stay";
}
