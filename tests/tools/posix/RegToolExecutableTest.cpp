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

std::string quoted(const std::string& arg) {
    std::string result = "'";
    for (const char c : arg) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

std::string contentsOf(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

class RegToolExecutable : public ::testing::Test {
protected:
    // The tool is built beside the test executables.
    fs::path tool() const {
        return fs::read_symlink("/proc/self/exe").parent_path() / "quillbell-reg";
    }

    ProcessResult run(const std::vector<std::string>& args) {
        std::string command = quoted(tool().string());
        for (const auto& arg : args) {
            command += " " + quoted(arg);
        }
        const fs::path out = scope_.scratchDir() / "stdout";
        const fs::path err = scope_.scratchDir() / "stderr";
        command += " </dev/null >" + quoted(out.string()) + " 2>" + quoted(err.string());
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, contentsOf(out), contentsOf(err)};
    }

    testsupport::ScopedTestRegistry scope_;
};

TEST_F(RegToolExecutable, WritesWhatTheProgramReadsAndReportsFailuresByExitStatus) {
    ASSERT_TRUE(fs::exists(tool())) << "build the quillbell-reg target first: " << tool();

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

    EXPECT_EQ(run({"query"}).status, 1);
}

TEST_F(RegToolExecutable, ExportAndImportGoThroughFiles) {
    const std::string file = (scope_.scratchDir() / "saved.reg").string();
    ASSERT_EQ(
        run({"add", "HKLM\\Software\\Orvane\\Quillbell", "/v", "WorkMode3", "/d", "POP3"}).status,
        0);
    ASSERT_EQ(run({"export", "HKLM\\Software\\Orvane", file}).status, 0);
    EXPECT_NE(contentsOf(file).find("[HKEY_LOCAL_MACHINE\\Software\\Orvane\\Quillbell]\r\n"
                                    "\"WorkMode3\"=\"POP3\"\r\n"),
              std::string::npos);
    // Without /y and without a terminal to ask, an existing file stays.
    EXPECT_EQ(run({"export", "HKLM\\Software\\Orvane", file}).status, 1);
    EXPECT_EQ(run({"import", file}).status, 0);
}

TEST_F(RegToolExecutable, ADamagedStoreIsReportedAndLeftAlone) {
    ASSERT_EQ(run({"add", "HKCU\\Software\\Orvane\\Quillbell", "/v", "A", "/d", "1"}).status, 0);
    platform::installRegistry(nullptr);
    const fs::path directory = scope_.scratchDir() / "home" / ".config" / "Orvane" / "Quillbell";
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(directory)) {
        files.push_back(entry.path());
    }
    ASSERT_FALSE(files.empty());
    for (const auto& path : files) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(4096, 'x');
    }

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
