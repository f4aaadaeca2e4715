#include "database/settings.h"

#include "platform/dateformat.h"
#include "platform/inifile.h"

#include <QLocale>

#include <algorithm>
#include <iterator>
#include <limits>
#include <optional>

namespace {

// What a value is held to.
enum class Limit {
    none,
    clamp,       // a spin field: low to high
    index,       // a selection box: low to high, else the default
    selection,   // a selection box: low to high, else no selection (-1)
    dateformat,  // one of dateformats(), case ignored, else the default
    namedaylist, // never empty; at load chosen from the lists beside the program
};

// What load() does after setting the value.
enum class Then { nothing, notify, notifywhentrue };

// Where the default comes from when not from the table.
enum class From { table, designwidth, designheight, welcomenote };

struct Row
{
    Setting which;
    const char *key;
    SettingKind kind;
    qint64 number = 0;        // default of flags, numbers and colours; of times in minutes
    const char *text = "";    // default of texts
    Limit limit = Limit::none;
    int low = 0;
    int high = 0;
    Then then = Then::nothing;
    From from = From::table;
};

constexpr Row flagrow(Setting s, const char *key, bool def, Then then = Then::nothing)
{
    return {s, key, SettingKind::flag, def, "", Limit::none, 0, 0, then};
}
constexpr Row numberrow(Setting s, const char *key, int def, Limit limit = Limit::none, int low = 0,
                        int high = 0)
{
    return {s, key, SettingKind::number, def, "", limit, low, high};
}
constexpr Row timerow(Setting s, const char *key, int hour)
{
    return {s, key, SettingKind::time, hour * 60};
}
constexpr Row colourrow(Setting s, const char *key, quint32 def)
{
    return {s, key, SettingKind::colour, def};
}
constexpr Row textrow(Setting s, const char *key, const char *def, Limit limit = Limit::none,
                      Then then = Then::nothing)
{
    return {s, key, SettingKind::text, 0, def, limit, 0, 0, then};
}
constexpr Row from(Row row, From source)
{
    row.from = source;
    return row;
}

// The load order. Window values are read right after "rememberwindowsize";
// a window left off every screen is dealt with by placewindow().
constexpr Row rows[] = {
    flagrow(Setting::inschool, "InSchool", true, Then::notify),
    flagrow(Setting::twoweeks, "2weeks", false, Then::notify),
    flagrow(Setting::weekendeducation, "weekendeducation", false),
    numberrow(Setting::tttype, "tttype", 0, Limit::selection, 0, 1),
    numberrow(Setting::showlessonsspin, "showlessonsspin", 15, Limit::clamp, 1, 15),
    numberrow(Setting::lessoninpixels, "lessoninpixels", 75, Limit::clamp, 1, 99),
    timerow(Setting::timelinepicker1, "timelinepicker1", 8),
    timerow(Setting::timelinepicker2, "timelinepicker2", 18),
    flagrow(Setting::showelapsedcheck, "showelapsedcheck", true),
    flagrow(Setting::hidetips, "hidetips15", false, Then::notify),
    flagrow(Setting::checkversion, "checkversion", true),
    flagrow(Setting::trayed, "trayed", false),
    flagrow(Setting::startup, "startup", true, Then::notify),
    flagrow(Setting::usetray, "usetray", true, Then::notify),
    flagrow(Setting::digitalclock, "digitalclock", false),
    flagrow(Setting::showcalbar, "showcalbar", true, Then::notify),
    flagrow(Setting::showmoon, "showmoon", true, Then::notify),
    flagrow(Setting::showballoon, "showballoon", true),
    flagrow(Setting::countanniversaries, "countanniversaries", true, Then::notify),
    flagrow(Setting::rememberwindowsize, "rememberwindowsize", true),
    from(numberrow(Setting::windowwidth, "windowwidth", 0), From::designwidth),
    from(numberrow(Setting::windowheight, "windowheight", 0), From::designheight),
    // Beyond any screen, so a missing position is never used.
    numberrow(Setting::windowleft, "windowleft", 31000),
    numberrow(Setting::windowtop, "windowtop", 31000),
    flagrow(Setting::maximized, "maximized", false),
    flagrow(Setting::donationhidden, "hidedonation2.1", false, Then::notifywhentrue),
    numberrow(Setting::suma, "suma", 0, Limit::index, 0, 2),
    colourrow(Setting::barcolor, "barcolor", defaultcolour),
    colourrow(Setting::bgcolor, "bgcolor", defaultcolour),
    textrow(Setting::extedit, "extedit", ""),
    numberrow(Setting::memoedit, "memoedit", 1, Limit::index, 0, 3),
    // Start-up relies on this one to fill the Overview's welcome line.
    from(textrow(Setting::welcomenote, "welcomenote", "", Limit::none, Then::notify), From::welcomenote),
    numberrow(Setting::weekstarts, "weekstarts", 0, Limit::index, 0, 1),
    textrow(Setting::dateformat, "dateformat", "dddd, d. mmmm yyyy", Limit::dateformat, Then::notify),
    flagrow(Setting::button1visible, "button1visible", true),
    flagrow(Setting::button2visible, "button2visible", true),
    flagrow(Setting::button3visible, "button3visible", true),
    flagrow(Setting::button4visible, "button4visible", true),
    flagrow(Setting::button5visible, "button5visible", true),
    flagrow(Setting::button6visible, "button6visible", true),
    flagrow(Setting::shownamedays, "shownamedays", true, Then::notify),
    textrow(Setting::annilang, "annilang", "czech", Limit::namedaylist, Then::notify),
};
static_assert(std::size(rows) == settingcount);
static_assert([] {
    for (int i = 0; i < settingcount; ++i) {
        if (rows[i].which != Setting(i))
            return false;
    }
    return true;
}(), "rows must follow the order of Setting");

// The file's key order when saving, which is not the load order.
constexpr Setting saveorder[] = {
    Setting::inschool, Setting::twoweeks, Setting::weekendeducation, Setting::hidetips,
    Setting::checkversion, Setting::trayed, Setting::startup, Setting::usetray,
    Setting::digitalclock, Setting::showmoon, Setting::showcalbar, Setting::showballoon,
    Setting::countanniversaries, Setting::donationhidden, Setting::rememberwindowsize,
    Setting::windowwidth, Setting::windowheight, Setting::windowleft, Setting::windowtop,
    Setting::maximized, Setting::showlessonsspin, Setting::lessoninpixels,
    Setting::timelinepicker1, Setting::timelinepicker2, Setting::showelapsedcheck,
    Setting::tttype, Setting::suma, Setting::barcolor, Setting::bgcolor, Setting::extedit,
    Setting::welcomenote, Setting::memoedit, Setting::weekstarts, Setting::dateformat,
    Setting::shownamedays, Setting::annilang, Setting::button1visible, Setting::button2visible,
    Setting::button3visible, Setting::button4visible, Setting::button5visible,
    Setting::button6visible,
};
static_assert(std::size(saveorder) == settingcount);

const Row &rowof(Setting which)
{
    return rows[int(which)];
}

struct NamedColour
{
    const char *name;
    quint32 value;
};

constexpr NamedColour namedcolours[] = {
    {"clBlack", 0x00000000},  {"clMaroon", 0x00000080}, {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},  {"clNavy", 0x00800000},   {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},   {"clGray", 0x00808080},   {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},    {"clLime", 0x0000FF00},   {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},   {"clFuchsia", 0x00FF00FF}, {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},  {"clMoneyGreen", 0x00C0DCC0}, {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF},  {"clMedGray", 0x00A4A0A0},
};

bool alldigits(QStringView s, int base)
{
    if (s.isEmpty())
        return false;
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        const bool digit = u >= u'0' && u <= u'9';
        const bool hex = (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        if (!digit && !(base == 16 && hex))
            return false;
    }
    return true;
}

// Decimal, or hexadecimal after "$", "0x" or "0X", with an optional sign.
// Hexadecimal is a 32-bit pattern ("$FFFFFFFF" is -1); anything else that
// does not fit 32 bits does not convert.
std::optional<qint32> readinteger(QStringView s)
{
    s = s.trimmed();
    bool negative = false;
    if (s.startsWith(u'-') || s.startsWith(u'+')) {
        negative = s.front() == u'-';
        s = s.mid(1);
    }
    int base = 10;
    if (s.startsWith(u'$')) {
        base = 16;
        s = s.mid(1);
    } else if (s.startsWith(u"0x") || s.startsWith(u"0X")) {
        base = 16;
        s = s.mid(2);
    }
    if (!alldigits(s, base))
        return std::nullopt;
    bool ok = false;
    const qulonglong magnitude = s.toULongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
        const quint32 bits = negative ? quint32(0) - quint32(magnitude) : quint32(magnitude);
        return qint32(bits);
    }
    const qulonglong limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
    if (magnitude > limit)
        return std::nullopt;
    return negative ? qint32(-qint64(magnitude)) : qint32(magnitude);
}

