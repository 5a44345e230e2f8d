// Import on the key store: what the registry's limits allow goes in and comes out again,
// and a file naming a hive the user may not write changes nothing.

#include "platform/sqlite/HiveFiles.h"
#include "platform/sqlite/SqliteRegistry.h"
#include "tools/RegToolFixture.h"

namespace regtooltest {
namespace {

using testsupport::keyExists;

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";

class ImportCheck : public RegToolTest {
protected:
    RunResult import(const std::string& text) {
        writeFile("in.reg", text);
        return runArgs({"import", file("in.reg")});
    }
};

TEST_F(ImportCheck, KeysAndNamesAtTheLimitsGoInAndComeOutAgain) {
    std::string deepest = kBase;
    for (int level = 3; level < 512; ++level) {
        deepest += "\\d";
    }
    const std::string longKey = kBase + "\\" + std::string(255, 'k');
    const std::string text = kHeader + "[HKEY_CURRENT_USER\\" + longKey + "]\r\n\"" +
                             std::string(16383, 'v') + "\"=\"x\"\r\n\r\n[HKEY_CURRENT_USER\\" +
                             deepest + "]\r\n\"Deep\"=\"y\"\r\n";
    RunResult result = import(text);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(stored(std::string(16383, 'v'), std::string(255, 'k'))->bytes, std::string("x\0", 2));
    EXPECT_TRUE(keyExists(platform::kHkeyCurrentUser, deepest));

    result = runArgs({"export", kKey, file("out.reg"), "/y"});
    ASSERT_EQ(result.status, 0) << result.err;
    freshRegistry();
    result = runArgs({"import", file("out.reg")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(stored("Deep", deepest.substr(kBase.size() + 1))->bytes, std::string("y\0", 2));
}

TEST_F(ImportCheck, AHiveTheUserMayNotWriteIsTheFirstBadLineAndNothingIsWritten) {
    platform::HiveFiles files = platform::defaultHiveFiles();
    files.machineReadOnly = true;
    platform::installRegistry(std::make_unique<platform::SqliteRegistry>(files));
    const std::string userPart = "[HKEY_CURRENT_USER\\" + kBase + "]\r\n\"A\"=\"1\"\r\n\r\n";
    const std::string machinePart = "[HKEY_LOCAL_MACHINE\\Software\\Orvane\\Quillbell]\r\n" +
                                    std::string("\"Version\"=\"2\"\r\n");
    for (const std::string& later : {std::string(), std::string("\"B\"=bad\r\n")}) {
        SCOPED_TRACE(later);
        expectOneLineError(import(kHeader + userPart + machinePart + later),
                           "line 6: HKEY_LOCAL_MACHINE\\Software\\Orvane\\Quillbell: Access to "
                           "this key is denied.");
        EXPECT_FALSE(keyExists(platform::kHkeyCurrentUser, kBase));
    }
}

}  // namespace
}  // namespace regtooltest
