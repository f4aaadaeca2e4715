#include "school/timetablemodel.h"

int weekcodefor(int week, int tttype)
{
    const int w = week < 0 ? -week : week;
    return tttype == 0 ? -w : w;
}

int thisweek(QDate today, bool twoweeks)
{
    const int iso = twoweeks ? today.weekNumber() : 0;
    return iso % 2 == 0 ? 1 : 2;
}

void switchweeks(std::vector<TLessonRec> &timetable, int tttype)
{
    const qint8 first = tttype == 0 ? -1 : 1;
    const qint8 second = tttype == 0 ? -2 : 2;
    for (TLessonRec &l : timetable) {
        if (l.week == first)
            l.week = second;
        else if (l.week == second)
            l.week = first;
    }
}
