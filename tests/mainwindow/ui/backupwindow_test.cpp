// The backup window: export and import as the user runs them, with the
// questions answered and the messages recorded.

#include "mainwindow/ui/backupwindow.h"

#include "database/backup.h"
#include "database/database.h"
#include "database/journal.h"
#include "database/settings.h"
#include "mainwindow/ui/overviewpage.h"
#include "platform/clock.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <atomic>

using testsupport::readfile;
using testsupport::RecordingPrompter;
using testsupport::writefile;

namespace {

QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files.insert(QDir(folder).relativeFilePath(it.filePath()), readfile(it.filePath()).value());
    }
    return files;
}

class BackupWindowTest : public ::testing::Test
{
protected:
    BackupWindowTest()
    {
        clock.setsource([] { return QDateTime(QDate(2026, 2, 3), QTime(14, 5)); });
        db = dir.path() + "/Quillmoter/";
        backups = dir.path() + "/Backups";
        QDir().mkpath(backups);
        EXPECT_TRUE(testsupport::fillrecords(db, "current")) << db.toStdString();
        put(db + "photos/1.bmp", "photo");
        put(db + "memos/Diary.rtf", "note");
        put(db + "subjects/Spring.dat", "term");
        put(db + "settings.ini", "[Settings]");
        put(db + "language.dat", "english");
        put(db + "custommelodies.dat", "");
    }
    static void put(const QString &path, const QByteArray &data) { ASSERT_TRUE(testsupport::putfile(path, data)); }
    void choose(const QString &folder) { form.findChild<QLineEdit *>("Edit1")->setText(folder); }

    QTemporaryDir dir;
    QString db, backups;
    Clock clock;
    RecordingPrompter answers;
    TForm8 form{dir.path() + "/Quillmoter", clock};
};

} // namespace

TEST_F(BackupWindowTest, ExportMakesAStampedFolderAndAsksBeforeReplacingOne)
{
    form.setmode(TForm8::Mode::exporting);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Export database"));
    EXPECT_EQ(form.findChild<QLabel *>("Label1")->text(), QStringLiteral("Export to:"));
    EXPECT_EQ(form.findChild<QLabel *>("Label3")->text(), QStringLiteral("QMTR_0302261405"));
    EXPECT_TRUE(form.findChild<QPushButton *>("BitBtn1")->isHidden());
    EXPECT_FALSE(form.findChild<QPushButton *>("BitBtn2")->isHidden());

    choose(backups); // no trailing separator
    form.BitBtn2Click();
    const QString target = backups + "/QMTR_0302261405/";
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text, "Database was exported to folder " + target);
    EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Hotovo"));
    EXPECT_EQ(answers.boxes[0].flags, 64);
    EXPECT_TRUE(answers.questions.empty());
    QMap<QString, QByteArray> expected = snapshot(db);
    for (const char *kept : {"settings.ini", "language.dat", "custommelodies.dat"})
        expected.remove(kept);
    EXPECT_EQ(snapshot(target), expected);

    // The same minute again: the folder holds a database already.
    put(db + "contacts.dat", "changed");
    answers.answer = mb::idno;
    choose(backups + "/");
    form.BitBtn2Click();
    EXPECT_EQ(answers.questions, std::vector<QString>({TForm8::replacequestion}));
    EXPECT_EQ(readfile(target + "contacts.dat"), QByteArray("current contacts.dat"));
    answers.answer = mb::idyes;
    form.BitBtn2Click();
    EXPECT_EQ(readfile(target + "contacts.dat"), QByteArray("changed"));
}

