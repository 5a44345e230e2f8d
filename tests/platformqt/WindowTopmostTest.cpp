#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <QWindow>

#include "platform/qt/WindowTopmost.h"

namespace {

using platform::isWindowTopmost;
using platform::setWindowTopmost;

// What the window system hears of it.
bool systemFlag(const QWidget& window) {
    return window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
}

TEST(WindowTopmost, TheStateReachesTheWindowSystemWithoutShowingHidingMovingOrRecreating) {
    QWidget window;
    window.setGeometry(120, 80, 320, 200);
    setWindowTopmost(window, true);
    EXPECT_TRUE(isWindowTopmost(window));
    EXPECT_FALSE(window.isVisible()) << "setting the state must not show the window early";
    auto* control = new QWidget(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(systemFlag(window)) << "the state set before showing";
    const QWindow* native = window.windowHandle();
    const QRect where = window.geometry();
    for (const bool topmost : {false, true}) {
        setWindowTopmost(*control, topmost);  // a control stands for its window
        QCoreApplication::processEvents();
        EXPECT_EQ(isWindowTopmost(window), topmost);
        EXPECT_EQ(isWindowTopmost(*control), topmost);
        EXPECT_EQ(systemFlag(window), topmost);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.geometry(), where);
        EXPECT_EQ(window.windowHandle(), native);
    }
    EXPECT_FALSE(control->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace
