#include "database/upgrade.h"

#include "database/journal.h"
#include "database/recordbytes.h"
#include "platform/ansi.h"
#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdlib>
#include <cstring>
#include <utility>

using namespace recordbytes;

namespace {

constexpr qint32 white = 0xFFFFFF;

QString withslash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

using Changes = UpgradeChanges;

// The files of a folder on disk.
class FolderSource : public UpgradeSource
{
public:
    explicit FolderSource(const QString &folder) : folder_(withslash(folder)) {}

    bool read(const QString &name, std::optional<QByteArray> &data, QString *error) const override
    {
        const QString path = folder_ + name;
        QString reason;
        data.reset();
        if (wholefile::examine(path, &reason) == wholefile::PathKind::missing)
            return true;
        data = wholefile::read(path, &reason, wholefile::recordlimit);
        if (!data) {
            *error = where(name) + QStringLiteral(": ") + reason;
            return false;
        }
        return true;
    }
    QStringList termfiles() const override
    {
        QStringList names;
        const QStringList terms = QDir(folder_ + QStringLiteral("subjects"))
                                      .entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name);
        for (const QString &term : terms)
            names << QStringLiteral("subjects/") + term;
        return names;
    }
    QString where(const QString &name) const override { return QDir::toNativeSeparators(folder_ + name); }

private:
    QString folder_;
};

// Files held in memory, by name.
class MemorySource : public UpgradeSource
{
public:
    explicit MemorySource(const QMap<QString, QByteArray> &files) : files_(files) {}

    bool read(const QString &name, std::optional<QByteArray> &data, QString *) const override
    {
        const auto it = files_.find(name);
        if (it == files_.end())
            data.reset();
        else
            data = *it;
        return true;
    }
    QStringList termfiles() const override
    {
        QStringList names;
        for (auto it = files_.begin(); it != files_.end(); ++it) {
            const QString &name = it.key();
            if (name.startsWith(QStringLiteral("subjects/")) && name.endsWith(QStringLiteral(".dat"))
                && name.count(QLatin1Char('/')) == 1)
                names << name;
        }
        return names;
    }
    QString where(const QString &name) const override { return name; }

private:
    const QMap<QString, QByteArray> &files_;
};

// A file a step converts: false only when it exists and cannot be read.
// A missing file gives `exists` false and nothing to convert.
bool readinput(const UpgradeSource &source, const QString &name, QByteArray &data, bool &exists, QString *error)
{
    std::optional<QByteArray> read;
    if (!source.read(name, read, error))
        return false;
    exists = read.has_value();
    data = exists ? std::move(*read) : QByteArray();
    return true;
}

const QString timetablefile = QStringLiteral("timetable.dat");

// The one grid record of "timetable.dat".
bool readgrid(const UpgradeSource &folder, qsizetype size, QByteArray &grid, bool &exists, QString *error)
{
    if (!readinput(folder, timetablefile, grid, exists, error))
        return false;
    if (exists && grid.size() < size) {
        *error = folder.where(timetablefile)
                 + QStringLiteral(": the file is shorter than its timetable.");
        return false;
    }
    return true;
}

// A grid of counted strings of 255, `rows` rows of `rowsize` bytes with
// cells `cellsize` apart.
struct Grid
{
    qsizetype rows, rowsize, cellsize;
    qsizetype size() const { return rows * rowsize; }
    qsizetype cell(qsizetype row, qsizetype column) const { return row * rowsize + column * cellsize; }
};
constexpr Grid grid10{10, 1792, 256};
constexpr Grid grid11{11, 1792, 256};
constexpr Grid grid12{11, 3072, 256};
constexpr Grid grid14{15, 9216, 768};
constexpr Grid grid16{15, 9264, 772};

