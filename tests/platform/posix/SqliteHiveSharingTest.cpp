// Processes (a registry object each) sharing the hives, killed writers, read-only hives.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <random>

#include "SqliteStoreFixture.h"

namespace sqlitestoretest {
namespace {

// A value that tells its writer's generation, with a filler whose length changes with it.
std::string generationText(int generation, int slot) {
    return std::to_string(generation) + ":" + std::to_string(slot) + ":" +
           std::string(static_cast<std::size_t>((generation * 7 + slot * 13) % 200), 'x');
}

// Writes that generation to the values "0" to slots-1, in that order; the first failure.
LSTATUS writeGeneration(Registry& registry, HKEY key, int slots, int generation) {
    for (int slot = 0; slot < slots; ++slot) {
        if (const LSTATUS status =
                setText(registry, key, std::to_string(slot), generationText(generation, slot))) {
            return status;
        }
    }
    return 0;
}

// The generation in that slot, 0 for none, -1 when not what generationText wrote.
int generationAt(Registry& registry, HKEY root, int slot) {
    const auto bytes = readBytes(registry, root, kKey, std::to_string(slot));
    if (!bytes) {
        return 0;
    }
    const int generation = std::atoi(bytes->c_str());
    return generation > 0 && *bytes == sz(generationText(generation, slot)) ? generation : -1;
}

// Runs `body` in a child process exiting with its result; no registry may be open then.
pid_t forkChild(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        _exit(body());
    }
    return child;
}

// The exit status of a child that ended by itself, -1 when it was killed.
int waitForChild(pid_t child) {
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

using SqliteHiveSharing = SqliteStoreTest;

// A writer killed at random moments, on new hives and old ones of both kinds: the next
// process reads and writes the store and finds every value as before or after the write.
TEST_F(SqliteHiveSharing, AWriterKilledAtAnyMomentLeavesEveryValueOldOrNew) {
    constexpr int kSlots = 8;
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    for (const HKEY root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
        for (const bool fresh : {true, false}) {
            SCOPED_TRACE(std::to_string(root) + (fresh ? " new hive" : " old hive"));
            fs::remove_all(scratch_);
            int before = 0;  // the generation of every slot when the writer started
            for (int round = 0; round < 30 && !HasFailure(); ++round) {
                if (fresh) {
                    fs::remove_all(scratch_);
                    before = 0;
                }
                const pid_t writer = forkChild([&] {
                    auto registry = makeRegistry();
                    const HKEY key = createKey(*registry, root, kKey);
                    for (int generation = before + 1;
                         writeGeneration(*registry, key, kSlots, generation) == 0; ++generation) {
                    }
                    return 1;
                });
                // A new hive dies while it is laid out as often as later.
                usleep(fresh ? random() % 3000 : 3000 + random() % 9000);
                ::kill(writer, SIGKILL);
                ASSERT_EQ(waitForChild(writer), -1) << "the writer failed before it was killed";

                // The slots before the writer's are new, the others old.
                auto registry = makeRegistry();
                const int first = generationAt(*registry, root, 0);
                for (int slot = 0; slot < kSlots; ++slot) {
                    const int found = generationAt(*registry, root, slot);
                    EXPECT_GE(found, std::max(before, first - 1)) << slot;
                    EXPECT_LE(found, first) << slot;
                }
                before = first + 1;
                ASSERT_EQ(
                    writeGeneration(*registry, createKey(*registry, root, kKey), kSlots, before),
                    0);
            }
        }
    }
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
                // Long enough for a loaded machine; unfixed, the second one fails at once.
                auto registry = makeRegistry(false, std::chrono::seconds(10));
                HKEY key = 0;
                return registry->CreateKeyEx(kHkeyCurrentUser, kKey, kKeyWriteAccess, &key,
                                             nullptr) != 0 ||
                       setText(*registry, key, std::to_string(w), "v") != 0;
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

// One process saves nineteen values again and again, two read them meanwhile (on the machine
// hive as users who may only read it). Exit codes: 1 write failed, 2 read failed, 3 torn, 4 older.
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
            auto registry = makeRegistry();
            const HKEY key = createKey(*registry, root, kKey);
            for (int generation = 2; std::chrono::steady_clock::now() < until; ++generation) {
                if (writeGeneration(*registry, key, kValues, generation) != 0) {
                    return 1;
                }
            }
            return 0;
        });
        auto reader = [&] {
            auto registry = makeRegistry(root == kHkeyLocalMachine);
            std::vector<int> seen(kValues, 1);
            while (std::chrono::steady_clock::now() < until) {
                for (int slot = 0; slot < kValues; ++slot) {
                    const int generation = generationAt(*registry, root, slot);
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

// Tests run as root; a child that has become an ordinary user sees what a user would.
TEST_F(SqliteHiveSharing, AReadOnlyMachineHiveIsNeverWrittenNorCreatedAndReadsWork) {
    auto registry = makeRegistry(true);
    EXPECT_EQ(openStatus(*registry, kHkeyLocalMachine, kKey, kKeyWriteAccess, true), kAccessDenied);
    EXPECT_EQ(openStatus(*registry, kHkeyLocalMachine, "", kKeyWriteAccess), kAccessDenied);
    EXPECT_EQ(openStatus(*registry, kHkeyLocalMachine, ""), 0);
    EXPECT_FALSE(fs::exists(scratch_ / "xdg"));
    {
        auto installer = makeRegistry();
        ASSERT_EQ(setText(*installer, createKey(*installer, kHkeyLocalMachine, kKey), "HomeDir",
                          "/opt/quillbell"),
                  0);
    }
    const std::string before = fileBytes(machineFile_);
    // A missing key is reported as missing, as Windows looks the name up first.
    EXPECT_EQ(openStatus(*registry, kHkeyLocalMachine, kKey + "\\New", kKeyWriteAccess),
              kFileNotFound);
    EXPECT_EQ(setText(*registry, kHkeyLocalMachine, "Version", "1"), kAccessDenied);
    EXPECT_EQ(registry->DeleteValue(kHkeyLocalMachine, "Version"), kAccessDenied);
    // MAXIMUM_ALLOWED is granted what the hive allows.
    HKEY key = 0;
    ASSERT_EQ(registry->OpenKeyEx(kHkeyLocalMachine, kKey, 0x02000000u, &key), 0);
    std::uint32_t size = 0;
    EXPECT_EQ(registry->QueryValueEx(key, "HomeDir", nullptr, nullptr, &size), 0);
    EXPECT_EQ(setText(*registry, key, "Version", "1"), kAccessDenied);
    EXPECT_EQ(registry->DeleteValue(key, "HomeDir"), kAccessDenied);
    EXPECT_EQ(readBytes(*registry, kHkeyLocalMachine, kKey, "HomeDir"), sz("/opt/quillbell"));
    registry->CloseKey(createKey(*registry, kHkeyCurrentUser, kKey));  // the user hive works
    registry.reset();
    EXPECT_EQ(fileBytes(machineFile_), before);

    if (geteuid() == 0) {
        chmod(scratch_.c_str(), 0755);
        const pid_t user = forkChild([&] {
            if (setgid(65534) != 0 || setuid(65534) != 0) {
                return 10;
            }
            SqliteRegistry registry({"/nonexistent/user-registry.sqlite3", machineFile_, false});
            if (openStatus(registry, kHkeyLocalMachine, kKey, kKeyWriteAccess) != kAccessDenied) {
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
