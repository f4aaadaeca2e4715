#pragma once
// The painted timetable: where a lesson lies in the picture, which lesson a
// point hits, how a lesson held by the pointer moves, and the painter itself.
// Everything here works on plain values, so the page, the print and the tests
// share it. Lengths are pixels at scale 1.0; the painter multiplies them.

#include "database/records.h"

#include <QDateTime>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QStringList>
#include <QTime>

#include <vector>

class QPainter;

// Row d (1..7) spans y = 30d + 10 to 30(d + 1) + 10; the band above row 1
// holds the header. Lessons start at x = 60, after the day names.
constexpr int ttrowheight = 30;
constexpr int tttop = 10;
constexpr int ttleft = 60;
// Tall enough for all seven rows.
constexpr int ttpictureheight = (7 + 1) * ttrowheight + tttop + 1;
// A lesson held by the pointer moves in steps of this many minutes.
constexpr int ttdragstepminutes = 5;

// What the picture shows and how.
struct TtView
{
    int weekcode = 0;          // the lessons shown; above 0 the timeline
    bool timelinetype = false; // the chosen type: the width and elapsed time follow it
    int lessoninpixels = 75;   // one Table column, or one hour of the timeline
    int showlessons = 8;       // Table columns shown
    int firstminute = 8 * 60;  // the timeline's range, minutes after midnight
    int lastminute = 18 * 60;
    bool weekendeducation = false;
    int weekstarts = 0; // 0 Monday, 1 Sunday

    // What only the box on the screen shows.
    int hovered = -1;          // drawn highlighted
    bool placing = false;      // "New lesson" is down: `inhand` follows the pointer
    TLessonRec inhand;
    bool showelapsed = false;  // the timeline's elapsed-time outline at `now`
    QDateTime now;

    bool timeline() const { return weekcode > 0; }
    int lastrow() const { return weekendeducation ? 7 : 5; }
};

// Rounds to the nearest integer, a half to the even neighbour.
int ttround(double value);

// The timeline range of the two pickers' times; a range whose end is not
// after its start (a damaged setting) becomes 8:00 to 18:00.
struct TtRange
{
    int firstminute, lastminute;
};
TtRange ttrange(QTime start, QTime end);

int ttminutestox(const TtView &view, int minutes);
int ttxtominutes(const TtView &view, int x);
// The left (or right) edge of `lesson`: its times on the timeline, else its
// Table column.
int ttlessonx(const TtView &view, const TLessonRec &lesson, bool left);
// Whether the picture draws `lesson`: of the week shown, on a shown row, and
// in the Table mode within the shown columns.
bool ttshown(const TtView &view, const TLessonRec &lesson);
// The index of the lesson under (x, y), or -1; of overlapping lessons the
// later one, which is painted on top.
int tthittest(const std::vector<TLessonRec> &timetable, const TtView &view, int x, int y);

// Moves the lesson held at `grabx` pixels from its left edge to the pointer
// at `pos`: along the timeline in whole five-minute steps within the range
// (a lesson longer than the range stays at its first minute), and to the day
// of the row under the pointer, the nearest shown row outside them.
void ttdragstep(TLessonRec &inhand, const TtView &view, QPoint pos, int grabx);

// Each colour byte c becomes c + c * factor, limited to 0..255.
qint32 ttshadecolor(qint32 colour, double factor);
// "7:05", "13:30".
QString ttformattime(int minutes);
// The picture's width at scale 1.0.
int ttpicturewidth(const TtView &view);
// The names of rows 1..7 (only the shown ones are painted).
QStringList ttdaynames(const TtView &view);

// The size of the picture at `scale`, `height` pixels high at scale 1.0.
QSize ttpicturesize(const TtView &view, double scale, int height);
// Paints the whole timetable of the week shown with its top-left corner at
// the painter's origin, onto any device: the screen's picture, a printer.
void ttpaint(QPainter &painter, const std::vector<TLessonRec> &timetable, const TtView &view, double scale,
             int height);
// The same as a picture for the screen.
QImage ttpaint(const std::vector<TLessonRec> &timetable, const TtView &view, double scale, int height);

// Where and how large the timetable is printed on a printer of `dpix` by
// `dpiy` dots per inch: `widthcm` centimetres wide, 2 cm from the left and top.
struct TtPrintGeometry
{
    int left, top;
    double scale;
};
TtPrintGeometry ttprintgeometry(int dpix, int dpiy, int widthcm, const TtView &view);
void ttdrawlesson(QPainter &painter, const TLessonRec &lesson, bool highlighted, const TtView &view,
                  double scale);
