#pragma once
// Where things live on this desktop: the per-user special folders, and the
// folder of the files that lie beside the program.

#include <QMap>
#include <QString>
#include <QStringList>

namespace folders {

// Special folder numbers as the callers know them.
constexpr int CSIDL_DESKTOPDIRECTORY = 16;
constexpr int CSIDL_APPDATA = 26;

} // namespace folders

// The folder's path without a trailing separator, or the empty text when it
// is unknown (an unknown number, or no home to put it in).
QString getspecialfolder(int csidl);

namespace folders {

// Folders that hold the program's own files, in the order they are searched:
// the executable's folder, then ../share/quillmoter beside it (the installed
// layout, which the build tree mirrors). Only folders that exist are listed.
QStringList programfolders();

// The path of a file that lies beside the program: the first folder of
// programfolders() that holds it; if none does, the path it would have in the
// last of them.
QString programfile(const QString &name);

// The files "*.<extension>" (extension matched ignoring case) in `folders`:
// base name -> path, the first folder holding a name winning. Folders named
// like such a file are not listed.
QMap<QString, QString> filesbyname(const QStringList &folders, const QString &extension);

// Their base names in alphabetical order.
QStringList sortednames(const QMap<QString, QString> &files);

} // namespace folders
