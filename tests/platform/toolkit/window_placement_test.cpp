#include "platform/toolkit/window_placement.h"

#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QRect roomOf(const QWidget& window)
{
    return window.screen()->availableGeometry();
}

TEST(PlaceBeside, StandsEightPixelsRightOfTheOwnerWithTheirTopsLevel)
{
    QWidget owner;
    owner.setGeometry(100, 50, 300, 200);
    QWidget window;
    window.resize(200, 150);
    platform::PlaceBeside(window, owner);
    // The owner's last column is 399.
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(407, 50));
}

TEST(PlaceBeside, MovesBackOntoTheScreenWhereItWouldRunOff)
{
    QWidget owner;
    owner.resize(300, 200);
    const QRect room = roomOf(owner);
    owner.move(room.right() - 100, room.bottom() - 50);
    QWidget window;
    window.resize(200, 150);
    platform::PlaceBeside(window, owner);
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(room.right() - 200, room.bottom() - 150));
}

TEST(PlaceBeside, AWindowTallerThanTheScreenKeepsItsTopOnTheScreensTop)
{
    QWidget owner;
    owner.resize(300, 200);
    const QRect room = roomOf(owner);
    owner.move(room.left(), room.top() + 100);
    QWidget window;
    window.resize(200, room.height() + 100);
    platform::PlaceBeside(window, owner);
    EXPECT_EQ(window.frameGeometry().top(), room.top());
}

} // namespace
