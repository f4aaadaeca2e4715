// The Czech language file against the program: every text the program
// translates has its key, and every key is a text the program shows. A
// failure names the keys, so a new window or message only needs its lines
// added to the file.

#include "mainwindow/program.h"

#include "database/database.h"
#include "database/dbversion.h"
#include "database/settings.h"
#include "database/upgrade.h"
#include "platform/ansi.h"
#include "platform/clock.h"
#include "platform/melodyplayer.h"
#include "testsupport.h"
#include "widgets/language.h"
#include "widgets/pagetable.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

using testsupport::FakePlayer;
using testsupport::readfile;
using testsupport::RecordingPrompter;

namespace {

const QString programfiles = QStringLiteral(QM_PROGRAM_FILES);
const QString sources = QStringLiteral(QM_SOURCE_DIR);

// Section and key as a language file matches them: case and outer blanks aside.
QString id(const QString &section, const QString &key)
{
    return section.trimmed().toLower() + QLatin1Char('\n') + key.trimmed().toLower();
}

// What a failure names: the section and the key as the program has it.
QString shown(const QString &section, const QString &key)
{
    return QStringLiteral("[%1] %2").arg(section, key);
}

// The keys of a language file, section by section (as ids), with the
// values kept for the checks of their form.
struct Entry
{
    QString section, key, value;
};
QMap<QString, Entry> filekeys(const QByteArray &bytes)
{
    QMap<QString, Entry> keys;
    QString section;
    const QString text = ansi::decode(bytes);
    for (const QString &raw : text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            keys.insert(id(section, line.left(eq)), {section, line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    return keys;
}

// --- The texts of the messages, read from the sources. ---

QString withoutcomments(const QString &code)
{
    QString out;
    out.reserve(code.size());
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"' || c == u'\'') {
            // Copy a literal whole; comment marks inside it are text.
            const qsizetype start = i;
            for (++i; i < code.size() && code[i] != c; ++i) {
                if (code[i] == u'\\')
                    ++i;
            }
            out += code.mid(start, i - start + 1);
        } else if (code.mid(i, 2) == QLatin1String("//")) {
            while (i < code.size() && code[i] != u'\n')
                ++i;
            out += u'\n';
        } else if (code.mid(i, 2) == QLatin1String("/*")) {
            const qsizetype end = code.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? code.size() : end + 1;
            out += u' ';
        } else {
            out += c;
        }
    }
    return out;
}

// The text of one or more adjacent string literals ("a" "b"), escapes read.
QString literaltext(const QString &literals)
{
    static const QRegularExpression one(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    QString text;
    for (auto it = one.globalMatch(literals); it.hasNext();) {
        const QString body = it.next().captured(1);
        for (qsizetype i = 0; i < body.size(); ++i) {
            if (body[i] != u'\\' || i + 1 == body.size()) {
                text += body[i];
                continue;
            }
            const QChar e = body[++i];
            text += e == u'n' ? QChar(u'\n') : e == u't' ? QChar(u'\t') : e;
        }
    }
    return text;
}

const QString literals = QStringLiteral(R"re((?:"(?:[^"\\]|\\.)*"\s*)+)re");

// An argument that is text: a literal, possibly in QStringLiteral / QLatin1String.
std::optional<QString> literalargument(const QString &argument)
{
    static const QRegularExpression wrapped(QStringLiteral(R"re(^(?:QStringLiteral|QLatin1String)\(\s*(%1)\)$)re").arg(literals));
    static const QRegularExpression bare(QStringLiteral("^(%1)$").arg(literals));
    QRegularExpressionMatch m = wrapped.match(argument);
    if (!m.hasMatch())
        m = bare.match(argument);
    if (!m.hasMatch())
        return std::nullopt;
    return literaltext(m.captured(1));
}

// The arguments of the call whose "(" is at `open`, split at the top level.
QStringList arguments(const QString &code, qsizetype open)
{
    QStringList args;
    QString current;
    int depth = 0;
    for (qsizetype i = open; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"') {
            const qsizetype start = i;
            for (++i; i < code.size() && code[i] != u'"'; ++i) {
                if (code[i] == u'\\')
                    ++i;
            }
            current += code.mid(start, i - start + 1);
            continue;
        }
        if (c == u'(' || c == u'{' || c == u'[') {
            if (depth++ == 0)
                continue;
        } else if (c == u')' || c == u'}' || c == u']') {
            if (--depth == 0) {
                args << current.trimmed();
                return args;
            }
        } else if (c == u',' && depth == 1) {
            args << current.trimmed();
            current.clear();
            continue;
        }
        current += c;
    }
    return args;
}

struct Source
{
    QString path;
    QString code;
};

QList<Source> readsources()
{
    QList<Source> files;
    QDirIterator it(sources, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.append({path, withoutcomments(QString::fromUtf8(*readfile(path)))});
    }
    return files;
}

// Where message texts go, and which of the call's arguments are texts.
struct Sink
{
    const char *name;
    QList<int> (*texts)(int count);
};

const Sink sinks[] = {
    // (text, caption, flags) or (format, args, caption, flags)
    {"trans_messagebox", [](int n) { return n == 4 ? QList<int>{0, 2} : QList<int>{0, 1}; }},
    {"trans_confirmation", [](int) { return QList<int>{0}; }},
    {"getstring", [](int) { return QList<int>{0, 1}; }},  // caption, prompt
    {"askname_", [](int) { return QList<int>{0, 1}; }},   // the name dialog through a page
    {"report", [](int) { return QList<int>{0}; }},        // the database's and the main window's errors
    {"showwebprompt", [](int) { return QList<int>{2}; }}, // the yearly prompts
    {"error = {", [](int) { return QList<int>{0}; }},      // a term error, shown later
};

// Every text that reaches the message helpers, with where it was found.
QMap<QString, QString> messagetexts()
{
    const QList<Source> files = readsources();
    // Named texts: constants and functions that return one literal, by name
    // and the stem of the file that defines them.
    QMultiMap<QString, std::pair<QString, QString>> named;
    static const QRegularExpression constant(QStringLiteral(R"re(\b(\w+)\s*=\s*QStringLiteral\(\s*(%1)\))re").arg(literals));
    static const QRegularExpression function(
        QStringLiteral(R"re(QString\s+(\w+)\(\)\s*\{\s*return\s+QStringLiteral\(\s*(%1)\);\s*\})re").arg(literals));
    for (const Source &file : files) {
        for (const QRegularExpression *re : {&constant, &function}) {
            for (auto it = re->globalMatch(file.code); it.hasNext();) {
                const auto m = it.next();
                named.insert(m.captured(1), {QFileInfo(file.path).baseName(), literaltext(m.captured(2))});
            }
        }
    }

    QMap<QString, QString> texts;
    static const QRegularExpression parameter(QStringLiteral(R"re(const\s+QString\s*&\s*(\w+))re"));
    for (const Source &file : files) {
        // A parameter passed on is not the constant of the same name.
        QSet<QString> parameters;
        for (auto it = parameter.globalMatch(file.code); it.hasNext();)
            parameters.insert(it.next().captured(1));
        const QString where = QDir(sources).relativeFilePath(file.path);
        for (const Sink &sink : sinks) {
            const QString name = QLatin1String(sink.name);
            const QRegularExpression call(name.endsWith(u'{')
                                              ? QStringLiteral(R"re(\berror\s*=\s*\{)re")
                                              : QStringLiteral(R"re((?<![\w.>:])%1\s*\()re").arg(name));
            for (auto it = call.globalMatch(file.code); it.hasNext();) {
                const auto m = it.next();
                const QStringList args = arguments(file.code, m.capturedEnd() - 1);
                for (const int at : sink.texts(int(args.size()))) {
                    if (at >= args.size())
                        continue;
                    QString argument = args[at];
                    if (const std::optional<QString> text = literalargument(argument)) {
                        texts.insert(*text, where);
                        continue;
                    }
                    argument.remove(QStringLiteral("()"));
                    const QString name = argument.section(QStringLiteral("::"), -1);
                    if (!named.contains(name) || (name == argument && parameters.contains(name)))
                        continue;
                    // The class named, else this file's own, else any of that name.
                    const QString qualifier = argument.section(QStringLiteral("::"), -2, -2).toLower();
                    const QString stem = qualifier.isEmpty() ? QFileInfo(file.path).baseName() : qualifier;
                    const QList<std::pair<QString, QString>> found = named.values(name);
                    bool own = false;
                    for (const auto &[definedin, text] : found) {
                        if (definedin == stem) {
                            texts.insert(text, where);
                            own = true;
                        }
                    }
                    for (const auto &[definedin, text] : found) {
                        if (!own)
                            texts.insert(text, where);
                    }
                }
            }
        }
    }
    return texts;
}

// --- What the program asks a language file for. ---

class CzechFileTest : public ::testing::Test
{
protected:
    CzechFileTest()
    {
        windows.create();
        for (const TransKey &k : translationkeys(windows.windows()))
            want(k.section, k.key, QStringLiteral("a control"));
        // Looked up by the program itself rather than through a control.
        for (const PageEntry &entry : pagetable)
            want("Labels", QLatin1String(entry.caption), QStringLiteral("the page table"));
        want("Labels", "Welcome to Quillmoter organizer!", QStringLiteral("the welcome note"));
        for (const char *key : {"About", "Donate", "Subjects", "Tips"})
            want("Memos", QLatin1String(key), QStringLiteral("a whole text"));
        want("Language", "dateformat", QStringLiteral("the date line"));
        // The database check's texts reach the message boxes through its prompts.
        for (const QString &text : {dbversionmissing, dbversiondamaged, dbversionnewer(), actualizequestion,
                                    actualizefailed})
            want("Messages", text, QStringLiteral("the database check"));
        // Why a melody cannot play, filled into its message.
        for (const QString &text : {melodyreason::nofile, melodyreason::notasound, melodyreason::nooutput})
            want("Messages", text, QStringLiteral("a melody's failure"));
        const QMap<QString, QString> messages = messagetexts();
        for (auto it = messages.cbegin(); it != messages.cend(); ++it)
            want("Messages", it.key(), it.value());
    }

    QTemporaryDir dir;
    Database db{dir.filePath(QStringLiteral("Quillmoter/"))};
    Settings settings;
    Language language;
    Clock clock;
    FakePlayer player;
    RecordingPrompter answers;
    ProgramWindows windows{db, settings, language, clock, player, {}, [] { return false; }};
    struct Use
    {
        QString section, key, where;
    };
    QMap<QString, Use> wanted; // id -> the key as the program has it, and where it uses it
    void want(const QString &section, const QString &key, const QString &where)
    {
        wanted.insert(id(section, key), {section, key, where});
    }
    const std::optional<QByteArray> file = readfile(programfiles + QStringLiteral("/czech.lng"));
    const QMap<QString, Entry> keys = file ? filekeys(*file) : QMap<QString, Entry>();
};

} // namespace

TEST_F(CzechFileTest, EveryTranslatableTextHasAKey)
{
    ASSERT_TRUE(file) << "czech.lng is missing";
    // Sanity of the gathering itself.
    ASSERT_TRUE(wanted.contains(id("CheckBoxes", "Show Moon phase")));
    ASSERT_TRUE(wanted.contains(id("Messages", "Error")));
    ASSERT_TRUE(wanted.contains(id("Messages", "Are you sure you want to delete selected contact?")));
    ASSERT_TRUE(wanted.contains(id("Messages", "Unable to save %s:#%s")));

    QStringList missing;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        if (!keys.contains(it.key()))
            missing << shown(it->section, it->key) + QStringLiteral("   (") + it->where + u')';
    }
    EXPECT_TRUE(missing.isEmpty()) << "czech.lng lacks " << missing.size() << " keys:\n"
                                   << missing.join(u'\n').toStdString();
}

TEST_F(CzechFileTest, EveryKeyIsATextTheProgramShows)
{
    ASSERT_TRUE(file);
    QStringList orphans;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        // "Tips2" adds tips of the language's own; nothing in the program names it.
        if (it.key() == id("Memos", "Tips2"))
            continue;
        if (!wanted.contains(it.key()))
            orphans << shown(it->section, it->key);
    }
    EXPECT_TRUE(orphans.isEmpty()) << "czech.lng has " << orphans.size() << " keys the program never asks for:\n"
                                   << orphans.join(u'\n').toStdString();
}

