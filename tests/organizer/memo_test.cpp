// The note editor's logic: note files, the size box, web addresses, bullets,
// find and replace, printing.

#include "organizer/memo.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>

using testsupport::pdftext;
using testsupport::readfile;
using testsupport::writefile;

TEST(Memo, SavedNoteLoadsBackAndAFailedSaveKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("school.plan.rtf"));
    QTextDocument doc;
    QTextCursor(&doc).insertText(QStringLiteral("Úkoly na \u010dtvrtek"), rtf::defaultformat());
    ASSERT_TRUE(memo::save(path, doc));
    std::optional<memo::Loaded> loaded = memo::load(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->document->toPlainText(), doc.toPlainText());
    EXPECT_FALSE(loaded->dropped.any());

    // A save that cannot finish leaves the note as it was.
    const QByteArray before = *readfile(path);
    QTextDocument big;
    QTextCursor(&big).insertText(QString(200000, QChar('x')));
    QString error;
    {
        testsupport::FileSizeLimit limit(4096);
        EXPECT_FALSE(memo::save(path, big, &error));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(*readfile(path), before);

    EXPECT_FALSE(memo::load(dir.filePath(QStringLiteral("missing.rtf")), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(Memo, SizeBoxTakesWholeNumbersFromOneTo1638)
{
    EXPECT_EQ(memo::fontsize(QStringLiteral("12")), 12);
    EXPECT_EQ(memo::fontsize(QStringLiteral(" 72 ")), 72);
    EXPECT_EQ(memo::fontsize(QStringLiteral("1")), 1);
    EXPECT_EQ(memo::fontsize(QStringLiteral("1638")), 1638);
    for (const char *bad : {"0", "-4", "1639", "12.5", "abc", "", "1e3", "99999999999"})
        EXPECT_FALSE(memo::fontsize(QLatin1String(bad))) << bad;
    EXPECT_EQ(memo::sizetext(10), QStringLiteral("10"));
    EXPECT_EQ(memo::sizetext(10.5), QStringLiteral("10.5"));
}

TEST(Memo, WebAddressesAreFoundWithoutTrailingPunctuation)
{
    const QString text = QStringLiteral("See https://example.org/a?b=1, www.example.cz. "
                                        "Mail mailto:pupil@example.org or ftp://files.example.org/x; "
                                        "not file:///etc/passwd nor javascript:alert(1) nor me@www.example.org");
    QStringList found;
    for (const memo::Link &l : memo::weblinks(text))
        found << text.mid(l.start, l.length);
    EXPECT_EQ(found, QStringList({QStringLiteral("https://example.org/a?b=1"), QStringLiteral("www.example.cz"),
                                  QStringLiteral("mailto:pupil@example.org"),
                                  QStringLiteral("ftp://files.example.org/x")}));
    EXPECT_EQ(memo::weblinkat(text, 4), QStringLiteral("https://example.org/a?b=1"));
    EXPECT_EQ(memo::weblinkat(text, 28), QStringLiteral("https://example.org/a?b=1"));
    EXPECT_TRUE(memo::weblinkat(text, 29).isEmpty()) << "the comma after it";
    EXPECT_TRUE(memo::weblinkat(text, 0).isEmpty());
}

TEST(Memo, BulletsToggleForEverySelectedParagraphAsOneStep)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("one\ntwo\nthree"));
    c.setPosition(1);
    c.setPosition(doc.findBlockByNumber(1).position() + 1, QTextCursor::KeepAnchor);
    memo::togglebullets(c);
    ASSERT_NE(doc.findBlockByNumber(0).textList(), nullptr);
    EXPECT_EQ(doc.findBlockByNumber(0).textList(), doc.findBlockByNumber(1).textList());
    EXPECT_EQ(doc.findBlockByNumber(0).textList()->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(doc.findBlockByNumber(2).textList(), nullptr);

    memo::togglebullets(c);
    EXPECT_EQ(doc.findBlockByNumber(0).textList(), nullptr);
    EXPECT_EQ(doc.findBlockByNumber(1).textList(), nullptr);
    EXPECT_EQ(doc.findBlockByNumber(0).blockFormat().indent(), 0);

    doc.undo();
    EXPECT_NE(doc.findBlockByNumber(1).textList(), nullptr) << "one undo brings both bullets back";
}

TEST(Memo, FindAndReplace)
{
    QTextDocument doc;
    QTextCursor(&doc).insertText(QStringLiteral("Cat cat concat CAT"));
    QTextCursor c(&doc);
    ASSERT_TRUE(memo::findnext(c, QStringLiteral("cat"), {}));
    EXPECT_EQ(c.selectionStart(), 0);
    ASSERT_TRUE(memo::findnext(c, QStringLiteral("cat"), QTextDocument::FindCaseSensitively));
    EXPECT_EQ(c.selectionStart(), 4);
    ASSERT_TRUE(memo::findnext(c, QStringLiteral("cat"), QTextDocument::FindWholeWords));
    EXPECT_EQ(c.selectionStart(), 15) << "concat is not the whole word";
    EXPECT_FALSE(memo::findnext(c, QStringLiteral("cat"), {})) << "no wrapping past the end";
    EXPECT_EQ(c.selectionStart(), 15);
    ASSERT_TRUE(memo::findnext(c, QStringLiteral("cat"), QTextDocument::FindBackward));
    EXPECT_EQ(c.selectionStart(), 11);
    EXPECT_FALSE(memo::findnext(c, QString(), {}));

    // Replace acts only on a selection that is the searched text.
    EXPECT_TRUE(memo::replaceselection(c, QStringLiteral("CAT"), QStringLiteral("dog"), {}));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Cat cat condog CAT"));
    c.setPosition(0);
    c.setPosition(3, QTextCursor::KeepAnchor);
    EXPECT_FALSE(memo::replaceselection(c, QStringLiteral("cat"), QStringLiteral("x"),
                                        QTextDocument::FindCaseSensitively));

    // A replacement that contains the text is not replaced again.
    EXPECT_EQ(memo::replaceall(doc, QStringLiteral("cat"), QStringLiteral("cats"), {}), 3);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("cats cats condog cats"));
    doc.undo();
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Cat cat condog CAT")) << "replace all is one undo step";
    EXPECT_EQ(memo::replaceall(doc, QStringLiteral("bird"), QStringLiteral("x"), {}), 0);
}
