#include "database/settings.h"

#include "platform/inifile.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>
#include <vector>

using testsupport::readfile;
using testsupport::writefile;

namespace {

const LoadContext context{QSize(800, 600), QStringLiteral("Welcome!"),
                          {QStringLiteral("slovak"), QStringLiteral("czech")}};

// The text form of every value, to compare two settings objects whole.
QStringList values(const Settings &s)
{
    QStringList out;
    for (int i = 0; i < settingcount; ++i) {
        const Setting which = Setting(i);
        switch (settingkind(which)) {
        case SettingKind::flag: out << QString::number(s.flag(which)); break;
        case SettingKind::number: out << QString::number(s.number(which)); break;
        case SettingKind::time: out << s.time(which).toString(); break;
        case SettingKind::colour: out << QString::number(s.colour(which), 16); break;
        case SettingKind::text: out << s.text(which); break;
        }
    }
    return out;
}

} // namespace

class SettingsTest : public ::testing::Test
{
protected:
    QString path(const char *name = "settings.ini") const { return dir.filePath(QLatin1String(name)); }

    // Settings loaded from a file holding `lines` (CR LF added) in section "Settings".
    std::unique_ptr<Settings> loadlines(const QByteArray &lines, const LoadContext &with = context)
    {
        QByteArray body = lines;
        EXPECT_TRUE(writefile(path(), "[Settings]\r\n" + body.replace("\n", "\r\n")));
        auto s = std::make_unique<Settings>();
        s->load(IniFile(path()), with);
        return s;
    }

    QTemporaryDir dir;
};

TEST_F(SettingsTest, AFirstStartGivesEveryDefaultAndTheFirstSaveWritesThemInSaveOrder)
{
    Settings s;
    s.load(IniFile(path()), context);
    ASSERT_TRUE(savesettings(s, path()));
    EXPECT_EQ(readfile(path()), QByteArray("[Settings]\r\n"
                                           "InSchool=1\r\n2weeks=0\r\nweekendeducation=0\r\nhidetips15=0\r\n"
                                           "checkversion=1\r\ntrayed=0\r\nstartup=1\r\nusetray=1\r\n"
                                           "digitalclock=0\r\nshowmoon=1\r\nshowcalbar=1\r\nshowballoon=1\r\n"
                                           "countanniversaries=1\r\nhidedonation2.1=0\r\nrememberwindowsize=1\r\n"
                                           "windowwidth=800\r\nwindowheight=600\r\nwindowleft=31000\r\n"
                                           "windowtop=31000\r\nmaximized=0\r\nshowlessonsspin=15\r\n"
                                           "lessoninpixels=75\r\ntimelinepicker1=8:00:00\r\n"
                                           "timelinepicker2=18:00:00\r\nshowelapsedcheck=1\r\ntttype=0\r\n"
                                           "suma=0\r\nbarcolor=$00F3F3F1\r\nbgcolor=$00F3F3F1\r\nextedit=\r\n"
                                           "welcomenote=Welcome!\r\nmemoedit=1\r\nweekstarts=0\r\n"
                                           "dateformat=dddd, d. mmmm yyyy\r\nshownamedays=1\r\nannilang=czech\r\n"
                                           "button1visible=1\r\nbutton2visible=1\r\nbutton3visible=1\r\n"
                                           "button4visible=1\r\nbutton5visible=1\r\nbutton6visible=1\r\n"));

    // The window at its design size, centred on the primary screen.
    const QRect screen(0, 0, 1920, 1080);
    EXPECT_EQ(placewindow(s, QSize(800, 600), {screen}, screen), QRect(560, 240, 800, 600));
    EXPECT_FALSE(placemaximized(s));

    // A fresh object already holds the table's defaults.
    Settings fresh;
    EXPECT_TRUE(fresh.flag(Setting::inschool));
    EXPECT_EQ(fresh.number(Setting::memoedit), 1);
    EXPECT_EQ(fresh.colour(Setting::bgcolor), defaultcolour);
    EXPECT_EQ(fresh.text(Setting::dateformat), QStringLiteral("dddd, d. mmmm yyyy"));
}

