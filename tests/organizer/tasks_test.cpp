// Tasks without a window: separators, the row map and the edits on the array.

#include "organizer/tasks.h"

#include "database/database.h"
#include "organizer/counts.h"
#include "platform/ansi.h"
#include "platform/hashtext.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using testsupport::task;

namespace {

QStringList texts(const std::vector<TTaskRec> &tasks)
{
    QStringList out;
    for (const TTaskRec &t : tasks)
        out << t.text.text();
    return out;
}

QStringList shown(const std::vector<TTaskRec> &tasks, const QList<int> &rowmap)
{
    QStringList out;
    for (int record : rowmap)
        out << tasks[size_t(record)].text.text();
    return out;
}

// Two categories interleaved in file order, with an emptied task among them.
std::vector<TTaskRec> interleaved()
{
    return {task("a1", "A"), task("b1", "B"), task("a2", "A"), task("gone", "A"), task("b2", "B"),
            task("a3", "A")};
}

} // namespace

TEST(Separators, LinesAndHeadlinesAre255DashesWrittenAs0x97)
{
    const QString line = lineseparator();
    EXPECT_EQ(line.size(), 255);
    EXPECT_EQ(ansi::encode(line), QByteArray(255, char(0x97)));

    const QString title = headlineseparator("Title");
    EXPECT_EQ(title, QString(10, separatordash) + "Title" + QString(240, separatordash));

    // Dashes go in front only while the text is shorter than 255 characters.
    const QString long250(250, QLatin1Char('x'));
    EXPECT_EQ(headlineseparator(long250), QString(5, separatordash) + long250);
    const QString long255(255, QLatin1Char('y'));
    EXPECT_EQ(headlineseparator(long255), long255);
    EXPECT_EQ(headlineseparator(QString(300, QLatin1Char('z'))), QString(255, QLatin1Char('z')));
    EXPECT_EQ(headlineseparator(QString()), line) << "an empty title is a plain line";
}

TEST(TaskRows, ARowMapHoldsTheCategorysListedTasksInFileOrder)
{
    std::vector<TTaskRec> tasks = interleaved();
    tasks[3].text = QString(); // deleted: takes part in nothing
    EXPECT_EQ(taskrowmap(tasks, "A"), QList<int>({0, 2, 5}));
    EXPECT_EQ(taskrowmap(tasks, "B"), QList<int>({1, 4}));
    EXPECT_TRUE(taskrowmap(tasks, "a").isEmpty()) << "categories match exactly";
    EXPECT_TRUE(taskrowmap(tasks, "").isEmpty());
}

TEST(TaskRows, InsertingBeforeARowKeepsEveryOtherRowOnItsOwnTask)
{
    std::vector<TTaskRec> tasks = interleaved();
    tasks[3].text = QString();
    QList<int> rows = taskrowmap(tasks, "A");

    // Before row 0: first in the list and before every task of the category.
    EXPECT_EQ(inserttask(tasks, rows, 0, "first", "A"), 0);
    EXPECT_EQ(shown(tasks, rows), QStringList({"first", "a1", "a2", "a3"}));
    EXPECT_EQ(texts(tasks), QStringList({"first", "a1", "b1", "a2", "", "b2", "a3"}));
    EXPECT_EQ(rows, taskrowmap(tasks, "A")) << "the map still matches a fresh one";

    // Before a row that follows another category's task.
    EXPECT_EQ(inserttask(tasks, rows, 2, "middle", "A"), 2);
    EXPECT_EQ(shown(tasks, rows), QStringList({"first", "a1", "middle", "a2", "a3"}));
    EXPECT_EQ(texts(tasks), QStringList({"first", "a1", "b1", "middle", "a2", "", "b2", "a3"}));
    EXPECT_EQ(rows, taskrowmap(tasks, "A"));
    EXPECT_EQ(shown(tasks, taskrowmap(tasks, "B")), QStringList({"b1", "b2"}));

    // At the end; a new task is open and in the category.
    EXPECT_EQ(inserttask(tasks, rows, -1, "last", "A"), 5);
    EXPECT_EQ(tasks.back().text, QStringLiteral("last"));
    EXPECT_FALSE(tasks.back().done);
    EXPECT_EQ(tasks.back().category, QStringLiteral("A"));
    EXPECT_EQ(rows, taskrowmap(tasks, "A"));

    // An empty text adds nothing.
    const size_t before = tasks.size();
    EXPECT_EQ(inserttask(tasks, rows, 0, QString(), "A"), -1);
    EXPECT_EQ(tasks.size(), before);
}

TEST(TaskRows, InsertTaskGapFreesTheIndex)
{
    std::vector<TTaskRec> tasks = {task("x"), task("y")};
    inserttaskgap(tasks, 1);
    EXPECT_EQ(texts(tasks), QStringList({"x", "", "y"}));
    inserttaskgap(tasks, 3);
    EXPECT_EQ(texts(tasks), QStringList({"x", "", "y", ""}));
}

