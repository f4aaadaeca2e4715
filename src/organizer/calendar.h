#pragma once
// Calendar records on days: the one occurrence rule, the captions of the
// day lists, the month arithmetic and the geometry of the painted months.

#include "database/records.h"

#include <QDate>
#include <QFont>
#include <QLocale>
#include <QList>
#include <QPoint>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// Whether the record occurs on `date`: once on its own date ("0"), weekly on
// the flagged ISO weekdays ("w" + Monday..Sunday), or monthly on its own day
// of the month in the flagged months ("m" + January..December). A record
// without text never occurs.
bool occurstoday(const TCalItemRec &record, QDate date);
inline bool occurstoday(const std::vector<TCalItemRec> &calitems, int index, QDate date)
{
    return index >= 0 && index < int(calitems.size()) && occurstoday(calitems[index], date);
}

// Indexes of the records that occur on `date`, in array order: the rows of a
// day list.
QList<int> dayrecords(const std::vector<TCalItemRec> &calitems, QDate date);

// The days between `first` and `last` on which some record occurs, as
// offsets from `first` (computed once per record, not per day).
QList<bool> dayswithrecords(const std::vector<TCalItemRec> &calitems, QDate first, QDate last);

// "H:MM" of hour * 100 + minute.
QString hhmm(int time);
// A day list row's caption: the title, after "From" or "From - To" by the
// record's time mode.
QString calcaption(const TCalItemRec &record);

// A row of a day list: a record's caption and picture, or (in the seven-day
// list) a blank spacer or a date heading, both without picture.
struct DayRow
{
    QString caption;
    int image = -1; // calendar picture, -1 for none
    bool heading = false;
};

// The list of the next seven days from `today`: today's records without a
// heading, then for each later day that has records a blank row, a heading
// with the date in `dateformat` (the d/m/y patterns) and its records.
QList<DayRow> sevendayrows(const std::vector<TCalItemRec> &calitems, QDate today, const QString &dateformat);

// A row of the seven-day list before its text is made: a record, a date
// heading, or (neither) a blank spacer.
struct DayEntry
{
    int record = -1;
    QDate heading;
};
// The rows of sevendayrows, found without making their texts.
QList<DayEntry> sevendayentries(const std::vector<TCalItemRec> &calitems, QDate today);
// The text and picture of one such row.
DayRow dayrow(const std::vector<TCalItemRec> &calitems, const DayEntry &entry, const QString &dateformat);

// The calendar icons: picture 2 * icon, plus 1 with an armed reminder. An
// icon outside 0..8 counts as 0.
constexpr int calendariconcount = 9;
int itemimageindex(int icon, bool remind);

// "#rrggbb" or "rrggbb" as a colour value $00BBGGRR; 0 when it does not convert.
quint32 htmltocolor(const QString &text);
QString firsttwochars(const QString &text);
int nextmonth(int month);
// Month and year `count` months after (or before) month/year, for any count.
std::pair<int, int> addmonths(int month, int year, int count);

// The column 0..6 of a date's weekday: Monday first (weekstarts 0) or
// Sunday first (1).
int weekdaycolumn(QDate date, int weekstarts);

// Geometry of the painted month blocks.
namespace calgeometry {
constexpr int blockheight = 165;
constexpr int width = 201;
// Blocks that fit a panel of this height.
inline int blockcount(int height) { return height < 100 ? 0 : (height - 100) / blockheight; }
// Top-left of the cell of `day` in block `block` of a month starting in column `firstcolumn`.
QPoint daycell(int block, int day, int firstcolumn);
// The faces of the weekday initials and day numbers: a condensed face at
// the largest size at which every initial of `locale` and every two-digit
// day, bold, leaves a clear gap in its 25-pixel column.
struct CalendarFonts
{
    QFont regular, bold;
};
constexpr int calcolumntext = 19; // widest text a column takes
CalendarFonts calendarfonts(const QLocale &locale);
} // namespace calgeometry

// The day under a click at `pos` on a panel of `blocks` month blocks whose
// first block is month/year; none when the click is not on a painted day.
std::optional<QDate> calendarhit(QPoint pos, int month, int year, int weekstarts, int blocks);

// Repetition texts of the record editor: the day flags are kept Monday first.
QString weeklyrepetition(const std::array<bool, 7> &mondayfirst);
QString monthlyrepetition(const std::array<bool, 12> &months);
// The flags of a repetition text ("w..." or "m..."); false where unset.
std::array<bool, 7> weekflags(const QString &repetition);
std::array<bool, 12> monthflags(const QString &repetition);

// Birthdays of contacts on `date` with the age they reach: "Ema(25), Jan";
// `nobody` when there is none.
QString birthdaytext(const std::vector<TContactRec> &contacts, QDate date, const QString &nobody);
