#include "database/dbversion.h"

#include "platform/ansi.h"
#include "platform/wholefile.h"

#include <QRegularExpression>

DbVersion checkdbversion(const QString &text, double *number)
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

    // A plain decimal number with '.' as the separator (so never "nan" or "inf").
    static const QRegularExpression decimal(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!decimal.match(version.trimmed()).hasMatch())
        return DbVersion::unreadable;
    bool ok = false;
    const double value = version.trimmed().toDouble(&ok);
    if (!ok)
        return DbVersion::unreadable;
    if (value >= currentdbversion.toDouble())
        return DbVersion::newer;
    if (number)
        *number = value;
    return DbVersion::older;
}

QString dbversionnewer()
{
    return QStringLiteral("Database version is newer than current organizer version.#Please visit "
                          "https://quillmoter.example.org/ and download new version of Quillmoter organizer.");
}

std::optional<QString> readdbversion(const QString &folder, QString *error)
{
    QString path = folder;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    // Only the first line matters, and it is short: a damaged file of any
    // size costs no more than this.
    const std::optional<QByteArray> data = wholefile::readhead(path + QStringLiteral("dbversion.dat"), 256, error);
    if (!data)
        return std::nullopt;
    return dbversionline(*data);
}

QString dbversionline(const QByteArray &data)
{
    qsizetype end = data.size();
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data.at(i) == '\r' || data.at(i) == '\n') {
            end = i;
            break;
        }
    }
    return ansi::decode(data.constData(), end);
}

QString quotedversion(const QString &text)
{
    constexpr qsizetype most = 40;
    QString out;
    for (const QChar c : text) {
        if (out.size() == most)
            break;
        if (c.isPrint())
            out += c;
    }
    return out;
}
