// Loading and saving the files of the database folder.

#include "database/database.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using testsupport::readfile;
using testsupport::writefile;
using testsupport::contact;

namespace {

class DatabaseTest : public ::testing::Test
{
protected:
    DatabaseTest() : db(dir.path() + QStringLiteral("/db/"), [this](const DbMessage &m) { messages << m.text(); })
    {
        QDir().mkpath(db.dbpath());
    }

    QString file(const QString &name) const { return db.path(name); }
    qint64 filesize(const QString &name) const { return QFileInfo(file(name)).size(); }

    QTemporaryDir dir;
    QStringList messages;
    Database db;
};

} // namespace

TEST(DatabaseFolder, LiesBelowTheApplicationDataFolderOrElseTheHomeFolder)
{
    EXPECT_EQ(dbpathfor(QStringLiteral("/data/user")), QStringLiteral("/data/user/Quillmoter/"));
    EXPECT_EQ(dbpathfor(QStringLiteral("/data/user/")), QStringLiteral("/data/user/Quillmoter/"));
    // Never the root of the drive when there is no application-data folder.
    EXPECT_EQ(dbpathfor(QString()), QDir::homePath() + QStringLiteral("/Quillmoter/"));
    EXPECT_EQ(defaultdbpath(), qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Quillmoter/"));
}

TEST(DatabaseFolder, IsCreatedWithItsSubfolders)
{
    QTemporaryDir dir;
    QStringList messages;
    Database db(dir.path() + QStringLiteral("/missing/parent/Quillmoter/"),
                [&](const DbMessage &m) { messages << m.text(); });
    ASSERT_TRUE(db.createfolders());
    for (const char *sub : {"photos", "subjects", "memos"})
        EXPECT_TRUE(QFileInfo(db.path(QLatin1String(sub))).isDir()) << sub;
    EXPECT_TRUE(db.createfolders()) << "existing folders are fine";
    EXPECT_TRUE(messages.isEmpty());

    // A file where the folder should be.
    ASSERT_TRUE(writefile(dir.filePath(QStringLiteral("blocked")), "x"));
    Database blocked(dir.filePath(QStringLiteral("blocked")), [&](const DbMessage &m) { messages << m.text(); });
    EXPECT_EQ(blocked.dbpath(), dir.filePath(QStringLiteral("blocked/")));
    EXPECT_FALSE(blocked.createfolders());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("blocked")));
}

