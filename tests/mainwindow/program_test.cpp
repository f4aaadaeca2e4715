// The real program, started offscreen in a temporary home.

#include "database/records.h"
#include "platform/daynumber.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

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
