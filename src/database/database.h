#pragma once
// The organizer's data: the per-user database folder, its record and list
// files, and the in-memory arrays the pages edit. Every change is saved by
// rewriting the whole file of its kind. Needs no window.

#include "database/dbversion.h"
#include "database/records.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// File names inside the database folder.
namespace dbfile {
inline const QString contacts = QStringLiteral("contacts.dat");
inline const QString calitems = QStringLiteral("calitems.dat");
inline const QString tasks = QStringLiteral("tasks.dat");
inline const QString timetable = QStringLiteral("timetable.dat");
inline const QString subjects = QStringLiteral("subjects.dat");
inline const QString categories = QStringLiteral("categories.dat");
inline const QString memocategories = QStringLiteral("memocategories.dat");
inline const QString dbversion = QStringLiteral("dbversion.dat");
inline const QString subjfname = QStringLiteral("subjfname.dat");
inline const QString custommelodies = QStringLiteral("custommelodies.dat");
} // namespace dbfile

// Folders inside the database folder, created with it.
namespace dbfolder {
inline const QString photos = QStringLiteral("photos");
inline const QString subjects = QStringLiteral("subjects");
inline const QString memos = QStringLiteral("memos");
} // namespace dbfolder

// A problem with a file, for the user. `format` is English with "%s" places
// (and '#' for line breaks) so a caller can translate it before filling in.
struct DbMessage
{
    QString format;
    QStringList args;
    QString text() const; // the format with the args filled in
};
using DbReporter = std::function<void(const DbMessage &)>;

// The message of a file that is there but cannot be read: its path, the reason.
inline const QString unreadablefile =
    QStringLiteral("Unable to read %s:#%s##Changes to it will not be saved until it can be read again.");

// How logic without a window talks to the user: error messages (caption
// "Error") and yes/no questions (true for Yes). Texts are English and are
// translated by whoever shows them.
struct DbPrompts
{
    DbReporter error;
    std::function<bool(const QString &question)> confirm;
};

// The bytes of a record file holding every record of `records` whose key is
// not empty (every lesson), in order.
template <class Rec>
QByteArray encoderecords(const std::vector<Rec> &records)
{
    qsizetype count = 0;
    for (const Rec &r : records)
        count += r.stored() ? 1 : 0;
    QByteArray data(count * Rec::size, Qt::Uninitialized);
    char *out = data.data();
    for (const Rec &r : records) {
        if (!r.stored())
            continue;
        r.encode(out);
        out += Rec::size;
    }
    return data;
}

// The database folder below an application-data folder: "<appdata>/Quillmoter/".
// Without an application-data folder the user's home folder takes its place.
QString dbpathfor(const QString &appdata);
// The database folder of the current user.
QString defaultdbpath();

// What changed: one kind per file (both category lists are one kind), the
// notes folder, and the name-day list in use.
enum class DbKind { contacts, calendar, tasks, timetable, subjects, categories, notes, melodies, namedays };

class Database : public QObject
{
    Q_OBJECT

public:
    // `dbpath` ends with a '/'; file names are appended to it directly.
    explicit Database(QString dbpath, DbReporter reporter = {});

    const QString &dbpath() const { return dbpath_; }
    QString path(const QString &name) const { return dbpath_ + name; }
    void setreporter(DbReporter reporter) { reporter_ = std::move(reporter); }
    // Sends a message to the reporter, or keeps it while reports are held.
    void reporterror(const DbMessage &message);
    // Keeps reports back (a start, a reminder's save) until the matching
    // releasereports(), which hands over all kept so far when the outermost
    // hold ends, so they can be shown together at a better moment.
    void holdreports();
    QList<DbMessage> releasereports();

    // Removes what saves of the database's files (and of `othernames`) left
    // behind when the program was killed between writing and renaming.
    void removeleftovers(const QStringList &othernames = {});

    // Creates the folder and its "photos", "subjects" and "memos" folders
    // where missing. False (reported) when one cannot be made.
    bool createfolders();

