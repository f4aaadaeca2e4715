// The Notes page: note categories, the notes of one, and their files.

#include "organizer/ui/notespage.h"

#include "database/database.h"
#include "database/settings.h"
#include "organizer/counts.h"
#include "platform/clock.h"
#include "platform/shell.h"
#include "testsupport.h"
#include "uitestsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using testsupport::listrows;
using testsupport::readfile;
using testsupport::RecordingPrompter;
using testsupport::writefile;

namespace {

class NotesPageTest : public ::testing::Test
{
protected:
    NotesPageTest()
    {
        db.createfolders();
        settings.setnumber(Setting::memoedit, 0);
        setprogramstarter([this](const QString &program, const QStringList &arguments) {
            started << program + "|" + arguments.join("|");
            return startworks;
        });
        setwebpageopener([this](const QUrl &url) {
            started << "default|" + url.toLocalFile();
            return true;
        });
    }
    ~NotesPageTest() override
    {
        setprogramstarter({});
        setwebpageopener({});
    }

    void load(const QStringList &notefiles, const QStringList &categories)
    {
        for (const QString &name : notefiles)
            EXPECT_TRUE(writefile(note(name), name.toUtf8()));
        db.savelist(dbfile::memocategories, categories);
        db.loadall();
    }

    QString note(const QString &file) const { return QDir(db.path(dbfolder::memos)).filePath(file); }
    QStringList files() const { return QDir(db.path(dbfolder::memos)).entryList(QDir::Files, QDir::Name); }
    QListWidget *categories() const { return page.findChild<QListWidget *>("ListBox3"); }
    QListWidget *notes() const { return page.findChild<QListWidget *>("memoslistbox"); }
    void choose(const QString &category) { testsupport::chooserow(categories(), category); }
    void select(const QString &name) { testsupport::chooserow(notes(), name); }
    QString lastmessage() const { return answers.boxes.empty() ? QString() : answers.boxes.back().text; }

    QTemporaryDir dir;
    Database db{dir.filePath("Quillmoter/")};
    Settings settings;
    Clock clock;
    RecordingPrompter answers;
    QStringList replies, asked, edited, started;
    QList<NameKept> kepts; // where each name asked for is kept
    bool startworks = true;
    // Answers in place of the name dialog; a test may put the real one here.
    NameAsker askname = [this](const QString &caption, const QString &prompt, const QString &initial,
                               bool checkname, NameKept kept) {
        asked << caption + "|" + prompt + "|" + initial + (checkname ? "|checked" : "");
        kepts << kept;
        return replies.isEmpty() ? QString() : replies.takeFirst();
    };
    NotesPage page{db, settings, clock,
                   [this](const QString &caption, const QString &prompt, const QString &initial, bool checkname,
                          NameKept kept) { return askname(caption, prompt, initial, checkname, kept); },
                   [this](const QString &path, const QString &caption) { edited << path + "|" + caption; }};
};

} // namespace

TEST_F(NotesPageTest, EachCategoryListsItsNotesAndOrphansShowUnderTheDefault)
{
    load({"school.plan.rtf", "school.trip.rtf", "plan.rtf", "old.plan.rtf", "school.rtf", "notes.txt"},
         {"school", "home"});
    EXPECT_EQ(listrows(categories()), QStringList({"home", "school", "Unfiled"}));
    EXPECT_EQ(categories()->currentRow(), 0);
    EXPECT_TRUE(listrows(notes()).isEmpty());
    choose("school");
    EXPECT_EQ(listrows(notes()), QStringList({"plan", "trip"}));
    EXPECT_EQ(notes()->currentRow(), 0);
    EXPECT_EQ(page.memofilename("plan"), note("school.plan.rtf"));
    choose("Unfiled");
    EXPECT_EQ(listrows(notes()), QStringList({"old.plan", "plan", "school"}));
    EXPECT_EQ(page.memofilename("school"), note("school.rtf"));
}