// Rewrites the one grid of "timetable.dat" from layout `from` to `to`
// (a missing file stays missing); `fill` writes the new grid's texts from
// the old grid into a zeroed one.
template <class Fill>
bool convertgrid(const UpgradeSource &folder, const Grid &from, const Grid &to, Changes &changes, QString *error,
                 Fill fill)
{
    QByteArray old;
    bool exists = false;
    if (!readgrid(folder, from.size(), old, exists, error))
        return false;
    if (exists) {
        QByteArray grid(to.size(), '\0');
        fill(old.constData(), grid.data());
        changes.put(timetablefile, grid);
    }
    return true;
}

// Converts every whole record of `in` whose key (a counted string at
// `keyoffset`) is not empty; `convert` fills a zeroed record of `outsize`.
template <class Convert>
QByteArray convertrecords(const QByteArray &in, qsizetype insize, qsizetype keyoffset, qsizetype outsize,
                          Convert convert)
{
    const qsizetype count = in.size() / insize;
    QByteArray out;
    out.reserve(count * outsize);
    QByteArray rec(outsize, '\0');
    for (qsizetype i = 0; i < count; ++i) {
        const char *old = in.constData() + i * insize;
        if (strempty(old, keyoffset))
            continue;
        rec.fill('\0');
        convert(old, rec.data());
        out += rec;
    }
    return out;
}

// "subjects.dat" and every stored term: they hold the same records.
QStringList subjectfiles(const UpgradeSource &folder)
{
    return QStringList{QStringLiteral("subjects.dat")} + folder.termfiles();
}

// Converts the records of each subject file into `changes`.
template <class Convert>
bool convertsubjects(const UpgradeSource &folder, qsizetype insize, qsizetype outsize, Changes &changes, QString *error,
                     Convert convert)
{
    for (const QString &name : subjectfiles(folder)) {
        QByteArray data;
        bool exists = false;
        if (!readinput(folder, name, data, exists, error))
            return false;
        if (exists)
            changes.put(name, convertrecords(data, insize, 0, outsize, convert));
    }
    return true;
}


} // namespace

