// The sound system is set up ahead of the first reminder only when a
// reminder may ring: an armed record at start, or one armed later.

#include "mainwindow/ui/program.h"

#include "database/database.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

namespace {

TCalItemRec record(const char *text, bool armed)
{
    TCalItemRec r;
    r.text = text;
    r.repetition = "0";
    r.remind = armed;
    return r;
}

} // namespace

TEST(SoundSetup, OnlyWhenARecordIsArmedAtStartOrLater)
{
    QTemporaryDir dir;
    Database db(dir.filePath(QStringLiteral("Quillmoter/")));
    ASSERT_TRUE(db.createfolders());

    // Armed at start: set up once the delay is over.
    db.calitems = {record("Exam", false), record("Trip", true)};
    testsupport::FakePlayer early;
    prepareforreminders(db, early, 0);
    EXPECT_EQ(early.prepares, 0) << "not before the window is up";
    EXPECT_TRUE(QTest::qWaitFor([&] { return early.prepares == 1; }));

    // Nothing armed (an armed record without a text is a deleted one):
    // nothing until a record is armed and saved.
    db.calitems = {record("Exam", false), record("", true)};
    testsupport::FakePlayer later;
    prepareforreminders(db, later, 0);
    QCoreApplication::processEvents();
    db.savecalitems();
    db.tasks.push_back(testsupport::task("Read"));
    db.savetasks();
    EXPECT_EQ(later.prepares, 0);
    db.calitems[0].remind = true;
    db.savecalitems();
    db.savecalitems();
    EXPECT_TRUE(QTest::qWaitFor([&] { return later.prepares > 0; }));
    db.savecalitems();
    QCoreApplication::processEvents();
    EXPECT_EQ(later.prepares, 1) << "once";
    EXPECT_EQ(early.prepares, 1);
}
