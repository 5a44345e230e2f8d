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
    QWidget window_;
};

TEST_F(ScreenPlacementTest, TheWindowSitsAtTheBottomRightWithItsTitleBarOnTheScreen) {
    window_.resize(400, 333);
    platform::placeAtBottomRight(window_);
    EXPECT_EQ(window_.pos(),
              screen_.topLeft() + QPoint(screen_.width() - 400 - 10, screen_.height() - 333 - 30));
    EXPECT_EQ(window_.size(), QSize(400, 333)) << "the size stays";

    window_.resize(screen_.width() + 100, screen_.height() + 100);
    platform::placeAtBottomRight(window_);
    EXPECT_EQ(window_.pos(), screen_.topLeft());
}

TEST_F(ScreenPlacementTest, AShownWindowIsPlacedByItsFrame) {
    window_.resize(300, 200);
    window_.show();
    platform::placeAtBottomRight(window_);
    const QRect frame = window_.frameGeometry();
    EXPECT_EQ(frame.right() + 1, screen_.right() + 1 - 10);
    EXPECT_EQ(frame.bottom() + 1, screen_.bottom() + 1 - 30);
}

TEST_F(ScreenPlacementTest, AWindowPlacedBeforeShowingStaysWhereThePersonMovesItLater) {
    window_.resize(300, 200);
    platform::placeAtBottomRight(window_);
    platform::placeAtBottomRight(window_);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    QCoreApplication::processEvents();
    const QSize frame = window_.frameGeometry().size();
    EXPECT_EQ(window_.frameGeometry().topLeft(),
              screen_.topLeft() + QPoint(screen_.width() - frame.width() - 10,
                                         screen_.height() - frame.height() - 30));
    window_.move(screen_.topLeft() + QPoint(5, 5));
    window_.repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(window_.pos(), screen_.topLeft() + QPoint(5, 5));
}

}  // namespace
