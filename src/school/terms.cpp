#include "school/terms.h"

#include "database/database.h"
#include "database/journal.h"
#include "database/recordrules.h"
#include "platform/ansi.h"
#include "platform/collate.h"
#include "platform/filenames.h"
#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString termsuffix = QStringLiteral(".dat");

// A term name the user typed: blank is no name at all; otherwise it must
// stand as a file name and survive "subjfname.dat", which holds windows-1250.
TermOutcome checkname(const QString &name, TermError &error)
{
    if (name.trimmed().isEmpty())
        return TermOutcome::declined;
    if (hasforbiddencharacters(name)) {
        error = {forbiddennamemessage, {}};
        return TermOutcome::failed;
    }
    if (!isvalidfilename(name, termsuffix)) {
        error = {toolongnamemessage, {}};
        return TermOutcome::failed;
    }
    if (!ansi::unstorable(name).isEmpty()) {
        error = {ansi::unstorablemessage, {ansi::unstorablechars(name)}};
        return TermOutcome::failed;
    }
    return TermOutcome::done;
}

// A term's file by its name inside the database folder.
QString termname(const QString &name)
{
    return dbfolder::subjects + QLatin1Char('/') + name + termsuffix;
}

std::optional<QByteArray> readterm(const QString &path, TermError &error)
{
    QString reason;
    std::optional<QByteArray> data = wholefile::read(path, &reason, wholefile::recordlimit);
    if (!data)
        error = {QStringLiteral("Unable to read %s:#%s"), {QDir::toNativeSeparators(path), reason}};
    return data;
}

bool commit(journal::FileChange &change, TermError &error)
{
    QString reason;
    if (change.commit(&reason))
        return true;
    error = {Terms::changefailed, {reason}};
    return false;
}

} // namespace

Terms::Terms(Database &db, QString previousterm) : db_(db), previousterm_(std::move(previousterm)) {}

std::optional<QString> Terms::getsubjfname(TermError *error) const
{
    const QString path = db_.path(subjfnamefile);
    QString name = previousterm_;
    if (QFileInfo::exists(path)) {
        QString reason;
        const std::optional<QStringList> lines = wholefile::readlines(path, &reason);
        if (!lines) {
            if (error)
                *error = {QStringLiteral("Unable to read %s:#%s"), {QDir::toNativeSeparators(path), reason}};
            return std::nullopt;
        }
        if (!lines->isEmpty())
            name = lines->front();
    }
    // A backup or a language file can carry any text; it must not become a
    // path outside the terms' folder.
    if (isvalidfilename(name, termsuffix))
        return name;
    const QString safe = safefilename(name, termsuffix);
    if (!safe.isEmpty())
        return safe;
    const QString caption = safefilename(previousterm_, termsuffix);
    return caption.isEmpty() ? QStringLiteral("Previous term") : caption;
}

bool Terms::setsubjfname(const QString &name, TermError *error)
{
    const QString path = db_.path(subjfnamefile);
    QString reason;
    if (wholefile::save(path, wholefile::joinlines({name}), &reason))
        return true;
    if (error)
        *error = {QStringLiteral("Unable to save %s:#%s"), {QDir::toNativeSeparators(path), reason}};
    return false;
}

QString Terms::termpath(const QString &name) const
{
    return db_.path(termname(name));
}

bool Terms::termexists(const QString &name) const
{
    return QFileInfo(termpath(name)).isFile();
}

QStringList Terms::termlist() const
{
    QStringList list;
    const QDir folder(db_.path(dbfolder::subjects));
    for (const QString &file : folder.entryList({QLatin1Char('*') + termsuffix}, QDir::Files | QDir::Hidden))
        list << file.chopped(termsuffix.size());
    const std::optional<QString> open = getsubjfname();
    if (open && !list.contains(*open))
        list << *open;
    sortalphabetically(list);
    return list;
}

