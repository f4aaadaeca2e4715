// The 50 ms tick: reminders that ring, the melody that loops, the day change
// and the day checks.

#include "mainwindow/ui/backupwindow.h"
#include "mainwindow/ui/mainwindow.h"

#include "database/database.h"
#include "database/settings.h"
#include "mainwindow/ui/clockview.h"
#include "mainwindow/ui/overviewpage.h"
#include "mainwindow/ui/reminderpopup.h"
#include "organizer/melodies.h"
#include "platform/clock.h"
#include "platform/daynumber.h"
#include "platform/inifile.h"
#include "platform/shell.h"
#include "school/ui/timetablepage.h"
#include "testsupport.h"
#include "windowsupport.h"
#include "widgets/language.h"
#include "widgets/pagetable.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

using testsupport::FakePlayer;
using testsupport::RecordingPrompter;

namespace {

class TimerTest : public ::testing::Test
{
protected:
    TimerTest()
    {
        setwebpageopener([this](const QUrl &url) {
            opened << url.toString();
            return true;
        });
        db.setreporter([this](const DbMessage &m) { messages << m.text(); });
    }
    ~TimerTest() override { setwebpageopener({}); }

    // Starts the main window at `when`.
    void start(QDateTime when)
    {
        clock = when;
        programclock.setsource([this] { return clock; });
        form = StartedWindows(db, settings, language, programclock, {}, [] { return false; });
        ASSERT_TRUE(form.create());
        started = form->programstart();
        form->findChild<QTimer *>(QStringLiteral("Timer1"))->stop(); // the tests tick by hand
    }

    // The text of a label of the Overview, found by its name.
    QString shown(const char *name) const
    {
        return form->pages().overview->findChild<QLabel *>(QLatin1String(name))->text();
    }

    void addreminder(const char *text, QDate date, int from, const char *repetition = "0", int melody = 0)
    {
        db.calitems.push_back(testsupport::armedrecord(text, date, from, repetition, melody));
        // Start-up loads the calendar from its file.
        db.createfolders();
        db.savecalitems();
    }

    QTemporaryDir dir;
    Database db{dir.filePath(QStringLiteral("Quillmoter/"))};
    Settings settings;
    Language language;
    RecordingPrompter answers;

    QDateTime clock;
    Clock programclock;
    StartedWindows form;
    // The player and the reminder pop-up of the started window.
    FakePlayer &player() const { return form.player(); }
    Tringform &ringform() const { return *form.dialogs().ringform; }
    bool started = false;
    QStringList opened;
    QStringList messages;
};

const QDate wednesday(2026, 12, 9);

} // namespace

TEST_F(TimerTest, AReminderRingsOnceInItsMinuteAndIsSavedDisarmed)
{
    db.createfolders();
    addreminder("Dentist#bring the card", wednesday, 1030);
    addreminder("Tomorrow", wednesday.addDays(1), 1030);
    db.savecalitems();
    start(QDateTime(wednesday, QTime(10, 29, 59)));
    form->Timer1Timer();
    EXPECT_TRUE(ringform().isHidden());
    EXPECT_TRUE(db.calitems[0].remind);

    clock = QDateTime(wednesday, QTime(10, 30, 0));
    form->Timer1Timer();
    EXPECT_FALSE(ringform().isHidden());
    EXPECT_EQ(ringform().titlelabel->text(), QStringLiteral("Dentist"));
    EXPECT_EQ(player().opened, melodyfile(0, {}));
    EXPECT_EQ(player().plays, 1);
    EXPECT_FALSE(db.calitems[0].remind);
    EXPECT_TRUE(db.calitems[1].remind);
    Database reread(db.dbpath());
    reread.loadcalitems();
    EXPECT_FALSE(reread.calitems[0].remind);
    EXPECT_TRUE(reread.calitems[1].remind);

    // Later in the same minute nothing rings again; a click closes the pop-up.
    ringform().PaintBox1Click();
    clock = QDateTime(wednesday, QTime(10, 30, 40));
    form->Timer1Timer();
    EXPECT_TRUE(ringform().isHidden());
    EXPECT_FALSE(player().playing);
}

