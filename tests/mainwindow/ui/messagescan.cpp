// The scan of the sources for the texts of the messages (messagescan.h).

#include "messagescan.h"

#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <optional>

namespace messagescan {

QString id(const QString &section, const QString &key)
{
    return section.trimmed().toLower() + QLatin1Char('\n') + key.trimmed().toLower();
}

namespace {

using testsupport::readfile;

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

QList<Source> readsources(const QString &sources)
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

// Where texts reach a lookup of the language file: the helpers that look
// up and the carriers of messages that reach them later. `texts` gives, for
// a call with `count` arguments, where its texts stand: an argument, or an
// element of a brace list given as an argument ({argument, element}).
struct Sink
{
    const char *pattern; // a regular expression ending at the call's "(" or the list's "{"
    QList<QList<int>> (*texts)(int count);
    const char *section = "Messages"; // nullptr: the call's first argument names it
};

const Sink sinks[] = {
    // (text, caption, flags) or (format, args, caption, flags)
    {R"(\btrans_messagebox\s*\()", [](int n) { return n == 4 ? QList<QList<int>>{{0}, {2}} : QList<QList<int>>{{0}, {1}}; }},
    {R"(\btrans_confirmation\s*\()", [](int) { return QList<QList<int>>{{0}}; }},
    {R"(\bgetstring\s*\()", [](int) { return QList<QList<int>>{{0}, {1}}; }},     // caption, prompt
    {R"(\baskname_?\s*\()", [](int) { return QList<QList<int>>{{0}, {1}}; }},     // the name dialog through a page
    {R"(\blookup\s*\()", [](int) { return QList<QList<int>>{{1}}; }, nullptr},    // (section, key[, fallback])
    {R"(\breport\s*\()", [](int) { return QList<QList<int>>{{0}}; }},             // (format, args): shown later
    {R"(\breporterror\s*\()", [](int) { return QList<QList<int>>{{0, 0}}; }},     // ({format, args})
    {R"(\bprompts\.error\s*\()", [](int) { return QList<QList<int>>{{0, 0}}; }},  // ({format, args})
    {R"(\bprompts\.confirm\s*\()", [](int) { return QList<QList<int>>{{0}}; }},
    {R"(\berror\s*=\s*\{)", [](int) { return QList<QList<int>>{{0}}; }},         // a term error, shown later
    {R"(\bshowwebprompt\s*\()", [](int) { return QList<QList<int>>{{2}}; }},      // the yearly prompts
    {R"(\bdeletedone\s*\()", [](int) { return QList<QList<int>>{{0}}; }},         // the tasks' delete questions
    {R"(:\s*CategoryPage\s*\()", [](int) { return QList<QList<int>>{{5, 7}}; }},  // a category's delete question
};

// Text arguments that are no text of the program: what passes a text on
// (its callers are scanned as sinks above) or a text made at run time.
// Each is named by its file and the argument as written.
const struct
{
    const char *file;
    const char *argument;
} passedon[] = {
    {"widgets/language.h", "section"},            // the language engine itself
    {"widgets/language.cpp", "caption"},
    {"widgets/language.cpp", "format"},
    {"widgets/language.cpp", "m.format"},
    {"widgets/language.cpp", "text"},
    {"widgets/language.cpp", "question"},
    {"widgets/ui/namedialog.cpp", "caption"},     // getstring
    {"widgets/ui/namedialog.cpp", "prompt"},
    {"organizer/ui/categorypage.cpp", "caption"}, // askname
    {"organizer/ui/categorypage.cpp", "prompt"},
    {"organizer/ui/categorypage.cpp", "setup_.deletequestion"}, // the pages' own, scanned where they make the page
    {"organizer/ui/categorypage.cpp", "const Setup &setup"},
    {"organizer/ui/taskspage.cpp", "question"},   // deletedone
    {"database/database.cpp", "format"},          // report
    {"mainwindow/ui/mainwindow.cpp", "format"},   // report
    {"mainwindow/ui/mainwindow.cpp", "note"},     // the start's recovery notes, wanted as such
    {"organizer/ui/calendareditor.cpp", "reason"}, // why a melody cannot play, wanted as such
    {"mainwindow/daychecks.cpp", "text"},         // showwebprompt
    {"mainwindow/ui/program.cpp", "m.format"},    // the database's reports, made by report(...)
    {"mainwindow/ui/mainwindow.cpp", "joinmessages(std::exchange(startreports_, {}))"}, // the same, joined
    {"organizer/reminders.cpp", "failure"},       // the same, gathered while a reminder rings
    {"school/ui/termmanager.cpp", "error.format"}, // term errors, made by error = {...}
    {"organizer/ui/notespage.cpp", "failure"},    // reportnote's own texts, passed as constants
    {"widgets/pagetable.cpp", "QLatin1String(pagetable[page].caption)"}, // the page table, wanted as such
    // "Is the first name of contact" (a label of its own) + a name from the list + "?"
    {"organizer/ui/contacteditor.cpp", "question_->text() + QLatin1Char(' ') + match.word + QLatin1Char('?')"},
};

// The text of an argument: literals, constants of the program and the
// functions that return one literal, joined with "+".
class Resolver
{
public:
    explicit Resolver(const QList<Source> &files)
    {
        static const QRegularExpression constant(
            QStringLiteral(R"re(\b(\w+)\s*=\s*QStringLiteral\(\s*(%1)\))re").arg(literals));
        static const QRegularExpression function(
            QStringLiteral(R"re(QString\s+(\w+)\(\)\s*\{\s*return\s+QStringLiteral\(\s*(%1)\);\s*\})re").arg(literals));
        for (const Source &file : files) {
            for (const QRegularExpression *re : {&constant, &function}) {
                for (auto it = re->globalMatch(file.code); it.hasNext();) {
                    const auto m = it.next();
                    named_.insert(m.captured(1), {QFileInfo(file.path).baseName(), literaltext(m.captured(2))});
                }
            }
        }
    }

