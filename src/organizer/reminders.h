#pragma once
// Reminders that ring: armed calendar records whose start is this minute.

#include "database/records.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

class Database;

struct DueReminder
{
    QString title; // the text before the first '#'
    int icon;
    int melody; // the stored byte read as signed
};

// Disarms every armed record that occurs today and starts at this hour and
// minute, saves the calendar when one is due, then rings each in array
// order: a save that fails is reported after the reminders are up, never
// instead of them. A record rings once; repeating ones wait until they are armed again.
// Returns how many rang.
int takedue(Database &db, const QDateTime &now, const std::function<void(const DueReminder &)> &ring);

// Whether some record (with a text) is armed to remind.
bool anyarmed(const std::vector<TCalItemRec> &calitems);
