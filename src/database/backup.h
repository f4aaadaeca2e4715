#pragma once
// Backups of the database folder: export copies its record files and the
// photo, note and term folders into a new folder "QMTR_" + time stamp;
// import replaces them with those of a backup. Settings, the language choice
// and the custom melodies are never part of a backup.
//
// An export marks its folder as incomplete first and removes the mark only
// when everything is copied and on disk, so a backup whose export was
// interrupted is never taken for a whole one. Backups of older versions
// have no mark and are taken as whole.
//
// An import copies the backup into a staging folder inside the database
// folder and upgrades it there, so the user's backup is never changed; the
// current items are then moved aside and removed only when every staged item
// is in place, else they are put back. A journal makes this one change
// across a crash (see journal.h).
//
// The copying runs on any thread (it touches files only) and reports its
// progress through a Progress the window polls.

#include "database/journal.h"
#include "database/upgrade.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

namespace backup {

// One item of a backup: a file or folder of the database folder, and the
// name a report gives it (parts joined by " - ", each translated).
struct Item
{
    QString name;
    bool folder = false;
    QStringList reportname;
};

// The nine files in the order an export copies them, then the three folders.
const std::vector<Item> &exportitems();
// The same in the order an import copies them.
const std::vector<Item> &importitems();

// "ddmmyyhhnn": day, month, two-digit year, hour 00 to 23, minute.
QString exportstamp(const QDateTime &when);
inline QString exportfoldername(const QString &stamp)
{
    return QStringLiteral("QMTR_") + stamp;
}

// True when `path` is `folder` itself or lies inside it (links resolved).
bool isinside(const QString &path, const QString &folder);

// True when `folder` holds one of the files that make a database.
bool holdsdatabase(const QString &folder);

// The mark of a backup folder whose export has not finished.
inline const QString incompletemark = QStringLiteral(".export-incomplete");
bool isincomplete(const QString &folder);

// Bytes copied so far of the total, for a progress bar on another thread;
// `cancel` stops a copy between two pieces.
struct Progress
{
    std::atomic<qint64> done{0};
    std::atomic<qint64> total{0};
    std::atomic<bool> cancel{false};
};

// Copies the folder `source` with its contents into `destination` (the copy
// is destination + the source's name), merging with what is there and
// replacing files. False when the source is missing, the destination lies
// inside it, or something could not be copied (the rest is still copied).
bool copyfolder(const QString &source, const QString &destination, Progress *progress = nullptr,
                QString *error = nullptr);
// Deletes a folder with its contents; false when it is missing or not all
// of it could be deleted.
bool deletefolder(const QString &folder);
// Copies one file, replacing `to` only once the copy is whole.
bool copyfile(const QString &from, const QString &to, Progress *progress = nullptr, QString *error = nullptr);

// What the items of `folder` take, in bytes.
qint64 itemsize(const QString &folder, const std::vector<Item> &items);

struct ExportResult
{
    std::vector<const Item *> failed; // in copy order
    int copied = 0;                   // items copied whole
    bool marked = false;              // the folder was marked incomplete, so the copy began
    bool complete = false;            // the mark is gone again: a whole backup
    QString error;                    // why the mark could not be written or removed
};
// Copies every item of `dbpath` into the existing folder `target`; an item
// missing from the database folder counts as failed. The folder carries the
// incomplete mark until the copy has ended and is on disk; an item that is
// there but could not be copied leaves the mark, with the reason in `error`.
ExportResult exportdatabase(const QString &dbpath, const QString &target, Progress *progress = nullptr);

// An import, in the order its parts run.
class Import
{
public:
    // Moves a file or folder within the database folder; false with the
    // reason in `error`. A rename unless replaced.
    using Mover = journal::Mover;

    Import(const QString &dbpath, const QString &source, Mover mover = {});

    // Copies the backup's items into the staging folder and upgrades them
    // from `check` (a current or agreed-to backup). Any thread; false with
    // the reason in `error` (nothing of the database folder changed). An
    // incomplete backup is refused.
    bool stage(const VersionCheck &check, Progress *progress, QString *error);
    // Removes the staging copy of an import that does not go on. (Nothing
    // is removed on destruction: a staging folder left by a crash goes at
    // the next start.)
    void discard();

    // Items the backup lacks, in copy order (files keep the current ones;
    // folders end empty).
    const std::vector<const Item *> &missing() const { return missing_; }

    // Replaces the database folder's items with the staged ones, all or
    // nothing. On failure `error` says why, and every current item is back
    // in place, or those that could not be put back are in stranded() with
    // where they are: nothing set aside is then deleted, and the journal
    // stays for the next start to try again. Afterwards "photos", "memos"
    // and "subjects" exist.
    bool replace(QString *error);

    // Current items that could not be put back after a failed replace, and
    // the folder where the rest of them waits.
    const QStringList &stranded() const { return stranded_; }
    const QString &asidefolder() const { return asidefolder_; }
    // The replaced items that could not be deleted afterwards.
    const std::vector<const Item *> &undeleted() const { return undeleted_; }

private:
    QString dbpath_, source_;
    Mover move_;
    QString staging_; // the staging folder while there is one
    std::vector<const Item *> missing_, undeleted_;
    QStringList stranded_;
    QString asidefolder_;
};

} // namespace backup