std::optional<int> gridtime(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    static const QRegularExpression time(QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?$"));
    const QRegularExpressionMatch m = time.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    const int hours = m.captured(1).toInt();
    const int minutes = m.captured(2).toInt();
    const int seconds = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (hours > 23 || minutes > 59 || seconds > 59)
        return std::nullopt;
    return hours * 60 + minutes;
}

namespace {

bool step10to11(const UpgradeSource &folder, Changes &changes, QString *error)
{
    const bool gridok = convertgrid(folder, grid10, grid11, changes, error, [](const char *old, char *grid) {
        putstr(grid, grid11.cell(0, 0), QStringLiteral("7:05"), 255);
        putstr(grid, grid11.cell(0, 1), QStringLiteral("7:50"), 255);
        for (int r = 0; r < grid10.rows; ++r) {
            for (int c = 0; c < 7; ++c)
                copystr(old, grid10.cell(r, c), 255, grid, grid11.cell(r + 1, c), 255);
        }
    });
    if (!gridok)
        return false;

    // Photo numbers: each contact in turn gets the smallest number that no
    // contact holds at that moment (its own old number counts as held).
    QByteArray contacts;
    bool exists = false;
    if (!readinput(folder, QStringLiteral("contacts.dat"), contacts, exists, error))
        return false;
    if (exists) {
        const qsizetype size = TContactRec::size;
        const qsizetype count = contacts.size() / size;
        std::vector<int> held(65536, 0);
        auto slot = [](qint16 number) { return size_t(quint16(number)); };
        for (qsizetype i = 0; i < count; ++i)
            ++held[slot(getint<qint16>(contacts.constData(), i * size + 3840))];
        for (qsizetype i = 0; i < count; ++i) {
            char *rec = contacts.data() + i * size;
            for (int number = 0; number <= 32767; ++number) {
                if (held[slot(qint16(number))] == 0) {
                    --held[slot(getint<qint16>(rec, 3840))];
                    ++held[slot(qint16(number))];
                    putint<qint16>(rec, 3840, qint16(number));
                    break;
                }
            }
        }
        changes.put(QStringLiteral("contacts.dat"), convertrecords(contacts, size, 0, size, [](const char *in, char *out) {
                        std::memcpy(out, in, TContactRec::size);
                    }));
    }
    return true;
}

bool step11to12(const UpgradeSource &folder, Changes &changes, QString *error)
{
    const bool gridok = convertgrid(folder, grid11, grid12, changes, error, [](const char *old, char *grid) {
        for (int r = 0; r < grid11.rows; ++r) {
            for (int c = 0; c < 7; ++c)
                copystr(old, grid11.cell(r, c), 255, grid, grid12.cell(r, c), 255);
            // The second week starts as a copy of the first.
            for (int c = 2; c < 7; ++c)
                copystr(old, grid11.cell(r, c), 255, grid, grid12.cell(r, c + 5), 255);
        }
    });
    const bool ok = gridok && convertsubjects(folder, 744, 943, changes, error, [](const char *in, char *out) {
        copystr(in, 0, 30, out, 0, 30);
        for (int i = 0; i < 100; ++i) {
            const qint16 mark = getint<qint16>(in, 32 + 2 * i);
            if (mark != -1)
                putstr(out, 31 + 4 * i, QString::number(mark).left(3), 3);
        }
        copystr(in, 232, 255, out, 431, 255);
        copystr(in, 488, 255, out, 687, 255);
    });
    return ok;
}

bool step12to13(const UpgradeSource &folder, Changes &changes, QString *error)
{
    const bool ok = convertsubjects(folder, 943, 1344, changes, error, [](const char *in, char *out) {
        copystr(in, 0, 30, out, 0, 30);
        for (int i = 0; i < 100; ++i) {
            copystr(in, 31 + 4 * i, 3, out, 32 + 8 * i, 3);
            putint<qint32>(out, 32 + 8 * i + 4, white);
        }
        copystr(in, 431, 255, out, 832, 255);
        copystr(in, 687, 255, out, 1088, 255);
    });
    if (!ok)
        return false;
    QByteArray calitems;
    bool exists = false;
    if (!readinput(folder, QStringLiteral("calitems.dat"), calitems, exists, error))
        return false;
    if (exists) {
        changes.put(QStringLiteral("calitems.dat"), convertrecords(calitems, 272, 7, 280, [](const char *in, char *out) {
                        std::memcpy(out, in, 7); // icon, start, end, time mode
                        copystr(in, 7, 255, out, 9, 255); // melody 0, not armed
                        std::memcpy(out + 272, in + 264, 8);
                    }));
    }
    return true;
}

bool step13to14(const UpgradeSource &folder, Changes &changes, QString *error)
{
    const bool ok = convertgrid(folder, grid12, grid14, changes, error, [](const char *old, char *grid) {
        for (int r = 0; r < grid12.rows; ++r) {
            for (int c = 0; c < 12; ++c)
                copystr(old, grid12.cell(r, c), 255, grid, grid14.cell(r, c), 255);
        }
        const char *times[4][2] = {{"17:35", "17:40"}, {"17:45", "18:30"}, {"18:35", "19:20"}, {"19:25", "20:10"}};
        for (int i = 0; i < 4; ++i) {
            putstr(grid, grid14.cell(11 + i, 0), QLatin1String(times[i][0]), 255);
            putstr(grid, grid14.cell(11 + i, 1), QLatin1String(times[i][1]), 255);
        }
    });
    return ok;
}

bool step14to15(const UpgradeSource &, Changes &, QString *)
{
    return true;
}

bool step15to16(const UpgradeSource &folder, Changes &changes, QString *error)
{
    const bool gridok = convertgrid(folder, grid14, grid16, changes, error, [](const char *old, char *grid) {
        for (int r = 0; r < grid14.rows; ++r) {
            for (int c = 0; c < 12; ++c) {
                for (int t = 0; t < 3; ++t)
                    copystr(old, grid14.cell(r, c) + 256 * t, 255, grid, grid16.cell(r, c) + 256 * t, 255);
                putint<qint32>(grid, grid16.cell(r, c) + 768, white);
            }
        }
    });
    const bool ok =
        gridok && convertsubjects(folder, 1344, TSubjectRec::size, changes, error, [](const char *in, char *out) {
            copystr(in, 0, 30, out, 0, 30);
            for (int i = 0; i < TSubjectRec::markcount; ++i) {
                char *mark = out + 32 + i * TMarkRec::size;
                copystr(in, 32 + 8 * i, 3, mark, 0, 3);
                putint<qint32>(mark, 260, getint<qint32>(in, 32 + 8 * i + 4));
                putdouble(mark, 264, 1.0);
            }
            copystr(in, 832, 255, out, 27232, 255);
            copystr(in, 1088, 255, out, 27488, 255);
        });
    return ok;
}

bool step16to17(const UpgradeSource &, Changes &, QString *)
{
    return true;
}

bool step17to18(const UpgradeSource &, Changes &, QString *)
{
    return true;
}

bool step18to19(const UpgradeSource &folder, Changes &changes, QString *error)
{
    QByteArray calitems;
    bool exists = false;
    if (!readinput(folder, QStringLiteral("calitems.dat"), calitems, exists, error))
        return false;
    if (exists) {
        changes.put(QStringLiteral("calitems.dat"),
                    convertrecords(calitems, 280, 9, TCalItemRec::size, [](const char *in, char *out) {
                        std::memcpy(out, in, 9); // icon, start, end, time mode, melody, reminder
                        copystr(in, 9, 255, out, 9, 255);
                        putstr(out, 265, QStringLiteral("0"), 13);
                        std::memcpy(out + 280, in + 272, 8);
                    }));
    }
    return true;
}

bool step19to20(const UpgradeSource &folder, Changes &changes, QString *error)
{
    bool exists = false;
    for (const QString &name : {QStringLiteral("categories.dat"), QStringLiteral("memocategories.dat")}) {
        QByteArray data;
        if (!readinput(folder, name, data, exists, error))
            return false;
        if (!exists)
            continue;
        QStringList lines = wholefile::splitlines(ansi::decode(data));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines.at(i).compare(olddefaultcategory, Qt::CaseInsensitive) == 0) {
                lines.removeAt(i);
                break;
            }
        }
        changes.put(name, wholefile::joinlines(lines));
    }

    // The tasks follow the category lists: ignoring case as well, or a task
    // of a differently written default category would point at a category
    // that no longer exists.
    QByteArray tasks;
    if (!readinput(folder, QStringLiteral("tasks.dat"), tasks, exists, error))
        return false;
    if (exists) {
        changes.put(QStringLiteral("tasks.dat"), convertrecords(tasks, TTaskRec::size, 1, TTaskRec::size,
                                                                [](const char *in, char *out) {
                                                                    std::memcpy(out, in, TTaskRec::size);
                                                                    if (getstr(in, 257, 255).compare(
                                                                            olddefaultcategory, Qt::CaseInsensitive)
                                                                        == 0)
                                                                        std::memset(out + 257, 0, 256);
                                                                }));
    }
    return true;
}

