#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "platform/qt/ScreenPlacement.h"

namespace {

// At 96 dots per inch (Qt's offscreen screen) the margins are 10 and 30 pixels.
TEST(ScreenPlacement, AShownWindowIsPlacedByItsFrameAndStaysWhereThePersonMovesIt) {
    if (QGuiApplication::primaryScreen()->logicalDotsPerInch() != 96) {
        GTEST_SKIP() << "made for a screen of 96 dots per inch";
    }
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QWidget window;
    window.resize(300, 200);
    platform::placeAtBottomRight(window);
    platform::placeAtBottomRight(window);
    EXPECT_EQ(window.size(), QSize(300, 200)) << "the size stays";
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    window.move(screen.topLeft() + QPoint(5, 5));
    window.repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.pos(), screen.topLeft() + QPoint(5, 5)) << "placed once, not again";

    platform::placeAtBottomRight(window);
    const QRect frame = window.frameGeometry();
    EXPECT_EQ(frame.right() + 1, screen.right() + 1 - 10);
    EXPECT_EQ(frame.bottom() + 1, screen.bottom() + 1 - 30);
}

}  // namespace
