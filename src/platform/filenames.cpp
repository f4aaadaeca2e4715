#include "platform/filenames.h"

namespace {

constexpr qsizetype maxfilenamebytes = 255;

bool forbidden(QChar c)
{
    return c.category() == QChar::Other_Control || forbiddennamechars.contains(c);
}

} // namespace

bool isvalidfilename(const QString &name, const QString &suffix)
{
    if (name.trimmed().isEmpty())
        return false;
    for (QChar c : name) {
        if (forbidden(c))
            return false;
    }
    return (name + suffix).toUtf8().size() <= maxfilenamebytes;
}

QString safefilename(const QString &name, const QString &suffix)
{
    QString safe;
    for (QChar c : name)
        safe += forbidden(c) ? QChar(u'_') : c;
    safe = safe.trimmed();
    // Cut whole characters until the name fits.
    while (!safe.isEmpty() && (safe + suffix).toUtf8().size() > maxfilenamebytes)
        safe.chop(safe.back().isLowSurrogate() && safe.size() > 1 ? 2 : 1);
    safe = safe.trimmed();
    return isvalidfilename(safe, suffix) ? safe : QString();
}
