// Import on the key store: what the registry's limits allow goes in and comes out again,
// and a file naming a hive the user may not write changes nothing.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "platform/sqlite/HiveFiles.h"
#include "platform/sqlite/SqliteRegistry.h"
#include "tools/RegToolFixture.h"

namespace regtooltest {
namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\";

TEST_F(RegToolTest, KeysAndNamesAtTheLimitsGoInAndComeOutAgain) {
    std::string deepest = kBase + "\\" + std::string(255, 'k');
    for (int level = 4; level < 512; ++level) {
        deepest += "\\d";
    }
    const std::string name(16383, 'v');
    writeFile("in.reg", kHeader + deepest + "]\r\n\"" + name + "\"=\"x\"\r\n");
    ASSERT_EQ(runArgs({"import", file("in.reg")}).status, 0);
    const RunResult result = runArgs({"export", kKey, file("out.reg"), "/y"});
    ASSERT_EQ(result.status, 0) << result.err;
    freshRegistry();
    ASSERT_EQ(runArgs({"import", file("out.reg")}).status, 0);
    EXPECT_EQ(stored(name, deepest.substr(kBase.size() + 1))->bytes, std::string("x\0", 2));
}

TEST_F(RegToolTest, AHiveTheUserMayNotWriteIsTheFirstBadLineAndNothingIsWritten) {
    platform::HiveFiles files = platform::defaultHiveFiles();
    files.machineReadOnly = true;
    platform::installRegistry(std::make_unique<platform::SqliteRegistry>(files));
    for (const std::string later : {"", "\"B\"=bad\r\n"}) {
        writeFile("in.reg", kHeader + kBase + "]\r\n\"A\"=\"1\"\r\n\r\n" +
                                "[HKEY_LOCAL_MACHINE\\Software]\r\n\"Version\"=\"2\"\r\n" + later);
        expectOneLineError(runArgs({"import", file("in.reg")}),
                           "line 6: HKEY_LOCAL_MACHINE\\Software: Access to this key is denied.");
        EXPECT_FALSE(testsupport::keyExists(platform::kHkeyCurrentUser, kBase));
    }
}

// The import is one transaction: killed at any moment it has written all or nothing.
TEST_F(RegToolTest, AnImportKilledHalfwayLeavesAllOrNothing) {
    std::string text = kHeader + kBase + "]\r\n";
    for (int i = 0; i < 4000; ++i) {
        text += "\"V" + std::to_string(i) + "\"=\"" + std::to_string(i) + "\"\r\n";
    }
    writeFile("in.reg", text);
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < 12; ++round) {
        freshRegistry();
        platform::installRegistry(nullptr);  // the child makes its own connections
        const pid_t child = fork();
        if (child == 0) {
            _exit(runArgs({"import", file("in.reg")}).status);
        }
        usleep(random() % 80000);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        platform::KeyInfo info;
        platform::HKEY key = 0;
        if (platform::registry().OpenKeyEx(platform::kHkeyCurrentUser, kBase, platform::kKeyRead,
                                           &key) == 0) {
            ASSERT_EQ(platform::registry().QueryInfoKey(key, &info), 0);
            platform::registry().CloseKey(key);
        }
        EXPECT_TRUE(info.values == 0 || info.values == 4000) << info.values;
    }
}

}  // namespace
}  // namespace regtooltest
