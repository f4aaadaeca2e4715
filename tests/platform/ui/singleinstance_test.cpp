#include "platform/ui/singleinstance.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLockFile>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

TEST(SingleInstance, ASecondStartTellsTheFirstAndStops)
{
    QTemporaryDir dir;
    SingleInstance first("Guard", "Message", dir.path());
    ASSERT_EQ(first.acquire(), SingleInstance::Result::first);
    QSignalSpy shown(&first, &SingleInstance::messagereceived);

    SingleInstance second("Guard", "Message", dir.path());
    EXPECT_EQ(second.acquire(), SingleInstance::Result::another);
    EXPECT_TRUE(shown.wait(10000));
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

namespace {

QString lockpath(const QTemporaryDir &dir)
{
    return dir.filePath(QStringLiteral("Guard-%1.lock").arg(getuid()));
}

// How many events the inotify descriptor `fd` reports within `ms`.
int inotifyevents(int fd, int ms)
{
    pollfd ready{fd, POLLIN, 0};
    if (::poll(&ready, 1, ms) <= 0)
        return 0;
    alignas(inotify_event) char buffer[4096];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    int count = 0;
    for (ssize_t at = 0; at < got; ++count)
        at += ssize_t(sizeof(inotify_event) + reinterpret_cast<const inotify_event *>(buffer + at)->len);
    return count;
}

} // namespace

// A crash or a full disk while the lock was written leaves a file whose owner
// cannot be read; such a lock must never stop a start.
TEST(SingleInstance, ALockWithoutAReadableOwnerIsTakenOver)
{
    for (const QByteArray &content : {QByteArray(), QByteArray("garbage"), QByteArray("\n\n\n"),
                                      QByteArray("-5\nquillmoter\n")}) {
        QTemporaryDir dir;
        ASSERT_TRUE(testsupport::writefile(lockpath(dir), content));
        SingleInstance start("Guard", "Message", dir.path());
        EXPECT_EQ(start.acquire(200), SingleInstance::Result::first) << content.toStdString();

        // The lock is really ours now: a later start reaches us.
        QSignalSpy shown(&start, &SingleInstance::messagereceived);
        SingleInstance later("Guard", "Message", dir.path());
        EXPECT_EQ(later.acquire(200), SingleInstance::Result::another);
        EXPECT_TRUE(shown.wait(10000));
    }
}

TEST(SingleInstance, ALiveOwnerThatNeverAnswersDoesNotStopTheStart)
{
    QTemporaryDir dir;
    QLockFile held(lockpath(dir)); // owned by this very process, which runs
    held.setStaleLockTime(0);
    ASSERT_TRUE(held.tryLock(0));
    SingleInstance start("Guard", "Message", dir.path());
    EXPECT_EQ(start.acquire(300), SingleInstance::Result::first);
}

// A second start a moment after the first must find it, even when the first
// listens only after the second has knocked once.
TEST(SingleInstance, ASecondStartWaitsForAFirstThatIsStillStarting)
{
    QTemporaryDir dir;
    QLockFile held(lockpath(dir));
    held.setStaleLockTime(0);
    ASSERT_TRUE(held.tryLock(0));
    const QString socketname = dir.filePath(QStringLiteral("Message-%1").arg(getuid()));
    // The second start reads the lock's owner before every knock: after a
    // few reads it has knocked and found nobody at least once.
    const int reads = inotify_init1(IN_CLOEXEC);
    ASSERT_GE(reads, 0);
    ASSERT_GE(inotify_add_watch(reads, QFile::encodeName(lockpath(dir)).constData(), IN_OPEN), 0);
    std::atomic<bool> done = false;
    // The first copy starts listening only after the second has knocked.
    std::unique_ptr<QThread> first(QThread::create([&] {
        for (int opens = 0; opens < 4 && !done;)
            opens += inotifyevents(reads, 50);
        QLocalServer late;
        late.listen(socketname);
        while (!done)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }));
    first->start();
    SingleInstance second("Guard", "Message", dir.path());
    EXPECT_EQ(second.acquire(10000), SingleInstance::Result::another);
    done = true;
    first->wait();
    ::close(reads);
}
