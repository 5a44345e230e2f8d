// Files that exist but cannot be read, which only a POSIX system lets a test make.

#include "../LanguageFileTest.h"

namespace langtest {
namespace {

using UnreadableFileTest = LanguageFileTest;

TEST_F(UnreadableFileTest, ReadErrorsAndMissingPermissionsAreReportedOnce) {
    modMessages::LoadMessages(writeFile("first.lng", "ConfigWin_Ok = \"Bien\"\r\n"));
    // Reading process memory at address 0 fails with EIO, for root too.
    modMessages::LoadMessages("/proc/self/mem");
    expectBoxes(1, panicBox("ReadInterface", 57, "Device I/O error"));
    EXPECT_TRUE(modReadLang::InterfaceVars().empty());
    EXPECT_EQ(modMessages::Message("ConfigWin_Ok"), "Bien");

    std::filesystem::create_directory(dir_ / "closed");
    const std::string paths[] = {writeFile("locked.lng", "Key = \"value\"\r\n"),
                                 writeFile("closed/inside.lng", "Key = \"value\"\r\n")};
    std::filesystem::permissions(dir_ / "locked.lng", std::filesystem::perms::none);
    std::filesystem::permissions(dir_ / "closed", std::filesystem::perms::none);
    if (std::ifstream(dir_ / "locked.lng").is_open()) {
        GTEST_SKIP() << "this user reads files regardless of their permissions (root)";
    }
    for (const auto& path : paths) {
        EXPECT_FALSE(modReadLang::ReadInterface(path)) << path;
        expectBoxes(1, panicBox("ReadInterface", 70, "Permission denied"));
    }
}

}  // namespace
}  // namespace langtest
