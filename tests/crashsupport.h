#pragma once
// Stopping a change of several files after any of its steps, as a kill
// would, and comparing whole folders before and after.

#include "database/journal.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QString>

#include <functional>
#include <ostream>

namespace crashsupport {

// Thrown by the step seam in place of the kill. Nothing the change does
// after it reaches the disk; destructors of ours touch no file.
struct Killed
{
    QString step;
};

// While it lives, the change stops after its `stopafter`-th step (counting
// from 1); 0 lets it run and only counts.
class StopAfter
{
public:
    explicit StopAfter(int stopafter) : stopafter_(stopafter)
    {
        journal::setstephook([this](const QString &step) {
            ++steps;
            last = step;
            if (steps == stopafter_)
                throw Killed{step};
        });
    }
    ~StopAfter() { journal::setstephook({}); }
    StopAfter(const StopAfter &) = delete;
    StopAfter &operator=(const StopAfter &) = delete;

    int steps = 0;
    QString last;

private:
    int stopafter_;
};

// A template for a temporary folder in memory where the system has one:
// these tests sync thousands of files, which costs time on a disk.
inline QString tempfolder()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    return base + QStringLiteral("/quillmoter-test-XXXXXX");
}

// Every file and folder below `folder` with its content, hidden ones
// included; links as where they lead.
inline QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = QDir(folder).relativeFilePath(it.filePath());
        if (info.isSymLink())
            files.insert(name, "<link to " + info.symLinkTarget().toUtf8() + ">");
        else if (info.isDir())
            files.insert(name, "<folder>");
        else
            files.insert(name, testsupport::readfile(it.filePath()).value_or("<unreadable>"));
    }
    return files;
}

// What differs between two snapshots, for a failure message.
inline std::string difference(const QMap<QString, QByteArray> &a, const QMap<QString, QByteArray> &b)
{
    std::string out;
    for (auto it = a.begin(); it != a.end(); ++it) {
        if (!b.contains(it.key()))
            out += " only-first:" + it.key().toStdString();
        else if (b.value(it.key()) != it.value())
            out += " differs:" + it.key().toStdString();
    }
    for (auto it = b.begin(); it != b.end(); ++it) {
        if (!a.contains(it.key()))
            out += " only-second:" + it.key().toStdString();
    }
    return out;
}

// Copies a folder's content into another (made when missing).
inline bool copytree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(it.filePath());
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target))
                return false;
        } else if (!QFile::copy(it.filePath(), target)) {
            return false;
        }
    }
    return true;
}

} // namespace crashsupport
