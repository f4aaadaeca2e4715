#pragma once
// The Timetable page: which week and display mode are shown, the painted
// timetable, the mouse on it, and the editors of the selected lesson.

#include "database/records.h"
#include "school/timetableview.h"
#include "widgets/ui/pagewidget.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimeEdit;
class QToolButton;
class Tprintttform;
enum class Setting;

class TimetablePage : public PageWidget
{
    Q_OBJECT

public:
    // `printform`: the print dialog, made once by the program.
    TimetablePage(Database &db, Settings &settings, Clock &clock, Tprintttform &printform,
                  QWidget *parent = nullptr);
    ~TimetablePage() override;

    // Week 1 or 2 (0 before start-up has chosen one).
    int weekspin = 0;
    // The week code of the lessons shown and edited.
    int weekcode = 0;
    int selectedlesson = -1;
    int hoveredlesson = -1;
    int lasthoveredlesson = -1;
    // The lesson being placed with "New lesson", or a copy of the one dragged.
    TLessonRec lessoninhand;
    bool dragging = false;
    // From the left edge of the lesson in hand to where the pointer holds it.
    int grabx = 0;
    // False while the editors are being filled: they store nothing then.
    bool editorsfilled = false;
    int ttfirstminute = 8 * 60;
    int ttlastminute = 18 * 60;

    void setweek(int week);
    void weekspinChange(); // the shown week changed
    void tttypecomboChange(); // "Table" or "Timeline"
    void evenbuttonClick(); // "Even week"
    void oddbuttonClick(); // "Odd week"
    void BitBtn29Click();     // "This week" (thisweekbutton): shows the current week
    void SpeedButton3Click(); // "Switch weeks" (switchbutton): exchanges the even and odd weeks' lessons
    void evenoddcheckClick(); // "Different timetables for even and odd weeks"
    // Forgets the selection, the hovered lesson and any drag (a reload does this).
    void resetview();
    // Paints the timetable again (the elapsed time moves on).
    void repaintview();

    // What the box shows now, for the painter and the print.
    TtView view() const;
    void BitBtn31Click(); // "Print": the print dialog for the week shown
    // Fills the editors from lesson `index`, or disables them for no lesson.
    void showlesson(int index);

    void timetableboxMouseDown(QPoint pos);
    void timetableboxMouseMove(QPoint pos);
    void timetableboxMouseUp();
    void timetableboxMouseLeave();
    void ttnewlessonbuttonClick();
    void ttdeletebuttonClick();
    void subjecteditChange();
    void teachereditChange();
    void classroomeditChange();
    void ttcolorboxChange();
    void lessonpicker1Change(); // "Starts:" of the selected lesson
    void lessonpicker2Change(); // "Ends:" of the selected lesson
    // Sets the start (or end) of the selected lesson, or in the Table mode of
    // its whole column in the week shown.
    void setlessontime(bool isstart, int minutes);
    void timelinepicker1Change(); // "Timeline starts:"
    void timelinepicker2Change(); // "Timeline ends:"

signals:
    // The week code changed: the lesson status and the view follow.
    void weekchanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildweekbar();
    QWidget *buildeditors();
    QWidget *buildviewcontrols();
    void settingchanged(Setting which);
    // Shows the view settings in their controls and takes the timeline range.
    void readsettings();
    void showmodecontrols();
    void paintbox();
    // The editors store only into the selected lesson, and only while they
    // show it (not a lesson the pointer hovers).
    bool editorsstore() const;
    void storetext(QLineEdit *edit, ShortString<255> TLessonRec::*field);
    void savetimetable();

    bool showingselected_ = false;
    Tprintttform &printform_;

    QToolButton *evenbutton = nullptr;
    QToolButton *oddbutton = nullptr;
    QPushButton *thisweekbutton = nullptr; // "This week"
    QPushButton *switchbutton = nullptr;   // "Switch weeks"
    QWidget *timetablebox = nullptr;
    QLineEdit *subjectedit = nullptr;
    QLineEdit *teacheredit = nullptr;
    QLineEdit *classroomedit = nullptr;
    QComboBox *ttcolorbox = nullptr;
    QTimeEdit *lessonpicker1 = nullptr;   // "Starts:" of the selected lesson
    QTimeEdit *lessonpicker2 = nullptr;   // "Ends:" of the selected lesson
    QToolButton *ttnewlessonbutton = nullptr;
    QPushButton *ttdeletebutton = nullptr;
    QCheckBox *showelapsedcheck = nullptr;
    QTimeEdit *timelinepicker1 = nullptr; // "Timeline starts:", where the timeline begins
    QTimeEdit *timelinepicker2 = nullptr; // "Timeline ends:", where the timeline ends
    QSpinBox *showlessonsspin = nullptr;
    QSpinBox *lessoninpixelsspin = nullptr;
    QList<QWidget *> timelinecontrols_; // shown only in the Timeline type
    QList<QWidget *> tablecontrols_;    // shown only in the Table type
};