TEST_F(BackupWindowTest, ExportReportsWhatItCouldNotCopyAndWarnsWhenNothingWasCopied)
{
    form.setmode(TForm8::Mode::exporting);
    choose(backups);
    QFile::remove(db + "subjfname.dat");
    QDir(db + "memos").removeRecursively();
    form.BitBtn2Click();
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_TRUE(answers.boxes[0].text.endsWith("\n\nUnable to export following folders: marks term name, Notes, "))
        << answers.boxes[0].text.toStdString();

    // An empty database folder: nothing is a backup.
    QDir(db).removeRecursively();
    QDir().mkpath(db);
    QDir(backups).removeRecursively();
    QDir().mkpath(backups);
    answers.boxes.clear();
    form.BitBtn2Click();
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].flags, mb::iconwarning);
    EXPECT_TRUE(answers.boxes[0].text.startsWith("Nothing could be exported")) << answers.boxes[0].text.toStdString();
    EXPECT_TRUE(QDir(backups).isEmpty()) << "no empty backup folder left";
}

TEST_F(BackupWindowTest, FoldersThatCannotHoldABackupAreRefused)
{
    for (TForm8::Mode mode : {TForm8::Mode::exporting, TForm8::Mode::importing}) {
        form.setmode(mode);
        const QMap<QString, QByteArray> before = snapshot(dir.path());
        for (const QString &folder : {db, db + "memos", backups + "/missing", QString()}) {
            answers.boxes.clear();
            choose(folder);
            if (mode == TForm8::Mode::exporting)
                form.BitBtn2Click();
            else
                form.BitBtn1Click();
            ASSERT_EQ(answers.boxes.size(), 1u) << folder.toStdString();
            EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));
            EXPECT_EQ(answers.boxes[0].text,
                      QFileInfo(folder).isDir() ? TForm8::databasefolder : TForm8::nopath);
        }
        EXPECT_EQ(snapshot(dir.path()), before);
    }
}

TEST_F(BackupWindowTest, ImportReplacesTheDatabaseAndReportsInCopyOrder)
{
    const QString backup = backups + "/QMTR_0101260800";
    for (const char *name : {"contacts.dat", "calitems.dat", "tasks.dat", "subjects.dat", "timetable.dat",
                             "categories.dat", "memocategories.dat"})
        put(backup + "/" + name, QByteArray("backup ") + name);
    put(backup + "/dbversion.dat", "2.1");
    put(backup + "/photos/2.bmp", "backup photo");
    put(backup + "/subjects/Autumn.dat", "backup term");

    form.setmode(TForm8::Mode::importing);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Import database"));
    EXPECT_EQ(form.findChild<QLabel *>("Label1")->text(), QStringLiteral("Database path:"));
    EXPECT_TRUE(form.findChild<QLabel *>("Label2")->isHidden());
    QSignalSpy imported(&form, &TForm8::imported);

    choose(backup);
    form.BitBtn1Click();
    EXPECT_EQ(answers.questions, std::vector<QString>({TForm8::importquestion}));
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text,
              "Current database was replaced by database from folder " + backup
                  + "/.\n\nUnable to import following folders (do not need to be an error if database version was "
                    "older): marks term name, Notes, ");
    EXPECT_EQ(imported.count(), 1);
    EXPECT_EQ(readfile(db + "contacts.dat"), QByteArray("backup contacts.dat"));
    EXPECT_EQ(readfile(db + "subjfname.dat"), QByteArray("current subjfname.dat"));
    EXPECT_TRUE(QDir(db + "memos").isEmpty());
    EXPECT_FALSE(QFileInfo::exists(db + "photos/1.bmp"));
    EXPECT_EQ(readfile(db + "settings.ini"), QByteArray("[Settings]"));
    EXPECT_EQ(readfile(db + "language.dat"), QByteArray("english"));
    EXPECT_EQ(readfile(db + "custommelodies.dat"), QByteArray(""));
}