// Removes a 12-hour marker ("AM", "PM" or the locale's own) from either end
// of `s`; 0 none, 1 AM, 2 PM.
int takeampm(QString &s)
{
    const QLocale locale = QLocale::system();
    const struct
    {
        QString text;
        int marker;
    } markers[] = {{QStringLiteral("AM"), 1}, {QStringLiteral("PM"), 2}, {locale.amText(), 1}, {locale.pmText(), 2}};
    for (const auto &m : markers) {
        if (m.text.isEmpty())
            continue;
        if (s.endsWith(m.text, Qt::CaseInsensitive)) {
            s = s.chopped(m.text.size()).trimmed();
            return m.marker;
        }
        if (s.startsWith(m.text, Qt::CaseInsensitive)) {
            s = s.mid(m.text.size()).trimmed();
            return m.marker;
        }
    }
    return 0;
}

// As the system reads a time: "H", "H:mm" or "H:mm:ss" (one or two digits a
// field), on a 24-hour clock or with AM/PM ("1:30:00 PM" is 13:30, "12 AM"
// midnight); else in the locale's own long or short time format.
std::optional<QTime> readtime(const QString &stored)
{
    QString s = stored.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    const int marker = takeampm(s);
    const QStringList parts = s.split(QLatin1Char(':'));
    bool fieldsok = parts.size() <= 3;
    int fields[3] = {0, 0, 0};
    for (qsizetype i = 0; fieldsok && i < parts.size(); ++i) {
        fieldsok = parts[i].size() <= 2 && alldigits(parts[i], 10);
        if (fieldsok)
            fields[i] = parts[i].toInt();
    }
    if (fieldsok) {
        if (marker != 0) {
            if (fields[0] > 12)
                return std::nullopt;
            fields[0] = fields[0] % 12 + (marker == 2 ? 12 : 0);
        }
        const QTime t(fields[0], fields[1], fields[2]);
        if (t.isValid())
            return t;
        return std::nullopt;
    }
    for (const QLocale::FormatType format : {QLocale::LongFormat, QLocale::ShortFormat}) {
        const QTime t = QLocale::system().toTime(stored.trimmed(), format);
        if (t.isValid())
            return t;
    }
    return std::nullopt;
}

