// The main window's life: start-up over a database folder, the navigation
// bar, hiding to the notification area and coming back, shutting down.

#include "mainwindow/ui/mainwindow.h"

#include "database/backup.h"
#include "database/database.h"
#include "database/journal.h"
#include "database/recovery.h"
#include "database/settings.h"
#include "mainwindow/ui/navbar.h"
#include "mainwindow/ui/overviewpage.h"
#include "mainwindow/ui/program.h"
#include "platform/clock.h"
#include "platform/inifile.h"
#include "school/timetablecolors.h"
#include "crashsupport.h"
#include "testsupport.h"
#include "windowsupport.h"
#include "widgets/language.h"
#include "widgets/pagetable.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using testsupport::readfile;
using testsupport::RecordingPrompter;
using testsupport::writefile;

namespace {

class MainWindowTest : public ::testing::Test
{
protected:
    StartedWindows start(bool tray = true, const QStringList &arguments = {})
    {
        StartedWindows form(db, settings, language, clock, arguments, [tray] { return tray; });
        EXPECT_TRUE(form.create());
        return form;
    }

    QString file(const QString &name) const { return db.path(name); }
    template <class W>
    static W *widget(const TForm1 &form, const char *name)
    {
        return form.findChild<W *>(QLatin1String(name));
    }

    MainWindowTest()
    {
        // An ordinary day: no yearly prompt, no version notice.
        clock.setsource([] { return QDateTime(QDate(2026, 11, 18), QTime(10, 0)); });
    }

    QTemporaryDir dir;
    Database db{dir.filePath(QStringLiteral("Quillmoter/"))};
    Settings settings;
    Language language;
    Clock clock;
    RecordingPrompter answers;
};

} // namespace

TEST_F(MainWindowTest, ANewDatabaseFolderIsMadeAndMarked)
{
    auto form = start();
    for (const char *sub : {"photos", "subjects", "memos"})
        EXPECT_TRUE(QFileInfo(db.path(QLatin1String(sub))).isDir()) << sub;
    EXPECT_TRUE(QFileInfo::exists(file(dbfile::custommelodies)));
    ASSERT_TRUE(form->programstart());
    EXPECT_EQ(readfile(file(dbfile::dbversion)), QByteArray("2.1"));
    EXPECT_EQ(readfile(file(dbfile::categories)), QByteArray(""));
    EXPECT_EQ(readfile(file(dbfile::memocategories)), QByteArray(""));
    EXPECT_EQ(db.taskcategories, QStringList({"Unfiled"}));
    EXPECT_EQ(db.timetable.size(), 210u);
    EXPECT_EQ(db.subjects.size(), 12u);
    EXPECT_EQ(ttcolors().size(), 14);
    EXPECT_EQ(ttcolors()[3].color, 153 + 0 * 256 + 48 * 65536);
    EXPECT_FALSE(form->pages().overview->clockface().isNull());
    EXPECT_TRUE(answers.boxes.empty());
}

TEST_F(MainWindowTest, AFolderThatCannotBeMadeStopsTheStart)
{
    std::vector<DbMessage> messages;
    ASSERT_TRUE(writefile(dir.filePath(QStringLiteral("Quillmoter")), "a file in the way"));
    db.setreporter([&](const DbMessage &m) { messages.push_back(m); });
    StartedWindows form(db, settings, language, clock, {}, [] { return true; });
    EXPECT_FALSE(form.create());
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(MainWindowTest, OtherDatabaseVersionsAreNeverLoaded)
{
    QDir().mkpath(db.dbpath());
    for (const char *version : {"2.10", "3.0", "abc"}) {
        ASSERT_TRUE(writefile(file(dbfile::dbversion), version));
        answers.boxes.clear();
        auto form = start();
        EXPECT_FALSE(form->programstart()) << version;
        ASSERT_EQ(answers.boxes.size(), 1u) << version;
        EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));
        EXPECT_FALSE(QFileInfo::exists(file(dbfile::contacts))) << "nothing was loaded or created";
    }
    ASSERT_TRUE(writefile(file(dbfile::dbversion), "abc"));
    answers.boxes.clear();
    EXPECT_FALSE(start()->programstart());
    EXPECT_EQ(answers.boxes[0].text,
              QStringLiteral("abcUnable to determine database version, it is probably damaged."));
}

