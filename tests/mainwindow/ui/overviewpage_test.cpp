// The Overview as the main window fills it.

#include "mainwindow/ui/mainwindow.h"

#include "database/database.h"
#include "database/settings.h"
#include "mainwindow/ui/overviewpage.h"
#include "mainwindow/tips.h"
#include "moon/ui/tmoon.h"
#include "platform/clock.h"
#include "platform/daynumber.h"
#include "testsupport.h"
#include "uitestsupport.h"
#include "windowsupport.h"
#include "widgets/language.h"
#include "widgets/ui/translation.h"
#include "widgets/ui/linklabel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QHeaderView>
#include <QListWidget>
#include <QStyle>
#include <QTest>
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
        EXPECT_TRUE(form.create());
    }

    QString shown(const char *name) const
    {
        return form->pages().overview->findChild<QLabel *>(QLatin1String(name))->text();
    }
    QTreeWidget *countlist() const { return form->findChild<QTreeWidget *>(QStringLiteral("countlist")); }
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
    StartedWindows form{db, settings, language, programclock, {}, [] { return false; }};
};

} // namespace

using testsupport::contact;

TEST_F(OverviewTest, TheDayBlockShowsTodayFromTheChosenList)
{
    db.createfolders();
    db.contacts = {contact("Kv\u011bta", 10, 12, 2010, 8, 12)};
    db.savecontacts();
    ASSERT_TRUE(form->programstart());
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
    ASSERT_TRUE(form->programstart());
    settings.settext(Setting::dateformat, QStringLiteral("yyyy-mm-dd"));
    EXPECT_EQ(shown("datelabel"), QStringLiteral("2026-12-08"));
    settings.setflag(Setting::twoweeks, true);
    // 8 December 2026 lies in ISO week 50.
    EXPECT_EQ(shown("datelabel"), QStringLiteral("2026-12-08, even week"));
    clock = QDateTime(QDate(2026, 12, 14), QTime(8, 0));
    form->pages().overview->refreshday();
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
    ASSERT_TRUE(form->programstart());
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
    ASSERT_TRUE(form->programstart());
    auto *week = form->pages().overview->findChild<QTreeView *>(QStringLiteral("ListView2"));
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
    ASSERT_TRUE(form->programstart());
    form->show();
    OverviewPage *o = form->pages().overview;
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
    form->pages().overview->tips = {QStringLiteral("3$The one and only tip that is long enough.")};
    ASSERT_TRUE(form->programstart());
    form->show();
    EXPECT_EQ(tip(0), QStringLiteral("The one and only tip that is long enough."));
    EXPECT_EQ(tip(1), QString());

    form->hide();
    form->pages().overview->tips = builtintips().mid(0, 2);
    form->show();
    EXPECT_NE(tip(0), tip(1));

    form->hide();
    form->pages().overview->tips.clear(); // a language file without tips
    form->show();
    EXPECT_FALSE(tip(0).isEmpty()) << "the tips shown before stay";
}

namespace {

// The Overview at the window's smallest, with a long welcome note and eight
// contacts sharing today's name day, in a language given by its name.
class OverviewFitTest : public ::testing::TestWithParam<const char *>
{
protected:
    OverviewFitTest()
    {
        programclock.setsource([] { return QDateTime(QDate(2026, 12, 8), QTime(10, 0)); });
        db.createfolders();
        if (QLatin1String(GetParam()) != QLatin1String("english"))
            testsupport::writefile(db.path(Language::languagefile), GetParam());
        for (const char *name :
             {"Maximilián Alexandr Hohenberg", "Květoslava Nováková-Dvořáková", "Bartoloměj Featherstonehaugh",
              "Anna-Kateřina Wittelsbachová", "Konstantin Przybyszewski", "Evangelína Montgomery-Smythová",
              "Jaroslava Vondráčková-Hrubá", "Kryštof Wolfeschlegelstein"})
            db.contacts.push_back(testsupport::contact(name, 0, 0, 0, 8, 12));
        db.savecontacts();
        for (int i = 0; i < 150; ++i)
            db.tasks.push_back(testsupport::task("Revise"));
        db.savetasks();
    }

