#include "organizer/reminders.h"

#include "database/database.h"
#include "organizer/calendar.h"
#include "platform/hashtext.h"

#include <QList>

#include <algorithm>

int takedue(Database &db, const QDateTime &now, const std::function<void(const DueReminder &)> &ring)
{
    const QDate today = now.date();
    const int hour = now.time().hour();
    const int minute = now.time().minute();
    // All are disarmed before the first rings: ringing may show a message
    // box, whose event loop lets the timer tick (and the records change).
    QList<DueReminder> due;
    for (TCalItemRec &r : db.calitems) {
        if (!r.remind || r.timefrom / 100 != hour || r.timefrom % 100 != minute || !occurstoday(r, today))
            continue;
        r.remind = false;
        due.push_back({firsthashpart(r.text), r.icon, qint8(r.melody)});
    }
    // Saved before anything rings: ringing starts the sound system, which
    // may be slow or stuck, and must never keep a reminder armed. A failed
    // save is told after the reminders are up, never instead of them.
    QList<DbMessage> failures;
    if (!due.isEmpty()) {
        db.holdreports();
        db.savecalitems();
        failures = db.releasereports();
    }
    for (const DueReminder &reminder : std::as_const(due))
        ring(reminder);
    for (const DbMessage &failure : std::as_const(failures))
        db.reporterror(failure);
    return int(due.size());
}

bool anyarmed(const std::vector<TCalItemRec> &calitems)
{
    return std::any_of(calitems.begin(), calitems.end(),
                       [](const TCalItemRec &r) { return r.remind && !r.text.isEmpty(); });
}
