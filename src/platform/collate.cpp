#include "platform/collate.h"

#include <QCollator>

#include <algorithm>

void sortalphabetically(QStringList &list, const QLocale &locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(list.begin(), list.end(),
                     [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
}
