// Several processes on the same hive files (each registry object here has connections of
// its own, as a process would), and a machine hive this process may only read.

#include <sqlite3.h>

#include "SqliteStoreFixture.h"

namespace sqlitestoretest {
namespace {

std::string journalModeOf(const fs::path& file) {
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

using SqliteHiveSharing = SqliteStoreTest;

TEST_F(SqliteHiveSharing, TwoProcessesSeeEachOthersWritesAtOnce) {
    auto first = makeRegistry();
    auto second = makeRegistry();
    const std::string profiles = kKey + "\\Profiles";
    // Learnt as missing, file and all, then made by the other process.
    EXPECT_EQ(readStatus(*second, kHkeyCurrentUser, profiles, "ConfName0"),
              winerror::kFileNotFound);
    const HKEY mine = createKey(*first, kHkeyCurrentUser, profiles);
    ASSERT_EQ(setText(*first, mine, "ConfName0", "Office"), 0);
    EXPECT_EQ(readBytes(*second, kHkeyCurrentUser, profiles, "ConfName0"), sz("Office"));

    // The second one writes through a key that already existed in a file it did not make,
    // and a handle held open across its writes sees them.
    const HKEY theirs = createKey(*second, kHkeyCurrentUser, profiles);
    ASSERT_EQ(setText(*second, theirs, "ConfName0", "Home"), 0);
    ASSERT_EQ(second->DeleteValue(theirs, "Unused"), winerror::kFileNotFound);
    second->CloseKey(createKey(*second, kHkeyCurrentUser, profiles + "\\Sub"));
    std::uint8_t buffer[16] = {};
    std::uint32_t size = sizeof buffer;
    ASSERT_EQ(first->QueryValueEx(mine, "ConfName0", nullptr, buffer, &size), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size), sz("Home"));
    KeyInfo info;
    ASSERT_EQ(first->QueryInfoKey(mine, &info), 0);
    EXPECT_EQ(info.subKeys, 1u);
    EXPECT_EQ(info.values, 1u);

    // Repeated reads never serve an old answer.
    for (const char* text : {"1", "2"}) {
        ASSERT_EQ(setText(*second, theirs, "LastID", text), 0);
        EXPECT_EQ(readBytes(*first, kHkeyCurrentUser, profiles, "LastID"), sz(text));
        EXPECT_EQ(readBytes(*first, kHkeyCurrentUser, profiles, "LastID"), sz(text));
    }
    ASSERT_EQ(second->DeleteValue(theirs, "LastID"), 0);
    EXPECT_EQ(readStatus(*first, kHkeyCurrentUser, profiles, "LastID"), winerror::kFileNotFound);
}

// Started at one moment, each process lays out the missing hive, creates the same key
// and writes a value of its own: the one that comes second must wait, never fail.
TEST_F(SqliteHiveSharing, ProcessesLayingOutANewHiveAtOnceAllKeepTheirWrites) {
    constexpr int kWriters = 4;
    for (int round = 0; round < 20 && !HasFailure(); ++round) {
        fs::remove_all(scratch_);
        int go[2];
        ASSERT_EQ(pipe(go), 0);
        std::vector<pid_t> writers;
        for (int w = 0; w < kWriters; ++w) {
            writers.push_back(forkChild([&] {
                char byte = 0;
                close(go[1]);
                (void)!read(go[0], &byte, 1);  // returns once the parent closes its end
                SqliteRegistry registry(hiveFiles());
                HKEY key = 0;
                return registry.CreateKeyEx(kHkeyCurrentUser, kKey, kKeyWriteAccess, &key,
                                            nullptr) != 0 ||
                       setText(registry, key, std::to_string(w), "v") != 0;
            }));
        }
        close(go[0]);
        close(go[1]);
        auto reader = makeRegistry();
        for (int w = 0; w < kWriters; ++w) {
            EXPECT_EQ(waitForChild(writers[w]), 0) << round;
            EXPECT_EQ(readBytes(*reader, kHkeyCurrentUser, kKey, std::to_string(w)), sz("v"));
        }
    }
}

TEST_F(SqliteHiveSharing, TheUserHiveUsesWalAndTheMachineHiveARollbackJournal) {
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
TEST_F(SqliteHiveSharing, ReadsNeverFailNorTearWhileAnotherProcessSaves) {
    constexpr int kValues = 19;
    for (const HKEY root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
        SCOPED_TRACE(root);
        {
            auto setup = makeRegistry();
            ASSERT_EQ(writeGeneration(*setup, createKey(*setup, root, kKey), kValues, 1), 0);
        }
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
        const pid_t writer = forkChild([&] {
            SqliteRegistry registry(hiveFiles());
            const HKEY key = createKey(registry, root, kKey);
            for (int generation = 2; std::chrono::steady_clock::now() < until; ++generation) {
                if (writeGeneration(registry, key, kValues, generation) != 0) {
                    return 1;
                }
            }
            return 0;
        });
        auto reader = [&] {
            SqliteRegistry registry(hiveFiles(root == kHkeyLocalMachine));
            std::vector<int> seen(kValues, 1);
            while (std::chrono::steady_clock::now() < until) {
                for (int slot = 0; slot < kValues; ++slot) {
                    const int generation = generationAt(registry, root, slot);
                    if (generation < seen[slot]) {
                        return generation == 0 ? 2 : generation < 0 ? 3 : 4;
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

// Tests run as root, where permissions stop nobody; a child process that has become an
// ordinary user shows what a user sees of the hive the installation made.
TEST_F(SqliteHiveSharing, AReadOnlyMachineHiveIsNeverWrittenNorCreatedAndReadsWork) {
    auto registry = makeRegistry(true);
    HKEY key = 0xbad;
    EXPECT_EQ(registry->CreateKeyEx(kHkeyLocalMachine, kKey, kKeyWriteAccess, &key, nullptr),
              winerror::kAccessDenied);
    EXPECT_EQ(registry->OpenKeyEx(kHkeyLocalMachine, "", kKeyWriteAccess, &key),
              winerror::kAccessDenied);
    EXPECT_EQ(registry->OpenKeyEx(kHkeyLocalMachine, "", kKeyRead, &key), 0);
    registry->CloseKey(key);
    EXPECT_FALSE(fs::exists(scratch_ / "xdg"));
    {
        auto installer = makeRegistry();
        ASSERT_EQ(setText(*installer, createKey(*installer, kHkeyLocalMachine, kKey), "HomeDir",
                          "/opt/quillbell"),
                  0);
    }
    const std::string before = fileBytes(machineFile_);

    key = 0xbad;
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
    // Opened for reading, or with MAXIMUM_ALLOWED, which is granted what the hive allows.
    for (const std::uint32_t access : {kKeyRead, 0x02000000u}) {
        ASSERT_EQ(registry->OpenKeyEx(kHkeyLocalMachine, kKey, access, &key), 0);
        std::uint32_t size = 0;
        EXPECT_EQ(registry->QueryValueEx(key, "HomeDir", nullptr, nullptr, &size), 0);
        EXPECT_EQ(setText(*registry, key, "Version", "1"), winerror::kAccessDenied);
        EXPECT_EQ(registry->DeleteValue(key, "HomeDir"), winerror::kAccessDenied);
        registry->CloseKey(key);
    }
    // The user hive is writable all the same.
    registry->CloseKey(createKey(*registry, kHkeyCurrentUser, kKey));
    registry.reset();
    EXPECT_EQ(fileBytes(machineFile_), before);

    if (geteuid() == 0) {
        chmod(scratch_.c_str(), 0755);
        const pid_t user = forkChild([&] {
            if (setgid(65534) != 0 || setuid(65534) != 0) {
                return 10;
            }
            HiveFiles files = hiveFiles();
            files.userFile = "/nonexistent/quillbell/user-registry.sqlite3";
            SqliteRegistry registry(files);
            HKEY key = 0;
            if (registry.OpenKeyEx(kHkeyLocalMachine, kKey, kKeyWriteAccess, &key) !=
                winerror::kAccessDenied) {
                return 11;
            }
            return readBytes(registry, kHkeyLocalMachine, kKey, "HomeDir") == sz("/opt/quillbell")
                       ? 0
                       : 12;
        });
        EXPECT_EQ(waitForChild(user), 0) << "10 no user switch, 11 write allowed, 12 read failed";
        EXPECT_EQ(fileBytes(machineFile_), before);
    }
}

}  // namespace
}  // namespace sqlitestoretest
