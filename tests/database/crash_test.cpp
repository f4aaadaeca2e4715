// Changes of several files stopped after each of their steps, as a kill
// would stop them, and the next start's recovery: the database is wholly
// the old one or wholly the new one, never a mix, and nothing is lost.

#include "database/backup.h"
#include "database/journal.h"
#include "database/recovery.h"
#include "database/upgrade.h"

#include "crashsupport.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using crashsupport::difference;
using crashsupport::Killed;
using crashsupport::snapshot;
using crashsupport::StopAfter;
using testsupport::Bytes;
using testsupport::fillrecords;
using testsupport::putfile;
using testsupport::readfile;

namespace {

using Snapshot = QMap<QString, QByteArray>;

const QByteArray oldunfiled("Neza\xf8" "azeno");

void put(const QString &path, const QByteArray &data)
{
    ASSERT_TRUE(putfile(path, data)) << path.toStdString();
}

// A database folder with every item, each file telling where it is from,
// and the files an import leaves alone.
void filldatabase(const QString &db)
{
    ASSERT_TRUE(fillrecords(db, "current")) << db.toStdString();
    put(db + "photos/1.bmp", "current photo");
    put(db + "memos/Home.Shopping.rtf", "current note");
    put(db + "subjects/Autumn.dat", "current term");
    put(db + "settings.ini", "[Settings]\r\n");
    put(db + "language.dat", "czech");
    put(db + "custommelodies.dat", "/music/a.mp3\r\n");
}

// A backup of version 1.9, whose copy is upgraded before it replaces the
// database; it has no notes and no term name.
void fillbackup(const QString &backup)
{
    put(backup + "contacts.dat", QByteArray(2 * TContactRec::size, 'c'));
    put(backup + "calitems.dat", "backup calitems.dat");
    put(backup + "tasks.dat", Bytes(TTaskRec::size).str(1, "Read").str(257, oldunfiled).data());
    put(backup + "subjects.dat", "backup subjects.dat");
    put(backup + "categories.dat", oldunfiled + "\r\nSchool\r\n");
    put(backup + "memocategories.dat", "Diary\r\n");
    put(backup + "dbversion.dat", "1.9");
    put(backup + "photos/2.bmp", "backup photo");
    put(backup + "photos/3.bmp", "another backup photo");
    put(backup + "subjects/Spring.dat", "backup term");
}

VersionCheck upgradefrom19()
{
    VersionCheck check;
    check.result = VersionCheck::upgrade;
    checkdbversion("1.9", &check.from);
    return check;
}

// Runs the whole import; a Killed from the step seam goes through.
bool import(const QString &db, const QString &backup, backup::Import::Mover mover = {})
{
    backup::Import import(db, backup, std::move(mover));
    QString error;
    return import.stage(upgradefrom19(), nullptr, &error) && import.replace(&error);
}

class CrashTest : public ::testing::Test
{
protected:
    // A fresh pair of folders for round `round`.
    void setup(int round)
    {
        const QString base = dir.path() + QStringLiteral("/%1/").arg(round);
        db = base + "Quillmoter/";
        backup = base + "QMTR_0302261405/";
        filldatabase(db);
        fillbackup(backup);
    }

    QTemporaryDir dir{crashsupport::tempfolder()};
    QString db, backup;
};

} // namespace

TEST_F(CrashTest, AnImportStoppedAfterAnyStepIsUndoneOrFinishedAtTheNextStart)
{
    setup(0);
    const Snapshot before = snapshot(db), backupbefore = snapshot(backup);
    int steps = 0;
    {
        StopAfter count(0);
        ASSERT_TRUE(import(db, backup));
        steps = count.steps;
    }
    const Snapshot after = snapshot(db);
    ASSERT_NE(after, before);
    ASSERT_GT(steps, 20) << "copies, the staging upgrade, moves, removals";
    EXPECT_EQ(recoverdatabase(db).notes.size(), 0) << "a finished import leaves nothing to recover";

    int undone = 0, finished = 0;
    for (int k = 1; k <= steps; ++k) {
        setup(k);
        QString step;
        try {
            StopAfter stop(k);
            import(db, backup);
            FAIL() << "step " << k << " was not reached";
        } catch (const Killed &killed) {
            step = killed.step;
        }
        const bool journal = journal::present(db + journal::filename);
        const Recovery recovery = recoverdatabase(db);
        EXPECT_TRUE(recovery.usable) << k;
        const Snapshot now = snapshot(db);
        if (now == before) {
            ++undone;
        } else {
            EXPECT_TRUE(now == after) << "stopped after step " << k << " (" << step.toStdString() << "):"
                                      << difference(now, after);
            ++finished;
        }
        // The next start says what it did whenever it found a change under way.
        EXPECT_EQ(recovery.notes.size(), journal ? 1 : 0) << k << " " << step.toStdString();
        if (journal) {
            EXPECT_EQ(recovery.notes.front().format, now == before ? importundone : importfinished) << k;
        }
        EXPECT_TRUE(snapshot(backup) == backupbefore) << "the backup is only read";
    }
    EXPECT_GT(undone, 10);
    EXPECT_GT(finished, 0);
}

