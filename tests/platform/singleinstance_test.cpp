#include "platform/singleinstance.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>

#include <unistd.h>

TEST(SingleInstance, ASecondStartTellsTheFirstAndStops)
{
    QTemporaryDir dir;
    SingleInstance first("Guard", "Message", dir.path());
    ASSERT_EQ(first.acquire(), SingleInstance::Result::first);
    QSignalSpy shown(&first, &SingleInstance::messagereceived);

    SingleInstance second("Guard", "Message", dir.path());
    EXPECT_EQ(second.acquire(), SingleInstance::Result::another);
    EXPECT_TRUE(shown.wait(2000));
    EXPECT_EQ(shown.count(), 1);
}

TEST(SingleInstance, ALockLeftByACrashedCopyDoesNotBlock)
{
    QTemporaryDir dir;
    {
        SingleInstance gone("Guard", "Message", dir.path());
        ASSERT_EQ(gone.acquire(), SingleInstance::Result::first);
    }
    // A lock file naming a process that no longer runs.
    const QString lockpath = dir.filePath(QStringLiteral("Guard-%1.lock").arg(getuid()));
    QFile stale(lockpath);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("999999\nquillmoter\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();

    SingleInstance next("Guard", "Message", dir.path());
    EXPECT_EQ(next.acquire(), SingleInstance::Result::first);
}

TEST(SingleInstance, AGuardThatCannotBeMadeLetsTheProgramStart)
{
    SingleInstance nowhere("Guard", "Message", "/nonexistent/folder/for/locks");
    EXPECT_EQ(nowhere.acquire(), SingleInstance::Result::failed);
}
