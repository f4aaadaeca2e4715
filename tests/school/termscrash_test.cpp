// Term changes stopped after each of their steps, as a kill would stop them:
// after the next start's recovery the open term's name, its marks and the
// stored terms are wholly as before or wholly as after, so no later switch
// can store one term's marks over another's.

#include "school/terms.h"

#include "database/database.h"
#include "database/recovery.h"

#include "crashsupport.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using crashsupport::difference;
using crashsupport::Killed;
using crashsupport::snapshot;
using crashsupport::StopAfter;

namespace {

using Snapshot = QMap<QString, QByteArray>;
using Change = std::function<TermOutcome(Terms &, TermError &)>;

class TermsCrashTest : public ::testing::Test
{
protected:
    TermsCrashTest()
    {
        // "Previous term" open with a 2, "Spring" stored with a 5, and an
        // older copy of "Previous term" stored with a 1.
        start = dir.path() + "/start/";
        Database db(start);
        db.createfolders();
        db.loadsubjects();
        Terms terms(db, QStringLiteral("Previous term"));
        TermError error;
        setmark(db, "1");
        EXPECT_EQ(terms.newterm(QStringLiteral("Spring"), [] { return true; }, error), TermOutcome::done);
        setmark(db, "5");
        EXPECT_EQ(terms.loadterm(QStringLiteral("Previous term"), error), TermOutcome::done);
        setmark(db, "2");
    }

    static void setmark(Database &db, const char *mark)
    {
        db.subjects[0].marks[0].mark = QLatin1String(mark);
        db.savesubjects();
    }

    // Runs `change` on a fresh copy of the start, stopped after step `k`
    // (0: not stopped); the folder of the copy.
    QString run(const Change &change, int k, int *steps = nullptr)
    {
        const QString folder = dir.path() + QStringLiteral("/run%1/").arg(++runs);
        EXPECT_TRUE(crashsupport::copytree(start, folder));
        Database db(folder);
        db.loadsubjects();
        Terms terms(db, QStringLiteral("Previous term"));
        TermError error;
        try {
            StopAfter stop(k);
            EXPECT_EQ(change(terms, error), TermOutcome::done) << error.format.toStdString();
            EXPECT_EQ(k, 0) << "step " << k << " was not reached";
            if (steps)
                *steps = stop.steps;
        } catch (const Killed &) {
        }
        return folder;
    }

    // Every stop leaves, after the recovery, the state before or after.
    void everystop(const Change &change)
    {
        const Snapshot before = snapshot(start);
        int steps = 0;
        const Snapshot after = snapshot(run(change, 0, &steps));
        ASSERT_NE(before, after);
        ASSERT_GT(steps, 3);
        int finished = 0;
        for (int k = 1; k <= steps; ++k) {
            const QString folder = run(change, k);
            const Recovery recovery = recoverdatabase(folder);
            EXPECT_TRUE(recovery.usable);
            const Snapshot now = snapshot(folder);
            EXPECT_TRUE(now == before || now == after) << "step " << k << ":" << difference(now, after);
            if (now == after && now != before)
                ++finished;
            for (const DbMessage &note : recovery.notes)
                EXPECT_EQ(note.format, termsfinished) << k;
        }
        EXPECT_GT(finished, 1);
    }

    QTemporaryDir dir{crashsupport::tempfolder()};
    QString start;
    int runs = 0;
};

} // namespace

TEST_F(TermsCrashTest, OpeningAnotherTerm)
{
    everystop([](Terms &terms, TermError &error) { return terms.loadterm(QStringLiteral("Spring"), error); });
}

TEST_F(TermsCrashTest, StartingANewTerm)
{
    everystop([](Terms &terms, TermError &error) {
        return terms.newterm(QStringLiteral("Summer"), [] { return true; }, error);
    });
}

TEST_F(TermsCrashTest, RenamingTheOpenTermWithItsFile)
{
    everystop([](Terms &terms, TermError &error) {
        return terms.renameterm(QStringLiteral("Previous term"), QStringLiteral("Autumn"), terms.termlist(), error);
    });
}

// A term switch whose file cannot be written leaves everything as it was.
TEST_F(TermsCrashTest, ALinkInPlaceOfATermFileIsNeverReplaced)
{
    const QString other = dir.path() + "/elsewhere.dat";
    ASSERT_TRUE(testsupport::writefile(other, "kept"));
    ASSERT_TRUE(QFile::remove(start + "subjects/Previous term.dat"));
    ASSERT_TRUE(QFile::link(other, start + "subjects/Previous term.dat"));
    const Snapshot before = snapshot(start);
    Database db(start);
    db.loadsubjects();
    Terms terms(db, QStringLiteral("Previous term"));
    TermError error;
    EXPECT_EQ(terms.loadterm(QStringLiteral("Spring"), error), TermOutcome::failed);
    EXPECT_EQ(error.format, Terms::changefailed);
    EXPECT_TRUE(snapshot(start) == before) << difference(snapshot(start), before);
    EXPECT_EQ(testsupport::readfile(other), QByteArray("kept"));
}
