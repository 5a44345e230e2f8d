#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/sqlite/HiveFiles.h"
#include "platform/sqlite/SqliteRegistry.h"
#include "support/RecordingRegistry.h"
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
    runArgs({"export", kKey, file("out.reg"), "/y"});
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

// The import is one transaction: killed between two of its writes it has written nothing.
TEST_F(RegToolTest, AnImportKilledHalfwayLeavesNothing) {
    std::string text = kHeader + kBase + "]\r\n";
    for (int i = 0; i < 100; ++i) {
        text += "\"V" + std::to_string(i) + "\"=\"" + std::to_string(i) + "\"\r\n";
    }
    writeFile("in.reg", text);
    platform::installRegistry(nullptr);  // the child makes its own connections
    const pid_t child = fork();
    if (child == 0) {
        auto recording = std::make_unique<testsupport::RecordingRegistry>(false);
        recording->afterWrite = [log = recording.get()] {
            if (log->writes.size() == 50) {
                raise(SIGKILL);
            }
        };
        platform::installRegistry(std::move(recording));
        _exit(runArgs({"import", file("in.reg")}).status);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_FALSE(stored("V0"));
}

}  // namespace
}  // namespace regtooltest
