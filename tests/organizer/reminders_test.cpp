// Reminders due this minute: picked, disarmed, rung and saved.

#include "organizer/reminders.h"

#include "database/database.h"
#include "platform/daynumber.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using testsupport::armedrecord;

const QDate wednesday(2026, 12, 9);

} // namespace

TEST(Reminders, OnlyArmedRecordsOfThisMinuteRingAndAreSavedDisarmed)
{
    QTemporaryDir dir;
    Database db(dir.filePath(QStringLiteral("Quillmoter/")));
    ASSERT_TRUE(db.createfolders());
    db.calitems = {armedrecord("Dentist#bring the card", wednesday, 1030, "0", 2),
                   armedrecord("Tomorrow", wednesday.addDays(1), 1030),
                   armedrecord("Gym", wednesday.addDays(-30), 1030, "w0010000", -1 & 0xFF),
                   armedrecord("Later", wednesday, 1031)};
    db.calitems.push_back(armedrecord("Not armed", wednesday, 1030));
    db.calitems.back().remind = false;

    QList<DueReminder> rung;
    auto ring = [&](const DueReminder &r) {
        rung << r;
        EXPECT_FALSE(db.calitems[0].remind) << "disarmed before ringing";
    };
    EXPECT_EQ(takedue(db, QDateTime(wednesday, QTime(10, 29, 59)), ring), 0);
    EXPECT_EQ(takedue(db, QDateTime(wednesday, QTime(10, 30, 0)), ring), 2);
    ASSERT_EQ(rung.size(), 2);
    EXPECT_EQ(rung[0].title, QStringLiteral("Dentist"));
    EXPECT_EQ(rung[0].melody, 2);
    EXPECT_EQ(rung[1].title, QStringLiteral("Gym"));
    EXPECT_EQ(rung[1].melody, -1) << "the melody byte is read as signed";
    EXPECT_TRUE(db.calitems[1].remind);
    EXPECT_TRUE(db.calitems[3].remind);

    Database reread(db.dbpath());
    reread.loadcalitems();
    ASSERT_EQ(reread.calitems.size(), 5u);
    EXPECT_FALSE(reread.calitems[0].remind);
    EXPECT_FALSE(reread.calitems[2].remind);
    EXPECT_TRUE(reread.calitems[1].remind);

    // Later in the minute, and a week later, the weekly one stays quiet.
    EXPECT_EQ(takedue(db, QDateTime(wednesday, QTime(10, 30, 40)), ring), 0);
    EXPECT_EQ(takedue(db, QDateTime(wednesday.addDays(7), QTime(10, 30, 0)), ring), 0);
}

// Ringing may run a message box's event loop, in which records are added.
TEST(Reminders, RecordsAddedWhileRingingDoNotUpsetTheRound)
{
    QTemporaryDir dir;
    Database db(dir.filePath(QStringLiteral("Quillmoter/")));
    ASSERT_TRUE(db.createfolders());
    db.calitems = {armedrecord("First", wednesday, 900), armedrecord("Second", wednesday, 900)};
    QStringList titles;
    const int rang = takedue(db, QDateTime(wednesday, QTime(9, 0)), [&](const DueReminder &r) {
        titles << r.title;
        for (int i = 0; i < 100; ++i)
            db.calitems.push_back(armedrecord("Added", wednesday, 900));
        // A tick inside the box rings what was added, never the round's own.
        EXPECT_EQ(takedue(db, QDateTime(wednesday, QTime(9, 0)), [](const DueReminder &) {}), 100);
    });
    EXPECT_EQ(rang, 2);
    EXPECT_EQ(titles, QStringList({"First", "Second"}));
}
