// What only Windows has: hidden and system files, and files locked by another program.

#include <windows.h>

#include <gtest/gtest.h>

#include "../LanguageFileTest.h"
#include "lang/modMessages.h"
#include "lang/modReadLang.h"

namespace langtest {
namespace {

using WindowsFileTest = LanguageFileTest;

TEST_F(WindowsFileTest, HiddenAndSystemFilesAreNoLanguageFiles) {
    const auto hidden = writeFile("hidden.lng", "ConfigWin_Ok = \"Hidden\"\r\n");
    ASSERT_TRUE(SetFileAttributesW((dir_ / "hidden.lng").c_str(), FILE_ATTRIBUTE_HIDDEN));
    const auto system = writeFile("system.lng", "ConfigWin_Ok = \"System\"\r\n");
    ASSERT_TRUE(SetFileAttributesW((dir_ / "system.lng").c_str(), FILE_ATTRIBUTE_SYSTEM));

    modMessages::LoadMessages(hidden);
    modMessages::LoadMessages(system);

    EXPECT_EQ(modMessages::Message("ConfigWin_Ok"), "OK");
    EXPECT_TRUE(boxes().empty());

    const auto readOnly = writeFile("readonly.lng", "ConfigWin_Ok = \"ReadOnly\"\r\n");
    ASSERT_TRUE(SetFileAttributesW((dir_ / "readonly.lng").c_str(), FILE_ATTRIBUTE_READONLY));
    modMessages::LoadMessages(readOnly);
    EXPECT_EQ(modMessages::Message("ConfigWin_Ok"), "ReadOnly");
    SetFileAttributesW((dir_ / "readonly.lng").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WindowsFileTest, FileLockedByAnotherProgramIsReported) {
    const auto path = writeFile("locked.lng", "Key = \"value\"\r\n");
    const HANDLE lock = CreateFileW((dir_ / "locked.lng").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    const bool read = modReadLang::ReadInterface(path);
    CloseHandle(lock);

    EXPECT_FALSE(read);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, panicBox("ReadInterface", 70, "Permission denied"));
}

TEST_F(WindowsFileTest, FileNamesWithCharactersOutsideTheCodePageAreRead) {
    const auto path = writeFile("\xE6\x97\xA5\xE6\x9C\xAC.lng", "ConfigWin_Ok = \"Hai\"\r\n");

    modMessages::LoadMessages(path);

    EXPECT_EQ(modMessages::Message("ConfigWin_Ok"), "Hai");
}

}  // namespace
}  // namespace langtest
