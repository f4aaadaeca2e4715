// The real program, started offscreen in a temporary home.

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

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

bool waitfor(const std::function<bool()> &condition, int ms = 10000)
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
    // The files of a new database appear once start-up is through.
    ASSERT_TRUE(waitfor([&] { return QFileInfo::exists(db + "memocategories.dat"); }))
        << first.readAllStandardError().toStdString();
    for (const char *sub : {"photos", "subjects", "memos"})
        EXPECT_TRUE(QFileInfo(db + sub).isDir()) << sub;
    EXPECT_EQ(testsupport::readfile(db + "dbversion.dat"), QByteArray("2.1"));
    for (const char *name : {"categories.dat", "custommelodies.dat", "contacts.dat", "timetable.dat"})
        EXPECT_TRUE(QFileInfo::exists(db + name)) << name;

    QProcess second;
    second.setProcessEnvironment(environment(home));
    second.start(QStringLiteral(QM_PROGRAM_PATH), {});
    ASSERT_TRUE(second.waitForFinished(5000)) << "a second copy must end at once";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running) << "the first copy goes on";

    first.kill();
    first.waitForFinished();
}
