#include "widgets/pagetable.h"

#include "widgets/language.h"

QString pagecaption(Page page)
{
    return currentlanguage().lookup(QStringLiteral("Labels"), QLatin1String(pagetable[page].caption));
}
