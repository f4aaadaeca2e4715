#include "database/backup.h"

#include "platform/wholefile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace backup {
namespace {

// Copies go in pieces of this size, so progress moves during a large file.
constexpr qint64 chunk = 1 << 20;

QString withslash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

const Item contacts{QStringLiteral("contacts.dat"), false, {QStringLiteral("Contacts")}};
const Item calitems{QStringLiteral("calitems.dat"), false, {QStringLiteral("Calendar")}};
const Item tasks{QStringLiteral("tasks.dat"), false, {QStringLiteral("Tasks")}};
const Item subjects{QStringLiteral("subjects.dat"), false, {QStringLiteral("Marks")}};
const Item timetable{QStringLiteral("timetable.dat"), false, {QStringLiteral("Timetable")}};
const Item categories{QStringLiteral("categories.dat"), false, {QStringLiteral("Tasks"), QStringLiteral("category")}};
const Item memocategories{
    QStringLiteral("memocategories.dat"), false, {QStringLiteral("Notes"), QStringLiteral("category")}};
const Item subjfname{QStringLiteral("subjfname.dat"), false, {QStringLiteral("marks term name")}};
const Item dbversion{QStringLiteral("dbversion.dat"), false, {QStringLiteral("database version")}};
const Item photos{QStringLiteral("photos"), true, {QStringLiteral("contact photos")}};
const Item memos{QStringLiteral("memos"), true, {QStringLiteral("Notes")}};
const Item terms{QStringLiteral("subjects"), true, {QStringLiteral("marks terms")}};

void fail(QString *error, const QString &path, const QString &reason)
{
    if (error && error->isEmpty())
        *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}

const QString cancelled = QStringLiteral("The copy was stopped.");

// Every folder below `folder` and itself, so that what was copied into them
// survives a power loss.
void syncfolders(const QString &folder)
{
    QDirIterator it(folder, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        wholefile::syncfolder(it.next());
    wholefile::syncfolder(folder);
}

qint64 foldersize(const QString &folder)
{
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    return total;
}

} // namespace

const std::vector<Item> &exportitems()
{
    static const std::vector<Item> items = {calitems,   contacts,       tasks,    timetable, categories,
                                            memocategories, subjects,   subjfname, dbversion, photos,
                                            memos,      terms};
    return items;
}

const std::vector<Item> &importitems()
{
    static const std::vector<Item> items = {contacts,       calitems,  tasks,     subjects, timetable,
                                            categories,     memocategories, subjfname, dbversion, photos,
                                            memos,          terms};
    return items;
}

QString exportstamp(const QDateTime &when)
{
    return when.toString(QStringLiteral("ddMMyyHHmm"));
}

bool isinside(const QString &path, const QString &folder)
{
    const QString p = QFileInfo(path).canonicalFilePath();
    const QString f = QFileInfo(folder).canonicalFilePath();
    if (p.isEmpty() || f.isEmpty())
        return false;
    return p == f || p.startsWith(withslash(f));
}

bool holdsdatabase(const QString &folder)
{
    for (const Item &item : exportitems()) {
        if (!item.folder && item.name != subjfname.name && QFileInfo(withslash(folder) + item.name).isFile())
            return true;
    }
    return false;
}

bool isincomplete(const QString &folder)
{
    return journal::present(withslash(folder) + incompletemark);
}

bool copyfile(const QString &from, const QString &to, Progress *progress, QString *error)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        fail(error, from, in.errorString());
        return false;
    }
    QSaveFile out(to);
    // Unbuffered: a buffered write stops short on a full disk without
    // saying why, and its commit may still go through.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fail(error, to, out.errorString());
        return false;
    }
    QByteArray buffer(chunk, Qt::Uninitialized);
    for (;;) {
        if (progress && progress->cancel) {
            fail(error, to, cancelled);
            out.cancelWriting();
            return false;
        }
        const qint64 n = in.read(buffer.data(), chunk);
        if (n < 0) {
            fail(error, from, in.errorString());
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
        QString reason;
        if (!wholefile::writeall(out, buffer.constData(), n, &reason)) {
            fail(error, to, reason);
            out.cancelWriting();
            return false;
        }
        if (progress)
            progress->done += n;
    }
    if (!out.commit()) {
        fail(error, to, wholefile::writeerror(out));
        return false;
    }
    journal::step(QStringLiteral("copy ") + to);
    return true;
}

bool copyfolder(const QString &source, const QString &destination, Progress *progress, QString *error)
{
    const QFileInfo info(source);
    if (!info.isDir()) {
        fail(error, source, QStringLiteral("The folder does not exist."));
        return false;
    }
    const QString target = withslash(destination) + info.fileName();
    // A copy into itself would never end.
    if (isinside(destination, source)) {
        fail(error, target, QStringLiteral("The folder cannot be copied into itself."));
        return false;
    }
    if (!QDir().mkpath(target)) {
        fail(error, target, QStringLiteral("The folder cannot be created."));
        return false;
    }
    bool ok = true;
    const QFileInfoList entries =
        QDir(source).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (progress && progress->cancel) {
            fail(error, target, cancelled);
            return false;
        }
        if (entry.isDir()) {
            // A linked folder could lead back up; its files are not ours.
            if (!entry.isSymLink())
                ok = copyfolder(entry.filePath(), target, progress, error) && ok;
        } else {
            ok = copyfile(entry.filePath(), withslash(target) + entry.fileName(), progress, error) && ok;
        }
    }
    return ok;
}

bool deletefolder(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    return QDir(folder).removeRecursively();
}

qint64 itemsize(const QString &folder, const std::vector<Item> &items)
{
    qint64 total = 0;
    for (const Item &item : items) {
        const QString path = withslash(folder) + item.name;
        total += item.folder ? foldersize(path) : QFileInfo(path).size();
    }
    return total;
}

