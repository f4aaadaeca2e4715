#include "platform/wholefile.h"

#include "platform/ansi.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QStringList>

#include <algorithm>

#include <cerrno>
#include <limits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wholefile {

namespace {

QString systemreason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

void seterror(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
}

QString notplain(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("It is a folder, not a file.");
    return QStringLiteral("It is not a plain file.");
}

} // namespace

bool syncfolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

QString writeerror(const QFileDevice &file)
{
    // A buffered write can stop short on a full disk without any error set;
    // Qt's own text is then "Unknown error".
    bool full = file.error() == QFileDevice::ResourceError;
    if (!full && !file.fileName().isEmpty()) {
        const QStorageInfo storage(QFileInfo(file.fileName()).absolutePath());
        full = storage.isValid() && storage.bytesAvailable() == 0;
    }
    if (full)
        return diskfull;
    return file.errorString();
}

bool writeall(QFileDevice &file, const char *data, qint64 size, QString *error)
{
    for (qint64 done = 0; done < size;) {
        const qint64 n = file.write(data + done, size - done);
        if (n <= 0) {
            seterror(error, writeerror(file));
            return false;
        }
        done += n;
    }
    return true;
}

PathKind examine(const QString &path, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::stat(name.constData(), &st) == 0) {
        if (S_ISREG(st.st_mode))
            return PathKind::plain;
        seterror(error, notplain(st.st_mode));
        return PathKind::other;
    }
    const int code = errno;
    if (code == ENOENT) {
        // A link to nothing is not missing: whatever it should lead to (a
        // drive not yet mounted, say) must not be replaced by a new file.
        if (::lstat(name.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
            seterror(error, QStringLiteral("It is a link to a file that does not exist."));
            return PathKind::other;
        }
        return PathKind::missing;
    }
    seterror(error, systemreason(code));
    return PathKind::other;
}

bool openplain(QFile &file, const QString &path, qint64 limit, QString *error)
{
    // Non-blocking, so opening a FIFO returns at once; fstat then refuses it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        seterror(error, systemreason(errno));
        return false;
    }
    struct stat st;
    QString reason;
    if (::fstat(fd, &st) != 0)
        reason = systemreason(errno);
    else if (!S_ISREG(st.st_mode))
        reason = notplain(st.st_mode);
    else if (st.st_size > limit)
        reason = QStringLiteral("The file is larger than %1 MB.").arg(limit >> 20);
    if (!reason.isEmpty()) {
        ::close(fd);
        seterror(error, reason);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        seterror(error, file.errorString());
        return false;
    }
    return true;
}

bool save(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile file(path);
    // Unbuffered: with a write buffer, Qt 6.4 commits even when the final
    // flush fails (full disk), replacing the old file with a cut one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        seterror(error, file.errorString());
        return false;
    }
    QString reason;
    bool ok = writeall(file, data.constData(), data.size(), &reason);
    if (ok && !file.commit()) { // syncs, then replaces the old file
        reason = writeerror(file);
        ok = false;
    }
    if (!ok) {
        seterror(error, reason);
        file.cancelWriting();
        return false;
    }
    syncfolder(QFileInfo(path).absolutePath());
    return true;
}

namespace {

// Up to `count` bytes of an opened file; `whole` asks for the file to end there.
std::optional<QByteArray> take(QFile &file, qint64 count, bool whole, QString *error)
{
    // One byte more than allowed tells a file that grew since it was opened.
    const qint64 want = whole ? count + 1 : count;
    // Read in pieces no larger than the file: a read of the whole cap at
    // once would set aside the cap in memory (512 MB for a record file).
    constexpr qint64 piece = qint64(1) << 20;
    QByteArray data;
    while (data.size() < want) {
        // The rest of the file and one byte, which tells a file that grew.
        const qint64 left = std::max<qint64>(file.size() - file.pos(), 0) + 1;
        const qint64 n = std::min({want - qint64(data.size()), piece, left});
        const qsizetype before = data.size();
        data.resize(before + qsizetype(n));
        const qint64 got = file.read(data.data() + before, n);
        if (got < 0) {
            seterror(error, file.errorString());
            return std::nullopt;
        }
        data.resize(before + qsizetype(got));
        if (got == 0)
            break;
    }
    if (whole && data.size() > count) {
        seterror(error, QStringLiteral("The file is larger than %1 MB.").arg(count >> 20));
        return std::nullopt;
    }
    return data;
}

} // namespace

std::optional<QByteArray> read(const QString &path, QString *error, qint64 limit)
{
    QFile file;
    if (!openplain(file, path, limit, error))
        return std::nullopt;
    return take(file, limit, true, error);
}

std::optional<QByteArray> readhead(const QString &path, qint64 count, QString *error)
{
    QFile file;
    if (!openplain(file, path, std::numeric_limits<qint64>::max(), error))
        return std::nullopt;
    return take(file, count, false, error);
}

std::optional<QStringList> readlines(const QString &path, QString *error)
{
    const std::optional<QByteArray> data = read(path, error);
    if (!data)
        return std::nullopt;
    return splitlines(ansi::decode(*data));
}

QByteArray joinlines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines) {
        out += ansi::encode(line);
        out += "\r\n";
    }
    return out;
}

bool isleftover(const QString &name, const QString &target)
{
    if (name.size() != target.size() + 7 || !name.startsWith(target) || name.at(target.size()) != QLatin1Char('.'))
        return false;
    for (qsizetype i = target.size() + 1; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.unicode() > 127 || !c.isLetterOrNumber())
            return false;
    }
    return true;
}

QStringList splitlines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

} // namespace wholefile
