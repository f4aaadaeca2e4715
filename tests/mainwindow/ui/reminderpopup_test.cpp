// The reminder pop-up as the window system gets it: its shape, its place on
// the screen, a click anywhere on it, and a melody that cannot be played.

#include "mainwindow/ui/reminderpopup.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

using testsupport::FakePlayer;
using testsupport::RecordingPrompter;

TEST(ReminderPopup, ItsShapeKeepsTheBodyAndCutsOnlyTheKeyCorners)
{
    FakePlayer player;
    Tringform ringform(player);
    const QRegion shape = ringform.mask();
    ASSERT_FALSE(shape.isEmpty());
    // The white body, the title and the close line are all inside.
    for (const QPoint p : {QPoint(164, 47), QPoint(70, 30), QPoint(70, 62), QPoint(20, 20), QPoint(310, 75)})
        EXPECT_TRUE(shape.contains(p)) << p.x() << "," << p.y();
    // The outside of the rounded corners is not.
    for (const QPoint p : {QPoint(0, 0), QPoint(328, 0), QPoint(328, 93), QPoint(0, 93)})
        EXPECT_FALSE(shape.contains(p)) << p.x() << "," << p.y();
    // The straight edges are whole.
    EXPECT_TRUE(shape.contains(QPoint(164, 0)));
    EXPECT_TRUE(shape.contains(QPoint(0, 47)));
    EXPECT_GT(shape.boundingRect().width() * shape.boundingRect().height(), 329 * 94 * 9 / 10);
}

TEST(ReminderPopup, SitsInTheCornerNoPanelCovers)
{
    const QSize size(329, 94);
    // One panel at the bottom, one on the right, a top bar with a bottom dock.
    EXPECT_EQ(ringposition(QRect(0, 0, 1920, 1040), size), QPoint(1920 - 329, 1040 - 94));
    EXPECT_EQ(ringposition(QRect(0, 0, 1856, 1080), size), QPoint(1856 - 329, 1080 - 94));
    EXPECT_EQ(ringposition(QRect(0, 32, 1920, 1000), size), QPoint(1920 - 329, 1032 - 94));
    // A second screen to the right of the first.
    EXPECT_EQ(ringposition(QRect(1920, 0, 1280, 990), size), QPoint(1920 + 1280 - 329, 990 - 94));
}

TEST(ReminderPopup, AClickAnywhereOnItClosesItAndStopsTheMelody)
{
    FakePlayer player;
    Tringform ringform(player);
    for (const QPoint at : {QPoint(164, 47), QPoint(80, 30), QPoint(30, 30), QPoint(120, 64)}) {
        ringform.showreminder(QStringLiteral("Dentist"), QPixmap());
        ASSERT_TRUE(ringform.isVisible());
        ASSERT_TRUE(player.playing);
        ASSERT_TRUE(player.looping) << "it sounds until clicked";
        QWidget *under = ringform.childAt(at) ? ringform.childAt(at) : &ringform;
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(&ringform, at));
        EXPECT_TRUE(ringform.isHidden()) << at.x() << "," << at.y();
        EXPECT_FALSE(player.playing);
    }
}

TEST(ReminderPopup, AMelodyThatCannotBeOpenedIsReportedOncePerReminder)
{
    RecordingPrompter answers;
    FakePlayer player;
    player.failure = QStringLiteral("The file does not exist.");
    player.setfile(QStringLiteral("/nowhere/bell.mp3"));
    Tringform ringform(player);
    ringform.showreminder(QStringLiteral("Exam"), QPixmap());
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_TRUE(answers.boxes[0].text.contains(QStringLiteral("/nowhere/bell.mp3")));
    EXPECT_TRUE(ringform.melodyfailed());
    EXPECT_TRUE(player.isstopped());

    // A second reminder while it is up does not reopen the player.
    ringform.showreminder(QStringLiteral("Exam again"), QPixmap());
    EXPECT_EQ(answers.boxes.size(), 1u);

    // The next pop-up tries again, and tells again.
    ringform.PaintBox1Click();
    ringform.showreminder(QStringLiteral("Later"), QPixmap());
    EXPECT_EQ(answers.boxes.size(), 2u);
}

// A title wider than its line ends in "…" within the line, not cut
// mid-letter; a short one is shown whole.
TEST(ReminderPopup, ALongTitleEndsInAnEllipsis)
{
    FakePlayer player;
    Tringform ringform(player);
    const QString longtitle = QStringLiteral("Parent-teacher meeting about the history project");
    ringform.showreminder(longtitle, QPixmap());
    const QString shown = ringform.titlelabel->text();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << qPrintable(shown);
    EXPECT_TRUE(longtitle.startsWith(shown.chopped(1)));
    EXPECT_LE(ringform.titlelabel->fontMetrics().horizontalAdvance(shown), ringform.titlelabel->contentsRect().width());

    ringform.PaintBox1Click();
    ringform.showreminder(QStringLiteral("Gym"), QPixmap());
    EXPECT_EQ(ringform.titlelabel->text(), QStringLiteral("Gym"));
}

// A system without any sound output is told once a run; every reminder
// still shows, and a melody that fails for another reason is still told.
TEST(ReminderPopup, NoSoundOutputIsToldOnceARun)
{
    RecordingPrompter answers;
    FakePlayer player;
    player.failure = melodyreason::nooutput;
    Tringform ringform(player);
    for (const char *title : {"Exam", "Gym", "Dentist"}) {
        ringform.showreminder(QLatin1String(title), QPixmap());
        EXPECT_TRUE(ringform.isVisible());
        EXPECT_TRUE(ringform.melodyfailed()) << "the timer does not retry it";
        ringform.PaintBox1Click();
    }
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_TRUE(answers.boxes[0].text.contains(melodyreason::nooutput));

    player.failure = melodyreason::nofile;
    ringform.showreminder(QStringLiteral("Exam"), QPixmap());
    EXPECT_EQ(answers.boxes.size(), 2u);
}