TEST_F(CzechFileTest, TranslationsKeepWhatTheProgramFillsIn)
{
    ASSERT_TRUE(file);
    // Every "%s" of a message and every "#" line break of a message stays.
    QStringList broken;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        if (it->section.compare(QLatin1String("Messages"), Qt::CaseInsensitive) != 0)
            continue;
        if (it->key.count(QStringLiteral("%s")) != it->value.count(QStringLiteral("%s")) || it->value.isEmpty())
            broken << shown(it->section, it->key);
    }
    EXPECT_TRUE(broken.isEmpty()) << broken.join(u'\n').toStdString();

    // Whole texts hold their lines joined by "#"; tips keep "icon$text".
    const QStringList tips = keys.value(id("Memos", "Tips")).value.split(u'#');
    EXPECT_GE(tips.size(), 2);
    for (const QString &tip : tips)
        EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^\d+\$.{30,})")).match(tip).hasMatch()) << tip.toStdString();
    EXPECT_EQ(keys.value(id("Memos", "Subjects")).value.split(u'#').size(), 12);
    // The file is windows-1250 text, as language files are.
    EXPECT_EQ(ansi::encode(ansi::decode(*file)), *file);
    EXPECT_FALSE(file->contains("\xC3\x83")) << "no UTF-8 inside";
}