// A move that fails and a move back that fails too: the items that could
// not go back stay where they are, named in the report, and the next start
// puts them back.
TEST_F(CrashTest, ARollbackThatCannotPutAnItemBackDeletesNothingAndSaysWhereItIs)
{
    setup(0);
    const Snapshot before = snapshot(db);
    int calls = 0;
    QStringList moves;
    auto mover = [&](const QString &from, const QString &to, QString *error) {
        ++calls;
        moves << QFileInfo(from).fileName();
        if (calls == 3 || calls == 5) {
            if (error)
                *error = QStringLiteral("refused");
            return false;
        }
        return journal::rename(from, to, error);
    };
    backup::Import import(db, backup, mover);
    QString error;
    ASSERT_TRUE(import.stage(upgradefrom19(), nullptr, &error)) << error.toStdString();
    EXPECT_FALSE(import.replace(&error));
    EXPECT_EQ(error, QStringLiteral("refused"));
    // Moves 1 and 2 placed the contacts, 3 was refused; 4 took the backup's
    // contacts back, 5 (the current contacts back) was refused.
    EXPECT_EQ(calls, 5);
    ASSERT_EQ(import.stranded().size(), 1);
    const QString stranded = import.stranded().front();
    EXPECT_TRUE(stranded.contains(journal::asideprefix)) << stranded.toStdString();
    EXPECT_TRUE(stranded.contains("contacts.dat (refused)")) << stranded.toStdString();
    const QString where = stranded.left(stranded.indexOf(" ("));
    EXPECT_EQ(readfile(where), QByteArray("current contacts.dat")) << "the only copy is where the report says";
    EXPECT_FALSE(QFileInfo::exists(db + "contacts.dat"));
    import.discard();

    // The start puts it back before anything can create an empty file.
    const Recovery recovery = recoverdatabase(db);
    EXPECT_TRUE(recovery.usable);
    ASSERT_EQ(recovery.notes.size(), 1);
    EXPECT_EQ(recovery.notes.front().format, importundone);
    EXPECT_TRUE(snapshot(db) == before) << difference(snapshot(db), before);
}

// Stops the import once the backup's contacts are in place.
void importuntilcontactsplaced(const QString &db, const QString &backup)
{
    try {
        backup::Import import(db, backup);
        QString error;
        ASSERT_TRUE(import.stage(upgradefrom19(), nullptr, &error));
        journal::setstephook([](const QString &step) {
            if (step.startsWith("move " + journal::stagingprefix) && step.endsWith("-> contacts.dat"))
                throw Killed{step};
        });
        import.replace(&error);
        journal::setstephook({});
        FAIL();
    } catch (const Killed &) {
        journal::setstephook({});
    }
}

TEST_F(CrashTest, AStartThatCannotPutItemsBackStopsAndSaysWhere)
{
    setup(0);
    const Snapshot before = snapshot(db);
    importuntilcontactsplaced(db, backup);
    // The way back for the backup's contacts is gone.
    const QStringList staging = QDir(db).entryList({journal::stagingprefix + "*"}, QDir::Dirs | QDir::Hidden);
    ASSERT_EQ(staging.size(), 1);
    const QString stagingfolder = db + staging.front();
    ASSERT_TRUE(QDir(stagingfolder).removeRecursively());

    const Recovery recovery = recoverdatabase(db);
    EXPECT_FALSE(recovery.usable) << "nothing may load over a half import";
    ASSERT_EQ(recovery.notes.size(), 1);
    const DbMessage &note = recovery.notes.front();
    EXPECT_EQ(note.format, notputback);
    ASSERT_EQ(note.args.size(), 2);
    EXPECT_TRUE(note.args[0].contains(QDir::toNativeSeparators(db + "contacts.dat"))) << note.text().toStdString();
    EXPECT_EQ(readfile(note.args[1] + "/contacts.dat"), QByteArray("current contacts.dat"))
        << "the user's copy is where the message says";
    EXPECT_TRUE(journal::present(db + journal::filename)) << "the next start tries again";

    // Once the way is clear again the start goes on, with the old database.
    QDir().mkpath(stagingfolder);
    const Recovery again = recoverdatabase(db);
    EXPECT_TRUE(again.usable);
    EXPECT_TRUE(snapshot(db) == before) << difference(snapshot(db), before);
}

