#include "database/recordrules.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TLessonRec lesson(qint8 week, qint8 day, qint32 start, const char *subject)
{
    TLessonRec l;
    l.week = week;
    l.day = day;
    l.start = start;
    l.subject = subject;
    return l;
}

QStringList subjects(const std::vector<TLessonRec> &t)
{
    QStringList out;
    for (const TLessonRec &l : t)
        out << l.subject.text();
    return out;
}

} // namespace

TEST(TimetableModel, DefaultTimetableHasFifteenSlotsForEveryDayOfBothTableWeeks)
{
    std::vector<TLessonRec> t(3);
    filldefaulttimetable(t);
    ASSERT_EQ(t.size(), 210u);
    // In order: week -1 days 1..7, then week -2, each with slots 0..14.
    EXPECT_EQ(t[0].week, -1);
    EXPECT_EQ(t[15].day, 2);
    EXPECT_EQ(t[105].week, -2);
    EXPECT_EQ(t[105].day, 1);
    EXPECT_EQ(t[209].number, 14);
    EXPECT_EQ(t[0].start, 425);
    EXPECT_EQ(t[0].end, 470);
    EXPECT_EQ(t[11].start, 1055); // the short slot
    EXPECT_EQ(t[11].end, 1060);
    EXPECT_EQ(t[14].start, 1165);
    EXPECT_EQ(t[14].end, 1210);
    for (const TLessonRec &l : t) {
        EXPECT_EQ(l.color, 0xFFFFFF);
        EXPECT_TRUE(l.subject.isEmpty() && l.teacher.isEmpty() && l.classroom.isEmpty());
    }
}

TEST(TimetableModel, SortOrdersByWeekDayAndStartAndKeepsTies)
{
    std::vector<TLessonRec> t = {
        lesson(2, 1, 100, "a"),  lesson(-1, 3, 50, "b"), lesson(1, 1, 10, "c"),
        lesson(-2, 7, 600, "d"), lesson(-1, 3, 50, "e"), lesson(-1, 2, 900, "f"),
        lesson(-1, 3, 50, "g"),
    };
    int selected = 4; // "e", the middle one of three ties
    sorttimetable(t, selected);
    EXPECT_EQ(subjects(t), QStringList({"d", "f", "b", "e", "g", "c", "a"}));
    EXPECT_EQ(t[selected].subject, QStringLiteral("e"));

    int none = -1;
    sorttimetable(t, none);
    EXPECT_EQ(none, -1);

    std::vector<TLessonRec> empty;
    sorttimetable(empty, none);
    EXPECT_TRUE(empty.empty());
    std::vector<TLessonRec> single = {lesson(1, 1, 1, "x")};
    int first = 0;
    sorttimetable(single, first);
    EXPECT_EQ(first, 0);
}

TEST(TimetableModel, SortCopesWithStartsFromADamagedFile)
{
    std::vector<TLessonRec> t = {
        lesson(2, 7, std::numeric_limits<qint32>::max(), "late"),
        lesson(-2, 1, std::numeric_limits<qint32>::min(), "early"),
    };
    int selected = 0;
    sorttimetable(t, selected);
    EXPECT_EQ(subjects(t), QStringList({"early", "late"}));
    EXPECT_EQ(selected, 1);
}

TEST(SubjectsModel, NewSubjectIsClearedWithWhiteMarksOfNormalWeight)
{
    TSubjectRec s;
    s.marks[5].mark = "1";
    s.pluses = "+";
    newsubject(s, QString(35, QLatin1Char('h')));
    EXPECT_EQ(s.name, QString(30, QLatin1Char('h')));
    EXPECT_TRUE(s.pluses.isEmpty() && s.minuses.isEmpty());
    for (const TMarkRec &m : s.marks) {
        EXPECT_TRUE(m.mark.isEmpty() && m.note.isEmpty());
        EXPECT_EQ(m.color, 0xFFFFFF);
        EXPECT_EQ(m.weight, 1.0);
    }
    EXPECT_EQ(defaultsubjectlist().size(), 12);
}