TEST_F(SettingsTest, LimitsClampSpinsAndSendBadChoicesToTheDefault)
{
    const auto s = loadlines("showlessonsspin=40\nlessoninpixels=0\ntttype=2\nsuma=-1\nmemoedit=7\n"
                             "weekstarts=-1\ndateformat=dd.mm.yy\n");
    EXPECT_EQ(s->number(Setting::showlessonsspin), 15);
    EXPECT_EQ(s->number(Setting::lessoninpixels), 1);
    EXPECT_EQ(s->number(Setting::tttype), -1) << "the timetable type box has no selection";
    EXPECT_EQ(s->number(Setting::suma), 0);
    EXPECT_EQ(s->number(Setting::memoedit), 1);
    EXPECT_EQ(s->number(Setting::weekstarts), 0);
    EXPECT_EQ(s->text(Setting::dateformat), QStringLiteral("dddd, d. mmmm yyyy"));

    // Setters hold to the same limits; window values are plain.
    s->setnumber(Setting::lessoninpixels, 120);
    s->setnumber(Setting::suma, 2);
    s->setnumber(Setting::suma, 3);
    s->settext(Setting::dateformat, "");
    s->settime(Setting::timelinepicker1, QTime());
    s->setnumber(Setting::windowleft, -31000);
    EXPECT_EQ(s->number(Setting::lessoninpixels), 99);
    EXPECT_EQ(s->number(Setting::suma), 0);
    EXPECT_EQ(s->text(Setting::dateformat), QStringLiteral("dddd, d. mmmm yyyy"));
    EXPECT_EQ(s->time(Setting::timelinepicker1), QTime(8, 0));
    EXPECT_EQ(s->number(Setting::windowleft), -31000);
}

// Times are read as the system reads them, 12-hour clocks included, and the
// timetable type outside its two entries selects nothing.
TEST_F(SettingsTest, TimesOfEveryClockAndTimetableTypesOutOfRange)
{
    const struct
    {
        const char *stored;
        QTime time;
        int tttype;
    } cases[] = {
        {"1:30:00 PM", QTime(13, 30), 0}, // not a number: the default
        {"13:30:00", QTime(13, 30), 0},
        {"7", QTime(7, 0), -1},
        {"-3", QTime(8, 0), -1},
    };
    for (const auto &c : cases) {
        const auto s = loadlines(QByteArray("timelinepicker1=") + c.stored + "\ntttype=" + c.stored + "\n");
        EXPECT_EQ(s->time(Setting::timelinepicker1), c.time) << c.stored;
        EXPECT_EQ(s->number(Setting::tttype), c.tttype) << c.stored;
    }
    const auto am = loadlines("timelinepicker1=12:05 am\ntimelinepicker2=pm 12:15\ntttype=1\n");
    EXPECT_EQ(am->time(Setting::timelinepicker1), QTime(0, 5));
    EXPECT_EQ(am->time(Setting::timelinepicker2), QTime(12, 15));
    EXPECT_EQ(am->number(Setting::tttype), 1);
    EXPECT_EQ(loadlines("timelinepicker1=13:00 PM\n")->time(Setting::timelinepicker1), QTime(8, 0));

    // No selection is saved as -1 and read back as such.
    ASSERT_TRUE(savesettings(*loadlines("tttype=7\n"), path()));
    EXPECT_EQ(IniFile(path()).readstring("Settings", "tttype", ""), QStringLiteral("-1"));
}

TEST_F(SettingsTest, NumbersAndFlagsReadDecimalOrHex)
{
    EXPECT_TRUE(loadlines("2weeks=0x1\n")->flag(Setting::twoweeks));
    EXPECT_TRUE(loadlines("2weeks=$1\n")->flag(Setting::twoweeks));
    EXPECT_FALSE(loadlines("2weeks=yes\n")->flag(Setting::twoweeks));
    EXPECT_TRUE(loadlines("2weeks=-7\n")->flag(Setting::twoweeks));
    EXPECT_TRUE(loadlines("InSchool=\n")->flag(Setting::inschool)); // empty: default
    EXPECT_FALSE(loadlines("InSchool=0\n")->flag(Setting::inschool));

    const auto s = loadlines("windowwidth=$FFFFFFFF\nwindowheight=0X1f\nwindowleft=-4\nwindowtop=+12\n"
                             "memoedit=$2\n");
    EXPECT_EQ(s->number(Setting::windowwidth), -1);
    EXPECT_EQ(s->number(Setting::windowheight), 31);
    EXPECT_EQ(s->number(Setting::windowleft), -4);
    EXPECT_EQ(s->number(Setting::windowtop), 12);
    EXPECT_EQ(s->number(Setting::memoedit), 2);

    // Text that does not convert, or does not fit 32 bits, gives the default.
    for (const char *bad : {"12abc", "$", "0x", "1.5", "$1FFFFFFFF", "2147483648", "$0x10", "- 3"}) {
        const auto t = loadlines(QByteArray("windowleft=") + bad + "\nshowlessonsspin=" + bad + "\n");
        EXPECT_EQ(t->number(Setting::windowleft), 31000) << bad;
        EXPECT_EQ(t->number(Setting::showlessonsspin), 15) << bad;
    }
    EXPECT_EQ(loadlines("windowleft=-2147483648\n")->number(Setting::windowleft), -2147483647 - 1);
}

