#include "platform/autostart.h"

#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// One argument as a quoted Exec= argument: the four reserved characters
// get a backslash, and "%" is doubled so it is never read as a field code.
QString quoteargument(const QString &argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    return quoted + u'"';
}

// The escapes of a string value, applied over the quoting.
QString escapevalue(const QString &value)
{
    QString escaped;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\': escaped += QStringLiteral("\\\\"); break;
        case u'\n': escaped += QStringLiteral("\\n"); break;
        case u'\r': escaped += QStringLiteral("\\r"); break;
        case u'\t': escaped += QStringLiteral("\\t"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

} // namespace

namespace autostart {

QString entrypath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/autostart/quillmoter.desktop");
}

QString execline(const QString &program)
{
    return escapevalue(quoteargument(program) + QStringLiteral(" -h"));
}

QByteArray entry(const QString &program)
{
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Quillmoter organizer\n"
                                        "Exec=%1\n"
                                        "Icon=quillmoter\n"
                                        "Terminal=false\n")
                             .arg(execline(program));
    return text.toUtf8();
}

} // namespace autostart

bool addtostartup(const QString &program)
{
    const QString path = autostart::entrypath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return wholefile::save(path, autostart::entry(program));
}

bool removefromstartup()
{
    const QString path = autostart::entrypath();
    if (!QFileInfo::exists(path))
        return true;
    return QFile::remove(path);
}
