#pragma once
// One running copy per user: the first start holds a lock file and listens on
// a local socket; a later start tells it to show itself and ends. A lock left
// behind by a crashed copy, or one whose owner cannot be read, never blocks a
// start: only a running copy that answers on the socket does.

#include <QObject>
#include <QString>

#include <memory>

class QLockFile;
class QLocalServer;

class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Result {
        first,   // this is the only copy; messagereceived() reports later starts
        another, // another copy runs and was asked to show itself
        failed,  // the guard could not be set up: start anyway, unguarded
    };

    // `guardname` names the lock, `messagename` the socket; both get the user
    // id appended and live in `folder` (default: $XDG_RUNTIME_DIR, else the
    // temporary folder).
    SingleInstance(const QString &guardname, const QString &messagename, const QString &folder = {},
                   QObject *parent = nullptr);
    ~SingleInstance() override;

    // `patience`: how long (ms) to keep trying to reach a copy that holds the
    // lock before taking the lock over.
    Result acquire(int patience = 2000);

signals:
    void messagereceived();

private:
    QString lockpath_;
    QString socketname_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer *server_ = nullptr;
};
