#pragma once
// The printer all prints share for the run: an installed (CUPS) printer or
// a PDF file, chosen in the print dialog, and plain text lines printed in a
// small monospaced face.

#include <QString>
#include <QStringList>

#include <functional>

class QPrinter;
class QWidget;

namespace printing {

inline const QString notaccessible = QStringLiteral("Printer is not accessible!");

// The one printer of the run, at the printer's own resolution.
QPrinter &printer();

// Whether `printer` can print: an installed printer is chosen, or its
// output goes to a PDF file.
bool hasprinter(const QPrinter &printer);
// The chosen printer's name, the PDF file for a print to a file, or `none`.
QString printername(const QPrinter &printer, const QString &none);

// "Print settings": the print dialog on the shared printer; true when it was
// confirmed. Tests replace it (an empty function: back to the dialog).
bool setupdialog(QWidget *parent);
void setsetupdialog(std::function<bool(QPrinter &, QWidget *)> replacement);

// Prints `lines` in "Courier New" 8, or the closest monospaced face there
// is; a line wider than the page continues on the next line, and a full page
// goes on to the next. False when the printer could not be opened.
bool printlines(QPrinter &printer, const QString &title, const QStringList &lines);

// A text print as the pages start it: the print dialog, and only when it is
// confirmed the lines, on a printer that is there ("Printer is not
// accessible!" otherwise). True when printed.
bool printtext(QWidget *parent, const QString &title, const QStringList &lines);

// Where a line of `text` breaks to fit `fits` (whether a piece fits the
// width): after the last blank that fits, else after the last character
// that does; at least one character.
qsizetype wrapat(const QString &text, const std::function<bool(const QString &)> &fits);

} // namespace printing
