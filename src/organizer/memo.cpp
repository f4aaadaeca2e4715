#include "organizer/memo.h"

#include "platform/wholefile.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>

namespace memo {

std::optional<Loaded> load(const QString &path, QString *error)
{
    const std::optional<QByteArray> data = wholefile::read(path, error);
    if (!data)
        return std::nullopt;
    Loaded loaded;
    loaded.document = std::make_unique<QTextDocument>();
    loaded.dropped = rtf::read(*data, *loaded.document);
    return loaded;
}

bool save(const QString &path, const QTextDocument &document, QString *error)
{
    return wholefile::save(path, rtf::write(document), error);
}

std::optional<int> fontsize(const QString &text)
{
    bool ok = false;
    const int size = text.trimmed().toInt(&ok);
    if (!ok || size < smallestsize || size > largestsize)
        return std::nullopt;
    return size;
}

QString sizetext(double points)
{
    return QString::number(points, 'g', 6);
}

QList<Link> weblinks(const QString &text)
{
    static const QRegularExpression address(
        QStringLiteral(R"((?<![\w@.])(?:(?:https?|ftp)://|mailto:|www\.)[^\s<>"]+)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    static const QString trailing = QStringLiteral(".,;:!?)]}'");
    QList<Link> links;
    for (auto it = address.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        int length = int(m.capturedLength());
        while (length > 0 && trailing.contains(text.at(m.capturedStart() + length - 1)))
            --length;
        links.push_back({int(m.capturedStart()), length});
    }
    return links;
}

QString weblinkat(const QString &text, int offset)
{
    for (const Link &link : weblinks(text)) {
        if (offset >= link.start && offset < link.start + link.length)
            return text.mid(link.start, link.length);
    }
    return QString();
}

void togglebullets(QTextCursor cursor)
{
    QTextDocument *document = cursor.document();
    const bool remove = cursor.block().textList() != nullptr;
    const QTextBlock first = document->findBlock(cursor.selectionStart());
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    cursor.beginEditBlock();
    QTextList *list = nullptr;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        if (remove) {
            if (QTextList *in = block.textList()) {
                in->remove(block);
                QTextCursor at(block);
                QTextBlockFormat format = block.blockFormat();
                format.setIndent(0);
                at.setBlockFormat(format);
            }
        } else if (!block.textList()) {
            if (list) {
                list->add(block);
            } else {
                QTextListFormat format;
                format.setStyle(QTextListFormat::ListDisc);
                list = QTextCursor(block).createList(format);
            }
        }
        if (block == last)
            break;
    }
    cursor.endEditBlock();
}

bool isbulleted(const QTextList &list)
{
    const QTextListFormat::Style style = list.format().style();
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
           || style == QTextListFormat::ListSquare;
}

bool findnext(QTextCursor &cursor, const QString &text, QTextDocument::FindFlags flags)
{
    if (text.isEmpty())
        return false;
    const QTextCursor found = cursor.document()->find(text, cursor, flags);
    if (found.isNull())
        return false;
    cursor = found;
    return true;
}

bool replaceselection(QTextCursor &cursor, const QString &text, const QString &replacement,
                      QTextDocument::FindFlags flags)
{
    if (!cursor.hasSelection() || text.isEmpty())
        return false;
    const Qt::CaseSensitivity cs = flags & QTextDocument::FindCaseSensitively ? Qt::CaseSensitive
                                                                              : Qt::CaseInsensitive;
    if (cursor.selectedText().compare(text, cs) != 0)
        return false;
    cursor.insertText(replacement);
    return true;
}

int replaceall(QTextDocument &document, const QString &text, const QString &replacement,
               QTextDocument::FindFlags flags)
{
    if (text.isEmpty())
        return 0;
    flags &= ~QTextDocument::FindBackward;
    QTextCursor edit(&document);
    int count = 0;
    QTextCursor at(&document);
    while (true) {
        const QTextCursor found = document.find(text, at, flags);
        if (found.isNull())
            break;
        if (count == 0)
            edit.beginEditBlock();
        edit.setPosition(found.selectionStart());
        edit.setPosition(found.selectionEnd(), QTextCursor::KeepAnchor);
        edit.insertText(replacement);
        at = edit; // go on after the replacement, never inside it
        ++count;
    }
    if (count > 0)
        edit.endEditBlock();
    return count;
}

} // namespace memo