// Whatever stands in place of a data file, the start goes on (or, for the
// version file, refuses) with one message, and leaves it as it is.
TEST_F(MainWindowTest, ADataFileThatIsNoPlainFileGivesOneMessageAndStaysAsItIs)
{
    const QString names[] = {dbfile::contacts, dbfile::calitems, dbfile::tasks, dbfile::timetable,
                             dbfile::subjects, dbfile::categories, dbfile::memocategories,
                             dbfile::custommelodies, settingsfilename, Language::languagefile,
                             dbfile::dbversion};
    for (const QString &name : names) {
        for (testsupport::Odd odd : testsupport::oddthings) {
            const std::string what = name.toStdString() + " as " + testsupport::oddname(odd);
            QTemporaryDir home;
            Database fresh(home.filePath(QStringLiteral("Quillmoter/")));
            QStringList messages;
            fresh.setreporter([&](const DbMessage &m) { messages << m.text(); });
            ASSERT_TRUE(fresh.createfolders());
            if (name != dbfile::dbversion) {
                ASSERT_TRUE(writefile(fresh.path(dbfile::dbversion), "2.1"));
            }
            ASSERT_TRUE(testsupport::makeodd(fresh.path(name), odd));
            answers.boxes.clear();

            StartedWindows form(fresh, settings, language, clock, {}, [] { return true; });
            ASSERT_TRUE(form.create()) << what;
            const bool started = form->programstart();
            EXPECT_EQ(started, name != dbfile::dbversion) << what;
            EXPECT_EQ(messages.size() + answers.boxes.size(), 1u) << what;
            if (!messages.isEmpty()) {
                EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(fresh.path(name)))) << what;
            }
            if (started) {
                EXPECT_FALSE(form->savesettings() && (name == settingsfilename || name == Language::languagefile))
                    << what;
            }
            EXPECT_TRUE(testsupport::isodd(fresh.path(name), odd)) << what;
        }
    }
}

TEST_F(MainWindowTest, TheProblemsOfOneStartComeInOneMessage)
{
    QStringList messages;
    db.setreporter([&](const DbMessage &m) { messages << m.text(); });
    ASSERT_TRUE(db.createfolders());
    const QString blocked[] = {dbfile::contacts, dbfile::calitems, dbfile::tasks, dbfile::timetable,
                               dbfile::subjects, dbfile::categories, dbfile::memocategories,
                               dbfile::custommelodies, dbfile::dbversion + QStringLiteral("x")};
    for (const QString &name : blocked)
        ASSERT_TRUE(testsupport::makeodd(file(name), testsupport::Odd::folder));
    auto form = start();
    ASSERT_TRUE(form->programstart());
    ASSERT_EQ(messages.size(), 1);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(file(blocked[i])))) << blocked[i].toStdString();
    // Later problems are told as they come.
    db.reporterror({QStringLiteral("later"), {}});
    EXPECT_EQ(messages.size(), 2);
}

