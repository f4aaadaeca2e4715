#pragma once
// What the version text of a database folder means for this program.

#include <QString>

// The version this program writes and reads without upgrading.
inline const QString currentdbversion = QStringLiteral("2.1");

enum class DbVersion {
    current,    // currentdbversion: open it
    older,      // written by an older version: needs an upgrade
    newer,      // written by a newer version (or reads as 2.1 without being "2.1")
    unreadable, // not a version number
};

// Classifies the first line of "dbversion.dat".
DbVersion checkdbversion(const QString &text);

// Messages of the version check ("#" is a line break).
inline const QString dbversionmissing = QStringLiteral(
    "Unable to determine database version, it is probably not in selected folder or it is damaged.");
inline const QString dbversiondamaged =
    QStringLiteral("Unable to determine database version, it is probably damaged.");
QString dbversionnewer(); // names the page to get the new version from
