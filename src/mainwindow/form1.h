#pragma once
// The main window: the navigation bar on the left, the pages on the right, the
// notification-area icon, and the start-up and shut-down of the program.

#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QImage>
#include <QMainWindow>
#include <QStringList>

#include <functional>

class Database;
class CalendarPage;
class MelodyPlayer;
class OverviewPage;
class QTimer;
class TimetablePage;
class Tringform;
class TForm3;
class Language;
class NavigationBar;
class QLabel;
class QListWidget;
class QMenu;
class QStackedWidget;
class QSystemTrayIcon;
class Settings;
enum class Setting;

// Page numbers; a navigation button's image index is its page's number.
enum Page { pageoverview, pagecontacts, pagecalendar, pagetasks, pagemarks, pagenotes, pagetimetable, pagesettings, pagecount };

// A colour of the lesson colour box: R + G * 256 + B * 65536.
struct TtColor
{
    QString name;
    qint32 color;
};

// Two different tips out of `count` (-1 where there is none to show): with
// one tip only the upper place shows it, with none neither place does.
std::pair<int, int> picktwotips(int count, const std::function<int(int)> &below);

class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    static inline const QString caption = QStringLiteral("Quillmoter organizer");
    static inline const QString version = QStringLiteral("2.1");
    static inline const QString traynotice = QStringLiteral(
        "By clicking close button Quillmoter will be minimized to the notification area (icon in the "
        "lower right corner). It will be always available to restore and checking your reminders.##Using "
        "of notification area can be adjusted in settings.");
    static inline const QString traynoticecaption = QStringLiteral("Quillmoter will be minimized");
    static inline const QString newversionquestion = QStringLiteral(
        "New version of Quillmoter organizer is available!#Do you want to visit its website? (You can turn "
        "checking for new versions off in Settings tab)");
    // A build older than this asks whether to get a newer version.
    static inline const QDate newversiondate = QDate(2027, 12, 1);
    static inline const QString firstprompt = QStringLiteral(
        "The second half of the school year is coming.#Would you like to visit the Quillmoter website for tips "
        "on keeping your marks and timetable in order?");
    static inline const QString secondprompt = QStringLiteral(
        "The year is almost over!#Would you like to visit the Quillmoter website and see what is new for the "
        "next one?");

    // `arguments` without the program's name; `trayavailable` tells whether
    // the desktop has a notification area now (without one the window never
    // hides).
    TForm1(Database &db, Settings &settings, Language &language, const QStringList &arguments,
           std::function<bool()> trayavailable, QWidget *parent = nullptr);
    ~TForm1() override;

    // Settles the database folder and what lies beside the program. False
    // (reported) when the folder cannot be made: the program must end.
    bool FormCreate();
    // Checks and loads the database. False when the program must end.
    bool programstart();
    // (Re)loads the whole database into the window.
    void refreshcontent();
    void refreshnavbar();
    // Paints the navigation column and every page and dialog in the colours
    // of the settings.
    void setcolors();
    // Dialogs that take the background colour.
    void adddialog(QWidget *dialog);

    void loadsettings();
    // Writes the settings and the language choice; false (reported) on failure.
    bool savesettings();

    // Shows and activates the window (tray click, tray menu, a second start).
    void TrayIcon1Click();
    void bringtofront();
    // Design size, centred on the primary screen.
    void Obnovitokno1Click();
    // Ends the program: saves the settings and removes the tray icon.
    void FormClose();
    // "Terminate program".
    void Ukonit1Click();

    // The Overview's day block, its balloon and its count list.
    void refreshday();
    void showanniballoon();
    void refreshitemscounts();
    // The chosen name-day list changed: load it.
    void ComboBox7Change();

    // The clock the program goes by (replaceable for tests).
    void setclock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    QDateTime now() const { return clock_(); }

    // True when the window is to stay hidden at start ("-h" with a tray).
    bool startshidden() const;
    // Whether closing hides the window to the notification area.
    bool hidestotray() const;
    void showmainwindow();

    QStackedWidget *PageControl1 = nullptr;
    NavigationBar *ButtonGroup1 = nullptr;
    QSystemTrayIcon *TrayIcon1 = nullptr;
    QMenu *traymenu = nullptr;
    // The "Show tabs" list: one checkable row per middle page.
    QListWidget *CheckListBox2 = nullptr;
    QWidget *navcolumn = nullptr;

    QSize designsize;
    QDate lastday;
    QImage clockface; // blank when "clock.bmp" is missing
    QList<TtColor> ttcolors;
    QStringList tips; // "icon$text[link]" lines
    OverviewPage *Overview = nullptr;
    CalendarPage *Calendar = nullptr;
    TimetablePage *Timetable = nullptr;
    // The calendar record editor, created by the program entry.
    void setrecordeditor(TForm3 *editor);
    // The reminder pop-up and the player it shares with the editor.
    void setringform(Tringform *ringform, MelodyPlayer *player);

    // The 50 ms tick: day change, clock, lesson status, reminders, melody.
    void Timer1Timer();
    QTimer *Timer1 = nullptr;
    // Interval time summed since the timetable was last repainted.
    int tickms = 0;
    int currentlesson = -1;
    // The week code of today's lessons.
    int currentweekcode(QDate today) const;

    // The day checks: the new-version notice and the two yearly prompts.
    void checkevents();
    void showwebprompt(int day, int month, const QString &text, bool &asking);
    // True once the program has been asked to end (before its event loop runs, too).
    bool ended() const { return ended_; }
    // The loaded name-day list, one line per day (empty when none is loaded).
    QStringList anniversaries;
    // The count texts of contacts, calendar records, tasks and notes.
    QString contactcounttext, calcounttext, taskcounttext, memocounttext;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void endprogram();
    QString makerpage() const;
    void FormShow();
    void tipclicked(int place);
    QString dateline(QDate today) const;
    void addttcolor(const QString &name, int red, int green, int blue);
    void settingchanged(Setting which);
    void applygeometry();
    void report(const QString &format, const QStringList &args = {});

    Database &db_;
    Settings &settings_;
    Language &language_;
    QStringList arguments_;
    std::function<bool()> trayavailable_;
    bool terminating_ = false;
    bool startmaximized_ = false;
    QList<QWidget *> dialogs_;
    QLabel *overviewlabel_ = nullptr;
    QLabel *settingslabel_ = nullptr;
    QLabel *welcomelabel_ = nullptr;
    QLabel *versionlabel_ = nullptr;
    QLabel *unfiledlabel_ = nullptr;
    QMap<QString, QString> namedaylists_; // name-day list -> its file
    QString loadedlist_;
    TForm3 *editor_ = nullptr;
    Tringform *ringform_ = nullptr;
    MelodyPlayer *player_ = nullptr;
    bool versionasking_ = false;
    bool firstpromptasking_ = false;
    bool secondpromptasking_ = false;
    bool daychanging_ = false;
    bool ended_ = false;
    QTime clockshown_;
    bool clockdigital_ = false;
    std::function<QDateTime()> clock_ = [] { return QDateTime::currentDateTime(); };
};
