#include "database/journal.h"

#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace journal {
namespace {

StepHook &hook()
{
    static StepHook h;
    return h;
}

const QByteArray header = "Quillmoter journal 1";

QString systemreason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

void fail(QString *error, const QString &path, const QString &reason)
{
    if (error && error->isEmpty())
        *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}

QByteArray kindword(Kind kind)
{
    switch (kind) {
    case Kind::import:
        return "import";
    case Kind::terms:
        return "terms";
    case Kind::upgrade:
        return "upgrade";
    }
    return {};
}

QByteArray typeword(Entry::Type type)
{
    switch (type) {
    case Entry::move:
        return "move";
    case Entry::rename:
        return "rename";
    case Entry::replace:
        return "replace";
    case Entry::aside:
        return "aside";
    case Entry::scratch:
        return "scratch";
    }
    return {};
}

// Names in the journal are UTF-8, as file names are on disk, and escaped so
// that no space or line break inside a name can be misread.
QByteArray encodename(const QString &name)
{
    return name.toUtf8().toPercentEncoding("/");
}

// A name read back must stay inside the folder: no absolute path, no "..".
std::optional<QString> decodename(const QByteArray &text)
{
    const QString name = QString::fromUtf8(QByteArray::fromPercentEncoding(text));
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QChar(0)))
        return std::nullopt;
    for (const QString &part : name.split(QLatin1Char('/'))) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return std::nullopt;
    }
    return name;
}

} // namespace

bool removeall(const QString &path)
{
    std::error_code ec;
    std::filesystem::remove_all(QFile::encodeName(path).toStdString(), ec);
    return !ec;
}

void setstephook(StepHook h)
{
    hook() = std::move(h);
}

void step(const QString &what)
{
    if (hook())
        hook()(what);
}

bool present(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool rename(const QString &from, const QString &to, QString *error)
{
    const QByteArray f = QFile::encodeName(from), t = QFile::encodeName(to);
    // Never over something that is there: that could be the only copy.
    int result = ::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE);
    if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system without the flag: look first.
        if (present(to)) {
            fail(error, to, systemreason(EEXIST));
            return false;
        }
        result = ::rename(f.constData(), t.constData());
    }
    if (result != 0) {
        fail(error, from, systemreason(errno));
        return false;
    }
    return true;
}

std::optional<QString> makefolder(const QString &folder, const QString &prefix, QString *error)
{
    QByteArray name = QFile::encodeName(folder + prefix + QStringLiteral("XXXXXX"));
    if (!::mkdtemp(name.data())) {
        fail(error, folder, systemreason(errno));
        return std::nullopt;
    }
    wholefile::syncfolder(folder);
    return QFile::decodeName(name);
}

Journal::Journal(QString folder, Kind kind) : folder_(std::move(folder)), kind_(kind)
{
    if (!folder_.endsWith(QLatin1Char('/')))
        folder_ += QLatin1Char('/');
}

QString Journal::asidefolder() const
{
    for (const Entry &e : entries_) {
        if (e.type == Entry::aside)
            return QDir::toNativeSeparators(path(e.from));
    }
    return {};
}

bool Journal::write(bool committed, QString *error)
{
    QByteArray text = header + '\n';
    text += "kind " + kindword(kind_) + '\n';
    text += committed ? "state committed\n" : "state prepared\n";
    for (const Entry &e : entries_) {
        text += typeword(e.type) + ' ' + encodename(e.from);
        if (e.type != Entry::aside && e.type != Entry::scratch)
            text += ' ' + encodename(e.to);
        text += '\n';
    }
    text += "end\n";
    QString reason;
    if (!wholefile::save(path(filename), text, &reason)) {
        fail(error, path(filename), reason);
        return false;
    }
    committed_ = committed;
    step(committed ? QStringLiteral("journal committed") : QStringLiteral("journal written"));
    return true;
}

