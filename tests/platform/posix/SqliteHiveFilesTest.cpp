// Where the hive files go, the permissions they are made with, and that reading never
// brings a file or directory into existence.

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

#include "ScopedEnv.h"
#include "SqliteStoreFixture.h"
#include "platform/sqlite/HiveFiles.h"
#include "support/TestRegistry.h"

namespace sqlitestoretest {
namespace {

using namespace platform;

// Empty and relative settings do not count, as the XDG rules say.
TEST(HiveFileLocations, FollowTheXdgVariablesReadAtEachCall) {
    const platformtest::ScopedEnv home("HOME", "/home/tester");
    struct {
        std::optional<std::string> configHome, configDirs;
        const char *userFile, *machineFile;
    } const cases[] = {
        {std::nullopt, std::nullopt, "/home/tester/.config", "/etc/xdg"},
        {"/cfg", "/first:/second", "/cfg", "/first"},
        {"relative/cfg", ":relative:/third", "/home/tester/.config", "/third"},
    };
    for (const auto& c : cases) {
        const platformtest::ScopedEnv configHome("XDG_CONFIG_HOME", c.configHome);
        const platformtest::ScopedEnv configDirs("XDG_CONFIG_DIRS", c.configDirs);
        const HiveFiles files = defaultHiveFiles();
        EXPECT_EQ(files.userFile,
                  std::string(c.userFile) + "/Orvane/Quillbell/user-registry.sqlite3");
        EXPECT_EQ(files.machineFile,
                  std::string(c.machineFile) + "/Orvane/Quillbell/machine-registry.sqlite3");
        EXPECT_FALSE(files.machineReadOnly);
    }
}

TEST(HiveFileLocations, ThePlatformRegistryWritesWhereTheEnvironmentPoints) {
    testsupport::ScopedTestRegistry scope;
    const HKEY key = createKey(registry(), kHkeyCurrentUser, "Software\\Orvane\\Quillbell");
    EXPECT_EQ(setText(registry(), key, "ConfNumber", "1"), 0);
    registry().CloseKey(key);
    EXPECT_TRUE(std::filesystem::exists(scope.scratchDir() / "home" / ".config" / "Orvane" /
                                        "Quillbell" / "user-registry.sqlite3"));
    EXPECT_FALSE(std::filesystem::exists(scope.scratchDir() / "xdg"));
}

class HiveFilePermissions : public SqliteStoreTest {};

TEST_F(HiveFilePermissions, TheUserHiveIsMadeForItsOwnerAloneWhateverTheUmask) {
    // A umask that would take the owner's own execute bit off the directories.
    const mode_t oldMask = umask(0177);
    {
        auto registry = makeRegistry();
        const HKEY key = createKey(*registry, kHkeyCurrentUser, "Software\\Orvane");
        ASSERT_EQ(setText(*registry, key, "Password0", "secret"), 0);
        // SQLite's side files exist while the connection is open, and hold data too.
        for (const char* suffix : {"-wal", "-shm"}) {
            auto side = userFile_;
            side += suffix;
            ASSERT_TRUE(std::filesystem::exists(side)) << side;
            EXPECT_EQ(permissionsOf(side), 0600u) << side;
        }
        registry->CloseKey(key);
    }
    umask(oldMask);
    EXPECT_EQ(permissionsOf(userFile_), 0600u);
    EXPECT_EQ(permissionsOf(userFile_.parent_path()), 0700u);
    EXPECT_EQ(permissionsOf(userFile_.parent_path().parent_path()), 0700u);
    EXPECT_EQ(permissionsOf(scratch_ / "home" / ".config"), 0700u);
}

TEST_F(HiveFilePermissions, TheMachineHiveIsMadeReadableForEveryone) {
    const mode_t oldMask = umask(077);
    {
        auto registry = makeRegistry();
        const HKEY key = createKey(*registry, kHkeyLocalMachine, "Software\\Orvane\\Quillbell");
        EXPECT_EQ(setText(*registry, key, "Version", "1.0"), 0);
        registry->CloseKey(key);
    }
    umask(oldMask);
    EXPECT_EQ(permissionsOf(machineFile_), 0644u);
    EXPECT_EQ(permissionsOf(machineFile_.parent_path()), 0755u);
}

TEST_F(HiveFilePermissions, AnExistingDirectoryKeepsItsMode) {
    std::filesystem::create_directories(userFile_.parent_path());
    chmod(userFile_.parent_path().c_str(), 0750);
    auto registry = makeRegistry();
    registry->CloseKey(createKey(*registry, kHkeyCurrentUser, "Software"));
    EXPECT_EQ(permissionsOf(userFile_.parent_path()), 0750u);
    EXPECT_EQ(permissionsOf(userFile_), 0600u);
}

// As ssh treats its own files: a link in place of a hive or its directory, or a hive of
// another owner (root may own the machine hive), is refused with access denied and left.
class HiveFileTrust : public SqliteStoreTest {};

TEST_F(HiveFileTrust, ALinkedOrForeignHiveIsRefusedAndLeftAlone) {
    const auto elsewhere = scratch_ / "elsewhere";
    std::vector<std::function<void(const std::filesystem::path&)>> plants = {
        [&](const auto& file) {
            std::filesystem::remove(file);
            std::filesystem::create_symlink(elsewhere / "x", file);
        },
        [&](const auto& file) {
            std::filesystem::remove_all(file.parent_path());
            std::filesystem::create_directory_symlink(elsewhere, file.parent_path());
        },
    };
    // Only root can hand a file to another user.
    if (geteuid() == 0) {
        plants.emplace_back(
            [](const auto& file) { EXPECT_EQ(chown(file.c_str(), 65534, 65534), 0); });
        plants.emplace_back([](const auto& file) {
            EXPECT_EQ(chown(file.parent_path().c_str(), 65534, 65534), 0);
        });
    }
    for (const HKEY root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
        for (const auto& plant : plants) {
            std::filesystem::remove_all(scratch_);
            writeFileBytes(elsewhere / "x", "someone's");
            auto registry = makeRegistry();
            registry->CloseKey(createKey(*registry, root, "Software"));
            registry.reset();
            const auto& file = root == kHkeyCurrentUser ? userFile_ : machineFile_;
            plant(file);
            const auto before = treeBelow(scratch_);
            registry = makeRegistry();
            HKEY key = 0;
            EXPECT_EQ(registry->OpenKeyEx(root, "Software", kKeyRead, &key),
                      winerror::kAccessDenied);
            EXPECT_EQ(registry->CreateKeyEx(root, "New", kKeyWriteAccess, &key, nullptr),
                      winerror::kAccessDenied);
            registry.reset();
            EXPECT_EQ(treeBelow(scratch_), before);
            EXPECT_EQ(fileBytes(elsewhere / "x"), "someone's");
        }
    }
}

class ReadingCreatesNothing : public SqliteStoreTest {};

TEST_F(ReadingCreatesNothing, NoCallThatOnlyReadsMakesAFileOrDirectory) {
    auto registry = makeRegistry();
    for (const HKEY root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
        HKEY key = 0xbad;
        EXPECT_EQ(registry->OpenKeyEx(root, "Software\\Orvane\\Quillbell", kKeyRead, &key),
                  winerror::kFileNotFound);
        EXPECT_EQ(key, 0u);
        EXPECT_EQ(registry->OpenKeyEx(root, "Software", kKeyWriteAccess, &key),
                  winerror::kFileNotFound);

        // The root itself can be opened, queried and walked, and is empty.
        ASSERT_EQ(registry->CreateKeyEx(root, "", kKeyWriteAccess, &key, nullptr), 0);
        std::uint32_t size = 7;
        EXPECT_EQ(registry->QueryValueEx(key, "HomeDir", nullptr, nullptr, &size),
                  winerror::kFileNotFound);
        EXPECT_EQ(registry->QueryValueEx(root, "HomeDir", nullptr, nullptr, &size),
                  winerror::kFileNotFound);
        KeyInfo info;
        info.subKeys = 99;
        EXPECT_EQ(registry->QueryInfoKey(key, &info), 0);
        EXPECT_EQ(info.subKeys, 0u);
        EXPECT_EQ(info.values, 0u);
        char name[16];
        std::uint32_t nameLen = sizeof name;
        EXPECT_EQ(registry->EnumKeyEx(key, 0, name, &nameLen, nullptr, nullptr),
                  winerror::kNoMoreItems);
        nameLen = sizeof name;
        EXPECT_EQ(registry->EnumValue(key, 0, name, &nameLen, nullptr, nullptr, nullptr),
                  winerror::kNoMoreItems);
        EXPECT_EQ(registry->DeleteValue(key, "HomeDir"), winerror::kFileNotFound);
        EXPECT_EQ(registry->CloseKey(key), 0);
    }
    EXPECT_TRUE(treeBelow(scratch_).empty());
}

TEST_F(ReadingCreatesNothing, AHiveMadeByAnotherProcessIsSeenLater) {
    auto reader = makeRegistry();
    HKEY key = 0;
    ASSERT_EQ(reader->OpenKeyEx(kHkeyCurrentUser, "Software", kKeyRead, &key),
              winerror::kFileNotFound);

    auto writer = makeRegistry();
    const HKEY written = createKey(*writer, kHkeyCurrentUser, "Software");
    ASSERT_EQ(setText(*writer, written, "ExternLang", "English"), 0);
    EXPECT_EQ(readBytes(*reader, kHkeyCurrentUser, "Software", "ExternLang"),
              std::string("English\0", 8));
}

TEST_F(ReadingCreatesNothing, AnEmptyFileStaysEmptyUntilTheFirstWrite) {
    writeFileBytes(userFile_, "");
    auto registry = makeRegistry();
    HKEY key = 0;
    EXPECT_EQ(registry->OpenKeyEx(kHkeyCurrentUser, "Software", kKeyRead, &key),
              winerror::kFileNotFound);
    EXPECT_EQ(std::filesystem::file_size(userFile_), 0u);

    key = createKey(*registry, kHkeyCurrentUser, "Software");
    EXPECT_EQ(setText(*registry, key, "V", "1"), 0);
    EXPECT_EQ(readBytes(*registry, kHkeyCurrentUser, "Software", "V"), std::string("1\0", 2));
    EXPECT_GT(std::filesystem::file_size(userFile_), 0u);
}

}  // namespace
}  // namespace sqlitestoretest