TEST(TaskRows, MovingTradesTwoRecordsAndLeavesOtherCategoriesInPlace)
{
    std::vector<TTaskRec> tasks = interleaved();
    tasks[1].done = true;
    tasks[2].done = true;
    const QList<int> rows = taskrowmap(tasks, "A"); // a1 a2 gone a3
    EXPECT_TRUE(swaptaskrows(tasks, rows, 1, 0));
    EXPECT_EQ(texts(tasks), QStringList({"a2", "b1", "a1", "gone", "b2", "a3"}));
    EXPECT_TRUE(tasks[0].done) << "the whole record moves, done flag too";
    EXPECT_FALSE(tasks[2].done);
    EXPECT_TRUE(tasks[1].done) << "the task of the other category keeps its flag and place";
    EXPECT_FALSE(swaptaskrows(tasks, rows, 0, -1));
    EXPECT_FALSE(swaptaskrows(tasks, rows, 3, 4));
}

TEST(TaskRows, DeletionsTouchOnlyTheirTargets)
{
    std::vector<TTaskRec> tasks = {task("a1", "A", true), task("b1", "B", true), task("a2", "A"),
                                   task("u1", "", true), task("b2", "B")};
    QList<int> rows = taskrowmap(tasks, "A");
    EXPECT_TRUE(deletetaskrow(tasks, rows, 1));
    EXPECT_EQ(rows, QList<int>({0}));
    EXPECT_EQ(texts(tasks), QStringList({"a1", "b1", "", "u1", "b2"}));
    EXPECT_FALSE(deletetaskrow(tasks, rows, 1));

    EXPECT_EQ(deleteaccomplished(tasks, QString("B")), 1);
    EXPECT_EQ(texts(tasks), QStringList({"a1", "", "", "u1", "b2"}));
    EXPECT_EQ(deleteaccomplished(tasks, QString()), 1) << "the default category is a category too";
    EXPECT_EQ(texts(tasks), QStringList({"a1", "", "", "", "b2"}));
    EXPECT_EQ(deleteaccomplished(tasks), 1);
    EXPECT_EQ(texts(tasks), QStringList({"", "", "", "", "b2"}));

    std::vector<TTaskRec> more = {task("a", "School"), task("b", "school"), task("c", "")};
    EXPECT_EQ(deletetaskcategory(more, "School"), 1);
    EXPECT_EQ(texts(more), QStringList({"", "b", "c"}));
}

TEST(TaskRows, RenamingACategoryMovesItsTasksOnly)
{
    std::vector<TTaskRec> tasks = {task("a", "School"), task("b", "school"), task("c", "")};
    EXPECT_EQ(renametaskcategory(tasks, "School", "SCHOOL"), 1);
    EXPECT_EQ(tasks[0].category, QStringLiteral("SCHOOL"));
    EXPECT_EQ(tasks[1].category, QStringLiteral("school"));
    EXPECT_TRUE(tasks[2].category.isEmpty());
    renametaskcategory(tasks, "SCHOOL", QString(300, QLatin1Char('n')));
    EXPECT_EQ(tasks[0].category.text().size(), 255) << "cut to the field";
}

TEST(CategoryNames, ARenameMayChangeCaseButNotTakeAnotherName)
{
    const QStringList rows = {"Home", "School", "Unfiled"};
    EXPECT_FALSE(renameclashes("School", "SCHOOL", rows)) << "its own name in capitals";
    EXPECT_TRUE(renameclashes("School", "home", rows)) << "another category in other letter case";
    EXPECT_TRUE(renameclashes("School", "unfiled", rows)) << "the default category's caption";
    EXPECT_FALSE(renameclashes("School", "Sport", rows));
}

TEST(TaskCounts, SeparatorsCountAndEmptiedTasksDoNot)
{
    QTemporaryDir dir;
    Database db(dir.filePath("Quillmoter/"));
    db.tasks = {task("a", "", true), task("b"), task("c", "X"), task("gone")};
    db.tasks.push_back(task("", ""));
    db.tasks[4].text = lineseparator();
    db.tasks[3].text = QString();
    EXPECT_EQ(counttasks(db), QStringLiteral("3/4"));
    db.tasks[1].done = true;
    EXPECT_EQ(counttasks(db), QStringLiteral("2/4"));
}

TEST(TaskCounts, EmptiedTasksLeaveAtTheNextLoad)
{
    QTemporaryDir dir;
    Database db(dir.filePath("Quillmoter/"));
    ASSERT_TRUE(db.createfolders());
    db.tasks = interleaved();
    QList<int> rows = taskrowmap(db.tasks, "A");
    deletetaskrow(db.tasks, rows, 0);
    EXPECT_EQ(db.tasks.size(), 6u) << "stays in memory until the next load";
    ASSERT_TRUE(db.savetasks());
    ASSERT_TRUE(db.loadtasks());
    EXPECT_EQ(texts(db.tasks), QStringList({"b1", "a2", "gone", "b2", "a3"}));
}
