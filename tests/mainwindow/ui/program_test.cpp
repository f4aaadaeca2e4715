// The real program, started offscreen in a temporary home.

#include "database/records.h"
#include "platform/daynumber.h"
#include "crashsupport.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <unistd.h>

namespace {

QProcessEnvironment environment(const QTemporaryDir &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString root = home.path();
    env.insert("HOME", root);
    env.insert("XDG_DATA_HOME", root + "/data");
    env.insert("XDG_CONFIG_HOME", root + "/config");
    env.insert("XDG_RUNTIME_DIR", root + "/runtime");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QDir().mkpath(root + "/runtime");
    QFile::setPermissions(root + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return env;
}

bool waitfor(const std::function<bool()> &condition, int ms = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms)
            return false;
        QThread::msleep(20);
    }
    return true;
}

} // namespace

TEST(Program, AFreshStartMakesTheDatabaseAndASecondStartEndsAtOnce)
{
    QTemporaryDir home;
    const QString db = home.path() + "/data/Quillmoter/";

    QProcess first;
    first.setProcessEnvironment(environment(home));
    first.start(QStringLiteral(QM_PROGRAM_PATH), {});
    ASSERT_TRUE(first.waitForStarted());
    // The files of a new database appear once start-up is through (the
    // timetable's is written last).
    ASSERT_TRUE(waitfor([&] {
        return QFileInfo::exists(db + "memocategories.dat") && QFileInfo::exists(db + "timetable.dat");
    })) << first.readAllStandardError().toStdString();
    for (const char *sub : {"photos", "subjects", "memos"})
        EXPECT_TRUE(QFileInfo(db + sub).isDir()) << sub;
    EXPECT_EQ(testsupport::readfile(db + "dbversion.dat"), QByteArray("2.1"));
    for (const char *name : {"categories.dat", "custommelodies.dat", "contacts.dat", "timetable.dat"})
        EXPECT_TRUE(QFileInfo::exists(db + name)) << name;

    QProcess second;
    second.setProcessEnvironment(environment(home));
    second.start(QStringLiteral(QM_PROGRAM_PATH), {});
    ASSERT_TRUE(second.waitForFinished(30000)) << "a second copy must end at once";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running) << "the first copy goes on";

    first.kill();
    first.waitForFinished();
}

// A lock file left empty or damaged (a crash, a full disk) must not stop
// every later start without a word.
TEST(Program, ADamagedLockFileDoesNotStopTheStart)
{
    for (const QByteArray &content : {QByteArray(), QByteArray("\x01\x02garbage")}) {
        QTemporaryDir home;
        const QProcessEnvironment env = environment(home);
        ASSERT_TRUE(testsupport::writefile(
            home.path() + QStringLiteral("/runtime/Quillmoter_organizer_Mutex-%1.lock").arg(getuid()), content));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(QM_PROGRAM_PATH), {});
        ASSERT_TRUE(program.waitForStarted());
        const bool started =
            waitfor([&] { return QFileInfo::exists(home.path() + "/data/Quillmoter/memocategories.dat"); });
        EXPECT_TRUE(started) << "exit code " << program.exitCode() << " "
                             << program.readAllStandardError().toStdString();
        EXPECT_EQ(program.state(), QProcess::Running);
        program.kill();
        program.waitForFinished();
    }
}

TEST(Program, ADueReminderRingsAndIsSavedDisarmed)
{
    // A reminder rings only in its own minute: when the start takes the rest
    // of the minute (a loaded machine), the program is tried again in the next.
    for (int attempt = 1;; ++attempt) {
        QTemporaryDir home;
        const QString db = home.path() + "/data/Quillmoter/";
        QDir().mkpath(db);
        ASSERT_TRUE(testsupport::writefile(db + "dbversion.dat", "2.1"));

        const QDateTime now = QDateTime::currentDateTime();
        const QDateTime minuteend = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute())).addSecs(60);
        const int thisminute = now.time().hour() * 100 + now.time().minute();
        const int otherminute = (now.time().hour() + 1) % 24 * 100 + now.time().minute();
        auto make = [&](const char *text, int from, bool remind) {
            TCalItemRec r;
            r.text = text;
            r.date = daynumber::fromdate(now.date());
            r.repetition = "0";
            r.timemode = 1;
            r.timefrom = qint16(from);
            r.remind = remind;
            return r;
        };
        const TCalItemRec records[] = {make("Due now", thisminute, true), make("Later", otherminute, true),
                                       make("Not armed", thisminute, false)};
        QByteArray before(3 * TCalItemRec::size, '\0');
        for (int i = 0; i < 3; ++i)
            records[i].encode(before.data() + i * TCalItemRec::size);
        ASSERT_TRUE(testsupport::writefile(db + "calitems.dat", before));

        QProcess program;
        program.setProcessEnvironment(environment(home));
        program.start(QStringLiteral(QM_PROGRAM_PATH), {});
        ASSERT_TRUE(program.waitForStarted());
        QByteArray after;
        bool rewritten = false;
        waitfor([&] {
            after = testsupport::readfile(db + "calitems.dat").value_or(before);
            rewritten = after != before;
            return rewritten || QDateTime::currentDateTime() >= minuteend;
        }, 90000);
        program.kill();
        program.waitForFinished();
        if (!rewritten && attempt < 3)
            continue;
        ASSERT_TRUE(rewritten) << program.readAllStandardError().toStdString();

        QByteArray expected = before;
        expected[8] = 0; // only the due record's reminder flag
        EXPECT_EQ(after, expected);
        break;
    }
}

