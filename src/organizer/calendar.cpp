#include "organizer/calendar.h"

#include "platform/dateformat.h"
#include "platform/daynumber.h"
#include "platform/fonts.h"
#include "platform/hashtext.h"

#include <QHash>

namespace {

bool repetitionflag(const QString &text, int position)
{
    return position < text.size() && text.at(position) == QLatin1Char('1');
}

} // namespace

bool occurstoday(const TCalItemRec &record, QDate date)
{
    if (record.text.isEmpty())
        return false;
    const QString &repetition = record.repetition;
    if (repetition == QLatin1String("0"))
        return daynumber::todate(record.date) == date;
    if (repetition.isEmpty())
        return false;
    if (repetition.at(0) == QLatin1Char('w'))
        return repetitionflag(repetition, date.dayOfWeek());
    if (repetition.at(0) == QLatin1Char('m') && repetitionflag(repetition, date.month())) {
        const QDate own = daynumber::todate(record.date);
        return own.isValid() && own.day() == date.day();
    }
    return false;
}

QList<int> dayrecords(const std::vector<TCalItemRec> &calitems, QDate date)
{
    QList<int> rows;
    for (int i = 0; i < int(calitems.size()); ++i) {
        if (occurstoday(calitems[i], date))
            rows << i;
    }
    return rows;
}

QList<bool> dayswithrecords(const std::vector<TCalItemRec> &calitems, QDate first, QDate last)
{
    const qint64 span = first.daysTo(last) + 1;
    QList<bool> marked(span > 0 ? span : 0, false);
    if (marked.isEmpty())
        return marked;
    std::array<bool, 8> weekdays{};   // ISO weekday -> some weekly record
    std::array<std::array<bool, 32>, 13> monthdays{}; // month, day -> some monthly record
    for (const TCalItemRec &r : calitems) {
        if (r.text.isEmpty())
            continue;
        const QString &rep = r.repetition;
        if (rep == QLatin1String("0")) {
            const qint64 at = first.daysTo(daynumber::todate(r.date));
            if (daynumber::todate(r.date).isValid() && at >= 0 && at < span)
                marked[at] = true;
        } else if (!rep.isEmpty() && rep.at(0) == QLatin1Char('w')) {
            for (int d = 1; d <= 7; ++d)
                weekdays[d] = weekdays[d] || repetitionflag(rep, d);
        } else if (!rep.isEmpty() && rep.at(0) == QLatin1Char('m')) {
            const QDate own = daynumber::todate(r.date);
            if (!own.isValid())
                continue;
            for (int m = 1; m <= 12; ++m) {
                if (repetitionflag(rep, m))
                    monthdays[m][own.day()] = true;
            }
        }
    }
    QDate day = first;
    for (qint64 i = 0; i < span; ++i, day = day.addDays(1))
        marked[i] = marked[i] || weekdays[day.dayOfWeek()] || monthdays[day.month()][day.day()];
    return marked;
}

QString hhmm(int time)
{
    return QString::number(time / 100) + QLatin1Char(':') + QStringLiteral("%1").arg(time % 100, 2, 10, QLatin1Char('0'));
}

QString calcaption(const TCalItemRec &record)
{
    const QString title = firsthashpart(record.text);
    const qint8 mode = qint8(record.timemode);
    if (mode <= 0)
        return title;
    if (mode == 1)
        return hhmm(record.timefrom) + QLatin1Char(' ') + title;
    return hhmm(record.timefrom) + QStringLiteral(" - ") + hhmm(record.timeto) + QLatin1Char(' ') + title;
}

int itemimageindex(int icon, bool remind)
{
    if (icon < 0 || icon >= calendariconcount)
        icon = 0;
    return 2 * icon + (remind ? 1 : 0);
}

quint32 htmltocolor(const QString &text)
{
    const QString hex = text.startsWith(QLatin1Char('#')) ? text.mid(1) : text;
    if (hex.size() != 6)
        return 0;
    bool ok = false;
    const uint rgb = hex.toUInt(&ok, 16);
    if (!ok)
        return 0;
    const quint32 red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    return red + green * 256 + blue * 65536;
}

QString firsttwochars(const QString &text)
{
    return text.left(2);
}

int nextmonth(int month)
{
    return month < 12 ? month + 1 : 1;
}

std::pair<int, int> addmonths(int month, int year, int count)
{
    const int index = year * 12 + (month - 1) + count;
    const int newyear = index >= 0 ? index / 12 : -((-index + 11) / 12);
    return {index - newyear * 12 + 1, newyear};
}

int weekdaycolumn(QDate date, int weekstarts)
{
    const int iso = date.dayOfWeek(); // Monday 1 .. Sunday 7
    return weekstarts == 0 ? iso - 1 : iso % 7;
}