TEST_F(BackupWindowTest, ARefusedImportLeavesEverythingAsItWas)
{
    const QString backup = backups + "/old";
    put(backup + "/contacts.dat", "backup");
    form.setmode(TForm8::Mode::importing);
    QSignalSpy imported(&form, &TForm8::imported);
    choose(backup);
    const QMap<QString, QByteArray> before = snapshot(dir.path());

    answers.answer = mb::idno; // the first question
    form.BitBtn1Click();
    EXPECT_TRUE(answers.boxes.empty());

    answers.answer = mb::idyes;
    const struct {
        const char *version;
        int answer;
    } cases[] = {{nullptr, mb::idyes}, {"3.0", mb::idyes}, {"1.5", mb::idno}};
    for (const auto &c : cases) {
        QFile::remove(backup + "/dbversion.dat");
        if (c.version)
            put(backup + "/dbversion.dat", c.version);
        const QMap<QString, QByteArray> start = snapshot(dir.path());
        answers.questions.clear();
        answers.whileasking = [&] { answers.answer = answers.questions.empty() ? mb::idyes : c.answer; };
        form.BitBtn1Click();
        EXPECT_EQ(snapshot(dir.path()), start) << (c.version ? c.version : "no version");
    }
    EXPECT_EQ(imported.count(), 0);
    QFile::remove(backup + "/dbversion.dat");
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST(BackupButtons, TheOverviewOpensTheBackupWindowInEachMode)
{
    QTemporaryDir dir;
    Database db(dir.path() + QStringLiteral("/Quillmoter/"));
    Settings settings;
    Clock clock;
    TForm8 form(db.dbpath(), clock);
    OverviewPage overview(db, settings, clock, form);
    QList<TForm8::Mode> modes;
    for (const char *button : {"BitBtn23", "BitBtn24"}) {
        QTimer::singleShot(0, &form, [&] {
            modes << form.mode();
            form.done(QDialog::Rejected);
        });
        overview.findChild<QPushButton *>(QLatin1String(button))->click();
    }
    EXPECT_EQ(modes, (QList<TForm8::Mode>{TForm8::Mode::exporting, TForm8::Mode::importing}));
}

namespace {

// A backup of the current version, with every record file.
QString makebackup(const QString &folder)
{
    for (const char *name : {"contacts.dat", "calitems.dat", "tasks.dat", "subjects.dat", "timetable.dat",
                             "categories.dat", "memocategories.dat", "subjfname.dat"}) {
        QDir().mkpath(folder);
        writefile(folder + "/" + name, QByteArray("backup ") + name);
    }
    writefile(folder + "/dbversion.dat", "2.1");
    QDir().mkpath(folder + "/photos");
    writefile(folder + "/photos/2.bmp", "backup photo");
    return folder;
}

} // namespace

TEST_F(BackupWindowTest, AnInterruptedExportIsRefusedWithAMessage)
{
    const QString backup = makebackup(backups + "/QMTR_0101260800");
    ASSERT_TRUE(writefile(backup + "/" + backup::incompletemark, ""));
    form.setmode(TForm8::Mode::importing);
    QSignalSpy imported(&form, &TForm8::imported);
    choose(backup);
    const QMap<QString, QByteArray> before = snapshot(db);
    form.BitBtn1Click();
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text, TForm8::incompletebackup);
    EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(imported.count(), 0);
    EXPECT_EQ(snapshot(db), before);

    // A whole export has no mark; one of an older version had none either.
    form.setmode(TForm8::Mode::exporting);
    choose(backups);
    form.BitBtn2Click();
    EXPECT_FALSE(backup::isincomplete(backups + "/QMTR_0302261405"));
    EXPECT_FALSE(QFileInfo::exists(backups + "/QMTR_0302261405/" + backup::incompletemark));
}

