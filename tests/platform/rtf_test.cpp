#include "platform/rtf.h"
#include "platform/rtfwords.h"

#include <gtest/gtest.h>

#include "testsupport.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace {

struct Run
{
    QString text;
    QTextCharFormat format;
};

std::vector<Run> runs(const QTextBlock &block)
{
    std::vector<Run> out;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        out.push_back({it.fragment().text(), it.fragment().charFormat()});
    return out;
}

QString family(const QTextCharFormat &f)
{
    return f.fontFamilies().toStringList().value(0);
}

QTextBlock blockat(const QTextDocument &doc, int n)
{
    return doc.findBlockByNumber(n);
}

QTextCharFormat styled(const QString &fontname, double size, QColor colour, bool bold = false, bool italic = false,
                       bool underline = false, bool strike = false)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{fontname});
    f.setFontPointSize(size);
    f.setForeground(colour);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(italic);
    f.setFontUnderline(underline);
    f.setFontStrikeOut(strike);
    return f;
}

void expectformat(const QTextCharFormat &actual, const QTextCharFormat &expected, const QString &where)
{
    EXPECT_EQ(family(actual), family(expected)) << where.toStdString();
    EXPECT_DOUBLE_EQ(actual.fontPointSize(), expected.fontPointSize()) << where.toStdString();
    EXPECT_EQ(actual.foreground().color().rgb(), expected.foreground().color().rgb()) << where.toStdString();
    EXPECT_EQ(actual.fontWeight() >= QFont::Bold, expected.fontWeight() >= QFont::Bold) << where.toStdString();
    EXPECT_EQ(actual.fontItalic(), expected.fontItalic()) << where.toStdString();
    EXPECT_EQ(actual.fontUnderline(), expected.fontUnderline()) << where.toStdString();
    EXPECT_EQ(actual.fontStrikeOut(), expected.fontStrikeOut()) << where.toStdString();
}

rtf::Dropped readinto(QTextDocument &doc, const QByteArray &data)
{
    return rtf::read(data, doc);
}

} // namespace