std::optional<Journal> Journal::read(const QString &folder, QString *error)
{
    Journal j(folder, Kind::import);
    const QString file = j.path(filename);
    if (!present(file))
        return std::nullopt;
    QString reason;
    const std::optional<QByteArray> data = wholefile::read(file, &reason);
    if (!data) {
        fail(error, file, reason);
        return std::nullopt;
    }
    const QList<QByteArray> lines = data->split('\n');
    auto damaged = [&] {
        fail(error, file, QStringLiteral("The file is damaged."));
        return std::nullopt;
    };
    // The header, kind, state, at least "end", and the empty piece after
    // the last line break.
    if (lines.size() < 5 || lines.front() != header || lines.back() != QByteArray()
        || lines.at(lines.size() - 2) != "end")
        return damaged();
    const QByteArray kind = lines.at(1), state = lines.at(2);
    bool known = false;
    for (Kind k : {Kind::import, Kind::terms, Kind::upgrade}) {
        if (kind == "kind " + kindword(k)) {
            j.kind_ = k;
            known = true;
        }
    }
    if (!known || (state != "state committed" && state != "state prepared"))
        return damaged();
    j.committed_ = state == "state committed";
    for (qsizetype i = 3; i < lines.size() - 2; ++i) {
        const QList<QByteArray> words = lines.at(i).split(' ');
        bool read = false;
        for (Entry::Type type : {Entry::move, Entry::rename, Entry::replace, Entry::aside, Entry::scratch}) {
            if (words.front() != typeword(type))
                continue;
            const bool pair = type != Entry::aside && type != Entry::scratch;
            if (words.size() != (pair ? 3 : 2))
                return damaged();
            const std::optional<QString> from = decodename(words.at(1));
            const std::optional<QString> to = pair ? decodename(words.at(2)) : QString();
            if (!from || !to)
                return damaged();
            j.entries_.push_back({type, *from, *to});
            read = true;
        }
        if (!read)
            return damaged();
    }
    return j;
}

bool Journal::apply(const Mover &mover, QString *error)
{
    for (const Entry &e : entries_) {
        if (e.type != Entry::move)
            continue;
        if (!mover(path(e.from), path(e.to), error))
            return false;
        step(QStringLiteral("move %1 -> %2").arg(e.from, e.to));
    }
    return true;
}

bool Journal::rollback(const Mover &mover, QStringList *stranded)
{
    bool ok = true;
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->type != Entry::move)
            continue;
        // Done when it has left its place and arrived at the other.
        const QString from = path(it->from), to = path(it->to);
        if (present(from) || !present(to))
            continue;
        // A move into a place that an earlier move cleared can only have
        // happened after that one: whatever stands there otherwise is what
        // was there before, and must not go where temporaries are removed.
        bool cleared = true;
        for (auto earlier = std::next(it); earlier != entries_.rend(); ++earlier) {
            if (earlier->type == Entry::move && earlier->from == it->to)
                cleared = present(path(earlier->to));
        }
        if (!cleared)
            continue;
        QString reason;
        if (!mover(to, from, &reason)) {
            ok = false;
            if (stranded)
                *stranded << QDir::toNativeSeparators(to) + QStringLiteral(" (") + reason + QLatin1Char(')');
            continue;
        }
        step(QStringLiteral("move back %1 -> %2").arg(it->to, it->from));
    }
    if (!ok)
        return false; // the journal stays: the next start tries again
    syncfolders();
    for (const Entry &e : entries_) {
        if (e.type == Entry::scratch || e.type == Entry::replace) {
            // A replace that never happened leaves its temporary.
            if (present(path(e.from)))
                removeall(path(e.from));
            step(QStringLiteral("remove %1").arg(e.from));
        } else if (e.type == Entry::aside) {
            // Only ever an empty folder: what is in it is someone's data.
            QDir().rmdir(path(e.from));
            step(QStringLiteral("remove %1").arg(e.from));
        }
    }
    return removejournal(nullptr);
}

bool Journal::finish(QString *error, QStringList *undeleted)
{
    if (!committed_ && !write(true, error))
        return false;
    for (const Entry &e : entries_) {
        const QString from = path(e.from), to = path(e.to);
        if (e.type == Entry::rename) {
            if (!present(from) || present(to))
                continue; // done before
            if (!journal::rename(from, to, error))
                return false;
            step(QStringLiteral("rename %1 -> %2").arg(e.from, e.to));
        } else if (e.type == Entry::replace) {
            if (!present(from))
                continue; // done before
            if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
                fail(error, to, systemreason(errno));
                return false;
            }
            step(QStringLiteral("replace %1").arg(e.to));
        }
    }
    syncfolders();
    bool removed = true;
    for (const Entry &e : entries_) {
        if (e.type == Entry::aside) {
            // Item by item, so a report can name what stayed.
            const QString folder = path(e.from);
            const QFileInfoList items =
                QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QFileInfo &item : items) {
                if (!removeall(item.filePath())) {
                    removed = false;
                    if (undeleted)
                        *undeleted << item.fileName();
                }
            }
            if (present(folder) && !QDir().rmdir(folder))
                removed = false;
            step(QStringLiteral("remove %1").arg(e.from));
        } else if (e.type == Entry::scratch) {
            if (present(path(e.from)) && !removeall(path(e.from)))
                removed = false;
            step(QStringLiteral("remove %1").arg(e.from));
        }
    }
    // What could not be removed is tried again at the next start.
    return !removed || removejournal(error);
}