ExportResult exportdatabase(const QString &dbpath, const QString &target, Progress *progress)
{
    ExportResult result;
    // Marked first and synced: whatever stops the export from here on leaves
    // a folder that says it is not whole.
    const QString mark = withslash(target) + incompletemark;
    if (!wholefile::save(mark, QByteArray(), &result.error)) {
        result.error = QDir::toNativeSeparators(mark) + QStringLiteral(": ") + result.error;
        return result;
    }
    result.marked = true;
    journal::step(QStringLiteral("export marked"));
    if (progress)
        progress->total = itemsize(dbpath, exportitems());
    // An item the database folder lacks is reported and the backup is whole
    // without it; one that is there but could not be copied (a full disk)
    // leaves the backup marked as incomplete.
    bool broken = false;
    for (const Item &item : exportitems()) {
        if (progress && progress->cancel)
            return result;
        const QString from = withslash(dbpath) + item.name;
        const bool there = item.folder ? QFileInfo(from).isDir() : QFileInfo(from).isFile();
        QString error;
        bool ok = there;
        if (there && item.folder)
            ok = copyfolder(from, target, progress, &error);
        else if (there)
            ok = copyfile(from, withslash(target) + item.name, progress, &error);
        if (ok) {
            ++result.copied;
        } else {
            result.failed.push_back(&item);
            if (there && !broken) {
                broken = true;
                result.error = error;
            }
        }
    }
    if ((progress && progress->cancel) || broken)
        return result;
    // The files are synced as they are written; their names in the folders
    // before the mark goes.
    syncfolders(target);
    if (QFile::remove(mark)) {
        wholefile::syncfolder(target);
        result.complete = true;
        journal::step(QStringLiteral("export complete"));
    } else {
        result.error = QDir::toNativeSeparators(mark) + QStringLiteral(": The file cannot be removed.");
    }
    return result;
}

Import::Import(const QString &dbpath, const QString &source, Mover mover)
    : dbpath_(withslash(dbpath)), source_(withslash(source)),
      move_(mover ? std::move(mover) : Mover(journal::rename))
{
}

void Import::discard()
{
    // Items that could not be put back may still have to pass through it.
    if (!staging_.isEmpty() && stranded_.isEmpty())
        journal::removeall(staging_);
    staging_.clear();
}

bool Import::stage(const VersionCheck &check, Progress *progress, QString *error)
{
    missing_.clear();
    discard();
    if (isincomplete(source_)) {
        fail(error, source_, QStringLiteral("The backup is incomplete: its export was interrupted."));
        return false;
    }
    // Inside the database folder, so the items later move into place on the
    // same file system without a second copy.
    const std::optional<QString> folder = journal::makefolder(dbpath_, journal::stagingprefix, error);
    if (!folder)
        return false;
    staging_ = *folder;
    journal::step(QStringLiteral("staging folder"));
    const QString staged = withslash(staging_);
    if (progress)
        progress->total = itemsize(source_, importitems());
    bool ok = check.result != VersionCheck::refused;
    for (const Item &item : importitems()) {
        if (!ok)
            break;
        const QString from = source_ + item.name;
        if (item.folder ? !QFileInfo(from).isDir() : !QFileInfo(from).isFile()) {
            missing_.push_back(&item);
            continue;
        }
        ok = item.folder ? copyfolder(from, staged, progress, error)
                         : copyfile(from, staged + item.name, progress, error);
    }
    if (ok && check.result == VersionCheck::upgrade)
        ok = runupgrade(staged, check.from, error);
    if (!ok)
        discard();
    return ok;
}

bool Import::replace(QString *error)
{
    undeleted_.clear();
    stranded_.clear();
    asidefolder_.clear();
    if (staging_.isEmpty())
        return false;
    const QString staged = withslash(staging_);
    const std::optional<QString> aside = journal::makefolder(dbpath_, journal::asideprefix, error);
    if (!aside)
        return false;
    journal::step(QStringLiteral("aside folder"));
    const QString stagingname = QFileInfo(staging_).fileName();
    const QString asidename = QFileInfo(*aside).fileName();

    // Each current item goes aside, then the staged one takes its place. A
    // file the backup lacks keeps the current one; a folder it lacks ends
    // empty, made here so that it comes with the rest.
    journal::Journal j(dbpath_, journal::Kind::import);
    for (const Item &item : importitems()) {
        if (item.folder && !journal::present(staged + item.name) && !QDir().mkdir(staged + item.name)) {
            fail(error, staged + item.name, QStringLiteral("The folder cannot be created."));
            QDir().rmdir(*aside);
            return false;
        }
        if (!journal::present(staged + item.name))
            continue;
        if (journal::present(dbpath_ + item.name))
            j.move(item.name, asidename + QLatin1Char('/') + item.name);
        j.move(stagingname + QLatin1Char('/') + item.name, item.name);
    }
    j.aside(asidename);
    j.scratch(stagingname);
    if (!j.write(false, error)) {
        QDir().rmdir(*aside);
        return false;
    }

    // Every move done, and the change committed: or else every move undone.
    QString reason;
    if (!j.apply(move_, &reason) || !j.write(true, &reason)) {
        if (error)
            *error = reason;
        if (j.rollback(move_, &stranded_))
            staging_.clear(); // gone with the journal
        else
            asidefolder_ = j.asidefolder();
        return false;
    }
    QStringList undeleted;
    j.finish(nullptr, &undeleted);
    staging_.clear();
    for (const Item &item : importitems()) {
        if (undeleted.contains(item.name))
            undeleted_.push_back(&item);
    }
    return true;
}

} // namespace backup