    QTemporaryDir dir;
    Database db{dir.filePath(QStringLiteral("Quillmoter/"))};
    Settings settings;
    Language language;
    RecordingPrompter answers;
    Clock programclock;
};

// 255 characters, as much as the setting holds.
QString longwelcome()
{
    QString note = QStringLiteral(
        "Welcome back! Remember the history essay, the chemistry lab report and the maths test on Friday; bring "
        "the gym kit on Wednesday, water the class plants before the holidays and return the library books on "
        "time, or the fine doubles every single week after that.");
    note.resize(255, QLatin1Char('.'));
    return note;
}

} // namespace

// The page never makes the window wider or higher than a 1280 x 800 screen,
// and at the window's smallest nothing on it is cut: the wrapped texts have
// all their lines, the clock and the moon lie inside their box, and the
// lesson values stand right beside their captions.
TEST_P(OverviewFitTest, TheSmallestWindowFitsTheScreenAndCutsNothing)
{
    StartedWindows form{db, settings, language, programclock, {}, [] { return false; }};
    ASSERT_TRUE(form.create());
    translate(language, {form.get()});
    ASSERT_TRUE(form->programstart());
    ASSERT_EQ(language.language(), QLatin1String(GetParam()));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    // Typed in while the window is up.
    settings.settext(Setting::welcomenote, longwelcome());
    OverviewPage *o = form->pages().overview;
    const QString namedays = o->findChild<QLabel *>(QStringLiteral("namedaytext"))->text();
    ASSERT_TRUE(namedays.contains(QStringLiteral("Kryštof Wolfeschlegelstein"))) << qPrintable(namedays);

    // The wrapped texts are laid out through posted requests, up to the window.
    auto settled = [&] { return o->height() >= o->minimumSizeHint().height(); };
    ASSERT_TRUE(QTest::qWaitFor(settled, 5000));
    const QSize smallest = form->minimumSize();
    // Room is left for the window's frame and title bar.
    EXPECT_LE(smallest.width(), 1280 - 20);
    EXPECT_LE(smallest.height(), 800 - 50);
    form->resize(smallest);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->size() == smallest && settled(); }, 5000))
        << form->size().width() << " x " << form->size().height();

    for (QLabel *label : o->findChildren<QLabel *>()) {
        if (!label->isVisibleTo(o) || label->text().isEmpty())
            continue;
        const QString what = label->objectName() + QStringLiteral(" \"") + label->text().left(30) + u'"';
        if (label->wordWrap()) {
            EXPECT_GE(label->height(), label->heightForWidth(label->width())) << qPrintable(what);
        } else {
            EXPECT_GE(label->width(), label->minimumSizeHint().width()) << qPrintable(what);
            EXPECT_GE(label->height(), label->minimumSizeHint().height()) << qPrintable(what);
        }
    }
    for (const char *name : {"clock", "Moon1", "lessonpanel"}) {
        const QWidget *w = o->findChild<QWidget *>(QLatin1String(name));
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
            << name << " sticks out of its box: " << w->geometry().bottom() << " below "
            << w->parentWidget()->rect().bottom();
    }

    // The counts are whole: the view cuts a text narrower than its column
    // less a margin on either side.
    QTreeWidget *counts = o->findChild<QTreeWidget *>(QStringLiteral("countlist"));
    const int margins = 2 * (counts->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, counts) + 1);
    ASSERT_GT(counts->topLevelItemCount(), 2);
    EXPECT_EQ(counts->topLevelItem(2)->text(1), QStringLiteral("150/150"));
    for (int i = 0; i < counts->topLevelItemCount(); ++i) {
        const QString count = counts->topLevelItem(i)->text(1);
        EXPECT_GE(counts->header()->sectionSize(1), counts->fontMetrics().horizontalAdvance(count) + margins)
            << qPrintable(count);
    }

    // Each lesson value starts right after the widest caption.
    const QWidget *panel = o->findChild<QWidget *>(QStringLiteral("lessonpanel"));
    int captionsend = 0;
    for (const QLabel *label : panel->findChildren<QLabel *>()) {
        if (label->objectName().isEmpty())
            captionsend = std::max(captionsend, label->x() + label->fontMetrics().horizontalAdvance(label->text()));
    }
    for (const char *name : {"current", "next", "room", "rings"}) {
        const QLabel *value = panel->findChild<QLabel *>(QLatin1String(name));
        EXPECT_LE(value->x() - captionsend, 24) << name << " stands " << value->x() - captionsend
                                                << " pixels right of its caption";
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, OverviewFitTest, ::testing::Values("english", "czech"));
