// A process writing the store is killed at random moments, new hives and old ones, both
// kinds. Whoever opens the store next must be able to read and write it, and find every
// value as it was before the interrupted write or after it.

#include <signal.h>
#include <unistd.h>

#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "SqliteStoreFixture.h"

namespace sqlitestoretest {
namespace {

using namespace platform;

const std::string kKey = "Software\\Orvane\\Quillbell\\Profiles";
constexpr int kSlots = 8;
constexpr int kKillsPerCase = 30;

std::string slotName(int slot) {
    return "Value" + std::to_string(slot);
}

// Writes generation after generation of all slots, in slot order, until it is killed.
int writeUntilKilled(const HiveFiles& files, HKEY root, int generation) {
    SqliteRegistry registry(files);
    HKEY key = 0;
    if (registry.CreateKeyEx(root, kKey, kKeyWriteAccess, &key, nullptr) != 0) {
        return 1;
    }
    for (;; ++generation) {
        for (int slot = 0; slot < kSlots; ++slot) {
            if (setText(registry, key, slotName(slot), generationText(generation, slot)) != 0) {
                return 2;
            }
        }
    }
}

class Crash : public SqliteStoreTest {
protected:
    // Checks the store after a kill and writes a whole generation beyond what it found;
    // returns that generation. `before` is the generation all slots had before the kill.
    int checkAndWriteOn(HKEY root, int before) {
        auto registry = makeRegistry();
        std::vector<int> found;
        for (int slot = 0; slot < kSlots; ++slot) {
            LSTATUS status = 0;
            const auto bytes = readBytes(*registry, root, kKey, slotName(slot), &status);
            EXPECT_TRUE(status == 0 || status == winerror::kFileNotFound) << status;
            found.push_back(generationOf(bytes, slot));
        }
        // The writer was at one slot of one generation: those before it are new, the
        // others old.
        for (int slot = 0; slot < kSlots; ++slot) {
            EXPECT_GE(found[slot], before) << "slot " << slot << " lost its value or is torn";
            EXPECT_LE(found[slot], found[0]) << "slot " << slot;
            EXPECT_GE(found[slot], found[0] - 1) << "slot " << slot;
        }
        const int next = found[0] + 1;
        HKEY key = 0;
        EXPECT_EQ(registry->CreateKeyEx(root, kKey, kKeyWriteAccess, &key, nullptr), 0);
        for (int slot = 0; slot < kSlots; ++slot) {
            EXPECT_EQ(setText(*registry, key, slotName(slot), generationText(next, slot)), 0);
        }
        registry->CloseKey(key);
        EXPECT_EQ(generationOf(readBytes(*registry, root, kKey, slotName(kSlots - 1)), kSlots - 1),
                  next);
        return next;
    }

    bool journalLeft() const {
        for (const auto& file : {userFile_, machineFile_}) {
            const std::string journal = fileBytes(file.string() + "-journal");
            if (!journal.empty() && journal[0] != 0) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(Crash, AWriterKilledAtAnyMomentLeavesEveryValueOldOrNew) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const struct {
        const char* what;
        HKEY root;
        bool fresh;
    } cases[] = {
        {"new user hive", kHkeyCurrentUser, true},
        {"user hive", kHkeyCurrentUser, false},
        {"new machine hive", kHkeyLocalMachine, true},
        {"machine hive", kHkeyLocalMachine, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(scratch_);
        int generation = 0;
        int journals = 0;
        for (int round = 0; round < kKillsPerCase && !HasFailure(); ++round) {
            if (c.fresh) {
                std::filesystem::remove_all(scratch_);
                generation = 0;
            }
            const HiveFiles files = hiveFiles();
            const pid_t writer = forkChild([&files, &c, generation] {
                return writeUntilKilled(files, c.root, generation + 1);
            });
            // New hives die early, while the file is being laid out, as often as later; the
            // others once the writer is under way.
            usleep(c.fresh ? random() % 3000 : 3000 + random() % 9000);
            ::kill(writer, SIGKILL);
            ASSERT_EQ(waitForChild(writer), -1) << "the writer failed before it was killed";
            journals += journalLeft() ? 1 : 0;
            generation = checkAndWriteOn(c.root, generation);
        }
        std::cout << c.what << ": " << kKillsPerCase << " kills, " << journals
                  << " left a journal to roll back\n";
    }
}

}  // namespace
}  // namespace sqlitestoretest
