// The built quillbell-reg, run as a separate process against the same store files.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "support/RawRegistry.h"
#include "support/TestRegistry.h"

namespace {

namespace fs = std::filesystem;

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string contentsOf(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

class RegToolExecutable : public ::testing::Test {
protected:
    // Runs the tool built beside the test executables, without a terminal to ask.
    ProcessResult run(const std::vector<std::string>& args) {
        std::string command = fs::read_symlink("/proc/self/exe").parent_path() / "quillbell-reg";
        for (const auto& arg : args) {
            command += " '" + arg + "'";  // no test argument holds a quote
        }
        const fs::path out = scope_.scratchDir() / "stdout";
        const fs::path err = scope_.scratchDir() / "stderr";
        command += " </dev/null >'" + out.string() + "' 2>'" + err.string() + "'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, contentsOf(out), contentsOf(err)};
    }

    testsupport::ScopedTestRegistry scope_;
};

TEST_F(RegToolExecutable, WritesWhatTheProgramReadsAndReportsFailuresByExitStatus) {
    ProcessResult result =
        run({"add", "HKCU\\Software\\Orvane\\Quillbell", "/v", "LastID", "/d", "7"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto stored =
        testsupport::getRaw(platform::kHkeyCurrentUser, "Software\\Orvane\\Quillbell", "LastID");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->bytes, std::string("7\0", 2));

    result = run({"query", "hkcu\\Software\\Orvane\\Quillbell"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "HKEY_CURRENT_USER\\Software\\Orvane\\Quillbell\n    LastID    REG_SZ    7\n");

    result = run({"query", "HKCU\\Software\\Orvane\\Missing"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "ERROR: The key HKEY_CURRENT_USER\\Software\\Orvane\\Missing was not found\n");

    // Without /y and without a terminal to ask, an existing file stays.
    const std::string file = (scope_.scratchDir() / "saved.reg").string();
    std::ofstream(file) << "precious";
    EXPECT_EQ(run({"export", "HKCU\\Software\\Orvane", file}).status, 1);
    EXPECT_EQ(contentsOf(file), "precious");
}

TEST_F(RegToolExecutable, ADamagedStoreIsReportedAndLeftAlone) {
    ASSERT_EQ(run({"add", "HKCU\\Software\\Orvane\\Quillbell", "/v", "A", "/d", "1"}).status, 0);
    platform::installRegistry(nullptr);
    const fs::path directory = scope_.scratchDir() / "home" / ".config" / "Orvane" / "Quillbell";
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(directory)) {
        files.push_back(entry.path());
        std::ofstream(entry.path(), std::ios::binary | std::ios::trunc) << std::string(4096, 'x');
    }
    ASSERT_FALSE(files.empty());

    const ProcessResult result = run({"query", "HKCU\\Software\\Orvane\\Quillbell"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    ASSERT_EQ(result.err.rfind("ERROR: HKEY_CURRENT_USER\\Software\\Orvane\\Quillbell: ", 0), 0u)
        << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1);
    for (const auto& path : files) {
        EXPECT_EQ(contentsOf(path), std::string(4096, 'x')) << path;
    }
}

}  // namespace