TEST_F(NotesPageTest, ANewNoteIsWrittenCountedAndOpened)
{
    load({}, {"school"});
    choose("school");
    QSignalSpy told(&db, &Database::changed);
    replies = {"plan"};
    page.BitBtn40Click();
    EXPECT_EQ(asked.value(0), QStringLiteral("Note|Enter note name:||checked"));
    EXPECT_EQ(files(), QStringList({"school.plan.rtf"}));
    EXPECT_EQ(readfile(note("school.plan.rtf")), emptynote());
    EXPECT_EQ(listrows(notes()), QStringList({"plan"}));
    EXPECT_EQ(edited, QStringList({note("school.plan.rtf") + "|plan - Build-in editor"}));
    ASSERT_FALSE(told.isEmpty());
    EXPECT_EQ(told.last().value(0).value<DbKind>(), DbKind::notes);
    EXPECT_EQ(countmemos(db), QStringLiteral("1"));

    replies = {"PLAN"};
    page.BitBtn40Click();
    EXPECT_EQ(lastmessage(), NotesPage::noteexists);
    EXPECT_EQ(files(), QStringList({"school.plan.rtf"}));
}

// A category's name is kept in "memocategories.dat", windows-1250: "\u03a9mega"
// became "?mega" there and left its notes under the default category. The
// name dialog refuses it with the text kept to mend. A note's own name is
// only its file's name, which holds it as typed.
TEST_F(NotesPageTest, ACategoryNameTheListCannotHoldIsRefusedButANoteNameIsKept)
{
    load({}, {});
    TForm4 dialog;
    askname = dialog.asker();
    QTimer::singleShot(0, [&] {
        testsupport::typetext(dialog.edit(), QStringLiteral("\u03a9mega"));
        QTest::keyClick(dialog.edit(), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << "stays open to mend";
        EXPECT_EQ(dialog.edit()->text(), QStringLiteral("\u03a9mega"));
        dialog.edit()->setText(QStringLiteral("Omega"));
        QTest::keyClick(dialog.edit(), Qt::Key_Return);
    });
    page.BitBtn27Click();
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text,
              QStringLiteral("These characters cannot be stored: \u03a9\nPlease use other characters."));
    EXPECT_EQ(listrows(categories()), QStringList({"Omega", "Unfiled"}));
    EXPECT_EQ(readfile(db.path(dbfile::memocategories)), std::optional<QByteArray>("Omega\r\n"));

    choose("Omega");
    QTimer::singleShot(0, [&] {
        testsupport::typetext(dialog.edit(), QStringLiteral("\u0417\u0430\u043c\u0435\u0442\u043a\u0430"));
        QTest::keyClick(dialog.edit(), Qt::Key_Return);
    });
    page.BitBtn40Click();
    EXPECT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(files(), QStringList({QStringLiteral("Omega.\u0417\u0430\u043c\u0435\u0442\u043a\u0430.rtf")}));
    db.loadall();
    choose("Omega");
    EXPECT_EQ(listrows(notes()), QStringList({QStringLiteral("\u0417\u0430\u043c\u0435\u0442\u043a\u0430")}));
    EXPECT_EQ(kepts, QList<NameKept>()) << "the real dialog was asked, not the stand-in";
}

// The pages tell the dialog where each name is kept.
TEST_F(NotesPageTest, NotesAreKeptAsFileNamesAndCategoriesInTheirList)
{
    load({"school.plan.rtf"}, {"school"});
    choose("school");
    replies = {"trip", "voyage", "home", "house"};
    page.BitBtn40Click(); // a new note
    select("plan");
    page.BitBtn38Click(); // a renamed note
    page.BitBtn27Click(); // a new category
    choose("school");
    page.BitBtn35Click(); // a renamed category
    EXPECT_EQ(kepts, QList<NameKept>({NameKept::asfilename, NameKept::asfilename, NameKept::inlistfile,
                                      NameKept::inlistfile}));
}