TEST(Rtf, EveryAttributeAndCharacterSurvivesWriteAndRead)
{
    const QTextCharFormat plain = styled("Arial", 10, Qt::black);
    const QTextCharFormat fancy = styled("Times New Roman", 14.5, QColor(200, 30, 40), true, true, true, true);
    const QTextCharFormat big = styled("DejaVu Sans", 72, QColor(0, 0, 255), false, false, false, true);
    // Czech letters, the euro, an emoji (a surrogate pair), braces, a backslash.
    const QString tricky = QStringLiteral("P\u0159\u00edli\u0161 \u017elu\u0165ou\u010dk\u00fd k\u016f\u0148 "
                                          "\u20ac {a} \\ \U0001F600 \u00e4\u00df\u0416");

    QTextDocument source;
    QTextCursor c(&source);
    c.insertText(tricky, plain);
    c.insertText(QStringLiteral("\tbold"), fancy);
    c.insertText(QString(QChar::LineSeparator) + QStringLiteral("next line"), big);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.insertBlock(centred, plain);
    c.insertText(QStringLiteral("centred"), plain);
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    c.insertBlock(right, plain);
    c.insertText(QStringLiteral("first bullet"), plain);
    QTextListFormat disc;
    disc.setStyle(QTextListFormat::ListDisc);
    c.createList(disc);
    c.insertBlock();
    c.insertText(QStringLiteral("second bullet"), fancy);
    c.insertBlock(QTextBlockFormat(), big); // an empty line in 72 points, outside the list
    c.insertBlock(QTextBlockFormat(), fancy); // the mark styled, its text not
    c.insertText(QStringLiteral("last"), plain);

    const QByteArray written = rtf::write(source);
    EXPECT_TRUE(written.startsWith("{\\rtf1\\ansi\\ansicpg1250"));
    EXPECT_TRUE(written.contains("\\'f8"));        // ř as its windows-1250 byte
    EXPECT_TRUE(written.contains("\\'80"));        // €
    EXPECT_TRUE(written.contains("\\u-10179?"));   // the emoji's high surrogate
    EXPECT_TRUE(written.contains("\\u1046?"));     // Ж, which windows-1250 lacks
    EXPECT_TRUE(written.contains("\\{a\\} \\\\")); // braces and backslash escaped
    for (char byte : written)
        EXPECT_LT(static_cast<unsigned char>(byte), 0x80) << "RTF is 7-bit text";

    QTextDocument doc;
    const rtf::Dropped dropped = readinto(doc, written);
    EXPECT_FALSE(dropped.any());
    ASSERT_EQ(doc.blockCount(), 6);
    EXPECT_EQ(doc.toPlainText(), source.toPlainText());

    const auto first = runs(blockat(doc, 0));
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].text, tricky);
    expectformat(first[0].format, plain, "plain");
    EXPECT_EQ(first[1].text, QStringLiteral("\tbold"));
    expectformat(first[1].format, fancy, "every style");
    EXPECT_EQ(first[2].text, QString(QChar::LineSeparator) + QStringLiteral("next line"));
    expectformat(first[2].format, big, "big");

    EXPECT_EQ(blockat(doc, 0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(blockat(doc, 1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(blockat(doc, 2).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    EXPECT_EQ(blockat(doc, 1).textList(), nullptr);
    ASSERT_NE(blockat(doc, 2).textList(), nullptr);
    EXPECT_EQ(blockat(doc, 2).textList(), blockat(doc, 3).textList()) << "one list for both bullets";
    EXPECT_EQ(blockat(doc, 2).textList()->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(blockat(doc, 4).textList(), nullptr);

    // The empty line keeps its size, so the gap it makes stays the same.
    EXPECT_TRUE(blockat(doc, 4).text().isEmpty());
    expectformat(blockat(doc, 4).charFormat(), big, "empty line");

    ASSERT_EQ(runs(blockat(doc, 5)).size(), 1u);
    expectformat(runs(blockat(doc, 5))[0].format, plain, "text under a styled mark");

    // Written again, the read document gives the same bytes.
    EXPECT_EQ(rtf::write(doc), written);
}

TEST(Rtf, EmptyNoteReadsBackAsArialTenBlack)
{
    QTextDocument doc;
    readinto(doc, rtf::emptynote());
    ASSERT_EQ(doc.blockCount(), 1);
    EXPECT_TRUE(doc.toPlainText().isEmpty());
    expectformat(QTextCursor(&doc).charFormat(), rtf::defaultformat(), "new text");
    expectformat(doc.begin().charFormat(), rtf::defaultformat(), "paragraph mark");
    EXPECT_FALSE(doc.isUndoAvailable());
}

TEST(Rtf, ClassicRichEditFileReadsWithItsBulletsAndCzechLetters)
{
    const QByteArray file =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl{\\f0\\fswiss\\fcharset238{\\*\\fname Arial;}"
        "Arial CE;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\f0\\fs20 N\\'e1kup: \\'e8aj a \\'9a\\'ed\\'f8ka\\par\r\n"
        "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}\\fi-200\\li200"
        "\\cf1\\b ml\\'e9ko\\cf0\\b0\\par\r\n"
        "{\\pntext\\f1\\'b7\\tab}chl\\'e9b\\par\r\n"
        "\\pard\\qc\\i konec\\i0\\par\r\n"
        "}\r\n\0";
    QTextDocument doc;
    const rtf::Dropped dropped = readinto(doc, file);
    EXPECT_FALSE(dropped.any());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("N\u00e1kup: \u010daj a \u0161\u00ed\u0159ka\nml\u00e9ko\n"
                                                "chl\u00e9b\nkonec\n"));
    const auto first = runs(blockat(doc, 0));
    ASSERT_EQ(first.size(), 1u);
    expectformat(first[0].format, styled("Arial CE", 10, Qt::black), "first line");

    ASSERT_NE(blockat(doc, 1).textList(), nullptr);
    EXPECT_EQ(blockat(doc, 1).textList(), blockat(doc, 2).textList());
    EXPECT_EQ(blockat(doc, 3).textList(), nullptr);
    const auto milk = runs(blockat(doc, 1));
    ASSERT_FALSE(milk.empty());
    expectformat(milk[0].format, styled("Arial CE", 10, Qt::red, true), "bullet");
    EXPECT_EQ(blockat(doc, 3).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(runs(blockat(doc, 3))[0].format.fontItalic());
}

TEST(Rtf, WordProcessorFileReadsItsTextAndReportsWhatItDrops)
{
    const QByteArray file =
        "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff0\\deff0\\stshfdbch0"
        "{\\fonttbl{\\f0\\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}"
        "{\\f1\\fswiss\\fcharset238\\fprq2 Calibri CE;}{\\f2\\fnil\\fcharset2 Symbol;}}"
        "{\\colortbl;\\red0\\green0\\blue0;\\red5\\green99\\blue193;}"
        "{\\*\\defchp \\f1\\fs22}"
        "{\\stylesheet{\\ql \\f1\\fs22 \\snext0 Normal;}{\\*\\cs10 \\additive Default Paragraph Font;}}"
        "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}"
        "{\\levelnumbers;}\\f2}{\\listname ;}\\listid7}}"
        "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}}"
        "{\\*\\rsidtbl \\rsid123}{\\*\\generator Some Word Processor 1.0;}"
        "{\\info{\\title Plan}{\\author Someone}{\\creatim\\yr2024\\mo3\\dy1}}"
        "\\paperw11906\\paperh16838\\margl1417\n"
        "\\pard\\plain \\ql \\f1\\fs22 Caf\\u233\\'e9 \\u269\\'e8aj\\par\n"
        "{\\listtext\\pard\\plain \\f2\\fs22 \\'b7\\tab}\\pard\\plain \\fi-360\\li720\\ls1 \\f1\\fs22 "
        "one\\par\n"
        "{\\listtext\\pard\\plain \\f2\\fs22 \\'b7\\tab}two\\par\n"
        "\\pard\\plain \\f1\\fs22 See {\\field{\\*\\fldinst {HYPERLINK \"https://example.org/\"}}"
        "{\\fldrslt {\\ul\\cf2 the page}}}.\\par\n"
        "{\\*\\shppict{\\pict{\\*\\picprop}\\pngblip\\picw10\\pich10 89504e470d0a}}"
        "{\\nonshppict{\\pict\\wmetafile8 0100 text that is no text}}\\par\n"
        "\\trowd\\cellx2000\\cellx4000\\pard\\intbl A1\\cell B1\\cell\\row\n"
        "\\pard end{\\pict\\bin6 }}}}}}}after\\par}";
    QTextDocument doc;
    const rtf::Dropped dropped = readinto(doc, file);
    EXPECT_TRUE(dropped.pictures);
    EXPECT_TRUE(dropped.tables);
    EXPECT_FALSE(dropped.objects);

    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Caf\u00e9 \u010daj\none\ntwo\nSee the page.\n\nA1\tB1\nendafter\n"));
    ASSERT_NE(blockat(doc, 1).textList(), nullptr);
    EXPECT_EQ(blockat(doc, 1).textList(), blockat(doc, 2).textList());
    EXPECT_EQ(blockat(doc, 3).textList(), nullptr);
    const auto see = runs(blockat(doc, 3));
    ASSERT_EQ(see.size(), 3u);
    EXPECT_EQ(see[1].text, QStringLiteral("the page"));
    expectformat(see[1].format, styled("Calibri CE", 11, QColor(5, 99, 193), false, false, true), "field result");
}

TEST(Rtf, EmbeddedObjectsAndShapesAreReported)
{
    QTextDocument doc;
    const rtf::Dropped dropped = readinto(
        doc, "{\\rtf1 a{\\object\\objemb{\\*\\objdata 0102}{\\result{\\pict 00}}}b{\\shp{\\*\\shpinst x}}c}");
    EXPECT_TRUE(dropped.objects);
    EXPECT_FALSE(dropped.tables);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("abc"));
}

TEST(Rtf, MalformedInputReadsWithoutHarm)
{
    struct Case
    {
        const char *name;
        QByteArray data;
        QString text;
    };
    const std::vector<Case> cases = {
        {"truncated \\bin", "{\\rtf1 a\\bin999999999 xyz", "a"},
        {"negative \\bin", "{\\rtf1 a\\bin-5 xyz}", "axyz"},
        {"\\u-1", "{\\rtf1 a\\u-1?b}", QStringLiteral("a\uFFFDb")},
        {"lone surrogate", "{\\rtf1 a\\u-10179?b}", QStringLiteral("a\uFFFDb")},
        {"swapped surrogates", "{\\rtf1 \\u-8704?\\u-10179?}", QStringLiteral("\uFFFD")},
        {"huge number", "{\\rtf1 \\fs99999999999999999999 a\\u99999999999999 ?b}", QStringLiteral("a\uFFFDb")},
        {"bad hex", "{\\rtf1 a\\'zzb\\'4}", "azzb4"},
        {"backslash at the end", "{\\rtf1 a\\", "a"},
        {"quote at the end", "{\\rtf1 a\\'", "a"},
        {"unmatched closing", "{\\rtf1 a}}}b", "ab"},
        {"control characters", "{\\rtf1 a\x01\x02\\'00\\u0?\\u8233?b}", "a\nb"},
        {"object place", "{\\rtf1 a\\u65532?b}", "ab"},
        {"very long word", "{\\rtf1 \\" + QByteArray(10000, 'x') + "1 a}", "a"},
        {"skip after \\uc beyond reason", "{\\rtf1\\uc99999 \\u269 abc}", QStringLiteral("\u010d")},
    };
    for (const Case &c : cases) {
        QTextDocument doc;
        readinto(doc, c.data);
        EXPECT_EQ(doc.toPlainText(), c.text) << c.name;
    }
}

TEST(Rtf, BadIndicesAndSizesFallBackToTheDefaults)
{
    QTextDocument doc;
    readinto(doc, "{\\rtf1{\\fonttbl{\\f0 Verdana;}}{\\colortbl;\\red9\\green9\\blue9;}"
                  "\\f7\\fs0\\cf99 a\\f-3\\fs-20\\cf-1 b\\f0\\fs3277 c\\fs3276\\cf1 d}");
    const auto r = runs(doc.begin());
    ASSERT_EQ(r.size(), 2u);
    // \f7 names no font: the default font (\deff0, Verdana); \fs0 and out of range sizes are ignored.
    EXPECT_EQ(r[0].text, QStringLiteral("abc"));
    expectformat(r[0].format, styled("Verdana", 12, Qt::black), "fallbacks");
    EXPECT_EQ(r[1].text, QStringLiteral("d"));
    expectformat(r[1].format, styled("Verdana", 1638, QColor(9, 9, 9)), "largest size");
}

TEST(Rtf, DeepNestingIsSkippedAndReadingGoesOn)
{
    QTextDocument doc;
    readinto(doc, "{\\rtf1 " + QByteArray(100000, '{') + "lost");
    EXPECT_TRUE(doc.toPlainText().isEmpty());

    const int deep = rtf::maxdepth + 50;
    readinto(doc, "{\\rtf1 before" + QByteArray(deep, '{') + "deep" + QByteArray(deep, '}') + " after}");
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("before after"));

    // Nesting within the limit is read.
    readinto(doc, "{\\rtf1 " + QByteArray(100, '{') + "kept" + QByteArray(100, '}') + "}");
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("kept"));
}

TEST(Rtf, TextThatIsNotRtfReadsAsPlainText)
{
    QTextDocument doc;
    readinto(doc, QByteArray());
    EXPECT_TRUE(doc.toPlainText().isEmpty());
    expectformat(QTextCursor(&doc).charFormat(), rtf::defaultformat(), "empty file");

    readinto(doc, "ahoj\r\nsv\xc4\x9bte");
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("ahoj\nsv\u011bte"));
    readinto(doc, "sv\xecte");
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("sv\u011bte"));
    expectformat(runs(doc.begin())[0].format, rtf::defaultformat(), "plain text");
}

TEST(Rtf, ReadingReplacesTheDocumentAndItsUndoHistory)
{
    QTextDocument doc;
    QTextCursor(&doc).insertText(QStringLiteral("old"));
    ASSERT_TRUE(doc.isUndoAvailable());
    readinto(doc, "{\\rtf1 new}");
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("new"));
    EXPECT_FALSE(doc.isUndoAvailable());
    QTextCursor(&doc).insertText(QStringLiteral("x"));
    EXPECT_TRUE(doc.isUndoAvailable()) << "editing is undoable again";
}

