#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"
#include "platform/OsVersion.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"
#include "platform/WindowStacking.h"
#include "support/TestRegistry.h"

namespace {

TEST(Win32Registry, RootValuesReachThePredefinedKeysAndHandlesAreNative) {
    testsupport::ScopedTestRegistry scope;
    auto& registry = platform::registry();
    const char* path = "Software\\Orvane\\Quillbell";
    const std::pair<platform::HKEY, ::HKEY> roots[] = {
        {platform::kHkeyCurrentUser, HKEY_CURRENT_USER},
        {platform::kHkeyLocalMachine, HKEY_LOCAL_MACHINE}};
    for (const auto& [root, native] : roots) {
        platform::HKEY key = platform::kNullKey;
        ASSERT_EQ(registry.CreateKeyEx(root, path, platform::kKeyWriteAccess, &key, nullptr), 0);
        // Written through the handle as a native one, read under the predefined key.
        ASSERT_EQ(RegSetValueExA(reinterpret_cast<::HKEY>(key), "HomeDir", 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>("C:\\Quillbell"), 13),
                  0);
        EXPECT_EQ(registry.CloseKey(key), 0);
        char buffer[64] = {};
        DWORD size = sizeof buffer;
        ASSERT_EQ(RegGetValueA(native, path, "HomeDir", RRF_RT_REG_SZ, nullptr, buffer, &size), 0);
        EXPECT_EQ(std::string(buffer), "C:\\Quillbell");
    }
}

TEST(Win32Platform, ReportsTheNtFamilyAndTheAnsiCodePageOfWindows) {
    EXPECT_EQ(platform::osPlatformId(), 2);
    const auto system = platform::createSystemCodePage();
    ASSERT_TRUE(system);
    EXPECT_EQ(system->number(), static_cast<int>(GetACP()));
    const auto numbered = platform::createCodePage(system->number());
    ASSERT_TRUE(numbered) << "the system's page is also available by number";
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(system->fromAnsi(one), numbered->fromAnsi(one)) << byte;
    }
}

TEST(MutexSingleInstance, ASecondClaimSeesTheFirstUntilItEndsAndOtherNamesDoNotMeet) {
    // A name of this test run alone, so that a running program cannot meet it.
    const std::string name = "Quillbell-Test-" + std::to_string(GetCurrentProcessId());
    auto first = platform::claimSingleInstance(name);
    EXPECT_TRUE(first->isFirst());
    EXPECT_TRUE(platform::claimSingleInstance(name + "-other")->isFirst());
    EXPECT_FALSE(platform::claimSingleInstance(name)->isFirst())
        << "a refused claim must not release the first one's";
    first.reset();
    EXPECT_TRUE(platform::claimSingleInstance(name)->isFirst());
}

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
    for (const bool topmost : {true, false}) {
        EXPECT_TRUE(platform::setNativeTopmost(id, topmost));
        EXPECT_EQ(platform::nativeTopmost(id), topmost);
        EXPECT_EQ((GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, topmost);
    }
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    DestroyWindow(window);
    EXPECT_EQ(platform::nativeTopmost(id), std::nullopt) << "a handle that is no window";
    EXPECT_FALSE(platform::setNativeTopmost(id, true));
}

}  // namespace
