#include "database/backup.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>

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

bool move(const QString &from, const QString &to, QString *error)
{
    std::error_code ec;
    std::filesystem::rename(from.toStdString(), to.toStdString(), ec);
    if (ec)
        fail(error, from, QString::fromStdString(ec.message()));
    return !ec;
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

bool copyfile(const QString &from, const QString &to, Progress *progress, QString *error)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        fail(error, from, in.errorString());
        return false;
    }
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly)) {
        fail(error, to, out.errorString());
        return false;
    }
    QByteArray buffer(chunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(buffer.data(), chunk);
        if (n < 0) {
            fail(error, from, in.errorString());
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
        if (out.write(buffer.constData(), n) != n) {
            fail(error, to, out.errorString());
            out.cancelWriting();
            return false;
        }
        if (progress)
            progress->done += n;
    }
    if (!out.commit()) {
        fail(error, to, out.errorString());
        return false;
    }
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
    if (progress)
        progress->total = itemsize(dbpath, exportitems());
    ExportResult result;
    for (const Item &item : exportitems()) {
        const QString from = withslash(dbpath) + item.name;
        bool ok;
        if (item.folder)
            ok = copyfolder(from, target, progress);
        else
            ok = QFileInfo(from).isFile() && copyfile(from, withslash(target) + item.name, progress);
        if (ok)
            ++result.copied;
        else
            result.failed.push_back(&item);
    }
    return result;
}

Import::Import(const QString &dbpath, const QString &source, Mover mover)
    : dbpath_(withslash(dbpath)), source_(withslash(source)), move_(mover ? std::move(mover) : Mover(move))
{
}

Import::~Import() = default;

bool Import::stage(const VersionCheck &check, Progress *progress, QString *error)
{
    missing_.clear();
    // Inside the database folder, so the items later move into place on the
    // same file system without a second copy.
    staging_ = std::make_unique<QTemporaryDir>(dbpath_ + QStringLiteral(".import-XXXXXX"));
    if (!staging_->isValid()) {
        fail(error, dbpath_, staging_->errorString());
        return false;
    }
    const QString staged = withslash(staging_->path());
    if (progress)
        progress->total = itemsize(source_, importitems());
    for (const Item &item : importitems()) {
        const QString from = source_ + item.name;
        if (item.folder ? !QFileInfo(from).isDir() : !QFileInfo(from).isFile()) {
            missing_.push_back(&item);
            continue;
        }
        const bool ok = item.folder ? copyfolder(from, staged, progress, error)
                                    : copyfile(from, staged + item.name, progress, error);
        if (!ok)
            return false;
    }
    if (check.result == VersionCheck::upgrade && !runupgrade(staged, check.from, error))
        return false;
    return check.result != VersionCheck::refused;
}

bool Import::replace(QString *error)
{
    undeleted_.clear();
    if (!staging_)
        return false;
    const QString staged = withslash(staging_->path());
    QTemporaryDir aside(dbpath_ + QStringLiteral(".replaced-XXXXXX"));
    if (!aside.isValid()) {
        fail(error, dbpath_, aside.errorString());
        return false;
    }
    const QString old = withslash(aside.path());

    struct Done
    {
        QString name;
        bool movedaside, placed;
    };
    std::vector<Done> done;
    bool ok = true;
    for (const Item &item : importitems()) {
        const QString current = dbpath_ + item.name;
        const bool has = QFileInfo::exists(staged + item.name);
        // A file the backup lacks keeps the current one; a folder it lacks
        // ends empty.
        if (!has && !item.folder)
            continue;
        Done d{item.name, false, false};
        if (QFileInfo::exists(current)) {
            ok = move_(current, old + item.name, error);
            d.movedaside = ok;
        }
        if (ok && has) {
            ok = move_(staged + item.name, current, error);
            d.placed = ok;
        }
        done.push_back(d);
        if (!ok)
            break;
    }

    if (!ok) {
        // Back as it was, last change first.
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            const QString current = dbpath_ + it->name;
            if (it->placed)
                move_(current, staged + it->name, nullptr);
            if (it->movedaside)
                move_(old + it->name, current, nullptr);
        }
        return false;
    }

    for (const Item *item : {&photos, &memos, &terms})
        QDir().mkpath(dbpath_ + item->name);
    for (const Item &item : importitems()) {
        if (item.folder && QFileInfo::exists(old + item.name) && !deletefolder(old + item.name))
            undeleted_.push_back(&item);
    }
    return true;
}

} // namespace backup
