// The day lists as a model: the seven-day list function's rows, with each
// record's picture and bold date headings, and a day's records.

#include "organizer/ui/daylist.h"

#include "organizer/ui/calendaricons.h"
#include "platform/daynumber.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QIcon>
#include <QSignalSpy>

namespace {

TCalItemRec record(const char *text, QDate date, const char *repetition = "0", int icon = 0, bool armed = false)
{
    TCalItemRec r;
    r.text = text;
    r.date = daynumber::fromdate(date);
    r.repetition = repetition;
    r.icon = qint16(icon);
    r.remind = armed;
    r.timemode = timemode_one;
    r.timefrom = 730;
    return r;
}

} // namespace

TEST(DayList, TheWeekAsTheListFunctionGivesIt)
{
    const QDate today(2026, 12, 9); // a Wednesday
    std::vector<TCalItemRec> calitems = {
        record("Far", today.addDays(9)),
        record("Gym", today, "w0010100", 3, true), // Wednesdays and Fridays
        record("Exam#chapters 4 and 5", today.addDays(1), "0", 5),
        record("", today), // deleted
    };
    DayList list(calitems);
    list.showweek(today, QStringLiteral("d.M.yyyy"));
    const QList<DayRow> expected = sevendayrows(calitems, today, QStringLiteral("d.M.yyyy"));
    ASSERT_EQ(list.rowCount(), expected.size());
    ASSERT_EQ(list.rowCount(), 7) << "Gym; blank, Thursday, Exam; blank, Friday, Gym";
    for (int row = 0; row < list.rowCount(); ++row) {
        const QModelIndex at = list.index(row);
        EXPECT_EQ(at.data().toString(), expected[row].caption) << row;
        EXPECT_EQ(at.data(Qt::FontRole).value<QFont>().bold(), expected[row].heading) << row;
        EXPECT_EQ(at.data(Qt::DecorationRole).isValid(), expected[row].image >= 0) << row;
    }
    EXPECT_EQ(list.index(0).data().toString(), QStringLiteral("7:30 Gym"));
    EXPECT_EQ(list.index(2).data().toString(), QStringLiteral("10.12.2026"));
    EXPECT_EQ(list.index(3).data().toString(), QStringLiteral("7:30 Exam"));
    EXPECT_EQ(list.index(0).data(Qt::DecorationRole).value<QIcon>().cacheKey(),
              calendaricon(itemimageindex(3, true)).cacheKey());

    // Refilled for another day; rows past the end and records gone show nothing.
    list.showweek(today.addDays(3), QStringLiteral("d.M.yyyy"));
    EXPECT_EQ(list.rowCount(), int(sevendayrows(calitems, today.addDays(3), {}).size()));
    calitems.clear();
    EXPECT_TRUE(list.index(0).data().toString().isEmpty());
    EXPECT_FALSE(list.index(0).data(Qt::DecorationRole).isValid());
    EXPECT_FALSE(list.data(list.index(0).sibling(99, 0)).isValid());
}

// A day's records in the order given; rows changed in place tell the view.
TEST(DayList, ADaysRecords)
{
    const QDate today(2026, 12, 9);
    std::vector<TCalItemRec> calitems = {record("A", today), record("B", today), record("C", today)};
    DayList list(calitems);
    list.showrecords({2, 0});
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.index(0).data().toString(), QStringLiteral("7:30 C"));
    EXPECT_FALSE(list.index(0).data(Qt::FontRole).isValid());
    EXPECT_TRUE(list.index(1).data(Qt::DecorationRole).isValid());
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    std::swap(calitems[2], calitems[0]);
    list.rowschanged(0, 1);
    EXPECT_EQ(changed.size(), 2);
    EXPECT_EQ(list.index(0).data().toString(), QStringLiteral("7:30 A"));
    EXPECT_EQ(list.index(1).data().toString(), QStringLiteral("7:30 C"));
}
