#pragma once
// The item counts the Overview lists.

#include <QDate>
#include <QString>

class Database;

// Contacts with a name.
QString countcontacts(const Database &db);
// "active/total": records with a text; active ones are dated today or later,
// or repeat.
QString countcalitems(const Database &db, QDate today);
// "open/all": tasks with a text, open ones not done.
QString counttasks(const Database &db);
// Note files in the notes folder, of every category (notefiles).
QString countmemos(const Database &db);
