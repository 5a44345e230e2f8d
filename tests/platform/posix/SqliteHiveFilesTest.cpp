// Where the hive files go, their permissions, the files refused; reading makes no file.

#include <sys/stat.h>

#include <algorithm>

#include "ScopedEnv.h"
#include "SqliteStoreFixture.h"
#include "support/TestRegistry.h"

namespace sqlitestoretest {
namespace {

using platformtest::ScopedEnv;
using SqliteHiveFiles = SqliteStoreTest;

std::vector<std::string> treeBelow(const fs::path& directory) {
    std::vector<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(directory)) {
        paths.push_back(fs::relative(entry.path(), directory).string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

unsigned permissionsOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << "no such file: " << path;
    return info.st_mode & 07777;
}

// Empty and relative settings do not count, as the XDG rules say.
TEST(SqliteHiveFileLocations, FollowTheXdgVariablesReadAtEachCallAndHoldTheProgramsHives) {
    const ScopedEnv home("HOME", "/home/tester");
    struct {
        std::optional<std::string> configHome, configDirs;
        const char *userFile, *machineFile;
    } const cases[] = {
        {std::nullopt, std::nullopt, "/home/tester/.config", "/etc/xdg"},
        {"/cfg", "/first:/second", "/cfg", "/first"},
        {"relative/cfg", ":relative:/third", "/home/tester/.config", "/third"},
    };
    for (const auto& c : cases) {
        const ScopedEnv configHome("XDG_CONFIG_HOME", c.configHome);
        const ScopedEnv configDirs("XDG_CONFIG_DIRS", c.configDirs);
        const HiveFiles files = defaultHiveFiles();
        EXPECT_EQ(files.userFile,
                  std::string(c.userFile) + "/Orvane/Quillbell/user-registry.sqlite3");
        EXPECT_EQ(files.machineFile,
                  std::string(c.machineFile) + "/Orvane/Quillbell/machine-registry.sqlite3");
        EXPECT_FALSE(files.machineReadOnly);
    }
    // The registry of the program uses them, and a user's write makes no machine hive.
    testsupport::ScopedTestRegistry scope;
    EXPECT_EQ(setText(registry(), createKey(registry(), kHkeyCurrentUser, kKey), "V", "1"), 0);
    EXPECT_TRUE(fs::exists(scope.scratchDir() / "home" / ".config" / "Orvane" / "Quillbell" /
                           "user-registry.sqlite3"));
    EXPECT_FALSE(fs::exists(scope.scratchDir() / "xdg"));
}

// A umask that would take the owner's own execute bit off the directories.
TEST_F(SqliteHiveFiles, TheUserHiveIsForItsOwnerAloneAndTheMachineHiveForAllWhateverTheUmask) {
    const fs::path home = scratch_ / "home";
    fs::create_directories(home);
    chmod(home.c_str(), 0750);  // the user's own choice
    const mode_t oldMask = umask(0177);
    {
        auto registry = makeRegistry();
        for (const HKEY root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
            ASSERT_EQ(setText(*registry, createKey(*registry, root, kKey), "Password0", "x"), 0);
        }
        // SQLite's side files exist while the connection is open, and hold data too.
        EXPECT_EQ(permissionsOf(userFile_.string() + "-wal"), 0600u);
        EXPECT_EQ(permissionsOf(userFile_.string() + "-shm"), 0600u);
    }
    umask(oldMask);
    EXPECT_EQ(permissionsOf(userFile_), 0600u);
    for (fs::path dir = userFile_.parent_path(); dir != home; dir = dir.parent_path()) {
        EXPECT_EQ(permissionsOf(dir), 0700u) << dir;
    }
    EXPECT_EQ(permissionsOf(home), 0750u) << "an existing directory keeps its mode";
    EXPECT_EQ(permissionsOf(machineFile_), 0644u);
    EXPECT_EQ(permissionsOf(machineFile_.parent_path()), 0755u);
}

// As ssh does: a link in place of a hive or its directory, or a hive of another owner (root
// may own the machine hive), is refused with access denied and left alone.
TEST_F(SqliteHiveFiles, ALinkedOrForeignHiveIsRefusedAndLeftAlone) {
    const auto elsewhere = scratch_ / "elsewhere";
    // Links to a file and a directory; a file and a directory given away (root only).
    const int plants = geteuid() == 0 ? 4 : 2;
    for (const HKEY root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
        for (int plant = 0; plant < plants; ++plant) {
            fs::remove_all(scratch_);
            writeFileBytes(elsewhere / "x", "someone's");
            auto registry = makeRegistry();
            registry->CloseKey(createKey(*registry, root, "Software"));
            registry.reset();
            const fs::path file = root == kHkeyCurrentUser ? userFile_ : machineFile_;
            const fs::path planted = plant % 2 == 0 ? file : file.parent_path();
            if (plant >= 2) {
                EXPECT_EQ(chown(planted.c_str(), 65534, 65534), 0);
            } else {
                fs::remove_all(planted);
                fs::create_symlink(plant == 0 ? elsewhere / "x" : elsewhere, planted);
            }
            const auto before = treeBelow(scratch_);
            registry = makeRegistry();
            EXPECT_EQ(openStatus(*registry, root, "Software"), kAccessDenied);
            registry.reset();
            EXPECT_EQ(treeBelow(scratch_), before);
            EXPECT_EQ(fileBytes(elsewhere / "x"), "someone's");
        }
    }
}

TEST_F(SqliteHiveFiles, NoCallThatOnlyReadsMakesAFileOrDirectory) {
    auto registry = makeRegistry();
    for (const HKEY root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
        EXPECT_EQ(openStatus(*registry, root, kKey), kFileNotFound);
        EXPECT_EQ(openStatus(*registry, root, "Software", kKeyWriteAccess), kFileNotFound);
        HKEY key = 0;

        ASSERT_EQ(registry->CreateKeyEx(root, "", kKeyWriteAccess, &key, nullptr), 0);
        std::uint32_t size = 7;
        EXPECT_EQ(registry->QueryValueEx(key, "HomeDir", nullptr, nullptr, &size), kFileNotFound);
        KeyInfo info;
        info.subKeys = 99;
        EXPECT_EQ(registry->QueryInfoKey(key, &info), 0);
        EXPECT_EQ(info.subKeys + info.values, 0u);
        char name[16];
        std::uint32_t nameLen = sizeof name;
        EXPECT_EQ(registry->EnumKeyEx(key, 0, name, &nameLen, nullptr, nullptr), kNoMoreItems);
        EXPECT_EQ(registry->EnumValue(key, 0, name, &nameLen, nullptr, nullptr, nullptr),
                  kNoMoreItems);
        EXPECT_EQ(registry->DeleteValue(key, "HomeDir"), kFileNotFound);
        EXPECT_EQ(registry->CloseKey(key), 0);
    }
    EXPECT_TRUE(treeBelow(scratch_).empty());
}

TEST_F(SqliteHiveFiles, AnEmptyFileStaysEmptyUntilTheFirstWrite) {
    writeFileBytes(userFile_, "");
    auto registry = makeRegistry();
    EXPECT_EQ(readStatus(*registry, kHkeyCurrentUser, kKey, "V"), kFileNotFound);
    EXPECT_EQ(fs::file_size(userFile_), 0u);
    EXPECT_EQ(setText(*registry, createKey(*registry, kHkeyCurrentUser, kKey), "V", "1"), 0);
    EXPECT_EQ(readBytes(*registry, kHkeyCurrentUser, kKey, "V"), sz("1"));
    EXPECT_GT(fs::file_size(userFile_), 0u);
}

}  // namespace
}  // namespace sqlitestoretest
