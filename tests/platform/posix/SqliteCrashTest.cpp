// A process writing the store is killed at random moments, on new hives and old ones of
// both kinds. The next process must read and write the store and find every value as it
// was before the interrupted write or after it.

#include <signal.h>
#include <unistd.h>

#include <random>

#include "SqliteStoreFixture.h"

namespace sqlitestoretest {
namespace {

using namespace platform;

const std::string kKey = "Software\\Orvane\\Quillbell\\Profiles";
constexpr int kSlots = 8;

// Writes all slots generation after generation, in slot order, until it is killed.
int writeUntilKilled(const HiveFiles& files, HKEY root, int generation) {
    SqliteRegistry registry(files);
    HKEY key = 0;
    if (registry.CreateKeyEx(root, kKey, kKeyWriteAccess, &key, nullptr) != 0) {
        return 1;
    }
    for (;; ++generation) {
        for (int slot = 0; slot < kSlots; ++slot) {
            if (setText(registry, key, std::to_string(slot), generationText(generation, slot))) {
                return 2;
            }
        }
    }
}

class Crash : public SqliteStoreTest {};

TEST_F(Crash, AWriterKilledAtAnyMomentLeavesEveryValueOldOrNew) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    for (const HKEY root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
        for (const bool fresh : {true, false}) {
            SCOPED_TRACE(std::to_string(root) + (fresh ? " new hive" : " old hive"));
            std::filesystem::remove_all(scratch_);
            int before = 0;  // the generation of every slot when the writer started
            for (int round = 0; round < 30 && !HasFailure(); ++round) {
                if (fresh) {
                    std::filesystem::remove_all(scratch_);
                    before = 0;
                }
                const pid_t writer =
                    forkChild([&] { return writeUntilKilled(hiveFiles(), root, before + 1); });
                // A new hive dies while it is laid out as often as later.
                usleep(fresh ? random() % 3000 : 3000 + random() % 9000);
                ::kill(writer, SIGKILL);
                ASSERT_EQ(waitForChild(writer), -1) << "the writer failed before it was killed";

                auto registry = makeRegistry();
                std::vector<int> found;
                for (int slot = 0; slot < kSlots; ++slot) {
                    found.push_back(
                        generationOf(readBytes(*registry, root, kKey, std::to_string(slot)), slot));
                    // The slots before the writer's are new, the others old.
                    EXPECT_GE(found[slot], std::max(before, found[0] - 1)) << slot;
                    EXPECT_LE(found[slot], found[0]) << slot;
                }
                before = found[0] + 1;
                const HKEY key = createKey(*registry, root, kKey);
                for (int slot = 0; slot < kSlots; ++slot) {
                    ASSERT_EQ(
                        setText(*registry, key, std::to_string(slot), generationText(before, slot)),
                        0);
                }
                registry->CloseKey(key);
            }
        }
    }
}

}  // namespace
}  // namespace sqlitestoretest
