#include "platform/singleinstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace {

QString runtimefolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::tempPath();
    return dir;
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

SingleInstance::Result SingleInstance::acquire()
{
    lock_ = std::make_unique<QLockFile>(lockpath_);
    // Held for the whole run: never stale by age, only when its process is gone.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        if (lock_->error() != QLockFile::LockFailedError) {
            lock_.reset();
            return Result::failed;
        }
        QLocalSocket socket;
        socket.connectToServer(socketname_);
        if (socket.waitForConnected(1000)) {
            socket.write("show");
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
        }
        return Result::another;
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