TEST_F(CrashTest, AnExportStoppedAnywhereIsRefusedByTheImport)
{
    setup(0);
    const QString target = dir.path() + "/Backups/QMTR_0302261405/";
    QDir().mkpath(target);
    int steps = 0;
    {
        StopAfter count(0);
        const backup::ExportResult result = backup::exportdatabase(db, target);
        ASSERT_TRUE(result.complete);
        steps = count.steps;
    }
    const Snapshot whole = snapshot(target);
    EXPECT_FALSE(backup::isincomplete(target));
    for (int k = 1; k <= steps; ++k) {
        QDir(target).removeRecursively();
        QDir().mkpath(target);
        try {
            StopAfter stop(k);
            backup::exportdatabase(db, target);
        } catch (const Killed &) {
        }
        if (!backup::isincomplete(target)) {
            EXPECT_TRUE(snapshot(target) == whole) << "a folder without the mark is a whole backup: step " << k;
            continue;
        }
        const Snapshot dbbefore = snapshot(db);
        backup::Import import(db, target);
        VersionCheck check;
        check.result = VersionCheck::current;
        QString error;
        EXPECT_FALSE(import.stage(check, nullptr, &error)) << k;
        EXPECT_TRUE(error.contains("incomplete")) << error.toStdString();
        EXPECT_TRUE(snapshot(db) == dbbefore) << k;
    }
}

namespace {

// A 1.5 folder: the 1.4 grid, subjects of 1.3 and one stored term.
void fill15(const QString &db)
{
    Bytes grid(15 * 9216);
    grid.str(0, "7:05").str(768, "7:50").str(2 * 768, "Math").str(2 * 768 + 256, "Mr Smith");
    put(db + "timetable.dat", grid.data());
    Bytes subject(1344);
    subject.str(0, "Math").str(32, "1").le(36, 0xFF, 4).str(832, "++");
    put(db + "subjects.dat", subject.data() + subject.data());
    put(db + "subjects/Autumn.dat", subject.data());
    put(db + "contacts.dat", "not touched");
    put(db + "dbversion.dat", "1.5");
}

// A 1.0 folder with something for every step.
void fill10(const QString &db)
{
    Bytes grid(10 * 1792);
    grid.str(0, "7:55").str(256, "8:40").str(2 * 256, "Math");
    put(db + "timetable.dat", grid.data());
    Bytes subject(744);
    subject.str(0, "Math").le(32, 1, 2);
    for (int i = 1; i < 100; ++i)
        subject.le(32 + 2 * i, -1, 2);
    put(db + "subjects.dat", subject.data());
    put(db + "subjects/first term.dat", subject.data());
    Bytes calitem(272);
    calitem.le(0, 3, 2).le(2, 800, 2).u8(6, 1).str(7, "Test");
    put(db + "calitems.dat", calitem.data());
    put(db + "categories.dat", "School\r\n" + oldunfiled + "\r\n");
    put(db + "memocategories.dat", oldunfiled + "\r\n");
    put(db + "tasks.dat", Bytes(TTaskRec::size).str(1, "Read").str(257, oldunfiled).data());
    put(db + "contacts.dat", Bytes(TContactRec::size).str(0, "Ann").data());
    put(db + "dbversion.dat", "1.0");
}

} // namespace

