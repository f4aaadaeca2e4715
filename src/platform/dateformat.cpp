#include "platform/dateformat.h"

#include <cstdlib>

namespace {

QString twodigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// One run of `count` letters `letter` (already lower case).
QString field(QChar letter, qsizetype count, QDate date, const QLocale &locale)
{
    if (letter == QLatin1Char('d')) {
        switch (count) {
        case 1: return QString::number(date.day());
        case 2: return twodigits(date.day());
        case 3: return locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
        default: return locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
        }
    }
    if (letter == QLatin1Char('m')) {
        switch (count) {
        case 1: return QString::number(date.month());
        case 2: return twodigits(date.month());
        case 3: return locale.monthName(date.month(), QLocale::ShortFormat);
        default: return locale.monthName(date.month(), QLocale::LongFormat);
        }
    }
    // 'y'. The remainder of a negative year is negative; the digits are what matter.
    if (count <= 2)
        return twodigits(std::abs(date.year() % 100));
    return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

} // namespace

QString formatdate(const QString &pattern, QDate date, const QLocale &locale)
{
    if (!date.isValid())
        return {};
    QString out;
    const qsizetype n = pattern.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Quoted text; an unclosed quote runs to the end.
            qsizetype close = pattern.indexOf(c, i + 1);
            if (close < 0)
                close = n;
            out += QStringView(pattern).mid(i + 1, close - i - 1);
            i = close + 1;
            continue;
        }
        const QChar letter = c.toLower();
        if (letter == QLatin1Char('d') || letter == QLatin1Char('m') || letter == QLatin1Char('y')) {
            qsizetype end = i + 1;
            while (end < n && pattern.at(end).toLower() == letter)
                ++end;
            out += field(letter, end - i, date, locale);
            i = end;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

const QStringList &dateformats()
{
    static const QStringList formats = {
        QStringLiteral("dddd, d. mmmm yyyy"), QStringLiteral("dddd, d. mmmm"),
        QStringLiteral("d. mmmm yyyy"),       QStringLiteral("d. mmmm"),
        QStringLiteral("d.mm.yyy"),           QStringLiteral("d.mm"),
        QStringLiteral("dddd, mmmm dd, yyyy"), QStringLiteral("dddd, mmmm dd"),
        QStringLiteral("mmmm dd, yyyy"),      QStringLiteral("mmmm dd"),
        QStringLiteral("mm/dd/yyyy"),         QStringLiteral("mm/dd"),
        QStringLiteral("yyyy/mm/dd"),         QStringLiteral("mm-dd-yyyy"),
        QStringLiteral("mm-dd"),              QStringLiteral("yyyy-mm-dd"),
    };
    return formats;
}

qsizetype dateformatindex(const QString &pattern)
{
    const QStringList &formats = dateformats();
    for (qsizetype i = 0; i < formats.size(); ++i) {
        if (formats.at(i).compare(pattern, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
