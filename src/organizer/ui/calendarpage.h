#pragma once
// The Calendar page: painted month blocks, the date picker, the selected
// day's records with the buttons that make, edit, delete and move them, and
// the day bar with the day's name day, birthdays and moon.

#include "organizer/calendar.h"
#include "widgets/ui/pagewidget.h"

#include <QDate>
#include <QList>

class QDateEdit;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class QTreeView;
class TForm3;
class TMoon;
enum class DbKind;
enum class Setting;

class CalendarPage;
class DayList;

// A day list's view: records with their picture and caption, one column,
// no header, over a DayList. The Overview's seven-day list looks the same.
QTreeView *makedayview(QWidget *parent);

// The painted months; clicks select a day, keys move the selection.
class CalendarPanel : public QWidget
{
public:
    explicit CalendarPanel(CalendarPage &page, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    CalendarPage &page_;
};

class CalendarPage : public PageWidget
{
    Q_OBJECT

public:
    static inline const QString deleteselected = QStringLiteral("Delete selected record?");
    static inline const QString deleteday = QStringLiteral("Delete all records from selected day?");
    static inline const QString deleteold = QStringLiteral("Delete all old records?");

    // `editor`: the record editor, made once by the program.
    CalendarPage(Database &db, Settings &settings, Clock &clock, TForm3 &editor, QWidget *parent = nullptr);

    QDate calselected;
    int calmonth = 1;
    int calyear = 2000;
    // Row of the day list -> index in the calendar records.
    QList<int> calrowmap;

    // Back to today, as a load of the database does.
    void resetday();
    // Builds the day list of `calselected`; flag 0 also refreshes the rest of
    // the page that follows the selected day.
    void refreshcalitems(int flag);
    // The painted months into `painter` over a panel of `size`.
    void calendarPaint(QPainter &painter, QSize size) const;
    void calendarMouseDown(QPoint pos);
    void keyboardeditKeyDown(int key); // keys on the painted months
    void DateTimePicker1Change(); // the date picker under the months: selects its day

    void previousmonth();
    void nextmonthclick();
    void todayclick();
    void BitBtn6Click(); // "New" (newbutton): a record on the selected day, in the record editor
    void editclick();
    void deleteclick();
    void deletedayrecords();
    void deleteoldrecords();
    void moveup();
    void movedown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildmonths(QBoxLayout *page);
    void buildday(QBoxLayout *page);
    void settingchanged(Setting which);
    void databasechanged(DbKind kind);
    void savecalitems();
    void repaintmonths();
    void afterdeletion();
    void swaprows(int row, int other);
    int selectedrow() const;

    TForm3 &editor_;
    CalendarPanel *calendar = nullptr;
    QDateEdit *DateTimePicker1 = nullptr; // the selected day
    QTreeView *ListView1 = nullptr; // the selected day's records, in the order they are stored
    DayList *dayrecords_ = nullptr; // its rows
    QToolButton *prevbutton = nullptr;
    QToolButton *nextbutton = nullptr;
    QPushButton *todaybutton = nullptr;
    QPushButton *newbutton = nullptr;
    QPushButton *editbutton = nullptr;
    QPushButton *deletebutton = nullptr;
    QToolButton *morebutton = nullptr;
    QMenu *moremenu = nullptr;
    QPushButton *upbutton = nullptr;
    QPushButton *downbutton = nullptr;
    QWidget *daybar = nullptr;
    QLabel *namedaytext = nullptr;
    QLabel *birthdaytext = nullptr;
    TMoon *Moon2 = nullptr; // the selected day's moon
    QLabel *nobody_ = nullptr;
    QLabel *fromcontacts_ = nullptr;
};
