#pragma once
// The program's windows, by the class names they keep:
//   TForm1     the main window: navigation bar, pages, tray icon, main timer
//   TForm2     the contact editor (organizer/form2.h)
//   TForm3     the calendar record editor (organizer/form3.h)
//   TForm4     the name dialog (widgets/form4.h)
//   Tringform  the reminder pop-up (mainwindow/ringform.h)
//   TAboutBox  the about box (mainwindow/aboutbox.h)
// The main window composes the pages from the page table and never relays
// between them: each page refreshes itself from the database, the settings
// and the clock.

#include "database/database.h"
#include "mainwindow/daychecks.h"
#include "widgets/pagetable.h"

#include <QMainWindow>
#include <QSize>
#include <QStringList>

#include <functional>
#include <limits>

class Clock;
class Database;
class Language;
class MelodyPlayer;
class NavigationBar;
class OverviewPage;
class QLabel;
class QMenu;
class QStackedWidget;
class QSystemTrayIcon;
class QTimer;
class Settings;
class TAboutBox;
class TForm2;
class TForm3;
class TForm4;
class TimetablePage;
class Tringform;
enum class Setting;

class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    static inline const QString caption = QStringLiteral("Quillmoter organizer");
    static inline const QString traynotice = QStringLiteral(
        "By clicking close button Quillmoter will be minimized to the notification area (icon in the "
        "lower right corner). It will be always available to restore and checking your reminders.##Using "
        "of notification area can be adjusted in settings.");
    static inline const QString traynoticecaption = QStringLiteral("Quillmoter will be minimized");
    // `arguments` without the program's name; `trayavailable` tells whether
    // the desktop has a notification area now (without one the window never
    // hides).
    TForm1(Database &db, Settings &settings, Language &language, Clock &clock, const QStringList &arguments,
           std::function<bool()> trayavailable, QWidget *parent = nullptr);
    ~TForm1() override;

    // Settles the database folder and what lies beside the program. False
    // (reported) when the folder cannot be made: the program must end.
    bool FormCreate();
    // Checks and loads the database. False when the program must end.
    bool programstart();
    // (Re)loads the whole database; the pages follow.
    void refreshcontent();
    void refreshnavbar();
    // Paints the navigation column and every page and dialog in the colours
    // of the settings.
    void setcolors();
    // Dialogs that take the background colour.
    void adddialog(QWidget *dialog);
    // The name dialog, made by the program entry, for the pages that ask for names.
    void setnamedialog(TForm4 *dialog);
    // The contact and calendar record editors, made by the program entry.
    void seteditors(TForm2 *contacteditor, TForm3 *recordeditor);
    // The reminder pop-up and the player it shares with the editor.
    void setringform(Tringform *ringform, MelodyPlayer *player);
    // The about box, shown by "About..." and the Overview's link.
    void setaboutbox(TAboutBox *box) { aboutbox_ = box; }
    void BitBtn15Click(); // "About..."
    OverviewPage *overview() const { return overview_; }
    // A page of the stack, for the start to hand it the windows it opens.
    QWidget *page(Page which) const;

    void loadsettings();
    // Writes the settings and the language choice; false (reported) on failure.
    bool savesettings();

    // Shows and activates the window (tray click, tray menu, a second start).
    void TrayIcon1Click(); // the tray icon, "Open Quillmoter", a second start
    void bringtofront();
    // Design size, centred on the primary screen.
    void Obnovitokno1Click(); // tray menu "Restore window"
    // Ends the program: saves the settings and removes the tray icon.
    void FormClose();
    void Ukonit1Click(); // tray menu "Terminate program"
    // The balloon with today's name day and the next birthday and name day.
    void showanniballoon();

    // True when the window is to stay hidden at start ("-h" with a tray).
    bool startshidden() const;
    // Whether closing hides the window to the notification area.
    bool hidestotray() const;
    void showmainwindow();

    // The 50 ms tick: day change, the Overview's clock and lessons,
    // reminders and their melody.
    void Timer1Timer();
    // Interval time summed since the timetable was last repainted.
    int tickms() const { return tickms_; }

    // The day checks: the new-version notice and the two yearly prompts.
    void checkevents();
    // True once the program has been asked to end (before its event loop runs, too).
    bool ended() const { return ended_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *buildnavcolumn(QWidget *parent);
    void buildtray();
    void endprogram();
    // The melody starts again while its reminder's pop-up is up.
    void keepmelodyplaying();
    // Every tick on the Overview counts towards the timetable's repaint once a minute.
    void counttimetablerepaint();
    void settingchanged(Setting which);
    void applygeometry();
    void report(const QString &format, const QStringList &args = {});
    // Shows the problems gathered since the start began, in one message.
    void showstartreports();

    Database &db_;
    Settings &settings_;
    Language &language_;
    Clock &clock_;
    QStringList arguments_;
    std::function<bool()> trayavailable_;
    QSize designsize;
    bool terminating_ = false;
    bool startmaximized_ = false;
    DayChecks daychecks_;
    bool ended_ = false;
    int tickms_ = 0;
    qint64 tickedsecond_ = std::numeric_limits<qint64>::min(); // the last second the tick worked through
    bool overviewshown_ = true;
    QList<QWidget *> dialogs_;
    QList<DbMessage> startreports_;
    Tringform *ringform_ = nullptr;
    TAboutBox *aboutbox_ = nullptr;
    MelodyPlayer *player_ = nullptr;

    QWidget *navcolumn = nullptr;
    NavigationBar *ButtonGroup1 = nullptr; // the navigation bar
    QStackedWidget *PageControl1 = nullptr; // the pages, switched by the bar
    OverviewPage *overview_ = nullptr;
    TimetablePage *timetable_ = nullptr;
    QSystemTrayIcon *TrayIcon1 = nullptr; // the notification-area icon
    QMenu *traymenu = nullptr;
    QLabel *versionlabel_ = nullptr;
    QLabel *unfiledlabel_ = nullptr;
    static constexpr int tickinterval = 50;
    QTimer *Timer1 = nullptr; // the main timer, every `tickinterval` ms
};
