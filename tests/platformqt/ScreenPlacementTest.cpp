#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "platform/qt/ScreenPlacement.h"

namespace {

// At 96 dots per inch (Qt's offscreen screen) the margins are 10 and 30 pixels.
class ScreenPlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::primaryScreen()->logicalDotsPerInch() != 96) {
            GTEST_SKIP() << "made for a screen of 96 dots per inch";
        }
    }
    const QRect screen_ = QGuiApplication::primaryScreen()->geometry();
    QWidget window_;
};

TEST_F(ScreenPlacementTest, AShownWindowIsPlacedByItsFrameAndStaysWhereThePersonMovesIt) {
    window_.resize(300, 200);
    platform::placeAtBottomRight(window_);
    platform::placeAtBottomRight(window_);
    EXPECT_EQ(window_.size(), QSize(300, 200)) << "the size stays";
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    QCoreApplication::processEvents();
    window_.move(screen_.topLeft() + QPoint(5, 5));
    window_.repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(window_.pos(), screen_.topLeft() + QPoint(5, 5)) << "placed once, not again";

    platform::placeAtBottomRight(window_);
    const QRect frame = window_.frameGeometry();
    EXPECT_EQ(frame.right() + 1, screen_.right() + 1 - 10);
    EXPECT_EQ(frame.bottom() + 1, screen_.bottom() + 1 - 30);
}

}  // namespace
