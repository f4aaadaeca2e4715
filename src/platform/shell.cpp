#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

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
    return QDesktopServices::openUrl(url);
}
