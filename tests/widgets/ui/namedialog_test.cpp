#include "widgets/ui/namedialog.h"

#include "testsupport.h"
#include "uitestsupport.h"
#include "widgets/ui/framedbox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using testsupport::RecordingPrompter;

namespace {

// Runs `steps` once the dialog is up, then returns what getstring returned.
QString ask(TForm4 &form, bool checkname, std::function<void()> steps, const QString &initial = {},
            NameKept kept = NameKept::inlistfile)
{
    QTimer::singleShot(0, [&form, steps] {
        EXPECT_TRUE(form.isVisible());
        steps();
        if (form.isVisible())
            form.close();
    });
    return form.getstring(QStringLiteral("Note"), QStringLiteral("Enter note name:"), initial, checkname, kept);
}

} // namespace

TEST(NameDialog, EnterActsAsOkAndTheDefaultIsSelected)
{
    TForm4 form;
    RecordingPrompter answers;
    const QString result = ask(form, false, [&] {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Note"));
        EXPECT_EQ(form.edit()->selectedText(), QStringLiteral("old name"));
        QTest::keyClicks(form.edit(), "New.name");
        QTest::keyClick(form.edit(), Qt::Key_Return);
        EXPECT_FALSE(form.isVisible());
    }, QStringLiteral("old name"));
    EXPECT_EQ(result, QStringLiteral("New.name")) << "without the check a full stop is fine";
    EXPECT_TRUE(answers.boxes.empty());
}

TEST(NameDialog, RefusesCharactersThatCannotStandInAFileName)
{
    TForm4 form;
    RecordingPrompter answers;
    for (const QChar c : TForm4::forbidden) {
        answers.boxes.clear();
        const QString result = ask(form, true, [&] {
            form.edit()->setText(QStringLiteral("a") + c + QStringLiteral("b"));
            QTest::keyClick(form.edit(), Qt::Key_Return);
            EXPECT_TRUE(form.isVisible()) << "stays open for correction";
            EXPECT_EQ(form.edit()->text(), QStringLiteral("a") + c + QStringLiteral("b"));
            form.edit()->setText(QStringLiteral("ab"));
            QTest::mouseClick(form.okbutton(), Qt::LeftButton);
        });
        EXPECT_EQ(result, QStringLiteral("ab"));
        ASSERT_EQ(answers.boxes.size(), 1u) << QString(c).toStdString();
        EXPECT_EQ(answers.boxes[0].text, forbiddennamemessage);
        EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(answers.boxes[0].flags, 16);
    }
    // Blanks and an empty text pass the check.
    EXPECT_EQ(ask(form, true, [&] { QTest::keyClick(form.edit(), Qt::Key_Return); }), QString());
}

// A name kept in a list file cannot take letters windows-1250 lacks: OK
// names them and the text stays to mend. A name that is only a file's name
// on disk takes any.
TEST(NameDialog, LettersAListFileCannotHoldStayInTheFieldToMend)
{
    TForm4 form;
    RecordingPrompter answers;
    const QString result = ask(form, true, [&] {
        testsupport::typetext(form.edit(), QStringLiteral("\u03a9mega \u0161kola"));
        QTest::keyClick(form.edit(), Qt::Key_Return);
        EXPECT_TRUE(form.isVisible()) << "stays open for correction";
        EXPECT_EQ(form.edit()->text(), QStringLiteral("\u03a9mega \u0161kola"));
        form.edit()->setText(QStringLiteral("Omega \u0161kola"));
        QTest::mouseClick(form.okbutton(), Qt::LeftButton);
    });
    EXPECT_EQ(result, QStringLiteral("Omega \u0161kola"));
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text,
              QStringLiteral("These characters cannot be stored: \u03a9\nPlease use other characters."));
    EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));

    answers.boxes.clear();
    const QString note = ask(form, true, [&] {
        testsupport::typetext(form.edit(), QStringLiteral("\u0417\u0430\u043c\u0435\u0442\u043a\u0430"));
        QTest::keyClick(form.edit(), Qt::Key_Return);
    }, {}, NameKept::asfilename);
    EXPECT_EQ(note, QStringLiteral("\u0417\u0430\u043c\u0435\u0442\u043a\u0430"));
    EXPECT_TRUE(answers.boxes.empty());
}

TEST(NameDialog, EscapeIsIgnoredAndClosingGivesNothing)
{
    TForm4 form;
    const QString result = ask(form, false, [&] {
        QTest::keyClicks(form.edit(), "typed");
        QTest::keyClick(form.edit(), Qt::Key_Escape);
        EXPECT_TRUE(form.isVisible());
        form.close(); // the close box
    });
    EXPECT_EQ(result, QString());
    EXPECT_EQ(form.resultstring(), QString());
}

TEST(NameDialog, APastedTextIsCutAtItsFirstLineBreak)
{
    TForm4 form;
    const QString result = ask(form, false, [&] {
        QApplication::clipboard()->setText(QStringLiteral("first line\nsecond line"));
        form.edit()->clear();
        form.edit()->paste();
        EXPECT_EQ(form.edit()->text(), QStringLiteral("first line"));
        form.edit()->setText(QStringLiteral("x\r\ny"));
        EXPECT_EQ(form.edit()->text(), QStringLiteral("x"));
        QTest::keyClick(form.edit(), Qt::Key_Return);
    });
    EXPECT_EQ(result, QStringLiteral("x"));
}

// The edit sits in the rounded framed box every other framed area has.
TEST(NameDialog, TheEditSitsInARoundedFramedBox)
{
    TForm4 form;
    ask(form, false, [&] {
        QWidget *box = form.framedbox();
        const QImage shown = box->grab().toImage();
        const QImage framed = [&] {
            QImage image(box->size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(box->palette().color(QPalette::Window));
            QPainter painter(&image);
            PaintBox2Paint(painter, box->size(), box->palette().color(QPalette::Window));
            return image;
        }();
        // The frame's corners and edges are where the framed box paints them.
        for (const QPoint p : {QPoint(2, 2), QPoint(4, box->height() / 2), QPoint(box->width() / 2, 4),
                               QPoint(box->width() - 3, box->height() - 3)})
            EXPECT_EQ(shown.pixel(p), framed.pixel(p)) << p.x() << "," << p.y();
        EXPECT_TRUE(box->geometry().contains(form.edit()->geometry().translated(box->pos())));
        EXPECT_GE(form.edit()->x(), 16) << "the edit sits on the white inside";
    });
}
