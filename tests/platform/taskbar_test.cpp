#include "platform/taskbar.h"

#include <gtest/gtest.h>

TEST(Taskbar, TheEdgeThePanelLiesOn)
{
    const QRect screen(0, 0, 1920, 1080);
    QRect bar;
    EXPECT_EQ(gettaskbarposition(screen, QRect(0, 0, 1920, 1040), &bar), 1);
    EXPECT_EQ(bar, QRect(0, 1040, 1920, 40));
    EXPECT_EQ(gettaskbarposition(screen, QRect(0, 32, 1920, 1048)), 0);
    EXPECT_EQ(gettaskbarposition(screen, QRect(64, 0, 1856, 1080)), 2);
    EXPECT_EQ(gettaskbarposition(screen, QRect(0, 0, 1856, 1080), &bar), 3);
    EXPECT_EQ(bar.left(), 1856);
    EXPECT_EQ(gettaskbarposition(screen, screen), -1);
    // A second screen to the right of the first.
    EXPECT_EQ(gettaskbarposition(QRect(1920, 0, 1280, 1024), QRect(1920, 0, 1280, 990)), 1);
    // A top bar and a bottom dock: the dock is the answer, as bottom is tested first.
    EXPECT_EQ(gettaskbarposition(screen, QRect(0, 32, 1920, 1000), &bar), 1);
    EXPECT_EQ(bar, QRect(0, 1032, 1920, 48));
}
