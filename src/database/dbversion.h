#pragma once
// What the version text of a database folder means for this program.

#include "platform/programversion.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The version this program writes and reads without upgrading: its own.
inline const QString currentdbversion = programversion;

enum class DbVersion {
    current,    // currentdbversion: open it
    older,      // written by an older version: needs an upgrade
    newer,      // written by a newer version (or reads as the current one without being it: "2.10")
    unreadable, // not a version number
};

// Classifies the first line of "dbversion.dat". For an older version,
// `number` receives the version the upgrade starts from ("1.9" reads as
// 1.91, "2.0" as 2.01 and "1.0 BETA" as 1.0).
DbVersion checkdbversion(const QString &text, double *number = nullptr);

// The first line of `folder` + "dbversion.dat" (up to the first line break),
// or nothing when it cannot be read (the reason in `error`).
std::optional<QString> readdbversion(const QString &folder, QString *error = nullptr);

// The first line of the version file's content.
QString dbversionline(const QByteArray &data);

// A damaged version text as a message quotes it: its first 40 printable
// characters at most.
QString quotedversion(const QString &text);

// Messages of the version check ("#" is a line break).
inline const QString dbversionmissing = QStringLiteral(
    "Unable to determine database version, it is probably not in selected folder or it is damaged.");
inline const QString dbversiondamaged =
    QStringLiteral("Unable to determine database version, it is probably damaged.");
QString dbversionnewer(); // names the page to get the new version from
