#include <gtest/gtest.h>
#include <windows.h>

#include "platform/WindowStacking.h"

namespace {

TEST(WindowStacking, TopmostComesAndGoesWithoutMovingTheWindowAndNeedsAWindow) {
    HWND window = CreateWindowExA(0, "STATIC", "Quillbell test", WS_OVERLAPPEDWINDOW, 120, 80, 300,
                                  200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        // Wine without a display driver (no X server, no null driver) makes no windows.
        GTEST_SKIP() << "no window can be created here, error " << GetLastError();
    }
    const auto id = reinterpret_cast<platform::NativeWindowId>(window);
    RECT before{};
    GetWindowRect(window, &before);
    EXPECT_EQ(platform::nativeTopmost(id), false);
    EXPECT_TRUE(platform::setNativeTopmost(id, true));
    EXPECT_EQ(platform::nativeTopmost(id), true);
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(platform::setNativeTopmost(id, false));
    EXPECT_EQ(platform::nativeTopmost(id), false);
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after));

    DestroyWindow(window);
    EXPECT_EQ(platform::nativeTopmost(id), std::nullopt) << "a handle that is no window";
    EXPECT_FALSE(platform::setNativeTopmost(id, true));
}

}  // namespace
