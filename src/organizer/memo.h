#pragma once
// What the note editor does without a window: reading and writing a note
// file, the size box's rule, web addresses in the text, bullets, finding and
// replacing, printing.

#include "platform/rtf.h"

#include <QList>
#include <QString>
#include <QTextDocument>

#include <memory>
#include <optional>

class QTextCursor;
class QTextList;

namespace memo {

struct Loaded
{
    std::unique_ptr<QTextDocument> document;
    rtf::Dropped dropped;
};

// Reads the note at `path` into a new document; nothing (with the reason in
// `error`) when the file cannot be read.
std::optional<Loaded> load(const QString &path, QString *error = nullptr);

// Writes the document to `path` whole, replacing the old file only once the
// new one is complete.
bool save(const QString &path, const QTextDocument &document, QString *error = nullptr);

// Sizes the size box takes, in points.
constexpr int smallestsize = 1;
constexpr int largestsize = 1638;
// The size typed into the size box: a whole number within those limits,
// else nothing (the text is ignored).
std::optional<int> fontsize(const QString &text);
// The size box's text for a size in points ("10", "10.5").
QString sizetext(double points);

// A web address in a text: where it starts and how long it is.
struct Link
{
    int start = 0;
    int length = 0;
};
// The web addresses in one paragraph's text: http, https and ftp addresses,
// mailto addresses and ones starting with "www.", without trailing
// punctuation.
QList<Link> weblinks(const QString &text);
// The address at character `offset` of `text`, or the empty text.
QString weblinkat(const QString &text, int offset);

// Bullets on or off for every paragraph of the cursor's selection, decided
// by the cursor's own paragraph: a paragraph in any list, numbered too,
// leaves it; one undo step.
void togglebullets(QTextCursor cursor);
// Whether a list marks its items with bullets rather than numbers.
bool isbulleted(const QTextList &list);

// The next occurrence of `text` after the cursor's selection (before it when
// searching backward), selected in `cursor`; false when there is none.
bool findnext(QTextCursor &cursor, const QString &text, QTextDocument::FindFlags flags);
// When the cursor's selection is `text` (as `flags` compare it), replaces it
// by `replacement` and returns true.
bool replaceselection(QTextCursor &cursor, const QString &text, const QString &replacement,
                      QTextDocument::FindFlags flags);
// Replaces every occurrence in the document as one undo step; the count.
int replaceall(QTextDocument &document, const QString &text, const QString &replacement,
               QTextDocument::FindFlags flags);

} // namespace memo