TEST(Rtf, FontNamesKeepEveryLetter)
{
    const QString name = QStringLiteral("P\u00edsmo \u0416 \u0159");
    QTextDocument source;
    QTextCursor(&source).insertText(QStringLiteral("x"), styled(name, 10, Qt::black));
    QTextDocument doc;
    readinto(doc, rtf::write(source));
    ASSERT_EQ(runs(doc.begin()).size(), 1u);
    EXPECT_EQ(family(runs(doc.begin())[0].format), name);

    // A foreign file's font name in its own code page, with a Unicode letter.
    readinto(doc, "{\\rtf1{\\fonttbl{\\f0\\fcharset204 \\'c6\\u1046?X;}}\\f0 y}");
    EXPECT_EQ(family(runs(doc.begin())[0].format), QStringLiteral("\u0416\u0416X"));
}

TEST(Rtf, FontNamesTheTableCannotHoldAreSavedTheSameEachTime)
{
    // An object or a control character in a foreign file's font name is not
    // written; a name of nothing else was saved as an empty name once and as
    // the default font the next time. A ";" ends a name, so it becomes ",";
    // spaces around a name are not read. Names that write alike share one
    // entry and one run.
    QTextDocument source;
    QTextCursor cursor(&source);
    cursor.insertText(QStringLiteral("a"), styled(QString(QChar::ObjectReplacementCharacter), 10, Qt::black));
    cursor.insertText(QStringLiteral("b"), styled(QStringLiteral("Serif;Bold\x01"), 10, Qt::black));
    cursor.insertText(QStringLiteral("c"), styled(QStringLiteral("Serif,Bold"), 10, Qt::black));
    cursor.insertText(QStringLiteral("d"), styled(QStringLiteral(" Serif,Bold\u00a0"), 10, Qt::black));
    // A piece of nothing but what is not written leaves no trace.
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), styled(QStringLiteral("Courier"), 10, Qt::red));
    const QByteArray first = rtf::write(source);
    EXPECT_FALSE(first.contains("Courier"));
    QTextDocument doc;
    EXPECT_FALSE(readinto(doc, first).any());
    EXPECT_EQ(rtf::write(doc), first);
    const auto read = runs(doc.begin());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(family(read[0].format), rtf::defaultfamily);
    EXPECT_EQ(family(read[1].format), QStringLiteral("Serif,Bold"));
    EXPECT_EQ(read[1].text, QStringLiteral("bcd"));
}

