#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
std::function<bool(const QUrl &)> &opener()
{
    static std::function<bool(const QUrl &)> open;
    return open;
}
} // namespace

void setwebpageopener(std::function<bool(const QUrl &)> replacement)
{
    opener() = std::move(replacement);
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
    return opener() ? opener()(url) : QDesktopServices::openUrl(url);
}