TermOutcome Terms::newterm(const QString &name, const std::function<bool()> &overwrite, TermError &error)
{
    if (const TermOutcome checked = checkname(name, error); checked != TermOutcome::done)
        return checked;
    const std::optional<QString> open = getsubjfname(&error);
    if (!open)
        return TermOutcome::failed;
    const std::optional<QByteArray> stored = readterm(db_.path(dbfile::subjects), error);
    if (!stored)
        return TermOutcome::failed;
    // The open term is stored whatever the answer; its own name counts as
    // taken, since storing it makes its file.
    if ((name == *open || termexists(name)) && !overwrite()) {
        QString reason;
        if (!wholefile::save(termpath(*open), *stored, &reason)) {
            error = {QStringLiteral("Unable to save %s:#%s"), {QDir::toNativeSeparators(termpath(*open)), reason}};
            return TermOutcome::failed;
        }
        return TermOutcome::declined;
    }
    // The open term stored, the new name and the cleared marks: one change.
    std::vector<TSubjectRec> cleared = db_.subjects;
    for (TSubjectRec &subject : cleared)
        newsubject(subject, subject.name);
    journal::FileChange change(db_.dbpath(), journal::Kind::terms);
    change.write(termname(*open), *stored);
    change.write(subjfnamefile, wholefile::joinlines({name}));
    change.write(dbfile::subjects, encoderecords(cleared));
    if (!commit(change, error))
        return TermOutcome::failed;
    db_.loadsubjects();
    return TermOutcome::done;
}

TermOutcome Terms::loadterm(const QString &name, TermError &error)
{
    const std::optional<QString> open = getsubjfname(&error);
    if (!open)
        return TermOutcome::failed;
    if (name == *open)
        return TermOutcome::declined;
    const std::optional<QByteArray> current = readterm(db_.path(dbfile::subjects), error);
    if (!current)
        return TermOutcome::failed;
    const std::optional<QByteArray> chosen = readterm(termpath(name), error);
    if (!chosen)
        return TermOutcome::failed;
    // The open term stored, the chosen one opened and named: one change,
    // or a later switch would store one term's marks over another's.
    journal::FileChange change(db_.dbpath(), journal::Kind::terms);
    change.write(termname(*open), *current);
    change.write(dbfile::subjects, *chosen);
    change.write(subjfnamefile, wholefile::joinlines({name}));
    if (!commit(change, error))
        return TermOutcome::failed;
    db_.loadsubjects();
    return TermOutcome::done;
}

TermOutcome Terms::renameterm(const QString &from, const QString &to, const QStringList &listed, TermError &error)
{
    if (const TermOutcome checked = checkname(to, error); checked != TermOutcome::done)
        return checked;
    if (termexists(to) || listed.contains(to)) {
        error = {existsmessage, {}};
        return TermOutcome::failed;
    }
    const std::optional<QString> open = getsubjfname(&error);
    if (!open)
        return TermOutcome::failed;
    const bool moved = termexists(from);
    if (from == *open && moved) {
        // The open term's file and its name move together.
        journal::FileChange change(db_.dbpath(), journal::Kind::terms);
        change.move(termname(from), termname(to));
        change.write(subjfnamefile, wholefile::joinlines({to}));
        return commit(change, error) ? TermOutcome::done : TermOutcome::failed;
    }
    if (moved) {
        QFile file(termpath(from));
        if (!file.rename(termpath(to))) {
            error = {QStringLiteral("Unable to rename %s:#%s"),
                     {QDir::toNativeSeparators(termpath(from)), file.errorString()}};
            return TermOutcome::failed;
        }
    }
    if (from == *open && !setsubjfname(to, &error))
        return TermOutcome::failed;
    return TermOutcome::done;
}

TermOutcome Terms::deleteterm(const QString &name, const std::function<bool()> &confirm, TermError &error)
{
    const std::optional<QString> open = getsubjfname(&error);
    if (!open)
        return TermOutcome::failed;
    if (name == *open) {
        error = {openmessage, {}};
        return TermOutcome::failed;
    }
    if (!confirm())
        return TermOutcome::declined;
    QFile file(termpath(name));
    if (file.exists() && !file.remove()) {
        error = {QStringLiteral("Unable to delete %s:#%s"), {QDir::toNativeSeparators(termpath(name)), file.errorString()}};
        return TermOutcome::failed;
    }
    return TermOutcome::done;
}
