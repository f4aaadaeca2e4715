#pragma once
// Name days from the chosen list, and the birthdays and name days of the
// contacts with the ages they reach.

#include "database/records.h"

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A name-day list has 378 lines: each month's days (February always 29)
// followed by one empty line.
constexpr int namedaylines = 378;

// The line of `date` in a name-day list: the same for every year, so
// 29 February has its own line and 1 March always reads the line after
// February's separator. Empty when the list has no such line.
QString getnameday(const QStringList &anniversaries, QDate date);

// The next day on or after `today` that falls on day and month: this year,
// or next year when this year's is past. 29 February is kept on 28 February
// in common years. None for a day and month that no year has (or a 0).
std::optional<QDate> nextoccurrence(int day, int month, QDate today);

// Whole years the contact has completed before its next birthday; 0 without
// a usable birthday.
int countage(const TContactRec &contact, QDate today);

// Captions that the texts are put together from (translated labels).
struct AnniversaryCaptions
{
    QString nobody = QStringLiteral("nobody");
    QString in = QStringLiteral("in");
    QString days = QStringLiteral("days");
    QString todaytext = QStringLiteral("TODAY!");
    QString fromcontacts = QStringLiteral("from contacts");
};

enum class Anniversary { birthday = 0, nameday = 1 };

// The text of the next birthday or name day among the contacts: the nearest
// one (the earlier contact on a tie), with the age reached for a birthday
// with a year, and how many days away it is.
QString getremainingdays(Anniversary kind, const std::vector<TContactRec> &contacts, QDate today,
                         const AnniversaryCaptions &captions = {});

// Today's name day followed by the contacts that celebrate it.
QString namedaytext(const QStringList &anniversaries, const std::vector<TContactRec> &contacts, QDate today,
                    const AnniversaryCaptions &captions = {});

// The name-day lists beside the program ("*.ani"): base name -> file.
QMap<QString, QString> namedaylistfiles();
