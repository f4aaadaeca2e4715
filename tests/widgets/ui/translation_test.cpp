// The translation pass over the windows' controls, the confirmation box and
// the language box.

#include "widgets/ui/translation.h"

#include "testsupport.h"
#include "widgets/languagesample.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using languagesample::LanguageTest;
using testsupport::RecordingPrompter;

TEST_F(LanguageTest, TranslatesEveryKindOfControlByItsTag)
{
    store("czech");
    language.loadlanguage(dbpath, {programdir});

    QWidget window;
    window.setWindowTitle(QStringLiteral("Main window"));
    auto *plain = new QLabel(QStringLiteral("Name day:"), &window);
    settranslatable(plain, TransKind::label, 0);
    auto *starred = new QLabel(QStringLiteral("Name day:"), &window);
    settranslatable(starred, TransKind::label, 2);
    auto *runtime = new QLabel(QStringLiteral("Kept"), &window);
    settranslatable(runtime, TransKind::label, 1);
    auto *unmarked = new QLabel(QStringLiteral("Overview"), &window);
    QLabel *hidden = hiddenlabel(&window, QStringLiteral("No lesson"));
    auto *missing = new QLabel(QStringLiteral("Not in the file"), &window);
    settranslatable(missing, TransKind::label);

    auto *bitbtn = new QPushButton(QStringLiteral("Save"), &window);
    bitbtn->setToolTip(QStringLiteral("Save the record"));
    settranslatable(bitbtn, TransKind::bitbtn, 2);
    auto *ok = new QPushButton(QStringLiteral("OK"), &window);
    settranslatable(ok, TransKind::bitbtn);
    auto *speed = new QToolButton(&window);
    speed->setText(QStringLiteral("Speed"));
    settranslatable(speed, TransKind::speedbutton);
    auto *speed2 = new QToolButton(&window);
    speed2->setText(QStringLiteral("Speed"));
    settranslatable(speed2, TransKind::speedbutton, 2);
    auto *pushbutton = new QPushButton(QStringLiteral("OK"), &window); // not marked: stays

    auto *combo = new QComboBox(&window);
    combo->addItems({"Monday", "Sunday", ""});
    combo->setCurrentIndex(1);
    settranslatable(combo, TransKind::combobox);
    QSignalSpy combochanges(combo, &QComboBox::currentIndexChanged);
    QSignalSpy combotext(combo, &QComboBox::currentTextChanged);

    auto *checklist = new QListWidget(&window);
    checklist->addItems({"Contacts", "Item"});
    checklist->item(0)->setCheckState(Qt::Checked);
    settranslatable(checklist, TransKind::checklistbox);
    QSignalSpy listchanges(checklist, &QListWidget::itemChanged);

    auto *menu = new QMenu(&window);
    menu->addAction(QStringLiteral("Open Quillmoter"));
    menu->addSeparator();
    QMenu *more = menu->addMenu(QStringLiteral("More"));
    more->addAction(QStringLiteral("Inner"));
    settranslatable(menu, TransKind::popupmenu);

    auto *check = new QCheckBox(QStringLiteral("Show Moon phase"), &window);
    settranslatable(check, TransKind::checkbox);
    QSignalSpy checkchanges(check, &QCheckBox::toggled);
    auto *radio = new QRadioButton(QStringLiteral("Digital"), &window);
    settranslatable(radio, TransKind::radiobutton);

    QStringList subjects = {"English", "Maths"};
    QStringList tips = {"0$Built-in tip"};
    QStringList about = {"About", "lines"};
    translate(language, {&window}, {&about, nullptr, &subjects, &tips});

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Hlavn\u00ed okno"));
    EXPECT_EQ(plain->text(), QStringLiteral("Sv\u00e1tek (plain)"));
    EXPECT_EQ(starred->text(), QStringLiteral("Sv\u00e1tek:"));
    EXPECT_EQ(runtime->text(), QStringLiteral("Kept"));
    EXPECT_EQ(unmarked->text(), QStringLiteral("Overview"));
    EXPECT_EQ(hidden->text(), QStringLiteral("\u017d\u00e1dn\u00e1 hodina"));
    EXPECT_EQ(missing->text(), QStringLiteral("Not in the file"));

    EXPECT_EQ(bitbtn->text(), QStringLiteral("Ulo\u017eit"));
    EXPECT_EQ(bitbtn->toolTip(), QStringLiteral("Ulo\u017eit z\u00e1znam")) << "the hint uses the plain key";
    EXPECT_EQ(ok->text(), QStringLiteral("Dob\u0159e"));
    EXPECT_EQ(speed->text(), QStringLiteral("Rychl\u00e9"));
    EXPECT_EQ(speed2->text(), QStringLiteral("Speed"));
    EXPECT_EQ(pushbutton->text(), QStringLiteral("OK"));

    EXPECT_EQ(combo->itemText(0), QStringLiteral("Pond\u011bl\u00ed"));
    EXPECT_EQ(combo->itemText(2), QString());
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(combochanges.count(), 0);
    EXPECT_EQ(combotext.count(), 0);
    EXPECT_EQ(checklist->item(0)->text(), QStringLiteral("Kontakty"));
    EXPECT_EQ(checklist->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(listchanges.count(), 0);

    EXPECT_EQ(menu->actions().at(0)->text(), QStringLiteral("Otev\u0159\u00edt"));
    EXPECT_EQ(more->menuAction()->text(), QStringLiteral("V\u00edce"));
    EXPECT_EQ(more->actions().at(0)->text(), QStringLiteral("Inner")) << "only the first level";
    EXPECT_EQ(check->text(), QStringLiteral("Zobrazit f\u00e1zi M\u011bs\u00edce"));
    EXPECT_EQ(checkchanges.count(), 0);
    EXPECT_EQ(radio->text(), QStringLiteral("Digit\u00e1ln\u00ed"));

    EXPECT_EQ(subjects, QStringList({QStringLiteral("Angli\u010dtina"), "Matematika"}));
    EXPECT_EQ(tips, QStringList({QStringLiteral("1$Prvn\u00ed tip"), QStringLiteral("2$Druh\u00fd tip"),
                                 QStringLiteral("3$T\u0159et\u00ed tip")}));
    EXPECT_EQ(about, QStringList({"About", "lines"})) << "a missing key keeps the lines";
    EXPECT_EQ(language.dateformat(), QStringLiteral("d. MMMM"));
}

TEST_F(LanguageTest, EnglishOrAMissingFileTranslatesNothing)
{
    language.loadlanguage(dbpath, {programdir});
    QWidget window;
    auto *label = new QLabel(QStringLiteral("Name day:"), &window);
    settranslatable(label, TransKind::label);
    QStringList tips = {"0$tip"};
    translate(language, {&window}, {nullptr, nullptr, nullptr, &tips});
    EXPECT_EQ(label->text(), QStringLiteral("Name day:"));
    EXPECT_EQ(tips, QStringList({"0$tip"}));
    EXPECT_EQ(language.dateformat(), QStringLiteral("MMMM d"));

    store("czech");
    language.loadlanguage(dbpath, {programdir});
    QFile::remove(programdir + QStringLiteral("/czech.lng"));
    translate(language, {&window});
    EXPECT_TRUE(language.isenglish());
    EXPECT_EQ(label->text(), QStringLiteral("Name day:"));
    EXPECT_EQ(language.lookup("Labels", "Name day:"), QStringLiteral("Name day:"));
}

// The translation pass notes the keys it looks up.
TEST_F(LanguageTest, ARecorderNotesTheKeysOfThePass)
{
    Language &current = currentlanguage();
    const Language saved = current;
    store("czech");
    current.loadlanguage(dbpath, {programdir});
    QWidget window;
    auto *label = new QLabel(QStringLiteral("Name day:"), &window);
    settranslatable(label, TransKind::label, 2);
    {
        LookupRecorder recorder;
        translate(current, {&window});
        EXPECT_EQ(label->text(), QStringLiteral("Sv\u00e1tek:"));
        EXPECT_TRUE(recorder.keys().contains(TransKey{"Labels", "Name day:*"}));
        EXPECT_TRUE(recorder.keys().contains(TransKey{"Language", "dateformat"}));
    }
    current = saved;
}

TEST(ConfirmationBox, EscapeOrClosingAnswersNo)
{
    for (int key : {int(Qt::Key_Escape), int(Qt::Key_Return)}) {
        QTimer::singleShot(0, [key] {
            QWidget *box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Confirm"));
            QTest::keyClick(box, Qt::Key(key));
        });
        const int answer = trans_confirmation(QStringLiteral("Delete it?"));
        EXPECT_EQ(answer, key == Qt::Key_Escape ? 7 : 6) << "Return takes the default, Yes";
    }
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(trans_confirmation(QStringLiteral("Delete it?")), 7);
}

TEST_F(LanguageTest, TheLanguageBoxAsksOnceForEachRealChange)
{
    RecordingPrompter answers;
    Language &current = currentlanguage();
    const Language saved = current;
    current.loadlanguage(dbpath, {programdir});

    QComboBox box;
    int restarts = 0;
    bindlanguagebox(&box, current, [&] { ++restarts; });
    EXPECT_FALSE(box.isEditable());
    EXPECT_EQ(box.count(), 3);
    EXPECT_EQ(box.currentIndex(), 0);

    box.setCurrentIndex(2); // set by the program: no question
    EXPECT_TRUE(answers.questions.empty());

    answers.answer = mb::idno;
    emit box.activated(1);
    ASSERT_EQ(answers.questions.size(), 1u);
    EXPECT_EQ(answers.questions[0], Language::restartquestion);
    EXPECT_EQ(restarts, 0);
    EXPECT_EQ(current.selected(), 1) << "No keeps the choice for the next start";

    emit box.activated(1); // the same entry again
    EXPECT_EQ(answers.questions.size(), 1u);

    answers.answer = mb::idyes;
    emit box.activated(0);
    EXPECT_EQ(answers.questions.size(), 2u);
    EXPECT_EQ(restarts, 1);
    current = saved;
}
