#pragma once
// The start's first look at the database folder, before anything is loaded:
// a change of several files that a crash interrupted (an import, a switch of
// terms, an upgrade step) is undone or finished from its journal, and what
// our own interrupted work left behind is cleared away. Data that may be
// the user's only copy is put back or reported, never removed.

#include "database/database.h"

#include <QList>
#include <QString>

struct Recovery
{
    // What was undone, finished or found, for the user (English formats).
    QList<DbMessage> notes;
    // False when the folder must not be loaded: a change could not be
    // undone or finished, and loading would make empty files where the
    // user's data waits elsewhere.
    bool usable = true;
};

// Works on `dbpath` (ending with '/'); a missing folder needs nothing.
Recovery recoverdatabase(const QString &dbpath);

// Messages of a recovery.
inline const QString importundone = QStringLiteral(
    "The import of a backup was interrupted. The database was put back as it was before the import.");
inline const QString importfinished = QStringLiteral(
    "The import of a backup was interrupted after the backup was in place. The import has now been finished.");
inline const QString termsfinished =
    QStringLiteral("A change of the open term was interrupted. It has now been finished.");
inline const QString upgradefinished =
    QStringLiteral("An upgrade of the database was interrupted. The step under way has now been finished.");
inline const QString changeundone =
    QStringLiteral("A change of the database was interrupted. It has been undone.");
inline const QString recoveryfailed = QStringLiteral(
    "An interrupted change of the database could not be completed:#%s##Nothing was deleted. Quillmoter ends now so "
    "that nothing is lost, and tries again at its next start.");
inline const QString notputback = QStringLiteral(
    "The import of a backup was interrupted, and these items could not be put back yet:#%s##Nothing was deleted: "
    "what was set aside of your database is in the folder %s. Quillmoter ends now so that nothing is lost, and tries "
    "again at its next start.");
inline const QString asideputback =
    QStringLiteral("Items of your database that an interrupted import had set aside were put back: %s");
inline const QString asidekept = QStringLiteral(
    "A folder left by an interrupted import still holds data that may be your only copy:#%s##It was left as it is.");
