#pragma once
// The storable-text rule (widgets/storabletext.h) in the fields of the
// windows.

#include <QList>

class QLineEdit;
class QWidget;

// The fields of a form (line and plain-text edits) in order: the first
// field holding a character the files cannot hold is named in the message
// and gets the focus; the texts stay as they are.
bool checkstorable(const QList<QWidget *> &fields);

// A field that stores while it is typed in: an edit that would bring in
// such a character (typed, pasted or dropped) is refused as it is made,
// and the message says why once the edit is over.
void refuseunstorable(QLineEdit *edit);
