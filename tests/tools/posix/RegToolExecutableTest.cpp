// The built quillbell-reg, run as a separate process against the same store files.

#include <sys/wait.h>

#include <cstdlib>

#include "tools/RegToolFixture.h"

namespace regtooltest {
namespace {

namespace fs = std::filesystem;

class RegToolExecutable : public RegToolTest {
protected:
    // Runs the tool built beside the test executables, without a terminal to ask.
    RunResult runProcess(const std::vector<std::string>& args) {
        std::string command = fs::read_symlink("/proc/self/exe").parent_path() / "quillbell-reg";
        for (const auto& arg : args) {
            command += " '" + arg + "'";  // no test argument holds a quote
        }
        command += " </dev/null >'" + file("stdout") + "' 2>'" + file("stderr") + "'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile("stdout"), readFile("stderr")};
    }
};

TEST_F(RegToolExecutable, WritesWhatTheProgramReadsAndReportsFailuresByExitStatus) {
    RunResult result = runProcess({"add", kKey, "/v", "LastID", "/d", "7"});
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_TRUE(stored("LastID"));
    EXPECT_EQ(stored("LastID")->bytes, std::string("7\0", 2));

    result = runProcess({"query", "hkcu\\" + kBase});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, kBaseName + "\n    LastID    REG_SZ    7\n");

    result = runProcess({"query", "HKCU\\Software\\Orvane\\Missing"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "ERROR: The key HKEY_CURRENT_USER\\Software\\Orvane\\Missing was not found\n");

    // Without /y and without a terminal to ask, an existing file stays.
    writeFile("saved.reg", "precious");
    EXPECT_EQ(runProcess({"export", kKey, file("saved.reg")}).status, 1);
    EXPECT_EQ(readFile("saved.reg"), "precious");
}

TEST_F(RegToolExecutable, ADamagedStoreIsReportedAndLeftAlone) {
    ASSERT_EQ(runProcess({"add", kKey, "/v", "A", "/d", "1"}).status, 0);
    platform::installRegistry(nullptr);
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(std::getenv("XDG_CONFIG_HOME")) /
                                                    "Orvane" / "Quillbell")) {
        files.push_back(entry.path());
        std::ofstream(entry.path(), std::ios::binary | std::ios::trunc) << std::string(4096, 'x');
    }
    ASSERT_FALSE(files.empty());

    const RunResult result = runProcess({"query", kKey});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    ASSERT_EQ(result.err.rfind("ERROR: " + kBaseName + ": ", 0), 0u) << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1);
    for (const auto& path : files) {
        std::ifstream stream(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stream), {}), std::string(4096, 'x'))
            << path;
    }
}

}  // namespace
}  // namespace regtooltest
