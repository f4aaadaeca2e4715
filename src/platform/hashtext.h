#pragma once
// Multi-line texts kept in one string with '#' between the lines (record
// fields, calendar texts, the "Memos" of language files), and the name
// comparison the lists use.

#include <QString>
#include <QStringList>

// Appends the lines of a '#' text to `lines`. A piece after the last '#' is
// appended only when it is not empty: "" adds nothing, "a#" adds "a", "#a"
// adds "" and "a", "#" adds one empty line.
void hashtolines(const QString &text, QStringList &lines);

// The lines joined with '#'.
QString linestohash(const QStringList &lines);

// The lines of a multi-line text box: a line break at the very end starts
// no further line, so "a\n" is the one line "a" (as a memo's lines are).
QStringList memolines(const QString &text);

// The text before the first '#' (the whole text without one).
QString firsthashpart(const QString &text);

// True when `a` and `b` are equal, comparing the letters A to Z without
// regard to case and every other character (accented ones too) exactly.
bool sameignoringasciicase(const QString &a, const QString &b);

// True when `list` holds `name`, compared as sameignoringasciicase does.
bool nameexists(const QString &name, const QStringList &list);

// True when renaming `old` to `name` would give `list` a second row of that
// name: `list` holds `name` (as nameexists compares) and `name` is more than
// `old` in other letter case.
bool renameclashes(const QString &old, const QString &name, const QStringList &list);
