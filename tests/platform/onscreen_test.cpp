// A window that grew is moved back onto the screen, as little as it takes.

#include "platform/onscreen.h"

#include <gtest/gtest.h>

TEST(OnScreen, AGrownWindowMovesUpAndLeftJustEnough)
{
    const QRect screen(0, 0, 1280, 800);
    // Inside: stays.
    EXPECT_EQ(keptonscreen(QRect(250, 105, 900, 640), screen), QPoint(250, 105));
    // Past the bottom by 60: up by 60.
    EXPECT_EQ(keptonscreen(QRect(250, 105, 900, 755), screen), QPoint(250, 45));
    // Past the right: left.
    EXPECT_EQ(keptonscreen(QRect(600, 0, 900, 700), screen), QPoint(380, 0));
    // Larger than the screen: its top-left corner at the screen's.
    EXPECT_EQ(keptonscreen(QRect(100, 100, 1400, 900), screen), QPoint(0, 0));
    // Placed off to the left or above by the user: only the overflowing edge moves it, never down or right.
    EXPECT_EQ(keptonscreen(QRect(-50, -10, 300, 200), screen), QPoint(-50, -10));
    EXPECT_EQ(keptonscreen(QRect(-50, 700, 300, 200), screen), QPoint(-50, 600));
    // A panel at the top and a second screen to the right.
    EXPECT_EQ(keptonscreen(QRect(1400, 500, 800, 700), QRect(1280, 32, 1920, 1048)), QPoint(1400, 32 + 1048 - 700));
}
