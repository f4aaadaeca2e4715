// The language list and its stored choice, the message helpers and the
// record of what is looked up (the windows' pass: translation_test.cpp).

#include "widgets/language.h"

#include "testsupport.h"
#include "widgets/languagesample.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using testsupport::readfile;
using testsupport::RecordingPrompter;

using languagesample::LanguageTest;

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
    {
        // The pass notes what it asks the file for, the windows' texts as
        // the memos and the date format.
        LookupRecorder recorder;
        current.translate([](const TranslationTexts &texts) { texts.text("Labels", "Name day:*"); });
        EXPECT_TRUE(recorder.keys().contains(TransKey{"Labels", "Name day:*"}));
        EXPECT_TRUE(recorder.keys().contains(TransKey{"Language", "dateformat"}));
    }
    // Without a recorder nothing is noted anywhere.
    current.lookup(QStringLiteral("Labels"), QStringLiteral("Kept"));
    LookupRecorder later;
    EXPECT_TRUE(later.keys().isEmpty());
    current = saved;
}
