#pragma once
// The Calendar page: painted month blocks, the date picker, the selected
// day's records with the buttons that make, edit, delete and move them, and
// the day bar with the day's name day, birthdays and moon.

#include <QDate>
#include <QList>
#include <QWidget>

#include <functional>

class Database;
class QDateEdit;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class QTreeWidget;
class Settings;
class TForm3;
class TMoon;
enum class Setting;

class CalendarPage;

// Makes a date picker at least `minimum` wide and wide enough for the
// longest date of its locale and format.
void fitdatepicker(QDateEdit *picker, int minimum);

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

class CalendarPage : public QWidget
{
    Q_OBJECT

public:
    static inline const QString deleteselected = QStringLiteral("Delete selected record?");
    static inline const QString deleteday = QStringLiteral("Delete all records from selected day?");
    static inline const QString deleteold = QStringLiteral("Delete all old records?");

    CalendarPage(Database &db, Settings &settings, QWidget *parent = nullptr);

    // What the page takes from the main window: the record editor, today,
    // the name-day text of a day, and the Overview's seven-day list.
    void seteditor(TForm3 *editor) { editor_ = editor; }
    void settoday(std::function<QDate()> today) { today_ = std::move(today); }
    void setnamedaytext(std::function<QString(QDate)> text) { namedaytext_ = std::move(text); }
    void setsevendaylist(QTreeWidget *list) { sevendays_ = list; }

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
    // The Overview's list of the next seven days, always rebuilt; the day
    // list's row map and the selected day stay as they are.
    void refresh7days();
    // The painted months into `painter` over a panel of `size`.
    void calendarPaint(QPainter &painter, QSize size) const;
    void calendarMouseDown(QPoint pos);
    void keyboardeditKeyDown(int key);
    void DateTimePicker1Change();

    void previousmonth();
    void nextmonthclick();
    void todayclick();
    void BitBtn6Click(); // New
    void editclick();
    void deleteclick();
    void deletedayrecords();
    void deleteoldrecords();
    void moveup();
    void movedown();

    CalendarPanel *calendar = nullptr;
    QDateEdit *DateTimePicker1 = nullptr;
    QTreeWidget *ListView1 = nullptr;
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
    TMoon *Moon2 = nullptr;

signals:
    // The records changed in a way that changes the count.
    void countchanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QDate today() const { return today_ ? today_() : QDate::currentDate(); }
    void settingchanged(Setting which);
    void afterdeletion();
    void swaprows(int row, int other);
    int selectedrow() const;

    Database &db_;
    Settings &settings_;
    TForm3 *editor_ = nullptr;
    std::function<QDate()> today_;
    std::function<QString(QDate)> namedaytext_;
    QTreeWidget *sevendays_ = nullptr;
    QLabel *nobody_ = nullptr;
};
