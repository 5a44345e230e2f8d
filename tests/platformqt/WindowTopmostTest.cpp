#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <QWindow>

#include "platform/qt/ScopedNotTopmost.h"
#include "platform/qt/WindowTopmost.h"

namespace {

using platform::isWindowTopmost;
using platform::setWindowTopmost;

class WindowTopmostTest : public ::testing::Test {
protected:
    void SetUp() override { window_.setGeometry(120, 80, 320, 200); }
    void showWindow() {
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }
    // What the window system hears of it.
    bool systemFlag() const {
        return window_.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
    }

    QWidget window_;
};

TEST_F(WindowTopmostTest, AShownWindowChangesStateWithoutHidingMovingOrBeingRecreated) {
    showWindow();
    const QWindow* native = window_.windowHandle();
    const QRect where = window_.geometry();
    for (const bool topmost : {true, false, true}) {
        setWindowTopmost(window_, topmost);
        QCoreApplication::processEvents();
        EXPECT_EQ(isWindowTopmost(window_), topmost);
        EXPECT_EQ(systemFlag(), topmost);
        EXPECT_TRUE(window_.isVisible());
        EXPECT_EQ(window_.geometry(), where);
        EXPECT_EQ(window_.windowHandle(), native);
    }
}

TEST_F(WindowTopmostTest, TheStateSetBeforeShowingReachesTheWindowSystemWithTheWindow) {
    setWindowTopmost(window_, true);
    EXPECT_TRUE(isWindowTopmost(window_));
    EXPECT_FALSE(window_.isVisible()) << "setting the state must not show the window early";
    showWindow();
    EXPECT_TRUE(systemFlag());
    EXPECT_TRUE(isWindowTopmost(window_));
}

TEST_F(WindowTopmostTest, AControlStandsForItsWindow) {
    auto* child = new QWidget(&window_);
    showWindow();
    setWindowTopmost(*child, true);
    EXPECT_TRUE(isWindowTopmost(window_));
    EXPECT_TRUE(isWindowTopmost(*child));
    EXPECT_FALSE(child->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(WindowTopmostTest, LoweringLastsAsLongAsTheBoxAndEndsOnTop) {
    showWindow();
    setWindowTopmost(window_, true);
    {
        const platform::ScopedNotTopmost lowered(window_);
        EXPECT_FALSE(isWindowTopmost(window_));
        EXPECT_FALSE(systemFlag());
    }
    EXPECT_TRUE(isWindowTopmost(window_));
    EXPECT_TRUE(systemFlag());
    EXPECT_TRUE(window_.isVisible());
}

}  // namespace
