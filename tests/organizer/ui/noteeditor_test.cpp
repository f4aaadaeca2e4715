// The note editor window, on a temporary note file.

#include "organizer/ui/noteeditor.h"

#include "database/settings.h"
#include "organizer/memo.h"
#include "platform/clock.h"
#include "platform/dateformat.h"
#include "platform/collate.h"
#include "platform/ui/printer.h"
#include "platform/shell.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

using testsupport::pdftext;
using testsupport::readfile;
using testsupport::RecordingPrompter;
using testsupport::writefile;

namespace {

// A note as a classic rich-edit control writes it: saving it in any way
// changes its bytes, so an unchanged file proves nothing was written.
const QByteArray foreignnote =
    "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs20 \\'c8tvrtek: see www.example.org now\\par\r\n"
    "second line\\par\r\n}\r\n";

class MemoFormTest : public ::testing::Test
{
protected:
    MemoFormTest()
    {
        clock.setsource([] { return QDateTime(QDate(2024, 3, 1), QTime(10, 0)); });
        path = dir.filePath(QStringLiteral("plan.rtf"));
        writefile(path, foreignnote);
        form.setWindowTitle(QStringLiteral("plan - Built-in editor"));
        setwebpageopener([this](const QUrl &url) {
            opened << url.toString();
            return true;
        });
    }
    ~MemoFormTest() override { setwebpageopener({}); }

    void open(const QString &note)
    {
        form.memopath = note;
        form.show();
        QCoreApplication::processEvents();
    }

    MemoEdit *edit() { return form.findChild<MemoEdit *>(QStringLiteral("RichEdit1")); }
    QToolButton *button(const char *name) { return form.findChild<QToolButton *>(QLatin1String(name)); }

    void type(const QString &text)
    {
        edit()->setFocus();
        QTest::keyClicks(edit(), text);
    }

    void selectall()
    {
        QTextCursor c = edit()->textCursor();
        c.select(QTextCursor::Document);
        edit()->setTextCursor(c);
    }

    QTemporaryDir dir;
    QString path;
    Settings settings;
    Clock clock;
    RecordingPrompter prompter;
    Tmemoform form{settings, clock};
    QStringList opened;
};

} // namespace

TEST_F(MemoFormTest, OpeningAndClosingWithoutChangeAsksAndWritesNothing)
{
    open(path);
    EXPECT_EQ(edit()->toPlainText(), QStringLiteral("\u010ctvrtek: see www.example.org now\nsecond line\n"));
    EXPECT_FALSE(edit()->document()->isModified());

    // Undo right after opening leaves the note whole.
    edit()->undo();
    EXPECT_TRUE(edit()->toPlainText().startsWith(QStringLiteral("\u010ctvrtek")));
    EXPECT_FALSE(edit()->document()->isModified());

    // Ctrl+S without a change writes nothing.
    QTest::keyClick(edit(), Qt::Key_S, Qt::ControlModifier);
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_EQ(*readfile(path), foreignnote);
}

TEST_F(MemoFormTest, CloseQuestionNoKeepsTheFileAndEscapeKeepsTheEditorOpen)
{
    open(path);
    type(QStringLiteral("new "));
    ASSERT_TRUE(edit()->document()->isModified());

    // Escape on the question: nothing happens, the editor stays.
    prompter.answer = mb::idcancel;
    QTest::keyClick(edit(), Qt::Key_Escape);
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0], Tmemoform::changedquestion);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(edit()->toPlainText().startsWith(QStringLiteral("new ")));

    // No: closed, the file as it was; the next show reads it again.
    prompter.answer = mb::idno;
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(*readfile(path), foreignnote);
    open(path);
    EXPECT_TRUE(edit()->toPlainText().startsWith(QStringLiteral("\u010ctvrtek")));
    form.close();
}

