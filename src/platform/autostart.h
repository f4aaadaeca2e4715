#pragma once
// Starting with the desktop session: an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/quillmoter.desktop, that runs the program
// hidden in the notification area ("-h").

#include <QString>

namespace autostart {

// The entry's path (the folder need not exist yet).
QString entrypath();

// The Exec= value that runs `program` hidden: the path quoted and escaped
// as desktop entries require, so spaces, quotes, "$", "`", "\" and "%" in
// it survive, then " -h".
QString execline(const QString &program);

// The whole entry that starts `program` hidden.
QByteArray entry(const QString &program);

} // namespace autostart

// Writes the entry for `program` (the folder is made when missing). False
// when it cannot be written; callers stay silent about it.
bool addtostartup(const QString &program);
// Removes the entry; nothing to remove is no failure.
bool removefromstartup();