TEST_F(SettingsTest, TimesAndColoursInTheirTextForms)
{
    auto s = loadlines("timelinepicker1=7:30\ntimelinepicker2=21:05:09\nbarcolor=clWhite\nbgcolor=CLMONEYGREEN\n");
    EXPECT_EQ(s->time(Setting::timelinepicker1), QTime(7, 30));
    EXPECT_EQ(s->time(Setting::timelinepicker2), QTime(21, 5, 9));
    EXPECT_EQ(s->colour(Setting::barcolor), 0x00FFFFFFu);
    EXPECT_EQ(s->colour(Setting::bgcolor), 0x00C0DCC0u);

    s = loadlines("timelinepicker1=\ntimelinepicker2=24:00\nbarcolor=255\nbgcolor=$00123456\n");
    EXPECT_EQ(s->time(Setting::timelinepicker1), QTime(8, 0));
    EXPECT_EQ(s->time(Setting::timelinepicker2), QTime(18, 0));
    EXPECT_EQ(s->colour(Setting::barcolor), 0x000000FFu);
    EXPECT_EQ(s->colour(Setting::bgcolor), 0x00123456u);

    // Other names (system colours) and system-colour numbers are not colours here.
    for (const char *bad : {"clBtnFace", "$FF00000F", "white", "8:00"}) {
        s = loadlines(QByteArray("barcolor=") + bad + "\ntimelinepicker1=" + bad + "x\n");
        EXPECT_EQ(s->colour(Setting::barcolor), defaultcolour) << bad;
        EXPECT_EQ(s->time(Setting::timelinepicker1), QTime(8, 0)) << bad;
    }

    // Written as a name when there is one, else "$" and eight upper-case digits.
    s->setcolour(Setting::barcolor, 0x00FFFFFF);
    s->setcolour(Setting::bgcolor, 0x00ABCDEF);
    s->settime(Setting::timelinepicker1, QTime(7, 5));
    ASSERT_TRUE(savesettings(*s, path()));
    const IniFile saved(path());
    EXPECT_EQ(saved.readstring("Settings", "barcolor", ""), QStringLiteral("clWhite"));
    EXPECT_EQ(saved.readstring("Settings", "bgcolor", ""), QStringLiteral("$00ABCDEF"));
    EXPECT_EQ(saved.readstring("Settings", "timelinepicker1", ""), QStringLiteral("7:05:00"));
}

TEST_F(SettingsTest, ChoicesByText)
{
    EXPECT_EQ(loadlines("dateformat=D. MMMM YYYY\n")->text(Setting::dateformat), QStringLiteral("d. mmmm yyyy"));

    // The name-day list matches with regard to case; no match takes the first list.
    EXPECT_EQ(loadlines("annilang=Czech\n")->text(Setting::annilang), QStringLiteral("slovak"));
    EXPECT_EQ(loadlines("annilang=czech\n")->text(Setting::annilang), QStringLiteral("czech"));
    EXPECT_EQ(loadlines("")->text(Setting::annilang), QStringLiteral("czech"));
    // No list: keep what is stored, and never an empty name.
    const LoadContext nolists{QSize(800, 600), QStringLiteral("Hi"), {}};
    EXPECT_EQ(loadlines("annilang=Czech\n", nolists)->text(Setting::annilang), QStringLiteral("Czech"));
    EXPECT_EQ(loadlines("annilang=\n", nolists)->text(Setting::annilang), QStringLiteral("czech"));
    EXPECT_EQ(loadlines("", nolists)->text(Setting::annilang), QStringLiteral("czech"));

    // A stored welcome note, even an empty one, wins over the translated line.
    EXPECT_EQ(loadlines("welcomenote=Hello, class 7.B!\n")->text(Setting::welcomenote),
              QStringLiteral("Hello, class 7.B!"));
    EXPECT_EQ(loadlines("welcomenote=\n")->text(Setting::welcomenote), QString());
}

