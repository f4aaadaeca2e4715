// The one rule for typed texts that windows-1250 files keep, in the fields
// of the windows: what they cannot hold is refused and named, and the
// user's text stays to mend.

#include "widgets/ui/storablefields.h"

#include "widgets/storabletext.h"

#include "testsupport.h"
#include "uitestsupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

using testsupport::RecordingPrompter;

namespace {

QString message(const QString &characters)
{
    return QStringLiteral("These characters cannot be stored: ") + characters +
           QStringLiteral("\nPlease use other characters.");
}

} // namespace

TEST(StorableText, TheFirstFieldThatCannotBeStoredIsNamedAndFocused)
{
    RecordingPrompter answers;
    QWidget form;
    auto *name = new QLineEdit(QStringLiteral("Jan \u0160koda"), &form);
    auto *company = new QLineEdit(QStringLiteral("\u0412\u0435\u0441\u043d\u0430"), &form);
    auto *note = new QPlainTextEdit(QStringLiteral("line\n\u03a9"), &form);
    auto *layout = new QVBoxLayout(&form);
    for (QWidget *w : std::initializer_list<QWidget *>{name, company, note})
        layout->addWidget(w);
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    EXPECT_FALSE(checkstorable({name, company, note}));
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text, message(QStringLiteral("\u0412 \u0435 \u0441 \u043d \u0430")));
    EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(form.focusWidget(), company);
    EXPECT_EQ(company->text(), QStringLiteral("\u0412\u0435\u0441\u043d\u0430")) << "kept to mend";

    company->setText(QStringLiteral("Vesna"));
    EXPECT_FALSE(checkstorable({name, company, note}));
    EXPECT_EQ(answers.boxes.back().text, message(QStringLiteral("\u03a9")));
    EXPECT_EQ(form.focusWidget(), note);

    note->setPlainText(QStringLiteral("line\nOmega"));
    EXPECT_TRUE(checkstorable({name, company, note}));
    EXPECT_TRUE(checkstorable(QStringLiteral("\u017elu\u0165ou\u010dk\u00fd k\u016f\u0148")));
    EXPECT_EQ(answers.boxes.size(), 2u);
}

// A field that stores each keystroke never takes in what cannot be stored:
// typed, pasted or set by the program, the field shows only what it keeps.
TEST(StorableText, ATypedFieldRefusesTheCharacterAndSaysSoOnce)
{
    RecordingPrompter answers;
    QLineEdit edit;
    edit.setMaxLength(8);
    refuseunstorable(&edit);
    QStringList stored;
    QObject::connect(&edit, &QLineEdit::textEdited, [&](const QString &text) { stored << text; });
    edit.show();

    testsupport::typetext(&edit, QStringLiteral("ab\u0416c"));
    EXPECT_EQ(edit.text(), QStringLiteral("abc"));
    EXPECT_EQ(stored, QStringList({"a", "ab", "abc"})) << "nothing unstorable was ever stored";
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.boxes.size() == 1; }, 2000));
    EXPECT_EQ(answers.boxes[0].text, message(QStringLiteral("\u0416")));

    // A pasted text holding one is refused whole; the field keeps its text.
    QApplication::clipboard()->setText(QStringLiteral("\u00e9\u20ac\u0444"));
    edit.paste();
    EXPECT_EQ(edit.text(), QStringLiteral("abc"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.boxes.size() == 2; }, 2000));
    EXPECT_EQ(answers.boxes[1].text, message(QStringLiteral("\u0444")));

    // Czech letters go in; a full field says nothing about characters.
    testsupport::typetext(&edit, QStringLiteral("\u010d\u0159\u017e\u00e1\u00e9xyz"));
    EXPECT_EQ(edit.text(), QStringLiteral("abc\u010d\u0159\u017e\u00e1\u00e9"));
    EXPECT_FALSE(QTest::qWaitFor([&] { return answers.boxes.size() > 2; }, 100)) << "nothing more to tell";
}