// An Unfiled note named like a category is its own note, beside that
// category's notes, and a second one never empties the first.
TEST_F(NotesPageTest, AnUnfiledNoteNamedLikeACategoryStaysApart)
{
    load({"school.plan.rtf"}, {"school"});
    choose("Unfiled");
    replies = {"school"};
    page.BitBtn40Click();
    EXPECT_EQ(listrows(notes()), QStringList({"school"}));
    ASSERT_TRUE(writefile(note("school.rtf"), "written in it"));
    choose("school");
    EXPECT_EQ(listrows(notes()), QStringList({"plan"})) << "no empty row in the category";
    choose("Unfiled");
    replies = {"school"};
    page.BitBtn40Click();
    EXPECT_EQ(lastmessage(), NotesPage::noteexists);
    EXPECT_EQ(readfile(note("school.rtf")), QByteArray("written in it"));
}

TEST_F(NotesPageTest, NamesTooLongForAFileAreRefusedPlainly)
{
    load({}, {QString(200, QLatin1Char('c'))});
    choose(QString(200, QLatin1Char('c')));
    replies = {QString(60, QLatin1Char('n'))};
    page.BitBtn40Click();
    EXPECT_EQ(lastmessage(), NotesPage::toolong);
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(edited.isEmpty());
}

TEST_F(NotesPageTest, RenamingANoteMovesItsFileButNeverOverAnother)
{
    load({"plan.rtf", "trip.rtf"}, {});
    choose("Unfiled");
    select("plan");
    replies = {"Plan"};
    page.BitBtn38Click();
    EXPECT_EQ(asked.value(0), QStringLiteral("Note|Enter note name:|plan|checked"));
    EXPECT_EQ(files(), QStringList({"Plan.rtf", "trip.rtf"})) << "a change of case is a rename";
    EXPECT_EQ(notes()->currentItem()->text(), QStringLiteral("Plan"));

    replies = {"TRIP"};
    page.BitBtn38Click();
    EXPECT_EQ(lastmessage(), NotesPage::noteexists);

    // A file that appeared meanwhile is not replaced either.
    ASSERT_TRUE(writefile(note("zoo.rtf"), "zoo"));
    replies = {"zoo"};
    page.BitBtn38Click();
    EXPECT_EQ(lastmessage(), NotesPage::noteexists);
    EXPECT_EQ(readfile(note("zoo.rtf")), QByteArray("zoo"));
    EXPECT_EQ(readfile(note("Plan.rtf")), QByteArray("plan.rtf"));

    // The file went away: the rename fails and says so.
    QFile::remove(note("trip.rtf"));
    select("trip");
    replies = {"gone"};
    page.BitBtn38Click();
    EXPECT_EQ(lastmessage(), NotesPage::renamefailed);
    EXPECT_EQ(answers.boxes.back().caption, QStringLiteral("Error"));
}

TEST_F(NotesPageTest, DeletingANoteSelectsTheNextOrTheLast)
{
    load({"a.rtf", "b.rtf", "c.rtf"}, {});
    choose("Unfiled");
    select("c");
    answers.answer = mb::idno;
    page.BitBtn41Click();
    EXPECT_EQ(files().size(), 3);
    answers.answer = mb::idyes;
    QTest::keyClick(notes(), Qt::Key_Delete);
    EXPECT_EQ(answers.questions.back(), NotesPage::deletequestion);
    EXPECT_EQ(files(), QStringList({"a.rtf", "b.rtf"}));
    EXPECT_EQ(notes()->currentItem()->text(), QStringLiteral("b"));
    EXPECT_EQ(countmemos(db), QStringLiteral("2"));

    QFile::remove(note("a.rtf"));
    select("a");
    page.BitBtn41Click();
    EXPECT_EQ(lastmessage(), NotesPage::deletefailed);
    EXPECT_EQ(listrows(notes()), QStringList({"a", "b"})) << "the row stays when the file could not go";
}