namespace {

// The list kind and the number each paragraph shows, "-" for none.
QStringList listitems(const QTextDocument &doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextList *list = b.textList();
        if (!list)
            out << QStringLiteral("-");
        else if (list->format().style() == QTextListFormat::ListDisc)
            out << QString(QChar(0x2022));
        else
            out << list->itemText(b);
    }
    return out;
}

} // namespace

TEST(Rtf, NumberedListsReadAsNumberedAndAreWrittenSo)
{
    // A classic rich-edit control: the numbering once, the items after it.
    const QByteArray classic =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}}\r\n"
        "\\viewkind4\\uc1\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec"
        "{\\pntxta.}}\\fi-360\\li720\\f0\\fs20 Physics\\par\r\n"
        "{\\pntext\\f0 2.\\tab}Chemistry\\par\r\n"
        "\\pard{\\pntext\\f0 A.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pnucltr{\\pntxta.}}Art\\par\r\n"
        "\\pard{\\pntext\\f0\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb\\'b7}}Dot\\par\r\n"
        "\\pard Plain\\par\r\n}\r\n";
    QTextDocument doc;
    EXPECT_FALSE(readinto(doc, classic).any());
    EXPECT_EQ(listitems(doc), QStringList({"1.", "2.", "A.", QString(QChar(0x2022)), "-", "-"}));
    EXPECT_EQ(blockat(doc, 0).textList(), blockat(doc, 1).textList());
    EXPECT_EQ(blockat(doc, 3).textList()->format().style(), QTextListFormat::ListDisc);

    // A word processor's list table: level 0 counts, level 1 in letters, a
    // second list of bullets; numbering goes on across a plain paragraph and
    // starts again in another list.
    const QByteArray word =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Calibri;}{\\f1\\fcharset2 Symbol;}}"
        "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}"
        "{\\levelnumbers\\'01;}}{\\listlevel\\levelnfc4{\\leveltext\\'02\\'01.;}{\\levelnumbers\\'01;}}"
        "{\\listname ;}\\listid10}"
        "{\\list\\listtemplateid2{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}{\\levelnumbers;}\\f1}"
        "\\listid20}}"
        "{\\*\\listoverridetable{\\listoverride\\listid10\\listoverridecount0\\ls1}"
        "{\\listoverride\\listid20\\listoverridecount0\\ls2}{\\listoverride\\listid10\\listoverridecount0\\ls3}}\n"
        "{\\listtext\\pard\\plain\\f0 1.\\tab}\\pard\\plain\\fi-360\\li720\\ls1\\f0 Physics\\par\n"
        "{\\listtext\\pard\\plain\\f0 a.\\tab}\\pard\\plain\\fi-360\\li1440\\ls1\\ilvl1\\f0 Mechanics\\par\n"
        "\\pard\\plain\\f0 A note between\\par\n"
        "{\\listtext\\pard\\plain\\f0 2.\\tab}\\pard\\plain\\ls1\\f0 Chemistry\\par\n"
        "{\\listtext\\pard\\plain\\f1 \\'b7\\tab}\\pard\\plain\\ls2\\f0 Pens\\par\n"
        "{\\listtext\\pard\\plain\\f0 1.\\tab}\\pard\\plain\\ls3\\f0 Again\\par\n"
        "{\\listtext\\pard\\plain\\f0 3.\\tab}\\pard\\plain\\ls1\\f0 Biology\\par}";
    EXPECT_FALSE(readinto(doc, word).any());
    const QStringList expected = {"1.", "a.", "-", "2.", QString(QChar(0x2022)), "1.", "3.", "-"};
    EXPECT_EQ(listitems(doc), expected);
    EXPECT_EQ(blockat(doc, 0).textList(), blockat(doc, 6).textList()) << "one list across the others";

    // Saved, the numbers stay numbers, also for readers that only show them.
    const QByteArray written = rtf::write(doc);
    EXPECT_TRUE(written.contains("{\\pntext 2.\\tab}{\\*\\pn\\pnlvlbody\\pnindent360\\pnstart2\\pndec{\\pntxta .}}"))
        << written.constData();
    EXPECT_TRUE(written.contains("\\pnlcltr"));
    EXPECT_TRUE(written.contains("{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pnindent360\\pnstart1\\pndec"));
    QTextDocument again;
    EXPECT_FALSE(readinto(again, written).any());
    EXPECT_EQ(listitems(again), expected);
    EXPECT_EQ(rtf::write(again), written);
}

