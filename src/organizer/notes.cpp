#include "organizer/notes.h"

#include "platform/collate.h"
#include "platform/filenames.h"
#include "platform/rtf.h"
#include "platform/shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString notepath(const QString &folder, const QString &category, const QString &name)
{
    return QDir(folder).filePath(notefilename(category, name));
}

} // namespace

QStringList notefiles(const QString &folder)
{
    QStringList files;
    // Listed as they are and filtered here: the name filters of QDir ignore
    // case, and a ".RTF" file is not a note whose path can be rebuilt.
    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::NoSort);
    for (const QString &name : names) {
        if (name.endsWith(noteextension) && name.size() > noteextension.size())
            files << name;
    }
    return files;
}

QStringList notesof(const QStringList &files, const QString &category, const QStringList &usercategories)
{
    QStringList names;
    for (const QString &file : files) {
        const QString base = file.chopped(noteextension.size());
        const qsizetype stop = base.indexOf(QLatin1Char('.'));
        const bool filed = stop >= 0 && usercategories.contains(base.left(stop));
        QString name;
        if (category.isEmpty() && !filed)
            name = base;
        else if (!category.isEmpty() && filed && base.left(stop) == category)
            name = base.mid(stop + 1);
        if (!name.isEmpty())
            names << name;
    }
    sortalphabetically(names);
    return names;
}

QString notefilename(const QString &category, const QString &name)
{
    const QString note = name + noteextension;
    return category.isEmpty() ? note : category + QLatin1Char('.') + note;
}

QString memofilename(const QString &folder, const QString &category, const QString &name)
{
    return notepath(folder, category, name);
}

NoteName checknotename(const QString &category, const QString &name)
{
    if (name.isEmpty() || hasforbiddencharacters(name) || hasforbiddencharacters(category))
        return NoteName::badcharacters;
    if (QFile::encodeName(notefilename(category, name)).size() > maxfilenamebytes)
        return NoteName::toolong;
    return NoteName::ok;
}

QByteArray emptynote()
{
    return rtf::emptynote();
}

namespace {

NoteResult fromcheck(NoteName check)
{
    switch (check) {
    case NoteName::ok: return NoteResult::done;
    case NoteName::badcharacters: return NoteResult::badcharacters;
    case NoteName::toolong: return NoteResult::toolong;
    }
    return NoteResult::failed;
}

// Moves a file, never onto another one. A change of case only moves the
// file onto its own name.
NoteResult movefile(const QString &from, const QString &to)
{
    if (QFileInfo::exists(to) && from.compare(to, Qt::CaseInsensitive) != 0)
        return NoteResult::exists;
    return QFile::rename(from, to) ? NoteResult::done : NoteResult::failed;
}

} // namespace

NoteResult createnote(const QString &folder, const QString &category, const QString &name)
{
    if (const NoteResult check = fromcheck(checknotename(category, name)); check != NoteResult::done)
        return check;
    const QString path = notepath(folder, category, name);
    QFile file(path);
    // NewOnly: made here or not at all, never over a file already there.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return QFileInfo::exists(path) ? NoteResult::exists : NoteResult::failed;
    const QByteArray content = emptynote();
    if (file.write(content) != content.size() || !file.flush()) {
        file.close();
        file.remove();
        return NoteResult::failed;
    }
    return NoteResult::done;
}

NoteResult renamenote(const QString &folder, const QString &category, const QString &old, const QString &name)
{
    if (const NoteResult check = fromcheck(checknotename(category, name)); check != NoteResult::done)
        return check;
    return movefile(notepath(folder, category, old), notepath(folder, category, name));
}

bool deletenote(const QString &folder, const QString &category, const QString &name)
{
    return QFile::remove(notepath(folder, category, name));
}

NoteResult renamenotecategory(const QString &folder, const QString &old, const QString &name,
                              const QStringList &names)
{
    if (name.isEmpty() || hasforbiddencharacters(name))
        return NoteResult::badcharacters;
    for (const QString &note : names) {
        if (const NoteResult check = fromcheck(checknotename(name, note)); check != NoteResult::done)
            return check;
    }
    bool failed = false;
    for (const QString &note : names) {
        if (movefile(notepath(folder, old, note), notepath(folder, name, note)) != NoteResult::done)
            failed = true;
    }
    return failed ? NoteResult::failed : NoteResult::done;
}

bool deletenotecategory(const QString &folder, const QString &category, const QStringList &names)
{
    bool deleted = true;
    for (const QString &note : names) {
        if (!deletenote(folder, category, note))
            deleted = false;
    }
    return deleted;
}

bool openexternal(int choice, const QString &program, const QString &path)
{
    switch (choice) {
    case 1: return openwithdefault(path);
    case 2: return startprogram(wordprocessor(), path);
    case 3: return startprogram(program, path);
    default: return false;
    }
}