TEST_F(MemoFormTest, SavingWritesTheNoteAndYesOnCloseSavesIt)
{
    open(path);
    type(QStringLiteral("A"));
    QTest::keyClick(edit(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(edit()->document()->isModified());
    std::optional<memo::Loaded> saved = memo::load(path);
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->document->toPlainText().startsWith(QStringLiteral("A\u010ctvrtek")));

    type(QStringLiteral("B"));
    prompter.answer = mb::idyes;
    form.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click(); // OK saves without asking
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(memo::load(path)->document->toPlainText().startsWith(QStringLiteral("AB")));

    open(path);
    type(QStringLiteral("C"));
    form.close();
    EXPECT_EQ(prompter.questions.size(), 1u);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(memo::load(path)->document->toPlainText().startsWith(QStringLiteral("CAB")));
}

TEST_F(MemoFormTest, AFailedSaveAfterYesKeepsTheEditorOpenWithItsChanges)
{
    open(path);
    type(QStringLiteral("x"));
    QTextCursor c = edit()->textCursor();
    c.insertText(QString(20000, QChar('y')));
    prompter.answer = mb::idyes;
    {
        testsupport::FileSizeLimit limit(1024);
        form.close();
    }
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(edit()->document()->isModified());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(*readfile(path), foreignnote);

    form.close(); // now it can be written
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(memo::load(path)->document->toPlainText().startsWith(QStringLiteral("x")));
}

TEST_F(MemoFormTest, ANoteWithPicturesWarnsBeforeItsFirstSave)
{
    writefile(path, "{\\rtf1 text{\\pict\\pngblip 89504e47}\\par\\trowd a\\cell b\\cell\\row}");
    open(path);
    type(QStringLiteral("1"));
    prompter.answer = mb::idno;
    QTest::keyClick(edit(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0],
              QString(Tmemoform::droppedquestion).replace(QLatin1Char('#'), QLatin1Char('\n')));
    EXPECT_TRUE(edit()->document()->isModified());
    EXPECT_TRUE(readfile(path)->contains("\\pict")) << "declined: the picture stays in the file";

    prompter.answer = mb::idyes;
    QTest::keyClick(edit(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(prompter.questions.size(), 2u);
    EXPECT_FALSE(readfile(path)->contains("\\pict"));
    type(QStringLiteral("2"));
    QTest::keyClick(edit(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(prompter.questions.size(), 2u) << "asked once only";
    form.close();
}

TEST_F(MemoFormTest, HeadersFootnotesAndHiddenTextWarnToo)
{
    const QByteArray notes[] = {
        "{\\rtf1 {\\header \\pard Page 1\\par}Body}",
        "{\\rtf1 Body{\\footnote\\pard A footnote.}}",
        "{\\rtf1 Body{\\*\\annotation\\pard A comment.}}",
        "{\\rtf1 Body \\v hidden}",
    };
    for (const QByteArray &note : notes) {
        writefile(path, note);
        open(path);
        type(QStringLiteral("1"));
        prompter.answer = mb::idno;
        prompter.questions.clear();
        QTest::keyClick(edit(), Qt::Key_S, Qt::ControlModifier);
        ASSERT_EQ(prompter.questions.size(), 1u) << note.constData();
        EXPECT_EQ(*readfile(path), note) << "declined: the file stays as it was";
        prompter.answer = mb::idno; // and closing drops the change
        form.close();
        ASSERT_FALSE(form.isVisible());
    }
}

TEST_F(MemoFormTest, ANumberedListStaysNumberedAndShowsNoBullet)
{
    writefile(path, "{\\rtf1\\ansi\\ansicpg1250\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta.}}"
                    "Physics\\par{\\pntext 2.\\tab}Chemistry\\par\\pard{\\pntext\\'95\\tab}{\\*\\pn\\pnlvlblt}Pens}");
    open(path);
    QTextCursor c = edit()->textCursor();
    c.movePosition(QTextCursor::EndOfBlock);
    edit()->setTextCursor(c);
    ASSERT_NE(edit()->textCursor().currentList(), nullptr);
    EXPECT_FALSE(button("ToolButton7")->isChecked()) << "numbers are no bullets";
    type(QStringLiteral("!"));
    QTest::keyClick(edit(), Qt::Key_Down);
    QTest::keyClick(edit(), Qt::Key_Down);
    EXPECT_TRUE(button("ToolButton7")->isChecked()) << "the bullet item";
    QTest::keyClick(edit(), Qt::Key_S, Qt::ControlModifier);
    const QByteArray saved = *readfile(path);
    EXPECT_TRUE(saved.contains("{\\pntext 2.\\tab}{\\*\\pn\\pnlvlbody")) << saved.constData();
    EXPECT_TRUE(saved.contains("\\pnlvlblt"));
    form.close();
}

TEST_F(MemoFormTest, StyleButtonsToggleAndShowTheSelection)
{
    open(path);
    selectall();
    QToolButton *strike = button("ToolButton17");
    strike->click();
    EXPECT_TRUE(strike->isChecked());
    EXPECT_TRUE(edit()->currentCharFormat().fontStrikeOut());
    strike->click();
    EXPECT_FALSE(strike->isChecked());
    EXPECT_FALSE(edit()->currentCharFormat().fontStrikeOut());

    QTest::keyClick(edit(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(button("ToolButton1")->isChecked());
    EXPECT_EQ(edit()->document()->begin().begin().fragment().charFormat().fontWeight(), QFont::Bold);
    QTest::keyClick(edit(), Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(edit(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_TRUE(button("ToolButton2")->isChecked());
    EXPECT_TRUE(button("ToolButton3")->isChecked());

    // Moving into plain text shows the buttons up again.
    type(QStringLiteral("z"));
    QTextCursor c = edit()->textCursor();
    c.movePosition(QTextCursor::Start);
    edit()->setTextCursor(c);
    c.insertText(QStringLiteral("p"), rtf::defaultformat());
    edit()->setTextCursor(c);
    EXPECT_FALSE(button("ToolButton1")->isChecked());
    EXPECT_FALSE(button("ToolButton2")->isChecked());

    // Alignment by the buttons' tags, one shown down.
    QTest::keyClick(edit(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(edit()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_TRUE(button("ToolButton6")->isChecked());
    EXPECT_FALSE(button("ToolButton4")->isChecked());
    button("ToolButton5")->click();
    EXPECT_EQ(edit()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(button("ToolButton5")->isChecked());
    EXPECT_FALSE(button("ToolButton6")->isChecked());

    button("ToolButton7")->click();
    EXPECT_NE(edit()->textCursor().currentList(), nullptr);
    EXPECT_TRUE(button("ToolButton7")->isChecked());
    button("ToolButton7")->click();
    EXPECT_EQ(edit()->textCursor().currentList(), nullptr);
    prompter.answer = mb::idno;
    form.close();
}

TEST_F(MemoFormTest, SizeBoxIgnoresWhatIsNoSize)
{
    open(path);
    selectall();
    auto *size = form.findChild<QComboBox *>(QStringLiteral("ComboBox1"));
    EXPECT_EQ(size->currentText(), QStringLiteral("10"));
    for (const char *typed : {"12.5", "abc", "0", "2000"}) {
        size->lineEdit()->selectAll();
        QTest::keyClicks(size->lineEdit(), QLatin1String(typed));
        QTest::keyClick(size->lineEdit(), Qt::Key_Return);
        selectall();
        EXPECT_DOUBLE_EQ(edit()->currentCharFormat().fontPointSize(), 10) << typed;
    }
    size->lineEdit()->selectAll();
    QTest::keyClicks(size->lineEdit(), QStringLiteral("14"));
    QTest::keyClick(size->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(edit()->hasFocus() || !QApplication::focusWidget());
    EXPECT_DOUBLE_EQ(edit()->document()->begin().begin().fragment().charFormat().fontPointSize(), 14);
    selectall();
    EXPECT_EQ(size->currentText(), QStringLiteral("14"));
    prompter.answer = mb::idno;
    form.close();
}

TEST_F(MemoFormTest, ZoomScalesTheTextWithoutChangingTheNote)
{
    open(path);
    auto *zoom = form.findChild<QSpinBox *>(QStringLiteral("SpinEdit1"));
    EXPECT_EQ(zoom->value(), 100);
    QTextDocument *doc = edit()->document();
    const QByteArray before = rtf::write(*doc);
    const qreal height = doc->documentLayout()->documentSize().height();

    zoom->setValue(200);
    EXPECT_EQ(edit()->zoom(), 200);
    EXPECT_GT(doc->documentLayout()->documentSize().height(), height * 1.6);
    EXPECT_FALSE(doc->isModified());
    EXPECT_FALSE(doc->isUndoAvailable());
    EXPECT_EQ(rtf::write(*doc), before);

    zoom->setValue(5);
    EXPECT_EQ(edit()->zoom(), 25);

    // Ctrl and the wheel zoom too, and the box follows within its timer's tick.
    zoom->setValue(100);
    QWheelEvent wheel(QPointF(10, 10), edit()->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(edit()->viewport(), &wheel);
    EXPECT_EQ(edit()->zoom(), 110);
    EXPECT_TRUE(QTest::qWaitFor([&] { return zoom->value() == 110; }, 10000));
    EXPECT_FALSE(doc->isModified());

    // The next show starts at 100 %.
    form.close();
    open(path);
    EXPECT_EQ(edit()->zoom(), 100);
    EXPECT_EQ(zoom->value(), 100);
    form.close();
}

TEST_F(MemoFormTest, WebAddressesOpenOnALeftClickOnly)
{
    open(path);
    edit()->setContextMenuPolicy(Qt::NoContextMenu);
    QTextCursor at(edit()->document());
    at.setPosition(int(QStringLiteral("\u010ctvrtek: see www.ex").size()));
    const QPoint link = edit()->cursorRect(at).center() - QPoint(2, 0);
    QTest::mouseClick(edit()->viewport(), Qt::RightButton, {}, link);
    EXPECT_TRUE(opened.isEmpty());
    QTest::mouseClick(edit()->viewport(), Qt::LeftButton, {}, link);
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://www.example.org")});

    // Plain words open nothing.
    at.setPosition(3);
    QTest::mouseClick(edit()->viewport(), Qt::LeftButton, {}, edit()->cursorRect(at).center());
    EXPECT_EQ(opened.size(), 1);
    EXPECT_FALSE(edit()->document()->isModified());
    form.close();
}

TEST_F(MemoFormTest, DateFindAndNotFound)
{
    open(path);
    button("ToolButton13")->click();
    const QString today = formatdate(settings.text(Setting::dateformat), QDate(2024, 3, 1));
    EXPECT_TRUE(edit()->toPlainText().startsWith(today));
    edit()->undo();
    EXPECT_TRUE(edit()->toPlainText().startsWith(QStringLiteral("\u010ctvrtek"))) << "one undo step";

    // The find dialog starts from the selection and finds the next one.
    QTextCursor c = edit()->textCursor();
    c.setPosition(0);
    c.setPosition(3, QTextCursor::KeepAnchor);
    edit()->setTextCursor(c);
    QTest::keyClick(edit(), Qt::Key_F, Qt::ControlModifier);
    auto *find = form.findChild<MemoFindDialog *>(QStringLiteral("FindDialog1"));
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(find->findtext(), QStringLiteral("\u010ctv"));
    find->findChild<QLineEdit *>(QStringLiteral("findtext"))->setText(QStringLiteral("line"));
    find->findChild<QPushButton *>(QStringLiteral("findnext"))->click();
    EXPECT_EQ(edit()->textCursor().selectedText(), QStringLiteral("line"));
    EXPECT_TRUE(prompter.boxes.empty());
    find->findChild<QPushButton *>(QStringLiteral("findnext"))->click();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, Tmemoform::notfoundtext);
    EXPECT_EQ(prompter.boxes[0].caption, Tmemoform::notfoundcaption);
    EXPECT_EQ(prompter.boxes[0].flags, mb::iconinformation);

    // Replace starts with the selection in both boxes.
    QTest::keyClick(edit(), Qt::Key_H, Qt::ControlModifier);
    auto *replace = form.findChild<MemoFindDialog *>(QStringLiteral("ReplaceDialog1"));
    ASSERT_NE(replace, nullptr);
    EXPECT_EQ(replace->findtext(), QStringLiteral("line"));
    EXPECT_EQ(replace->replacement(), QStringLiteral("line"));
    replace->findChild<QLineEdit *>(QStringLiteral("replacetext"))->setText(QStringLiteral("row"));
    replace->findChild<QPushButton *>(QStringLiteral("replaceall"))->click();
    EXPECT_TRUE(edit()->toPlainText().contains(QStringLiteral("second row")));
    prompter.answer = mb::idno;
    form.close();
    EXPECT_FALSE(replace->isVisible());
}

TEST_F(MemoFormTest, PasteKeepsOnlyWhatNotesStore)
{
    open(path);
    QTextCursor c = edit()->textCursor();
    c.movePosition(QTextCursor::End);
    edit()->setTextCursor(c);

    auto *html = new QMimeData;
    html->setHtml(QStringLiteral("<b style='font-size:40pt'>web</b>"));
    html->setText(QStringLiteral("web"));
    QApplication::clipboard()->setMimeData(html);
    edit()->paste();
    QTextBlock last = edit()->document()->lastBlock();
    EXPECT_EQ(last.text(), QStringLiteral("web"));
    EXPECT_NE(last.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(last.begin().fragment().charFormat().fontPointSize(), 10);

    auto *rich = new QMimeData;
    rich->setData(QStringLiteral("text/rtf"), "{\\rtf1 {\\b bold}}");
    rich->setText(QStringLiteral("bold"));
    QApplication::clipboard()->setMimeData(rich);
    edit()->paste();
    last = edit()->document()->lastBlock();
    EXPECT_EQ(last.text(), QStringLiteral("webbold"));
    auto it = last.begin();
    ++it;
    ASSERT_FALSE(it.atEnd());
    EXPECT_EQ(it.fragment().charFormat().fontWeight(), QFont::Bold);

    // Copy and paste inside the note keeps the format through RTF.
    c = edit()->textCursor();
    c.setPosition(last.position() + 3);
    c.setPosition(last.position() + 7, QTextCursor::KeepAnchor);
    edit()->setTextCursor(c);
    edit()->copy();
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("text/rtf")));
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasHtml());
    c.movePosition(QTextCursor::Start);
    edit()->setTextCursor(c);
    edit()->paste();
    EXPECT_EQ(edit()->document()->begin().begin().fragment().text(), QStringLiteral("bold"));
    EXPECT_EQ(edit()->document()->begin().begin().fragment().charFormat().fontWeight(), QFont::Bold);
    prompter.answer = mb::idno;
    form.close();
}

TEST_F(MemoFormTest, PrintsWithTheCaptionAsTitle)
{
    open(path);
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    printing::setsetupdialog([&](QPrinter &printer, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    button("ToolButton18")->click();
    ASSERT_TRUE(readfile(pdf));
    EXPECT_TRUE(readfile(pdf)->contains(pdftext("plan - Built-in editor")));

    printing::setsetupdialog([](QPrinter &, QWidget *) { return false; }); // cancelled
    QFile::remove(pdf);
    button("ToolButton18")->click();
    EXPECT_FALSE(QFile::exists(pdf));
    printing::setsetupdialog({});
    printing::printer().setOutputFileName(QString());
    form.close();
}

TEST_F(MemoFormTest, ANoteThatCannotBeReadIsReportedAndNeverWritten)
{
    const QString missing = dir.filePath(QStringLiteral("missing.rtf"));
    open(missing);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, 10000));
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(MemoFormTest, TheFontBoxListsEachFaceOnceInOrderAndAFaceThisSystemLacksInItsPlace)
{
    auto *fonts = form.findChild<QComboBox *>(QStringLiteral("ComboBox2"));
    ASSERT_NE(fonts, nullptr);
    const auto items = [fonts] {
        QStringList out;
        for (int i = 0; i < fonts->count(); ++i)
            out << fonts->itemText(i);
        return out;
    };
    const auto expectsorted = [&](const char *when) {
        const QStringList listed = items();
        QStringList sorted = listed;
        sortalphabetically(sorted);
        EXPECT_EQ(listed, sorted) << when;
        EXPECT_EQ(QSet<QString>(listed.begin(), listed.end()).size(), listed.size()) << when;
        for (const QString &face : listed)
            EXPECT_FALSE(face.endsWith(u']')) << face.toStdString();
    };
    expectsorted("at creation");

    for (const char *face : {"No Such Face Here", "Aaa Missing", "no such face here"}) {
        writefile(path, QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil ") + face + ";}}\\f0\\fs20 text\\par}");
        open(path);
        QTextCursor inside = edit()->textCursor();
        inside.setPosition(2);
        edit()->setTextCursor(inside);
        EXPECT_EQ(fonts->currentText(), QLatin1String(face));
        EXPECT_EQ(items().count(QLatin1String(face)), 1);
        expectsorted(face);
        form.close();
    }
    EXPECT_TRUE(prompter.questions.empty()) << "showing the face changes nothing";
}

TEST_F(MemoFormTest, EachNoteStartsFromItsOwnFormatNotThePreviousNotes)
{
    // The first note: the cursor left in red underlined Calibri 11.
    writefile(path, "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil Calibri;}}"
                    "{\\colortbl ;\\red255\\green0\\blue0;}\\f0\\fs20 plain {\\f1\\fs22\\cf1\\ul red words}\\par}");
    open(path);
    QTest::keyClick(edit(), Qt::Key_End);
    ASSERT_TRUE(edit()->currentCharFormat().fontUnderline());
    ASSERT_TRUE(button("ToolButton3")->isChecked());
    form.close();

    // A new note: typing gives Arial 10 black, and the toolbar says so.
    const QString fresh = dir.filePath(QStringLiteral("fresh.rtf"));
    writefile(fresh, rtf::emptynote());
    open(fresh);
    EXPECT_FALSE(button("ToolButton3")->isChecked());
    EXPECT_EQ(form.findChild<QComboBox *>(QStringLiteral("ComboBox2"))->currentText(), QStringLiteral("Arial"));
    EXPECT_EQ(form.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->currentText(), QStringLiteral("10"));
    type(QStringLiteral("new"));
    const QTextCharFormat typed = edit()->document()->begin().begin().fragment().charFormat();
    EXPECT_FALSE(typed.fontUnderline());
    EXPECT_EQ(typed.fontFamilies().toStringList(), QStringList({"Arial"}));
    EXPECT_DOUBLE_EQ(typed.fontPointSize(), 10);
    EXPECT_EQ(typed.foreground().color(), QColor(Qt::black));
    QTest::keyClick(edit(), Qt::Key_S, Qt::ControlModifier);
    form.close();

    // Another note shows its own first character's format, bold 14.
    writefile(path, "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fnil Arial;}}\\f0\\fs28\\b bold\\b0  plain\\par}");
    open(path);
    EXPECT_TRUE(button("ToolButton1")->isChecked());
    EXPECT_FALSE(button("ToolButton3")->isChecked());
    EXPECT_EQ(form.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->currentText(), QStringLiteral("14"));
    form.close();
}

TEST(Memo, PrintsTheNoteWithItsTitle)
{
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = dir.filePath(QStringLiteral("note.pdf"));
    printer.setOutputFileName(pdf);
    QTextDocument doc;
    QTextCursor(&doc).insertText(QStringLiteral("Printed note"), rtf::defaultformat());
    memo::print(doc, printer, QStringLiteral("plan - Built-in editor"));
    EXPECT_EQ(printer.docName(), QStringLiteral("plan - Built-in editor"));
    const std::optional<QByteArray> out = readfile(pdf);
    ASSERT_TRUE(out);
    EXPECT_TRUE(out->startsWith("%PDF"));
    EXPECT_TRUE(out->contains(pdftext("plan - Built-in editor"))) << "the title goes into the document";
}
