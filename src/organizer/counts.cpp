#include "organizer/counts.h"

#include "database/database.h"
#include "organizer/notes.h"
#include "platform/daynumber.h"

QString countcontacts(const Database &db)
{
    int n = 0;
    for (const TContactRec &c : db.contacts)
        n += c.stored() ? 1 : 0;
    return QString::number(n);
}

QString countcalitems(const Database &db, QDate today)
{
    int total = 0;
    int active = 0;
    for (const TCalItemRec &r : db.calitems) {
        if (!r.stored())
            continue;
        ++total;
        const QDate date = daynumber::todate(r.date);
        if (r.repetition.text() != QLatin1String("0") || (date.isValid() && date >= today))
            ++active;
    }
    return QString::number(active) + QLatin1Char('/') + QString::number(total);
}

QString counttasks(const Database &db)
{
    int all = 0;
    int open = 0;
    for (const TTaskRec &t : db.tasks) {
        if (!t.stored())
            continue;
        ++all;
        open += t.done ? 0 : 1;
    }
    return QString::number(open) + QLatin1Char('/') + QString::number(all);
}

QString countmemos(const Database &db)
{
    return QString::number(notefiles(db.path(dbfolder::memos)).size());
}
