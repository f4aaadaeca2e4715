#pragma once
// Changes of several files and folders of one folder that happen wholly or
// not at all, across a crash at any instant: a backup import, a switch of
// terms, a step of the upgrade chain.
//
// What a change will do is written into the folder's journal file (and
// synced) before its first rename. A journal that is not yet committed lists
// moves that can still be undone; a committed one lists what must be carried
// through. Whoever finds a journal (the start, before anything loads) undoes
// or finishes it, then removes it. Nothing set aside is deleted before the
// change is committed and every rename is done.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace journal {

// The journal's name inside the folder it describes.
inline const QString filename = QStringLiteral(".journal");
// Folders of our own work inside the database folder: temporaries of a
// change not yet committed, the staging copy of an import, and what an
// import set aside.
inline const QString pendingprefix = QStringLiteral(".pending-");
inline const QString stagingprefix = QStringLiteral(".import-");
inline const QString asideprefix = QStringLiteral(".replaced-");

// What a change is, for the message after a recovery.
enum class Kind { import, terms, upgrade };

// A seam for tests: called after every step of a change (each copy, rename,
// journal write and removal) with a short description of it. A test stops
// the change there as a kill would, by throwing or by ending the process.
using StepHook = std::function<void(const QString &step)>;
void setstephook(StepHook hook);
void step(const QString &what);

// Moves a file or folder; false with the reason in `error`. The usual one
// renames and never replaces what is at `to`; tests put one that refuses.
using Mover = std::function<bool(const QString &from, const QString &to, QString *error)>;
bool rename(const QString &from, const QString &to, QString *error);

// Whether anything (a link to nothing included) is at `path`.
bool present(const QString &path);

// Removes a file, or a folder with its contents; a link goes, never what it
// leads to.
bool removeall(const QString &path);

// Makes a new folder `prefix` + six random characters inside `folder`;
// its path, or nothing with the reason in `error`.
std::optional<QString> makefolder(const QString &folder, const QString &prefix, QString *error);

struct Entry
{
    enum Type {
        move,    // from -> to, done before the commit; undone while not committed
        rename,  // from -> to after the commit; only ever done forward
        replace, // a whole temporary `from` over `to`; only ever done forward
        aside,   // a folder the replaced items wait in: removed once done,
                 // after an undo only when nothing is left in it
        scratch, // our own temporaries: removed once the change is over
    } type;
    QString from, to; // relative to the folder; aside and scratch use `from`
};

class Journal
{
public:
    Journal(QString folder, Kind kind);

    const QString &folder() const { return folder_; }
    Kind kind() const { return kind_; }
    bool committed() const { return committed_; }
    const std::vector<Entry> &entries() const { return entries_; }
    QString path(const QString &name) const { return folder_ + name; }

    void move(const QString &from, const QString &to) { entries_.push_back({Entry::move, from, to}); }
    void rename(const QString &from, const QString &to) { entries_.push_back({Entry::rename, from, to}); }
    void replace(const QString &from, const QString &to) { entries_.push_back({Entry::replace, from, to}); }
    void aside(const QString &name) { entries_.push_back({Entry::aside, name, {}}); }
    void scratch(const QString &name) { entries_.push_back({Entry::scratch, name, {}}); }

    // Writes the journal file, synced; committed or still undoable.
    bool write(bool committed, QString *error);
    // The journal of `folder`; nothing with the reason in `error` when it is
    // damaged (a missing one gives nothing and no reason).
    static std::optional<Journal> read(const QString &folder, QString *error);

    // Does the moves in order; stops at the first that fails (reason in
    // `error`). Not committed: every move can still be undone.
    bool apply(const Mover &mover, QString *error);
    // Undoes, last first, every move that was done; the items that could not
    // be put back go to `stranded` (as "what: where it is"). When all are
    // back, removes the temporaries, the aside folder if empty, and the
    // journal. Never deletes anything that was set aside.
    bool rollback(const Mover &mover, QStringList *stranded);
    // Commits (when not yet; the moves must be done), does the renames and
    // replaces not yet done, removes the aside
    // and scratch folders and then the journal. False with the first reason
    // in `error`: the journal then stays for the next start to finish;
    // items set aside that could not be removed go to `undeleted`.
    bool finish(QString *error, QStringList *undeleted = nullptr);

    // Where the replaced items wait, for a report; empty without one.
    QString asidefolder() const;

private:
    bool removejournal(QString *error);
    void syncfolders() const;

    QString folder_;
    Kind kind_;
    bool committed_ = false;
    std::vector<Entry> entries_;
};

// New contents of files and moves inside one folder, made as one change:
// every file is written to a temporary first; only when all are written is
// the change committed in the journal and carried out.
class FileChange
{
public:
    FileChange(QString folder, Kind kind);

    // `name` relative to the folder gets `data` as its whole content.
    void write(const QString &name, QByteArray data);
    // `from` is renamed to `to`, which must not exist.
    void move(const QString &from, const QString &to);

    // All or nothing: false with the reason in `error` when it could not be
    // begun (nothing changed), or when it stopped after the commit (the next
    // start finishes it).
    bool commit(QString *error);

private:
    QString folder_;
    Kind kind_;
    std::vector<std::pair<QString, QByteArray>> files_;
    std::vector<std::pair<QString, QString>> moves_;
};

} // namespace journal