// The start shows the timetable's week, which refreshes the lesson panel; a
// reminder due at launch must wait for the first tick, after the window is
// up, or its pop-up and any melody message come with no window behind them.
TEST_F(TimerTest, AReminderDueAtLaunchRingsAtTheFirstTickNotDuringTheStart)
{
    addreminder("Physics exam", wednesday, 1030);
    start(QDateTime(wednesday, QTime(10, 30, 5)));
    ASSERT_TRUE(started);
    EXPECT_TRUE(ringform().isHidden());
    EXPECT_EQ(player().plays, 0);
    EXPECT_TRUE(db.calitems[0].remind);

    form->Timer1Timer();
    EXPECT_FALSE(ringform().isHidden());
    EXPECT_FALSE(db.calitems[0].remind);
}

TEST_F(TimerTest, AWeeklyReminderRingsOnItsFirstDayThenStaysDisarmed)
{
    addreminder("Gym", wednesday.addDays(-30), 800, "w0010000");
    start(QDateTime(wednesday, QTime(7, 59, 59)));
    clock = QDateTime(wednesday, QTime(8, 0, 5));
    form->Timer1Timer();
    EXPECT_FALSE(ringform().isHidden());
    ringform().PaintBox1Click();
    clock = QDateTime(wednesday.addDays(7), QTime(8, 0, 5));
    form->Timer1Timer();
    EXPECT_TRUE(ringform().isHidden());
}

TEST_F(TimerTest, TwoRemindersInOneMinuteShowTheLaterTitleAndTheEarlierMelody)
{
    addreminder("First", wednesday, 900, "0", 1);
    addreminder("Second", wednesday, 900, "0", 3);
    start(QDateTime(wednesday, QTime(8, 59, 59)));
    clock = QDateTime(wednesday, QTime(9, 0, 1));
    form->Timer1Timer();
    EXPECT_FALSE(db.calitems[0].remind);
    EXPECT_FALSE(db.calitems[1].remind);
    EXPECT_EQ(ringform().titlelabel->text(), QStringLiteral("Second"));
    EXPECT_EQ(player().opened, melodyfile(1, {}));
    EXPECT_EQ(player().file(), melodyfile(3, {}));
}

TEST_F(TimerTest, AReminderWhoseSaveFailsStillShowsAndIsReportedOnce)
{
    db.createfolders();
    addreminder("Exam", wednesday, 1200);
    addreminder("Exam too", wednesday, 1200);
    start(QDateTime(wednesday, QTime(11, 59, 59)));
    clock = QDateTime(wednesday, QTime(12, 0, 0));
    {
        testsupport::FileSizeLimit limit(10);
        form->Timer1Timer();
    }
    EXPECT_FALSE(ringform().isHidden()) << "the reminder is not lost";
    EXPECT_EQ(messages.size(), 1);
}

// The sound system may be slow or stuck: the disarmed record is on disk
// before the pop-up asks it for the melody, also when the melody fails.
TEST_F(TimerTest, AReminderIsSavedDisarmedBeforeThePlayerStarts)
{
    addreminder("Exam", wednesday, 1200);
    start(QDateTime(wednesday, QTime(11, 59, 59)));
    player().failure = QStringLiteral("the sound system did not start");
    std::optional<bool> armedondisk;
    QObject::connect(&player(), &MelodyPlayer::failed, &player(), [&] {
        Database reread(db.dbpath());
        reread.loadcalitems();
        armedondisk = !reread.calitems.empty() && reread.calitems[0].remind;
    });
    clock = QDateTime(wednesday, QTime(12, 0, 0));
    form->Timer1Timer();
    ASSERT_TRUE(armedondisk.has_value()) << "the player was started";
    EXPECT_FALSE(*armedondisk);
    EXPECT_FALSE(ringform().isHidden());
    EXPECT_EQ(answers.boxes.size(), 1u) << "the melody's failure, once";
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(TimerTest, TheMelodyLoopsAndAFailureIsReportedOnceWithoutRetrying)
{
    addreminder("Loop", wednesday, 1300);
    start(QDateTime(wednesday, QTime(12, 59, 59)));
    clock = QDateTime(wednesday, QTime(13, 0, 0));
    form->Timer1Timer();
    ASSERT_EQ(player().plays, 1);
    player().playing = false; // the melody ended
    form->Timer1Timer();
    EXPECT_EQ(player().plays, 2);

    emit player().failed(QStringLiteral("no sound device"));
    emit player().failed(QStringLiteral("no sound device"));
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_TRUE(answers.boxes[0].text.contains(QStringLiteral("no sound device")));
    player().playing = false;
    for (int i = 0; i < 5; ++i)
        form->Timer1Timer();
    EXPECT_EQ(player().plays, 2) << "not retried every tick";
}

TEST_F(TimerTest, TheTimetableIsRepaintedOnceAMinuteOnTheOverview)
{
    start(QDateTime(wednesday, QTime(10, 0, 0)));
    // The start's own tick (after the week was chosen) has counted already.
    const int before = form->tickms();
    ASSERT_EQ(before % 50, 0);
    for (int i = 0; i < (60000 - before) / 50; ++i)
        form->Timer1Timer();
    EXPECT_EQ(form->tickms(), 60000);
    form->Timer1Timer();
    EXPECT_EQ(form->tickms(), 0) << "repainted at the 1201st tick";
    form->findChild<QStackedWidget *>(QStringLiteral("PageControl1"))->setCurrentIndex(pagecalendar);
    form->Timer1Timer();
    EXPECT_EQ(form->tickms(), 0) << "other pages do not count";
}

TEST_F(TimerTest, TheClockAndLessonPanelFollowTheTime)
{
    start(QDateTime(wednesday, QTime(7, 50, 0)));
    // The default timetable: an empty lesson from 8:00 on Wednesday.
    form->Timer1Timer();
    EXPECT_EQ(shown("current"), QStringLiteral("Break"));
    EXPECT_EQ(shown("rings"), QStringLiteral("9 mins and 59 secs"));
    clock = QDateTime(wednesday, QTime(8, 10, 0));
    form->Timer1Timer();
    EXPECT_GE(form->pages().overview->currentlesson(), 0);
    EXPECT_EQ(shown("current"), QStringLiteral("No lesson"));
    EXPECT_EQ(shown("rings"), QStringLiteral("34 mins and 59 secs"));
    const auto *face = form->findChild<ClockView *>(QStringLiteral("clock"));
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->time(), QTime(8, 10, 0));
    EXPECT_FALSE(face->digital());
}