std::optional<quint32> readcolour(const QString &s)
{
    const QString name = s.trimmed();
    for (const NamedColour &c : namedcolours) {
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.value;
    }
    if (const std::optional<qint32> n = readinteger(name))
        return quint32(*n);
    return std::nullopt;
}

QString colourtext(quint32 value)
{
    for (const NamedColour &c : namedcolours) {
        if (c.value == value)
            return QLatin1String(c.name);
    }
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

QVariant defaultvalue(const Row &row, const LoadContext &context)
{
    switch (row.from) {
    case From::designwidth: return context.designsize.isValid() ? context.designsize.width() : 0;
    case From::designheight: return context.designsize.isValid() ? context.designsize.height() : 0;
    case From::welcomenote: return context.welcomenote;
    case From::table: break;
    }
    switch (row.kind) {
    case SettingKind::flag: return row.number != 0;
    case SettingKind::number: return int(row.number);
    case SettingKind::time: return QTime(int(row.number / 60), int(row.number % 60));
    case SettingKind::colour: return quint32(row.number);
    case SettingKind::text: return QString::fromLatin1(row.text);
    }
    return {};
}

// Holds `value` (already of the row's kind) to the row's limits.
QVariant normalised(const Row &row, const QVariant &value, const QVariant &fallback)
{
    switch (row.kind) {
    case SettingKind::number: {
        const int n = value.toInt();
        if (row.limit == Limit::clamp)
            return qBound(row.low, n, row.high);
        if (row.limit == Limit::index && (n < row.low || n > row.high))
            return fallback;
        if (row.limit == Limit::selection && (n < row.low || n > row.high))
            return -1;
        return n;
    }
    case SettingKind::time:
        return value.toTime().isValid() ? value : fallback;
    case SettingKind::colour:
        // The high byte would name a system colour, which has no meaning here.
        return (value.toUInt() & 0xFF000000u) == 0 ? value : fallback;
    case SettingKind::text: {
        const QString text = value.toString();
        if (row.limit == Limit::dateformat) {
            const qsizetype at = dateformatindex(text);
            return at < 0 ? fallback : QVariant(dateformats().at(at));
        }
        if (row.limit == Limit::namedaylist && text.isEmpty())
            return fallback;
        return text;
    }
    case SettingKind::flag:
        break;
    }
    return value;
}

// The stored text read as the row's kind, or nothing when it does not convert.
QVariant parsed(const Row &row, const QString &stored)
{
    switch (row.kind) {
    case SettingKind::flag:
        if (const std::optional<qint32> n = readinteger(stored))
            return *n != 0;
        return {};
    case SettingKind::number:
        if (const std::optional<qint32> n = readinteger(stored))
            return int(*n);
        return {};
    case SettingKind::time:
        if (const std::optional<QTime> t = readtime(stored))
            return *t;
        return {};
    case SettingKind::colour:
        if (const std::optional<quint32> c = readcolour(stored))
            return *c;
        return {};
    case SettingKind::text:
        return stored;
    }
    return {};
}

QString storedtext(const Row &row, const QVariant &value)
{
    switch (row.kind) {
    case SettingKind::flag: return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case SettingKind::number: return QString::number(value.toInt());
    case SettingKind::time: return value.toTime().toString(QStringLiteral("H:mm:ss"));
    case SettingKind::colour: return colourtext(value.toUInt());
    case SettingKind::text: return value.toString();
    }
    return {};
}

// The last list equal to `stored` (case counts), else the first; with no
// lists the stored name stays so that a later save keeps it.
QString chosenlist(const QString &stored, const QStringList &lists)
{
    if (lists.isEmpty())
        return stored;
    const qsizetype at = lists.lastIndexOf(stored);
    return lists.at(at < 0 ? 0 : at);
}

} // namespace