QPoint calgeometry::daycell(int block, int day, int firstcolumn)
{
    const int index = firstcolumn + day - 1;
    return {15 + 25 * (index % 7), block * blockheight + 95 + 20 * (index / 7)};
}

std::optional<QDate> calendarhit(QPoint pos, int month, int year, int weekstarts, int blocks)
{
    // Day rows start 90 pixels into a block; the bar and the weekday
    // initials above them select nothing.
    const int y = pos.y() - 90;
    const int x = pos.x() - 15;
    if (y < 0 || x < 0)
        return std::nullopt;
    const int block = y / calgeometry::blockheight;
    if (block >= blocks)
        return std::nullopt;
    const int row = (y - block * calgeometry::blockheight) / 20;
    const int column = x / 25;
    if (column > 6)
        return std::nullopt;
    const auto [m, yr] = addmonths(month, year, block);
    const QDate first(yr, m, 1);
    const int day = 7 * row + column + 1 - weekdaycolumn(first, weekstarts);
    if (day < 1 || day > first.daysInMonth())
        return std::nullopt;
    return QDate(yr, m, day);
}

QString weeklyrepetition(const std::array<bool, 7> &mondayfirst)
{
    QString text = QStringLiteral("w");
    for (bool f : mondayfirst)
        text += f ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

QString monthlyrepetition(const std::array<bool, 12> &months)
{
    QString text = QStringLiteral("m");
    for (bool f : months)
        text += f ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

std::array<bool, 7> weekflags(const QString &repetition)
{
    std::array<bool, 7> flags{};
    if (repetition.contains(QLatin1Char('w'))) {
        for (int d = 0; d < 7; ++d)
            flags[d] = repetitionflag(repetition, d + 1);
    }
    return flags;
}

std::array<bool, 12> monthflags(const QString &repetition)
{
    std::array<bool, 12> flags{};
    if (repetition.contains(QLatin1Char('m'))) {
        for (int m = 0; m < 12; ++m)
            flags[m] = repetitionflag(repetition, m + 1);
    }
    return flags;
}

QString birthdaytext(const std::vector<TContactRec> &contacts, QDate date, const QString &nobody)
{
    QString text;
    for (const TContactRec &c : contacts) {
        if (c.name.isEmpty() || c.birthday != date.day() || c.birthmonth != date.month())
            continue;
        text += c.name.text();
        if (c.birthyear != 0)
            text += QLatin1Char('(') + QString::number(date.year() - c.birthyear) + QLatin1Char(')');
        text += QStringLiteral(", ");
    }
    text.chop(2);
    return text.isEmpty() ? nobody : text;
}

calgeometry::CalendarFonts calgeometry::calendarfonts(const QLocale &locale)
{
    static QHash<QString, CalendarFonts> made;
    if (const auto found = made.constFind(locale.name()); found != made.constEnd())
        return *found;
    QStringList samples;
    for (int day = 1; day <= 7; ++day)
        samples << firsttwochars(locale.dayName(day, QLocale::ShortFormat));
    for (int day = 10; day <= 31; ++day)
        samples << QString::number(day);
    // Size 11 of the painted months is about 15 pixels.
    const QFont bold = fittingfont(condensedfont(15, true), samples, calcolumntext);
    QFont regular = bold;
    regular.setBold(false);
    const CalendarFonts fonts{regular, bold};
    made.insert(locale.name(), fonts);
    return fonts;
}

QList<DayEntry> sevendayentries(const std::vector<TCalItemRec> &calitems, QDate today)
{
    QList<DayEntry> entries;
    for (int n = 0; n < 7; ++n) {
        const QDate day = today.addDays(n);
        const QList<int> records = dayrecords(calitems, day);
        if (n > 0 && !records.isEmpty()) {
            entries.push_back({});
            entries.push_back({-1, day});
        }
        for (int record : records)
            entries.push_back({record, QDate()});
    }
    return entries;
}

DayRow dayrow(const std::vector<TCalItemRec> &calitems, const DayEntry &entry, const QString &dateformat)
{
    if (entry.record >= 0 && entry.record < int(calitems.size())) {
        const TCalItemRec &r = calitems[size_t(entry.record)];
        return {calcaption(r), itemimageindex(r.icon, r.remind), false};
    }
    if (entry.heading.isValid())
        return {formatdate(dateformat, entry.heading), -1, true};
    return {};
}

QList<DayRow> sevendayrows(const std::vector<TCalItemRec> &calitems, QDate today, const QString &dateformat)
{
    QList<DayRow> rows;
    const QList<DayEntry> entries = sevendayentries(calitems, today);
    rows.reserve(entries.size());
    for (const DayEntry &entry : entries)
        rows.push_back(dayrow(calitems, entry, dateformat));
    return rows;
}
