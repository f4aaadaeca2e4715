#pragma once
// Dates as the data files hold them: whole days since 30 December 1899, with
// the time of day as the fraction. Before that day the whole part counts back
// and the fraction still runs forward (-1.25 is 29 December 1899, 6:00).

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace daynumber {

double fromdate(QDate date);               // midnight of `date`; NaN for an invalid date
double fromdatetime(const QDateTime &when);  // local date and time
double fraction(QTime time);               // part of the day, 0 <= f < 1

// Invalid results for NaN, infinities and numbers outside QDate's range.
QDate todate(double days);                 // the whole part, cut towards zero
QTime totime(double days);                 // the fraction, to the millisecond
QDateTime todatetime(double days);

} // namespace daynumber