TEST_F(DatabaseTest, MissingRecordFilesAreCreatedEmpty)
{
    db.contacts.push_back(contact("stale"));
    EXPECT_TRUE(db.loadcontacts());
    EXPECT_TRUE(db.loadcalitems());
    EXPECT_TRUE(db.loadtasks());
    EXPECT_TRUE(db.contacts.empty());
    for (const QString &name : {dbfile::contacts, dbfile::calitems, dbfile::tasks}) {
        EXPECT_TRUE(QFileInfo::exists(file(name))) << name.toStdString();
        EXPECT_EQ(filesize(name), 0);
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DatabaseTest, ATrailingPieceShorterThanARecordIsIgnored)
{
    QByteArray data(2 * TContactRec::size + 100, '\0');
    contact("First").encode(data.data());
    contact("Second").encode(data.data() + TContactRec::size);
    ASSERT_TRUE(writefile(file(dbfile::contacts), data));

    EXPECT_TRUE(db.loadcontacts());
    ASSERT_EQ(db.contacts.size(), 2u);
    EXPECT_EQ(db.contacts[0].name, QStringLiteral("First"));
    EXPECT_EQ(db.contacts[1].name, QStringLiteral("Second"));
}

TEST_F(DatabaseTest, RecordsWithAnEmptyKeyAreNotWritten)
{
    db.contacts = {contact("Ann"), contact(""), contact("Bob")};
    ASSERT_TRUE(db.savecontacts());
    EXPECT_EQ(filesize(dbfile::contacts), 2 * TContactRec::size);
    EXPECT_EQ(db.contacts.size(), 3u) << "saving does not touch the array";
    db.loadcontacts();
    ASSERT_EQ(db.contacts.size(), 2u);
    EXPECT_EQ(db.contacts[1].name, QStringLiteral("Bob"));

    db.calitems.resize(3);
    db.calitems[1].text = "Exam";
    ASSERT_TRUE(db.savecalitems());
    EXPECT_EQ(filesize(dbfile::calitems), TCalItemRec::size);

    db.tasks.resize(2);
    db.tasks[0].text = "Read";
    db.tasks[1].category = "School"; // a category alone is no task
    ASSERT_TRUE(db.savetasks());
    EXPECT_EQ(filesize(dbfile::tasks), TTaskRec::size);

    db.subjects.resize(2);
    db.subjects[1].name = "Art";
    ASSERT_TRUE(db.savesubjects());
    EXPECT_EQ(filesize(dbfile::subjects), TSubjectRec::size);

    // Lessons have no key: empty ones are written too.
    db.timetable.resize(3);
    ASSERT_TRUE(db.savetimetable());
    EXPECT_EQ(filesize(dbfile::timetable), 3 * TLessonRec::size);
}

TEST_F(DatabaseTest, EmptyArraysAndListsAreSavedAsEmptyFiles)
{
    ASSERT_TRUE(writefile(file(dbfile::contacts), QByteArray(TContactRec::size * 2, 'x')));
    db.contacts.clear();
    ASSERT_TRUE(db.savecontacts());
    EXPECT_EQ(filesize(dbfile::contacts), 0);
    ASSERT_TRUE(db.savecategories({}, dbfile::categories));
    EXPECT_EQ(filesize(dbfile::categories), 0);
}

TEST_F(DatabaseTest, RecordsSurviveASaveAndLoad)
{
    TCalItemRec r;
    r.text = QStringLiteral("V\u00fdlet#s t\u0159\u00eddou");
    r.repetition = "m100000000001";
    r.date = 46364.75;
    r.remind = true;
    db.calitems = {r, r};
    db.calitems[1].icon = 8;
    ASSERT_TRUE(db.savecalitems());
    const std::vector<TCalItemRec> saved = db.calitems;
    db.calitems.clear();
    ASSERT_TRUE(db.loadcalitems());
    EXPECT_EQ(db.calitems, saved);

    // Every byte of a stored text comes back as it was.
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(char(b));
    QByteArray rec(TTaskRec::size, '\0');
    rec[1] = char(255);
    memcpy(rec.data() + 2, all.constData(), 255);
    ASSERT_TRUE(writefile(file(dbfile::tasks), rec));
    ASSERT_TRUE(db.loadtasks());
    ASSERT_TRUE(db.savetasks());
    EXPECT_EQ(readfile(file(dbfile::tasks)), rec);
}

TEST_F(DatabaseTest, AMissingTimetableBecomesTheDefaultTimetable)
{
    ASSERT_TRUE(db.loadtimetable());
    ASSERT_EQ(db.timetable.size(), 210u);
    EXPECT_EQ(filesize(dbfile::timetable), 210 * TLessonRec::size) << "saved at once";
    // Sorted: week -2 comes first.
    EXPECT_EQ(db.timetable.front().week, -2);
    EXPECT_EQ(db.timetable.front().day, 1);
    EXPECT_EQ(db.timetable.front().number, 0);
    EXPECT_EQ(db.timetable.back().week, -1);
    EXPECT_EQ(db.timetable.back().day, 7);
    EXPECT_EQ(db.timetable.back().number, 14);
    for (const TLessonRec &l : db.timetable) {
        EXPECT_LT(l.week, 0) << "the timeline mode starts empty";
        EXPECT_TRUE(l.subject.isEmpty());
    }

    // An existing file is read and sorted, not replaced.
    std::vector<TLessonRec> two(2);
    two[0].week = 2;
    two[0].subject = "Late";
    two[1].week = 1;
    two[1].subject = "Early";
    QByteArray data(2 * TLessonRec::size, '\0');
    two[0].encode(data.data());
    two[1].encode(data.data() + TLessonRec::size);
    ASSERT_TRUE(writefile(file(dbfile::timetable), data));
    ASSERT_TRUE(db.loadtimetable());
    ASSERT_EQ(db.timetable.size(), 2u);
    EXPECT_EQ(db.timetable[0].subject, QStringLiteral("Early"));
    EXPECT_EQ(filesize(dbfile::timetable), 2 * TLessonRec::size);
}

TEST_F(DatabaseTest, AMissingSubjectsFileGetsTheDefaultSubjects)
{
    ASSERT_TRUE(db.loadsubjects());
    ASSERT_EQ(db.subjects.size(), 12u);
    EXPECT_EQ(db.subjects.front().name, QStringLiteral("English"));
    EXPECT_EQ(db.subjects.back().name, QStringLiteral("Physical education"));
    EXPECT_EQ(filesize(dbfile::subjects), 12 * TSubjectRec::size);
    for (const TMarkRec &m : db.subjects[3].marks) {
        EXPECT_TRUE(m.mark.isEmpty());
        EXPECT_EQ(m.color, 0xFFFFFF);
        EXPECT_EQ(m.weight, 1.0);
    }

    // The list follows the program language; names are cut to 30 characters.
    QTemporaryDir other;
    Database translated(other.path());
    translated.defaultsubjects = {QStringLiteral("Matematika"), QString(40, QLatin1Char('z'))};
    ASSERT_TRUE(translated.loadsubjects());
    ASSERT_EQ(translated.subjects.size(), 2u);
    EXPECT_EQ(translated.subjects[1].name, QString(30, QLatin1Char('z')));
}

TEST_F(DatabaseTest, SubjectsWithAnEmptyNameAreSkippedWhenLoading)
{
    QByteArray data(3 * TSubjectRec::size, '\0');
    TSubjectRec s;
    s.name = "Art";
    s.encode(data.data());
    s.name = "Music";
    s.encode(data.data() + 2 * TSubjectRec::size);
    ASSERT_TRUE(writefile(file(dbfile::subjects), data));
    ASSERT_TRUE(db.loadsubjects());
    ASSERT_EQ(db.subjects.size(), 2u);
    EXPECT_EQ(db.subjects[1].name, QStringLiteral("Music"));
}

TEST_F(DatabaseTest, CategoryListsAreCrLfLinesWithoutTheDefaultCategory)
{
    ASSERT_TRUE(db.savecategories({"School", "Unfiled", "Home"}, dbfile::categories));
    EXPECT_EQ(readfile(file(dbfile::categories)), QByteArray("School\r\nHome\r\n"));

    // The comparison is exact: another case is another category.
    ASSERT_TRUE(db.savecategories({"unfiled", "Unfiled"}, dbfile::memocategories));
    EXPECT_EQ(readfile(file(dbfile::memocategories)), QByteArray("unfiled\r\n"));

    // The caption follows the program language.
    db.unfiled = QStringLiteral("Neza\u0159azen\u00e9");
    ASSERT_TRUE(db.savecategories({QStringLiteral("Neza\u0159azen\u00e9"), QStringLiteral("\u0160kola"), "Unfiled"},
                                  dbfile::categories));
    EXPECT_EQ(readfile(file(dbfile::categories)), QByteArray("\x8akola\r\nUnfiled\r\n"));
    EXPECT_EQ(db.loadlist(dbfile::categories), QStringList({QStringLiteral("\u0160kola"), "Unfiled"}));

    ASSERT_TRUE(writefile(file(dbfile::memocategories), "a\nb\r\nc"));
    EXPECT_EQ(db.loadlist(dbfile::memocategories), QStringList({"a", "b", "c"}));
    EXPECT_FALSE(db.listexists(QStringLiteral("nothing.dat")));
    EXPECT_TRUE(db.loadlist(QStringLiteral("nothing.dat")).isEmpty());
    EXPECT_TRUE(messages.isEmpty());
}

// Category lists are shown in the user's alphabetical order: in Czech "Š"
// is a letter of its own after "S", and case does not count.
TEST_F(DatabaseTest, CategoriesSortAsTheUsersLanguageDoes)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
    db.unfiled = QStringLiteral("unfiled");
    ASSERT_TRUE(writefile(file(dbfile::categories), "Zahrada\r\n\x8akola\r\nSport\r\n"));
    QStringList rows;
    db.loadcategories(dbfile::categories, rows);
    QLocale::setDefault(before);
    EXPECT_EQ(rows, QStringList({"Sport", QStringLiteral("\u0160kola"), "unfiled", "Zahrada"}));
}

