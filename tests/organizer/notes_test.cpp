// Notes without a window: file names, which category a file belongs to, and
// the file operations, which never replace another file.

#include "organizer/notes.h"

#include "database/database.h"
#include "organizer/counts.h"
#include "platform/shell.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using testsupport::readfile;
using testsupport::writefile;

namespace {

class NotesTest : public ::testing::Test
{
protected:
    NotesTest() { QDir().mkpath(folder); }
    ~NotesTest() override
    {
        setprogramstarter({});
        setwebpageopener({});
    }

    QString file(const QString &name) const { return QDir(folder).filePath(name); }
    void put(const QString &name, const QByteArray &content = "x") const
    {
        ASSERT_TRUE(writefile(file(name), content));
    }
    QStringList files() const { return QDir(folder).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
    QString folder = dir.filePath("memos");
};

} // namespace

TEST_F(NotesTest, FileNamesCarryTheCategoryBeforeTheName)
{
    EXPECT_EQ(notefilename("school", "plan"), QStringLiteral("school.plan.rtf"));
    EXPECT_EQ(notefilename(QString(), "plan"), QStringLiteral("plan.rtf"));
    EXPECT_EQ(memofilename(folder, "school", "plan"), folder + "/school.plan.rtf");
}

TEST_F(NotesTest, AFileBelongsToACategoryOnlyWhenThatCategoryIsListed)
{
    const QStringList names = {"school.plan.rtf", "plan.rtf", "old.plan.rtf", "school.rtf", "School.trip.rtf",
                               "school.a.b.rtf"};
    const QStringList listed = {"school", "home"};
    EXPECT_EQ(notesof(names, "school", listed), QStringList({"a.b", "plan"}));
    // A category no longer listed shows under the default one with its
    // prefix, as does a note merely named like a category.
    EXPECT_EQ(notesof(names, QString(), listed), QStringList({"old.plan", "plan", "school", "School.trip"}));
    EXPECT_TRUE(notesof(names, "home", listed).isEmpty());
}

TEST_F(NotesTest, OnlyRtfFilesAreNotes)
{
    put("plan.rtf");
    put("school.plan.rtf");
    put("readme.txt");
    put("shout.RTF");
    put(".hidden.rtf");
    put(".rtf");
    QDir(folder).mkdir("folder.rtf");
    QStringList found = notefiles(folder);
    found.sort();
    EXPECT_EQ(found, QStringList({"plan.rtf", "school.plan.rtf"}));

    Database db(dir.path() + "/");
    EXPECT_EQ(countmemos(db), QStringLiteral("2")) << "the count is what the lists show, all categories";
    EXPECT_TRUE(notefiles(dir.filePath("missing")).isEmpty());
}

TEST_F(NotesTest, ANewNoteNeverReplacesAFile)
{
    EXPECT_EQ(createnote(folder, "school", "plan"), NoteResult::done);
    EXPECT_EQ(readfile(file("school.plan.rtf")), emptynote());
    EXPECT_TRUE(emptynote().contains("Arial") && emptynote().contains("\\fs20"));

    // The note named like the category goes beside it, not over it.
    put("school.rtf", "my words");
    EXPECT_EQ(createnote(folder, QString(), "school"), NoteResult::exists);
    EXPECT_EQ(readfile(file("school.rtf")), QByteArray("my words"));
}

TEST_F(NotesTest, NamesThatCannotBeFileNamesAreRefused)
{
    EXPECT_EQ(checknotename("school", "plan"), NoteName::ok);
    EXPECT_EQ(checknotename("../..", "plan"), NoteName::badcharacters) << "a category read from the list file";
    EXPECT_EQ(checknotename("a/b", "plan"), NoteName::badcharacters);
    EXPECT_EQ(checknotename(QString(), "x\ny"), NoteName::badcharacters);
    EXPECT_EQ(checknotename(QString(), QString()), NoteName::badcharacters);
    EXPECT_EQ(createnote(folder, "../escape", "plan"), NoteResult::badcharacters);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("escape.plan.rtf")));

    // 255 bytes at most: "ž" takes two.
    const QString category(100, QChar(0x17E));
    EXPECT_EQ(checknotename(category, QString(50, QLatin1Char('n'))), NoteName::ok); // 200 + 1 + 50 + 4
    EXPECT_EQ(checknotename(category, QString(51, QLatin1Char('n'))), NoteName::toolong);
    EXPECT_EQ(createnote(folder, category, QString(60, QLatin1Char('n'))), NoteResult::toolong);
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(NotesTest, RenamesNeverOverwriteAndMayChangeCase)
{
    put("plan.rtf", "plan");
    put("trip.rtf", "trip");
    EXPECT_EQ(renamenote(folder, QString(), "plan", "Plan"), NoteResult::done);
    EXPECT_EQ(files(), QStringList({"Plan.rtf", "trip.rtf"}));
    EXPECT_EQ(renamenote(folder, QString(), "Plan", "trip"), NoteResult::exists);
    EXPECT_EQ(readfile(file("trip.rtf")), QByteArray("trip"));
    EXPECT_EQ(readfile(file("Plan.rtf")), QByteArray("plan"));
    EXPECT_EQ(renamenote(folder, QString(), "gone", "other"), NoteResult::failed);
    EXPECT_EQ(renamenote(folder, QString(), "Plan", QString(300, QLatin1Char('p'))), NoteResult::toolong);
    EXPECT_TRUE(QFileInfo::exists(file("Plan.rtf")));
}

