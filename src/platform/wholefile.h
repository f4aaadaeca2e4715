#pragma once
// Whole-file reads and writes. A write goes to a temporary file that replaces
// the old one only when everything is on disk, so a failed save (full disk,
// crash, no permission) leaves the previous file whole.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace wholefile {

// Writes `data` as the whole new content of `path`. On failure returns false
// and puts the system's reason into `error` (when given).
bool save(const QString &path, const QByteArray &data, QString *error = nullptr);

// The whole content of `path`, or nothing (with the reason in `error`).
std::optional<QByteArray> read(const QString &path, QString *error = nullptr);

// Text lines as list files hold them: every line ended by CR LF.
QByteArray joinlines(const QStringList &lines);

// The lines of a windows-1250 list file (see splitlines), or nothing with
// the reason in `error`.
std::optional<QStringList> readlines(const QString &path, QString *error = nullptr);

// Splits text into lines at CR LF, LF or CR; a final line break does not
// start another line.
QStringList splitlines(const QString &text);

} // namespace wholefile