// Two starts at the same moment: one copy runs, the other reaches it with
// its request and ends, every time.
TEST(Program, TwoStartsAtTheSameMomentLeaveOneCopyAndDeliverTheRequest)
{
    for (int round = 0; round < 20; ++round) {
        QTemporaryDir home;
        const QProcessEnvironment env = environment(home);
        QProcess a, b;
        a.setProcessEnvironment(env);
        b.setProcessEnvironment(env);
        a.start(QStringLiteral(QM_PROGRAM_PATH), {});
        b.start(QStringLiteral(QM_PROGRAM_PATH), {});
        ASSERT_TRUE(a.waitForStarted() && b.waitForStarted());
        // The state of a process is only learnt through the wait calls.
        QProcess *ended = nullptr;
        ASSERT_TRUE(waitfor([&] {
            ended = a.waitForFinished(10) ? &a : b.waitForFinished(10) ? &b : nullptr;
            return ended != nullptr;
        })) << "round " << round << ": two copies run";
        QProcess *running = ended == &a ? &b : &a;
        EXPECT_EQ(ended->exitStatus(), QProcess::NormalExit) << "round " << round;
        EXPECT_EQ(ended->exitCode(), 0) << "round " << round;
        EXPECT_FALSE(running->waitForFinished(200)) << "round " << round << ": the first copy goes on";
        running->kill();
        running->waitForFinished();
    }
}