// Quitting while the backup is copied stops the import before it touches
// the database folder, and a second click meanwhile starts nothing.
TEST_F(BackupWindowTest, QuittingDuringTheCopyEndsTheImportBeforeTheReplace)
{
    const QString backup = makebackup(backups + "/QMTR_0101260800");
    form.setmode(TForm8::Mode::importing);
    QSignalSpy imported(&form, &TForm8::imported);
    choose(backup);
    const QMap<QString, QByteArray> before = snapshot(db);

    std::atomic<bool> quitting{false};
    // The copy waits at its first file until the program is quitting.
    journal::setstephook([&](const QString &step) {
        if (!step.startsWith("copy"))
            return;
        for (int i = 0; i < 2000 && !quitting; ++i)
            QThread::msleep(5);
    });
    QTimer::singleShot(0, &form, [&] {
        form.BitBtn1Click(); // busy: nothing happens
        QCoreApplication::exit(0);
        quitting = true;
    });
    form.BitBtn1Click();
    journal::setstephook({});
    // Back to an application that may run event loops again.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();

    EXPECT_TRUE(quitting);
    EXPECT_EQ(answers.questions.size(), 1u) << "the second click asked nothing";
    EXPECT_EQ(imported.count(), 0);
    EXPECT_TRUE(answers.boxes.empty());
    EXPECT_EQ(snapshot(db), before) << "no staging copy left, nothing replaced";
}

TEST_F(BackupWindowTest, AnImportThatCannotBePutBackEndsTheProgramAndSaysWhere)
{
    const QString backup = makebackup(backups + "/QMTR_0101260800");
    form.setmode(TForm8::Mode::importing);
    QSignalSpy imported(&form, &TForm8::imported);
    QSignalSpy mustend(&form, &TForm8::mustend);
    choose(backup);
    int calls = 0;
    form.setmover([&](const QString &from, const QString &to, QString *error) {
        ++calls;
        if (calls == 3 || calls == 5) {
            *error = QStringLiteral("refused");
            return false;
        }
        return journal::rename(from, to, error);
    });
    form.BitBtn1Click();
    EXPECT_EQ(imported.count(), 0);
    EXPECT_EQ(mustend.count(), 1);
    ASSERT_EQ(answers.boxes.size(), 1u);
    const QString text = answers.boxes[0].text;
    EXPECT_TRUE(text.startsWith("Unable to import the database:\nrefused")) << text.toStdString();
    EXPECT_TRUE(text.contains(journal::asideprefix)) << text.toStdString();
    // The contacts are in the folder the message names.
    const QString aside = text.section(QStringLiteral("in the folder "), 1).section(QStringLiteral(". "), 0, 0);
    EXPECT_EQ(readfile(aside + "/contacts.dat"), QByteArray("current contacts.dat")) << aside.toStdString();
}

// A file that is there but cannot be copied (a full disk, here a size
// limit) makes no backup: a new folder goes again, a replaced one stays
// marked, and the import refuses it.
TEST_F(BackupWindowTest, AnExportThatCouldNotCopyAFileIsNoBackup)
{
    put(db + "photos/big.bmp", QByteArray(200000, 'p'));
    form.setmode(TForm8::Mode::exporting);
    choose(backups);
    const QString target = backups + "/QMTR_0302261405";
    {
        const testsupport::FileSizeLimit limit(100000);
        form.BitBtn2Click();
    }
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_TRUE(answers.boxes[0].text.startsWith("Unable to export the database:\n")) << answers.boxes[0].text.toStdString();
    EXPECT_TRUE(answers.boxes[0].text.contains("big.bmp")) << answers.boxes[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(target)) << "no half backup left";

    // Over an existing backup of the same minute.
    form.BitBtn2Click();
    ASSERT_EQ(answers.boxes.size(), 2u);
    ASSERT_FALSE(backup::isincomplete(target));
    {
        const testsupport::FileSizeLimit limit(100000);
        form.BitBtn2Click();
    }
    EXPECT_TRUE(backup::isincomplete(target)) << "partly replaced, so marked";
    form.setmode(TForm8::Mode::importing);
    choose(target);
    answers.boxes.clear();
    form.BitBtn1Click();
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text, TForm8::incompletebackup);
}
