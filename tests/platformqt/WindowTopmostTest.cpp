#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <QWindow>

#include "platform/qt/ScopedNotTopmost.h"
#include "platform/qt/WindowTopmost.h"

namespace {

class WindowTopmostTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_.setGeometry(120, 80, 320, 200);
        child_ = new QWidget(&window_);
    }
    void showWindow() {
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }
    bool windowSystemFlag() const {
        return window_.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
    }

    QWidget window_;
    QWidget* child_ = nullptr;
};

TEST_F(WindowTopmostTest, AShownWindowChangesStateWithoutHidingMovingOrBeingRecreated) {
    showWindow();
    const QWindow* native = window_.windowHandle();
    const QRect where = window_.geometry();
    for (const bool topmost : {true, false, true}) {
        platform::setWindowTopmost(window_, topmost);
        QCoreApplication::processEvents();
        EXPECT_EQ(platform::isWindowTopmost(window_), topmost);
        EXPECT_EQ(windowSystemFlag(), topmost) << "the window system must hear of it";
        EXPECT_TRUE(window_.isVisible());
        EXPECT_EQ(window_.geometry(), where);
        EXPECT_EQ(window_.windowHandle(), native);
    }
}

TEST_F(WindowTopmostTest, TheStateSetBeforeShowingReachesTheWindowSystemWithTheWindow) {
    platform::setWindowTopmost(window_, true);
    EXPECT_TRUE(platform::isWindowTopmost(window_));
    EXPECT_FALSE(window_.isVisible()) << "setting the state must not show the window early";
    showWindow();
    EXPECT_TRUE(windowSystemFlag());
    EXPECT_TRUE(platform::isWindowTopmost(window_));
}

TEST_F(WindowTopmostTest, AControlStandsForItsWindow) {
    showWindow();
    platform::setWindowTopmost(*child_, true);
    EXPECT_TRUE(platform::isWindowTopmost(window_));
    EXPECT_TRUE(platform::isWindowTopmost(*child_));
    EXPECT_FALSE(child_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(WindowTopmostTest, LoweringLastsAsLongAsTheBoxAndEndsOnTop) {
    showWindow();
    platform::setWindowTopmost(window_, true);
    {
        const platform::ScopedNotTopmost lowered(window_);
        EXPECT_FALSE(platform::isWindowTopmost(window_));
        EXPECT_FALSE(windowSystemFlag());
    }
    EXPECT_TRUE(platform::isWindowTopmost(window_));
    EXPECT_TRUE(windowSystemFlag());
    EXPECT_TRUE(window_.isVisible());
}

}  // namespace
