#pragma once
// Dates as text in the notation the stored "dateformat" setting and the
// "Date format:" choices use. Runs of the letters d, m and y (case ignored):
//   d     day              dd    day, two digits
//   ddd   short day name   dddd  long day name (longer runs too)
//   m     month            mm    month, two digits
//   mmm   short month name mmmm  long month name (longer runs too)
//   y, yy year, two digits yyy   year, four digits (longer runs too)
// Text in single or double quotes is copied without the quotes; every other
// character is copied as it is. Qt's own format letters differ ("mm" is
// minutes there), so these patterns never go to QDate::toString.

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

// Day and month names come from `locale` (the system's by default).
// An invalid date gives the empty text.
QString formatdate(const QString &pattern, QDate date, const QLocale &locale = QLocale::system());

// The patterns the user can choose from, in the order they are offered.
const QStringList &dateformats();
inline const QString defaultdateformat = QStringLiteral("dddd, d. mmmm yyyy");

// The index in dateformats() of the entry equal to `pattern` ignoring case,
// or -1 when there is none.
qsizetype dateformatindex(const QString &pattern);