// The start undoes an import that a crash stopped before it makes a folder
// or loads a file: the notes moved aside come back instead of an empty
// "memos" folder taking their place.
TEST_F(MainWindowTest, AnImportThatACrashStoppedIsUndoneBeforeAnythingIsMadeOrLoaded)
{
    QStringList messages;
    db.setreporter([&](const DbMessage &m) { messages << m.text(); });
    ASSERT_TRUE(db.createfolders());
    ASSERT_TRUE(writefile(file(dbfile::dbversion), "2.1"));
    db.contacts = {testsupport::contact("Ann")};
    db.savecontacts();
    ASSERT_TRUE(writefile(file(QStringLiteral("memos/Diary.rtf")), "{\\rtf1 mine}"));
    const QString backup = dir.filePath(QStringLiteral("QMTR_0101260800/"));
    QDir().mkpath(backup);
    QByteArray bob(TContactRec::size, '\0');
    testsupport::contact("Bob").encode(bob.data());
    ASSERT_TRUE(writefile(backup + "contacts.dat", bob));
    ASSERT_TRUE(writefile(backup + "dbversion.dat", "2.1"));
    try {
        journal::setstephook([](const QString &step) {
            if (step.startsWith(QStringLiteral("move memos")))
                throw crashsupport::Killed{step};
        });
        backup::Import import(db.dbpath(), backup);
        VersionCheck check;
        check.result = VersionCheck::current;
        QString error;
        ASSERT_TRUE(import.stage(check, nullptr, &error));
        import.replace(&error);
        FAIL() << "not stopped";
    } catch (const crashsupport::Killed &) {
    }
    journal::setstephook({});
    ASSERT_FALSE(QFileInfo::exists(file(QStringLiteral("memos"))));

    auto form = start();
    ASSERT_TRUE(form->programstart());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(importundone)) << messages[0].toStdString();
    ASSERT_EQ(db.contacts.size(), 1u);
    EXPECT_EQ(db.contacts[0].name, QStringLiteral("Ann"));
    EXPECT_EQ(readfile(file(QStringLiteral("memos/Diary.rtf"))), QByteArray("{\\rtf1 mine}"));
    EXPECT_TRUE(QDir(db.dbpath()).entryList({QStringLiteral(".*")}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
}

TEST_F(MainWindowTest, AChangeThatCannotBeRecoveredStopsTheStartBeforeAnythingIsMade)
{
    QStringList messages;
    db.setreporter([&](const DbMessage &m) { messages << m.text(); });
    QDir().mkpath(db.dbpath());
    ASSERT_TRUE(writefile(file(journal::filename), "damaged"));
    StartedWindows form(db, settings, language, clock, {}, [] { return true; });
    EXPECT_FALSE(form.create());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("An interrupted change of the database could not be completed")))
        << messages[0].toStdString();
    EXPECT_EQ(QDir(db.dbpath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{journal::filename});
}

TEST_F(MainWindowTest, LeftoversOfAKilledSaveAreRemovedAtStart)
{
    ASSERT_TRUE(db.createfolders());
    ASSERT_TRUE(writefile(file(QStringLiteral("calitems.dat.Q1w2E3")), QByteArray(5000, 'x')));
    ASSERT_TRUE(writefile(file(QStringLiteral("settings.ini.Q1w2E3")), "[Settings]"));
    ASSERT_TRUE(writefile(file(QStringLiteral("mynotes.txt.Q1w2E3")), "mine"));
    auto form = start();
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("calitems.dat.Q1w2E3"))));
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("settings.ini.Q1w2E3"))));
    EXPECT_EQ(readfile(file(QStringLiteral("mynotes.txt.Q1w2E3"))), QByteArray("mine"));
}

TEST_F(MainWindowTest, AnOlderDatabaseIsUpgradedOnlyWhenTheUserAgrees)
{
    QDir().mkpath(db.dbpath());
    ASSERT_TRUE(writefile(file(dbfile::dbversion), "2.0"));
    answers.answer = mb::idno;
    EXPECT_FALSE(start()->programstart());
    EXPECT_EQ(answers.questions.size(), 1u);
    EXPECT_EQ(readfile(file(dbfile::dbversion)), QByteArray("2.0"));
    EXPECT_FALSE(QFileInfo::exists(file(dbfile::contacts))) << "nothing was loaded or created";

    answers.answer = mb::idyes;
    auto form = start();
    ASSERT_TRUE(form->programstart());
    EXPECT_EQ(readfile(file(dbfile::dbversion)), QByteArray("2.1"));
    EXPECT_EQ(db.timetable.size(), 210u);
    EXPECT_TRUE(answers.boxes.empty());
}

