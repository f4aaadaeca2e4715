#pragma once
// The timetable as a flat list of lessons: building the default list and
// keeping it in display order.

#include "database/records.h"

#include <QDate>

#include <vector>

constexpr qint32 lessonwhite = 0xFFFFFF;

// Appends an empty white lesson.
void addlesson(std::vector<TLessonRec> &timetable, qint32 start, qint32 end, qint8 day,
               qint8 week, qint8 number);

// Replaces the list with the 210 empty lessons of the table mode: weeks -1
// and -2, days 1 to 7, slots 0 to 14 at the default bell times.
void filldefaulttimetable(std::vector<TLessonRec> &timetable);

// Orders by week code, then day, then start; lessons equal in all three keep
// their order. `selectedlesson` (an index, or -1) follows its lesson.
void sorttimetable(std::vector<TLessonRec> &timetable, int &selectedlesson);

// The week code of the lessons shown: weeks 1 and 2, negative in the table
// mode (type 0), positive in the timeline mode (type 1).
int weekcodefor(int week, int tttype);

// The week that "This week" chooses for `today`: week 2 in odd ISO weeks when
// the even and odd timetables are on, else week 1.
int thisweek(QDate today, bool twoweeks);

// Exchanges weeks 1 and 2 of one display mode (type 0 table, 1 timeline);
// the other mode's lessons keep theirs.
void switchweeks(std::vector<TLessonRec> &timetable, int tttype);
