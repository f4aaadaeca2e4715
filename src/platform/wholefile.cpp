#include "platform/wholefile.h"

#include "platform/ansi.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace wholefile {

bool save(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile file(path);
    // Unbuffered: with a write buffer, Qt 6.4 commits even when the final
    // flush fails (full disk), replacing the old file with a cut one.
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qsizetype done = 0; ok && done < data.size();) {
        const qint64 n = file.write(data.constData() + done, data.size() - done);
        ok = n > 0;
        done += ok ? n : 0;
    }
    if (ok)
        ok = file.commit(); // syncs, then replaces the old file
    if (!ok) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
    }
    return ok;
}

std::optional<QByteArray> read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return data;
}

std::optional<QStringList> readlines(const QString &path, QString *error)
{
    const std::optional<QByteArray> data = read(path, error);
    if (!data)
        return std::nullopt;
    return splitlines(ansi::decode(*data));
}

QByteArray joinlines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines) {
        out += ansi::encode(line);
        out += "\r\n";
    }
    return out;
}

QStringList splitlines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

} // namespace wholefile
