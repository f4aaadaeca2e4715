#include "platform/inifile.h"

#include "platform/ansi.h"
#include "platform/wholefile.h"

#include <QFileInfo>

namespace {

bool samename(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// The section name of a header line, or a null string for other lines.
QString headername(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return {};
    QString name = t.mid(1, close - 1);
    if (name.isNull())
        name = QLatin1String("");
    return name;
}

QString oneline(QString s)
{
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path))
{
    const wholefile::PathKind kind = wholefile::examine(path_, &readerror_);
    exists_ = kind != wholefile::PathKind::missing;
    if (kind != wholefile::PathKind::plain)
        return;
    const std::optional<QByteArray> data = wholefile::read(path_, &readerror_);
    if (!data) {
        if (readerror_.isEmpty())
            readerror_ = QStringLiteral("The file cannot be read.");
        return;
    }
    lines_ = wholefile::splitlines(ansi::decode(*data));
}

IniFile IniFile::fromdata(const QByteArray &data)
{
    IniFile ini;
    ini.exists_ = true;
    ini.lines_ = wholefile::splitlines(ansi::decode(data));
    return ini;
}

qsizetype IniFile::sectionline(const QString &section) const
{
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QString name = headername(lines_[i]);
        if (!name.isNull() && samename(name, section))
            return i;
    }
    return -1;
}

qsizetype IniFile::keyline(qsizetype header, const QString &key, qsizetype *end) const
{
    qsizetype found = -1;
    qsizetype last = header + 1;
    for (qsizetype i = header + 1; i < lines_.size(); ++i) {
        const QString &line = lines_[i];
        if (!headername(line).isNull())
            break;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        last = i + 1;
        if (found < 0 && samename(line.left(eq), key))
            found = i;
    }
    if (end)
        *end = last;
    return found;
}

QString IniFile::readstring(const QString &section, const QString &key, const QString &fallback) const
{
    const qsizetype header = sectionline(section);
    if (header < 0)
        return fallback;
    const qsizetype at = keyline(header, key);
    if (at < 0)
        return fallback;
    const QString &line = lines_[at];
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed().left(maxvalue);
}

bool IniFile::haskey(const QString &section, const QString &key) const
{
    const qsizetype header = sectionline(section);
    return header >= 0 && keyline(header, key) >= 0;
}

void IniFile::writestring(const QString &section, const QString &key, const QString &value)
{
    const QString line = oneline(key) + QLatin1Char('=') + oneline(value);
    qsizetype header = sectionline(section);
    if (header < 0) {
        lines_ << QLatin1Char('[') + oneline(section) + QLatin1Char(']') << line;
        return;
    }
    qsizetype end = 0;
    const qsizetype at = keyline(header, key, &end);
    if (at >= 0)
        lines_[at] = line;
    else
        lines_.insert(end, line);
}

QByteArray IniFile::data() const
{
    return wholefile::joinlines(lines_);
}

bool IniFile::save(QString *error)
{
    if (!readerror_.isEmpty()) {
        if (error)
            *error = readerror_;
        return false;
    }
    if (!wholefile::save(path_, data(), error))
        return false;
    exists_ = true;
    return true;
}

bool IniFile::writekey(const QString &path, const QString &section, const QString &key,
                       const QString &value, QString *error)
{
    IniFile ini(path);
    ini.writestring(section, key, value);
    return ini.save(error);
}