// Views refresh themselves from the database: every load and save tells
// what kind changed, and a whole reload tells once more at its end.
TEST_F(DatabaseTest, LoadsAndSavesTellWhatChanged)
{
    ASSERT_TRUE(db.createfolders());
    QList<DbKind> kinds;
    QList<bool> duringload;
    QObject::connect(&db, &Database::changed, [&](DbKind kind) {
        kinds << kind;
        duringload << db.loading();
    });
    int reloads = 0;
    QObject::connect(&db, &Database::reloaded, [&] {
        ++reloads;
        EXPECT_FALSE(db.loading());
    });

    db.savecontacts();
    db.savecalitems();
    db.savetasks();
    db.savetimetable();
    db.savesubjects();
    db.savecategories({"Home"}, dbfile::categories);
    db.savelist(dbfile::custommelodies, {});
    db.setnamedays({"Vera"});
    EXPECT_EQ(kinds, QList<DbKind>({DbKind::contacts, DbKind::calendar, DbKind::tasks, DbKind::timetable,
                                    DbKind::subjects, DbKind::categories, DbKind::melodies, DbKind::namedays}));
    EXPECT_EQ(db.namedays, QStringList({"Vera"}));
    EXPECT_EQ(reloads, 0);

    kinds.clear();
    duringload.clear();
    db.loadall();
    EXPECT_EQ(reloads, 1);
    for (DbKind kind : {DbKind::contacts, DbKind::calendar, DbKind::subjects, DbKind::tasks, DbKind::categories,
                        DbKind::timetable})
        EXPECT_TRUE(kinds.contains(kind)) << int(kind);
    EXPECT_FALSE(duringload.contains(false)) << "every load of a reload says it is one";
    EXPECT_EQ(db.taskcategories, QStringList({"Home", "Unfiled"}));
}