namespace {

// A database folder and a backup of version 1.9 beside it, in `home`; the
// backup's copy is upgraded before it replaces the database.
void fillimport(const QString &home)
{
    const QString db = home + "/data/Quillmoter/";
    const QString backup = home + "/QMTR_0101260800/";
    auto put = [](const QString &path, const QByteArray &data) {
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(testsupport::writefile(path, data)) << path.toStdString();
    };
    for (const char *name : {"contacts.dat", "calitems.dat", "tasks.dat", "subjects.dat", "timetable.dat",
                             "categories.dat", "memocategories.dat", "subjfname.dat"}) {
        put(db + name, QByteArray("current ") + name);
        // A 1.9 timetable is a grid: the backup has none, the load makes one.
        if (QByteArray(name) != "timetable.dat")
            put(backup + name, QByteArray("backup ") + name);
    }
    put(db + "dbversion.dat", "2.1");
    put(db + "custommelodies.dat", "");
    put(db + "photos/1.bmp", "current photo");
    put(db + "memos/Diary.rtf", "current note");
    put(db + "subjects/Autumn.dat", "current term");
    put(backup + "dbversion.dat", "1.9");
    put(backup + "photos/2.bmp", "backup photo");
    put(backup + "memos/Travel.rtf", "backup note");
}

// Runs the import helper; its steps, one a line.
QStringList importsteps(const QTemporaryDir &home, int stopafter, QProcess::ExitStatus *status = nullptr)
{
    QProcess helper;
    helper.setProcessEnvironment(environment(home));
    helper.start(QStringLiteral(QM_IMPORTHELPER_PATH),
                 {home.path() + "/data/Quillmoter/", home.path() + "/QMTR_0101260800/", QString::number(stopafter)});
    EXPECT_TRUE(helper.waitForFinished(20000));
    if (status)
        *status = helper.exitStatus();
    return QString::fromUtf8(helper.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

// The import is killed for real at chosen steps of each phase (the copy, its
// upgrade, the moves, the commit, the clean-up); the program started again
// finds the database wholly as before or wholly imported.
TEST(Program, AnImportKilledAnywhereIsUndoneOrFinishedWhenTheProgramStartsAgain)
{
    QTemporaryDir reference;
    fillimport(reference.path());
    const QString refdb = reference.path() + "/data/Quillmoter/";
    const auto before = crashsupport::snapshot(refdb);
    const QStringList steps = importsteps(reference, 0);
    const auto after = crashsupport::snapshot(refdb);
    ASSERT_GT(steps.size(), 20) << steps.join('\n').toStdString();
    ASSERT_FALSE(steps.last().startsWith("error")) << steps.last().toStdString();
    ASSERT_TRUE(before != after);

    // Steps at which to kill: the first and last, and where each phase
    // begins: the copy, the upgrade of the copy, its renames, the journal
    // of the replace, the moves, the commit, the clean-up.
    QList<int> chosen{1, int(steps.size())};
    auto first = [&](const QString &prefix, int from = 0) {
        for (int i = from; i < steps.size(); ++i) {
            if (steps[i].section(' ', 1).startsWith(prefix))
                return i + 1;
        }
        ADD_FAILURE() << "no step " << prefix.toStdString();
        return 1;
    };
    const int written = first("journal written");
    chosen << first("copy") << first("journal committed") << first("replace") << written << written + 1
           << written + 2 << first("move photos") << first("journal committed", written) << first("remove .replaced");
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());

    for (int k : chosen) {
        QTemporaryDir home;
        fillimport(home.path());
        const QString db = home.path() + "/data/Quillmoter/";
        QProcess::ExitStatus status = QProcess::NormalExit;
        const QStringList done = importsteps(home, k, &status);
        ASSERT_EQ(status, QProcess::CrashExit) << "killed after step " << k;
        ASSERT_EQ(done.size(), k);

        QProcess program;
        program.setProcessEnvironment(environment(home));
        program.start(QStringLiteral(QM_PROGRAM_PATH), {});
        ASSERT_TRUE(program.waitForStarted());
        QMap<QString, QByteArray> now;
        const bool settled = waitfor([&] {
            now = crashsupport::snapshot(db);
            return now == before || now == after;
        });
        program.kill();
        program.waitForFinished();
        EXPECT_TRUE(settled) << "killed after step " << k << " (" << done.last().toStdString()
                             << "):" << crashsupport::difference(now, after);
    }
}

// The database folder on a small disk of its own (a memory file system in a
// mount namespace, where the system allows one): the import's copy fills it.
TEST(Program, AnImportOntoAFullDiskSaysSoAndChangesNothing)
{
    QTemporaryDir home;
    fillimport(home.path());
    // A photo larger than the whole small disk.
    ASSERT_TRUE(testsupport::writefile(home.path() + "/QMTR_0101260800/photos/big.bmp", QByteArray(1 << 20, 'p')));
    const QString db = home.path() + "/data/Quillmoter/";
    const auto before = crashsupport::snapshot(db);
    const QString script = QStringLiteral(
        "mount -t tmpfs -o size=512k tmpfs \"$1\" 2>/dev/null || exit 77\n"
        "cp -a \"$2/.\" \"$1/\" || exit 2\n"
        "\"$3\" \"$1/\" \"$4\"\n"
        "status=$?\n"
        "cp -a \"$1/.\" \"$5/\" || exit 2\n"
        "exit $status\n");
    const QString mount = home.path() + "/small", out = home.path() + "/after";
    QDir().mkpath(mount);
    QDir().mkpath(out);
    QProcess shell;
    shell.setProcessEnvironment(environment(home));
    shell.start(QStringLiteral("unshare"), {"-rm", "sh", "-c", script, "sh", mount, db,
                                            QStringLiteral(QM_IMPORTHELPER_PATH),
                                            home.path() + "/QMTR_0101260800/", out});
    if (!shell.waitForStarted())
        GTEST_SKIP() << "no unshare here";
    ASSERT_TRUE(shell.waitForFinished(20000));
    if (shell.exitCode() == 77 || (shell.exitCode() != 1 && shell.readAllStandardError().contains("unshare")))
        GTEST_SKIP() << "no mount namespace here";
    const QString output = QString::fromUtf8(shell.readAllStandardOutput());
    EXPECT_EQ(shell.exitCode(), 1) << output.toStdString();
    EXPECT_TRUE(output.contains("error: ") && output.trimmed().endsWith("The disk is full.")) << output.toStdString();
    const auto after = crashsupport::snapshot(out);
    EXPECT_TRUE(after == before) << crashsupport::difference(after, before);
}
