#include "mainwindow/lessonstatus.h"

#include "database/recordrules.h"
#include "platform/fonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

#include <cmath>

QString minutestotext(int minutes, int second, const LessonWords &words)
{
    QString text;
    int n = minutes;
    if (n >= 60) {
        text += QString::number(n / 60) + QLatin1Char(' ') + words.hours + QStringLiteral(", ");
        n %= 60;
    }
    if (n >= 1)
        text += QString::number(n) + QLatin1Char(' ') + words.minutes + QLatin1Char(' ');
    text += QString::number(59 - second) + QLatin1Char(' ') + words.seconds;
    return text;
}

LessonStatus lessonstatus(const std::vector<TLessonRec> &timetable, const QDateTime &now, int weekcode,
                          int weekstarts, bool weekendeducation, const LessonWords &words)
{
    LessonStatus s{words.nolesson, words.nolesson, words.never, words.none, -1};
    const int day = lessonday(now.date(), weekstarts, weekendeducation);
    if (!weekendeducation && (day == 6 || day == 7)) {
        s.current = s.next = s.rings = s.room = words.weekend;
        return s;
    }
    const int minute = now.time().hour() * 60 + now.time().minute();
    const int second = now.time().second();
    int n = -1;
    const int count = int(timetable.size());
    for (int i = 0; i < count; ++i) {
        const TLessonRec &l = timetable[i];
        if (l.week == weekcode && l.day == day && l.start <= minute && l.end > minute) {
            s.currentlesson = i;
            break;
        }
    }
    if (s.currentlesson >= 0) {
        const TLessonRec &l = timetable[s.currentlesson];
        if (!l.subject.isEmpty())
            s.current = l.subject;
        n = l.end - minute - 1;
        s.rings = minutestotext(n, second, words);
        const int after = s.currentlesson + 1;
        if (after < count && timetable[after].day == day && timetable[after].week == weekcode) {
            if (!timetable[after].subject.isEmpty())
                s.next = timetable[after].subject;
            if (!timetable[after].classroom.isEmpty())
                s.room = timetable[after].classroom;
        }
    } else {
        for (const TLessonRec &l : timetable) {
            if (l.week == weekcode && l.day == day && l.start > minute) {
                s.next = l.subject;
                s.room = l.classroom;
                n = l.start - minute - 1;
                s.rings = minutestotext(n, second, words);
                break;
            }
        }
        if (n > 0 && n <= 25)
            s.current = words.breaktime;
    }
    return s;
}

QPoint clockhandpoint(double angle, int divisor)
{
    const double a = angle - 1.5707963267948966;
    const int length = 120 / divisor;
    return {int(std::cos(a) * length + 60), int(std::sin(a) * length + 60)};
}

const DigitalClockFonts &digitalclockfonts()
{
    static const DigitalClockFonts fonts = [] {
        // Every digit in every place, so no time runs into the seconds.
        QStringList samples;
        for (char d = '0'; d <= '9'; ++d)
            samples << QStringLiteral("%1%1:%1%1").arg(QLatin1Char(d));
        const int room = digitalsecondsx - 20 - 2;
        return DigitalClockFonts{fittingfont(condensedfont(23, true), samples, room),
                                 fittingfont(condensedfont(10, true), {QStringLiteral("00"), QStringLiteral("88")},
                                             120 - digitalsecondsx)};
    }();
    return fonts;
}

void drawclock(QPainter &p, const QImage &face, QTime time, bool digital)
{
    p.drawImage(0, 0, face);
    drawclockhands(p, time, digital);
}

void drawclockhands(QPainter &p, QTime time, bool digital)
{
    const int h = time.hour(), m = time.minute(), s = time.second();
    if (!digital) {
        p.setPen(QPen(QColor(128, 128, 128), 2));
        p.drawLine(QPoint(60, 60), clockhandpoint(m * 0.10471975511965978, 3));
        p.drawLine(QPoint(60, 60), clockhandpoint(h * 0.5235987755982989 + m / 120.0, 4));
        p.setPen(QPen(QColor(255, 0, 0), 1));
        p.drawLine(QPoint(60, 60), clockhandpoint(s * 0.10471975511965978, 3));
    } else {
        p.setPen(Qt::white);
        p.setBrush(Qt::white);
        p.drawRect(QRect(QPoint(20, 44), QPoint(89, 53)));
        p.setPen(Qt::black);
        const DigitalClockFonts &fonts = digitalclockfonts();
        // Both texts are placed by the top of their cells.
        p.setFont(fonts.time);
        p.drawText(QPoint(20, 44 + QFontMetrics(fonts.time).ascent()), time.toString(QStringLiteral("HH:mm")));
        p.setFont(fonts.seconds);
        p.drawText(QPoint(digitalsecondsx, 48 + QFontMetrics(fonts.seconds).ascent()),
                   QStringLiteral("%1").arg(s, 2, 10, QLatin1Char('0')));
    }
}

QPixmap drawclock(const QImage &face, QTime time, bool digital)
{
    QPixmap clock(clocksize, clocksize);
    clock.fill(Qt::transparent);
    QPainter p(&clock);
    drawclock(p, face, time, digital);
    return clock;
}