namespace {

// The widgets that paint while it lives, by name (or class, when unnamed).
class PaintLog : public QObject
{
public:
    PaintLog() { qApp->installEventFilter(this); }
    ~PaintLog() override { qApp->removeEventFilter(this); }
    QStringList painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            painted << (watched->objectName().isEmpty() ? QLatin1String(watched->metaObject()->className())
                                                        : watched->objectName());
        }
        return false;
    }
};

} // namespace

// Idle on the Overview, the window repaints what a new second changes and
// nothing else: the page and its framed box stay untouched.
TEST_F(TimerTest, ANewSecondRepaintsOnlyTheClockAndTheCountdown)
{
    start(QDateTime(wednesday, QTime(7, 50, 0)));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    // The wrapped texts (the tips shown with the window) are laid out through
    // posted requests, up to the window: idle starts once they are.
    const OverviewPage *overview = form->pages().overview;
    ASSERT_TRUE(QTest::qWaitFor([&] { return overview->height() >= overview->minimumSizeHint().height(); }, 5000));
    form->Timer1Timer();
    QApplication::processEvents();
    const auto *face = form->findChild<ClockView *>(QStringLiteral("clock"));
    ASSERT_NE(face, nullptr);
    {
        PaintLog log;
        clock = clock.addMSecs(450);
        form->Timer1Timer();
        QApplication::processEvents();
        EXPECT_TRUE(log.painted.isEmpty()) << "the same second: " << log.painted.join(u' ').toStdString();
    }
    {
        PaintLog log;
        clock = clock.addMSecs(600);
        form->Timer1Timer();
        QApplication::processEvents();
        log.painted.sort();
        EXPECT_EQ(log.painted, QStringList({QStringLiteral("clock"), QStringLiteral("rings")}));
        EXPECT_EQ(face->time(), QTime(7, 50, 1));
        EXPECT_EQ(shown("rings"), QStringLiteral("9 mins and 58 secs"));
    }
    // A change of the clock's kind shows at the next tick, within the second.
    settings.setflag(Setting::digitalclock, true);
    form->Timer1Timer();
    EXPECT_TRUE(face->digital());
}

// The Overview is brought up to date when it shows again, even within the
// second the tick last worked through on another page.
TEST_F(TimerTest, TheOverviewShownAgainShowsTheTimeAtOnce)
{
    start(QDateTime(wednesday, QTime(7, 50, 0)));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->Timer1Timer();
    auto *pages = form->findChild<QStackedWidget *>(QStringLiteral("PageControl1"));
    pages->setCurrentIndex(pagecalendar);
    clock = QDateTime(wednesday, QTime(7, 50, 5));
    form->Timer1Timer();
    pages->setCurrentIndex(pageoverview);
    form->Timer1Timer();
    EXPECT_EQ(form->findChild<ClockView *>(QStringLiteral("clock"))->time(), QTime(7, 50, 5));
    EXPECT_EQ(shown("rings"), QStringLiteral("9 mins and 54 secs"));
}

