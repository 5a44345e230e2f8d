#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "platform/qt/ScreenPlacement.h"

namespace {

// Qt's offscreen screen has 96 dots per inch: 15 twips per pixel, so the margins are 10
// and 30 pixels.
class ScreenPlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        QScreen* screen = QGuiApplication::primaryScreen();
        ASSERT_NE(screen, nullptr);
        if (screen->logicalDotsPerInch() != 96) {
            GTEST_SKIP() << "made for a screen of 96 dots per inch";
        }
        screen_ = screen->geometry();
    }
    QRect screen_;
};

TEST_F(ScreenPlacementTest, TheWindowSitsAtTheBottomRightClearOfTheTaskBar) {
    QWidget window;
    window.resize(400, 333);
    platform::placeAtBottomRight(window);
    EXPECT_EQ(window.pos(),
              screen_.topLeft() + QPoint(screen_.width() - 400 - 10, screen_.height() - 333 - 30));
    EXPECT_EQ(window.size(), QSize(400, 333)) << "the size stays";
}

TEST_F(ScreenPlacementTest, AShownWindowIsPlacedByItsFrame) {
    QWidget window;
    window.resize(300, 200);
    window.show();
    platform::placeAtBottomRight(window);
    const QRect frame = window.frameGeometry();
    EXPECT_EQ(frame.right() + 1, screen_.right() + 1 - 10);
    EXPECT_EQ(frame.bottom() + 1, screen_.bottom() + 1 - 30);
}

TEST_F(ScreenPlacementTest, AWindowPlacedBeforeShowingStaysWhereThePersonMovesItLater) {
    QWidget window;
    window.resize(300, 200);
    platform::placeAtBottomRight(window);
    platform::placeAtBottomRight(window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    const QPoint placed =
        screen_.topLeft() + QPoint(screen_.width() - window.frameGeometry().width() - 10,
                                   screen_.height() - window.frameGeometry().height() - 30);
    EXPECT_EQ(window.frameGeometry().topLeft(), placed);
    window.move(screen_.topLeft() + QPoint(5, 5));
    window.repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.pos(), screen_.topLeft() + QPoint(5, 5));
}

TEST_F(ScreenPlacementTest, AWindowLargerThanTheScreenKeepsItsTitleBarOnIt) {
    QWidget window;
    window.resize(screen_.width() + 100, screen_.height() + 100);
    platform::placeAtBottomRight(window);
    EXPECT_EQ(window.pos(), screen_.topLeft());
}

}  // namespace