    std::vector<TContactRec> contacts;
    std::vector<TCalItemRec> calitems;
    std::vector<TTaskRec> tasks;
    std::vector<TLessonRec> timetable;
    std::vector<TSubjectRec> subjects;
    // Rows of the two category lists, sorted ignoring case, with the default
    // category's caption among them (loadcategories).
    QStringList taskcategories;
    QStringList memocategories;
    // Lines of "custommelodies.dat": custom melody k is melody number 5 + k.
    QStringList custommelodies;

    // The name-day list in use: one line per day of the year (see
    // getnameday); empty when none could be loaded.
    QStringList namedays;
    void setnamedays(const QStringList &lines);

    // Names of the subjects a new "subjects.dat" gets, in the program language.
    QStringList defaultsubjects;
    // The caption of the default category in the program language; it is
    // shown in the category lists but never stored.
    QString unfiled = QStringLiteral("Unfiled");

    // Loads every record and list file, as start-up and a backup import do,
    // then emits reloaded(). While it runs, loading() is true.
    void loadall();
    bool loading() const { return loading_; }

    // Each load empties its array and reads the file whole, in file order.
    // Only a file that does not exist is missing: a folder, a FIFO, a link
    // loop or a file too large is reported and left as it is. A missing
    // file is created empty (the timetable gets the default lessons,
    // the subjects the default list). A file that cannot be read is reported,
    // keeps what was read before the failure, and is not saved over until a
    // later load of it succeeds. False when something was reported.
    bool loadcontacts();
    bool loadcalitems();
    bool loadtasks();
    bool loadtimetable();
    bool loadsubjects();

    // Each save writes every record whose key is not empty (every lesson), in
    // array order, replacing the file only when all of it is written.
    // False when it was not saved (reported, unless the file is read-only
    // after a failed load, which was reported then).
    bool savecontacts();
    bool savecalitems();
    bool savetasks();
    bool savetimetable();
    bool savesubjects();

    // Replaces the timetable with the default lessons and saves it.
    bool defaulttimetable();

    // Text list files (categories, custom melodies): one line each, CR LF.
    bool listexists(const QString &filename) const;
    // The lines of a list file; empty when it is missing or cannot be read
    // (reported, and then not saved over).
    QStringList loadlist(const QString &filename);
    bool savelist(const QString &filename, const QStringList &lines);
    // Writes the category rows except the default category's caption (an
    // exact comparison).
    bool savecategories(const QStringList &rows, const QString &filename);

    // Rebuilds category rows from their file: its lines, or, when the file is
    // missing, the rows as they were (written to a new file); then the default
    // category's caption once, all sorted ignoring case.
    void loadcategories(const QString &filename, QStringList &rows);

    // "custommelodies.dat": loaded when it exists, else created empty.
    void loadcustommelodies();

    // "dbversion.dat": the first line of the file.
    bool hasversionfile() const;
    std::optional<QString> readversion(QString *error = nullptr) const;
    bool writeversion(); // exactly currentdbversion, no line break

    // True after a failed load of that file, until a load of it succeeds.
    bool readonly(const QString &filename) const { return readonly_.contains(filename); }

    // Tells the views that something of `kind` changed in memory (the notes
    // folder, say, which no load or save here touches).
    void tell(DbKind kind) { emit changed(kind); }

signals:
    // After every load and save of that kind (saved or not: memory changed).
    void changed(DbKind kind);
    // After loadall(): views go back to their state at start-up.
    void reloaded();

private:
    enum class Found { missing, plain, unusable };
    // What lies at the file's path; an unusable one is reported (loadfailed).
    Found examine(const QString &filename);
    template <class Rec>
    bool loadrecords(const QString &filename, std::vector<Rec> &out, bool skipempty);
    template <class Rec>
    bool loadorcreate(const QString &filename, std::vector<Rec> &out);
    template <class Rec>
    bool saverecords(const QString &filename, const std::vector<Rec> &records);
    bool createempty(const QString &filename);
    bool savebytes(const QString &filename, const QByteArray &data);
    void loadfailed(const QString &filename, const QString &reason);
    void report(const QString &format, const QStringList &args);
    bool told(DbKind kind, bool ok);

    QString dbpath_;
    DbReporter reporter_;
    QSet<QString> readonly_;
    bool loading_ = false;
    int holds_ = 0;
    QList<DbMessage> held_;
};
