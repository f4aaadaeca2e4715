#pragma once
// The Timetable page: which week and display mode are shown, and the week
// buttons. (The painted timetable and its editors sit in `timetablebox`.)

#include "widgets/pagewidget.h"

class QPushButton;
class QToolButton;
enum class Setting;

class TimetablePage : public PageWidget
{
    Q_OBJECT

public:
    TimetablePage(Database &db, Settings &settings, Clock &clock, QWidget *parent = nullptr);

    // Week 1 or 2 (0 before start-up has chosen one).
    int weekspin = 0;
    // The week code of the lessons shown and edited.
    int weekcode = 0;
    int selectedlesson = -1;
    int hoveredlesson = -1;

    void setweek(int week);
    void weekspinChange(); // the shown week changed
    void tttypecomboChange(); // "Table" or "Timeline"
    void evenbuttonClick(); // "Even week"
    void oddbuttonClick(); // "Odd week"
    void BitBtn29Click();     // "This week"
    void SpeedButton3Click(); // "Switch weeks"
    void evenoddcheckClick(); // "Different timetables for even and odd weeks"
    // Forgets the selection and the hovered lesson (a reload does this).
    void resetview();
    // Paints the timetable again (the elapsed time moves on).
    void repaintview();

signals:
    // The week code changed: the lesson status and the view follow.
    void weekchanged();

private:
    void settingchanged(Setting which);

    QToolButton *evenbutton = nullptr;
    QToolButton *oddbutton = nullptr;
    QPushButton *thisweekbutton = nullptr; // "This week"
    QPushButton *switchbutton = nullptr;   // "Switch weeks"
    QWidget *timetablebox = nullptr;
};
