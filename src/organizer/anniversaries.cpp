#include "organizer/anniversaries.h"

#include "platform/folders.h"

namespace {

// First line of each month: its days (February always 29) plus one separator.
constexpr int monthoffsets[12] = {0, 32, 62, 94, 125, 157, 188, 220, 252, 283, 315, 346};

// Whether some year has this day (2000 is a leap year, so 29 February counts).
bool validpair(int day, int month)
{
    return QDate(2000, month, day).isValid();
}

// The date of day and month in `year`; 29 February falls on the 28th in common years.
QDate inyear(int day, int month, int year)
{
    if (month == 2 && day == 29 && !QDate::isLeapYear(year))
        return QDate(year, 2, 28);
    return QDate(year, month, day);
}

} // namespace

QString getnameday(const QStringList &anniversaries, QDate date)
{
    if (!date.isValid())
        return {};
    const int line = monthoffsets[date.month() - 1] + date.day() - 1;
    return line < anniversaries.size() ? anniversaries.at(line) : QString();
}

std::optional<QDate> nextoccurrence(int day, int month, QDate today)
{
    if (!validpair(day, month) || !today.isValid())
        return std::nullopt;
    QDate next = inyear(day, month, today.year());
    if (next < today)
        next = inyear(day, month, today.year() + 1);
    return next;
}

int countage(const TContactRec &contact, QDate today)
{
    const std::optional<QDate> next = nextoccurrence(contact.birthday, contact.birthmonth, today);
    if (!next)
        return 0;
    return next->year() - contact.birthyear - 1;
}

QString getremainingdays(Anniversary kind, const std::vector<TContactRec> &contacts, QDate today,
                         const AnniversaryCaptions &captions)
{
    qint64 best = 366;
    const TContactRec *chosen = nullptr;
    for (const TContactRec &c : contacts) {
        if (c.name.isEmpty())
            continue;
        const int day = kind == Anniversary::birthday ? c.birthday : c.nameday;
        const int month = kind == Anniversary::birthday ? c.birthmonth : c.namedaymonth;
        if (day == 0 || month == 0)
            continue;
        const std::optional<QDate> next = nextoccurrence(day, month, today);
        if (!next)
            continue;
        const qint64 n = today.daysTo(*next);
        if (n < best) {
            best = n;
            chosen = &c;
        }
    }
    if (!chosen)
        return captions.nobody;

    QString text = chosen->name;
    if (kind == Anniversary::birthday && chosen->birthyear != 0)
        text += QLatin1Char('(') + QString::number(countage(*chosen, today) + 1) + QLatin1Char(')');
    if (best > 0)
        text += QStringLiteral(", ") + captions.in + QLatin1Char(' ') + QString::number(best) + QLatin1Char(' ')
                + captions.days;
    else
        text += QStringLiteral(", ") + captions.todaytext;
    return text;
}

QString namedaytext(const QStringList &anniversaries, const std::vector<TContactRec> &contacts, QDate today,
                    const AnniversaryCaptions &captions)
{
    QString text = getnameday(anniversaries, today) + QStringLiteral(", ");
    bool first = true;
    for (const TContactRec &c : contacts) {
        if (c.name.isEmpty())
            continue;
        const std::optional<QDate> next = nextoccurrence(c.nameday, c.namedaymonth, today);
        if (!next || *next != today)
            continue;
        if (first)
            text += captions.fromcontacts + QStringLiteral(": ");
        first = false;
        text += c.name.text() + QStringLiteral(", ");
    }
    text.chop(2);
    return text;
}

QMap<QString, QString> namedaylistfiles()
{
    return folders::filesbyname(folders::programfolders(), QStringLiteral("ani"));
}
