// Several processes on the same hive files (each registry object here has connections of
// its own, as a process would), and a machine hive this process may only read.

#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "SqliteStoreFixture.h"

namespace sqlitestoretest {
namespace {

using namespace platform;

const std::string kKey = "Software\\Orvane\\Quillbell";

std::string journalModeOf(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    std::string mode;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_exec(
        db, "PRAGMA journal_mode",
        [](void* out, int, char** row, char**) {
            *static_cast<std::string*>(out) = row[0];
            return 0;
        },
        &mode, nullptr);
    sqlite3_close(db);
    return mode;
}

class HiveSharing : public SqliteStoreTest {};

TEST_F(HiveSharing, TwoProcessesSeeEachOthersWritesAtOnce) {
    auto first = makeRegistry();
    auto second = makeRegistry();
    const std::string profiles = kKey + "\\Profiles";
    // Learnt as missing, then made by the other process.
    EXPECT_EQ(readStatus(*second, kHkeyCurrentUser, profiles, "ConfName0"),
              winerror::kFileNotFound);
    const HKEY mine = createKey(*first, kHkeyCurrentUser, profiles);
    ASSERT_EQ(setText(*first, mine, "ConfName0", "Office"), 0);
    EXPECT_EQ(readBytes(*second, kHkeyCurrentUser, profiles, "ConfName0"), sz("Office"));

    // The second one writes through a key that already existed in a file it did not make.
    const HKEY theirs = createKey(*second, kHkeyCurrentUser, profiles);
    ASSERT_EQ(setText(*second, theirs, "ConfName0", "Home"), 0);
    ASSERT_EQ(second->DeleteValue(theirs, "Unused"), winerror::kFileNotFound);
    second->CloseKey(createKey(*second, kHkeyCurrentUser, profiles + "\\Sub"));

    // A handle held open across the other's writes sees them.
    std::uint8_t buffer[16] = {};
    std::uint32_t size = sizeof buffer;
    ASSERT_EQ(first->QueryValueEx(mine, "ConfName0", nullptr, buffer, &size), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size), sz("Home"));
    KeyInfo info;
    ASSERT_EQ(first->QueryInfoKey(mine, &info), 0);
    EXPECT_EQ(info.subKeys, 1u);
    EXPECT_EQ(info.values, 1u);

