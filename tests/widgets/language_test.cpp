#include "widgets/language.h"

#include "platform/ansi.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using testsupport::readfile;
using testsupport::RecordingPrompter;
using testsupport::writefile;

namespace {

const QString czechfile = QStringLiteral(
    "[Labels]\n"
    "Main window=Hlavn\u00ed okno\n"
    "Name day:=Sv\u00e1tek (plain)\n"
    "Name day:*=Sv\u00e1tek:\n"
    "No lesson=\u017d\u00e1dn\u00e1 hodina\n"
    "Kept=Never shown\n"
    "Overview=P\u0159ehled\n"
    "Contacts=Kontakty\n"
    "Item=Polo\u017eka\n"
    "[Buttons]\n"
    "OK=Dob\u0159e\n"
    "Save*=Ulo\u017eit\n"
    "Save=Ulo\u017eit (plain)\n"
    "Save the record=Ulo\u017eit z\u00e1znam\n"
    "Speed=Rychl\u00e9\n"
    "[ComboBoxes]\n"
    "Monday=Pond\u011bl\u00ed\n"
    "Sunday=Ned\u011ble\n"
    "[Menus]\n"
    "Open Quillmoter=Otev\u0159\u00edt\n"
    "More=V\u00edce\n"
    "Inner=Vnit\u0159n\u00ed\n"
    "[CheckBoxes]\n"
    "Show Moon phase=Zobrazit f\u00e1zi M\u011bs\u00edce\n"
    "[RadioButtons]\n"
    "Digital=Digit\u00e1ln\u00ed\n"
    "[Messages]\n"
    "Error=Chyba\n"
    "Line one#line two=\u0158\u00e1dek jedna#\u0159\u00e1dek dva\n"
    "[Memos]\n"
    "Subjects=Angli\u010dtina#Matematika\n"
    "Tips=1$Prvn\u00ed tip\n"
    "Tips2=2$Druh\u00fd tip#3$T\u0159et\u00ed tip\n"
    "[Language]\n"
    "dateformat=d. MMMM\n");

class LanguageTest : public ::testing::Test
{
protected:
    LanguageTest()
    {
        programdir = dir.filePath(QStringLiteral("program"));
        dbpath = dir.filePath(QStringLiteral("db/"));
        QDir().mkpath(programdir);
        QDir().mkpath(dbpath);
        writefile(programdir + QStringLiteral("/czech.lng"), ansi::encode(czechfile));
        writefile(programdir + QStringLiteral("/slovak.lng"), "[Labels]\r\n");
        QDir().mkpath(programdir + QStringLiteral("/folder.lng")); // not a language
    }

    void store(const QByteArray &name) { writefile(dbpath + QStringLiteral("language.dat"), name); }

    QTemporaryDir dir;
    QString programdir, dbpath;
    Language language;
};

} // namespace

TEST_F(LanguageTest, ListsEnglishThenTheLanguageFilesAndSelectsTheStoredOne)
{
    language.loadlanguage(dbpath, {programdir});
    EXPECT_EQ(language.entries(), QStringList({"english", "czech", "slovak"}));
    EXPECT_EQ(language.language(), QStringLiteral("english")) << "no language.dat";
    EXPECT_EQ(language.selected(), 0);

    store("czech\r\n");
    language.loadlanguage(dbpath, {programdir});
    EXPECT_EQ(language.language(), QStringLiteral("czech"));
    EXPECT_EQ(language.selected(), 1);

    // Stored names are compared exactly; no match means English with nothing selected.
    store("Czech\r\n");
    language.loadlanguage(dbpath, {programdir});
    EXPECT_TRUE(language.isenglish());
    EXPECT_EQ(language.selected(), -1);

    store("");
    language.loadlanguage(dbpath, {programdir});
    EXPECT_TRUE(language.isenglish());
}

