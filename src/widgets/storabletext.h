#pragma once
// One rule for every text the user types that ends up in a windows-1250
// file (a record, a list or the settings): a character that file cannot
// hold is refused with a message naming it, and what the user typed stays
// in the field to mend. Nothing is ever shown as stored that was not. The
// fields of the windows follow it through widgets/storablefields.h.

#include <QString>

// True when `text` can be stored; otherwise says which characters cannot.
bool checkstorable(const QString &text);
