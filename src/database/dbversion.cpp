#include "database/dbversion.h"

#include <QRegularExpression>

DbVersion checkdbversion(const QString &text)
{
    QString version = text;
    if (version == QLatin1String("1.9"))
        version = QStringLiteral("1.91");
    else if (version == QLatin1String("2.0"))
        version = QStringLiteral("2.01");
    if (version == currentdbversion)
        return DbVersion::current;
    if (version == QLatin1String("1.0 BETA"))
        version = QStringLiteral("1.0");

    // A plain decimal number with '.' as the separator.
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!number.match(version.trimmed()).hasMatch())
        return DbVersion::unreadable;
    bool ok = false;
    const double value = version.trimmed().toDouble(&ok);
    if (!ok)
        return DbVersion::unreadable;
    return value >= 2.1 ? DbVersion::newer : DbVersion::older;
}

QString dbversionnewer()
{
    return QStringLiteral("Database version is newer than current organizer version.#Please visit "
                          "https://quillmoter.example.org/ and download new version of Quillmoter organizer.");
}