bool step20to21(const UpgradeSource &folder, Changes &changes, QString *error)
{
    QByteArray grid;
    bool exists = false;
    if (!readgrid(folder, grid16.size(), grid, exists, error))
        return false;
    // Without a timetable the load builds the default one: the folder is
    // current all the same.
    if (!exists)
        return true;

    int starts[15], ends[15];
    for (int r = 0; r < grid16.rows; ++r) {
        for (int c = 0; c < 2; ++c) {
            const QString text = getstr(grid.constData(), grid16.cell(r, c), 255);
            const std::optional<int> minutes = gridtime(text);
            if (!minutes) {
                *error = folder.where(timetablefile)
                         + QStringLiteral(": \"%1\" is not a time of day.").arg(text);
                return false;
            }
            (c == 0 ? starts : ends)[r] = *minutes;
        }
    }

    QByteArray lessons;
    lessons.reserve(210 * TLessonRec::size);
    QByteArray lesson(TLessonRec::size, '\0');
    auto add = [&](const char *cell, int row, int day, int week) {
        lesson.fill('\0');
        char *out = lesson.data();
        if (cell && !strempty(cell, 0)) {
            for (int t = 0; t < 3; ++t)
                copystr(cell, 256 * t, 255, out, 256 * t, 255);
            putint<qint32>(out, 780, getint<qint32>(cell, 768));
        } else {
            putint<qint32>(out, 780, white);
        }
        putint<qint32>(out, 768, starts[row]);
        putint<qint32>(out, 772, ends[row]);
        putint<qint8>(out, 776, qint8(day));
        putint<qint8>(out, 777, qint8(week));
        putint<qint8>(out, 778, qint8(row));
        lessons += lesson;
    };
    for (int c = 2; c <= 11; ++c) {
        for (int r = 0; r < grid16.rows; ++r)
            add(grid.constData() + grid16.cell(r, c), r, c <= 6 ? c - 1 : c - 6, c <= 6 ? -1 : -2);
    }
    for (int k = 0; k < 4; ++k) {
        for (int r = 0; r < grid16.rows; ++r)
            add(nullptr, r, k < 2 ? 6 : 7, k % 2 == 0 ? -2 : -1);
    }
    changes.put(timetablefile, lessons);
    return true;
}

} // namespace