// A reminder set for the minute already running rings within a second.
TEST_F(TimerTest, AReminderSetForTheRunningMinuteRingsWithinASecond)
{
    start(QDateTime(wednesday, QTime(9, 0, 0)));
    form->Timer1Timer();
    db.calitems.push_back(testsupport::armedrecord("Now", wednesday, 900));
    clock = QDateTime(wednesday, QTime(9, 0, 0, 950));
    form->Timer1Timer();
    clock = QDateTime(wednesday, QTime(9, 0, 1));
    form->Timer1Timer();
    EXPECT_FALSE(ringform().isHidden());
    EXPECT_FALSE(db.calitems.back().remind);
}

TEST_F(TimerTest, TheLessonPanelFollowsEveryTimetableEditAtOnce)
{
    start(QDateTime(wednesday, QTime(8, 10, 0)));
    auto *timetable = form->findChild<TimetablePage *>();
    ASSERT_NE(timetable, nullptr);
    // Wednesday's lesson 1 (8:00 to 8:45) in the Table mode.
    const TLessonRec *lesson = nullptr;
    for (const TLessonRec &l : db.timetable) {
        if (l.week == -1 && l.day == 3 && l.number == 1)
            lesson = &l;
    }
    ASSERT_NE(lesson, nullptr);
    const QPoint inside(ttlessonx(timetable->view(), *lesson, true) + 5, 3 * ttrowheight + tttop + 15);
    timetable->timetableboxMouseDown(inside);
    timetable->timetableboxMouseUp();
    QTest::keyClicks(timetable->findChild<QLineEdit *>(QStringLiteral("subjectedit")), QStringLiteral("Physics"));
    form->Timer1Timer();
    EXPECT_EQ(shown("current"), QStringLiteral("Physics"));
    timetable->findChild<QTimeEdit *>(QStringLiteral("lessonpicker1"))->setTime(QTime(8, 15));
    form->Timer1Timer();
    EXPECT_EQ(shown("current"), QStringLiteral("Break"));
    EXPECT_EQ(shown("next"), QStringLiteral("Physics"));
    EXPECT_EQ(shown("rings"), QStringLiteral("4 mins and 59 secs"));
}

TEST_F(TimerTest, ADayChangeRefreshesTheDayOnceEvenWhenAQuestionIsOpen)
{
    start(QDateTime(QDate(2027, 12, 29), QTime(23, 59, 59)));
    settings.setflag(Setting::checkversion, false);
    clock = QDateTime(QDate(2027, 12, 30), QTime(0, 0, 1));
    int nested = 0;
    // A question that lets the timer tick while it is open.
    RecordingPrompter ticking;
    ticking.answer = mb::idno;
    ticking.whileasking = [&] {
        ++nested;
        form->Timer1Timer();
    };
    form->Timer1Timer();
    EXPECT_EQ(ticking.questions.size(), 1u) << "the prompt is asked once";
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(programclock.lastday(), QDate(2027, 12, 30));
    form->Timer1Timer();
    EXPECT_EQ(ticking.questions.size(), 1u);
}

// A question of the new day may stay open for hours: the Overview must not
// show yesterday behind it.
TEST_F(TimerTest, TheDayBlockShowsTheNewDayWhileItsQuestionIsOpen)
{
    start(QDateTime(QDate(2027, 1, 11), QTime(23, 59, 59)));
    settings.setflag(Setting::checkversion, false);
    const QString yesterday = shown("datelabel");
    clock = QDateTime(QDate(2027, 1, 12), QTime(0, 0, 1));
    RecordingPrompter looking;
    looking.answer = mb::idno;
    QString dateline;
    QDate day;
    looking.whileasking = [&] {
        dateline = shown("datelabel");
        day = programclock.lastday();
    };
    form->Timer1Timer();
    ASSERT_EQ(looking.questions.size(), 1u) << "the yearly prompt of 12 January";
    EXPECT_EQ(day, QDate(2027, 1, 12));
    EXPECT_NE(dateline, yesterday);
    EXPECT_TRUE(dateline.contains(QStringLiteral("12"))) << dateline.toStdString();
}

