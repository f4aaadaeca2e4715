#include "mainwindow/navbar.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

TEST(NavigationBar, ButtonsAreFortyPixelsAndClicksGiveTheirPage)
{
    NavigationBar bar;
    bar.additem("Overview", 0);
    bar.additem("Tasks", 3);
    bar.additem("Settings", 7);
    EXPECT_EQ(bar.height(), 120);
    EXPECT_EQ(bar.width(), 136);
    bar.show();

    QSignalSpy clicked(&bar, &NavigationBar::buttonclicked);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(60, 45));
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(60, 119));
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(60, 5));
    ASSERT_EQ(clicked.count(), 3);
    EXPECT_EQ(clicked[0][0].toInt(), 3);
    EXPECT_EQ(clicked[1][0].toInt(), 7);
    EXPECT_EQ(clicked[2][0].toInt(), 0);
    EXPECT_EQ(bar.selectedindex(), 0);

    bar.selectimage(5); // a page without a button
    EXPECT_EQ(bar.selectedindex(), -1);
    bar.clear();
    EXPECT_EQ(bar.height(), 0);
}
