#include "database/recovery.h"

#include "database/backup.h"
#include "database/journal.h"
#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The files whose temporaries an upgrade of older versions left beside them
// ("contacts.dat.upgrade"), and their own save leftovers.
bool isupgradeleftover(const QString &name, const QStringList &targets)
{
    for (const QString &target : targets) {
        const QString temp = target + QStringLiteral(".upgrade");
        if (name == temp || wholefile::isleftover(name, temp))
            return true;
    }
    return false;
}

// What the journal left: undo or finish it.
void replay(const QString &dbpath, Recovery &recovery)
{
    QString error;
    std::optional<journal::Journal> j = journal::Journal::read(dbpath, &error);
    if (!j) {
        if (!error.isEmpty()) {
            recovery.notes << DbMessage{recoveryfailed, {error}};
            recovery.usable = false;
        }
        return;
    }
    if (j->committed()) {
        if (!j->finish(&error)) {
            recovery.notes << DbMessage{recoveryfailed, {error}};
            recovery.usable = false;
            return;
        }
        switch (j->kind()) {
        case journal::Kind::import:
            recovery.notes << DbMessage{importfinished, {}};
            break;
        case journal::Kind::terms:
            recovery.notes << DbMessage{termsfinished, {}};
            break;
        case journal::Kind::upgrade:
            recovery.notes << DbMessage{upgradefinished, {}};
            break;
        }
        return;
    }
    QStringList stranded;
    if (!j->rollback(journal::rename, &stranded)) {
        recovery.notes << DbMessage{notputback, {stranded.join(QLatin1Char('#')), j->asidefolder()}};
        recovery.usable = false;
        return;
    }
    recovery.notes << DbMessage{j->kind() == journal::Kind::import ? importundone : changeundone, {}};
}

// An aside folder without a journal, as older versions left one: items the
// database folder lacks go back; the rest stays where it is, reported.
void restoreaside(const QString &dbpath, const QString &aside, Recovery &recovery)
{
    QStringList back;
    for (const backup::Item &item : backup::importitems()) {
        const QString from = aside + QLatin1Char('/') + item.name;
        const QString to = dbpath + item.name;
        if (journal::present(from) && !journal::present(to) && journal::rename(from, to, nullptr))
            back << item.name;
    }
    if (!back.isEmpty()) {
        wholefile::syncfolder(dbpath);
        recovery.notes << DbMessage{asideputback, {back.join(QStringLiteral(", "))}};
    }
    if (!QDir().rmdir(aside))
        recovery.notes << DbMessage{asidekept, {QDir::toNativeSeparators(aside)}};
}

void removeleftovers(const QString &dbpath, Recovery &recovery)
{
    const QStringList ours = {dbfile::contacts,       dbfile::calitems,  dbfile::tasks,     dbfile::timetable,
                              dbfile::subjects,       dbfile::categories, dbfile::memocategories,
                              dbfile::dbversion,      dbfile::subjfname};
    const QFileInfoList entries =
        QDir(dbpath).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        // Links are never ours: whatever they lead to stays.
        if (entry.isSymLink())
            continue;
        if (entry.isDir()) {
            // The staging copy of a backup, temporaries of a change never
            // committed: copies, never the only one.
            if (name.startsWith(journal::stagingprefix) || name.startsWith(journal::pendingprefix))
                journal::removeall(entry.filePath());
            else if (name.startsWith(journal::asideprefix))
                restoreaside(dbpath, entry.filePath(), recovery);
        } else if (isupgradeleftover(name, ours) || wholefile::isleftover(name, journal::filename)) {
            QFile::remove(entry.filePath());
        }
    }

    // Term files: the temporaries of older upgrades and of saves killed
    // before their rename. Term names hold no point, so no term's file
    // looks like either.
    const QString terms = dbpath + dbfolder::subjects + QLatin1Char('/');
    const QFileInfoList files =
        QDir(terms).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &file : files) {
        const QString name = file.fileName();
        if (file.isSymLink())
            continue;
        if (file.isDir()) {
            if (name.startsWith(journal::pendingprefix))
                journal::removeall(file.filePath());
            continue;
        }
        const qsizetype dat = name.indexOf(QStringLiteral(".dat."));
        if (dat <= 0)
            continue;
        const QString target = name.left(dat + 4);
        if (target.indexOf(QLatin1Char('.')) != dat)
            continue;
        if (wholefile::isleftover(name, target) || isupgradeleftover(name, {target}))
            QFile::remove(file.filePath());
    }
}

} // namespace

Recovery recoverdatabase(const QString &dbpath)
{
    Recovery recovery;
    QString folder = dbpath;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    if (!QFileInfo(folder).isDir())
        return recovery;
    replay(folder, recovery);
    // With a journal still there, its temporaries must stay.
    if (recovery.usable)
        removeleftovers(folder, recovery);
    return recovery;
}
