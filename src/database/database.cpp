#include "database/database.h"

#include "database/recordrules.h"
#include "platform/ansi.h"
#include "platform/collate.h"
#include "platform/folders.h"
#include "platform/wholefile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Records are read this many at a time, so a large file needs no second
// copy in memory and a read failure keeps the records before it.
constexpr qsizetype readchunk = 256;

} // namespace

QString DbMessage::text() const
{
    QString out;
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format.at(i) == QLatin1Char('%') && i + 1 < format.size()
            && format.at(i + 1) == QLatin1Char('s') && next < args.size()) {
            out += args.at(next++);
            ++i;
        } else {
            out += format.at(i);
        }
    }
    return out;
}

QString dbpathfor(const QString &appdata)
{
    QString base = appdata;
    if (base.isEmpty())
        base = QDir::homePath();
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + QStringLiteral("Quillmoter/");
}

QString defaultdbpath()
{
    return dbpathfor(getspecialfolder(folders::CSIDL_APPDATA));
}

Database::Database(QString dbpath, DbReporter reporter)
    : QObject(nullptr), defaultsubjects(defaultsubjectlist()), dbpath_(std::move(dbpath)), reporter_(std::move(reporter))
{
    if (!dbpath_.endsWith(QLatin1Char('/')))
        dbpath_ += QLatin1Char('/');
}

void Database::report(const QString &format, const QStringList &args)
{
    reporterror({format, args});
}

void Database::reporterror(const DbMessage &message)
{
    if (holds_ > 0)
        held_ << message;
    else if (reporter_)
        reporter_(message);
    else
        qWarning().noquote() << message.text();
}

void Database::holdreports()
{
    ++holds_;
}

QList<DbMessage> Database::releasereports()
{
    if (holds_ > 0 && --holds_ > 0)
        return {};
    return std::exchange(held_, {});
}

void Database::removeleftovers(const QStringList &othernames)
{
    QStringList ours = {dbfile::contacts, dbfile::calitems, dbfile::tasks, dbfile::timetable,
                        dbfile::subjects, dbfile::categories, dbfile::memocategories, dbfile::dbversion,
                        dbfile::subjfname, dbfile::custommelodies};
    ours << othernames;
    const QStringList names = QDir(dbpath_).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        for (const QString &target : std::as_const(ours)) {
            // Only plain files: a link of that name leads somewhere else.
            if (wholefile::isleftover(name, target) && !QFileInfo(path(name)).isSymLink()) {
                QFile::remove(path(name));
                break;
            }
        }
    }
}

bool Database::createfolders()
{
    // The folder above may be missing on a new account, so the database
    // folder itself is made with its parents.
    const QString folders[] = {dbpath_, path(dbfolder::photos), path(dbfolder::subjects),
                               path(dbfolder::memos)};
    for (const QString &folder : folders) {
        if (QFileInfo(folder).isDir())
            continue;
        if (!QDir().mkpath(folder)) {
            report(QStringLiteral("Unable to create the folder %s."), {QDir::toNativeSeparators(folder)});
            return false;
        }
    }
    return true;
}

void Database::loadfailed(const QString &filename, const QString &reason)
{
    readonly_.insert(filename);
    report(unreadablefile, {QDir::toNativeSeparators(path(filename)), reason});
}

bool Database::savebytes(const QString &filename, const QByteArray &data)
{
    if (readonly(filename))
        return false;
    QString reason;
    if (!wholefile::save(path(filename), data, &reason)) {
        report(QStringLiteral("Unable to save %s:#%s"), {QDir::toNativeSeparators(path(filename)), reason});
        return false;
    }
    return true;
}

bool Database::createempty(const QString &filename)
{
    return savebytes(filename, QByteArray());
}

template <class Rec>
bool Database::loadrecords(const QString &filename, std::vector<Rec> &out, bool skipempty)
{
    out.clear();
    QFile file;
    QString reason;
    if (!wholefile::openplain(file, path(filename), wholefile::recordlimit, &reason)) {
        loadfailed(filename, reason);
        return false;
    }
    // A trailing piece shorter than one record is ignored.
    const qsizetype count = file.size() / Rec::size;
    out.reserve(count);
    QByteArray buffer(readchunk * Rec::size, Qt::Uninitialized);
    for (qsizetype done = 0; done < count;) {
        const qsizetype n = std::min(readchunk, count - done);
        const qint64 want = n * Rec::size;
        if (file.read(buffer.data(), want) != want) {
            loadfailed(filename, file.error() != QFileDevice::NoError
                                     ? file.errorString()
                                     : QStringLiteral("The file ended early."));
            return false;
        }
        for (qsizetype i = 0; i < n; ++i) {
            Rec r = Rec::decode(buffer.constData() + i * Rec::size);
            if (!skipempty || r.stored())
                out.push_back(std::move(r));
        }
        done += n;
    }
    readonly_.remove(filename);
    return true;
}

template <class Rec>
bool Database::saverecords(const QString &filename, const std::vector<Rec> &records)
{
    if (readonly(filename))
        return false;
    return savebytes(filename, encoderecords(records));
}

template <class Rec>
bool Database::loadorcreate(const QString &filename, std::vector<Rec> &out)
{
    switch (examine(filename)) {
    case Found::missing:
        out.clear();
        readonly_.remove(filename);
        return createempty(filename);
    case Found::unusable:
        out.clear();
        return false;
    case Found::plain:
        break;
    }
    return loadrecords(filename, out, false);
}

