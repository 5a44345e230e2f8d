#pragma once
// Runs quillbell-reg's library on a clean registry of its own, with its output caught.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "support/RawRegistry.h"
#include "support/ScratchDir.h"
#include "support/TestRegistry.h"
#include "tools/reg/RegTool.h"

namespace regtooltest {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// The program's own tree: the test registry cleans it on every backend.
inline const std::string kBase = "Software\\Orvane\\RegTool";
inline const std::string kKey = "HKCU\\" + kBase;
inline const std::string kBaseName = "HKEY_CURRENT_USER\\" + kBase;

class RegToolTest : public ::testing::Test {
protected:
    ~RegToolTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(files_, ignored);
    }

    RunResult runArgs(const std::vector<std::string>& args, const std::string& input = "") {
        std::istringstream in(input);
        std::ostringstream out, err;
        const int status = regtool::runRegTool(args, in, out, err);
        return {status, out.str(), err.str()};
    }
    // Arguments separated by single blanks; KEY at the start of one stands for kKey.
    RunResult run(const std::string& command, const std::string& input = "") {
        std::vector<std::string> args;
        std::istringstream words(command);
        for (std::string word; std::getline(words, word, ' ');) {
            args.push_back(word.rfind("KEY", 0) == 0 ? kKey + word.substr(3) : word);
        }
        return runArgs(args, input);
    }
    void freshRegistry() {
        registry_.reset();
        registry_.emplace();
    }

    std::string file(const std::string& name) const { return (files_ / name).string(); }
    std::string readFile(const std::string& name) const {
        return testsupport::fileBytes(files_ / name);
    }
    void writeFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(files_ / name, std::ios::binary) << bytes;
    }

    void plant(const std::string& name, std::uint32_t type, const std::string& bytes,
               const std::string& subPath = "") {
        testsupport::createKey(platform::kHkeyCurrentUser, path(subPath));
        // A byte other than NUL after the counted ones: Windows would otherwise count a
        // terminator into a string planted without one.
        ASSERT_EQ(testsupport::setRaw(platform::kHkeyCurrentUser, path(subPath), name, type,
                                      bytes + 'X', static_cast<std::uint32_t>(bytes.size())),
                  0)
            << name;
    }
    std::optional<testsupport::RawValue> stored(const std::string& name,
                                                const std::string& subPath = "") const {
        return testsupport::getRaw(platform::kHkeyCurrentUser, path(subPath), name);
    }

private:
    static std::string path(const std::string& subPath) {
        return subPath.empty() ? kBase : kBase + "\\" + subPath;
    }

    std::optional<testsupport::ScopedTestRegistry> registry_{std::in_place};
    std::filesystem::path files_ = testsupport::makeScratchDir();
};

// Exactly one line on the error stream (and with `printsNothing`, none on the output).
inline void expectOneLineError(const RunResult& result, const std::string& mentioning = "",
                               bool printsNothing = false) {
    EXPECT_EQ(result.status, 1);
    ASSERT_EQ(result.err.rfind("ERROR: ", 0), 0u) << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    EXPECT_NE(result.err.find(mentioning), std::string::npos) << result.err;
    if (printsNothing) {
        EXPECT_EQ(result.out, "");
    }
}

}  // namespace regtooltest
