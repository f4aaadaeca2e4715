#include "school/timetableview.h"

#include "database/recordrules.h"
#include "platform/fonts.h"
#include "platform/pictures.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double bigpoints = 10;
constexpr double smallpoints = 8;

int rowtop(int day)
{
    return day * ttrowheight + tttop;
}

// The text's top-left corner at (x, y), as the painted numbers give it.
void drawtextat(QPainter &painter, int x, int y, const QString &text)
{
    painter.drawText(QRect(x, y, 100000, 100000), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

// The outline of a rectangle from (left, top) up to, not including, (right,
// bottom): a one-pixel pen strokes a QRect one pixel beyond its size.
QRect outline(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

} // namespace

int ttround(double value)
{
    // Stored minutes can be anything; keep the result an int.
    return int(std::nearbyint(std::clamp(value, -1e9, 1e9)));
}

TtRange ttrange(QTime start, QTime end)
{
    const int first = start.isValid() ? start.hour() * 60 + start.minute() : -1;
    const int last = end.isValid() ? end.hour() * 60 + end.minute() : -1;
    if (first < 0 || last <= first)
        return {8 * 60, 18 * 60};
    return {first, last};
}

int ttminutestox(const TtView &view, int minutes)
{
    return ttround(view.lessoninpixels * double(qint64(minutes) - view.firstminute) / 60.0 + ttleft);
}

int ttxtominutes(const TtView &view, int x)
{
    return ttround((double(x) - ttleft) / view.lessoninpixels * 60.0) + view.firstminute;
}

int ttlessonx(const TtView &view, const TLessonRec &lesson, bool left)
{
    if (view.timeline())
        return ttminutestox(view, left ? lesson.start : lesson.end);
    return (lesson.number + (left ? 0 : 1)) * view.lessoninpixels + ttleft;
}

bool ttshown(const TtView &view, const TLessonRec &lesson)
{
    if (lesson.week != view.weekcode || lesson.day > view.lastrow())
        return false;
    return view.timeline() || lesson.number < view.showlessons;
}

int tthittest(const std::vector<TLessonRec> &timetable, const TtView &view, int x, int y)
{
    int hit = -1;
    for (int i = 0; i < int(timetable.size()); ++i) {
        const TLessonRec &l = timetable[i];
        // A Table lesson beyond the shown columns is not painted, so it
        // cannot be hit either.
        if (!ttshown(view, l))
            continue;
        if (rowtop(l.day) <= y && y < rowtop(l.day + 1) && ttlessonx(view, l, true) <= x
            && x < ttlessonx(view, l, false))
            hit = i;
    }
    return hit;
}

void ttdragstep(TLessonRec &inhand, const TtView &view, QPoint pos, int grabx)
{
    const qint64 length = qint64(inhand.end) - inhand.start;
    qint64 m = ttxtominutes(view, pos.x() - grabx);
    if (m + length > view.lastminute)
        m = view.lastminute - length;
    // Checked last, so that a lesson longer than the range stays at its start.
    if (m < view.firstminute)
        m = view.firstminute;
    if (m % ttdragstepminutes == 0) {
        inhand.start = qint32(m);
        inhand.end = qint32(std::clamp<qint64>(m + length, INT32_MIN, INT32_MAX));
    }
    const int day = (pos.y() - tttop) / ttrowheight;
    inhand.day = qint8(std::clamp(day, 1, view.lastrow()));
}

qint32 ttshadecolor(qint32 colour, double factor)
{
    qint32 result = 0;
    for (int shift : {0, 8, 16}) {
        const int c = (colour >> shift) & 0xFF;
        result |= std::clamp(ttround(c + c * factor), 0, 255) << shift;
    }
    return result;
}

QString ttformattime(int minutes)
{
    return QString::number(minutes / 60) + QLatin1Char(':')
           + QStringLiteral("%1").arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

int ttpicturewidth(const TtView &view)
{
    if (view.timelinetype)
        return ttround(view.lessoninpixels * double(view.lastminute - view.firstminute) / 60.0) + ttleft;
    return view.showlessons * view.lessoninpixels + ttleft;
}

QStringList ttdaynames(const TtView &view)
{
    const QLocale locale = QLocale::system();
    // Qt numbers days Monday 1 .. Sunday 7.
    QList<int> days = {1, 2, 3, 4, 5, 6, 7};
    if (view.weekendeducation && view.weekstarts == 1)
        days = {7, 1, 2, 3, 4, 5, 6};
    QStringList names;
    for (int day : days)
        names << locale.dayName(day, QLocale::LongFormat);
    return names;
}

void ttdrawlesson(QPainter &painter, const TLessonRec &lesson, bool highlighted, const TtView &view,
                  double scale)
{
    if (!view.weekendeducation && lesson.day > 5)
        return;
    const int left = ttround(ttlessonx(view, lesson, true) * scale);
    const int right = ttround(ttlessonx(view, lesson, false) * scale);
    const int top = ttround(lesson.day * ttrowheight * scale + tttop * scale);
    const int bottom = ttround((lesson.day + 1) * ttrowheight * scale + tttop * scale);
    if (right <= left)
        return;
    const qint32 colour = highlighted ? ttshadecolor(lesson.color, 0.3) : lesson.color;
    const QRect rect = outline(left, top, right, bottom);
    const double corner = ttround(5 * scale) / 2.0;
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(wincolor(quint32(colour) & 0xFFFFFF));
    painter.drawRoundedRect(rect, corner, corner);
    painter.setClipRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
    painter.setPen(Qt::black);
    drawtextat(painter, ttround(left + 10 * scale), ttround(top + 8 * scale), lesson.subject);
    painter.restore();
}

QSize ttpicturesize(const TtView &view, double scale, int height)
{
    return {qMax(1, ttround(ttpicturewidth(view) * scale)), qMax(1, ttround(height * scale))};
}

QImage ttpaint(const std::vector<TLessonRec> &timetable, const TtView &view, double scale, int height)
{
    QImage bitmap(ttpicturesize(view, scale, height), QImage::Format_RGB32);
    QPainter painter(&bitmap);
    ttpaint(painter, timetable, view, scale, height);
    return bitmap;
}

void ttpaint(QPainter &painter, const std::vector<TLessonRec> &timetable, const TtView &view, double scale,
             int height)
{
    const QFont big = cellfont(QFont(), bigpoints * scale);
    const QFont small = cellfont(QFont(), smallpoints * scale);
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), ttpicturesize(view, scale, height)), Qt::white);
    // The text stays black on the white picture and the light lesson colours,
    // whatever colours the desktop's theme gives windows.
    painter.setPen(Qt::black);
    painter.setFont(big);

    // A long day name ("Wednesday") would run under the first lessons: its
    // size shrinks a little to end before them.
    const QStringList names = ttdaynames(view);
    painter.setFont(fittingfont(big, names.mid(0, view.lastrow()), ttround((ttleft - 12) * scale),
                                ttround(big.pixelSize() * 0.75)));
    for (int row = 1; row <= view.lastrow(); ++row)
        drawtextat(painter, ttround(10 * scale), ttround(row * ttrowheight * scale + tttop * scale), names[row - 1]);
    painter.setFont(big);

    const double lpx = view.lessoninpixels * scale;
    auto centred = [&](const QString &text, int column, int y) {
        const int width = painter.fontMetrics().horizontalAdvance(text);
        drawtextat(painter, ttround((lpx - width) / 2 + column * lpx + ttleft * scale), y, text);
    };
    if (!view.timeline()) {
        for (int n = 0; n < view.showlessons; ++n)
            centred(QString::number(n) + QLatin1Char('.'), n, ttround(5 * scale));
    } else {
        painter.drawLine(ttround(ttleft * scale), ttround(tttop * scale),
                         ttround(ttminutestox(view, view.lastminute) * scale), ttround(tttop * scale));
        const int lasthour = view.lastminute / 60;
        for (int h = view.firstminute / 60; h <= lasthour; ++h) {
            const QString text = QString::number(h);
            const int width = painter.fontMetrics().horizontalAdvance(text);
            int x = ttround(ttminutestox(view, h * 60) * scale - width / 2.0);
            // The last label ends inside the picture.
            if (h == lasthour)
                x -= ttround(width * 0.7);
            drawtextat(painter, x, 5, text);
        }
    }

    if (view.placing && view.inhand.week == view.weekcode)
        ttdrawlesson(painter, view.inhand, true, view, scale);

    for (int i = 0; i < int(timetable.size()); ++i) {
        const TLessonRec &l = timetable[i];
        if (l.week != view.weekcode)
            continue;
        if (!view.timeline()) {
            if (l.number >= view.showlessons)
                continue;
            // The column's times, written once per lesson of the column: the
            // lessons of one number share them.
            painter.setFont(small);
            painter.setBackgroundMode(Qt::OpaqueMode);
            painter.setBackground(Qt::white);
            centred(ttformattime(l.start), l.number, ttround(18 * scale));
            centred(ttformattime(l.end), l.number, ttround(28 * scale));
            painter.setBackgroundMode(Qt::TransparentMode);
            painter.setFont(big);
        }
        ttdrawlesson(painter, l, i == view.hovered, view, scale);
    }

    // The outline of today's row up to now; never printed.
    if (view.timelinetype && view.showelapsed && scale == 1.0 && view.now.isValid()) {
        const int d = lessonday(view.now.date(), view.weekstarts, view.weekendeducation);
        if (d <= view.lastrow()) {
            const int t = view.now.time().hour() * 60 + view.now.time().minute();
            const int right = ttminutestox(view, t);
            painter.setPen(QPen(Qt::red, 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(outline(ttleft, rowtop(d), right, rowtop(d + 1)).normalized());
        }
    }
    painter.restore();
}

TtPrintGeometry ttprintgeometry(int dpix, int dpiy, int widthcm, const TtView &view)
{
    const double acrosscm = dpix / 2.54;
    const double downcm = dpiy / 2.54;
    return {ttround(2 * acrosscm), ttround(2 * downcm), widthcm * acrosscm / ttpicturewidth(view)};
}
