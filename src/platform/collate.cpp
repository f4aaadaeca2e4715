#include "platform/collate.h"

#include <QCollator>

#include <algorithm>

namespace {

QCollator listcollator(const QLocale &locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace

void sortalphabetically(QStringList &list, const QLocale &locale)
{
    const QCollator collator = listcollator(locale);
    std::stable_sort(list.begin(), list.end(),
                     [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
}

qsizetype sortedplace(const QStringList &list, const QString &text, const QLocale &locale)
{
    const QCollator collator = listcollator(locale);
    return std::upper_bound(list.begin(), list.end(), text,
                            [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; })
           - list.begin();
}
