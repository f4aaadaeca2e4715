#pragma once
// Subjects and their mark slots.

#include "database/records.h"

#include <QStringList>

constexpr qint32 markwhite = 0xFFFFFF;

// Clears `subject` to a new one named `name` (first 30 characters): every
// mark and note empty, colour white, weight 1.
void newsubject(TSubjectRec &subject, const QString &name);

// The subjects a new database starts with, in the built-in language.
QStringList defaultsubjectlist();
