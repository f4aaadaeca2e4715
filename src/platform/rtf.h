#pragma once
// Rich text as notes store it: our own reader and writer of RTF over a
// QTextDocument. The writer stores what the note editor can set (fonts,
// sizes, colours, bold, italic, underline, strike-out, alignment, bullets,
// numbered lists, paragraphs and line breaks) as windows-1250 text with
// "\'hh" escapes and "\uN" for every other character. The reader takes
// that, and what other word processors write, as far as the note editor can
// show it; whatever it has to leave out is reported so the editor can say
// so before a save removes it for good. The reader works on untrusted bytes: it never
// recurses, bounds every index and treats any input as some document.

#include <QByteArray>
#include <QFont>
#include <QString>
#include <QTextCharFormat>

class QTextDocument;

namespace rtf {

// What reading left out of the document.
struct Dropped
{
    bool pictures = false;
    bool objects = false; // embedded objects, shapes and drawings
    bool tables = false;  // tables, read as their cells' text
    bool asides = false;  // headers, footers, footnotes and comments
    bool hidden = false;  // hidden text
    bool any() const { return pictures || objects || tables || asides || hidden; }
};

// Groups nested deeper than this are skipped with their content.
constexpr int maxdepth = 256;

// Sizes run from 1 to 1638 points; RTF counts them in half points.
constexpr int maxhalfpoints = 3276;

// The face of new notes, and of text whose file names no face.
inline const QString defaultfamily = QStringLiteral("Arial");

// The format of new notes and of text that carries no format of its own:
// Arial 10 black, no style.
QFont defaultfont();
QTextCharFormat defaultformat();

// Replaces the content of `document` by `data`. Text that is not RTF (no
// "{\rtf" at its start) is read as plain text (UTF-8, else windows-1250).
// Every piece of text gets an explicit font, size and colour. The undo
// history of `document` is cleared and its default font is defaultfont().
Dropped read(const QByteArray &data, QTextDocument &document);

// The whole document as RTF. Formats a fragment leaves unset are written as
// those of defaultformat().
QByteArray write(const QTextDocument &document);

// An empty note: one paragraph in defaultformat().
QByteArray emptynote();

} // namespace rtf