    // The texts an argument can be (a constant of one name may be defined
    // in several classes), or nothing when it is no text of the program.
    std::optional<QStringList> resolve(const QString &argument, const Source &file,
                                       const QSet<QString> &parameters) const
    {
        // condition ? a : b is either text.
        static const QRegularExpression choice(QStringLiteral(R"(^[\w.]+\s*\?(.*):(.*)$)"));
        if (const auto m = choice.match(argument); m.hasMatch()) {
            const std::optional<QStringList> a = resolve(m.captured(1).trimmed(), file, parameters);
            const std::optional<QStringList> b = resolve(m.captured(2).trimmed(), file, parameters);
            if (!a || !b)
                return std::nullopt;
            return *a + *b;
        }
        QStringList texts{QString()};
        for (const QString &part : pluses(argument)) {
            const std::optional<QStringList> piece = resolvepart(part, file, parameters);
            if (!piece)
                return std::nullopt;
            QStringList joined;
            for (const QString &a : texts) {
                for (const QString &b : *piece)
                    joined << a + b;
            }
            texts = joined;
        }
        return texts;
    }

private:
    static QStringList pluses(const QString &expression)
    {
        QStringList parts;
        QString current;
        int depth = 0;
        for (qsizetype i = 0; i < expression.size(); ++i) {
            const QChar c = expression[i];
            if (c == u'"') {
                const qsizetype start = i;
                for (++i; i < expression.size() && expression[i] != u'"'; ++i) {
                    if (expression[i] == u'\\')
                        ++i;
                }
                current += expression.mid(start, i - start + 1);
                continue;
            }
            if (c == u'(' || c == u'{' || c == u'[')
                ++depth;
            else if (c == u')' || c == u'}' || c == u']')
                --depth;
            if (c == u'+' && depth == 0) {
                parts << current.trimmed();
                current.clear();
                continue;
            }
            current += c;
        }
        parts << current.trimmed();
        return parts;
    }

