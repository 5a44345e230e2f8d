// Files that exist but cannot be read, which only a POSIX system lets a test make.

#include <gtest/gtest.h>

#include <fstream>

#include "../LanguageFileTest.h"
#include "lang/modMessages.h"
#include "lang/modReadLang.h"

namespace langtest {
namespace {

using UnreadableFileTest = LanguageFileTest;

// Reading process memory at address 0 fails with EIO, for root too.
constexpr const char* kFailsOnRead = "/proc/self/mem";

TEST_F(UnreadableFileTest, ReadErrorIsReportedAsDeviceError) {
    ASSERT_TRUE(modReadLang::ReadInterface(writeFile("good.lng", "Kept = \"no\"\r\n")));

    EXPECT_FALSE(modReadLang::ReadInterface(kFailsOnRead));

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, panicBox("ReadInterface", 57, "Device I/O error"));
    EXPECT_TRUE(modReadLang::InterfaceVars().empty());
}

TEST_F(UnreadableFileTest, LoadMessagesLeavesTextsAfterAReadError) {
    modMessages::LoadMessages(writeFile("first.lng", "ConfigWin_Ok = \"Bien\"\r\n"));
    ASSERT_EQ(modMessages::Message("ConfigWin_Ok"), "Bien");

    modMessages::LoadMessages(kFailsOnRead);

    EXPECT_EQ(modMessages::Message("ConfigWin_Ok"), "Bien");
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(UnreadableFileTest, FileWithoutReadPermissionIsReported) {
    const auto path = writeFile("locked.lng", "Key = \"value\"\r\n");
    std::filesystem::permissions(dir_ / "locked.lng", std::filesystem::perms::none);
    if (std::ifstream(dir_ / "locked.lng").is_open()) {
        GTEST_SKIP() << "this user reads files regardless of their permissions (root)";
    }

    EXPECT_FALSE(modReadLang::ReadInterface(path));

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, panicBox("ReadInterface", 70, "Permission denied"));
}

TEST_F(UnreadableFileTest, FolderWithoutSearchPermissionIsReported) {
    std::filesystem::create_directory(dir_ / "closed");
    const auto path = writeFile("closed/inside.lng", "Key = \"value\"\r\n");
    std::filesystem::permissions(dir_ / "closed", std::filesystem::perms::none);
    if (std::ifstream(dir_ / "closed" / "inside.lng").is_open()) {
        GTEST_SKIP() << "this user reads files regardless of their permissions (root)";
    }

    EXPECT_FALSE(modReadLang::ReadInterface(path));

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, panicBox("ReadInterface", 70, "Permission denied"));
}

}  // namespace
}  // namespace langtest