QString settingkey(Setting which)
{
    return QLatin1String(rowof(which).key);
}

SettingKind settingkind(Setting which)
{
    return rowof(which).kind;
}

Setting buttonvisible(int n)
{
    Q_ASSERT(n >= 1 && n <= 6);
    return Setting(int(Setting::button1visible) + qBound(1, n, 6) - 1);
}

bool isbuttonvisible(Setting which)
{
    return which >= Setting::button1visible && which <= buttonvisible(6);
}

Settings::Settings(QObject *parent) : QObject(parent)
{
    const LoadContext none;
    for (const Row &row : rows)
        values_[int(row.which)] = defaultvalue(row, none);
}

bool Settings::flag(Setting which) const
{
    Q_ASSERT(settingkind(which) == SettingKind::flag);
    return values_[int(which)].toBool();
}

int Settings::number(Setting which) const
{
    Q_ASSERT(settingkind(which) == SettingKind::number);
    return values_[int(which)].toInt();
}

QTime Settings::time(Setting which) const
{
    Q_ASSERT(settingkind(which) == SettingKind::time);
    return values_[int(which)].toTime();
}

quint32 Settings::colour(Setting which) const
{
    Q_ASSERT(settingkind(which) == SettingKind::colour);
    return values_[int(which)].toUInt();
}

QString Settings::text(Setting which) const
{
    Q_ASSERT(settingkind(which) == SettingKind::text);
    return values_[int(which)].toString();
}

void Settings::setflag(Setting which, bool value)
{
    assign(which, SettingKind::flag, value);
}

void Settings::setnumber(Setting which, int value)
{
    assign(which, SettingKind::number, value);
}