TEST_F(CrashTest, AnUpgradeStepStoppedAfterAnyStepIsWhollyDoneOrNotAtTheNextStart)
{
    const QString first = dir.path() + "/first/";
    fill15(first);
    const Snapshot before = snapshot(first);
    int steps = 0;
    {
        StopAfter count(0);
        QString error;
        ASSERT_TRUE(convert15to16(first, &error)) << error.toStdString();
        steps = count.steps;
    }
    const Snapshot after = snapshot(first);
    EXPECT_EQ(readfile(first + "dbversion.dat"), QByteArray("1.6"));
    EXPECT_EQ(readfile(first + "subjects.dat")->size(), 2 * TSubjectRec::size);
    EXPECT_EQ(steps, 14) << "2 folders, 4 writes, commit, 4 renames, 2 removals, journal removed";

    bool sawjournal = false;
    for (int k = 1; k <= steps; ++k) {
        const QString db = dir.path() + QStringLiteral("/k%1/").arg(k);
        fill15(db);
        try {
            StopAfter stop(k);
            QString error;
            convert15to16(db, &error);
            FAIL() << k;
        } catch (const Killed &) {
        }
        const bool journal = journal::present(db + journal::filename);
        sawjournal = sawjournal || journal;
        const Recovery recovery = recoverdatabase(db);
        EXPECT_TRUE(recovery.usable);
        const Snapshot now = snapshot(db);
        EXPECT_TRUE(now == before || now == after) << "step " << k << ":" << difference(now, after);
        if (journal) {
            ASSERT_EQ(recovery.notes.size(), 1);
            EXPECT_EQ(recovery.notes.front().format, upgradefinished);
            EXPECT_TRUE(now == after);
        }
    }
    EXPECT_TRUE(sawjournal);
}

TEST_F(CrashTest, AChainStoppedAnywhereStandsAtTheEndOfAWholeStep)
{
    // The folder after each step of the chain, one at a time.
    const QString stepwise = dir.path() + "/stepwise/";
    fill10(stepwise);
    QList<Snapshot> stages{snapshot(stepwise)};
    for (const UpgradeStep &step : upgradesteps()) {
        QString error;
        ASSERT_TRUE(runstep(stepwise, step, &error)) << step.name.toStdString() << error.toStdString();
        stages << snapshot(stepwise);
    }
    int steps = 0;
    {
        const QString whole = dir.path() + "/whole/";
        fill10(whole);
        StopAfter count(0);
        QString error;
        ASSERT_TRUE(runupgrade(whole, 1.0, &error)) << error.toStdString();
        steps = count.steps;
        EXPECT_TRUE(snapshot(whole) == stages.back());
    }
    for (int k = 1; k <= steps; ++k) {
        const QString db = dir.path() + QStringLiteral("/k%1/").arg(k);
        fill10(db);
        try {
            StopAfter stop(k);
            QString error;
            runupgrade(db, 1.0, &error);
            FAIL() << k;
        } catch (const Killed &) {
        }
        EXPECT_TRUE(recoverdatabase(db).usable);
        EXPECT_TRUE(stages.contains(snapshot(db))) << "step " << k;
    }
}

TEST_F(CrashTest, TheChainInMemoryWritesWhatTheChainOnDiskWrites)
{
    const QString db = dir.path() + "/disk/";
    fill10(db);
    QMap<QString, QByteArray> files = snapshot(db);
    files.remove("subjects");
    QString error;
    ASSERT_TRUE(runupgrade(db, 1.0, &error)) << error.toStdString();
    ASSERT_TRUE(runupgrade(files, 1.0, &error)) << error.toStdString();
    Snapshot disk = snapshot(db);
    disk.remove("subjects");
    EXPECT_TRUE(files == disk) << difference(files, disk);
}

