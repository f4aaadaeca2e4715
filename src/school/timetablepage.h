#pragma once
// The Timetable page: which week and display mode are shown, and the week
// buttons. (The painted timetable and its editors sit in `timetablebox`.)

#include <QDate>
#include <QWidget>

#include <functional>

class Database;
class QPushButton;
class QToolButton;
class Settings;
enum class Setting;

class TimetablePage : public QWidget
{
    Q_OBJECT

public:
    TimetablePage(Database &db, Settings &settings, QWidget *parent = nullptr);

    void settoday(std::function<QDate()> today) { today_ = std::move(today); }

    // Week 1 or 2 (0 before start-up has chosen one).
    int weekspin = 0;
    // The week code of the lessons shown and edited.
    int weekcode = 0;
    int selectedlesson = -1;
    int hoveredlesson = -1;

    void setweek(int week);
    void weekspinChange();
    void tttypecomboChange();
    void evenbuttonClick();
    void oddbuttonClick();
    void BitBtn29Click();    // "This week"
    void SpeedButton3Click(); // "Switch weeks"
    void evenoddcheckClick();
    // Forgets the selection and the hovered lesson (a reload does this).
    void resetview();

    QToolButton *evenbutton = nullptr;
    QToolButton *oddbutton = nullptr;
    QPushButton *thisweekbutton = nullptr;
    QPushButton *switchbutton = nullptr;
    QWidget *timetablebox = nullptr;

signals:
    // The week code changed: the lesson status and the view follow.
    void weekchanged();

private:
    void settingchanged(Setting which);

    Database &db_;
    Settings &settings_;
    std::function<QDate()> today_;
};
