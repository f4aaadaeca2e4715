#include "platform/filenames.h"

#include <algorithm>

namespace {

bool forbidden(QChar c)
{
    return c.category() == QChar::Other_Control || forbiddennamechars.contains(c);
}

} // namespace

bool hasforbiddencharacters(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), forbidden);
}

bool isvalidfilename(const QString &name, const QString &suffix)
{
    if (name.trimmed().isEmpty() || hasforbiddencharacters(name))
        return false;
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