TEST_F(CrashTest, LeftoversOfOurOwnWorkGoAtTheStartAndTheUsersDataStays)
{
    setup(0);
    put(db + ".import-Ab12Cd/contacts.dat", "staged copy");
    put(db + ".pending-Ab12Cd/0", "temporary");
    put(db + "subjects/.pending-Ab12Cd/1", "temporary");
    put(db + "contacts.dat.upgrade", "temporary");
    put(db + "contacts.dat.upgrade.Q1w2E3", "temporary");
    put(db + ".journal.Q1w2E3", "temporary");
    put(db + "subjects/Autumn.dat.upgrade", "temporary");
    put(db + "subjects/Autumn.dat.Q1w2E3", "temporary");
    QDir().mkpath(db + ".replaced-empty1");
    // What the user keeps there, or what is not ours.
    put(db + "mynotes.upgrade", "mine");
    put(db + "subjects/Old.dat.bak", "mine");
    put(dir.path() + "/elsewhere/keep.txt", "mine");
    ASSERT_TRUE(QFile::link(dir.path() + "/elsewhere", db + ".import-link"));
    const Snapshot users = snapshot(db);

    // An import of an older version, killed, left the contacts aside.
    put(db + ".replaced-Zz9Yy8/contacts.dat", "set aside contacts");
    put(db + ".replaced-Zz9Yy8/tasks.dat", "set aside tasks");
    ASSERT_TRUE(QFile::remove(db + "contacts.dat"));

    const Recovery recovery = recoverdatabase(db);
    EXPECT_TRUE(recovery.usable);
    ASSERT_EQ(recovery.notes.size(), 2);
    EXPECT_EQ(recovery.notes[0].format, asideputback);
    EXPECT_EQ(recovery.notes[0].args, QStringList{"contacts.dat"});
    EXPECT_EQ(recovery.notes[1].format, asidekept);
    EXPECT_EQ(recovery.notes[1].args, QStringList{QDir::toNativeSeparators(db + ".replaced-Zz9Yy8")});
    EXPECT_EQ(readfile(db + "contacts.dat"), QByteArray("set aside contacts")) << "never made empty";
    EXPECT_EQ(readfile(db + ".replaced-Zz9Yy8/tasks.dat"), QByteArray("set aside tasks")) << "never removed";
    EXPECT_EQ(readfile(db + "tasks.dat"), QByteArray("current tasks.dat"));

    Snapshot now = snapshot(db);
    now.remove(".replaced-Zz9Yy8");
    now.remove(".replaced-Zz9Yy8/tasks.dat");
    Snapshot expected = users;
    for (const char *gone : {".import-Ab12Cd", ".import-Ab12Cd/contacts.dat", ".pending-Ab12Cd", ".pending-Ab12Cd/0",
                             "subjects/.pending-Ab12Cd", "subjects/.pending-Ab12Cd/1", "contacts.dat.upgrade",
                             "contacts.dat.upgrade.Q1w2E3", ".journal.Q1w2E3", "subjects/Autumn.dat.upgrade",
                             "subjects/Autumn.dat.Q1w2E3", ".replaced-empty1"})
        EXPECT_TRUE(expected.remove(gone)) << gone;
    expected.insert("contacts.dat", "set aside contacts");
    EXPECT_TRUE(now == expected) << difference(now, expected);
}

TEST_F(CrashTest, AJournalThatCannotBeReadStopsTheStartAndChangesNothing)
{
    const QByteArray journals[] = {
        "garbage",
        "Quillmoter journal 1\nkind import\nstate prepared\nmove contacts.dat x\n", // cut short
        "Quillmoter journal 1\nkind import\nstate prepared\nmove ../../outside contacts.dat\nend\n",
        "Quillmoter journal 1\nkind import\nstate prepared\nmove /etc/passwd contacts.dat\nend\n",
        "Quillmoter journal 1\nkind nothing\nstate prepared\nend\n",
    };
    int round = 0;
    for (const QByteArray &text : journals) {
        setup(++round);
        put(db + journal::filename, text);
        put(db + ".import-Ab12Cd/contacts.dat", "staged copy");
        const Snapshot before = snapshot(db);
        const Recovery recovery = recoverdatabase(db);
        EXPECT_FALSE(recovery.usable) << text.constData();
        ASSERT_EQ(recovery.notes.size(), 1);
        EXPECT_EQ(recovery.notes[0].format, recoveryfailed);
        EXPECT_TRUE(snapshot(db) == before) << "not even its temporaries go: " << text.constData();
    }
}

TEST_F(CrashTest, AJournalWithAnyFileNameReadsBack)
{
    setup(0);
    journal::Journal j(db, journal::Kind::terms);
    const QString odd = QStringLiteral("subjects/Zimní pololetí 2% #1\tnové.dat");
    j.replace(QStringLiteral(".pending-x/0"), odd);
    j.rename(QStringLiteral("a b"), QStringLiteral("c\nd"));
    j.scratch(QStringLiteral(".pending-x"));
    QString error;
    ASSERT_TRUE(j.write(true, &error)) << error.toStdString();
    const std::optional<journal::Journal> back = journal::Journal::read(db, &error);
    ASSERT_TRUE(back) << error.toStdString();
    EXPECT_TRUE(back->committed());
    EXPECT_EQ(back->kind(), journal::Kind::terms);
    ASSERT_EQ(back->entries().size(), 3u);
    EXPECT_EQ(back->entries()[0].to, odd);
    EXPECT_EQ(back->entries()[1].from, QStringLiteral("a b"));
    EXPECT_EQ(back->entries()[1].to, QStringLiteral("c\nd"));
    EXPECT_EQ(back->entries()[2].type, journal::Entry::scratch);
}