    std::optional<QStringList> resolvepart(QString argument, const Source &file, const QSet<QString> &parameters) const
    {
        if (const std::optional<QString> text = literalargument(argument))
            return QStringList{*text};
        if (argument.endsWith(QLatin1String("()")))
            argument.chop(2);
        static const QRegularExpression identifier(QStringLiteral(R"(^(?:\w+::)*\w+$)"));
        if (!identifier.match(argument).hasMatch())
            return std::nullopt;
        const QString name = argument.section(QStringLiteral("::"), -1);
        // A parameter passed on is not the constant of the same name.
        if (!named_.contains(name) || (name == argument && parameters.contains(name)))
            return std::nullopt;
        // The class named, else this file's own, else any of that name.
        const QString qualifier = argument.section(QStringLiteral("::"), -2, -2).toLower();
        const QString stem = qualifier.isEmpty() ? QFileInfo(file.path).baseName() : qualifier;
        QStringList own, any;
        for (const auto &[definedin, text] : named_.values(name)) {
            (definedin == stem ? own : any) << text;
        }
        return own.isEmpty() ? any : own;
    }

    QMultiMap<QString, std::pair<QString, QString>> named_; // name -> file stem, text
};

// Every text that reaches a lookup from the sources, and every text
// argument the scan cannot read, so that none passes unseen.
} // namespace

Scan scanmessages(const QString &sources)
{
    const QList<Source> files = readsources(sources);
    const Resolver resolver(files);
    Scan scan;
    QSet<QString> met;
    auto knownargument = [&met](const QString &where, const QString &argument) {
        for (const auto &p : passedon) {
            if (where == QLatin1String(p.file) && argument == QLatin1String(p.argument)) {
                met.insert(where + u'\n' + argument);
                return true;
            }
        }
        return false;
    };
    static const QRegularExpression parameter(QStringLiteral(R"re(const\s+QString\s*&\s*(\w+))re"));
    for (const Source &file : files) {
        QSet<QString> parameters;
        for (auto it = parameter.globalMatch(file.code); it.hasNext();)
            parameters.insert(it.next().captured(1));
        const QString where = QDir(sources).relativeFilePath(file.path);
        for (const Sink &sink : sinks) {
            const QRegularExpression call(QString::fromLatin1(sink.pattern));
            for (auto it = call.globalMatch(file.code); it.hasNext();) {
                const auto m = it.next();
                // A declaration or definition of the sink itself passes nothing.
                const QString before = file.code.left(m.capturedStart()).section(u'\n', -1);
                static const QRegularExpression declaration(QStringLiteral(R"((?:QString|void|int|bool)\s+(?:\w+::)?$)"));
                if (declaration.match(before).hasMatch())
                    continue;
                const QStringList args = arguments(file.code, m.capturedEnd() - 1);
                QString section = QString::fromLatin1(sink.section);
                if (!sink.section) {
                    const std::optional<QString> named = args.isEmpty() ? std::nullopt : literalargument(args[0]);
                    if (!named) {
                        if (!knownargument(where, args.value(0)))
                            scan.unknown << QStringLiteral("%1: the section %2").arg(where, args.value(0));
                        continue;
                    }
                    section = *named;
                }
                for (const QList<int> &at : sink.texts(int(args.size()))) {
                    if (at[0] >= args.size())
                        continue;
                    QString argument = args[at[0]];
                    if (at.size() > 1) {
                        if (!argument.startsWith(u'{')) {
                            // A whole message passed on, not made here.
                            argument = argument.trimmed();
                        } else {
                            const QStringList elements = arguments(argument, 0);
                            argument = at[1] < elements.size() ? elements[at[1]] : QString();
                        }
                    }
                    if (const std::optional<QStringList> texts = resolver.resolve(argument, file, parameters)) {
                        for (const QString &text : *texts)
                            scan.texts.insert(id(section, text), {section, text, where});
                        continue;
                    }
                    if (!knownargument(where, argument))
                        scan.unknown << QStringLiteral("%1: %2").arg(where, argument);
                }
            }
        }
    }
    for (const auto &p : passedon) {
        if (!met.contains(QLatin1String(p.file) + u'\n' + QLatin1String(p.argument)))
            scan.stale << QStringLiteral("%1: %2").arg(QLatin1String(p.file), QLatin1String(p.argument));
    }
    return scan;
}

} // namespace messagescan
