#include "platform/shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {
std::function<bool(const QUrl &)> &opener()
{
    static std::function<bool(const QUrl &)> open;
    return open;
}

std::function<bool(const QString &, const QStringList &)> &starter()
{
    static std::function<bool(const QString &, const QStringList &)> start;
    return start;
}

bool openurl(const QUrl &url)
{
    return opener() ? opener()(url) : QDesktopServices::openUrl(url);
}
} // namespace

void setwebpageopener(std::function<bool(const QUrl &)> replacement)
{
    opener() = std::move(replacement);
}

void setprogramstarter(std::function<bool(const QString &, const QStringList &)> replacement)
{
    starter() = std::move(replacement);
}

bool openwebpage(const QString &address)
{
    QString text = address.trimmed();
    if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        text.prepend(QStringLiteral("http://"));
    const QUrl url(text, QUrl::StrictMode);
    static const QStringList allowed = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ftp"),
                                        QStringLiteral("mailto")};
    if (!url.isValid() || !allowed.contains(url.scheme().toLower()))
        return false;
    return openurl(url);
}

bool openwithdefault(const QString &path)
{
    if (path.isEmpty())
        return false;
    return openurl(QUrl::fromLocalFile(path));
}

bool startprogram(const QString &program, const QString &argument)
{
    if (program.trimmed().isEmpty())
        return false;
    const QStringList arguments{argument};
    if (starter())
        return starter()(program, arguments);
    return QProcess::startDetached(program, arguments);
}

QString wordprocessor()
{
    return QStandardPaths::findExecutable(QStringLiteral("lowriter"));
}