TEST_F(NotesTest, DeletingRemovesOnlyTheNamedNotes)
{
    put("school.plan.rtf");
    put("school.trip.rtf");
    put("school.rtf");
    put("home.plan.rtf");
    EXPECT_TRUE(deletenote(folder, "home", "plan"));
    EXPECT_FALSE(deletenote(folder, "home", "plan")) << "already gone";
    EXPECT_FALSE(deletenotecategory(folder, "school", {"plan", "missing", "trip"}));
    EXPECT_EQ(files(), QStringList({"school.rtf"})) << "the others went despite the failure";
}

TEST_F(NotesTest, RenamingACategoryMovesItsNotesAndReportsWhatStayed)
{
    put("school.plan.rtf", "plan");
    put("school.trip.rtf", "trip");
    put("work.trip.rtf", "someone else's");
    EXPECT_EQ(renamenotecategory(folder, "school", "work", {"plan", "trip"}), NoteResult::failed);
    EXPECT_EQ(files(), QStringList({"school.trip.rtf", "work.plan.rtf", "work.trip.rtf"}));
    EXPECT_EQ(readfile(file("work.trip.rtf")), QByteArray("someone else's"));

    // A name too long for one of the notes moves none of them.
    put("a.x.rtf");
    put(QStringLiteral("a.%1.rtf").arg(QString(200, QLatin1Char('y'))));
    EXPECT_EQ(renamenotecategory(folder, "a", QString(60, QLatin1Char('b')),
                                 {"x", QString(200, QLatin1Char('y'))}),
              NoteResult::toolong);
    EXPECT_TRUE(QFileInfo::exists(file("a.x.rtf")));
    EXPECT_EQ(renamenotecategory(folder, "a", "b/c", {"x"}), NoteResult::badcharacters);
    EXPECT_EQ(renamenotecategory(folder, "a", "A", {"x"}), NoteResult::done) << "case only";
    EXPECT_TRUE(QFileInfo::exists(file("A.x.rtf")));
}

TEST_F(NotesTest, OutsideEditorsGetThePathAsOneArgument)
{
    QString program;
    QStringList arguments;
    setprogramstarter([&](const QString &p, const QStringList &a) {
        program = p;
        arguments = a;
        return true;
    });
    QList<QUrl> opened;
    setwebpageopener([&](const QUrl &url) {
        opened << url;
        return true;
    });
    const QString path = file("my \"school\" plan; rm x.rtf");
    EXPECT_TRUE(openexternal(3, "/opt/editor/bin/edit", path));
    EXPECT_EQ(program, QStringLiteral("/opt/editor/bin/edit"));
    EXPECT_EQ(arguments, QStringList({path}));

    EXPECT_TRUE(openexternal(1, QString(), path));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toLocalFile(), path);

    program.clear();
    EXPECT_FALSE(openexternal(3, QString(), path)) << "no program chosen";
    EXPECT_FALSE(openexternal(3, "   ", path));
    EXPECT_TRUE(program.isEmpty());
    EXPECT_FALSE(openexternal(0, "/bin/true", path));
    EXPECT_EQ(openexternal(2, QString(), path), !wordprocessor().isEmpty());
}