TEST(Rtf, ItemNumbersOfEveryKind)
{
    using rtf::reading::Numbering;
    using rtf::reading::itemnumber;
    EXPECT_EQ(itemnumber(u"12.", Numbering::decimal), 12);
    EXPECT_EQ(itemnumber(u"1.2.", Numbering::decimal), 2) << "the last number counts in 1.2.";
    EXPECT_EQ(itemnumber(u"(c)", Numbering::loweralpha), 3);
    EXPECT_EQ(itemnumber(u"AB.", Numbering::upperalpha), 28);
    EXPECT_EQ(itemnumber(u"xiv.", Numbering::lowerroman), 14);
    EXPECT_EQ(itemnumber(u"MCMXC", Numbering::upperroman), 1990);
    EXPECT_EQ(itemnumber(u"\u2022", Numbering::decimal), 0);
    EXPECT_EQ(itemnumber(u"a.", Numbering::decimal), 0);
    EXPECT_EQ(itemnumber(u"99999999999999.", Numbering::decimal), 0);
    EXPECT_EQ(itemnumber(u"zzzzzzzzzzzz", Numbering::loweralpha), 0);
    // What the editor's lists show reads back as the same number.
    QTextDocument doc;
    QTextCursor c(&doc);
    for (auto style : {QTextListFormat::ListLowerAlpha, QTextListFormat::ListUpperRoman}) {
        QTextListFormat format;
        format.setStyle(style);
        QTextList *list = c.insertList(format);
        for (int i = 1; i < 800; ++i)
            c.insertBlock();
        const Numbering numbering = style == QTextListFormat::ListLowerAlpha ? Numbering::loweralpha
                                                                             : Numbering::upperroman;
        for (int i = 0; i < list->count(); ++i)
            ASSERT_EQ(itemnumber(list->itemText(list->item(i)), numbering), i + 1)
                << list->itemText(list->item(i)).toStdString();
        c.insertBlock();
        list->remove(c.block());
    }
}