TEST_F(MainWindowTest, TheNavigationBarFollowsShowTabs)
{
    auto form = start();
    ASSERT_TRUE(form->programstart());
    EXPECT_EQ(widget<NavigationBar>(*form, "ButtonGroup1")->items().size(), 8);
    EXPECT_EQ(widget<NavigationBar>(*form, "ButtonGroup1")->height(), 320);

    for (int n = 1; n <= 6; ++n)
        settings.setflag(buttonvisible(n), false);
    ASSERT_EQ(widget<NavigationBar>(*form, "ButtonGroup1")->items().size(), 2);
    EXPECT_EQ(widget<NavigationBar>(*form, "ButtonGroup1")->height(), 80);
    EXPECT_EQ(widget<NavigationBar>(*form, "ButtonGroup1")->items()[1].imageindex, pagesettings);

    // Ticked in any order, shown in page order; the checklist drives it too.
    settings.setflag(buttonvisible(6), true);
    widget<QListWidget>(*form, "CheckListBox2")->item(2)->setCheckState(Qt::Checked);
    QList<int> pages;
    for (const NavigationBar::Item &item : widget<NavigationBar>(*form, "ButtonGroup1")->items())
        pages << item.imageindex;
    EXPECT_EQ(pages, QList<int>({pageoverview, pagetasks, pagetimetable, pagesettings}));
    EXPECT_TRUE(settings.flag(buttonvisible(3)));

    // A page whose button goes away stays shown.
    emit widget<NavigationBar>(*form, "ButtonGroup1")->buttonclicked(pagetasks);
    EXPECT_EQ(widget<QStackedWidget>(*form, "PageControl1")->currentIndex(), pagetasks);
    settings.setflag(buttonvisible(3), false);
    EXPECT_EQ(widget<QStackedWidget>(*form, "PageControl1")->currentIndex(), pagetasks);
    EXPECT_EQ(widget<NavigationBar>(*form, "ButtonGroup1")->selectedindex(), -1);
}

TEST_F(MainWindowTest, TheNavigationBarTakesTheKeyboard)
{
    auto form = start();
    ASSERT_TRUE(form->programstart());
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    auto *bar = widget<NavigationBar>(*form, "ButtonGroup1");
    auto *about = widget<QPushButton>(*form, "BitBtn15");
    about->setFocus();
    QTest::keyClick(about, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), bar);
    QTest::keyClick(bar, Qt::Key_Down);
    QTest::keyClick(bar, Qt::Key_Down);
    QTest::keyClick(bar, Qt::Key_Return);
    EXPECT_EQ(widget<QStackedWidget>(*form, "PageControl1")->currentIndex(), pagecalendar);
    QTest::keyClick(bar, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), about);
}

TEST_F(MainWindowTest, CloseHidesToTheTrayWithANoticeOnce)
{
    auto form = start(true);
    ASSERT_TRUE(form->programstart());
    form->show();
    form->close();
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].caption, TForm1::traynoticecaption);
    EXPECT_EQ(answers.boxes[0].flags, 64);
    EXPECT_EQ(IniFile(file(QStringLiteral("settings.ini"))).readstring("Settings", "trayed", ""), QStringLiteral("1"));

    form->TrayIcon1Click(); // the tray icon brings it back
    EXPECT_TRUE(form->isVisible());
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(answers.boxes.size(), 1u) << "the notice comes only once";

    // The next run remembers that the notice was shown.
    Settings again;
    Language language2;
    StartedWindows next(db, again, language2, clock, {}, [] { return true; });
    ASSERT_TRUE(next.create());
    ASSERT_TRUE(next->programstart());
    next->show();
    next->close();
    EXPECT_EQ(answers.boxes.size(), 1u);
}

TEST_F(MainWindowTest, WithoutANotificationAreaClosingEndsAndMinusHShows)
{
    auto form = start(false, {"-h"});
    ASSERT_TRUE(form->programstart());
    EXPECT_FALSE(form->hidestotray());
    EXPECT_FALSE(form->startshidden()) << "the window could never come back";
    form->show();
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(answers.boxes.empty());
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("settings.ini")))) << "closing saves the settings";
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("language.dat"))));

    auto hidden = start(true, {"-h"});
    EXPECT_TRUE(hidden->startshidden());
    auto shown = start(true, {"-H"});
    EXPECT_FALSE(shown->startshidden());
}

// With autostart the program may start before the panel's tray: once the
// tray is there, closing hides the window to it.
TEST_F(MainWindowTest, ATrayThatAppearsAfterTheStartIsUsed)
{
    bool tray = false;
    StartedWindows form(db, settings, language, clock, {}, [&tray] { return tray; });
    ASSERT_TRUE(form.create());
    ASSERT_TRUE(form->programstart());
    EXPECT_FALSE(form->hidestotray());
    form->show();
    tray = true;
    EXPECT_TRUE(form->hidestotray());
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->ended()) << "hidden, not ended";
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].caption, TForm1::traynoticecaption);
}

