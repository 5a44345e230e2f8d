#include <gtest/gtest.h>
#include <windows.h>

#include "platform/WindowStacking.h"

namespace {

class WindowStackingTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = CreateWindowExA(0, "STATIC", "Quillbell test", WS_OVERLAPPEDWINDOW, 120, 80, 300,
                                  200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (window_ == nullptr) {
            // Wine without a display driver (no X server, no null driver) makes no windows.
            GTEST_SKIP() << "no window can be created here, error " << GetLastError();
        }
    }
    void TearDown() override {
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
    }

    platform::NativeWindowId id() const {
        return reinterpret_cast<platform::NativeWindowId>(window_);
    }
    RECT rect() const {
        RECT r{};
        GetWindowRect(window_, &r);
        return r;
    }

    HWND window_ = nullptr;
};

TEST_F(WindowStackingTest, TopmostComesAndGoesWithoutMovingTheWindow) {
    const RECT before = rect();
    EXPECT_EQ(platform::nativeTopmost(id()), false);
    EXPECT_TRUE(platform::setNativeTopmost(id(), true));
    EXPECT_EQ(platform::nativeTopmost(id()), true);
    EXPECT_TRUE(GetWindowLongPtrA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(platform::setNativeTopmost(id(), false));
    EXPECT_EQ(platform::nativeTopmost(id()), false);
    const RECT after = rect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(WindowStackingTest, AHandleThatIsNoWindowHasNoState) {
    DestroyWindow(window_);
    EXPECT_EQ(platform::nativeTopmost(id()), std::nullopt);
    EXPECT_FALSE(platform::setNativeTopmost(id(), true));
    window_ = nullptr;
}

}  // namespace
