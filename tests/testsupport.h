#pragma once
// Small helpers shared by the tests (those of windows: uitestsupport.h).

#include "database/records.h"
#include "database/shortstring.h"
#include "platform/daynumber.h"
#include "platform/melodyplayer.h"
#include "platform/prompter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTest>

#include <csignal>
#include <cstring>
#include <functional>
#include <optional>
#include <ostream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Readable texts in failure messages.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
template <int N>
void PrintTo(const ShortString<N> &s, std::ostream *os)
{
    PrintTo(s.text(), os);
}

namespace testsupport {

// A contact with its birthday and name day (0 = none).
inline TContactRec contact(const char *name, int day = 0, int month = 0, int year = 0, int nameday = 0,
                           int namemonth = 0)
{
    TContactRec c;
    c.name = name;
    c.birthday = quint16(day);
    c.birthmonth = quint16(month);
    c.birthyear = quint16(year);
    c.nameday = quint16(nameday);
    c.namedaymonth = quint16(namemonth);
    return c;
}

// A task of `category` (empty: the default one).
inline TTaskRec task(const char *text, const char *category = "", bool done = false)
{
    TTaskRec t;
    t.text = text;
    t.category = category;
    t.done = done;
    return t;
}

inline std::optional<QByteArray> readfile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

// A text as a PDF's document information holds it: UTF-16, big-endian.
inline QByteArray pdftext(const char *latin1)
{
    QByteArray out;
    for (const char *c = latin1; *c; ++c)
        out.append('\0').append(*c);
    return out;
}

inline bool writefile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// Writes `data` to `path`, making its folders first.
inline bool putfile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    return writefile(path, data);
}

// The record files of a database folder ("dbversion.dat" aside).
inline const char *const recordfiles[] = {"contacts.dat",  "calitems.dat",   "tasks.dat",          "subjects.dat",
                                          "timetable.dat", "categories.dat", "memocategories.dat", "subjfname.dat"};

// Fills `folder` with its record files, each telling where it is from
// ("<tag> contacts.dat"), and its version.
inline bool fillrecords(const QString &folder, const QByteArray &tag, const QByteArray &version = "2.1")
{
    for (const char *name : recordfiles) {
        if (!putfile(folder + name, tag + ' ' + name))
            return false;
    }
    return putfile(folder + "dbversion.dat", version);
}

// Things that can stand where a data file belongs but are no plain file.
enum class Odd { fifo, devzero, linkloop, folder, dangling };
inline const Odd oddthings[] = {Odd::fifo, Odd::devzero, Odd::linkloop, Odd::folder, Odd::dangling};
inline const char *oddname(Odd odd)
{
    static const char *names[] = {"a FIFO", "a link to /dev/zero", "a link loop", "a folder", "a link to nothing"};
    return names[int(odd)];
}
inline bool makeodd(const QString &path, Odd odd)
{
    const QByteArray p = QFile::encodeName(path);
    switch (odd) {
    case Odd::fifo:
        return ::mkfifo(p.constData(), 0600) == 0;
    case Odd::devzero:
        return ::symlink("/dev/zero", p.constData()) == 0;
    case Odd::linkloop:
        return ::symlink(p.constData(), p.constData()) == 0;
    case Odd::folder:
        return ::mkdir(p.constData(), 0700) == 0;
    case Odd::dangling:
        return ::symlink("/nonexistent/quillmoter/target", p.constData()) == 0;
    }
    return false;
}
// Whether `path` is still what makeodd made there.
inline bool isodd(const QString &path, Odd odd)
{
    const QByteArray p = QFile::encodeName(path);
    struct stat st;
    if (::lstat(p.constData(), &st) != 0)
        return false;
    switch (odd) {
    case Odd::fifo:
        return S_ISFIFO(st.st_mode);
    case Odd::folder:
        return S_ISDIR(st.st_mode);
    case Odd::devzero:
    case Odd::linkloop:
    case Odd::dangling:
        return S_ISLNK(st.st_mode);
    }
    return false;
}

// A calendar record with its reminder armed at hour * 100 + minute `from`.
inline TCalItemRec armedrecord(const char *text, QDate date, int from, const char *repetition = "0", int melody = 0)
{
    TCalItemRec r;
    r.text = text;
    r.date = daynumber::fromdate(date);
    r.timefrom = qint16(from);
    r.timemode = 1;
    r.remind = true;
    r.melody = quint8(melody);
    r.repetition = repetition;
    return r;
}

// Builds expected record bytes by hand, independent of the encoders.
class Bytes
{
public:
    explicit Bytes(qsizetype size) : data_(size, '\0') {}

    Bytes &u8(qsizetype offset, quint8 v)
    {
        data_[offset] = char(v);
        return *this;
    }
    // Little-endian, `width` bytes.
    Bytes &le(qsizetype offset, qint64 v, int width)
    {
        for (int i = 0; i < width; ++i)
            data_[offset + i] = char((quint64(v) >> (8 * i)) & 0xFF);
        return *this;
    }
    // A counted string: length byte, then the (already windows-1250) bytes.
    Bytes &str(qsizetype offset, const QByteArray &text)
    {
        data_[offset] = char(text.size());
        std::memcpy(data_.data() + offset + 1, text.constData(), size_t(text.size()));
        return *this;
    }
    // Raw bytes, for hand-written doubles and odd length bytes.
    Bytes &raw(qsizetype offset, const QByteArray &bytes)
    {
        std::memcpy(data_.data() + offset, bytes.constData(), size_t(bytes.size()));
        return *this;
    }
    const QByteArray &data() const { return data_; }
    const char *constData() const { return data_.constData(); }

private:
    QByteArray data_;
};

// Writes beyond a small file-size limit fail even for root, which is how the
// tests make a save fail part-way.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = old_;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

// Answers message boxes and questions in place of a person and remembers
// what was asked. Installed for its lifetime. `whileasking` runs while a
// question is open, as the event loop of a real one would let things happen.
class RecordingPrompter : public Prompter
{
public:
    struct Box
    {
        QString text, caption;
        int flags;
    };

    RecordingPrompter() { setprompter(this); }
    ~RecordingPrompter() override { setprompter(nullptr); }

    int messagebox(QWidget *, const QString &text, const QString &caption, int flags) override
    {
        boxes.push_back({text, caption, flags});
        return mb::idok;
    }
    int confirmation(QWidget *, const QString &text) override
    {
        if (whileasking)
            whileasking();
        questions.push_back(text);
        return answer;
    }
    // The same list and answer; set `answer` to mb::idcancel for Escape.
    int confirmationorcancel(QWidget *parent, const QString &text) override { return confirmation(parent, text); }

    std::vector<Box> boxes;
    std::vector<QString> questions;
    int answer = mb::idyes;
    std::function<void()> whileasking;
};

// A player that plays nothing and remembers what it was told.
class FakePlayer : public MelodyPlayer
{
public:
    void setfile(const QString &path) override { file_ = path; }
    QString file() const override { return file_; }
    void open() override
    {
        opened = file_;
        failedopen = !failure.isEmpty();
        if (failedopen)
            emit failed(failure);
    }
    void rewind() override {}
    void play() override
    {
        if (failedopen)
            return;
        ++plays;
        playing = true;
    }
    void stop() override { playing = false; }
    void setlooping(bool on) override { looping = on; }
    bool isstopped() const override { return !playing; }
    void prepare() override { ++prepares; }

    QString file_;
    QString opened;
    int plays = 0;
    int prepares = 0;
    bool playing = false;
    bool looping = false;
    QString failure; // when set, every open() fails with it
    bool failedopen = false;
};

} // namespace testsupport
