#pragma once
// The user's settings: one object that the pages read and the Settings page
// edits, loaded from "settings.ini" (section "Settings") once at start and
// written back when the program closes or hides to the tray. Every key's
// name, kind, default and limits are kept in one table in settings.cpp.

#include <QList>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>

#include <array>

class IniFile;

// One value per stored setting, in the order they are loaded.
enum class Setting {
    inschool,
    twoweeks,
    weekendeducation,
    tttype,          // 0 table, 1 timeline
    showlessonsspin, // 1 to 15
    lessoninpixels,  // 1 to 99
    timelinepicker1,
    timelinepicker2,
    showelapsedcheck,
    hidetips,
    checkversion,
    trayed,          // the hide-to-tray notice has been shown
    startup,
    usetray,
    digitalclock,
    showcalbar,
    showmoon,
    showballoon,
    countanniversaries,
    rememberwindowsize,
    windowwidth, // the window's normal geometry, stored as it is
    windowheight,
    windowleft,
    windowtop,
    maximized,
    donationhidden,
    suma,     // marks format: 0 averages, 1 sum, 2 ABCDF
    barcolor, // colours are $00BBGGRR
    bgcolor,
    extedit,  // path of the other note editor
    memoedit, // 0 built-in, 1 WordPad, 2 Word, 3 other program
    welcomenote,
    weekstarts, // 0 Monday, 1 Sunday
    dateformat, // always one of dateformats()
    button1visible, // the "Show tabs" entries, see buttonvisible()
    button2visible,
    button3visible,
    button4visible,
    button5visible,
    button6visible,
    shownamedays,
    annilang, // the chosen name-day list
};
inline constexpr int settingcount = int(Setting::annilang) + 1;

enum class SettingKind { flag, number, time, colour, text };

QString settingkey(Setting which);
SettingKind settingkind(Setting which);
// The "Show tabs" entry n, 1 to 6: Contacts, Calendar, Tasks, Marks, Notes, Timetable.
Setting buttonvisible(int n);
// Whether `which` is one of those six.
bool isbuttonvisible(Setting which);

inline const QString settingsfilename = QStringLiteral("settings.ini");
inline const QString settingssection = QStringLiteral("Settings");
// Shown by the caller when savesettings() fails; "%s" is the file's path.
inline const QString unabletowrite = QStringLiteral("Unable to write to %s");
inline constexpr quint32 defaultcolour = 0x00F3F3F1;

// What load() needs that the file cannot give.
struct LoadContext
{
    QSize designsize;         // the main window as created: the default window size
    QString welcomenote;      // the Overview's welcome line, translated: its default
    QStringList namedaylists; // the name-day lists beside the program, in the box's order
};

class Settings : public QObject
{
    Q_OBJECT

public:
    // Every setting at its default; the window size and welcome note, whose
    // defaults come from the LoadContext, start as 0 and empty.
    explicit Settings(QObject *parent = nullptr);

    // Getters and setters of the setting's own kind only.
    bool flag(Setting which) const;
    int number(Setting which) const;
    QTime time(Setting which) const;
    quint32 colour(Setting which) const;
    QString text(Setting which) const;

    // Numbers of spin fields are clamped to their limits; an index outside its
    // choices, an invalid time, a colour with a high byte, a date format that
    // is none of dateformats() and an empty name-day list name become the
    // default. changed() follows only when the stored value really changes.
    void setflag(Setting which, bool value);
    void setnumber(Setting which, int value);
    void settime(Setting which, QTime value);
    void setcolour(Setting which, quint32 value);
    void settext(Setting which, const QString &value);

    // Reads every setting in load order, each through the setters' rules; a
    // missing or unreadable value gives the default. Emits changed() right
    // after setting each value that has a start-up handler, whether or not it
    // changed (inschool, twoweeks, hidetips, startup, usetray, showcalbar,
    // showmoon, countanniversaries, donationhidden only when true,
    // welcomenote, dateformat, shownamedays, annilang), and geometryloaded()
    // once the window values are read. The name-day list is the last entry of
    // context.namedaylists equal to the stored name (case counts), else the
    // first; with no lists the stored name is kept.
    void load(const IniFile &ini, const LoadContext &context);
    // Writes every key in the file's save order; other keys and lines stay.
    // The caller saves the IniFile.
    void save(IniFile &ini) const;

    // True while load() runs, so handlers can tell start-up from a user change.
    bool loading() const { return loading_; }

signals:
    void changed(Setting which);
    void geometryloaded();

private:
    void assign(Setting which, SettingKind kind, QVariant value);

    std::array<QVariant, settingcount> values_;
    bool loading_ = false;
};

// Reads `path`, writes the settings into it and saves it whole. False with
// `error` set when it cannot be written, or when it exists but could not be
// read (it is then left alone rather than replaced by a partial copy).
bool savesettings(const Settings &settings, const QString &path, QString *error = nullptr);

// A stored window position is used only when the window ends within one
// screen's right and bottom edges, its top edge on that screen and its top
// rows on it for at least 40 pixels across (a negative left is kept): a
// window left partly off the screen, or on a monitor that is gone, comes back.
inline constexpr int minimumvisible = 40;

// Where the main window goes at start: the stored normal geometry when
// "rememberwindowsize" is on and it fits on one of `screens` as above, else
// the design size centred on `primaryscreen`. Pass the screens' available
// geometry. Both sizes are taken at least `minimum`, the least the window
// can be, so that a window that grows to it is still placed whole.
QRect placewindow(const Settings &settings, QSize designsize, const QList<QRect> &screens,
                  QRect primaryscreen, QSize minimum = {});
// The design size centred on the primary screen (the "Restore window" size).
QRect restoredwindow(QSize designsize, QRect primaryscreen);
// Whether the window starts maximized: only when "rememberwindowsize" is on.
bool placemaximized(const Settings &settings);
