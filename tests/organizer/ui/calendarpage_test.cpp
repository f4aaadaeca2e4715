// The Calendar page: the day list, the seven-day list, deletions and moves.

#include "organizer/ui/calendarpage.h"

#include "database/database.h"
#include "database/settings.h"
#include "organizer/calendar.h"
#include "organizer/ui/calendareditor.h"
#include "platform/clock.h"
#include "platform/daynumber.h"
#include "testsupport.h"
#include "uitestsupport.h"
#include "widgets/ui/fittedcontrols.h"

#include <gtest/gtest.h>

#include <QDateEdit>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using testsupport::FakePlayer;
using testsupport::RecordingPrompter;

namespace {

const QDate today(2026, 12, 8); // a Tuesday

TCalItemRec record(const QString &text, QDate date, const char *repetition = "0")
{
    TCalItemRec r;
    r.text = text;
    r.date = daynumber::fromdate(date);
    r.repetition = repetition;
    return r;
}

class CalendarTest : public ::testing::Test
{
protected:
    CalendarTest()
    {
        db.createfolders();
        clock.setsource([] { return QDateTime(today, QTime(10, 0)); });
        page.resize(800, 600);
        page.resetday();
    }

    QStringList rows(const QTreeView *list) const { return testsupport::listrows(list); }

    void selectrow(int row) { daylist()->setCurrentIndex(daylist()->model()->index(row, 0)); }
    int currentrow() const { return daylist()->currentIndex().row(); }
    QTreeView *daylist() const { return page.findChild<QTreeView *>(QStringLiteral("ListView1")); }
    QStringList sevendays() const
    {
        QStringList out;
        for (const DayRow &row : sevendayrows(db.calitems, today, settings.text(Setting::dateformat)))
            out << row.caption;
        return out;
    }

    QTemporaryDir dir;
    Database db{dir.filePath(QStringLiteral("Quillmoter/"))};
    Settings settings;
    FakePlayer player;
    RecordingPrompter answers;
    TForm3 editor{db, settings, player};
    Clock clock;
    CalendarPage page{db, settings, clock, editor};
};

} // namespace

TEST_F(CalendarTest, TheDayListShowsTheSelectedDaysRecordsInArrayOrder)
{
    db.calitems = {record("Maths test", today), record("Other day", today.addDays(1)),
                   record("Gym", today.addDays(-14), "w0100000"), record("", today)};
    db.calitems[0].timemode = 1;
    db.calitems[0].timefrom = 705;
    page.refreshcalitems(0);
    EXPECT_EQ(page.calrowmap, QList<int>({0, 2}));
    EXPECT_EQ(rows(daylist()), QStringList({"7:05 Maths test", "Gym"}));
    EXPECT_EQ(currentrow(), 0);
    EXPECT_EQ(page.findChild<QDateEdit *>(QStringLiteral("DateTimePicker1"))->date(), today);
}

TEST_F(CalendarTest, TheSevenDayListIsAlwaysRebuiltAndLeavesTheDayListAlone)
{
    db.calitems = {record("Today", today), record("Monthly", today.addDays(2).addMonths(-3), "m111111111111"),
                   record("Far", today.addDays(20))};
    page.calselected = today.addDays(20);
    page.refreshcalitems(0);
    const QList<int> map = page.calrowmap;
    db.savecalitems(); // the Overview rebuilds its seven days on this
    EXPECT_EQ(page.calrowmap, map);
    EXPECT_EQ(page.calselected, today.addDays(20));
    const QStringList list = sevendays();
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list[0], QStringLiteral("Today"));
    EXPECT_EQ(list[1], QString()) << "a blank row before each later day";
    EXPECT_TRUE(list[2].contains(QStringLiteral("2026"))) << "a header with the date";
    EXPECT_EQ(list[3], QStringLiteral("Monthly"));
}

