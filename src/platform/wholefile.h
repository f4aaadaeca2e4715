#pragma once
// Whole-file reads and writes. A write goes to a temporary file that replaces
// the old one only when everything is on disk, so a failed save (full disk,
// crash, no permission) leaves the previous file whole.
//
// Reads take plain files only and only up to a size cap: a FIFO, a device or
// a folder put in place of a data file is refused at once instead of hanging
// the program or filling its memory.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class QFile;
class QFileDevice;

namespace wholefile {

// Caps on what a read takes in. Text files (settings, language files, lists,
// name-day lists) are small; record files hold whole records of a school
// year and more, so their cap is generous.
constexpr qint64 textlimit = qint64(8) << 20;
constexpr qint64 recordlimit = qint64(512) << 20;

// What a path names, as a load sees it.
enum class PathKind {
    missing, // no such file: the load may create it
    plain,   // a plain file (through links), to be read
    other,   // anything else, or a path that cannot be examined (a link
             // loop, a link to nothing, no permission): report, never replace
};
// Only "no such file" counts as missing; `error` gets the reason for other.
PathKind examine(const QString &path, QString *error = nullptr);

// Opens `path` for reading when it is a plain file of at most `limit`
// bytes, without ever waiting on a FIFO or a device.
bool openplain(QFile &file, const QString &path, qint64 limit, QString *error = nullptr);

// The reason a write failed, as the user reads it: a full disk says so.
inline const QString diskfull = QStringLiteral("The disk is full.");
QString writeerror(const QFileDevice &file);

// Writes all of `data` to an open file; false with the reason in `error`.
bool writeall(QFileDevice &file, const char *data, qint64 size, QString *error = nullptr);

// Makes the renames and new names in `folder` survive a power loss.
bool syncfolder(const QString &folder);

// Writes `data` as the whole new content of `path`. On failure returns false
// and puts the system's reason into `error` (when given).
bool save(const QString &path, const QByteArray &data, QString *error = nullptr);

// The whole content of the plain file `path`, or nothing (with the reason in
// `error`), also when it is larger than `limit`.
std::optional<QByteArray> read(const QString &path, QString *error = nullptr, qint64 limit = textlimit);

// At most the first `count` bytes of the plain file `path`, whatever its size.
std::optional<QByteArray> readhead(const QString &path, qint64 count, QString *error = nullptr);

// Text lines as list files hold them: every line ended by CR LF.
QByteArray joinlines(const QStringList &lines);

// The lines of a windows-1250 list file (see splitlines), or nothing with
// the reason in `error`.
std::optional<QStringList> readlines(const QString &path, QString *error = nullptr);

// Splits text into lines at CR LF, LF or CR; a final line break does not
// start another line.
QStringList splitlines(const QString &text);

// Whether `name` is what a save of `target` leaves behind when it is killed
// between writing and renaming: the target's name, a dot and six letters or
// digits.
bool isleftover(const QString &name, const QString &target);

} // namespace wholefile
