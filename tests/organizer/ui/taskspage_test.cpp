// The Tasks page: categories, the check list and its edits.

#include "organizer/ui/taskspage.h"

#include "database/database.h"
#include "database/settings.h"
#include "organizer/counts.h"
#include "organizer/tasks.h"
#include "platform/clock.h"
#include "testsupport.h"
#include "uitestsupport.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using testsupport::listrows;
using testsupport::readfile;
using testsupport::RecordingPrompter;
using testsupport::task;

namespace {

class TasksPageTest : public ::testing::Test
{
protected:
    TasksPageTest()
    {
        db.createfolders();
    }

    void load(const std::vector<TTaskRec> &tasks, const QStringList &categories)
    {
        db.tasks = tasks;
        db.savetasks();
        db.savelist(dbfile::categories, categories);
        db.loadall();
    }

    QListWidget *categories() const { return page.findChild<QListWidget *>("ListBox2"); }
    QListWidget *checklist() const { return page.findChild<QListWidget *>("CheckListBox1"); }
    QString heading() const { return page.findChild<QLabel *>("Label18")->text(); }
    void choose(const QString &category) { testsupport::chooserow(categories(), category); }
    QStringList texts() const
    {
        QStringList out;
        for (const TTaskRec &t : db.tasks)
            out << t.text.text();
        return out;
    }
    QByteArray taskfile() const { return readfile(db.path(dbfile::tasks)).value_or("missing"); }

    QTemporaryDir dir;
    Database db{dir.filePath("Quillmoter/")};
    Settings settings;
    Clock clock;
    RecordingPrompter answers;
    QStringList replies;
    QStringList asked;
    QList<NameKept> kepts; // where each text asked for is kept
    // Answers in place of the name dialog; a test may put the real one here.
    NameAsker askname = [this](const QString &caption, const QString &prompt, const QString &initial, bool,
                               NameKept kept) {
        asked << caption + "|" + prompt + "|" + initial;
        kepts << kept;
        return replies.isEmpty() ? QString() : replies.takeFirst();
    };
    TasksPage page{db, settings, clock, [this](const QString &caption, const QString &prompt, const QString &initial,
                                               bool checkname, NameKept kept) {
                       return askname(caption, prompt, initial, checkname, kept);
                   }};
};

} // namespace