TEST_F(SettingsTest, SavingKeepsOtherKeysAndARoundTripKeepsEveryValue)
{
    auto s = loadlines("12.1.2026=1\nInSchool=0\nmystery=kept\n\n[Other]\nsuma=9\n");
    for (int round = 0; round < 2; ++round)
        ASSERT_TRUE(savesettings(*s, path()));
    const QByteArray file = *readfile(path());
    EXPECT_TRUE(file.startsWith("[Settings]\r\n12.1.2026=1\r\nInSchool=0\r\nmystery=kept\r\n2weeks=0\r\n"));
    EXPECT_TRUE(file.endsWith("button6visible=1\r\n\r\n[Other]\r\nsuma=9\r\n"));
    EXPECT_EQ(file.count("InSchool="), 1);

    // Every value other than its default survives a save and a load.
    s->setflag(Setting::inschool, true);
    for (int i = 0; i < settingcount; ++i) {
        const Setting which = Setting(i);
        switch (settingkind(which)) {
        case SettingKind::flag: s->setflag(which, !s->flag(which)); break;
        case SettingKind::number: s->setnumber(which, i % 2 ? -4 : 1); break;
        case SettingKind::time: s->settime(which, QTime(6, i, 30)); break;
        case SettingKind::colour: s->setcolour(which, 0x00010203u * quint32(i)); break;
        case SettingKind::text: s->settext(which, QStringLiteral("mm/dd ľ %1=x").arg(i)); break;
        }
    }
    s->settext(Setting::dateformat, "mm-dd");
    s->settext(Setting::annilang, "czech");
    s->setcolour(Setting::bgcolor, 0x00C0C0C0); // a named one
    ASSERT_TRUE(savesettings(*s, path()));
    Settings back;
    back.load(IniFile(path()), context);
    EXPECT_EQ(values(back), values(*s));
}