void Settings::settime(Setting which, QTime value)
{
    assign(which, SettingKind::time, value);
}

void Settings::setcolour(Setting which, quint32 value)
{
    assign(which, SettingKind::colour, value);
}

void Settings::settext(Setting which, const QString &value)
{
    assign(which, SettingKind::text, value);
}

void Settings::assign(Setting which, SettingKind kind, QVariant value)
{
    const Row &row = rowof(which);
    Q_ASSERT(row.kind == kind);
    if (row.kind != kind)
        return;
    value = normalised(row, value, defaultvalue(row, LoadContext()));
    QVariant &slot = values_[int(which)];
    if (slot == value)
        return;
    slot = value;
    emit changed(which);
}

void Settings::load(const IniFile &ini, const LoadContext &context)
{
    loading_ = true;
    for (const Row &row : rows) {
        const QVariant fallback = defaultvalue(row, context);
        const QString stored = ini.readstring(settingssection, QLatin1String(row.key), storedtext(row, fallback));
        QVariant value = parsed(row, stored);
        value = value.isValid() ? normalised(row, value, fallback) : fallback;
        if (row.limit == Limit::namedaylist)
            value = chosenlist(value.toString(), context.namedaylists);
        values_[int(row.which)] = value;

        if (row.then == Then::notify || (row.then == Then::notifywhentrue && value.toBool()))
            emit changed(row.which);
        // The last window value: the window can be placed now.
        if (row.which == Setting::maximized)
            emit geometryloaded();
    }
    loading_ = false;
}

void Settings::save(IniFile &ini) const
{
    for (const Setting which : saveorder) {
        const Row &row = rowof(which);
        ini.writestring(settingssection, QLatin1String(row.key), storedtext(row, values_[int(which)]));
    }
}

bool savesettings(const Settings &settings, const QString &path, QString *error)
{
    IniFile ini(path);
    settings.save(ini);
    return ini.save(error);
}

QRect restoredwindow(QSize designsize, QRect primaryscreen)
{
    // Division truncates toward zero, also for a window larger than the screen.
    const int left = primaryscreen.x() + (primaryscreen.width() - designsize.width()) / 2;
    const int top = primaryscreen.y() + (primaryscreen.height() - designsize.height()) / 2;
    return QRect(QPoint(left, top), designsize);
}

namespace {

// Whether the window ends within `screen`'s right and bottom edges with its
// top edge on it and at least minimumvisible pixels of its top rows across
// it, so all of it can be seen that lies right of its left edge and its
// title bar can be grabbed. A left edge beyond the screen's left is kept.
// 64-bit, so stored values at the ends of the int range are harmless.
bool fitson(qint64 left, qint64 top, qint64 width, qint64 height, const QRect &screen)
{
    if (width < minimumvisible || height < minimumvisible)
        return false;
    const qint64 right = qint64(screen.x()) + screen.width();
    const qint64 bottom = qint64(screen.y()) + screen.height();
    return left + width <= right && top + height <= bottom && top >= screen.y()
           && left + width - std::max<qint64>(left, screen.x()) >= minimumvisible;
}

} // namespace

QRect placewindow(const Settings &settings, QSize designsize, const QList<QRect> &screens,
                  QRect primaryscreen, QSize minimum)
{
    if (settings.flag(Setting::rememberwindowsize)) {
        const qint64 left = settings.number(Setting::windowleft);
        const qint64 top = settings.number(Setting::windowtop);
        const qint64 width = std::max<qint64>(settings.number(Setting::windowwidth), minimum.width());
        const qint64 height = std::max<qint64>(settings.number(Setting::windowheight), minimum.height());
        // The far edges must stay in int range for QRect.
        const qint64 intmax = std::numeric_limits<int>::max();
        if (left + width <= intmax && top + height <= intmax) {
            for (const QRect &screen : screens) {
                if (fitson(left, top, width, height, screen))
                    return QRect(int(left), int(top), int(width), int(height));
            }
        }
    }
    return restoredwindow(designsize.expandedTo(minimum), primaryscreen);
}

bool placemaximized(const Settings &settings)
{
    return settings.flag(Setting::rememberwindowsize) && settings.flag(Setting::maximized);
}