TEST_F(CalendarTest, DeletionsEmptyTheRightRecordsAfterAYes)
{
    db.calitems = {record("Old once", today.addDays(-3)), record("Old weekly", today.addDays(-7), "w1111111"),
                   record("Today", today), record("Repeats onto today", today.addDays(-14), "w0100000"),
                   record("Next week", today.addDays(7))};
    db.savecalitems();
    QSignalSpy counts(&db, &Database::changed);

    answers.answer = mb::idno;
    page.deleteoldrecords();
    EXPECT_FALSE(db.calitems[0].text.isEmpty());

    answers.answer = mb::idyes;
    page.deleteoldrecords();
    EXPECT_EQ(answers.questions.back(), CalendarPage::deleteold);
    EXPECT_TRUE(db.calitems[0].text.isEmpty());
    EXPECT_TRUE(db.calitems[1].text.isEmpty()) << "a repeating record dated before today goes too";
    EXPECT_TRUE(db.calitems[3].text.isEmpty());
    EXPECT_FALSE(db.calitems[2].text.isEmpty());
    EXPECT_EQ(counts.count(), 1);

    page.calselected = today.addDays(7);
    page.deletedayrecords();
    EXPECT_TRUE(db.calitems[4].text.isEmpty());
    EXPECT_FALSE(db.calitems[2].text.isEmpty());

    page.calselected = today;
    page.refreshcalitems(0);
    selectrow(0);
    page.deleteclick();
    EXPECT_TRUE(db.calitems[2].text.isEmpty());
    Database reread(db.dbpath());
    reread.loadcalitems();
    EXPECT_TRUE(reread.calitems.empty());
}

TEST_F(CalendarTest, MovesSwapRecordsInTheArrayAndTheList)
{
    db.calitems = {record("First", today), record("Elsewhere", today.addDays(1)), record("Second", today)};
    page.refreshcalitems(0);
    selectrow(0);
    page.movedown();
    EXPECT_EQ(db.calitems[0].text, QStringLiteral("Second"));
    EXPECT_EQ(db.calitems[2].text, QStringLiteral("First"));
    EXPECT_EQ(rows(daylist()), QStringList({"Second", "First"}));
    EXPECT_EQ(currentrow(), 1);
    EXPECT_EQ(sevendays().first(), QStringLiteral("Second")) << "the seven days follow the move";
    page.movedown(); // already last
    EXPECT_EQ(db.calitems[2].text, QStringLiteral("First"));
    page.moveup();
    EXPECT_EQ(db.calitems[0].text, QStringLiteral("First"));
    Database reread(db.dbpath());
    reread.loadcalitems();
    EXPECT_EQ(reread.calitems[0].text, QStringLiteral("First"));
}

