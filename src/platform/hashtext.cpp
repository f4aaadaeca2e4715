#include "platform/hashtext.h"

void hashtolines(const QString &text, QStringList &lines)
{
    QString piece;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('#')) {
            lines << piece;
            piece.clear();
        } else {
            piece += text.at(i);
            if (i == text.size() - 1)
                lines << piece;
        }
    }
}

QString linestohash(const QStringList &lines)
{
    return lines.join(QLatin1Char('#'));
}

QStringList memolines(const QString &text)
{
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    return lines;
}

QString firsthashpart(const QString &text)
{
    const qsizetype hash = text.indexOf(QLatin1Char('#'));
    return hash < 0 ? text : text.left(hash);
}

namespace {

char16_t asciilower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}

} // namespace

bool sameignoringasciicase(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciilower(a.at(i).unicode()) != asciilower(b.at(i).unicode()))
            return false;
    }
    return true;
}

bool nameexists(const QString &name, const QStringList &list)
{
    for (const QString &entry : list) {
        if (sameignoringasciicase(name, entry))
            return true;
    }
    return false;
}

bool renameclashes(const QString &old, const QString &name, const QStringList &list)
{
    return nameexists(name, list) && old.toUpper() != name.toUpper();
}
