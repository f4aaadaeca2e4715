#include "mainwindow/ui/navbar.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
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

TEST(NavigationBar, TheKeyboardReachesAndUsesTheButtons)
{
    QWidget window;
    auto *before = new QLineEdit(&window);
    auto *bar = new NavigationBar(&window);
    auto *after = new QPushButton(QStringLiteral("About..."), &window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(before);
    layout->addWidget(bar);
    layout->addWidget(after);
    for (const auto &[caption, page] : {std::pair{"Overview", 0}, {"Calendar", 2}, {"Marks", 4}, {"Settings", 7}})
        bar->additem(QLatin1String(caption), page);
    bar->selectimage(4);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy clicked(bar, &NavigationBar::buttonclicked);
    auto key = [](Qt::Key k, Qt::KeyboardModifiers m = {}) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), k, m);
    };

    // Tab reaches the bar, at the shown page's button, and shows where it is.
    before->setFocus();
    const QImage unfocused = bar->grab().toImage();
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), bar);
    EXPECT_EQ(bar->focusedindex(), 2);
    EXPECT_NE(bar->grab().toImage(), unfocused);

    // The arrows move between the buttons and stop at the ends; they open nothing.
    key(Qt::Key_Up);
    key(Qt::Key_Left);
    EXPECT_EQ(bar->focusedindex(), 0);
    key(Qt::Key_Up);
    EXPECT_EQ(bar->focusedindex(), 0);
    key(Qt::Key_Down);
    EXPECT_EQ(bar->focusedindex(), 1);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(bar->selectedindex(), 2);

    // Space or Enter opens the page of the button.
    key(Qt::Key_Space);
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    EXPECT_EQ(bar->focusedindex(), 3);
    key(Qt::Key_Return);
    key(Qt::Key_Up);
    key(Qt::Key_Enter);
    ASSERT_EQ(clicked.count(), 3);
    EXPECT_EQ(clicked[0][0].toInt(), 2);
    EXPECT_EQ(clicked[1][0].toInt(), 7);
    EXPECT_EQ(clicked[2][0].toInt(), 4);
    EXPECT_EQ(bar->selectedindex(), 2);

    // Tab leaves the bar for the next control, Shift+Tab comes back.
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), bar);

    // A click moves the keyboard's place too.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(60, 5));
    EXPECT_EQ(bar->focusedindex(), 0);
    key(Qt::Key_Down);
    key(Qt::Key_Space);
    EXPECT_EQ(clicked.last()[0].toInt(), 2);
}