// The window system adds the application's display name to every title
// when one is set; none is, so titles are exactly the captions.
TEST_F(MainWindowTest, TitlesAreExactlyTheirCaptions)
{
    const QString name = QGuiApplication::applicationName();
    setupapplication();
    QGuiApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("probe")) << "a display name is set";
    QGuiApplication::setApplicationName(name);

    auto form = start();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Quillmoter organizer"));

    // A real message box, as the user sees it.
    setprompter(nullptr);
    QString boxtitle;
    QTimer::singleShot(0, [&boxtitle] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            boxtitle = box->windowTitle();
            box->close();
        }
    });
    trans_messagebox(QStringLiteral("Disk full"), QStringLiteral("Error"), mb::iconerror);
    setprompter(&answers);
    EXPECT_EQ(boxtitle, QStringLiteral("Error"));
}

TEST_F(MainWindowTest, TerminateProgramEndsEvenWithTheTray)
{
    auto form = start(true);
    ASSERT_TRUE(form->programstart());
    form->show();
    widget<QMenu>(*form, "traymenu")->actions().at(2)->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(answers.boxes.empty()) << "no hiding notice on the way out";
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("settings.ini"))));
}

TEST_F(MainWindowTest, ReloadingKeepsOneDefaultCategory)
{
    auto form = start();
    ASSERT_TRUE(form->programstart());
    ASSERT_TRUE(writefile(file(dbfile::categories), "School\r\nhome\r\n"));
    form->refreshcontent();
    EXPECT_EQ(db.taskcategories, QStringList({"home", "School", "Unfiled"}));

    // The file goes missing (an imported backup without it): the rows as they
    // were are written back, and the default category is there once.
    QFile::remove(file(dbfile::categories));
    form->refreshcontent();
    EXPECT_EQ(db.taskcategories, QStringList({"home", "School", "Unfiled"}));
    EXPECT_EQ(readfile(file(dbfile::categories)), QByteArray("home\r\nSchool\r\n"));
    form->refreshcontent();
    EXPECT_EQ(db.taskcategories.count(QStringLiteral("Unfiled")), 1);
}

TEST_F(MainWindowTest, SavedGeometryIsTheNormalOneAndComesBack)
{
    auto form = start();
    ASSERT_TRUE(form->programstart());
    form->show();
    form->setGeometry(100, 80, 900, 600);
    form->showMaximized();
    ASSERT_TRUE(form->savesettings());
    const IniFile ini(file(QStringLiteral("settings.ini")));
    EXPECT_EQ(ini.readstring("Settings", "windowwidth", ""), QStringLiteral("900"));
    EXPECT_EQ(ini.readstring("Settings", "windowleft", ""), QStringLiteral("100"));
    EXPECT_EQ(ini.readstring("Settings", "maximized", ""), QStringLiteral("1"));
}

TEST_F(MainWindowTest, AWindowStoredPastTheScreensEdgeComesBackCentredWhole)
{
    auto form = start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize least = form->minimumSizeHint();
    ASSERT_TRUE(writefile(file(QStringLiteral("settings.ini")),
                          QStringLiteral("[Settings]\r\nwindowleft=%1\r\nwindowtop=0\r\nwindowwidth=%2\r\n"
                                         "windowheight=%3\r\n")
                              .arg(screen.right() - 100)
                              .arg(least.width())
                              .arg(least.height())
                              .toLatin1()));
    ASSERT_TRUE(form->programstart());
    EXPECT_EQ(form->geometry(), restoredwindow(form->size(), screen));
    EXPECT_EQ(form->size(), form->size().expandedTo(least));
}

TEST(MainWindow, TipsAreTwoDifferentOnesOrWhatThereIs)
{
    int calls = 0;
    // A generator that repeats itself a few times before moving on.
    auto repeating = [&calls](int n) { return (calls++ / 3) % n; };
    EXPECT_EQ(picktwotips(0, repeating), std::make_pair(-1, -1));
    EXPECT_EQ(picktwotips(1, repeating).second, -1);
    for (int count : {2, 3, 14}) {
        const auto [a, b] = picktwotips(count, repeating);
        EXPECT_NE(a, b);
        EXPECT_GE(a, 0);
        EXPECT_LT(b, count);
    }
}
