#pragma once
// Marks and what they add up to: the typed text of a mark, letters and
// digits, the weights a mark can carry, and each subject's result with the
// total in the three result modes.

#include "database/records.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// The "Marks format:" modes, stored as the setting's number.
enum MarksMode { marksaverages = 0, markssums = 1, marksabcdf = 2 };

// What a typed cell stores: every blank removed, then the first 3 characters.
QString normalizemark(const QString &typed);

// With `flag`, a letter mark's first character as a digit: A 1, B 2, C 3,
// D 4, F 5, any other "#"; the letters a to z count upper-cased. Without
// it the text unchanged.
QString abcdftodigit(const QString &text, bool flag);
// With `flag`, a result's first digit 1 to 5 as the letter A, B, C, D, F.
QString digittoabcdf(const QString &text, bool flag);

// A result as shown: at most two decimals, no trailing zeros, "." between.
QString formatresult(double value);

// The weights of the "Weight:" list, in its order.
inline constexpr std::array<double, 7> markweights = {0.25, 0.5, 0.75, 1.0, 2.0, 3.0, 4.0};
// The list entry of `weight`, or -1 for a weight the list does not have.
int weightindex(double weight);

struct Averages
{
    QStringList results; // one per subject, "/" for a subject without marks
    QString total;       // "/" when no subject has a result
    bool warning = false; // some mark could not be read and was skipped
};

// Each subject's result and the total in `mode`: weighted averages with the
// modifiers "-", "/" (a half worse) and "+" (a half better), sums of whole
// numbers, or weighted averages of letters shown as a letter.
Averages countaverages(const std::vector<TSubjectRec> &subjects, int mode);

// Removes the subjects whose name is empty: they are never saved, and a grid
// row stands for each named subject in order.
void dropunnamedsubjects(std::vector<TSubjectRec> &subjects);
