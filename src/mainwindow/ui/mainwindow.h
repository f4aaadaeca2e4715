#pragma once
// The main window, TForm1: navigation bar, pages, tray icon, main timer.
// Every window class of the program, with its file, is listed in the
// window table of docs/developers.md.
// The main window composes the pages from the page table and never relays
// between them: each page refreshes itself from the database, the settings
// and the clock.

#include "database/database.h"
#include "mainwindow/daychecks.h"
#include "mainwindow/ui/pages.h"

#include <QMainWindow>
#include <QSize>
#include <QStringList>

#include <functional>
#include <limits>

class Clock;
class Database;
class Language;
class NavigationBar;
class QLabel;
class QMenu;
class QStackedWidget;
class QSystemTrayIcon;
class QTimer;
class Settings;
struct ProgramDialogs;
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
    // The window without its pages: FormCreate, then createpages once the
    // dialogs are made. `arguments` without the program's name;
    // `trayavailable` tells whether the desktop has a notification area now
    // (without one the window never hides).
    TForm1(Database &db, Settings &settings, Language &language, Clock &clock, const QStringList &arguments,
           std::function<bool()> trayavailable, QWidget *parent = nullptr);
    ~TForm1() override;

    // Settles the database folder and what lies beside the program. False
    // (reported) when the folder cannot be made: the program must end.
    bool FormCreate();
    // Makes the pages, each with the dialogs it opens. The dialogs outlive
    // the window; it opens some itself (the about box, the reminder pop-up
    // with its player) and follows the backup window's import.
    void createpages(ProgramDialogs &dialogs);
    const Pages &pages() const { return pages_; }
    // Checks and loads the database. False when the program must end.
    bool programstart();
    // (Re)loads the whole database; the pages follow.
    void refreshcontent();
    void refreshnavbar();
    // Paints the navigation column and every page and dialog in the colours
    // of the settings.
    void setcolors();
    void BitBtn15Click(); // "About..." under the navigation bar: opens the about box

    void loadsettings();
    // Writes the settings and the language choice; false (reported) on failure.
    bool savesettings();

    // Shows and activates the window (tray click, tray menu, a second start).
    void TrayIcon1Click(); // a click on the tray icon, its "Open Quillmoter", a second start
    void bringtofront();
    // Design size, centred on the primary screen.
    void Obnovitokno1Click(); // tray menu "Restore window": the design size again
    // Ends the program: saves the settings and removes the tray icon.
    void FormClose();
    void Ukonit1Click(); // tray menu "Terminate program": ends the program
    // The balloon with today's name day and the next birthday and name day.
    void showanniballoon();

    // True when the window is to stay hidden at start ("-h" with a tray).
    bool startshidden() const;
    // Whether closing hides the window to the notification area.
    bool hidestotray() const;
    void showmainwindow();

    // The 50 ms tick: day change, the Overview's clock and lessons,
    // reminders and their melody.
    void Timer1Timer(); // Timer1's tick
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
    QList<DbMessage> startreports_;
    ProgramDialogs *dialogs_ = nullptr;
    Pages pages_;

    QWidget *navcolumn = nullptr;
    NavigationBar *ButtonGroup1 = nullptr; // the navigation bar
    QStackedWidget *PageControl1 = nullptr; // the pages, switched by the bar
    QSystemTrayIcon *TrayIcon1 = nullptr; // the notification-area icon
    QMenu *traymenu = nullptr;
    QLabel *versionlabel_ = nullptr;
    QLabel *unfiledlabel_ = nullptr;
    static constexpr int tickinterval = 50;
    QTimer *Timer1 = nullptr; // the main timer, every `tickinterval` ms
};