    // Repeated reads never serve an old answer.
    for (const char* text : {"1", "2", "3"}) {
        ASSERT_EQ(setText(*second, theirs, "LastID", text), 0);
        EXPECT_EQ(readBytes(*first, kHkeyCurrentUser, profiles, "LastID"), sz(text));
        EXPECT_EQ(readBytes(*first, kHkeyCurrentUser, profiles, "LastID"), sz(text));
    }
    ASSERT_EQ(second->DeleteValue(theirs, "LastID"), 0);
    EXPECT_EQ(readStatus(*first, kHkeyCurrentUser, profiles, "LastID"), winerror::kFileNotFound);
    second->CloseKey(theirs);
    first->CloseKey(mine);
}

TEST_F(HiveSharing, WritersInTwoProcessesAtOnceLoseNothing) {
    constexpr int kValuesEach = 60;
    constexpr int kKeys = 7;
    auto writeMany = [this](const std::string& prefix, LSTATUS* failure) {
        auto registry = makeRegistry();
        for (int i = 0; i < kValuesEach && *failure == 0; ++i) {
            HKEY key = 0;
            // Creating the same keys at the same time must not fail either.
            *failure =
                registry->CreateKeyEx(kHkeyCurrentUser, kKey + "\\K" + std::to_string(i % kKeys),
                                      kKeyWriteAccess, &key, nullptr);
            if (*failure == 0) {
                *failure = setText(*registry, key, prefix + std::to_string(i), "value");
                registry->CloseKey(key);
            }
        }
    };
    LSTATUS failures[2] = {0, 0};
    std::thread a(writeMany, "A", &failures[0]);
    std::thread b(writeMany, "B", &failures[1]);
    a.join();
    b.join();
    EXPECT_EQ(failures[0], 0);
    EXPECT_EQ(failures[1], 0);

    auto reader = makeRegistry();
    std::uint32_t values = 0;
    for (int k = 0; k < kKeys; ++k) {
        HKEY key = 0;
        ASSERT_EQ(
            reader->OpenKeyEx(kHkeyCurrentUser, kKey + "\\K" + std::to_string(k), kKeyRead, &key),
            0);
        KeyInfo info;
        ASSERT_EQ(reader->QueryInfoKey(key, &info), 0);
        values += info.values;
        reader->CloseKey(key);
    }
    EXPECT_EQ(values, 2u * kValuesEach);
}

TEST_F(HiveSharing, TheUserHiveUsesWalAndTheMachineHiveARollbackJournal) {
    auto registry = makeRegistry();
    registry->CloseKey(createKey(*registry, kHkeyCurrentUser, kKey));
    registry->CloseKey(createKey(*registry, kHkeyLocalMachine, kKey));
    EXPECT_EQ(journalModeOf(userFile_), "wal");
    // Users who may not write the machine hive's directory could not open a WAL file
    // for reading: they cannot create its -shm file.
    EXPECT_EQ(journalModeOf(machineFile_), "delete");
}

// Separate processes: one saves a configuration's nineteen values again and again, two
// read them meanwhile (on the machine hive as users who may only read it). Exit codes:
// 1 a write failed, 2 a read failed, 3 a value was torn, 4 went back to an older one.
TEST_F(HiveSharing, ReadsNeverFailNorTearWhileAnotherProcessSaves) {
    constexpr int kValues = 19;
    for (const HKEY root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
        SCOPED_TRACE(root);
        auto setup = makeRegistry();
        const HKEY key = createKey(*setup, root, kKey);
        for (int slot = 0; slot < kValues; ++slot) {
            ASSERT_EQ(setText(*setup, key, std::to_string(slot), generationText(1, slot)), 0);
        }
        setup.reset();
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
        const pid_t writer = forkChild([&] {
            SqliteRegistry registry(hiveFiles());
            HKEY key = 0;
            registry.CreateKeyEx(root, kKey, kKeyWriteAccess, &key, nullptr);
            for (int generation = 2; std::chrono::steady_clock::now() < until; ++generation) {
                for (int slot = 0; slot < kValues; ++slot) {
                    const std::string text = generationText(generation, slot);
                    if (setText(registry, key, std::to_string(slot), text) != 0) {
                        return 1;
                    }
                }
            }
            return 0;
        });
        auto reader = [&] {
            SqliteRegistry registry(hiveFiles(root == kHkeyLocalMachine));
            std::vector<int> seen(kValues, 1);
            while (std::chrono::steady_clock::now() < until) {
                for (int slot = 0; slot < kValues; ++slot) {
                    LSTATUS status = 0;
                    const int generation = generationOf(
                        readBytes(registry, root, kKey, std::to_string(slot), &status), slot);
                    const int failure = status != 0 ? 2 : generation <= 0 ? 3 : 4;
                    if (status != 0 || generation < seen[slot]) {
                        return failure;
                    }
                    seen[slot] = generation;
                }
            }
            return 0;
        };
        const pid_t readers[] = {forkChild(reader), forkChild(reader)};
        EXPECT_EQ(waitForChild(writer), 0);
        EXPECT_EQ(waitForChild(readers[0]), 0);
        EXPECT_EQ(waitForChild(readers[1]), 0);
    }
}

class ReadOnlyMachineHive : public SqliteStoreTest {
protected:
    void SetUp() override {
        auto installer = makeRegistry();
        const HKEY key = createKey(*installer, kHkeyLocalMachine, kKey);
        ASSERT_EQ(setText(*installer, key, "HomeDir", "/opt/quillbell"), 0);
        installer->CloseKey(key);
    }
};

TEST_F(ReadOnlyMachineHive, OpeningForWritingIsAccessDeniedAndReadingWorks) {
    const std::string before = fileBytes(machineFile_);
    auto registry = makeRegistry(true);

    HKEY key = 0xbad;
    EXPECT_EQ(registry->OpenKeyEx(kHkeyLocalMachine, kKey, kKeyWriteAccess, &key),
              winerror::kAccessDenied);
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(registry->CreateKeyEx(kHkeyLocalMachine, kKey, kKeyWriteAccess, &key, nullptr),
              winerror::kAccessDenied);
    EXPECT_EQ(
        registry->CreateKeyEx(kHkeyLocalMachine, kKey + "\\New", kKeyWriteAccess, &key, nullptr),
        winerror::kAccessDenied);
    EXPECT_EQ(key, 0u);
    // A missing key is reported as missing, as Windows looks the name up first.
    EXPECT_EQ(registry->OpenKeyEx(kHkeyLocalMachine, kKey + "\\New", kKeyWriteAccess, &key),
              winerror::kFileNotFound);
    EXPECT_EQ(setText(*registry, kHkeyLocalMachine, "Version", "1"), winerror::kAccessDenied);
    EXPECT_EQ(registry->DeleteValue(kHkeyLocalMachine, "Version"), winerror::kAccessDenied);

    EXPECT_EQ(readBytes(*registry, kHkeyLocalMachine, kKey, "HomeDir"), sz("/opt/quillbell"));
    ASSERT_EQ(registry->OpenKeyEx(kHkeyLocalMachine, kKey, kKeyRead, &key), 0);
    EXPECT_EQ(setText(*registry, key, "Version", "1"), winerror::kAccessDenied);
    EXPECT_EQ(registry->DeleteValue(key, "HomeDir"), winerror::kAccessDenied);
    registry->CloseKey(key);
    // MAXIMUM_ALLOWED is granted what the hive allows: reading.
    ASSERT_EQ(registry->OpenKeyEx(kHkeyLocalMachine, kKey, 0x02000000, &key), 0);
    std::uint32_t size = 0;
    EXPECT_EQ(registry->QueryValueEx(key, "HomeDir", nullptr, nullptr, &size), 0);
    EXPECT_EQ(setText(*registry, key, "Version", "1"), winerror::kAccessDenied);
    registry->CloseKey(key);

    // The user hive is writable all the same.
    registry->CloseKey(createKey(*registry, kHkeyCurrentUser, kKey));
    registry.reset();
    EXPECT_EQ(fileBytes(machineFile_), before);
}

TEST_F(ReadOnlyMachineHive, AMissingReadOnlyHiveIsNeverCreated) {
    std::filesystem::remove_all(scratch_ / "xdg");
    auto registry = makeRegistry(true);
    HKEY key = 0xbad;
    EXPECT_EQ(registry->CreateKeyEx(kHkeyLocalMachine, kKey, kKeyWriteAccess, &key, nullptr),
              winerror::kAccessDenied);
    EXPECT_EQ(registry->OpenKeyEx(kHkeyLocalMachine, "", kKeyWriteAccess, &key),
              winerror::kAccessDenied);
    EXPECT_EQ(registry->OpenKeyEx(kHkeyLocalMachine, "", kKeyRead, &key), 0);
    registry->CloseKey(key);
    EXPECT_FALSE(std::filesystem::exists(scratch_ / "xdg"));
}

// Tests run as root, where permissions stop nobody; a child process that has become
// an ordinary user shows what a user sees of the hive the installation made.
TEST_F(ReadOnlyMachineHive, AnOrdinaryUserReadsTheHiveRootMadeAndMayNotWriteIt) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to become another user";
    }
    const std::string before = fileBytes(machineFile_);
    chmod(scratch_.c_str(), 0755);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) {
            _exit(10);
        }
        platform::HiveFiles files = hiveFiles();
        files.userFile = "/nonexistent/quillbell/user-registry.sqlite3";
        platform::SqliteRegistry registry(files);
        HKEY key = 0;
        if (registry.OpenKeyEx(kHkeyLocalMachine, kKey, kKeyWriteAccess, &key) !=
            winerror::kAccessDenied) {
            _exit(11);
        }
        if (readBytes(registry, kHkeyLocalMachine, kKey, "HomeDir") != sz("/opt/quillbell")) {
            _exit(12);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10 no user switch, 11 write allowed, 12 read failed";
    EXPECT_EQ(fileBytes(machineFile_), before);
}

}  // namespace
}  // namespace sqlitestoretest
