#pragma once
// Which lessons the timetable shows: the week codes of its two weeks and two
// display modes.

#include "database/records.h"

#include <QDate>

#include <vector>

// The week code of the lessons shown: weeks 1 and 2, negative in the table
// mode (type 0), positive in the timeline mode (type 1).
int weekcodefor(int week, int tttype);

// The week that "This week" chooses for `today`: week 2 in odd ISO weeks when
// the even and odd timetables are on, else week 1.
int thisweek(QDate today, bool twoweeks);

// Exchanges weeks 1 and 2 of one display mode (type 0 table, 1 timeline);
// the other mode's lessons keep theirs.
void switchweeks(std::vector<TLessonRec> &timetable, int tttype);