TEST_F(TasksPageTest, ChoosingACategoryListsItsTasksAndStoresNothing)
{
    load({task("a1", "School", true), task("u1"), task("a2", "School"), task("h1", "Home", true)},
         {"School", "Home"});
    EXPECT_EQ(listrows(categories()), QStringList({"Home", "School", "Unfiled"}));
    EXPECT_EQ(categories()->currentRow(), 0);
    EXPECT_EQ(listrows(checklist()), QStringList({"h1"}));

    const QByteArray before = taskfile();
    choose("School");
    EXPECT_EQ(listrows(checklist()), QStringList({"a1", "a2"}));
    EXPECT_EQ(checklist()->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(checklist()->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(checklist()->currentRow(), 0);
    EXPECT_EQ(heading(), QStringLiteral("Tasks: (2)"));
    EXPECT_EQ(page.taskrowmap, QList<int>({0, 2}));
    choose("Unfiled");
    EXPECT_EQ(page.gettaskcategory(), QString());
    EXPECT_EQ(listrows(checklist()), QStringList({"u1"}));
    EXPECT_EQ(taskfile(), before) << "filling the list flips and saves nothing";
    EXPECT_TRUE(db.tasks[0].done);
    EXPECT_FALSE(db.tasks[2].done);
}

TEST_F(TasksPageTest, ATickSetsTheDoneFlagToTheBoxAndTheCountFollows)
{
    load({task("a"), task("b"), task("c", "", true), task("d"), task("e", "", true)}, {});
    EXPECT_EQ(counttasks(db), QStringLiteral("3/5"));
    checklist()->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(db.tasks[1].done);
    EXPECT_EQ(counttasks(db), QStringLiteral("2/5"));
    db.loadtasks();
    EXPECT_TRUE(db.tasks[1].done) << "saved at once";

    // A repeated report of the same state does not toggle the flag back.
    page.CheckListBox1ClickCheck(1);
    EXPECT_TRUE(db.tasks[1].done);
    checklist()->item(2)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(db.tasks[2].done);
}

TEST_F(TasksPageTest, NewTasksGoAtTheEndOrBeforeTheSelectedOne)
{
    load({task("a1", "A"), task("b1", "B"), task("a2", "A")}, {"A", "B"});
    choose("A");
    replies = {"end"};
    page.BitBtn10Click();
    EXPECT_EQ(asked.value(0), QStringLiteral("Task|Text:|"));
    EXPECT_EQ(listrows(checklist()), QStringList({"a1", "a2", "end"}));
    EXPECT_EQ(checklist()->currentRow(), 2) << "the new task is selected";
    EXPECT_EQ(heading(), QStringLiteral("Tasks: (3)"));

    checklist()->setCurrentRow(1);
    replies = {"before a2"};
    page.Pedoznaenoupozici1Click();
    EXPECT_EQ(listrows(checklist()), QStringList({"a1", "before a2", "a2", "end"}));
    EXPECT_EQ(texts(), QStringList({"a1", "b1", "before a2", "a2", "end"}));
    EXPECT_EQ(page.taskrowmap, taskrowmap(db.tasks, "A"));
    db.loadtasks();
    EXPECT_EQ(texts(), QStringList({"a1", "b1", "before a2", "a2", "end"})) << "saved";

    // A cancelled dialog adds nothing.
    page.BitBtn10Click();
    EXPECT_EQ(checklist()->count(), 4);
}

TEST_F(TasksPageTest, SeparatorsAreTasksOfDashes)
{
    load({}, {});
    page.Oddlovacrunakonec1Click();
    EXPECT_TRUE(asked.isEmpty()) << "a line asks for nothing";
    replies = {"Exams"};
    page.Oddlovacnadpis1Click();
    page.Oddlovacnadpis1Click(); // cancelled: a plain line
    ASSERT_EQ(db.tasks.size(), 3u);
    EXPECT_EQ(db.tasks[0].text, lineseparator());
    EXPECT_EQ(db.tasks[1].text, headlineseparator("Exams"));
    EXPECT_EQ(db.tasks[2].text, lineseparator());
    EXPECT_EQ(counttasks(db), QStringLiteral("3/3"));
    EXPECT_EQ(readfile(db.path(dbfile::tasks))->mid(2, 10), QByteArray(10, char(0x97)));
}

TEST_F(TasksPageTest, RenamingATaskReplacesItsTextInRecordAndRow)
{
    load({task("old"), task("other")}, {});
    replies = {"new"};
    page.CheckListBox1DblClick();
    EXPECT_EQ(asked.value(0), QStringLiteral("Task|Text:|old"));
    EXPECT_EQ(listrows(checklist()), QStringList({"new", "other"}));
    EXPECT_EQ(db.tasks[0].text, QStringLiteral("new"));
    page.CheckListBox1DblClick(); // cancelled
    EXPECT_EQ(db.tasks[0].text, QStringLiteral("new"));

    // Enter in the list renames too.
    replies = {"by key"};
    QTest::keyClick(checklist(), Qt::Key_Return);
    EXPECT_EQ(db.tasks[0].text, QStringLiteral("by key"));
}

TEST_F(TasksPageTest, DeletingARowSelectsTheNextOrTheLast)
{
    load({task("a"), task("x", "B"), task("b"), task("c")}, {"B"});
    choose("Unfiled");
    checklist()->setCurrentRow(2);
    answers.answer = mb::idno;
    page.BitBtn11Click();
    EXPECT_EQ(checklist()->count(), 3);
    answers.answer = mb::idyes;
    page.BitBtn11Click();
    EXPECT_EQ(answers.questions.back(), QStringLiteral("Delete task?"));
    EXPECT_EQ(listrows(checklist()), QStringList({"a", "b"}));
    EXPECT_EQ(checklist()->currentRow(), 1) << "the last row was deleted: the row above";
    EXPECT_EQ(texts(), QStringList({"a", "x", "b", ""}));
    checklist()->setCurrentRow(0);
    QTest::keyClick(checklist(), Qt::Key_Delete);
    EXPECT_EQ(listrows(checklist()), QStringList({"b"}));
    EXPECT_EQ(checklist()->currentRow(), 0);
    page.BitBtn11Click();
    EXPECT_EQ(checklist()->count(), 0);
    EXPECT_EQ(heading(), QStringLiteral("Tasks: (0)"));
    EXPECT_EQ(counttasks(db), QStringLiteral("1/1"));
}

TEST_F(TasksPageTest, AccomplishedTasksGoFromOneCategoryOrFromAll)
{
    load({task("a", "A", true), task("b", "B", true), task("c", "A"), task("d", "", true)}, {"A", "B"});
    choose("A");
    page.Vttokategorii1Click();
    EXPECT_EQ(answers.questions.back(), QStringLiteral("Delete all accomplished tasks in selected category?"));
    EXPECT_EQ(texts(), QStringList({"", "b", "c", "d"}));
    EXPECT_EQ(listrows(checklist()), QStringList({"c"}));
    page.Vevechkategorich1Click();
    EXPECT_EQ(answers.questions.back(), QStringLiteral("Delete all accomplished tasks?"));
    EXPECT_EQ(texts(), QStringList({"", "", "c", ""}));
}

TEST_F(TasksPageTest, MovingTradesPlacesInTheFileAndKeepsTheTaskSelected)
{
    load({task("a1", "A"), task("b1", "B"), task("a2", "A", true), task("a3", "A")}, {"A", "B"});
    choose("A");
    checklist()->setCurrentRow(1);
    page.BitBtn19Click();
    EXPECT_EQ(listrows(checklist()), QStringList({"a2", "a1", "a3"}));
    EXPECT_EQ(checklist()->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(checklist()->currentRow(), 0);
    EXPECT_EQ(texts(), QStringList({"a2", "b1", "a1", "a3"}));
    page.BitBtn19Click(); // the first row stays
    EXPECT_EQ(texts(), QStringList({"a2", "b1", "a1", "a3"}));
    page.BitBtn20Click();
    page.BitBtn20Click();
    EXPECT_EQ(texts(), QStringList({"a1", "b1", "a3", "a2"}));
    EXPECT_EQ(checklist()->currentRow(), 2);
    page.BitBtn20Click(); // the last row stays
    db.loadtasks();
    EXPECT_EQ(texts(), QStringList({"a1", "b1", "a3", "a2"}));
    EXPECT_TRUE(db.tasks[3].done);
}

TEST_F(TasksPageTest, NewCategoriesTakeTheirPlaceAndDuplicatesAreRefused)
{
    load({}, {"School"});
    choose("Unfiled");
    for (const char *taken : {"school", "UNFILED"}) {
        replies = {taken};
        page.BitBtn3Click();
        EXPECT_EQ(answers.boxes.back().text, CategoryPage::categoryexists);
        EXPECT_EQ(answers.boxes.back().caption, QStringLiteral("Error"));
        EXPECT_EQ(answers.boxes.back().flags, mb::iconerror);
    }
    replies = {"Art"};
    page.BitBtn3Click();
    EXPECT_EQ(asked.value(0), QStringLiteral("Category|Enter category name:|"));
    EXPECT_EQ(listrows(categories()), QStringList({"Art", "School", "Unfiled"}));
    EXPECT_EQ(categories()->currentItem()->text(), QStringLiteral("Unfiled")) << "the selection stays";
    EXPECT_EQ(readfile(db.path(dbfile::categories)), std::optional<QByteArray>("Art\r\nSchool\r\n"));
    page.BitBtn3Click(); // cancelled
    EXPECT_EQ(categories()->count(), 3);
}

// Tasks and their categories are kept in windows-1250 files: the name
// dialog is told so for each, and refuses what those files cannot hold.
TEST_F(TasksPageTest, TaskTextsAndCategoriesAreKeptInTheirFiles)
{
    load({task("t1", "School")}, {"School"});
    choose("School");
    replies = {"t2", "t3", "Art", "Arts"};
    page.BitBtn10Click();           // a new task
    page.CheckListBox1DblClick();   // its text edited
    page.BitBtn3Click();            // a new category
    choose("Art");
    page.BitBtn16Click();           // a renamed category
    EXPECT_EQ(kepts, QList<NameKept>(4, NameKept::inlistfile));

    TForm4 dialog;
    askname = dialog.asker();
    QTimer::singleShot(0, [&] {
        testsupport::typetext(dialog.edit(), QStringLiteral("\u5b66\u6821"));
        QTest::keyClick(dialog.edit(), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << "stays open to mend";
        dialog.close();
    });
    page.BitBtn10Click();
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text,
              QStringLiteral("These characters cannot be stored: \u5b66 \u6821\nPlease use other characters."));
    db.loadall();
    EXPECT_EQ(db.tasks.size(), 2u) << "nothing was added";
}

TEST_F(TasksPageTest, RenamingACategoryTakesItsTasksAlong)
{
    load({task("s", "School"), task("h", "Home"), task("u")}, {"School", "Home"});
    choose("School");
    replies = {"SCHOOL"};
    page.BitBtn16Click();
    EXPECT_EQ(asked.value(0), QStringLiteral("Category|Enter category name:|School"));
    EXPECT_EQ(listrows(categories()), QStringList({"Home", "SCHOOL", "Unfiled"}));
    EXPECT_EQ(categories()->currentItem()->text(), QStringLiteral("SCHOOL"));
    EXPECT_EQ(db.tasks[0].category, QStringLiteral("SCHOOL"));
    EXPECT_EQ(listrows(checklist()), QStringList({"s"}));

    replies = {"home"};
    page.BitBtn16Click();
    EXPECT_EQ(answers.boxes.back().text, CategoryPage::categoryexists);
    EXPECT_EQ(db.tasks[0].category, QStringLiteral("SCHOOL"));

    replies = {"Studies"};
    QTest::keyClick(categories(), Qt::Key_Return);
    EXPECT_EQ(listrows(categories()), QStringList({"Home", "Studies", "Unfiled"}));
    db.loadall();
    EXPECT_EQ(db.taskcategories, QStringList({"Home", "Studies", "Unfiled"}));
    EXPECT_EQ(db.tasks[0].category, QStringLiteral("Studies"));

    // The default category is neither renamed nor deleted.
    choose("Unfiled");
    asked.clear();
    page.BitBtn16Click();
    page.BitBtn4Click();
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(categories()->count(), 3);
}

TEST_F(TasksPageTest, DeletingACategoryEmptiesOnlyItsTasks)
{
    load({task("s", "School"), task("h", "Home"), task("u"), task("s2", "school")}, {"School", "Home"});
    choose("School");
    answers.answer = mb::idno;
    page.BitBtn4Click();
    EXPECT_EQ(categories()->count(), 3);
    answers.answer = mb::idyes;
    QTest::keyClick(categories(), Qt::Key_Delete);
    EXPECT_EQ(answers.questions.back(), QStringLiteral("Delete selected category with all included tasks?"));
    EXPECT_EQ(texts(), QStringList({"", "h", "u", "s2"}));
    EXPECT_EQ(listrows(categories()), QStringList({"Home", "Unfiled"}));
    EXPECT_EQ(categories()->currentRow(), 0);
    EXPECT_EQ(listrows(checklist()), QStringList({"h"}));
    EXPECT_EQ(readfile(db.path(dbfile::categories)), std::optional<QByteArray>("Home\r\n"));
    EXPECT_EQ(counttasks(db), QStringLiteral("3/3"));
}
