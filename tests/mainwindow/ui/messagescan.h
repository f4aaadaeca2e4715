#pragma once
// The texts of the messages, read from the sources: every text that reaches
// a lookup of the language file (a message, a question, a name dialog's
// caption, a page's own lookup), and every text argument the scan cannot
// read, so that none passes unseen.

#include <QMap>
#include <QString>
#include <QStringList>

namespace messagescan {

// Section and key as a language file matches them: case and outer blanks aside.
QString id(const QString &section, const QString &key);

// A text the program looks up, and where.
struct Use
{
    QString section, key, where;
};

// What the scan found.
struct Scan
{
    QMap<QString, Use> texts;   // id -> section, text and where it was found
    QStringList unknown;        // arguments that are neither a text nor passed on
    QStringList stale;          // entries of `passedon` that were not met
};

// Scans the sources under `sources` (the src folder).
Scan scanmessages(const QString &sources);

} // namespace messagescan
