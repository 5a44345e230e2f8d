// What only the Windows backend can show: that the interface's root values reach the
// real predefined keys, and that the system code page and version come from Windows.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"
#include "platform/OsVersion.h"
#include "platform/Registry.h"
#include "support/TestRegistry.h"

namespace {

const std::string kPath = "Software\\Orvane\\Quillbell";

// Writes through the interface under `root`, reads back with advapi32 under `native`.
void expectRootReaches(platform::HKEY root, ::HKEY native) {
    auto& registry = platform::registry();
    platform::HKEY key = platform::kNullKey;
    std::uint32_t disposition = 0;
    ASSERT_EQ(registry.CreateKeyEx(root, kPath, platform::kKeyWriteAccess, &key, &disposition), 0);
    EXPECT_EQ(disposition, platform::kCreatedNewKey);
    const std::string data = "C:\\Quillbell";
    EXPECT_EQ(registry.SetValueEx(key, "HomeDir", platform::regtype::kSz,
                                  reinterpret_cast<const std::uint8_t*>(data.c_str()),
                                  static_cast<std::uint32_t>(data.size() + 1)),
              0);
    EXPECT_EQ(registry.CloseKey(key), 0);

    char buffer[64] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    ASSERT_EQ(RegGetValueA(native, kPath.c_str(), "HomeDir", RRF_RT_ANY, &type, buffer, &size), 0);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(buffer), data);
}

TEST(Win32Registry, RootValuesReachThePredefinedKeys) {
    testsupport::ScopedTestRegistry scope;
    expectRootReaches(platform::kHkeyCurrentUser, HKEY_CURRENT_USER);
    expectRootReaches(platform::kHkeyLocalMachine, HKEY_LOCAL_MACHINE);
}

TEST(Win32Registry, OpenedHandlesAreTheNativeHandles) {
    testsupport::ScopedTestRegistry scope;
    auto& registry = platform::registry();
    platform::HKEY key = platform::kNullKey;
    ASSERT_EQ(registry.CreateKeyEx(platform::kHkeyCurrentUser, kPath, platform::kKeyWriteAccess,
                                   &key, nullptr),
              0);
    const DWORD number = 300;
    ASSERT_EQ(RegSetValueExA(reinterpret_cast<::HKEY>(key), "CheckTime", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&number), sizeof number),
              0);
    std::uint32_t type = 0;
    std::uint32_t read = 0;
    std::uint32_t count = sizeof read;
    EXPECT_EQ(registry.QueryValueEx(key, "CheckTime", &type, reinterpret_cast<std::uint8_t*>(&read),
                                    &count),
              0);
    EXPECT_EQ(type, platform::regtype::kDword);
    EXPECT_EQ(read, 300u);
    EXPECT_EQ(registry.CloseKey(key), 0);
}

TEST(Win32Platform, ReportsTheNtFamily) {
    EXPECT_EQ(platform::osPlatformId(), 2);
}

TEST(Win32Platform, SystemCodePageIsTheAnsiCodePageOfWindows) {
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

}  // namespace
