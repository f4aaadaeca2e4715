#pragma once
// What the Overview tells about school right now: the lesson in progress,
// the next one and its classroom, and the time to the next bell. Also the
// clock's hands.

#include "database/records.h"

#include <QDateTime>
#include <QFont>
#include <QPixmap>
#include <QPoint>
#include <QString>

#include <vector>

class QPainter;

// Words the texts are put together from (translated labels).
struct LessonWords
{
    QString nolesson = QStringLiteral("No lesson");
    QString never = QStringLiteral("Never");
    QString none = QStringLiteral("None");
    QString weekend = QStringLiteral("It's weekend!");
    QString breaktime = QStringLiteral("Break");
    QString hours = QStringLiteral("hours");
    QString minutes = QStringLiteral("mins and");
    QString seconds = QStringLiteral("secs");
};

struct LessonStatus
{
    QString current, next, rings, room;
    int currentlesson = -1; // index in the timetable
};

// The countdown to a bell `minutes` whole minutes away, at second `second`.
QString minutestotext(int minutes, int second, const LessonWords &words = {});

// The status at `now` for the lessons of `weekcode` (the timetable is sorted
// by week code, day and start). Days count from Monday, or from Sunday when
// the week starts on Sunday (`weekstarts` 1) and weekends are taught.
LessonStatus lessonstatus(const std::vector<TLessonRec> &timetable, const QDateTime &now, int weekcode,
                          int weekstarts, bool weekendeducation, const LessonWords &words = {});

// The end of a clock hand on the 120 x 120 clock: angle 0 points up and
// grows clockwise; the hand is 120 / divisor long.
QPoint clockhandpoint(double angle, int divisor);

// The digital clock's faces: "hh:mm" from x = 20, which must end before
// the seconds start at `digitalsecondsx`.
constexpr int digitalsecondsx = 88;
struct DigitalClockFonts
{
    QFont time, seconds;
};
const DigitalClockFonts &digitalclockfonts();

// The clock for `time` on `face` (drawn where it is not transparent): analog
// hands or the digital time, `clocksize` square from the painter's origin.
constexpr int clocksize = 120;
void drawclock(QPainter &painter, const QImage &face, QTime time, bool digital);
// What of that changes with the time: the hands or the digital time.
void drawclockhands(QPainter &painter, QTime time, bool digital);
// The same as a picture, transparent around the face.
QPixmap drawclock(const QImage &face, QTime time, bool digital);