const std::vector<UpgradeStep> &upgradesteps()
{
    static const std::vector<UpgradeStep> steps = {
        {QStringLiteral("convert10to11"), QStringLiteral("1.1"), step10to11},
        {QStringLiteral("convert11to12"), QStringLiteral("1.2"), step11to12},
        {QStringLiteral("convert12to13"), QStringLiteral("1.3"), step12to13},
        {QStringLiteral("convert13to14"), QStringLiteral("1.4"), step13to14},
        {QStringLiteral("convert14to15"), QStringLiteral("1.5"), step14to15},
        {QStringLiteral("convert15to16"), QStringLiteral("1.6"), step15to16},
        {QStringLiteral("convert16to17"), QStringLiteral("1.7"), step16to17},
        {QStringLiteral("convert17to18"), QStringLiteral("1.8"), step17to18},
        {QStringLiteral("convert18to19"), QStringLiteral("1.9"), step18to19},
        {QStringLiteral("convert19to20"), QStringLiteral("2.0"), step19to20},
        {QStringLiteral("convert20to21"), QStringLiteral("2.1"), step20to21},
    };
    return steps;
}

bool runstep(const QString &folder, const UpgradeStep &step, QString *error)
{
    const FolderSource source(folder);
    UpgradeChanges changes;
    if (!step.convert(source, changes, error))
        return false;
    // The converted files and the version they reach, all in one change:
    // a step is never half done, so never done twice.
    journal::FileChange change(folder, journal::Kind::upgrade);
    for (auto &[name, data] : changes.files)
        change.write(name, std::move(data));
    change.write(QStringLiteral("dbversion.dat"), ansi::encode(step.target));
    return change.commit(error);
}

bool runstep(QMap<QString, QByteArray> &files, const UpgradeStep &step, QString *error)
{
    UpgradeChanges changes;
    {
        const MemorySource source(files);
        if (!step.convert(source, changes, error))
            return false;
    }
    for (auto &[name, data] : changes.files)
        files.insert(name, std::move(data));
    files.insert(QStringLiteral("dbversion.dat"), ansi::encode(step.target));
    return true;
}