TEST_F(DatabaseTest, TheVersionFileHoldsExactlyTwoPointOne)
{
    EXPECT_FALSE(db.hasversionfile());
    ASSERT_TRUE(db.writeversion());
    EXPECT_EQ(readfile(file(dbfile::dbversion)), QByteArray("2.1"));
    EXPECT_EQ(db.readversion(), QStringLiteral("2.1"));

    ASSERT_TRUE(writefile(file(dbfile::dbversion), "1.0\r\nnotes"));
    EXPECT_EQ(db.readversion(), QStringLiteral("1.0"));
    ASSERT_TRUE(writefile(file(dbfile::dbversion), ""));
    EXPECT_EQ(db.readversion(), QString());
    QFile::remove(file(dbfile::dbversion));
    QString error;
    EXPECT_FALSE(db.readversion(&error).has_value());
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(DatabaseTest, AFailedSaveLeavesTheOldFileWholeAndIsReported)
{
    db.contacts = {contact("Ann"), contact("Bob")};
    ASSERT_TRUE(db.savecontacts());
    const std::optional<QByteArray> before = readfile(file(dbfile::contacts));

    db.contacts.push_back(contact("Cyril"));
    {
        testsupport::FileSizeLimit limit(TContactRec::size + 10);
        EXPECT_FALSE(db.savecontacts());
    }
    EXPECT_EQ(readfile(file(dbfile::contacts)), before);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("contacts.dat")));
    EXPECT_EQ(QDir(db.dbpath()).entryList(QDir::Files), QStringList({"contacts.dat"}));
}

TEST_F(DatabaseTest, AFileThatCannotBeReadIsNotSavedOverUntilItLoads)
{
    // A folder in the file's place cannot be read as records.
    ASSERT_TRUE(QDir().mkpath(file(dbfile::tasks)));
    db.tasks.resize(1);
    db.tasks[0].text = "stale";
    EXPECT_FALSE(db.loadtasks());
    EXPECT_TRUE(db.tasks.empty());
    EXPECT_TRUE(db.readonly(dbfile::tasks));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("tasks.dat")));

    db.tasks.resize(1);
    db.tasks[0].text = "new";
    EXPECT_FALSE(db.savetasks());
    EXPECT_FALSE(db.savetasks());
    EXPECT_EQ(messages.size(), 1) << "reported once, at the load";
    EXPECT_TRUE(QFileInfo(file(dbfile::tasks)).isDir());
    EXPECT_FALSE(db.readonly(dbfile::contacts));

    // Once it loads again, saving works again.
    QDir(file(dbfile::tasks)).removeRecursively();
    EXPECT_TRUE(db.loadtasks());
    EXPECT_FALSE(db.readonly(dbfile::tasks));
    db.tasks.resize(1);
    db.tasks[0].text = "new";
    EXPECT_TRUE(db.savetasks());
    EXPECT_EQ(filesize(dbfile::tasks), TTaskRec::size);
}

TEST_F(DatabaseTest, AListThatCannotBeReadIsNotSavedOver)
{
    ASSERT_TRUE(QDir().mkpath(file(dbfile::categories)));
    EXPECT_TRUE(db.listexists(dbfile::categories));
    EXPECT_TRUE(db.loadlist(dbfile::categories).isEmpty());
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(db.savecategories({"School"}, dbfile::categories));
    EXPECT_EQ(messages.size(), 1);
}

TEST(DbMessage, FillsItsPlacesInOrder)
{
    EXPECT_EQ((DbMessage{QStringLiteral("Unable to save %s:#%s"), {"a", "b"}}.text()),
              QStringLiteral("Unable to save a:#b"));
    EXPECT_EQ((DbMessage{QStringLiteral("100%s %s"), {"x"}}.text()), QStringLiteral("100x %s"));
}
