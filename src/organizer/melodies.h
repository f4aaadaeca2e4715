#pragma once
// Melody numbers: 0 to 4 the built-in melodies beside the program, 5 + k the
// k-th line of the custom melody list.

#include "database/records.h"

#include <QString>
#include <QStringList>

#include <vector>

class MelodyPlayer;

constexpr int builtinmelodycount = 5;
// The report of a melody that cannot be played: its file, then the reason.
inline const QString melodyplayfailed = QStringLiteral("Unable to play the melody %s:#%s");
// The entries of the melody box and the files they play.
const QStringList &builtinmelodynames();
const QStringList &builtinmelodyfiles();

// The file that melody `number` plays: a custom melody whose file is gone
// plays the first built-in one, a number past the list the second. Empty for
// a negative number (the player keeps its file).
QString melodyfile(int number, const QStringList &custommelodies);

// Points the player at the melody's file without opening it.
void setplayermelody(MelodyPlayer &player, int number, const QStringList &custommelodies);

// A custom melody's entry: its file name without folder and extension.
QString melodyname(const QString &path);

// The custom entries of the melody box as a load makes them: each custom
// melody's file name with its extension.
QStringList custommelodyentries(const QStringList &custommelodies);

// After custom melody `deleted` (a box index of 5 or more) is gone: records
// that used it get melody 0, later ones move down by one.
void renumbermelodies(std::vector<TCalItemRec> &calitems, int deleted);