namespace {

const UpgradeStep &stepnamed(const char *name)
{
    for (const UpgradeStep &step : upgradesteps()) {
        if (step.name == QLatin1String(name))
            return step;
    }
    std::abort();
}

} // namespace

bool convert10to11(const QString &folder, QString *error) { return runstep(folder, stepnamed("convert10to11"), error); }
bool convert11to12(const QString &folder, QString *error) { return runstep(folder, stepnamed("convert11to12"), error); }
bool convert12to13(const QString &folder, QString *error) { return runstep(folder, stepnamed("convert12to13"), error); }
bool convert13to14(const QString &folder, QString *error) { return runstep(folder, stepnamed("convert13to14"), error); }
bool convert14to15(const QString &folder, QString *error) { return runstep(folder, stepnamed("convert14to15"), error); }
bool convert15to16(const QString &folder, QString *error) { return runstep(folder, stepnamed("convert15to16"), error); }
bool convert16to17(const QString &folder, QString *error) { return runstep(folder, stepnamed("convert16to17"), error); }
bool convert17to18(const QString &folder, QString *error) { return runstep(folder, stepnamed("convert17to18"), error); }
bool convert18to19(const QString &folder, QString *error) { return runstep(folder, stepnamed("convert18to19"), error); }
bool convert19to20(const QString &folder, QString *error) { return runstep(folder, stepnamed("convert19to20"), error); }
bool convert20to21(const QString &folder, QString *error) { return runstep(folder, stepnamed("convert20to21"), error); }

std::vector<const UpgradeStep *> stepsfrom(double from)
{
    std::vector<const UpgradeStep *> out;
    // Targets are read the way the stored version was, so equal texts
    // compare equal: a stored 1.2 never runs the step to 1.2 again.
    for (const UpgradeStep &step : upgradesteps()) {
        if (step.target.toDouble() > from)
            out.push_back(&step);
    }
    return out;
}

bool runupgrade(const QString &folder, double from, QString *error)
{
    for (const UpgradeStep *step : stepsfrom(from)) {
        if (!runstep(folder, *step, error))
            return false;
    }
    return true;
}

bool runupgrade(QMap<QString, QByteArray> &files, double from, QString *error)
{
    for (const UpgradeStep *step : stepsfrom(from)) {
        if (!runstep(files, *step, error))
            return false;
    }
    return true;
}

VersionCheck checkfolderversion(const QString &folder, const DbPrompts &prompts)
{
    const QString path = withslash(folder);
    const QString file = path + QStringLiteral("dbversion.dat");
    QString reason;
    std::optional<QString> text;
    if (wholefile::examine(file, &reason) != wholefile::PathKind::missing)
        text = readdbversion(path, &reason);
    if (!text) {
        // A file that is there but cannot be read says why.
        if (reason.isEmpty())
            prompts.error({dbversionmissing, {}});
        else
            prompts.error({dbversionmissing + QStringLiteral("##%s:#%s"), {QDir::toNativeSeparators(file), reason}});
        return {};
    }
    VersionCheck check;
    switch (checkdbversion(*text, &check.from)) {
    case DbVersion::current:
        check.result = VersionCheck::current;
        return check;
    case DbVersion::unreadable:
        prompts.error({QStringLiteral("%s") + dbversiondamaged, {quotedversion(*text)}});
        return {};
    case DbVersion::newer:
        prompts.error({dbversionnewer(), {}});
        return {};
    case DbVersion::older:
        break;
    }
    if (!prompts.confirm(actualizequestion))
        return {};
    check.result = VersionCheck::upgrade;
    return check;
}

bool actualdb(const QString &folder, const DbPrompts &prompts)
{
    const VersionCheck check = checkfolderversion(folder, prompts);
    if (check.result != VersionCheck::upgrade)
        return check.result == VersionCheck::current;
    QString error;
    if (!runupgrade(folder, check.from, &error)) {
        prompts.error({actualizefailed, {error}});
        return false;
    }
    return true;
}