Database::Found Database::examine(const QString &filename)
{
    QString reason;
    switch (wholefile::examine(path(filename), &reason)) {
    case wholefile::PathKind::missing:
        return Found::missing;
    case wholefile::PathKind::plain:
        return Found::plain;
    case wholefile::PathKind::other:
        break;
    }
    loadfailed(filename, reason);
    return Found::unusable;
}

bool Database::told(DbKind kind, bool ok)
{
    emit changed(kind);
    return ok;
}

void Database::setnamedays(const QStringList &lines)
{
    namedays = lines;
    emit changed(DbKind::namedays);
}

void Database::loadall()
{
    loading_ = true;
    loadcontacts();
    loadcalitems();
    loadsubjects();
    loadtasks();
    loadcategories(dbfile::categories, taskcategories);
    loadcategories(dbfile::memocategories, memocategories);
    loadtimetable();
    loading_ = false;
    emit reloaded();
}

bool Database::loadcontacts() { return told(DbKind::contacts, loadorcreate(dbfile::contacts, contacts)); }
bool Database::loadcalitems() { return told(DbKind::calendar, loadorcreate(dbfile::calitems, calitems)); }
bool Database::loadtasks() { return told(DbKind::tasks, loadorcreate(dbfile::tasks, tasks)); }

bool Database::savecontacts() { return told(DbKind::contacts, saverecords(dbfile::contacts, contacts)); }
bool Database::savecalitems() { return told(DbKind::calendar, saverecords(dbfile::calitems, calitems)); }
bool Database::savetasks() { return told(DbKind::tasks, saverecords(dbfile::tasks, tasks)); }
bool Database::savetimetable() { return told(DbKind::timetable, saverecords(dbfile::timetable, timetable)); }
bool Database::savesubjects() { return told(DbKind::subjects, saverecords(dbfile::subjects, subjects)); }

bool Database::defaulttimetable()
{
    filldefaulttimetable(timetable);
    return savetimetable();
}

bool Database::loadtimetable()
{
    bool ok = false;
    switch (examine(dbfile::timetable)) {
    case Found::plain:
        ok = loadrecords(dbfile::timetable, timetable, false);
        break;
    case Found::missing:
        readonly_.remove(dbfile::timetable);
        ok = defaulttimetable();
        break;
    case Found::unusable:
        timetable.clear();
        break;
    }
    int noselection = -1;
    sorttimetable(timetable, noselection);
    return told(DbKind::timetable, ok);
}

bool Database::loadsubjects()
{
    const Found found = examine(dbfile::subjects);
    if (found == Found::unusable) {
        subjects.clear();
        return told(DbKind::subjects, false);
    }
    if (found == Found::missing) {
        readonly_.remove(dbfile::subjects);
        subjects.clear();
        for (const QString &name : std::as_const(defaultsubjects)) {
            TSubjectRec s;
            newsubject(s, name);
            if (s.stored())
                subjects.push_back(std::move(s));
        }
        return savesubjects();
    }
    return told(DbKind::subjects, loadrecords(dbfile::subjects, subjects, true));
}

bool Database::listexists(const QString &filename) const
{
    return wholefile::examine(path(filename)) != wholefile::PathKind::missing;
}

QStringList Database::loadlist(const QString &filename)
{
    if (!listexists(filename))
        return {};
    QString reason;
    std::optional<QStringList> lines = wholefile::readlines(path(filename), &reason);
    if (!lines) {
        loadfailed(filename, reason);
        return {};
    }
    readonly_.remove(filename);
    return *lines;
}

bool Database::savelist(const QString &filename, const QStringList &lines)
{
    const bool ok = savebytes(filename, wholefile::joinlines(lines));
    if (filename == dbfile::categories || filename == dbfile::memocategories)
        emit changed(DbKind::categories);
    else if (filename == dbfile::custommelodies)
        emit changed(DbKind::melodies);
    return ok;
}

bool Database::savecategories(const QStringList &rows, const QString &filename)
{
    QStringList lines;
    for (const QString &row : rows) {
        if (row != unfiled)
            lines << row;
    }
    return savelist(filename, lines);
}

void Database::loadcategories(const QString &filename, QStringList &rows)
{
    QStringList names;
    if (listexists(filename)) {
        names = loadlist(filename);
    } else {
        for (const QString &row : std::as_const(rows)) {
            if (row != unfiled)
                names << row;
        }
        savelist(filename, names);
    }
    names << unfiled;
    sortalphabetically(names);
    rows = names;
    emit changed(DbKind::categories);
}

void Database::loadcustommelodies()
{
    if (listexists(dbfile::custommelodies)) {
        custommelodies = loadlist(dbfile::custommelodies);
        emit changed(DbKind::melodies);
    } else {
        custommelodies.clear();
        savelist(dbfile::custommelodies, custommelodies);
    }
}

bool Database::hasversionfile() const
{
    // Anything but "no such file" is left for the version check to refuse.
    return wholefile::examine(path(dbfile::dbversion)) != wholefile::PathKind::missing;
}

std::optional<QString> Database::readversion(QString *error) const
{
    return readdbversion(dbpath_, error);
}

bool Database::writeversion()
{
    return savebytes(dbfile::dbversion, ansi::encode(currentdbversion));
}
