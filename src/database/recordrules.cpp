#include "database/recordrules.h"

#include <algorithm>
#include <numeric>

namespace {

struct Slot
{
    qint32 start, end;
};

// Bell times of the fifteen slots, minutes after midnight. Slot 11 is the
// short one at 17:35.
constexpr Slot defaultslots[15] = {
    {425, 470}, {480, 525}, {535, 580}, {600, 645}, {655, 700},
    {710, 755}, {765, 810}, {815, 860}, {865, 910}, {915, 960},
    {965, 1010}, {1055, 1060}, {1065, 1110}, {1115, 1160}, {1165, 1210},
};

// Week code, then day, then start, as one number. Computed wide so that no
// stored value can overflow it; for starts within a day (0..1439) it orders
// exactly like week * 100000 + day * 10000 + start.
qint64 sortkey(const TLessonRec &l)
{
    return qint64(l.week) * 100000 + qint64(l.day) * 10000 + qint64(l.start);
}

} // namespace

void addlesson(std::vector<TLessonRec> &timetable, qint32 start, qint32 end, qint8 day,
               qint8 week, qint8 number)
{
    TLessonRec l;
    l.start = start;
    l.end = end;
    l.day = day;
    l.week = week;
    l.number = number;
    l.color = lessonwhite;
    timetable.push_back(std::move(l));
}

void filldefaulttimetable(std::vector<TLessonRec> &timetable)
{
    timetable.clear();
    timetable.reserve(2 * 7 * 15);
    for (qint8 week : {qint8(-1), qint8(-2)}) {
        for (qint8 day = 1; day <= 7; ++day) {
            for (qint8 n = 0; n < 15; ++n)
                addlesson(timetable, defaultslots[n].start, defaultslots[n].end, day, week, n);
        }
    }
}

void sorttimetable(std::vector<TLessonRec> &timetable, int &selectedlesson)
{
    std::vector<qsizetype> order(timetable.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return sortkey(timetable[a]) < sortkey(timetable[b]);
    });

    std::vector<TLessonRec> sorted;
    sorted.reserve(timetable.size());
    int newselected = selectedlesson;
    for (qsizetype i = 0; i < qsizetype(order.size()); ++i) {
        if (order[i] == selectedlesson)
            newselected = int(i);
        sorted.push_back(std::move(timetable[order[i]]));
    }
    timetable = std::move(sorted);
    selectedlesson = newselected;
}

int lessonday(QDate date, int weekstarts, bool weekendeducation)
{
    const int iso = date.dayOfWeek();
    return (weekstarts == 1 && weekendeducation) ? iso % 7 + 1 : iso;
}

void newsubject(TSubjectRec &subject, QString name)
{
    subject = TSubjectRec{};
    subject.name = name;
    for (TMarkRec &m : subject.marks) {
        m.color = markwhite;
        m.weight = 1.0;
    }
}

QStringList defaultsubjectlist()
{
    return {
        QStringLiteral("English"),   QStringLiteral("French"),      QStringLiteral("Spanish"),
        QStringLiteral("Sociology"), QStringLiteral("History"),     QStringLiteral("Geography"),
        QStringLiteral("Mathematics"), QStringLiteral("Physics"),   QStringLiteral("Chemistry"),
        QStringLiteral("Biology"),   QStringLiteral("Art"),         QStringLiteral("Physical education"),
    };
}
