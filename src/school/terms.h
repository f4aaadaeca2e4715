#pragma once
// Terms of marks. One term is open: its subjects are the database's subjects
// and "subjects.dat". Every other term is a copy of such a file, kept as
// "subjects/" + name + ".dat". The open term's name is the one line of
// "subjfname.dat".
//
// Every copy, move and deletion is checked: an operation whose file step
// fails stops there with an error and leaves every term's marks where they
// were. What changes several files (opening another term, starting a new
// one, renaming the open one) is one change across a crash too: the next
// start finishes it (see database/journal.h).

#include "platform/filenames.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Database;

inline const QString subjfnamefile = QStringLiteral("subjfname.dat");

// A problem for the user: a message format with "%s" places, as the message
// boxes take them.
struct TermError
{
    QString format;
    QStringList args;
};

enum class TermOutcome {
    done,
    declined, // the user said No, or there was nothing to do
    failed,   // see the error
};

class Terms
{
public:
    static inline const QString overwritequestion =
        QStringLiteral("There is already term with this name. Do you want to overwrite it?");
    static inline const QString existsmessage =
        QStringLiteral("Term with this name already exists, please enter the unique name.");
    static inline const QString openmessage = QStringLiteral("Cannot delete term which is currently opened.");
    static inline const QString deletequestion = QStringLiteral("Are you sure you want to delete selected term?");
    static inline const QString changefailed = QStringLiteral("Unable to change the terms of marks:#%s");

    // `previousterm`: the open term's name while "subjfname.dat" does not
    // exist (the translated "Previous term").
    Terms(Database &db, QString previousterm);

    // The open term's name: the first line of "subjfname.dat", or the
    // previous-term caption without that file. A stored or translated name
    // that could not stand as a file name is made into one. Nothing when the
    // file exists but cannot be read (with the reason in `error`).
    std::optional<QString> getsubjfname(TermError *error = nullptr) const;
    bool setsubjfname(const QString &name, TermError *error = nullptr);

    QString termpath(const QString &name) const;
    bool termexists(const QString &name) const;
    // The term manager's list: every stored term and the open term, in
    // alphabetical order.
    QStringList termlist() const;

    // Starts a term named `name` with the open term's subjects and no marks,
    // after storing the open term. `overwrite` is asked when a stored term of
    // that name exists; No stops with the open term stored and nothing else
    // changed.
    TermOutcome newterm(const QString &name, const std::function<bool()> &overwrite, TermError &error);
    // Stores the open term and opens `name` instead. Nothing for the open term.
    TermOutcome loadterm(const QString &name, TermError &error);
    // Renames `from` to `to`; refused when `to` is stored or among `listed`.
    TermOutcome renameterm(const QString &from, const QString &to, const QStringList &listed, TermError &error);
    // Deletes the stored term `name` when `confirm` says Yes; the open term
    // is refused.
    TermOutcome deleteterm(const QString &name, const std::function<bool()> &confirm, TermError &error);

private:
    Database &db_;
    QString previousterm_;
};
