#pragma once
// The calendar record editor: text, icon, time, reminder with its melody and
// the repetition of one record of the calendar, plus the custom melodies.

#include <QDialog>

#include <array>
#include <functional>

class Database;
class ElidingComboBox;
class MelodyPlayer;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;
class QTimer;
class QToolButton;
class Settings;

// The repetition panel's width animation: the window is 400 pixels wide with
// the panel closed and 597 with it open.
namespace repeatpanel {
constexpr int closedwidth = 400;
constexpr int openwidth = 597;
// One tick: the next width; `step` grows by a fifth; `done` when it arrived.
int nextwidth(int width, double &step, bool &done);
} // namespace repeatpanel

// The 3 x 3 grid of calendar icons: cells of 40 pixels with 1-pixel lines.
class IconGrid : public QWidget
{
    Q_OBJECT

public:
    static constexpr int pitch = 41;
    explicit IconGrid(QWidget *parent = nullptr);
    void setcurrent(int icon);

signals:
    // A button was released over the grid: the icon under it (clamped to the grid).
    void picked(int icon);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int current_ = 0;
};

// Tells that a melody cannot be played: its file and why, the reason in the
// program's language where the language file has it (the preview and the
// reminder pop-up both say it this way).
void reportmelodyfailure(const QString &file, const QString &reason);

class TForm3 : public QDialog
{
    Q_OBJECT

public:
    static inline const QString deletequestion = QStringLiteral(
        "After deleting melody every reminder which has assigned it will be set to default melody. Are you sure?");

    TForm3(Database &db, Settings &settings, MelodyPlayer &player, QWidget *parent = nullptr);

    // Asks for a melody file; the default shows the open dialog.
    void setfilechooser(std::function<QString(const QString &title)> chooser) { choosefile_ = std::move(chooser); }

    static inline const QString melodypathrefused = QStringLiteral(
        "The melody cannot be used: its path contains characters that cannot be stored:#%s#Rename the file or "
        "its folder and add it again.");

    // Rebuilds the custom entries of the melody box, after the built-in ones.
    void setcustommelodyentries(const QStringList &entries);

    // Edits record `index` of the calendar (modal). True when OK wrote it back.
    bool editrecord(int index);
    int caleditindex = -1;

    // Fills the controls from the record (the show handler).
    void FormShow();
    // Writes the controls into the record and closes.
    void BitBtn1Click(); // "OK" (okbutton): stores the record and closes

    int chosenicon = 0;

    // Controls, in the order the window shows them.
    QLabel *iconpicture = nullptr;
    QToolButton *iconbutton = nullptr;
    IconGrid *DrawGrid1 = nullptr; // the icons to choose from, shown by iconbutton
    QRadioButton *RadioButton1 = nullptr; // "Don't set time": time mode none
    QRadioButton *RadioButton2 = nullptr; // "Use only one time": "From:" alone
    QRadioButton *RadioButton3 = nullptr; // "Use both times": "From:" and "To:"
    QTimeEdit *DateTimePicker1 = nullptr; // "From:", also the time a reminder rings
    QTimeEdit *DateTimePicker2 = nullptr; // "To:", the record's end
    QWidget *reminderpanel = nullptr;
    QCheckBox *CheckBox1 = nullptr; // "Remind": arms the record's reminder
    QLabel *remindon = nullptr;
    QLabel *remindoff = nullptr;
    ElidingComboBox *melodybox = nullptr;
    QToolButton *playbutton = nullptr;
    QToolButton *stopbutton = nullptr;
    QToolButton *addmelody = nullptr;
    QToolButton *changemelody = nullptr;
    QToolButton *deletemelody = nullptr;
    QPlainTextEdit *Memo1 = nullptr; // "Text:", the title line first
    QPushButton *openrepeat = nullptr;
    QPushButton *closerepeat = nullptr;
    QToolButton *nonebutton = nullptr;
    QToolButton *weeklybutton = nullptr;
    QToolButton *monthlybutton = nullptr;
    QLabel *repeatlabel = nullptr;
    QListWidget *weekdays = nullptr;
    QListWidget *months = nullptr;
    QPushButton *okbutton = nullptr;
    QTimer *Timer1 = nullptr; // 300 ms: the preview's end
    QTimer *Timer2 = nullptr; // 5 ms: the panel's animation

    // The weekday list's entries in Monday-to-Sunday order.
    std::array<int, 7> weekdayentries() const;

    void SpeedButton1Click(); // "Add custom melody" (addmelody)
    void SpeedButton2Click(); // "Change custom melody" (changemelody): another file for it
    void SpeedButton3Click(); // "Delete custom melody" (deletemelody)
    void SpeedButton5Click(); // "Play" (playbutton): previews the chosen melody once
    void SpeedButton4Click(); // "Stop" (stopbutton): ends the preview
    void BitBtn2Click();      // either "Repeat" (openrepeat, closerepeat): slides the panel open or shut
    void BitBtn26Click();     // the arrow beside the icon (iconbutton): shows or hides DrawGrid1

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void timemodeclicked();
    void SpeedButton6Click(); // "None", "Weekly" or "Monthly": shows that repetition's list
    void CheckBox1Click(); // "Remind": the bell on or off
    void Timer1Timer(); // checks whether the preview has ended: "Play" again
    void Timer2Timer(); // one step of the panel's animation
    void seticon(int icon);
    void playerfailed(const QString &reason);
    // False (reported) when the melody's path cannot be stored in the list file.
    bool storablemelody(const QString &path);
    void setpanelwidth(int width);

    Database &db_;
    Settings &settings_;
    MelodyPlayer &player_;
    std::function<QString(const QString &)> choosefile_;
    QButtonGroup *timemodes_ = nullptr;
    QButtonGroup *kinds_ = nullptr;
    QWidget *left_ = nullptr;
    QWidget *right_ = nullptr;
    QLabel *onlyonce_ = nullptr;
    QLabel *everyweek_ = nullptr;
    QLabel *everymonth_ = nullptr;
    QLabel *addtitle_ = nullptr;
    QLabel *changetitle_ = nullptr;
    QLabel *fromlabel_ = nullptr;
    QLabel *tolabel_ = nullptr;
    double panelstep_ = 0;
    bool previewing_ = false;     // "Play" was pressed and the preview has not ended
    bool previewfailed_ = false;  // that preview's failure was reported
};