TEST_F(TimerTest, TheYearlyPromptIsAskedOncePerYearAndRemembered)
{
    answers.answer = mb::idno;
    start(QDateTime(QDate(2027, 1, 12), QTime(9, 0)));
    ASSERT_EQ(answers.questions.size(), 1u);
    EXPECT_EQ(answers.questions[0], QString(DayChecks::firstprompt).replace('#', '\n'));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(IniFile(db.path("settings.ini")).readstring("Settings", "12.1.2027", ""), QStringLiteral("1"));

    // The same day again: not asked. Next year: asked, and Yes opens the page.
    form.reset();
    start(QDateTime(QDate(2027, 1, 12), QTime(15, 0)));
    EXPECT_EQ(answers.questions.size(), 1u);
    form.reset();
    IniFile::writekey(db.path("settings.ini"), "Settings", "checkversion", "0");
    answers.answer = mb::idyes;
    start(QDateTime(QDate(2028, 1, 12), QTime(9, 0)));
    EXPECT_EQ(answers.questions.size(), 2u);
    EXPECT_EQ(opened.size(), 1);
    EXPECT_FALSE(form->ended());
}

TEST_F(TimerTest, TheVersionNoticeOnlyForAnOutdatedBuild)
{
    answers.answer = mb::idno;
    start(QDateTime(QDate(2027, 11, 30), QTime(9, 0)));
    EXPECT_TRUE(answers.questions.empty());
    form.reset();
    start(QDateTime(QDate(2027, 12, 1), QTime(9, 0)));
    ASSERT_EQ(answers.questions.size(), 1u);
    EXPECT_TRUE(started);

    // Yes: the page opens, the settings are saved and the program ends.
    form.reset();
    answers.answer = mb::idyes;
    start(QDateTime(QDate(2027, 12, 30), QTime(9, 0)));
    EXPECT_EQ(answers.questions[1], QString(DayChecks::newversionquestion).replace('#', '\n'));
    EXPECT_FALSE(started);
    EXPECT_TRUE(form->ended());
    EXPECT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].contains(QStringLiteral("app=qmtr2.1")));
    EXPECT_TRUE(IniFile(db.path("settings.ini")).haskey("Settings", "checkversion"));

    // Switched off: never asked.
    form.reset();
    settings.setflag(Setting::checkversion, false);
    IniFile ini(db.path("settings.ini"));
    ini.writestring("Settings", "checkversion", "0");
    ini.save();
    answers.questions.clear();
    start(QDateTime(QDate(2028, 3, 3), QTime(9, 0)));
    EXPECT_TRUE(answers.questions.empty());
}

// The import's closing message lets the timer tick: by then the imported
// calendar is in memory, so a reminder of the replaced one can neither ring
// nor be saved over the imported file.
TEST_F(TimerTest, AReminderDueDuringAnImportNeverSavesOverTheImportedCalendar)
{
    addreminder("Dentist", wednesday, 1030);
    start(QDateTime(wednesday, QTime(10, 29, 59)));
    ASSERT_TRUE(started);
    ASSERT_TRUE(ringform().isHidden());
    clock = QDateTime(wednesday, QTime(10, 30, 0)); // the import runs into its minute

    const QString backup = dir.filePath(QStringLiteral("Backups/QMTR_0912261000/"));
    QDir().mkpath(backup);
    TCalItemRec other = testsupport::armedrecord("From the backup", wednesday, 1400);
    QByteArray imported(TCalItemRec::size, '\0');
    other.encode(imported.data());
    ASSERT_TRUE(testsupport::writefile(backup + "calitems.dat", imported));
    ASSERT_TRUE(testsupport::writefile(backup + "dbversion.dat", "2.1"));

    // Every message box ticks once while it is open.
    struct TickingPrompter : RecordingPrompter
    {
        std::function<void()> tick;
        int messagebox(QWidget *parent, const QString &text, const QString &caption, int flags) override
        {
            tick();
            return RecordingPrompter::messagebox(parent, text, caption, flags);
        }
    } ticking;
    ticking.tick = [this] { form->Timer1Timer(); };

    TForm8 &backupwindow = *form.dialogs().backupwindow;
    backupwindow.setmode(TForm8::Mode::importing);
    backupwindow.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(backup);
    backupwindow.BitBtn1Click();

    ASSERT_EQ(ticking.boxes.size(), 1u);
    EXPECT_TRUE(ringform().isHidden()) << "rang: " << ringform().titlelabel->text().toStdString();
    EXPECT_EQ(testsupport::readfile(db.path(dbfile::calitems)), imported);
    ASSERT_EQ(db.calitems.size(), 1u);
    EXPECT_EQ(db.calitems[0].text, QStringLiteral("From the backup"));
}
