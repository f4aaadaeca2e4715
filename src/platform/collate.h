#pragma once
// Lists shown in alphabetical order sort as the user's language does and
// ignore case, as a sorted list control would ("Škola" after "Sport" in
// Czech, not after "Zahrada").

#include <QLocale>
#include <QStringList>

// Sorts `list` in place; equal names keep their order.
void sortalphabetically(QStringList &list, const QLocale &locale = QLocale());

// Where `text` goes into the alphabetically sorted `list` to keep it so:
// after every entry that sorts before it or equal to it.
qsizetype sortedplace(const QStringList &list, const QString &text, const QLocale &locale = QLocale());
