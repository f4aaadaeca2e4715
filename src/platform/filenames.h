#pragma once
// Names the user gives to things kept as files in the data folder (terms,
// notes, categories). Such a name becomes part of a path, so it must never
// reach outside its folder or be refused by the file system.

#include <QString>

// Characters a name may not hold: path separators, wildcards, quotes, and the
// point, which separates a note's category from its name.
inline const QString forbiddennamechars = QStringLiteral("\\/:*?\"<>|.");
inline const QString forbiddennamemessage =
    QStringLiteral("This name cannot contain following characters: \\ / : * ? \" < > | .");

// The longest file name the file system takes, in bytes of UTF-8.
inline constexpr qsizetype maxfilenamebytes = 255;
inline const QString toolongnamemessage =
    QStringLiteral("This name is too long to be stored as a file, please enter a shorter one.");

// Whether `text` holds a forbidden or control character.
bool hasforbiddencharacters(const QString &text);

// Whether `name` can stand as a file name followed by `suffix`: not blank
// after trimming, none of the forbidden or control characters, and, with the
// suffix, within the file system's 255 bytes.
bool isvalidfilename(const QString &name, const QString &suffix = {});

// `name` made valid: each forbidden or control character becomes "_" and the
// result is trimmed and cut to fit; empty when nothing valid is left.
QString safefilename(const QString &name, const QString &suffix = {});
