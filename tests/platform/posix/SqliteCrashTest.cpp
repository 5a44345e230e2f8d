// A process writing the store is killed at random moments, on new hives and old ones of
// both kinds. The next process must read and write the store and find every value as it
// was before the interrupted write or after it.

#include <signal.h>

#include <random>

#include "SqliteStoreFixture.h"

namespace sqlitestoretest {
namespace {

constexpr int kSlots = 8;

using SqliteCrash = SqliteStoreTest;

TEST_F(SqliteCrash, AWriterKilledAtAnyMomentLeavesEveryValueOldOrNew) {
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
                    SqliteRegistry registry(hiveFiles());
                    const HKEY key = createKey(registry, root, kKey);
                    for (int generation = before + 1;
                         writeGeneration(registry, key, kSlots, generation) == 0; ++generation) {
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
                const HKEY key = createKey(*registry, root, kKey);
                ASSERT_EQ(writeGeneration(*registry, key, kSlots, before), 0);
                registry->CloseKey(key);
            }
        }
    }
}

}  // namespace
}  // namespace sqlitestoretest
