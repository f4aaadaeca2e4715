#include "platform/daynumber.h"

#include <cmath>

namespace daynumber {
namespace {

constexpr qint64 epochjulian = 2415019; // 30 December 1899
constexpr double msecsperday = 86400000.0;
// Far beyond any date a person enters, well inside QDate and qint64.
constexpr double limit = 1e9;

bool usable(double days)
{
    return std::isfinite(days) && std::fabs(days) < limit;
}

} // namespace

double fromdate(QDate date)
{
    if (!date.isValid())
        return std::nan("");
    return double(date.toJulianDay() - epochjulian);
}

double fraction(QTime time)
{
    if (!time.isValid())
        return 0.0;
    return time.msecsSinceStartOfDay() / msecsperday;
}

double fromdatetime(const QDateTime &when)
{
    const double day = fromdate(when.date());
    const double f = fraction(when.time());
    return day >= 0 ? day + f : day - f;
}

QDate todate(double days)
{
    if (!usable(days))
        return {};
    return QDate::fromJulianDay(qint64(std::trunc(days)) + epochjulian);
}

QTime totime(double days)
{
    if (!usable(days))
        return {};
    double f = std::fabs(days - std::trunc(days));
    qint64 ms = qint64(std::llround(f * msecsperday));
    if (ms >= qint64(msecsperday))
        ms = qint64(msecsperday) - 1;
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

QDateTime todatetime(double days)
{
    const QDate d = todate(days);
    if (!d.isValid())
        return {};
    return QDateTime(d, totime(days));
}

} // namespace daynumber
