#pragma once
// One rule for every text the user types that ends up in a windows-1250
// file (a record, a list or the settings): a character that file cannot
// hold is refused with a message naming it, and what the user typed stays
// in the field to mend. Nothing is ever shown as stored that was not.

#include <QList>
#include <QString>

class QLineEdit;
class QWidget;

// True when `text` can be stored; otherwise says which characters cannot.
bool checkstorable(const QString &text);

// The same for the fields of a form (line and plain-text edits) in order:
// the first field holding such a character is named in the message and
// gets the focus; the texts stay as they are.
bool checkstorable(const QList<QWidget *> &fields);

// A field that stores while it is typed in: an edit that would bring in
// such a character (typed, pasted or dropped) is refused as it is made,
// and the message says why once the edit is over.
void refuseunstorable(QLineEdit *edit);