TEST_F(LanguageTest, StoresTheFileNameOfTheChosenEntry)
{
    language.loadlanguage(dbpath, {programdir});
    EXPECT_TRUE(language.choose(2));
    EXPECT_FALSE(language.choose(2)) << "the same entry again is no change";
    EXPECT_FALSE(language.choose(7));
    ASSERT_TRUE(language.savelanguage(dbpath));
    EXPECT_EQ(readfile(dbpath + QStringLiteral("language.dat")), QByteArray("slovak\r\n"));
    // Still English until the next start.
    EXPECT_TRUE(language.isenglish());

    Language next;
    next.loadlanguage(dbpath, {programdir});
    EXPECT_EQ(next.language(), QStringLiteral("slovak"));

    // Nothing selected: an empty line, read back as English.
    store("nothing-like-it\r\n");
    Language none;
    none.loadlanguage(dbpath, {programdir});
    ASSERT_TRUE(none.savelanguage(dbpath));
    EXPECT_EQ(readfile(dbpath + QStringLiteral("language.dat")), QByteArray("\r\n"));
}

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
    language.translate({&window}, {&about, nullptr, &subjects, &tips});

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
    language.translate({&window}, {nullptr, nullptr, nullptr, &tips});
    EXPECT_EQ(label->text(), QStringLiteral("Name day:"));
    EXPECT_EQ(tips, QStringList({"0$tip"}));
    EXPECT_EQ(language.dateformat(), QStringLiteral("MMMM d"));

    store("czech");
    language.loadlanguage(dbpath, {programdir});
    QFile::remove(programdir + QStringLiteral("/czech.lng"));
    language.translate({&window});
    EXPECT_TRUE(language.isenglish());
    EXPECT_EQ(label->text(), QStringLiteral("Name day:"));
    EXPECT_EQ(language.lookup("Labels", "Name day:"), QStringLiteral("Name day:"));
}

TEST_F(LanguageTest, MessagesAreTranslatedAndHashesBecomeLineBreaks)
{
    RecordingPrompter answers;
    Language &current = currentlanguage();
    const Language saved = current;
    store("czech");
    current.loadlanguage(dbpath, {programdir});

    trans_messagebox(QStringLiteral("Line one#line two"), QStringLiteral("Error"), mb::iconerror);
    trans_messagebox(QStringLiteral("Not translated#x"), QStringLiteral("Cap#tion"), mb::iconwarning);
    ASSERT_EQ(answers.boxes.size(), 2u);
    EXPECT_EQ(answers.boxes[0].text, QStringLiteral("\u0158\u00e1dek jedna\n\u0159\u00e1dek dva"));
    EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Chyba"));
    EXPECT_EQ(answers.boxes[0].flags, 16);
    EXPECT_EQ(answers.boxes[1].text, QStringLiteral("Not translated\nx"));
    EXPECT_EQ(answers.boxes[1].caption, QStringLiteral("Cap#tion")) << "captions keep their '#'";

    // Anything but Yes is No.
    answers.answer = 2;
    EXPECT_EQ(trans_confirmation(QStringLiteral("Sure?")), 7);
    answers.answer = mb::idyes;
    EXPECT_EQ(trans_confirmation(QStringLiteral("Sure?#Really?")), 6);
    EXPECT_EQ(answers.questions.back(), QStringLiteral("Sure?\nReally?"));
    current = saved;
}

// What a language file must hold is what the program looks up: in English
// as in any language, through the pass, the helpers and direct lookups.
TEST_F(LanguageTest, ARecorderNotesEveryLookupOnce)
{
    RecordingPrompter answers;
    Language &current = currentlanguage();
    const Language saved = current;
    current.loadlanguage(dbpath, {programdir});
    ASSERT_TRUE(current.isenglish());
    {
        LookupRecorder recorder;
        trans_messagebox(QStringLiteral("Disk full"), QStringLiteral("Error"), mb::iconerror);
        trans_confirmation(QStringLiteral("Sure?"));
        current.lookup(QStringLiteral("Buttons"), QStringLiteral("Even week"));
        current.lookup(QStringLiteral("Buttons"), QStringLiteral("Even week"));
        current.lookup(QStringLiteral("Labels"), QString()); // nothing to look up
        EXPECT_EQ(recorder.keys(), QList<TransKey>({{"Messages", "Error"},
                                                    {"Messages", "Disk full"},
                                                    {"Messages", "Sure?"},
                                                    {"Buttons", "Even week"}}));
    }

    store("czech");
    current.loadlanguage(dbpath, {programdir});
    QWidget window;
    auto *label = new QLabel(QStringLiteral("Name day:"), &window);
    settranslatable(label, TransKind::label, 2);
    {
        LookupRecorder recorder;
        current.translate({&window});
        EXPECT_EQ(label->text(), QStringLiteral("Sv\u00e1tek:"));
        EXPECT_TRUE(recorder.keys().contains(TransKey{"Labels", "Name day:*"}));
        EXPECT_TRUE(recorder.keys().contains(TransKey{"Language", "dateformat"}));
    }
    // Without a recorder nothing is noted anywhere.
    current.lookup(QStringLiteral("Labels"), QStringLiteral("Kept"));
    LookupRecorder later;
    EXPECT_TRUE(later.keys().isEmpty());
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
