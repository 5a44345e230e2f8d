// What only Windows has: hidden and system files, files locked by another program, and
// file names outside the code page.

#include <windows.h>

#include "../LanguageFileTest.h"

namespace langtest {
namespace {

using WindowsFileTest = LanguageFileTest;

TEST_F(WindowsFileTest, HiddenSystemAndLockedFilesAreNoLanguageFilesButReadOnlyOnesAre) {
    const struct {
        const char* name;
        DWORD attributes;
        const char* expected;
    } files[] = {{"hidden.lng", FILE_ATTRIBUTE_HIDDEN, "OK"},
                 {"system.lng", FILE_ATTRIBUTE_SYSTEM, "OK"},
                 {"readonly.lng", FILE_ATTRIBUTE_READONLY, "ReadOnly"}};
    for (const auto& file : files) {
        const auto path = writeFile(file.name, "ConfigWin_Ok = \"ReadOnly\"\r\n");
        ASSERT_TRUE(SetFileAttributesW((dir_ / file.name).c_str(), file.attributes));
        modMessages::LoadMessages(path);
        EXPECT_EQ(modMessages::Message("ConfigWin_Ok"), file.expected) << file.name;
        SetFileAttributesW((dir_ / file.name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    expectBoxes(0);
    modMessages::LoadMessages(
        writeFile("\xE6\x97\xA5\xE6\x9C\xAC.lng", "ConfigWin_Ok = \"Hai\"\r\n"));
    EXPECT_EQ(modMessages::Message("ConfigWin_Ok"), "Hai");

    const auto path = writeFile("locked.lng", "Key = \"value\"\r\n");
    const HANDLE lock = CreateFileW((dir_ / "locked.lng").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const bool read = modReadLang::ReadInterface(path);
    CloseHandle(lock);
    EXPECT_FALSE(read);
    expectBoxes(1, panicBox("ReadInterface", 70, "Permission denied"));
}

}  // namespace
}  // namespace langtest