bool Journal::removejournal(QString *error)
{
    if (!QFile::remove(path(filename)) && present(path(filename))) {
        fail(error, path(filename), QStringLiteral("The file cannot be removed."));
        return false;
    }
    wholefile::syncfolder(folder_);
    step(QStringLiteral("journal removed"));
    return true;
}

void Journal::syncfolders() const
{
    QSet<QString> folders{folder_};
    for (const Entry &e : entries_) {
        for (const QString &name : {e.from, e.to}) {
            if (!name.isEmpty())
                folders.insert(QFileInfo(path(name)).absolutePath());
        }
    }
    for (const QString &folder : std::as_const(folders))
        wholefile::syncfolder(folder);
}

FileChange::FileChange(QString folder, Kind kind) : folder_(std::move(folder)), kind_(kind)
{
    if (!folder_.endsWith(QLatin1Char('/')))
        folder_ += QLatin1Char('/');
}

void FileChange::write(const QString &name, QByteArray data)
{
    files_.emplace_back(name, std::move(data));
}

void FileChange::move(const QString &from, const QString &to)
{
    moves_.emplace_back(from, to);
}

bool FileChange::commit(QString *error)
{
    // Whatever would stop a rename is found before anything changes, so a
    // committed change can always be carried through. A link is never
    // renamed over: it leads to a file elsewhere.
    for (const auto &[name, data] : files_) {
        const QString target = folder_ + name;
        if (QFileInfo(target).isSymLink()) {
            fail(error, target, QStringLiteral("It is a link to another place."));
            return false;
        }
        if (present(target) && wholefile::examine(target) != wholefile::PathKind::plain) {
            fail(error, target, QStringLiteral("It is not a plain file."));
            return false;
        }
    }
    for (const auto &[from, to] : moves_) {
        if (!present(folder_ + from)) {
            fail(error, folder_ + from, systemreason(ENOENT));
            return false;
        }
        if (present(folder_ + to)) {
            fail(error, folder_ + to, systemreason(EEXIST));
            return false;
        }
    }
    // The temporaries lie in a folder of their own beside their files (a
    // term's long name with a suffix could be longer than a file name may
    // be, and a linked folder may be on another disk), named by number.
    QMap<QString, QString> pending; // folder of the files -> pending folder in it
    auto discard = [&] {
        for (const QString &folder : std::as_const(pending))
            removeall(folder_ + folder);
    };
    Journal j(folder_, kind_);
    for (size_t i = 0; i < files_.size(); ++i) {
        const QString &name = files_[i].first;
        const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
        const QString dir = slash < 0 ? QString() : name.left(slash + 1);
        if (!pending.contains(dir)) {
            const std::optional<QString> made = makefolder(folder_ + dir, pendingprefix, error);
            if (!made) {
                discard();
                return false;
            }
            pending.insert(dir, dir + QFileInfo(*made).fileName());
            step(QStringLiteral("pending folder %1").arg(pending.value(dir)));
        }
        const QString temp = pending.value(dir) + QLatin1Char('/') + QString::number(i);
        QString reason;
        if (!wholefile::save(folder_ + temp, files_[i].second, &reason)) {
            discard();
            fail(error, folder_ + name, reason);
            return false;
        }
        step(QStringLiteral("write %1").arg(name));
        j.replace(temp, name);
    }
    for (const auto &[from, to] : moves_)
        j.rename(from, to);
    for (const QString &folder : std::as_const(pending))
        j.scratch(folder);
    if (!j.write(true, error)) {
        discard();
        return false;
    }
    return j.finish(error);
}

} // namespace journal
