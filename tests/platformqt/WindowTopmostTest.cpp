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
    auto* control = new QWidget(&window_);
    showWindow();
    const QWindow* native = window_.windowHandle();
    const QRect where = window_.geometry();
    for (const bool topmost : {true, false, true}) {
        setWindowTopmost(*control, topmost);  // a control stands for its window
        QCoreApplication::processEvents();
        EXPECT_EQ(isWindowTopmost(window_), topmost);
        EXPECT_EQ(isWindowTopmost(*control), topmost);
        EXPECT_EQ(systemFlag(), topmost);
        EXPECT_TRUE(window_.isVisible());
        EXPECT_EQ(window_.geometry(), where);
        EXPECT_EQ(window_.windowHandle(), native);
    }
    EXPECT_FALSE(control->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    {
        const platform::ScopedNotTopmost lowered(window_);  // while a box is shown
        EXPECT_FALSE(isWindowTopmost(window_));
        EXPECT_FALSE(systemFlag());
    }
    EXPECT_TRUE(isWindowTopmost(window_));
    EXPECT_TRUE(systemFlag());
    EXPECT_TRUE(window_.isVisible());
}

TEST_F(WindowTopmostTest, TheStateSetBeforeShowingReachesTheWindowSystemWithTheWindow) {
    setWindowTopmost(window_, true);
    EXPECT_TRUE(isWindowTopmost(window_));
    EXPECT_FALSE(window_.isVisible()) << "setting the state must not show the window early";
    showWindow();
    EXPECT_TRUE(systemFlag());
}

}  // namespace
