#pragma once
// Notes without a window. Each note is one rich-text file in the notes
// folder: "<category>.<name>.rtf" for a user category, "<name>.rtf" for the
// default one. Names cannot hold a full stop, so the part before the first
// one names the category, when it is a listed category.

#include <QByteArray>
#include <QString>
#include <QStringList>

inline const QString noteextension = QStringLiteral(".rtf");

// The note files of `folder`: files whose names end in ".rtf" (neither
// folders nor hidden files), in no particular order.
QStringList notefiles(const QString &folder);

// The note names of `category` (empty: the default category) among `files`,
// sorted as the lists are. A file is a user category's when the part of its
// name before the first full stop is one of `usercategories` (exactly); every
// other file is the default category's, shown with its whole name.
QStringList notesof(const QStringList &files, const QString &category, const QStringList &usercategories);

// The file name and the path of note `name` in `category` (empty: default).
QString notefilename(const QString &category, const QString &name);
QString memofilename(const QString &folder, const QString &category, const QString &name);

// Whether a note can have that name in that category: neither holds a
// character a file name cannot (see forbiddennamechars), the name is not
// empty, and the file name is not too long.
enum class NoteName { ok, badcharacters, toolong };
NoteName checknotename(const QString &category, const QString &name);

// A note with nothing in it, as the editor starts a new one: Arial 10, black.
QByteArray emptynote();

enum class NoteResult {
    done,
    exists,        // another file already has the new name; nothing was replaced
    badcharacters, // see checknotename
    toolong,
    failed,        // the file system refused (the file is open, say)
};

// Writes an empty note; an existing file is never replaced.
NoteResult createnote(const QString &folder, const QString &category, const QString &name);
// Renames a note's file; never onto an existing file (a change of case only
// is a rename of the same note).
NoteResult renamenote(const QString &folder, const QString &category, const QString &old, const QString &name);
bool deletenote(const QString &folder, const QString &category, const QString &name);

// Moves the notes `names` of category `old` to category `name`. Checks every
// new file name first and moves nothing when one cannot be made
// (badcharacters, toolong); otherwise moves what it can and returns `failed`
// when some note could not be moved (it stays where it was).
NoteResult renamenotecategory(const QString &folder, const QString &old, const QString &name,
                              const QStringList &names);
// Deletes the notes `names` of `category`; false when one could not be deleted.
bool deletenotecategory(const QString &folder, const QString &category, const QStringList &names);

// Opens a note in an outside program, by the "memoedit" setting: 1 the
// desktop's program for rich text, 2 the word processor, 3 `program`. False
// when it could not be started (or `choice` is none of these).
bool openexternal(int choice, const QString &program, const QString &path);
