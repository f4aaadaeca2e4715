#pragma once
// The timetable as a flat list of lessons: building the default list and
// keeping it in display order.

#include "database/records.h"

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