TEST(Rtf, HeadersFootersFootnotesCommentsAndHiddenTextAreReported)
{
    struct Case
    {
        const char *name;
        QByteArray data;
        QString text;
        bool asides;
        bool hidden;
    };
    const std::vector<Case> cases = {
        {"header", "{\\rtf1 {\\header \\pard\\plain\\qc Page header\\par}Body\\par}", "Body\n", true, false},
        {"footer with a page number", "{\\rtf1 {\\footerr {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}}Body}", "Body",
         true, false},
        {"footnote", "{\\rtf1 Body{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} A note.} end.}", "Body end.",
         true, false},
        {"comment", "{\\rtf1 Body{\\*\\atnid A}{\\*\\atnauthor Ann}\\chatn{\\*\\annotation{\\*\\atnref 1}"
                    "\\pard\\plain \\u269?esky} end.}",
         "Body end.", true, false},
        {"empty header", "{\\rtf1 {\\header \\pard\\plain\\par}{\\footer }Body}", "Body", false, false},
        {"hidden words", "{\\rtf1 \\v hidden\\v0 visible {\\v \\'e8}\\u269?}", QStringLiteral("visible \u010d"),
         false, true},
        {"a hidden paragraph mark joins", "{\\rtf1 one\\par{\\v secret\\par}two\\par}", "one\ntwo\n", false, true},
        {"\\plain shows text again", "{\\rtf1 \\v a\\plain b}", "b", false, true},
    };
    for (const Case &c : cases) {
        QTextDocument doc;
        const rtf::Dropped dropped = readinto(doc, c.data);
        EXPECT_EQ(doc.toPlainText(), c.text) << c.name;
        EXPECT_EQ(dropped.asides, c.asides) << c.name;
        EXPECT_EQ(dropped.hidden, c.hidden) << c.name;
        EXPECT_EQ(dropped.any(), c.asides || c.hidden) << c.name;
    }
}

TEST(Rtf, BytesReadInCodePage1252UnlessTheFileSaysOtherwise)
{
    const struct
    {
        QByteArray data;
        QString text;
    } cases[] = {
        {"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times;}}\\f0 o\\'f9 cr\\'e8me \\'80}",
         QStringLiteral("o\u00f9 cr\u00e8me \u20ac")},
        {"{\\rtf1 o\\'f9}", QStringLiteral("o\u00f9")},
        {"{\\rtf1\\ansi\\ansicpg1250 o\\'f9 cr\\'e8me}", QStringLiteral("o\u016f cr\u010dme")},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset238 Arial CE;}{\\f1\\fcharset0 Arial;}}\\f0 o\\'f9\\f1 o\\'f9}",
         QStringLiteral("o\u016fo\u00f9")},
    };
    for (const auto &c : cases) {
        QTextDocument doc;
        readinto(doc, c.data);
        EXPECT_EQ(doc.toPlainText(), c.text) << c.data.constData();
    }
}