// A double click on a record of the day list opens the editor on that
// record; Enter does the same for the selected one.
TEST_F(CalendarTest, ADoubleClickOnARecordEditsIt)
{
    db.calitems = {record("First", today), record("Second", today), record("Elsewhere", today.addDays(3))};
    page.refreshcalitems(0);
    page.show();
    QTimer::singleShot(0, [this] {
        EXPECT_EQ(editor.caleditindex, 1);
        editor.Memo1->setPlainText(QStringLiteral("Second, moved to noon"));
        editor.BitBtn1Click();
    });
    const QRect second = daylist()->visualRect(daylist()->model()->index(1, 0));
    // The first click selects, the second opens.
    QTest::mouseClick(daylist()->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(daylist()->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(db.calitems[1].text, QStringLiteral("Second, moved to noon"));
    EXPECT_EQ(rows(daylist()), QStringList({"First", "Second, moved to noon"}));
    EXPECT_EQ(currentrow(), 1) << "the edited row stays selected";
    page.hide();
}

TEST_F(CalendarTest, ANewRecordIsMadeOnTheSelectedDay)
{
    page.calselected = today.addDays(2);
    QTimer::singleShot(0, [this] {
        editor.Memo1->setPlainText(QStringLiteral("Concert"));
        editor.BitBtn1Click();
    });
    page.BitBtn6Click();
    ASSERT_EQ(db.calitems.size(), 1u);
    EXPECT_EQ(daynumber::todate(db.calitems[0].date), today.addDays(2));
    EXPECT_EQ(db.calitems[0].timefrom, 800);
    EXPECT_EQ(rows(daylist()), QStringList({"Concert"}));

    // Cancelled: nothing written.
    QTimer::singleShot(0, [this] { editor.reject(); });
    page.BitBtn6Click();
    Database reread(db.dbpath());
    reread.loadcalitems();
    EXPECT_EQ(reread.calitems.size(), 1u);
}

TEST_F(CalendarTest, KeysMoveTheSelectionAndMakeItTheFirstMonth)
{
    page.calmonth = 9;
    page.refreshcalitems(0);
    page.keyboardeditKeyDown(Qt::Key_Down);
    EXPECT_EQ(page.calselected, today.addDays(7));
    page.keyboardeditKeyDown(Qt::Key_Right);
    page.keyboardeditKeyDown(Qt::Key_Right);
    page.keyboardeditKeyDown(Qt::Key_Up);
    page.keyboardeditKeyDown(Qt::Key_Left);
    EXPECT_EQ(page.calselected, today.addDays(1));
    EXPECT_EQ(page.calmonth, 12);
    page.nextmonthclick();
    EXPECT_EQ(page.calmonth, 1);
    EXPECT_EQ(page.calyear, 2027);
    EXPECT_EQ(page.calselected, today.addDays(1));
}

TEST_F(CalendarTest, AClickOffTheDaysKeepsTheSelectionButRefreshes)
{
    db.calitems = {record("A", today)};
    page.findChild<QWidget *>(QStringLiteral("calendar"))->setFixedHeight(600);
    page.calselected = today.addDays(1);
    page.calendarMouseDown(QPoint(40, 72)); // the weekday initials
    EXPECT_EQ(page.calselected, today.addDays(1));
    EXPECT_TRUE(rows(daylist()).isEmpty());
    // December 2026 starts on a Tuesday (column 1): the 8th is row 1, column 1.
    page.calendarMouseDown(QPoint(15 + 25 + 5, 95 + 20 + 5));
    EXPECT_EQ(page.calselected, today);
    EXPECT_EQ(rows(daylist()), QStringList({"A"}));
}

TEST_F(CalendarTest, PaintingMarksSelectedAndTodayInTheirColours)
{
    page.calselected = today.addDays(1);
    QImage image(201, 600, QImage::Format_RGB32);
    QPainter painter(&image);
    page.calendarPaint(painter, image.size());
    painter.end();
    // The 9th is selected: filled in light blue; the 8th is outlined in red.
    const QPoint ninth = calgeometry::daycell(0, 9, 1);
    EXPECT_EQ(image.pixelColor(ninth.x() + 2, ninth.y() + 15), QColor(0x65, 0xa7, 0xeb));
    const QPoint eighth = calgeometry::daycell(0, 8, 1);
    EXPECT_EQ(image.pixelColor(eighth.x() + 1, eighth.y() + 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(30, 60), QColor(0x43, 0x7e, 0xbb)) << "the month bar";
}

// The long date of the picker is never cut off, in English or Czech.
TEST(CalendarPicker, IsWideEnoughForTheLongestDate)
{
    for (const QLocale &locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::Czech, QLocale::Czechia)}) {
        QDateEdit picker;
        picker.setLocale(locale);
        picker.setCalendarPopup(true);
        picker.setDisplayFormat(locale.dateFormat(QLocale::LongFormat));
        fitdatepicker(&picker, calgeometry::width);
        EXPECT_GE(picker.width(), calgeometry::width);
        picker.show();
        auto *edit = picker.findChild<QLineEdit *>();
        ASSERT_NE(edit, nullptr);
        for (int month = 1; month <= 12; ++month) {
            for (int day = 22; day <= 28; ++day) {
                picker.setDate(QDate(2026, month, day));
                const int needed = edit->fontMetrics().horizontalAdvance(edit->text());
                EXPECT_LE(needed, edit->contentsRect().width() - 2)
                    << edit->text().toStdString() << " in " << locale.name().toStdString();
            }
        }
    }
}
