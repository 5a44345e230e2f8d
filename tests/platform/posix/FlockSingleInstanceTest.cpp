#include <fcntl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ScopedEnv.h"
#include "platform/SingleInstance.h"
#include "platform/posix/FlockSingleInstance.h"
#include "support/ScratchDir.h"

namespace {

namespace fs = std::filesystem;
using platform::FlockSingleInstance;
using platformtest::ScopedEnv;

class FlockSingleInstanceTest : public ::testing::Test {
protected:
    void TearDown() override { fs::remove_all(scratch_); }
    fs::path scratch_ = testsupport::makeScratchDir();
};

// How many descriptors of this process are open on the file; each must close on exec, or
// a help viewer started meanwhile would keep the program locked after it ends.
int descriptorsOn(const fs::path& file) {
    int found = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (fs::read_symlink(entry.path(), error) == file) {
            ++found;
            EXPECT_TRUE(fcntl(std::stoi(entry.path().filename().string()), F_GETFD) & FD_CLOEXEC);
        }
    }
    return found;
}

TEST_F(FlockSingleInstanceTest, ASecondStartIsRefusedUntilTheFirstEnds) {
    const ScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
    const ScopedEnv config("XDG_CONFIG_HOME", (scratch_ / "not-yet" / "config").string());
    auto first = platform::claimSingleInstance();
    EXPECT_TRUE(first->isFirst());
    const fs::path file = scratch_ / "not-yet" / "config" / "Quillbell-Config.lock";
    EXPECT_EQ(descriptorsOn(file), 1);
    EXPECT_TRUE(platform::claimSingleInstance("another program")->isFirst());
    {
        const auto second = platform::claimSingleInstance();
        EXPECT_FALSE(second->isFirst());
        EXPECT_FALSE(FlockSingleInstance(file).isFirst())
            << "a refused claim must not take the lock over";
    }
    EXPECT_FALSE(platform::claimSingleInstance()->isFirst()) << "refused claims left it held";
    first.reset();
    ASSERT_TRUE(fs::exists(file)) << "the file stays; only the lock counts";
    EXPECT_TRUE(platform::claimSingleInstance()->isFirst());
}

TEST_F(FlockSingleInstanceTest, TheLockFileLivesInTheUsersRuntimeOrConfigDirectory) {
    const ScopedEnv config("XDG_CONFIG_HOME", (scratch_ / "config").string());
    const ScopedEnv home("HOME", (scratch_ / "home").string());
    {
        const ScopedEnv runtime("XDG_RUNTIME_DIR", (scratch_ / "run").string());
        EXPECT_EQ(FlockSingleInstance::lockFileFor("Quillbell-Config"),
                  scratch_ / "run" / "Quillbell-Config.lock");
        EXPECT_EQ(FlockSingleInstance::lockFileFor("../a/b"), scratch_ / "run" / ".._a_b.lock")
            << "a name never leads out of the directory";
    }
    const ScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
    EXPECT_EQ(FlockSingleInstance::lockFileFor("x"), scratch_ / "config" / "x.lock");
    // Relative directories are not the user's: the next candidate is used.
    const ScopedEnv relativeConfig("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(FlockSingleInstance::lockFileFor("x"), scratch_ / "home" / ".config" / "x.lock");
    // A lock file that cannot be made lets the program run.
    std::ofstream(scratch_ / "plain-file") << "x";
    EXPECT_TRUE(FlockSingleInstance(scratch_ / "plain-file" / "app.lock").isFirst());
}

}  // namespace