TEST_F(SettingsTest, AFileThatCannotBeWrittenIsReported)
{
    Settings s;
    QString error;
    EXPECT_FALSE(savesettings(s, dir.filePath("missing/settings.ini"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(unabletowrite, QStringLiteral("Unable to write to %s"));
}

TEST_F(SettingsTest, LoadRunsTheStartUpHandlersInOrderAndLaterOnlyRealChanges)
{
    ASSERT_TRUE(writefile(path(), "[Settings]\r\nhidedonation2.1=1\r\nInSchool=0\r\nwelcomenote=Hi\r\n"));
    Settings s;
    QStringList seen;
    const QMetaObject::Connection recording = QObject::connect(&s, &Settings::changed, [&](Setting which) {
        // Each value is in place, and the load visible, when its handler runs.
        EXPECT_TRUE(s.loading());
        QString entry = settingkey(which);
        if (which == Setting::inschool)
            entry += s.flag(which) ? "=1" : "=0";
        if (which == Setting::welcomenote)
            entry += "=" + s.text(which);
        seen << entry;
    });
    QObject::connect(&s, &Settings::geometryloaded, [&] { seen << "geometry"; });
    s.load(IniFile(path()), context);
    EXPECT_FALSE(s.loading());
    EXPECT_EQ(seen, QStringList({"InSchool=0", "2weeks", "hidetips15", "startup", "usetray", "showcalbar",
                                 "showmoon", "countanniversaries", "geometry", "hidedonation2.1",
                                 "welcomenote=Hi", "dateformat", "shownamedays", "annilang"}));

    // Without the donation hidden its handler is not run.
    seen.clear();
    ASSERT_TRUE(writefile(path(), "[Settings]\r\nhidedonation2.1=0\r\n"));
    s.load(IniFile(path()), context);
    EXPECT_FALSE(seen.contains("hidedonation2.1"));
    EXPECT_EQ(seen.size(), 13);

    std::vector<Setting> later;
    QObject::disconnect(recording);
    QObject::connect(&s, &Settings::changed, [&](Setting which) { later.push_back(which); });
    s.setflag(Setting::inschool, true);  // already true
    s.setnumber(Setting::showlessonsspin, 40); // clamps to the 15 it holds
    s.settext(Setting::dateformat, "DDDD, D. MMMM YYYY"); // the entry it holds
    s.setcolour(Setting::barcolor, defaultcolour);
    EXPECT_TRUE(later.empty());
    s.setflag(Setting::inschool, false);
    s.settext(Setting::dateformat, "YYYY-MM-DD");
    s.settext(Setting::dateformat, "yyyy-mm-dd");
    s.setnumber(Setting::windowleft, 5);
    EXPECT_EQ(later, (std::vector<Setting>{Setting::inschool, Setting::dateformat, Setting::windowleft}));
    EXPECT_EQ(s.text(Setting::dateformat), QStringLiteral("yyyy-mm-dd"));
}

TEST_F(SettingsTest, TheWindowGoesWhereItCanBeSeen)
{
    const QRect primary(0, 0, 1920, 1080);
    const QRect second(1920, 0, 1280, 1024);
    const QSize design(800, 600);
    const QRect restored(560, 240, 800, 600);
    auto place = [&](const QByteArray &lines, const QList<QRect> &screens) {
        return placewindow(*loadlines(lines), design, screens, primary);
    };

    // A window on the second monitor stays there while that monitor is present.
    const QByteArray onsecond = "windowleft=2000\nwindowtop=100\nwindowwidth=900\nwindowheight=700\n";
    EXPECT_EQ(place(onsecond, {primary, second}), QRect(2000, 100, 900, 700));
    EXPECT_EQ(place(onsecond, {primary}), restored);
    // A negative left that leaves the window on the screen is kept.
    EXPECT_EQ(place("windowleft=-4\nwindowtop=10\n", {primary}), QRect(-4, 10, 800, 600));
    // Past the right or the bottom edge it is restored, by a single pixel too.
    EXPECT_EQ(place("windowleft=1120\nwindowtop=0\n", {primary}), QRect(1120, 0, 800, 600));
    EXPECT_EQ(place("windowleft=1121\nwindowtop=0\n", {primary}), restored);
    EXPECT_EQ(place("windowleft=1880\nwindowtop=0\n", {primary}), restored);
    EXPECT_EQ(place("windowleft=100\nwindowtop=480\n", {primary}), QRect(100, 480, 800, 600));
    EXPECT_EQ(place("windowleft=100\nwindowtop=481\n", {primary}), restored);
    EXPECT_EQ(place("windowleft=100\nwindowtop=1040\n", {primary}), restored);
    EXPECT_EQ(place("windowleft=100\nwindowtop=-20\n", {primary}), restored);
    // Across two screens it must end within the one its top rows are on.
    EXPECT_EQ(place("windowleft=1500\nwindowtop=100\n", {primary, second}), QRect(1500, 100, 800, 600));
    EXPECT_EQ(place("windowleft=1500\nwindowtop=500\n", {primary, second}), restored);
    // Far to the left nothing of it is on the screen.
    EXPECT_EQ(place("windowleft=-761\nwindowtop=10\n", {primary}), restored);
    EXPECT_EQ(place("windowleft=-760\nwindowtop=10\n", {primary}), QRect(-760, 10, 800, 600));
    // A window of 899 pixels at 1000 on a screen of 1280 comes back whole.
    const QRect small(0, 0, 1280, 1024);
    EXPECT_EQ(placewindow(*loadlines("windowleft=1000\nwindowtop=50\nwindowwidth=899\nwindowheight=600\n"),
                          design, {small}, small),
              QRect(240, 212, 800, 600));
    // Both sizes count at the least the window can be.
    const QSize minimum(899, 500);
    EXPECT_EQ(placewindow(*loadlines("windowleft=400\nwindowtop=50\nwindowwidth=700\nwindowheight=400\n"), design,
                          {small}, small, minimum),
              QRect(190, 212, 899, 600));
    EXPECT_EQ(placewindow(*loadlines("windowleft=200\nwindowtop=50\nwindowwidth=700\nwindowheight=400\n"), design,
                          {small}, small, minimum),
              QRect(200, 50, 899, 500));
    // Positions never stored, nonsense sizes and values at the ends of the range.
    EXPECT_EQ(place("", {primary, second}), restored);
    EXPECT_EQ(place("windowleft=10\nwindowtop=10\nwindowwidth=0\n", {primary}), restored);
    EXPECT_EQ(place("windowleft=2147483647\nwindowtop=2147483647\nwindowwidth=2147483647\n", {primary}), restored);
    EXPECT_EQ(place("windowleft=10\nwindowtop=10\nwindowwidth=2147483647\nwindowheight=2147483647\n", {primary}),
              restored);

    // Not remembering: always the design size, never maximized.
    const QByteArray off = "rememberwindowsize=0\nwindowleft=10\nwindowtop=10\nmaximized=1\n";
    EXPECT_EQ(place(off, {primary}), restored);
    EXPECT_FALSE(placemaximized(*loadlines(off)));
    EXPECT_TRUE(placemaximized(*loadlines("maximized=1\n")));

    // A window larger than the screen is centred with the division cut toward zero.
    EXPECT_EQ(restoredwindow(QSize(1999, 1201), primary), QRect(-39, -60, 1999, 1201));
    EXPECT_EQ(restoredwindow(design, QRect(1920, 0, 1280, 1024)), QRect(2160, 212, 800, 600));
}