TEST_F(NotesPageTest, RenamingACategoryMovesItsNotes)
{
    load({"school.plan.rtf", "school.trip.rtf", "plan.rtf"}, {"school", "home"});
    choose("school");
    replies = {"School"};
    QTest::keyClick(categories(), Qt::Key_Return);
    EXPECT_EQ(asked.value(0), QStringLiteral("Category|Enter category name:|school|checked"));
    EXPECT_EQ(files(), QStringList({"School.plan.rtf", "School.trip.rtf", "plan.rtf"}));
    EXPECT_EQ(listrows(categories()), QStringList({"home", "School", "Unfiled"}));
    EXPECT_EQ(listrows(notes()), QStringList({"plan", "trip"}));
    EXPECT_EQ(readfile(db.path(dbfile::memocategories)), std::optional<QByteArray>("home\r\nSchool\r\n"));

    replies = {"HOME"};
    page.BitBtn35Click();
    EXPECT_EQ(lastmessage(), CategoryPage::categoryexists);

    // One note cannot move: the rest do, the category is renamed and the
    // note left behind shows under the default category.
    ASSERT_TRUE(writefile(note("work.trip.rtf"), "other"));
    replies = {"work"};
    page.BitBtn35Click();
    EXPECT_EQ(lastmessage(), NotesPage::renamesomefailed);
    EXPECT_EQ(listrows(categories()), QStringList({"home", "Unfiled", "work"}));
    EXPECT_EQ(readfile(note("work.trip.rtf")), QByteArray("other"));
    EXPECT_EQ(listrows(notes()), QStringList({"plan", "trip"}));
    choose("Unfiled");
    EXPECT_EQ(listrows(notes()), QStringList({"plan", "School.trip"}));

    // The default category cannot be renamed or deleted.
    asked.clear();
    page.BitBtn35Click();
    page.BitBtn36Click();
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(categories()->count(), 3);
}

TEST_F(NotesPageTest, ARenameThatWouldMakeAFileNameTooLongMovesNothing)
{
    load({"s.plan.rtf", QStringLiteral("s.%1.rtf").arg(QString(200, QLatin1Char('x')))}, {"s"});
    choose("s");
    replies = {QString(60, QLatin1Char('t'))};
    page.BitBtn35Click();
    EXPECT_EQ(lastmessage(), NotesPage::toolong);
    EXPECT_EQ(categories()->currentItem()->text(), QStringLiteral("s"));
    EXPECT_TRUE(QFileInfo::exists(note("s.plan.rtf")));
}

TEST_F(NotesPageTest, DeletingACategoryDeletesItsNotesOnly)
{
    load({"school.plan.rtf", "school.trip.rtf", "school.rtf", "home.plan.rtf"}, {"school", "home"});
    choose("school");
    QTest::keyClick(categories(), Qt::Key_Delete);
    EXPECT_EQ(answers.questions.back(), NotesPage::deletecategoryquestion);
    EXPECT_EQ(files(), QStringList({"home.plan.rtf", "school.rtf"}));
    EXPECT_EQ(listrows(categories()), QStringList({"home", "Unfiled"}));
    EXPECT_EQ(categories()->currentRow(), 0);
    EXPECT_EQ(listrows(notes()), QStringList({"plan"}));
    EXPECT_EQ(readfile(db.path(dbfile::memocategories)), std::optional<QByteArray>("home\r\n"));
    EXPECT_EQ(countmemos(db), QStringLiteral("2"));
}

TEST_F(NotesPageTest, NotesOpenInTheChosenEditor)
{
    load({"school.my plan.rtf"}, {"school"});
    choose("school");
    const QString path = note("school.my plan.rtf");

    QTest::keyClick(notes(), Qt::Key_Return);
    EXPECT_EQ(edited, QStringList({path + "|my plan - Build-in editor"}));

    settings.setnumber(Setting::memoedit, 1);
    page.memoslistboxDblClick();
    settings.setnumber(Setting::memoedit, 3);
    settings.settext(Setting::extedit, "/opt/editor");
    page.memoslistboxDblClick();
    EXPECT_EQ(started, QStringList({"default|" + path, "/opt/editor|" + path}));
    EXPECT_TRUE(answers.boxes.empty());

    startworks = false;
    page.memoslistboxDblClick();
    EXPECT_EQ(lastmessage(), QString(NotesPage::openfailed).replace('#', '\n'));
    settings.settext(Setting::extedit, QString());
    answers.boxes.clear();
    page.memoslistboxDblClick();
    EXPECT_EQ(lastmessage(), QString(NotesPage::openfailed).replace('#', '\n'));

    // Nothing selected, nothing opened.
    notes()->clearSelection();
    started.clear();
    page.memoslistboxDblClick();
    EXPECT_TRUE(started.isEmpty());
}
