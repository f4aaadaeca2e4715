#pragma once
// Rules of the records themselves: the default timetable a new database gets
// and the order lessons are kept in; a new subject and the default subjects.

#include "database/records.h"

#include <QDate>
#include <QStringList>

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

// The timetable row of `date`: Sunday is row 1 only where the timetable has
// rows for all seven days and the week starts on Sunday (`weekstarts` 1);
// otherwise Monday is row 1 and Sunday row 7.
int lessonday(QDate date, int weekstarts, bool weekendeducation);

constexpr qint32 markwhite = 0xFFFFFF;

// Clears `subject` to a new one named `name` (first 30 characters; taken by
// value, so a subject can be renewed under its own name): every
// mark and note empty, colour white, weight 1.
void newsubject(TSubjectRec &subject, QString name);

// The subjects a new database starts with, in the built-in language.
QStringList defaultsubjectlist();
