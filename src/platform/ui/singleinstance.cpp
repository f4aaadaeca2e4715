#include "platform/ui/singleinstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>

#include <unistd.h>

namespace {

// How long (ms) a lock file whose owner cannot be read is read again.
constexpr int unreadablepatience = 300;

QString runtimefolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::tempPath();
    return dir;
}

// Asks the running copy to show itself; false when nobody answers.
bool tellrunningcopy(const QString &socketname)
{
    QLocalSocket socket;
    socket.connectToServer(socketname);
    if (!socket.waitForConnected(500))
        return false;
    socket.write("show");
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return true;
}

} // namespace

SingleInstance::SingleInstance(const QString &guardname, const QString &messagename, const QString &folder,
                               QObject *parent)
    : QObject(parent)
{
    const QString dir = folder.isEmpty() ? runtimefolder() : folder;
    const QString user = QString::number(getuid());
    lockpath_ = dir + QLatin1Char('/') + guardname + QLatin1Char('-') + user + QStringLiteral(".lock");
    socketname_ = dir + QLatin1Char('/') + messagename + QLatin1Char('-') + user;
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Result SingleInstance::acquire(int patience)
{
    lock_ = std::make_unique<QLockFile>(lockpath_);
    // Held for the whole run: never stale by age, only when its process is gone.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        if (lock_->error() != QLockFile::LockFailedError) {
            lock_.reset();
            return Result::failed;
        }
        // A live owner: a copy that has just started may not listen yet, so
        // keep knocking for a while before deciding nobody is there. A copy
        // starting this very moment has made its lock file but not yet
        // written its id into it, so an owner that cannot be read is read
        // again for a short while before the lock counts as damaged.
        const QDeadlineTimer deadline(patience);
        const QDeadlineTimer unreadable(std::min(patience, unreadablepatience));
        for (;;) {
            qint64 pid = 0;
            QString host, app;
            if (lock_->getLockInfo(&pid, &host, &app)) {
                if (tellrunningcopy(socketname_))
                    return Result::another;
            } else if (unreadable.hasExpired()) {
                break;
            }
            if (deadline.hasExpired())
                break;
            QThread::msleep(20);
        }
        // An owner that cannot be read (an empty or damaged lock file) or that
        // never answers would otherwise stop every start until the next login.
        // A live owner keeps its file locked, so it is removed by name.
        if (!lock_->removeStaleLockFile())
            QFile::remove(lockpath_);
        if (!lock_->tryLock(0)) {
            // Someone else took it over in the meantime: that copy runs.
            if (lock_->error() == QLockFile::LockFailedError && tellrunningcopy(socketname_))
                return Result::another;
            lock_.reset();
            return Result::failed;
        }
    }

    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(socketname_); // a socket left by a crashed copy
    if (!server_->listen(socketname_))
        return Result::first; // guarded, but later starts cannot reach us
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            emit messagereceived();
        }
    });
    return Result::first;
}
